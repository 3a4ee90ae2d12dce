// Small search helpers of the structure commands. Everything compares A-Z and a-z alike
// and every other unit exactly; positions are 1-based as in editing/textops.h.
#pragma once

#include "editing/textops.h"

#include <QStringView>

namespace sx {

// a and b have the same length and are equal apart from A-Z / a-z.
inline bool equalsAsciiCi(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    const char16_t *p = a.utf16();
    const char16_t *q = b.utf16();
    for (qsizetype i = 0, n = a.size(); i < n; ++i)
        if (foldAscii(p[i]) != foldAscii(q[i]))
            return false;
    return true;
}

inline bool startsWithAsciiCi(QStringView text, QStringView prefix)
{
    return text.size() >= prefix.size() && equalsAsciiCi(text.left(prefix.size()), prefix);
}

inline bool endsWithAsciiCi(QStringView text, QStringView suffix)
{
    return text.size() >= suffix.size() && equalsAsciiCi(text.right(suffix.size()), suffix);
}

// 1-based position of the last occurrence of needle in text that begins at or after the
// 1-based position from; 0 if none.
inline qsizetype lastPosAsciiCi(QStringView needle, QStringView text, qsizetype from = 1)
{
    const qsizetype n = needle.size();
    if (n == 0 || n > text.size())
        return 0;
    if (from < 1)
        from = 1;
    for (qsizetype i = text.size() - n; i >= from - 1; --i)
        if (equalsAsciiCi(text.mid(i, n), needle))
            return i + 1;
    return 0;
}

// The case-insensitive, not-whole-word FindInText of the structure commands, as a value
// above 0 or 0 for "not found". Only the part of the text that an occurrence at or before
// limit can touch is searched.
inline qsizetype findUpTo(QStringView text, QStringView needle, qsizetype from, qsizetype limit)
{
    if (limit <= 0 || needle.isEmpty())
        return 0;
    const qsizetype end = limit + needle.size() - 1 < text.size() ? limit + needle.size() - 1 : text.size();
    const qsizetype r = FindInText(text.left(end), needle, from, limit, false, false);
    return r > 0 ? r : 0;
}

// Repeated searches of one needle from start positions that never decrease: each part of
// the text is examined once, however many searches ask for it (the same answers as
// findUpTo).
class ForwardFinder
{
public:
    ForwardFinder(QStringView text, QStringView needle) : m_text(text), m_needle(needle) {}

    qsizetype find(qsizetype from, qsizetype limit)
    {
        if (limit <= 0 || m_needle.isEmpty() || m_text.isEmpty())
            return 0;
        if (from < 1)
            from = 1;
        if (from < m_from) {
            // Not the promised order: start afresh.
            m_from = from;
            m_clearTo = from;
            m_hit = 0;
        } else if (from > m_clearTo || (m_hit > 0 && from > m_hit)) {
            m_from = from;
            m_clearTo = from;
            m_hit = 0;
        } else {
            m_from = from;
        }
        // No occurrence begins in [m_from, m_clearTo); m_hit, when set, begins at m_clearTo.
        if (m_hit == 0) {
            const qsizetype last = m_text.size() - m_needle.size() + 1; // last possible start
            const qsizetype stop = limit < last ? limit : last;
            if (m_clearTo <= stop) {
                const qsizetype p = findUpTo(m_text, m_needle, m_clearTo, stop);
                if (p > 0) {
                    m_hit = p;
                    m_clearTo = p;
                } else {
                    m_clearTo = stop + 1;
                }
            }
        }
        return m_hit > 0 && m_hit <= limit ? m_hit : 0;
    }

private:
    QStringView m_text, m_needle;
    qsizetype m_from = 1, m_clearTo = 1, m_hit = 0;
};

} // namespace sx
