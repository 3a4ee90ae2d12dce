#include "editing/formatting.h"

#include "editing/textops.h"

#include <algorithm>

QString FontSpan(const QString &family, const QString &size, quint32 color, const QString &selected)
{
    QString style;
    if (!sx::isBlank(family))
        style += QStringLiteral(" font-family:") + family + u';';
    if (!sx::isBlank(size))
        style += QStringLiteral(" font-size:") + size + QStringLiteral("px;");
    if (color != sx::NoColor)
        style += QStringLiteral(" color:") + sx::Color2HTML(color) + u';';
    return QStringLiteral("<span style=\"") + style + QStringLiteral("\">") + selected + QStringLiteral(" </span>");
}

void ApplyFontSpan(EditorBuffer &buffer, const QString &family, const QString &size, quint32 color)
{
    TrimBlankSelection(buffer);
    buffer.setSelText(FontSpan(family, size, color, buffer.selText()));
}

std::optional<quint32> ColorPreselection(const QString &selected)
{
    const QString s = sx::trim(selected);
    if (s.size() > 5) {
        bool number = false;
        sx::parseInteger(sx::replaceFirst(s, u"#", u""), &number);
        if (number) {
            // A "#" in front is dropped by the conversion, so S converts as it stands.
            const qint64 c = sx::HtmlColorToColor(s);
            if (c >= 0)
                return quint32(c);
        }
    }
    return sx::colorConstant(QStringLiteral("cl") + s);
}

void ColorCommand(EditorBuffer &buffer, Prompts &prompts, quint32 &lastColor)
{
    if (const std::optional<quint32> c = ColorPreselection(buffer.selText()))
        lastColor = sx::ColorToRGB(*c);
    quint32 color = lastColor;
    if (!prompts.chooseColor(color))
        return;
    lastColor = color;
    buffer.setSelText(sx::Color2HTML(color));
}

int CountOccurrences(QStringView text, QStringView head)
{
    int n = 0;
    qsizetype from = 1;
    while (from < text.size()) {
        const qsizetype at = sx::posAsciiCi(head, text, from);
        if (at == 0)
            break;
        ++n;
        from = at + 1;
    }
    return n;
}

// The literal procedure, for heads the one pass below does not cover.
static QString removeOpenTagsStepwise(QStringView text, QStringView head)
{
    QString t = text.toString();
    const qsizetype original = text.size();
    for (;;) {
        const qsizetype h = sx::posAsciiCi(head, t, 1);
        if (h == 0)
            break;
        const qsizetype g = sx::pos(u">", t, h + 1);
        if (g == 0 || g >= original)
            break;
        t = sx::ReplaceRange(t, h, g - h + 1, u" ");
    }
    return t;
}

QString RemoveOpenTags(QStringView text, QStringView head)
{
    // Each round of the procedure searches the whole text again from its start. The text in
    // front of a replaced tag holds no further head, so the next one either begins in the
    // last units in front of the new space and runs on behind it ("<p" + " " + "style="),
    // or lies behind the tag. One pass keeps the finished part in out and the unread rest
    // in text from i on; the current text is out + text[i..].
    const qsizetype L = head.size();
    if (L == 0 || head.contains(u'>'))
        return removeOpenTagsStepwise(text, head);
    const qsizetype original = text.size();
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    auto unitAt = [&](qsizetype k) -> int { // k indexes out + text[i..]; -1 past the end
        if (k < out.size())
            return out[k].unicode();
        const qsizetype r = i + (k - out.size());
        return r < text.size() ? text[r].unicode() : -1;
    };
    for (;;) {
        // A head that begins in the finished part.
        qsizetype straddle = -1;
        for (qsizetype j = std::max<qsizetype>(0, out.size() - L); j < out.size() && straddle < 0; ++j) {
            qsizetype k = 0;
            while (k < L) {
                const int c = unitAt(j + k);
                if (c < 0 || sx::foldAscii(char16_t(c)) != sx::foldAscii(head[k].unicode()))
                    break;
                ++k;
            }
            if (k == L)
                straddle = j;
        }
        qsizetype h = -1; // index in text of a head in the rest
        if (straddle < 0) {
            const qsizetype at = sx::posAsciiCi(head, text, i + 1);
            if (at == 0)
                break;
            h = at - 1;
        }
        // The first ">" after the head's first unit: the head's own units hold none.
        const qsizetype fromIndex = straddle >= 0 ? i : h + 1;
        const qsizetype gt = text.indexOf(u'>', fromIndex);
        if (gt < 0)
            break;
        const qsizetype current = out.size() + (gt - i) + 1; // 1-based in the current text
        if (current >= original)
            break;
        if (straddle >= 0) {
            out.truncate(straddle);
        } else {
            out.append(text.mid(i, h - i));
        }
        out.append(u' ');
        i = gt + 1;
    }
    out.append(text.mid(i));
    return out;
}

std::optional<TextSpan> FormattedElementSpan(QStringView text, qsizetype selStart)
{
    if (selStart > text.size())
        selStart = text.size();
    qsizetype p = 0; // 1-based position of the nearest "<" before the caret
    for (qsizetype k = selStart; k >= 1; --k)
        if (text[k - 1] == u'<') {
            p = k;
            break;
        }
    if (p == 0)
        return std::nullopt;
    const QString head = sx::copy(text, p, 3);
    qsizetype q = sx::pos(u"</", text, p);
    if (q == 0)
        return std::nullopt;
    if (CountOccurrences(QStringView(sx::copy(text, p - 1, q - p + 1)), head) >= 2) {
        q = sx::pos(u"</", text, q + 2);
        if (q == 0)
            return std::nullopt;
    }
    const qsizetype r = sx::pos(u">", text, q);
    if (r == 0)
        return std::nullopt;
    return TextSpan{p - 1, r - p + 1};
}

bool SelectFormattedElement(EditorBuffer &buffer)
{
    const std::optional<TextSpan> span = FormattedElementSpan(buffer.text(), buffer.selStart());
    if (!span)
        return false;
    buffer.select(span->start, span->length);
    return true;
}

QString StripFormatting(const QString &element)
{
    static const char16_t *const tags[] = {
        u"<b>",      u"</b>",      u"<i>",   u"</i>",   u"<u>",  u"</u>",  u"<strike>", u"</strike>",
        u"<sub>",    u"</sub>",    u"<sup>", u"</sup>", u"<strong>", u"</strong>", u"<em>", u"</em>",
        u"<h1>",     u"</h1>",     u"<h2>",  u"</h2>",  u"<h3>", u"</h3>", u"<h4>",     u"</h4>",
        u"<h5>",     u"</h5>",     u"<h6>",  u"</h6>",
    };
    static const char16_t *const opening[][2] = {
        {u"<font", u"</font>"}, {u"<p style=", u"</p>"}, {u"<p class=", u"</p>"}, {u"<span", u"</span>"}};
    QString e = element;
    for (const char16_t *tag : tags)
        e = sx::replaceAll(e, tag, u"", true);
    for (const auto &pair : opening) {
        if (sx::posAsciiCi(pair[0], e, 1) == 0)
            continue;
        e = RemoveOpenTags(e, pair[0]);
        e = sx::replaceAll(e, pair[1], u"", true);
    }
    return e;
}

static bool removeFormatting(EditorBuffer &buffer)
{
    const QString text = buffer.text();
    const std::optional<TextSpan> span = FormattedElementSpan(text, buffer.selStart());
    if (!span)
        return false;
    const QString element = text.mid(span->start, span->length);
    if (sx::isBlank(element))
        return false;
    const QString stripped = StripFormatting(element);
    if (stripped == element)
        return false; // nothing to take out: the document and the caret stay as they are
    buffer.setText(sx::ReplaceRange(text, span->start + 1, span->length, stripped));
    return true;
}

void RemoveFormatting(EditorBuffer &buffer) { removeFormatting(buffer); }

void RemoveFormatCommand(EditorBuffer &buffer)
{
    const qsizetype at = buffer.selStart();
    if (removeFormatting(buffer))
        RevealOffset(buffer, at);
}
