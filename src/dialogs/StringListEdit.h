#pragma once
#include <QStringList>
#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// One list of entries, optionally with three response lists parallel to it by position. The
// response lists may be shorter than the entries (the profile does not check): a missing response
// reads as empty and is only filled in when it is written.
class tParallelLists
{
public:
    QStringList Entries;
    std::array<QStringList, 3> Responses;
    bool HasResponses = false;
    QString NewEntry;    // text of an added entry
    QString NewResponse; // text of an added entry's first response

    int Count() const { return int(Entries.size()); }
    QString Response(int n, int index) const { return Responses[n].value(index); }
    void SetEntry(int index, const QString &text);
    void SetResponse(int n, int index, const QString &text);
    // Appends NewEntry (and NewResponse as its first response); returns its index.
    int Add();
    void Remove(int index);
};

// The list editor: the list, an edit field for the selected entry, its three responses as
// editable pick lists with suggestions, "&Add" and "&Delete". Edits go into the bound lists at once.
class TDSStringListEdit : public QWidget
{
    Q_OBJECT
public:
    TDSStringListEdit(const QString &listCaption, const QString &editCaption, bool withResponses,
                      QWidget *parent = nullptr);
    ~TDSStringListEdit() override;

    // The editor works on `lists` (kept by the caller) from now on; filling raises no `edited`.
    void Bind(tParallelLists *lists);
    void SetSuggestions(const QStringList &suggestions);

    QListWidget *List() const { return m_list; }
    QLineEdit *EditField() const { return m_edit; }
    QComboBox *ResponseBox(int n) const { return m_responses[n]; }
    QPushButton *AddButton() const { return m_add; }
    QPushButton *DeleteButton() const { return m_delete; }
    int Current() const;

signals:
    void edited();

private:
    void select(int index);
    void showCurrent();

    tParallelLists *m_lists = nullptr;
    QListWidget *m_list;
    QLineEdit *m_edit;
    std::array<QComboBox *, 3> m_responses{};
    QPushButton *m_add;
    QPushButton *m_delete;
    bool m_filling = false;
};
