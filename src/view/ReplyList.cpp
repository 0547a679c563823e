#include "view/ReplyList.h"


int tReplyList::IndexOf(const QString &name) const
{
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void tReplyList::Touch(const QString &name)
{
    const int old = IndexOf(name);
    if (old < 0) {
        m_names.append(name);
        return;
    }
    m_names.removeAt(old);
    m_names.append(name);
    if (Index == old)
        Index = int(m_names.size()) - 1;
    else if (Index > old)
        Index = qMax(0, Index - 1);
}
