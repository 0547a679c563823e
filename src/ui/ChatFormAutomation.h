#pragma once
#include <QObject>
#include <QTimer>

#include "automation/Automation.h"

class TfrmChat;

// The automation as the main window plugs it in: the window seen through the automation's host
// seam, and the one-second Timer that drives the timed messages and the text file sender.
class TChatAutomation : public QObject, public tAutomationHost
{
    Q_OBJECT
public:
    explicit TChatAutomation(TfrmChat &w);

    tAutomation Automation;
    QTimer Timer;

    void SendLine(const QString &text, LineClass cls) override;
    void EchoOwnText(const QString &text) override;
    void WriteOwnLine(const QString &text) override;
    void WriteLine(const QString &text, int colorRole) override;
    bool LoggedOn() const override;
    QString UniqueName() const override;
    QString CurrentServer() const override;
    QString CurrentChannel() const override;
    int ChannelUserCount() const override;
    QString ChannelUser(int index) const override;
    QString IgnorePrefix() const override;
    tProfile &Profile() override;
    void RunConnectAction() override;

private:
    TfrmChat &m_w;
};
