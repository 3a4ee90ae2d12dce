#include "editing/formatting.h"
#include "editing/htmlcolor.h"
#include "editing/textbuffer.h"
#include "editing/textops.h"

#include <gtest/gtest.h>
#include <random>

using namespace sx;

TEST(HtmlColor, Color2HTML)
{
    EXPECT_EQ(Color2HTML(0x0000FF), QStringLiteral("#FF0000"));
    EXPECT_EQ(Color2HTML(0x80FF00), QStringLiteral("#00FF80"));
    EXPECT_EQ(Color2HTML(0x000000), QStringLiteral("#000000"));
    EXPECT_EQ(Color2HTML(0xABCDEF), QStringLiteral("#EFCDAB"));
    // A system colour gives its current RGB value, never the raw value.
    EXPECT_EQ(Color2HTML(BtnFace), QStringLiteral("#F0F0F0"));
    setSystemColorResolver([](int index) { return index == 15 ? 0x123456u : 0u; });
    EXPECT_EQ(Color2HTML(BtnFace), QStringLiteral("#563412"));
    EXPECT_EQ(ColorToRGB(BtnFace), 0x123456u);
    setSystemColorResolver({});
    EXPECT_EQ(ColorToRGB(BtnFace), 0xF0F0F0u);
}

TEST(HtmlColor, HtmlColorToColor)
{
    struct Case {
        const char16_t *text;
        qint64 value;
    };
    const Case cases[] = {
        {u"#FF8000", 0x0080FF}, {u"FF8000", 0x0080FF}, {u"#FFF", 0xFFF},    {u"red", -1},
        {u" #00ff00 ", 0x00FF00}, {u"", -1},          {u"   ", -1},        {u"#", -1},
        {u"#12", 0x12},         {u"#FF00001234", 0x0000FF}, {u"#-1", -1}, {u"#12 456", -1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(HtmlColorToColor(QString::fromUtf16(c.text)), c.value) << QString::fromUtf16(c.text).toStdString();
    // The two conversions are each other's reverse.
    for (quint32 v : {0x0u, 0x0000FFu, 0x80FF00u, 0xFFFFFFu, 0x123456u})
        EXPECT_EQ(HtmlColorToColor(Color2HTML(v)), qint64(v));
}

TEST(FontSpan, Parts)
{
    EXPECT_EQ(FontSpan(QStringLiteral("Arial"), QStringLiteral("12"), 0x0000FF, QStringLiteral("Hi")),
              QStringLiteral("<span style=\" font-family:Arial; font-size:12px; color:#FF0000;\">Hi </span>"));
    EXPECT_EQ(FontSpan(QStringLiteral("Arial"), QString(), 0, QStringLiteral("x")),
              QStringLiteral("<span style=\" font-family:Arial; color:#000000;\">x </span>"));
    EXPECT_EQ(FontSpan(QString(), QStringLiteral("12pt"), NoColor, QString()),
              QStringLiteral("<span style=\" font-size:12ptpx;\"> </span>"));
    EXPECT_EQ(FontSpan(QStringLiteral("  "), QStringLiteral(" "), NoColor, QStringLiteral("x")),
              QStringLiteral("<span style=\"\">x </span>"));
}

TEST(FontSpan, BlankSelectionDroppedAndOneUndo)
{
    TextBuffer b(QStringLiteral("a   b"));
    b.select(1, 3);
    ApplyFontSpan(b, QStringLiteral("Arial"), QString(), 0);
    EXPECT_EQ(b.text(), QStringLiteral("a<span style=\" font-family:Arial; color:#000000;\"> </span>   b"));
    b.undo();
    EXPECT_EQ(b.text(), QStringLiteral("a   b"));
}

namespace {
// Records the colour each dialog opened with.
struct ColorPrompts : ScriptedPrompts {
    QList<quint32> opened;
    bool chooseColor(quint32 &color) override
    {
        opened.append(color);
        return ScriptedPrompts::chooseColor(color);
    }
};
} // namespace

TEST(ColorCommand, Preselection)
{
    struct Case {
        const char16_t *selected;
        qint64 preselected; // -1: the last colour stays
    };
    const Case cases[] = {
        {u"Red", 0x0000FF},        {u" red ", 0x0000FF},   {u"#336699", 0x996633}, {u"336699", 0x996633},
        {u"#FF0000", -1},          {u"#33669", 0x096633},        {u"BtnFace", 0xF0F0F0}, {u"Fuchsia", 0xFF00FF},
        {u"orange", -1},           {u"", -1},              {u"#-12345", -1},       {u"12#3456", -1},
    };
    for (const Case &c : cases) {
        TextBuffer b(QString::fromUtf16(c.selected));
        b.selectAll();
        ColorPrompts prompts;
        prompts.colors << -1;
        quint32 last = 0xABCDEF;
        ColorCommand(b, prompts, last);
        ASSERT_EQ(prompts.opened.size(), 1);
        EXPECT_EQ(prompts.opened[0], c.preselected < 0 ? 0xABCDEFu : quint32(c.preselected))
            << QString::fromUtf16(c.selected).toStdString();
        EXPECT_EQ(b.text(), QString::fromUtf16(c.selected)); // cancelled: nothing changes
        EXPECT_EQ(b.undoDepth(), 0);
    }
}

TEST(ColorCommand, ConfirmedColourReplacesSelectionAndIsRemembered)
{
    TextBuffer b(QStringLiteral("x Red y"));
    b.select(2, 3);
    ColorPrompts prompts;
    prompts.colors << 0x80FF00 << 0x112233;
    quint32 last = 0;
    ColorCommand(b, prompts, last);
    EXPECT_EQ(prompts.opened[0], 0x0000FFu);
    EXPECT_EQ(b.text(), QStringLiteral("x #00FF80 y"));
    EXPECT_EQ(last, 0x80FF00u);
    // Nothing selected: the code goes in at the caret; the dialog opens on the last colour.
    b.setSelStart(0);
    ColorCommand(b, prompts, last);
    EXPECT_EQ(prompts.opened[1], 0x80FF00u);
    EXPECT_EQ(b.text(), QStringLiteral("#332211x #00FF80 y"));
    b.undo();
    EXPECT_EQ(b.text(), QStringLiteral("x #00FF80 y"));
}

TEST(CountOccurrences, OverlappingAndCaseInsensitive)
{
    EXPECT_EQ(CountOccurrences(u"<sp<SP<sp", u"<sp"), 3);
    EXPECT_EQ(CountOccurrences(u"aaaa", u"aa"), 3);
    EXPECT_EQ(CountOccurrences(u"xa", u"a"), 1);
    EXPECT_EQ(CountOccurrences(u"a", u"a"), 0); // the search would start at the last unit
    EXPECT_EQ(CountOccurrences(u"", u"a"), 0);
    EXPECT_EQ(CountOccurrences(u"\u00c4", u"\u00e4"), 0);
}

namespace {
// The procedure as described: find the first head from the start, the first ">" after
// it, replace the range by one space, and search again from the start.
QString removeOpenTagsReference(const QString &text, const QString &head)
{
    QString t = text;
    const qsizetype original = text.size();
    for (;;) {
        const qsizetype h = posAsciiCi(head, t, 1);
        if (h == 0)
            break;
        const qsizetype g = pos(u">", t, h + 1);
        if (g == 0 || g >= original)
            break;
        t = ReplaceRange(t, h, g - h + 1, u" ");
    }
    return t;
}
} // namespace

TEST(RemoveOpenTags, Cases)
{
    struct Case {
        const char16_t *text, *head, *result;
    };
    const Case cases[] = {
        {u"<font color=\"red\">Hi</font>", u"<font", u" Hi</font>"},
        {u"<SPAN a>x<span b>y", u"<span", u" x y"},
        {u"<span a>", u"<span", u"<span a>"},          // its ">" is the last unit
        {u"<span a", u"<span", u"<span a"},            // no ">"
        {u"<p<p style=\"a\">style=\"b\">x", u"<p style=", u" x"}, // the space makes a new head
        {u"<p<p style=a>style=b>", u"<p style=", u" "},
        {u"<p<p style=1>tyle=2>x", u"<p style=", u"<p tyle=2>x"},
        {u"x<p <p style=a> style=b>", u"<p style=", u"x<p   style=b>"},
    };
    for (const Case &c : cases) {
        const QString text = QString::fromUtf16(c.text), head = QString::fromUtf16(c.head);
        EXPECT_EQ(RemoveOpenTags(text, head), QString::fromUtf16(c.result)) << text.toStdString();
        EXPECT_EQ(removeOpenTagsReference(text, head), QString::fromUtf16(c.result)) << text.toStdString();
    }
}

TEST(RemoveOpenTags, OnePassSameAsReferenceOnGeneratedTexts)
{
    std::mt19937 rng(11);
    const QString pieces[] = {QStringLiteral("<p"), QStringLiteral(" "), QStringLiteral("style="), QStringLiteral(">"),
                              QStringLiteral("<P STYLE="), QStringLiteral("x"), QStringLiteral("<span"),
                              QStringLiteral("<"), QStringLiteral("s"), QStringLiteral("<font")};
    const QString heads[] = {QStringLiteral("<p style="), QStringLiteral("<span"), QStringLiteral("<font"),
                             QStringLiteral("<p class="), QStringLiteral("p>"), QStringLiteral("<")};
    for (int round = 0; round < 5000; ++round) {
        QString text;
        const int n = int(rng() % 14);
        for (int i = 0; i < n; ++i)
            text += pieces[rng() % std::size(pieces)];
        const QString &head = heads[rng() % std::size(heads)];
        ASSERT_EQ(RemoveOpenTags(text, head), removeOpenTagsReference(text, head))
            << text.toStdString() << " / " << head.toStdString();
    }
}

TEST(RemoveFormatting, ElementAroundTheCaret)
{
    const QString nested = QStringLiteral("<span style=\"color:red\">a<span class=\"k\">b</span>c</span>");
    struct Case {
        const char *name;
        QString text;
        qsizetype caret;
        QString result;
    };
    const Case cases[] = {
        {"bold", QStringLiteral("x <b>bold</b> y"), 8, QStringLiteral("x bold y")},
        {"outer span", nested, 25, QStringLiteral(" a bc")},
        {"inner span", nested, 42, QStringLiteral("<span style=\"color:red\">a bc</span>")},
        {"font", QStringLiteral("<font color=\"red\">Hi</font>"), 20, QStringLiteral(" Hi")},
        {"element at the very start", QStringLiteral("<i>x</i> y"), 4, QStringLiteral("x y")},
        {"caret before any <", QStringLiteral("ab <b>c</b>"), 2, QStringLiteral("ab <b>c</b>")},
        {"caret at 0", QStringLiteral("<b>c</b>"), 0, QStringLiteral("<b>c</b>")},
        {"no end tag", QStringLiteral("a <b>c"), 5, QStringLiteral("a <b>c")},
        {"other attributes stay", QStringLiteral("<p align=\"center\"><B>x</B></p>"), 22,
         QStringLiteral("<p align=\"center\">x</p>")},
        {"styled paragraph", QStringLiteral("<p style=\"a\">x</p>"), 14, QStringLiteral(" x")},
        {"empty span", QStringLiteral("<span class=\"k\"></span>"), 16, QStringLiteral(" ")},
        {"headings and strong", QStringLiteral("<h1><strong>t</strong></h1>"), 13, QStringLiteral("<h1>t</h1>")},
    };
    for (const Case &c : cases) {
        TextBuffer b(c.text);
        b.setSelStart(c.caret);
        RemoveFormatting(b);
        EXPECT_EQ(b.text(), c.result) << c.name;
        if (c.result != c.text) {
            EXPECT_EQ(b.undoDepth(), 1) << c.name;
            b.undo();
            EXPECT_EQ(b.text(), c.text) << c.name;
        } else {
            EXPECT_EQ(b.undoDepth(), 0) << c.name;
            EXPECT_EQ(b.selStart(), c.caret) << c.name;
        }
    }
}

TEST(RemoveFormatting, SelectsTheElementAndRevealsTheOldPlace)
{
    TextBuffer b(QStringLiteral("x <b>bold</b> y"));
    b.setSelStart(8);
    ASSERT_TRUE(SelectFormattedElement(b));
    EXPECT_EQ(b.selText(), QStringLiteral("<b>bold</b>"));

    QString text;
    for (int i = 1; i <= 10; ++i)
        text += QStringLiteral("line %1\r\n").arg(i);
    text += QStringLiteral("<b>x</b>");
    TextBuffer c(text);
    c.setCaretXY(1, 3);
    c.setSelStart(c.length() - 5); // inside the element on line 11
    RemoveFormatCommand(c);
    EXPECT_TRUE(c.text().endsWith(QStringLiteral("\r\nx")));
    EXPECT_EQ(c.caretY(), 11); // line 11 + 3, at most the last line
}
