#pragma once
#include <QComboBox>

// An editable one-line field with a drop-down history under it. It keeps the Tab key (Tab reaches
// tabPressed instead of moving the focus), reports Enter and the arrow keys instead of letting the
// combo box act on them, and swallows them afterwards, so nothing is inserted and no history item
// replaces the text by surprise. No completer: typing never fills in text from the history.
class TTabEdit : public QComboBox
{
    Q_OBJECT
public:
    explicit TTabEdit(QWidget *parent = nullptr);

    QString text() const { return currentText(); }
    void setText(const QString &text);
    // Caret at the end, nothing selected.
    void setCaretToEnd();

    // Puts an entry at the top of the drop-down list; the text being edited stays as it is.
    void insertHistory(const QString &text);
    QStringList history() const;

signals:
    void tabPressed();
    void returnPressed();
    // Up or Down with whatever modifiers were held.
    void arrowPressed(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;

private:
    bool handleKey(QKeyEvent *k);
};
