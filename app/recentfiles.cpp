#include "app/recentfiles.h"

#include "editing/textops.h"

bool RecentFiles::shown(int n) const { return n >= 0 && n < Count && !sx::isBlank(m_entries[size_t(n)].name); }

bool RecentFiles::anyShown() const
{
    for (int n = 0; n < Count; ++n)
        if (shown(n))
            return true;
    return false;
}

void RecentFiles::clear()
{
    for (RecentEntry &e : m_entries)
        e = RecentEntry();
}

void RecentFiles::load(QStringList lines, const std::function<bool(const QString &)> &fileExists)
{
    if (lines.size() >= 2)
        for (int i = 4; i < lines.size(); ++i)
            if (!fileExists(lines[i])) {
                lines[i - 4].clear();
                lines[i].clear();
            }
    for (int n = 0; n < Count; ++n) {
        RecentEntry &e = m_entries[size_t(n)];
        e.name = n < lines.size() ? lines[n] : QString();
        e.path = n + 4 < lines.size() ? lines[n + 4] : QString();
        if (!sx::isBlank(e.path) && sx::isBlank(e.name))
            e.name = sx::fileNamePart(e.path);
    }
}

bool RecentFiles::add(const QString &path)
{
    const QString key = sx::lowerAscii(path);
    for (const RecentEntry &e : m_entries)
        if (sx::lowerAscii(e.path) == key)
            return false;
    const RecentEntry fresh{sx::fileNamePart(path), path};
    for (int n = Count - 1; n >= 0; --n)
        if (!shown(n)) {
            m_entries[size_t(n)] = fresh;
            return true;
        }
    for (int n = Count - 1; n > 0; --n)
        m_entries[size_t(n)] = m_entries[size_t(n - 1)];
    m_entries[0] = fresh;
    return true;
}

QStringList RecentFiles::lines() const
{
    QStringList out;
    for (const RecentEntry &e : m_entries)
        out << e.name;
    for (const RecentEntry &e : m_entries)
        out << e.path;
    return out;
}

QString menuCaption(const QString &name)
{
    QString s = name;
    return s.replace(QLatin1Char('&'), QLatin1String("&&"));
}
