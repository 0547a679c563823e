#include "dialogs/UserInfoModel.h"

#include <memory>

#include "profile/Profile.h"

int tUserInfoModel::Count() const
{
    return m_profile.Users.Count();
}

tUser *tUserInfoModel::CurrentUser() const
{
    return m_profile.Users.Items(m_current);
}

QStringList tUserInfoModel::Names() const
{
    QStringList names;
    for (int i = 0; i < Count(); ++i)
        names << m_profile.Users.Items(i)->Name();
    return names;
}

int tUserInfoModel::Show(const QString &name)
{
    if (Count() == 0) {
        m_current = 0;
        return -1;
    }
    m_profile.Users.Sort();
    const int found = m_profile.Users.IndexOfName(name);
    m_current = found >= 0 ? found : 0;
    return m_current;
}

void tUserInfoModel::Select(int index)
{
    m_current = index;
}

QStringList tUserInfoModel::GreetingSuggestions(const QString &name)
{
    return {QStringLiteral("/msg ") + name + QLatin1Char(' '), QStringLiteral("/squelch ") + name + QLatin1Char(' '),
            QStringLiteral("/ban ") + name + QLatin1Char(' '), QStringLiteral("/kick ") + name + QLatin1Char(' '),
            QStringLiteral("/designate ") + name + QLatin1Char(' '), QStringLiteral("/stats ") + name + QStringLiteral(" star"),
            QStringLiteral("/stats ") + name + QStringLiteral(" sexp")};
}

void tUserInfoModel::SetNotes(const QString &notes)
{
    if (tUser *u = CurrentUser()) {
        u->setNotes(notes);
        m_profile.Modified = true;
    }
}

void tUserInfoModel::SetGreeting(const QString &greeting)
{
    if (tUser *u = CurrentUser()) {
        u->setGreeting(greeting);
        m_profile.Modified = true;
    }
}

void tUserInfoModel::SetJoinSound(const QString &path)
{
    if (tUser *u = CurrentUser()) {
        u->setJoinSound(path);
        m_profile.Modified = true;
    }
}

void tUserInfoModel::SetLeaveSound(const QString &path)
{
    if (tUser *u = CurrentUser()) {
        u->setLeaveSound(path);
        m_profile.Modified = true;
    }
}

void tUserInfoModel::SetColor(ColorKind kind, std::uint32_t bgr)
{
    tUser *u = CurrentUser();
    if (!u)
        return;
    switch (kind) {
    case NameColor: u->setCustomNameColor(bgr); break;
    case TextColor: u->setCustomTextColor(bgr); break;
    case WhisperColor: u->setCustomWhisperColor(bgr); break;
    }
    m_profile.Modified = true;
}

std::uint32_t tUserInfoModel::Color(ColorKind kind) const
{
    const tUser *u = CurrentUser();
    if (!u)
        return 0;
    switch (kind) {
    case NameColor: return u->CustomNameColor();
    case TextColor: return u->CustomTextColor();
    case WhisperColor: return u->CustomWhisperColor();
    }
    return 0;
}

int tUserInfoModel::Find(const QString &name) const
{
    tUser stored;
    stored.setName(name);
    const QString wanted = stored.Name();
    for (int i = 0; i < Count(); ++i)
        if (m_profile.Users.Items(i)->Name().compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int tUserInfoModel::Add(const QString &name)
{
    // A second record of one name would never be found: look-ups ignore letter case.
    if (name.isEmpty() || Find(name) >= 0)
        return -1;
    auto user = std::make_unique<tUser>();
    user->setName(name);
    m_profile.Modified = true;
    m_current = m_profile.Users.Add(std::move(user));
    return m_current;
}

bool tUserInfoModel::Delete()
{
    if (!CurrentUser())
        return false;
    m_profile.Users.Delete(m_current);
    m_current = 0;
    m_profile.Modified = true;
    return true;
}

void tUserInfoModel::Clear()
{
    m_profile.Users.Clear();
    m_current = 0;
    m_profile.Modified = true;
}
