#pragma once
#include <QString>
#include <QStringList>

// The users who have whispered to this client, most recent last, without duplicates (names
// compared ignoring letter case), and the position that reply cycling offered last.
class tReplyList
{
public:
    const QStringList &Names() const { return m_names; }
    int Count() const { return int(m_names.size()); }
    int IndexOf(const QString &name) const;

    // -1 until reply cycling first offers a name.
    int Index = -1;

    // A whisper from `name`: moves it to the end (appending when absent). An index that pointed at
    // the name follows it to the end; one after its old place moves back by one, not below 0.
    void Touch(const QString &name);

private:
    QStringList m_names;
};
