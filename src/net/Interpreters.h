#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

#include "net/ChatInterface.h"

class QTimer;

// Interpreter events; all arguments are strings. An unbound event is skipped.
using tBaseEvent = std::function<void(const QString &Mess)>;
using tUserEvent = std::function<void(const QString &User)>;
using tTalkEvent = std::function<void(const QString &User, const QString &Mess)>;
using tUserFlagEvent = std::function<void(const QString &User, const QString &Flags)>;
using tUserTypeEvent = std::function<void(const QString &User, const QString &Flags, const QString &UserType)>;

// Common base of the interpreters that sit on a TChatInterface.
class tBaseInterpreter : public QObject
{
    Q_OBJECT
public:
    explicit tBaseInterpreter(QObject *parent = nullptr) : QObject(parent) {}

    // Cleared by itself when the connection goes, so a late flood tick finds none.
    QPointer<TChatInterface> ChatInterface;

    tTalkEvent OnTalk;
    tTalkEvent OnWhisper;
    tTalkEvent OnWhisperSent;
    tUserTypeEvent OnShowUser;
    tBaseEvent OnInfo;
    tUserTypeEvent OnJoin;
    tUserTypeEvent OnLeave;
    tBaseEvent OnBroadcast;
    tBaseEvent OnChannel;
    tUserFlagEvent OnUserFlags;
    tBaseEvent OnChannelFull;
    tBaseEvent OnChanNotExist;
    tBaseEvent OnRestricted;
    tBaseEvent OnError;
    tTalkEvent OnEmote;
    tUserEvent OnUniqueName;
    tBaseEvent OnUnHandled;
    tBaseEvent OnData;

    // The four extractors; pure functions of the line, safe on lines of any length.
    static QString ParseUser(QStringView line);
    static QString ParseMessage(QStringView line);
    static QString ParseFlags(QStringView line);
    static QString ParseUserType(QStringView line);

    // Every line end inside the text (CR LF, CR or LF) becomes one space.
    static QString JoinLines(const QString &text);
    // The line as it goes out: line ends at its end are the one carriage return that ends it,
    // any inside become spaces, so no text can make the server see a second line.
    static QString WireLine(const QString &text);
    // Whether the line as it goes out, carriage return included, fits one send.
    static bool Fits(const QString &text);

    virtual void ProcessLine(const QString &line) = 0;
    // Sends WireLine(text).
    virtual void SendLine(const QString &text) = 0;
};

// The chat gateway's text protocol: numeric event lines in; chat and commands out through a
// flood-controlled queue; the login.
class TBnetChat : public tBaseInterpreter
{
    Q_OBJECT
public:
    explicit TBnetChat(QObject *parent = nullptr);
    ~TBnetChat() override;

    int FloodInterval() const;
    void setFloodInterval(int ms);

    QString UserName = QStringLiteral("Guest");
    QString Password;

    bool ReadyToSend() const { return m_readyToSend; }
    const QStringList &Queue() const { return m_queue; }

    // Who a line is sent for. When the queue is full the lowest class goes first: lines that answer
    // other users, then the client's own automatic lines; what the user typed is never dropped, nor
    // is a line that protects the channel (auto-ban, product actions), which also goes out before
    // any answer to others already waiting.
    enum LineClass : quint8 { ForOthers = 0, OwnAutomatic = 1, Typed = 2, Protect = 3 };
    // At one line per flood tick, a hundred lines are four minutes of sending: anything queued
    // behind them answers nobody who is still waiting, and a flood of strangers cannot grow memory.
    static constexpr int MaxQueue = 100;
    // Lines sent while a scope lives carry its class; lines sent outside any scope count as typed.
    class ClassScope
    {
    public:
        ClassScope(TBnetChat &chat, LineClass c) : m_chat(chat), m_old(chat.m_class) { chat.m_class = c; }
        ~ClassScope() { m_chat.m_class = m_old; }
        ClassScope(const ClassScope &) = delete;
        ClassScope &operator=(const ClassScope &) = delete;

    private:
        TBnetChat &m_chat;
        LineClass m_old;
    };
    const QList<LineClass> &QueueClasses() const { return m_classes; }
    // Raised once when the queue first drops a line, again only after it has emptied.
    std::function<void()> OnLinesDropped;

    void ProcessLine(const QString &line) override;
    void SendLine(const QString &text) override;
    bool Login();

    // One tick of the flood timer; public so tests can step the queue without waiting.
    void FloodTick();

private:
    // Makes room for a line of class `c`; false when the line itself is the one to drop.
    bool makeRoom(LineClass c);

    QTimer *m_floodTimer = nullptr;
    QStringList m_queue;
    QList<LineClass> m_classes; // parallel to m_queue
    LineClass m_class = Typed;
    bool m_readyToSend = true;
    bool m_dropNoted = false;
};

// Passes lines through unparsed (the "Include Plain Text" view) and writes straight to the socket.
class TTextChat : public tBaseInterpreter
{
    Q_OBJECT
public:
    explicit TTextChat(QObject *parent = nullptr) : tBaseInterpreter(parent) {}
    void ProcessLine(const QString &line) override;
    void SendLine(const QString &text) override;
};
