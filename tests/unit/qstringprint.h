// Failed comparisons of texts print the text (line breaks escaped), not its bytes.
#pragma once

#include <QString>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os)
{
    QString t = s;
    t.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\r'), QLatin1String("\\r"));
    t.replace(QLatin1Char('\n'), QLatin1String("\\n")).replace(QLatin1Char('\t'), QLatin1String("\\t"));
    *os << '"' << t.toStdString() << '"';
}
