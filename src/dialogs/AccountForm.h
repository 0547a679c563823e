#pragma once
#include <QDialog>
#include <QStringList>
#include <functional>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QWidget;

// "User Account Information": browses the recorded pairs of names and account numbers by name or by
// number. It changes nothing. The first list is filled in slices, one per event-loop turn, so a long
// list keeps the window responsive without processing events from inside the fill.
class TfrmAccount : public QDialog
{
    Q_OBJECT
public:
    TfrmAccount(const QStringList &names, const QStringList &numbers, const QString &preselect,
                std::function<void()> help, QWidget *parent = nullptr);
    ~TfrmAccount() override;

    enum class View { Names, Numbers };
    // Starts filling lst1 for the view; the panel shows progress until it is done.
    void ShowView(View view);
    bool Filling() const { return m_next >= 0; }
    View CurrentView() const { return m_view; }
    static constexpr int SliceSize = 500;

    QPushButton *btnNames, *btnNumbers, *btnHelp, *btnDone;
    QListWidget *lst1, *lst2, *lst3;
    QLabel *lbl1, *lbl2, *lbl3;
    QWidget *pnlStatus;
    QProgressBar *pbStatus;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void fillSlice();
    void finishFill();
    void selected1();
    void selected2();

    QStringList m_names, m_numbers;
    QString m_preselect;
    std::function<void()> m_help;
    View m_view = View::Names;
    QStringList m_source; // the distinct entries going into lst1
    int m_next = -1;      // next entry to add; -1 when not filling
    int m_generation = 0;
    bool m_shown = false;
};
