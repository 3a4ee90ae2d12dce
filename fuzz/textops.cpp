// The text helpers and the in-memory editor buffer on arbitrary text.
//
// The input is read as: 8 bytes of parameters (start, limit, offset, count, flags, where
// the needle ends), then UTF-16 units (two bytes each, so NULs, lone surrogates and every
// line break occur). Besides running without a sanitizer report, every result must keep
// the helpers' own promises, checked here.
#include "editing/textbuffer.h"
#include "editing/textops.h"

#include <cstdint>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}
#define CHECK(cond)                                                                                \
    do {                                                                                           \
        if (!(cond))                                                                               \
            fail(#cond);                                                                           \
    } while (0)

bool onlyCrLfBreaks(const QString &t)
{
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i] == u'\r' && (i + 1 >= t.size() || t[i + 1] != u'\n'))
            return false;
        if (t[i] == u'\n' && (i == 0 || t[i - 1] != u'\r'))
            return false;
        if (t[i].unicode() == 0x2028)
            return false;
    }
    return true;
}

void buffer(const QString &text, const QString &insert, const uint8_t *ops, size_t n)
{
    TextBuffer b(text);
    const QString loaded = b.text();
    CHECK(onlyCrLfBreaks(loaded));
    CHECK(b.lineCount() == (loaded.isEmpty() ? 0 : loaded.count(QStringLiteral("\r\n")) + 1));
    int edits = 0;
    for (size_t i = 0; i + 2 < n; i += 3) {
        const qsizetype len = b.length();
        const qsizetype at = qsizetype(ops[i + 1]) * (len + 2) / 255 - 1;
        const qsizetype count = qsizetype(ops[i + 2] % 16) - 2;
        switch (ops[i] % 9) {
        case 0: b.setSelStart(at); break;
        case 1: b.select(at, count); break;
        case 2: b.setSelText(insert.left(count + 2)); ++edits; break;
        case 3: b.replaceRange(at, count, insert.mid(count + 2)); ++edits; break;
        case 4: b.setCaretXY(int(ops[i + 1] % 20) - 2, int(ops[i + 2] % 20) - 2); break;
        case 5: {
            int column = 0, line = 0;
            b.offsetToCaret(at, &column, &line);
            CHECK(line >= 1 && column >= 1);
            break;
        }
        case 6: b.setBookmark(ops[i + 1] % 12, 1, int(ops[i + 2] % 30)); break;
        case 7: TrimBlankSelection(b); RevealOffset(b, at); break;
        case 8: b.undo(); --edits; break;
        }
        CHECK(b.selStart() >= 0 && b.selStart() + b.selLength() <= b.length());
        CHECK(b.caretY() >= 1 && b.caretX() >= 1);
        CHECK(b.selText().size() == b.selLength());
        CHECK(onlyCrLfBreaks(b.text()));
        for (int k = 0; k < 10; ++k)
            if (b.bookmark(k).set)
                CHECK(b.bookmark(k).line >= 1);
    }
    // Undo all the way back: the loaded text exactly.
    for (int k = 0; k < 1000 && b.undoDepth() > 0; ++k)
        b.undo();
    CHECK(b.text() == loaded);
    CHECK(!b.modified());
    b.setText(insert + text);
    CHECK(b.text() == editorText(insert + text));
    b.undo();
    CHECK(b.text() == loaded);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 8)
        return 0;
    const qsizetype start = qsizetype(int8_t(data[0]));
    const qsizetype limit = qsizetype(int8_t(data[1])) * 4;
    const qsizetype offset = qsizetype(int8_t(data[2]));
    const qsizetype count = qsizetype(int8_t(data[3]));
    const uint8_t flags = data[4];
    const size_t units = (size - 8) / 2;
    QString all(qsizetype(units), Qt::Uninitialized);
    for (size_t i = 0; i < units; ++i)
        all[qsizetype(i)] = QChar(char16_t(data[8 + 2 * i] | (data[9 + 2 * i] << 8)));
    const qsizetype split = units ? qsizetype(data[5]) % qsizetype(units + 1) : 0;
    const QString text = all.mid(split), needle = all.left(std::min<qsizetype>(split, 12));
    const bool ww = flags & 1, mc = flags & 2;

    const qsizetype found = sx::FindInText(text, needle, start, limit, ww, mc);
    CHECK(found >= -1 && found <= text.size());
    if (found >= 1) {
        CHECK(found <= limit);
        const QString at = text.mid(found - 1, needle.size());
        CHECK(mc ? at == needle : sx::lowerAscii(at) == sx::lowerAscii(needle));
    }
    const qsizetype head = sx::FindHead(needle, text, offset, qsizetype(data[6]) * 3);
    CHECK(head >= 0 && head <= text.size());

    const QString replaced = sx::ReplaceRange(text, start, count, needle);
    CHECK(replaced.size() >= needle.size() && replaced.size() <= text.size() + needle.size());
    CHECK(replaced.contains(needle));

    const QString tag = sx::FirstTag(text);
    CHECK(tag.isEmpty() || (tag.endsWith(u'>') && text.contains(tag)));
    const QString flat = sx::FlattenWhitespace(text);
    CHECK(!flat.contains(u'\r') && !flat.contains(u'\n') && !flat.contains(u'\t') && flat.size() <= text.size());
    (void)sx::CharCode(text);

    qsizetype n = 0;
    const QString all1 = sx::replaceAll(text, needle, needle.left(1), flags & 4, &n);
    CHECK(n >= 0 && (needle.isEmpty() ? all1 == text : all1.size() == text.size() - n * (needle.size() - std::min<qsizetype>(1, needle.size()))));
    (void)sx::replaceFirst(text, needle, text.left(3), flags & 8);

    const QStringList lines = sx::splitLines(text);
    for (const QString &l : lines)
        CHECK(!l.contains(u'\r') && !l.contains(u'\n') && !l.contains(QChar(0x2028)));

    (void)sx::copy(text, start, count);
    (void)sx::pos(needle, text, start);
    (void)sx::posAsciiCi(needle, text, start);
    CHECK(sx::isBlank(sx::trim(text)) == sx::trim(text).isEmpty());
    (void)sx::formatMessage(needle + text.left(20), {qlonglong(start), qlonglong(count)});
    bool ok = false;
    (void)sx::parseInteger(text.left(24), &ok);
    (void)sx::extensionPart(text);
    (void)sx::folderPart(text);
    (void)detectLineBreak(text);
    const QString held = editorText(text);
    for (qsizetype i = 0; i <= held.size(); ++i) {
        const qsizetype back = snapOffset(held, i, false), fwd = snapOffset(held, i, true);
        CHECK((back == i && fwd == i) || (back == i - 1 && fwd == i + 1));
    }

    buffer(text.left(400), needle, data + 8, std::min<size_t>(size - 8, 300));
    return 0;
}
