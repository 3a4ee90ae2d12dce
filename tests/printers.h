// Readable failure messages for Qt strings in GoogleTest.
#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

inline std::string printable(const QString &s)
{
    QString shown;
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u == '\r')
            shown += QStringLiteral("\\r");
        else if (u == '\n')
            shown += QStringLiteral("\\n");
        else if (u < 32 || (u >= 0xD800 && u < 0xE000) || u == 0x2028)
            shown += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    if (shown.size() > 200)
        shown = shown.left(200) + QStringLiteral("... (%1 units)").arg(s.size());
    return '"' + shown.toStdString() + '"';
}

inline void PrintTo(const QString &s, std::ostream *os) { *os << printable(s); }

inline void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << '{';
    for (int i = 0; i < l.size(); ++i) {
        if (i)
            *os << ", ";
        PrintTo(l[i], os);
    }
    *os << '}';
}
