#include "dialogs/UrlDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString UrlToSend(const QString &typed)
{
    // "https://" too: putting "http://" in front of it would send a broken address.
    if (typed.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || typed.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return typed;
    return QStringLiteral("http://") + typed;
}

TfrmUrl::TfrmUrl(const QString &user, QWidget *parent) : QDialog(parent), m_user(user)
{
    setWindowTitle(QStringLiteral("Send URL to ") + user);
    Label1 = new QLabel(QStringLiteral("Send URL to ") + user + QLatin1Char(':'));
    // No browser answers the address query here: the field starts empty.
    edURL = new QLineEdit;
    edURL->setObjectName(QStringLiteral("edURL"));
    Label1->setBuddy(edURL);
    btnOK = new QPushButton(QStringLiteral("&Ok"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"));
    btnCancel->setAutoDefault(false);
    auto *v = new QVBoxLayout(this);
    v->addWidget(Label1);
    v->addWidget(edURL);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    v->addLayout(buttons);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(380, sizeHint().height());
}

QString TfrmUrl::Address() const
{
    return UrlToSend(edURL->text());
}

void TfrmUrl::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    edURL->setFocus();
    edURL->selectAll();
}
