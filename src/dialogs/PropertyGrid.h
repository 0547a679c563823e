#pragma once
#include <QStringList>
#include <QTableWidget>

// A list of captioned rows, each edited as Yes/No, a pick list, an integer in a range or free
// text. Values travel as text ("Yes"/"No", the choice's text, the number, the text); only the
// user's edits raise valueChanged, never setValue.
class TPropertyGrid : public QTableWidget
{
    Q_OBJECT
public:
    enum Kind { YesNo, Pick, Range, Text };

    explicit TPropertyGrid(QWidget *parent = nullptr);

    int addYesNo(const QString &caption);
    int addPick(const QString &caption, const QStringList &choices);
    int addRange(const QString &caption, int min, int max);
    int addText(const QString &caption);

    void setValue(int row, const QString &value);
    QString value(int row) const;
    QString caption(int row) const;
    Kind kind(int row) const;
    QWidget *editor(int row) const { return cellWidget(row, 1); }

    static QString yesNo(bool v) { return v ? QStringLiteral("Yes") : QStringLiteral("No"); }

signals:
    void valueChanged(int row, const QString &value);

private:
    int addRow(const QString &caption, Kind kind, QWidget *editor);
    void changed(QWidget *editor, const QString &value);
    bool m_setting = false;
};
