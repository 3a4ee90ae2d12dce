// The simple text editor window and the text transformation commands on the real editor:
// layout, hints, the toolbar position, its files and their encodings, and one undo step
// per command.
#include "tests/ui/uifixture.h"

#include "app/ui/application.h"
#include "app/ui/formtext.h"
#include "app/ui/mainform.h"
#include "editing/editorbuffer.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class RecordingPlatform : public StubPlatform
{
public:
    void showHelp(const QString &file, int topic) override { help << QStringLiteral("%1 %2").arg(file).arg(topic); }
    QStringList help;
};

class AnsweringPrompts : public StubPrompts
{
public:
    int message(MsgKind kind, const QString &caption, const QString &text, int buttons) override
    {
        shown << QStringLiteral("%1|%2|%3|%4").arg(msgKindName(kind), caption, text, buttonsText(buttons));
        return escapeButton(buttons);
    }
    QStringList openFiles(const FileDialogRequest &r) override
    {
        requests << QStringLiteral("open %1|%2").arg(r.initialFolder, r.fileName);
        return opens.isEmpty() ? QStringList() : QStringList{opens.takeFirst()};
    }
    QString saveFile(const FileDialogRequest &r) override
    {
        requests << QStringLiteral("save %1|%2|%3|%4").arg(r.initialFolder, r.fileName, r.filter).arg(r.overwritePrompt);
        return saves.isEmpty() ? QString() : saves.takeFirst();
    }
    QStringList shown, requests, opens, saves;
};

struct Fixture {
    Fixture()
    {
        form = createApplication(platform, prompts, {});
        form->show();
        QApplication::processEvents();
        text = form->dialogAs<TFormText>(QStringLiteral("TFormText"));
    }
    ~Fixture() { delete form; }
    QString path(const char *name) const { return platform.folder.path() + QLatin1Char('/') + QLatin1String(name); }
    QByteArray bytes(const char *name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
    }
    void write(const char *name, const QByteArray &b) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(b);
    }
    void click(const char *button) const
    {
        auto *b = text->findChild<QToolButton *>(QLatin1String(button));
        ASSERT_NE(b, nullptr) << button;
        b->click();
    }

    RecordingPlatform platform;
    AnsweringPrompts prompts;
    TMainForm *form = nullptr;
    TFormText *text = nullptr;
};

} // namespace

TEST(FormText, LayoutHintsAndToolbarPosition)
{
    Fixture f;
    ASSERT_NE(f.text, nullptr);
    EXPECT_EQ(f.text->objectName(), QStringLiteral("TFormText"));
    EXPECT_EQ(f.text->windowTitle(), QStringLiteral("Editor"));

    QStringList order;
    for (QAction *a : f.text->ToolBar1->actions())
        order << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
    order.removeAll(QString()); // the indent
    EXPECT_EQ(order.join(QLatin1Char(' ')),
              QStringLiteral("ToolButton1 ToolButton2 ToolButton3 Buttonspeichern | ToolButton14 ToolButton6 "
                             "ToolButton5 | ToolButton7 ToolButton4 ToolButton10 | ToolButton13 ToolButton11"));

    // Icons that can be told apart.
    QList<QImage> icons;
    for (QToolButton *b : f.text->ToolBar1->findChildren<QToolButton *>()) {
        if (!b->defaultAction() || b->objectName() != b->defaultAction()->objectName())
            continue;
        EXPECT_EQ(b->size(), QSize(37, 40)) << b->objectName().toStdString();
        const QImage img = b->icon().pixmap(20, 20).toImage();
        for (const QImage &other : std::as_const(icons))
            EXPECT_NE(img, other) << b->objectName().toStdString();
        icons << img;
    }
    EXPECT_EQ(icons.size(), 12);

    QPlainTextEdit *memo = f.text->Memo;
    EXPECT_EQ(memo->objectName(), QStringLiteral("Memo"));
    EXPECT_EQ(memo->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(memo->font().pixelSize(), 13);
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(f.text->wordWrap());

    // Hints in the language the main window gives before showing it.
    f.form->InterfaceLanguage = 0;
    f.form->trigger(QStringLiteral("Startsimpletexteditor1"));
    QApplication::processEvents();
    EXPECT_TRUE(f.text->isVisible());
    EXPECT_FALSE(f.text->isModal());
    auto hint = [&](const char *name) { return f.text->findChild<QToolButton *>(QLatin1String(name))->toolTip(); };
    EXPECT_EQ(hint("ToolButton2"), QStringLiteral("Datei \u00f6ffen"));
    EXPECT_EQ(hint("ToolButton13"), QStringLiteral("Zeilenbegrenzung an/aus"));
    f.text->close();
    f.form->InterfaceLanguage = 1;
    f.form->trigger(QStringLiteral("Startsimpletexteditor1"));
    EXPECT_EQ(hint("ToolButton2"), QStringLiteral("Open file"));
    EXPECT_EQ(hint("ToolButton11"), QStringLiteral("Exit"));

    // 900 wide: the buttons start 200 pixels from the left edge; a narrow window keeps
    // the indent it had.
    auto firstButtonX = [&] {
        QApplication::processEvents();
        auto *b = f.text->findChild<QToolButton *>(QStringLiteral("ToolButton1"));
        return b->mapTo(f.text, QPoint(0, 0)).x();
    };
    f.text->resize(900, 500);
    QApplication::processEvents();
    EXPECT_EQ(f.text->toolbarIndent(), 200);
    EXPECT_EQ(firstButtonX(), 200);
    f.text->resize(400, 500);
    QApplication::processEvents();
    EXPECT_EQ(f.text->toolbarIndent(), 200);
    f.text->resize(1000, 500);
    EXPECT_EQ(firstButtonX(), 250);

    // Word wrap off shows both scroll bars, on again only the vertical one.
    f.click("ToolButton13");
    EXPECT_FALSE(f.text->wordWrap());
    EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    f.click("ToolButton13");
    EXPECT_TRUE(f.text->wordWrap());
    EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    // F1 anywhere in the window.
    f.text->activateWindow();
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_F1);
    ASSERT_EQ(f.platform.help.size(), 1);
    EXPECT_TRUE(f.platform.help.first().endsWith(QStringLiteral(" 150")));
}

TEST(FormText, TextSurvivesClosingAndSetTextIsOneUndoStep)
{
    Fixture f;
    f.form->trigger(QStringLiteral("Startsimpletexteditor1"));
    f.text->Memo->setPlainText(QStringLiteral("notes\u00a0kept"));
    f.text->setText(QStringLiteral("a\r\nb\nc"));
    EXPECT_EQ(f.text->text(), QStringLiteral("a\r\nb\r\nc"));
    f.text->Memo->undo();
    EXPECT_EQ(f.text->text(), QStringLiteral("notes\u00a0kept")); // the no-break space stays one

    f.text->close();
    EXPECT_FALSE(f.text->isVisible());
    f.form->trigger(QStringLiteral("Startsimpletexteditor1"));
    EXPECT_EQ(f.text->text(), QStringLiteral("notes\u00a0kept"));
    f.form->trigger(QStringLiteral("Startsimpletexteditor1")); // already shown: to the front, unchanged
    EXPECT_EQ(f.text->text(), QStringLiteral("notes\u00a0kept"));

    f.click("ToolButton11");
    EXPECT_FALSE(f.text->isVisible());
    EXPECT_EQ(f.text->text(), QString());
}

TEST(FormText, FilesAndTheirEncodings)
{
    Fixture f;
    f.form->trigger(QStringLiteral("Startsimpletexteditor1"));

    // Save with a blank text writes nothing and asks nothing.
    f.text->setText(QStringLiteral("  \r\n "));
    f.click("Buttonspeichern");
    EXPECT_TRUE(f.prompts.requests.isEmpty());

    // A UTF-8 file with its mark: opened, emptied with New, new text saved to it with
    // its mark and CR LF after every line.
    f.write("a.txt", "\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F" "e\nzwei");
    f.prompts.opens << f.path("a.txt");
    f.click("ToolButton2");
    EXPECT_EQ(f.text->text(), QStringLiteral("Gr\u00fc\u00dfe\r\nzwei"));
    EXPECT_EQ(f.text->CurrentFile, f.path("a.txt"));
    f.click("ToolButton1");
    EXPECT_EQ(f.text->text(), QString());
    EXPECT_EQ(f.text->CurrentFile, f.path("a.txt"));
    f.text->setText(QStringLiteral("\u20ac 1\r\n\u2126"));
    f.prompts.requests.clear();
    f.click("Buttonspeichern");
    EXPECT_TRUE(f.prompts.requests.isEmpty());
    EXPECT_EQ(f.bytes("a.txt"), QByteArray("\xEF\xBB\xBF\xE2\x82\xAC 1\r\n\xE2\x84\xA6\r\n"));

    // An ANSI file comes back in the code page; a character it lacks makes it UTF-8.
    f.write("b.txt", "caf\xE9\r\n\x80");
    f.prompts.opens << f.path("b.txt");
    f.click("ToolButton2");
    EXPECT_EQ(f.text->text(), QStringLiteral("caf\u00e9\r\n\u20ac"));
    f.click("Buttonspeichern");
    EXPECT_EQ(f.bytes("b.txt"), QByteArray("caf\xE9\r\n\x80\r\n"));
    f.text->setText(QStringLiteral("\u2126"));
    f.click("Buttonspeichern");
    EXPECT_EQ(f.bytes("b.txt"), QByteArray("\xEF\xBB\xBF\xE2\x84\xA6\r\n"));

    // UTF-8 without a mark is recognised as the document files recognise it, and written
    // back without one.
    f.write("u.txt", "Gr\xC3\xBC\xC3\x9F" "e");
    f.prompts.opens << f.path("u.txt");
    f.click("ToolButton2");
    EXPECT_EQ(f.text->text(), QStringLiteral("Gr\u00fc\u00dfe"));
    f.click("Buttonspeichern");
    EXPECT_EQ(f.bytes("u.txt"), QByteArray("Gr\xC3\xBC\xC3\x9F" "e\r\n"));

    // UTF-16 both ways.
    f.write("c.txt", QByteArray("\xFF\xFE" "a\0\r\0\n\0\xAC\x20", 10));
    f.prompts.opens << f.path("c.txt");
    f.click("ToolButton2");
    EXPECT_EQ(f.text->text(), QStringLiteral("a\r\n\u20ac"));
    f.click("Buttonspeichern");
    EXPECT_EQ(f.bytes("c.txt"), QByteArray("\xFF\xFE" "a\0\r\0\n\0\xAC\x20\r\0\n\0", 14));
    f.write("d.txt", QByteArray("\xFE\xFF\0x", 4));
    f.prompts.opens << f.path("d.txt");
    f.click("ToolButton2");
    EXPECT_EQ(f.text->text(), QStringLiteral("x"));
    f.prompts.saves << f.path("e.txt");
    f.prompts.requests.clear();
    f.click("ToolButton3");
    EXPECT_EQ(f.prompts.requests, QStringList{QStringLiteral("save %1/|d.txt||0").arg(f.platform.folder.path())});
    EXPECT_EQ(f.bytes("e.txt"), QByteArray("\xFE\xFF\0x\0\r\0\n", 8));
    EXPECT_EQ(f.text->CurrentFile, f.path("e.txt"));

    // A file that cannot be read: the default error box, text and current file unchanged.
    f.prompts.opens << f.path("missing.txt");
    f.click("ToolButton2");
    ASSERT_EQ(f.prompts.shown.size(), 1);
    EXPECT_TRUE(f.prompts.shown.first().startsWith(QStringLiteral("error|Sorvex|Cannot open file")));
    EXPECT_EQ(f.text->text(), QStringLiteral("x"));
    EXPECT_EQ(f.text->CurrentFile, f.path("e.txt"));

    // A file that cannot be written: reported, the old file whole, the name unchanged.
    f.prompts.saves << f.path("no-such-folder/f.txt");
    f.click("ToolButton3");
    ASSERT_EQ(f.prompts.shown.size(), 2);
    EXPECT_TRUE(f.prompts.shown.last().startsWith(QStringLiteral("error|Sorvex|Cannot create file")));
    EXPECT_EQ(f.text->CurrentFile, f.path("e.txt"));

    // Cancelled dialogs change nothing.
    f.click("ToolButton2");
    f.click("ToolButton3");
    EXPECT_EQ(f.text->text(), QStringLiteral("x"));
    EXPECT_EQ(f.text->CurrentFile, f.path("e.txt"));
}

TEST(Transforms, EveryCommandIsOneUndoStep)
{
    Fixture f;
    EditorBuffer &b = f.form->buffer();
    const QString page = QStringLiteral("<html>\r\n<body class=\"a-b\">\r\n<p>well-known  \u00c4rger</p>\r\n"
                                        "<script>\r\nvar x-y;\r\n</script>\r\nup-to-date\r\n</body>");
    struct Case {
        const char *item;
        const char16_t *after;
        qsizetype selStart, selLength;
    } cases[] = {
        {"NoLineFeed1", u"<html><body class=\"a-b\"><p>well-known \u00c4rger</p>\r\n<script>\r\nvar x-y;\r\n</script>up-to-date</body>", 0, 0},
        {"InsertLineFeeds1", u"<html>\r\n\r\n<body class=\"a-b\">\r\n\r\n<p>\r\nwell-known  \u00c4rger</p>\r\n\r\n\r\n<script>\r\nvar x-y;\r\n</script>\r\n\r\nup-to-date\r\n</body>\r\n", 0, 0},
        {"RemoveHyphenation1", u"<html>\r\n<body class=\"a-b\">\r\n<p>wellknown  \u00c4rger</p>\r\n<script>\r\nvar xy;\r\n</script>\r\nup-to-date\r\n</body>", 0, 0},
        {"Replace3", u"<html>\r\n<body class=\"a-b\">\r\n<p>well-known  &Auml;rger</p>\r\n<script>\r\nvar x-y;\r\n</script>\r\nup-to-date\r\n</body>", 0, 0},
        {"UppertoLower1", u"<html>\r\n<body class=\"a-b\">\r\n<p>well-known  \u00c4rger</p>\r\n<script>\r\nvar x-y;\r\n</script>\r\nup-to-date\r\n</body>", 0, 0},
        {"LowertoUpper1", u"<HTML>\r\n<BODY class=\"a-b\">\r\n<p>well-known  \u00c4rger</p>\r\n<script>\r\nvar x-y;\r\n</script>\r\nup-to-date\r\n</body>", 0, 13},
        {"MakeEntitie1", u"<html>\r\n<body class=\"a-b\">\r\n<p>well-known  &#196;</p>\r\n<script>\r\nvar x-y;\r\n</script>\r\nup-to-date\r\n</body>", 43, 5},
        {"MakeStringVariable1", u"<html>\r\n<body class=\"a-b\">\r\n'<p>well-known  \u00c4rger</p>'+\r\n'<script>';\r\nvar x-y;\r\n</script>\r\nup-to-date\r\n</body>", 28, 34},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.item);
        b.loadText(page);
        b.select(c.selStart, c.selLength);
        f.form->trigger(QString::fromLatin1(c.item));
        EXPECT_EQ(b.text(), QString::fromUtf16(c.after));
        if (b.text() != page) {
            EXPECT_TRUE(b.modified());
            b.undo();
            EXPECT_EQ(b.text(), page);
        }
    }
    EXPECT_EQ(f.prompts.shown, QStringList{QStringLiteral("plain|Sorvex|2 x hyphenation deleted.|[OK]")});
    // The string variable stays in the scratch editor, which is not shown for it.
    EXPECT_EQ(f.text->text(), QStringLiteral("'<p>well-known  \u00c4rger</p>'+\r\n'<script>';"));
    EXPECT_FALSE(f.text->isVisible());

    // The caret ends where the last removed hyphen was.
    b.loadText(QStringLiteral("<body>a-b c-d E-F"));
    f.form->trigger(QStringLiteral("RemoveHyphenation1"));
    EXPECT_EQ(b.text(), QStringLiteral("<body>ab cd E-F"));
    EXPECT_EQ(b.selStart(), 10);

    // Nothing to remove: no edit, the report all the same.
    b.loadText(QStringLiteral("<body>Well-Known"));
    f.form->trigger(QStringLiteral("RemoveHyphenation1"));
    EXPECT_FALSE(b.modified());
    EXPECT_EQ(f.prompts.shown.last(), QStringLiteral("plain|Sorvex|0 x hyphenation deleted.|[OK]"));

    // The character code asks for a selection first.
    b.select(0, 0);
    f.form->trigger(QStringLiteral("MakeEntitie1"));
    EXPECT_EQ(f.prompts.shown.last(),
              QStringLiteral("confirmation|Sorvex|To get the HTML code of a character select it first!|[OK]"));
    EXPECT_FALSE(b.modified());

    // The page text goes to the scratch editor, shown, the document unchanged.
    b.loadText(page);
    f.form->trigger(QStringLiteral("FilterText1"));
    EXPECT_EQ(f.text->text(), QStringLiteral("well-known \u00c4rger\r\nvar x-y;\r\nup-to-date"));
    EXPECT_TRUE(f.text->isVisible());
    EXPECT_FALSE(f.text->isModal());
    EXPECT_FALSE(b.modified());
    f.text->Memo->undo(); // the scratch editor's previous text is one undo away
    EXPECT_EQ(f.text->text(), QStringLiteral("'<p>well-known  \u00c4rger</p>'+\r\n'<script>';"));
}
