#include "dialogs/Help.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWindow>

#include "view/HelpSearch.h"
#include "view/RtfReader.h"

const QString TfrmHelp::FileName = QStringLiteral("QuorlHelp.rtf");

TfrmHelp::TfrmHelp(QWidget *parent) : QDialog(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("QuorlChat Help"));
    setModal(false);
    reHelp = new QTextEdit(this);
    reHelp->setObjectName(QStringLiteral("reHelp"));
    reHelp->setReadOnly(true);
    reHelp->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    reHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The found topic stays highlighted while the focus is elsewhere (on "&Done", or another window).
    QPalette pal = reHelp->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    reHelp->setPalette(pal);

    btnDone = new QPushButton(QStringLiteral("&Done"), this);
    connect(btnDone, &QPushButton::clicked, this, &QDialog::hide);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnDone);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(reHelp);
    layout->addLayout(buttons);
    resize(620, 520);
}

bool TfrmHelp::LoadHelp(const QString &programFolder)
{
    return tRtfReader::ReadFile(programFolder + FileName, *reHelp->document());
}

bool TfrmHelp::ShowTopic(const QString &topic)
{
    show();
    standOver(QApplication::activeModalWidget());
    raise();
    activateWindow();
    const qsizetype found = FindHelpTopic(reHelp->document()->toPlainText(), topic, 1);
    // Caret to the end first, so a found topic is scrolled up into view from below.
    QTextCursor c(reHelp->document());
    c.movePosition(QTextCursor::End);
    reHelp->setTextCursor(c);
    reHelp->ensureCursorVisible();
    if (found < 0)
        return false;
    c.setPosition(int(found));
    c.setPosition(int(found + topic.size()), QTextCursor::KeepAnchor);
    reHelp->setTextCursor(c);
    reHelp->ensureCursorVisible();
    return true;
}

void TfrmHelp::standOver(QWidget *modal)
{
    // A modal dialog blocks every window but those that stand over it (its transient children).
    if (!modal || modal == this || !windowHandle() || !modal->windowHandle())
        return;
    if (m_over != modal) {
        standDown();
        m_over = modal;
        modal->installEventFilter(this);
    }
    windowHandle()->setTransientParent(modal->windowHandle());
}

void TfrmHelp::standDown()
{
    if (m_over)
        m_over->removeEventFilter(this);
    m_over = nullptr;
    if (windowHandle()) {
        QWidget *home = parentWidget() ? parentWidget()->window() : nullptr;
        windowHandle()->setTransientParent(home ? home->windowHandle() : nullptr);
    }
}

bool TfrmHelp::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == m_over && e->type() == QEvent::Hide)
        standDown();
    return QDialog::eventFilter(watched, e);
}
