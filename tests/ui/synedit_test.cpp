// The editor widget's configuration as a user sees it.
#include "editing/ui/scintillabuffer.h"
#include "editing/ui/synedit.h"

#include <Qsci/qscilexerhtml.h>
#include <QTest>
#include <gtest/gtest.h>

TEST(SynEdit, StartConfiguration)
{
    SynEdit editor;
    EXPECT_EQ(editor.objectName(), "SynMemo1");
    EXPECT_EQ(editor.highlighter(), Highlighter::HTML);
    EXPECT_TRUE(editor.wordWrapOn());
    EXPECT_EQ(editor.wrapMode(), QsciScintilla::WrapWord);
    EXPECT_EQ(editor.tabWidth(), 3);
    EXPECT_FALSE(editor.indentationsUseTabs());
    EXPECT_EQ(editor.fontFamily(), "Courier New");
    // 13 pixels high on this screen, whatever its resolution (Scintilla sizes in points).
    const double points = editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETSIZEFRACTIONAL,
                                               long(QsciScintillaBase::STYLE_DEFAULT))
                          / double(QsciScintillaBase::SC_FONT_SIZE_MULTIPLIER);
    EXPECT_NEAR(points * editor.logicalDpiY() / 72.0, 13.0, 0.1);
    editor.setFontPoints(12);
    EXPECT_EQ(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETSIZE, long(QsciScintillaBase::STYLE_DEFAULT)), 12);
    // Entities red, comments olive (colour values have red in the low byte).
    EXPECT_EQ(editor.htmlColor(HtmlAttr::Entity), 0x0000FFu);
    EXPECT_EQ(editor.htmlColor(HtmlAttr::Comment), 0x008080u);
    EXPECT_EQ(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, long(QsciLexerHTML::Entity)), 0x0000FF);
    EXPECT_EQ(editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, long(QsciLexerHTML::HTMLComment)), 0x008080);
    // The gutter: 45 wide with line numbers, 25 without.
    EXPECT_EQ(editor.gutterWidth(), 45);
    editor.setLineNumbers(false);
    EXPECT_EQ(editor.gutterWidth(), 25);
}

TEST(SynEdit, TabInsertsSpaces)
{
    SynEdit editor;
    editor.show();
    editor.setFocus();
    ScintillaBuffer buffer(&editor);
    QTest::keyClicks(&editor, "a");
    QTest::keyClick(&editor, Qt::Key_Tab);
    QTest::keyClicks(&editor, "b");
    EXPECT_EQ(buffer.text(), "a  b");
    QTest::keyClick(&editor, Qt::Key_Return);
    EXPECT_EQ(buffer.text(), "a  b\r\n");
}

TEST(SynEdit, EditsAreNotReportedCharacterByCharacterWithoutAnAccessibilityClient)
{
    // Each report would count the characters from the start of the text.
    SynEdit editor;
    ScintillaBuffer buffer(&editor);
    EXPECT_FALSE(editor.textReports());
    int changes = 0;
    QObject::connect(&editor, &QsciScintilla::modificationChanged, [&](bool m) { changes += m ? 1 : 0; });
    buffer.loadText(QStringLiteral("abc"));
    buffer.setSelText(QStringLiteral("x"));
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(buffer.modified());
    editor.suspendTextReports();
    editor.resumeTextReports();
    EXPECT_FALSE(editor.textReports());
}
