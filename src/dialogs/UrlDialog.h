#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The address as it is sent: "http://" in front unless it begins with "http://" or "https://" in any letter case.
QString UrlToSend(const QString &typed);

// "Send URL": asks for the address to whisper to one user.
class TfrmUrl : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmUrl(const QString &user, QWidget *parent = nullptr);
    QString User() const { return m_user; }
    // What "&Ok" sends.
    QString Address() const;

    QLabel *Label1;
    QLineEdit *edURL;
    QPushButton *btnOK, *btnCancel;

protected:
    void showEvent(QShowEvent *e) override;

private:
    QString m_user;
};
