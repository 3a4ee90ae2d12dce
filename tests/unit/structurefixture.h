// Shared fixture of the structure tests: an in-memory editor with scripted prompts, the
// English catalogue and the locator state, and texts written with markers: "|" is the
// caret, "[" and "]" enclose the selection.
#pragma once

#include "app/catalogue.h"
#include "app/prompts.h"
#include "editing/textbuffer.h"
#include "structure/locator.h"

#include <QString>
#include <ostream>

// Readable QString values in the test failures.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

struct MarkedText {
    QString text;
    qsizetype selStart = 0;
    qsizetype selLength = 0;
};

inline MarkedText parseMarked(const QString &marked)
{
    MarkedText m;
    qsizetype open = -1;
    for (QChar c : marked) {
        if (c == u'|') {
            m.selStart = m.text.size();
        } else if (c == u'[') {
            open = m.text.size();
        } else if (c == u']') {
            m.selStart = open;
            m.selLength = m.text.size() - open;
        } else {
            m.text.append(c);
        }
    }
    return m;
}

inline QString markSelection(const QString &text, qsizetype start, qsizetype length)
{
    if (length == 0)
        return text.left(start) + u'|' + text.mid(start);
    return text.left(start) + u'[' + text.mid(start, length) + u']' + text.mid(start + length);
}

struct StructureHarness {
    TextBuffer buffer;
    ScriptedPrompts prompts;
    LocatorState state;
    MessageCatalogue catalogue;
    StructureContext ctx{buffer, prompts, [this](int n) { return catalogue.message(n); }, state};

    explicit StructureHarness(const QString &marked = QString())
    {
        catalogue.activate(1);
        load(marked);
    }
    void load(const QString &marked)
    {
        const MarkedText m = parseMarked(marked);
        buffer.loadText(m.text);
        buffer.select(m.selStart, m.selLength);
    }
    // The editor's text with its selection (or caret) marked.
    QString marked() const { return markSelection(buffer.text(), buffer.selStart(), buffer.selLength()); }
    // The messages shown, as "kind|caption|text|buttons" lines.
    QStringList shown() const
    {
        QStringList out;
        for (const auto &s : prompts.shown)
            out << msgKindName(s.kind) + u'|' + s.caption + u'|' + s.text + u'|' + buttonsText(s.buttons);
        return out;
    }
};
