// Scanning helpers of the clean-up and the code check. Offsets are 0-based here; the
// public interfaces of cleanup.h and codecheck.h keep the 1-based positions.
//
// Two kinds of letter-case comparison occur:
// - ASCII: the searches in the lower-cased text (only A-Z map to a-z);
// - upper-case: the case-insensitive replacements, which compare after the Unicode
//   upper-casing of each unit as replaceAll does; against an ASCII pattern that means
//   the ASCII letters plus U+0131 (dotless i, upper case I) and U+017F (long s, upper
//   case S).
#pragma once

#include "editing/textops.h"

#include <QString>
#include <QStringView>

namespace sx::scan {

inline const char16_t *units(QStringView s) { return reinterpret_cast<const char16_t *>(s.utf16()); }

inline bool eqAscii(char16_t c, char16_t p) { return foldAscii(c) == p; }

// c matches the ASCII pattern unit p under upper-casing.
inline bool eqUpper(char16_t c, char16_t p)
{
    if (c == p)
        return true;
    const char16_t lp = foldAscii(p);
    if (lp < 'a' || lp > 'z')
        return false;
    if (foldAscii(c) == lp)
        return true;
    return (c == 0x131 && lp == 'i') || (c == 0x17F && lp == 's');
}

// The text at i starts with the (lower-case ASCII) pattern, A-Z folded.
inline bool atAscii(const char16_t *t, qsizetype n, qsizetype i, QStringView pat)
{
    const qsizetype m = pat.size();
    if (i < 0 || i + m > n)
        return false;
    const char16_t *p = units(pat);
    for (qsizetype k = 0; k < m; ++k)
        if (foldAscii(t[i + k]) != p[k])
            return false;
    return true;
}

inline bool atExact(const char16_t *t, qsizetype n, qsizetype i, QStringView pat)
{
    const qsizetype m = pat.size();
    if (i < 0 || i + m > n)
        return false;
    const char16_t *p = units(pat);
    for (qsizetype k = 0; k < m; ++k)
        if (t[i + k] != p[k])
            return false;
    return true;
}

inline bool atUpper(const char16_t *t, qsizetype n, qsizetype i, QStringView pat)
{
    const qsizetype m = pat.size();
    if (i < 0 || i + m > n)
        return false;
    const char16_t *p = units(pat);
    for (qsizetype k = 0; k < m; ++k)
        if (!eqUpper(t[i + k], p[k]))
            return false;
    return true;
}

// First offset >= from of the unit c; -1 when none.
inline qsizetype findChar(QStringView text, char16_t c, qsizetype from)
{
    if (from < 0)
        from = 0;
    if (from >= text.size())
        return -1;
    return text.indexOf(QChar(c), from);
}

// First offset >= from where the lower-case ASCII pattern (which does not begin with a
// letter) occurs, A-Z folded; -1 when none. A plain loop: the first unit of the patterns
// searched here ("<") is frequent, so a call per candidate would cost more than it saves.
inline qsizetype findAscii(QStringView text, QStringView pat, qsizetype from)
{
    const char16_t *t = units(text);
    const qsizetype n = text.size();
    const qsizetype m = pat.size();
    const char16_t *p = units(pat);
    const char16_t first = p[0];
    const char16_t second = m > 1 ? p[1] : 0;
    for (qsizetype i = from < 0 ? 0 : from; i + m <= n; ++i) {
        if (t[i] != first)
            continue;
        if (m > 1 && foldAscii(t[i + 1]) != second)
            continue;
        qsizetype k = 2;
        while (k < m && foldAscii(t[i + k]) == p[k])
            ++k;
        if (k >= m)
            return i;
    }
    return -1;
}

// First offset >= from of the unit c, by a plain loop (for frequent units).
inline qsizetype findUnit(const char16_t *t, qsizetype n, char16_t c, qsizetype from)
{
    for (qsizetype i = from < 0 ? 0 : from; i < n; ++i)
        if (t[i] == c)
            return i;
    return -1;
}

// The last occurrence (ASCII case folded); -1 when none.
inline qsizetype findLastAscii(QStringView text, QStringView pat)
{
    const char16_t *t = units(text);
    const qsizetype n = text.size();
    for (qsizetype i = n - pat.size(); i >= 0; --i)
        if (t[i] == pat[0].unicode() && atAscii(t, n, i, pat))
            return i;
    return -1;
}

// First offset >= from of an exact occurrence; -1 when none.
inline qsizetype findExact(QStringView text, QStringView pat, qsizetype from)
{
    if (from < 0)
        from = 0;
    if (from > text.size())
        return -1;
    return text.indexOf(pat, from);
}

inline bool isBlankUnit(char16_t c) { return c <= 32; }

} // namespace sx::scan
