#pragma once
#include <QMainWindow>
#include <functional>

#include "net/ChatInterface.h"
#include "net/Interpreters.h"
#include "ui/UserIcons.h"
#include "view/ChannelEvents.h"
#include "view/ChannelUsers.h"
#include "view/ReplyList.h"
#include "view/Session.h"
#include "view/SessionLog.h"
#include "view/Sound.h"
#include "view/Transcript.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class TTranscriptView;
class TUserListView;
struct tProfile;

// The main window. It owns the connection, both interpreters, the panes and the channel state,
// binds their events to the session and the channel event handling, and shows their models.
// Split by concern: ChatForm.cpp (ownership and binding), ChatFormLayout.cpp (widgets and
// actions), ChatFormHosts.cpp (what the session and the channel handlers ask of the window).
class TfrmChat : public QMainWindow, private tSessionHost, private tChannelHost, private tSoundPlayer
{
    Q_OBJECT
public:
    static constexpr quint16 GatewayPort = 6112;
    static constexpr int FloodInterval = 2500;

    explicit TfrmChat(tProfile &profile, QWidget *parent = nullptr);
    ~TfrmChat() override;

    tProfile &Profile() const { return m_profile; }
    TChatInterface &ChatInterface() { return m_chatInterface; }
    TBnetChat &bcChat() { return m_bcChat; }
    TTextChat &tcChat() { return m_tcChat; }
    tSession &Session() { return m_session; }
    tChannelEvents &Events() { return m_events; }
    tChannelUsers &ChannelUsers() { return m_users; }
    tReplyList &Replies() { return m_replies; }
    tSessionLog &Log() { return m_log; }
    tTranscript &ChatText() { return m_chatText; }
    tTranscript &WhisperText() { return m_whisperText; }
    TIconTable &Icons() { return m_icons; }

    TTranscriptView *reChat = nullptr;
    TTranscriptView *reWhisper = nullptr;
    QLineEdit *edChannel = nullptr;
    TUserListView *lstUser = nullptr;
    QLineEdit *edEntry = nullptr;
    QPushButton *btnSend = nullptr;
    QPushButton *btnEmote = nullptr;
    QPushButton *btnWhisper = nullptr;
    QAction *acConnect = nullptr;
    QAction *acPause = nullptr;
    QAction *acAway = nullptr;
    QString StatusText(int panel) const;

    // Message boxes go here; by default a box that does not block the event loop.
    std::function<void(const QString &text)> MessageBoxHandler;
    // Replaces the sound player (tests record instead of playing); null restores the real one.
    void SetSoundPlayer(tSoundPlayer *player) { m_player = player ? player : &m_qtPlayer; }
    void SetAutomation(tAutomationHooks *hooks) { m_events.SetAutomation(hooks); }

    // Copies the account into the interpreter and reopens the session log from the profile.
    void ApplyProfile();
    // Fonts and colours of the panes from the profile.
    void ApplyPaneAppearance();
    // Opens the session log; "Log File is invalid" as a message box on failure.
    void OpenSessionLog();

private:
    void buildLayout();
    void buildActions();
    void bindEvents();
    void updateActions();

    // tSessionHost
    void SetStatus(int panel, const QString &text) override;
    void WriteChat(const QString &text, const QColor &color) override;
    void ShowMessage(const QString &text) override;
    void ClearChannel() override;
    void SetConnectChecked(bool checked) override;
    void SetPauseChecked(bool checked) override;
    void EnableChatButtons(bool enabled) override;
    void FocusEntry() override;
    // tChannelHost
    tTranscript &ChatPane() override { return m_chatText; }
    tTranscript &WhisperPane() override { return m_whisperText; }
    bool WhisperPaneVisible() const override;
    void SendLine(const QString &text) override;
    void SetAwayChecked(bool checked) override;
    void WelcomeCheck(const QString &text) override { m_session.WelcomeCheck(text); }
    void RefusedLoginCheck(const QString &line) override { m_session.RefusedLoginCheck(line); }
    void UniqueNameReceived(const QString &name) override { m_session.UniqueNameReceived(name); }
    QString UniqueName() const override { return m_session.UniqueName; }
    QString ProgramFolder() const override;
    // tSoundPlayer
    void PlaySound(const QString &path) override { m_player->PlaySound(path); }

    tProfile &m_profile;
    TChatInterface m_chatInterface;
    TBnetChat m_bcChat;
    TTextChat m_tcChat;
    tTranscript m_chatText;
    tTranscript m_whisperText;
    tChannelUsers m_users;
    tReplyList m_replies;
    tSessionLog m_log;
    tQtSoundPlayer m_qtPlayer;
    tSoundPlayer *m_player = &m_qtPlayer;
    TIconTable m_icons;
    tSession m_session;
    tChannelEvents m_events;

    QLabel *m_panels[2] = {nullptr, nullptr};
    QSplitter *m_mainSplit = nullptr;
    QSplitter *m_paneSplit = nullptr;
};
