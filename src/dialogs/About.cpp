#include "dialogs/About.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef QC_VERSION_TEXT
#define QC_VERSION_TEXT "0"
#endif

QString TfrmAbout::VersionLine()
{
    return QStringLiteral("Version ") + QStringLiteral(QC_VERSION_TEXT);
}

TfrmAbout::TfrmAbout(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About QuorlChat"));
    auto *name = new QLabel(QStringLiteral("QuorlChat"), this);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    name->setFont(big);
    auto *kind = new QLabel(QStringLiteral("Battle.net Chat Client"), this);
    auto *version = new QLabel(VersionLine(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto *done = new QPushButton(QStringLiteral("&Done"), this);
    // Enter presses it as the default button; Esc rejects, which closes the box the same way.
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 20, 28, 16);
    layout->setSpacing(6);
    for (QLabel *l : {name, kind, version}) {
        l->setAlignment(Qt::AlignHCenter);
        layout->addWidget(l);
    }
    layout->addSpacing(12);
    layout->addWidget(done, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint().expandedTo(QSize(280, 0)));
}
