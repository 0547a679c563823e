#include "ui/ChatFormAutomation.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>

#include "dialogs/Macros.h"
#include "dialogs/TextFiles.h"
#include "profile/Profile.h"
#include "ui/ChatForm.h"
#include "ui/TabEdit.h"

TChatAutomation::TChatAutomation(TfrmChat &w)
    : QObject(&w), Automation(*this, w.TextLines, w.TextFileName, w.TextTarget), m_w(w)
{
    Timer.setInterval(1000);
    connect(&Timer, &QTimer::timeout, this, [this] { Automation.TimerTimer(); });
    Timer.start();
}

void TChatAutomation::SendLine(const QString &text, LineClass cls)
{
    TBnetChat::ClassScope scope(m_w.m_bcChat, cls);
    m_w.SendLine(text);
}

void TChatAutomation::EchoOwnText(const QString &text)
{
    m_w.m_events.EchoOwnText(text);
}

void TChatAutomation::WriteOwnLine(const QString &text)
{
    const tChatSettings &s = m_w.m_profile.Settings;
    m_w.m_chatText.WriteLine(QLatin1Char('<') + UniqueName() + QLatin1String("> "), text, QString(),
                             bgrToColor(s.Color(YourNameColor)), bgrToColor(s.Color(YourTextColor)), QColor());
}

void TChatAutomation::WriteLine(const QString &text, int colorRole)
{
    m_w.m_chatText.WriteLine(text, bgrToColor(m_w.m_profile.Settings.Color(colorRole)));
}

bool TChatAutomation::LoggedOn() const
{
    return m_w.m_session.LoggedOn;
}

QString TChatAutomation::UniqueName() const
{
    return m_w.m_session.UniqueName;
}

QString TChatAutomation::CurrentServer() const
{
    return m_w.m_session.CurrentServer;
}

QString TChatAutomation::CurrentChannel() const
{
    return m_w.m_users.CurrentChannel;
}

int TChatAutomation::ChannelUserCount() const
{
    return m_w.m_users.ChannelUserCount();
}

QString TChatAutomation::ChannelUser(int index) const
{
    return m_w.m_users.At(index).Name;
}

QString TChatAutomation::IgnorePrefix() const
{
    return m_w.IgnorePrefix;
}

tProfile &TChatAutomation::Profile()
{
    return m_w.m_profile;
}

void TChatAutomation::RunConnectAction()
{
    m_w.m_session.ConnectAction();
    m_w.acConnect->setChecked(false);
}

void TfrmChat::setupAutomation()
{
    m_automation = new TChatAutomation(*this);
    m_automation->Automation.SetAccountLookup(&m_accountLookup);
    SetAutomation(&m_automation->Automation);
    m_bcChat.OnLinesDropped = [this] {
        WriteError(QStringLiteral("Send queue full: automatic lines dropped."));
    };
    TChatActions &a = *m_actions;
    connect(a.acMacros, &QAction::triggered, this, [this] {
        auto *d = new TfrmMacros(m_profile, this);
        d->setAttribute(Qt::WA_DeleteOnClose);
        connect(d, &QDialog::finished, this, [this] {
            activateWindow();
            Refocus();
        });
        d->open();
    });
    connect(a.acText, &QAction::triggered, this, [this] {
        tAutomation &automation = m_automation->Automation;
        if (automation.TextFile().Reciting) {
            automation.StopRecital();
            UpdateActions();
            return;
        }
        auto *d = new TfrmText(
            automation,
            [this](TfrmText::PathFn done) {
                m_prompts->OpenFile(QStringLiteral("Open"), QStringLiteral("Text Files (*.txt)"), m_programFolder, done);
            },
            [this](const QString &text) { ShowMessage(text); }, [this](const QString &topic) { ShowHelp(topic); }, this);
        d->setAttribute(Qt::WA_DeleteOnClose);
        connect(d, &QDialog::finished, this, [this] {
            UpdateActions();
            activateWindow();
            Refocus();
        });
        d->open();
    });
}

tAutomation &TfrmChat::Automation()
{
    return m_automation->Automation;
}

QTimer &TfrmChat::Timer()
{
    return m_automation->Timer;
}

bool TfrmChat::macroKey(const QKeyEvent *k)
{
    const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
    if (mods != (Qt::ControlModifier | Qt::AltModifier) || k->key() < Qt::Key_A || k->key() > Qt::Key_Z)
        return false;
    // A key held down fires once: its repeats would queue typed lines, which are never dropped.
    if (k->isAutoRepeat())
        return false;
    // The channel list's selection wins over the custom list's.
    QString user = SelectedUser();
    if (user.isEmpty())
        user = SelectedDef();
    QString entry = EntryText();
    if (!m_automation->Automation.RunMacros(QChar(char16_t(k->key())), user, entry))
        return false;
    SetEntryText(entry);
    return true;
}
