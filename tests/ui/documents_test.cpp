// Document files through the real main window and editor: open, save in every encoding,
// Save As, backups, reload, printing, the save prompt, and what survives a round trip.
#include "tests/ui/uitestsupport.h"

#include "app/documentfile.h"
#include "app/ui/application.h"
#include "app/ui/mainform.h"
#include "editing/editorbuffer.h"
#include "editing/ui/synedit.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

namespace {

QString utf8(const char *s) { return QString::fromUtf8(s); }

// The bytes of a text in an encoding, built without the code under test.
QByteArray encodeAs(const QString &text, TextEncoding enc)
{
    QByteArray out;
    switch (enc.codec) {
    case FileEncoding::ANSI: return text.toLatin1(); // the fixtures stay within Latin-1
    case FileEncoding::UTF8: return (enc.byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
    case FileEncoding::UTF16LE:
    case FileEncoding::UTF16BE: {
        const bool le = enc.codec == FileEncoding::UTF16LE;
        out = le ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
        for (QChar c : text) {
            const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
            out.append(le ? lo : hi);
            out.append(le ? hi : lo);
        }
        return out;
    }
    }
    return out;
}

const TextEncoding kEncodings[] = {TextEncoding::ansi(), TextEncoding::utf8(true), TextEncoding::utf8(false),
                                   TextEncoding::utf16le(), TextEncoding::utf16be()};
const char *encodingName(TextEncoding e)
{
    switch (e.codec) {
    case FileEncoding::ANSI: return "ANSI";
    case FileEncoding::UTF8: return e.byteOrderMark ? "UTF-8 with mark" : "UTF-8 without mark";
    case FileEncoding::UTF16LE: return "UTF-16 LE";
    case FileEncoding::UTF16BE: return "UTF-16 BE";
    }
    return "";
}

class Documents : public ::testing::Test
{
protected:
    TestPlatform platform;
    TestPrompts prompts;
    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;

    void SetUp() override { start({}); }
    void TearDown() override { setWriteFault({}); }

    void start(const QStringList &args)
    {
        form.reset();
        form.reset(createApplication(platform, prompts, args));
        form->show();
    }
    QString path(const QString &name) const { return QDir::toNativeSeparators(dir.filePath(name)); }
    QString folder() const { return QDir::toNativeSeparators(dir.path() + QLatin1Char('/')); }
    QString put(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        return path(name);
    }
    QByteArray bytes(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    EditorBuffer &buf() { return form->buffer(); }
    void trigger(const char *item) { form->trigger(QString::fromUtf8(item)); }
    // Types at the end of the text as a user would: one undoable edit that marks the
    // document modified.
    void edit(const QString &typed)
    {
        buf().setSelStart(buf().length());
        buf().setSelText(typed);
    }
    void dropOnEditor(const QStringList &paths)
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString &p : paths)
            urls << QUrl::fromLocalFile(p);
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form->editor()->viewport(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form->editor()->viewport(), &drop);
    }
};

const QString kMeta = QStringLiteral("<meta name=\"GENERATOR\" content=\"Sorvex\">");

} // namespace

// Open then Save of a page with CR LF line breaks writes the very bytes that were read,
// in every encoding, with and without a final line break, when the page already carries
// the generator meta element or has no "</head>". A page that declares UTF-8 is written
// as UTF-8 with a mark, its generator meta element untouched.
TEST_F(Documents, OpenThenSaveRoundTrips)
{
    const QString withMeta = utf8("<html><head>\r\n<title>Gr\xC3\xBC\xC3\x9F" "e</title>\r\n") + kMeta
                             + utf8("\r\n</head>\r\n<body>\xC3\xBC" "ber</body></html>");
    const QString noHead = utf8("<p>Gr\xC3\xBC\xC3\x9F" "e</p>\r\n\r\n<p>\xC3\xBC" "ber</p>");
    const QString declares = utf8("<html><head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
                                  "charset=utf-8\">\r\n<meta name=\"generator\" content=\"Old 1.0\">\r\n</head>\r\n"
                                  "<body>\xC3\xBC" "ber</body></html>");
    enum Expect { SameBytes, Utf8WithMark };
    const struct {
        const char *page;
        QString text;
        bool finalBreak;
        Expect expect;
    } cases[] = {
        {"generator meta, final line break", withMeta, true, SameBytes},
        {"generator meta, no final line break", withMeta, false, SameBytes},
        {"no head, final line break", noHead, true, SameBytes},
        {"no head, no final line break", noHead, false, SameBytes},
        {"declares UTF-8, final line break", declares, true, Utf8WithMark},
        {"declares UTF-8, no final line break", declares, false, Utf8WithMark},
    };
    for (const auto &c : cases)
        for (TextEncoding enc : kEncodings) {
            SCOPED_TRACE(std::string(c.page) + ", " + encodingName(enc));
            const QString text = c.text + (c.finalBreak ? QStringLiteral("\r\n") : QString());
            const QByteArray original = encodeAs(text, enc);
            const QString file = put(QStringLiteral("page.html"), original);
            ASSERT_TRUE(form->PerformFileOpen(file));
            EXPECT_EQ(form->document.encoding, enc);
            EXPECT_FALSE(buf().modified());
            trigger("FileSaveItem");
            EXPECT_TRUE(prompts.shown.isEmpty()) << prompts.lines().join(QLatin1Char('\n')).toStdString();
            EXPECT_FALSE(buf().modified());
            if (c.expect == SameBytes) {
                EXPECT_EQ(bytes(QStringLiteral("page.html")), original);
                EXPECT_EQ(form->document.SaveEncoding, QString());
            } else {
                EXPECT_EQ(bytes(QStringLiteral("page.html")), QByteArray("\xEF\xBB\xBF") + text.toUtf8());
                EXPECT_EQ(form->document.SaveEncoding, QStringLiteral("UTF-8"));
            }
            QFile::remove(path(QStringLiteral("page.BAK")));
        }
}

// LF, CR and U+2028 keep their style through Reload and Save As; Save sets the whole
// text, which makes the line breaks CR LF.
TEST_F(Documents, LineBreakStyles)
{
    enum Action { SaveAs, ReloadThenSaveAs, Save };
    const QString lines[] = {QStringLiteral("<p>one</p>"), utf8("<p>zw\xC3\xB6lf</p>"), QString(), QStringLiteral("x")};
    const struct {
        const char *name;
        TextEncoding enc;
        LineBreak lb;
        Action action;
        bool expectCrLf;
    } cases[] = {
        {"LF, Save As", TextEncoding::utf8(false), LineBreak::LF, SaveAs, false},
        {"LF, Reload, Save As", TextEncoding::utf8(false), LineBreak::LF, ReloadThenSaveAs, false},
        {"LF, Save", TextEncoding::utf8(false), LineBreak::LF, Save, true},
        {"CR, Save As", TextEncoding::ansi(), LineBreak::CR, SaveAs, false},
        {"CR, Reload, Save As", TextEncoding::ansi(), LineBreak::CR, ReloadThenSaveAs, false},
        {"CR, Save", TextEncoding::ansi(), LineBreak::CR, Save, true},
        {"U+2028, Save As", TextEncoding::utf16le(), LineBreak::LS, SaveAs, false},
        {"U+2028, Reload, Save As", TextEncoding::utf8(true), LineBreak::LS, ReloadThenSaveAs, false},
        {"U+2028, Save", TextEncoding::utf16be(), LineBreak::LS, Save, true},
    };
    for (const auto &c : cases)
        for (bool finalBreak : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (finalBreak ? ", final line break" : ""));
            QString text;
            for (const QString &l : lines)
                text += l + lineBreakText(c.lb);
            if (!finalBreak)
                text.chop(lineBreakText(c.lb).size());
            const QByteArray original = encodeAs(text, c.enc);
            const QString file = put(QStringLiteral("page.htm"), original);
            ASSERT_TRUE(form->PerformFileOpen(file));
            EXPECT_EQ(buf().lineBreak(), c.lb);
            QByteArray written;
            switch (c.action) {
            case ReloadThenSaveAs:
                // A command's whole-text set makes the style CR LF; the reload finds it again.
                buf().setText(buf().text());
                EXPECT_EQ(buf().lineBreak(), LineBreak::CRLF);
                trigger("ButtonReload");
                EXPECT_EQ(buf().lineBreak(), c.lb);
                [[fallthrough]];
            case SaveAs:
                QFile::remove(path(QStringLiteral("copy.htm")));
                prompts.saves << path(QStringLiteral("copy.htm"));
                trigger("FileSaveAsItem");
                written = bytes(QStringLiteral("copy.htm"));
                EXPECT_EQ(form->document.FFileName, path(QStringLiteral("copy.htm")));
                break;
            case Save:
                trigger("FileSaveItem");
                written = bytes(QStringLiteral("page.htm"));
                break;
            }
            QString expected = text;
            if (c.expectCrLf)
                expected = withLineBreaks(QString(text).replace(QChar(0x2028), u'\n'), LineBreak::CRLF);
            EXPECT_EQ(written, encodeAs(expected, c.enc));
            EXPECT_TRUE(prompts.shown.isEmpty());
            QFile::remove(path(QStringLiteral("page.BAK")));
            QFile::remove(path(QStringLiteral("copy.BAK")));
        }
}

// Files that are hardly text: NUL bytes, bytes that are no text at all (with line
// breaks of every kind mixed), and a 200 MB page open without a crash, and Save of the
// unchanged document writes the same bytes back.
TEST_F(Documents, UnusualFilesSurviveOpenAndSave)
{
    QByteArray noise(1 << 20, Qt::Uninitialized);
    QRandomGenerator rng(11);
    for (char &c : noise)
        c = char(rng.bounded(256));
    noise.replace(0, 8, "\x89PNG\r\n\x1A\n");

    QByteArray big;
    {
        const QByteArray row = "<tr><td>Zeile mit \xE4 und \x80</td><td>0123456789 abcdefghij</td></tr>\r\n";
        big = "<html><head>\r\n" + kMeta.toLatin1() + "\r\n</head><body><table>\r\n";
        const qsizetype target = 200 * 1024 * 1024;
        big.reserve(target + row.size());
        while (big.size() < target)
            big.append(row);
        big.append("</table></body></html>\r\n");
    }
    static const char nul[] = "<p>a\0b</p>\r\n\0\0\r\n<p>\xE4\0</p>";
    static const char utf16[] = "\xFF\xFE<\0p\0>\0\0\0\r\0\n\0";
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"NUL bytes", QByteArray(nul, sizeof nul - 1)},
        {"UTF-16 with NUL characters", QByteArray(utf16, sizeof utf16 - 1)},
        {"not text at all", noise},
        {"200 MB page", big},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = put(QStringLiteral("odd.html"), c.bytes);
        ASSERT_TRUE(form->PerformFileOpen(file));
        EXPECT_EQ(buf().modified(), false);
        trigger("FileSaveItem");
        EXPECT_TRUE(prompts.shown.isEmpty()) << prompts.lines().join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(bytes(QStringLiteral("odd.html")) == c.bytes);
        EXPECT_TRUE(bytes(QStringLiteral("odd.BAK")) == c.bytes);
        QFile::remove(path(QStringLiteral("odd.BAK")));
    }
    big = QByteArray();
    form->PerformFileOpen(put(QStringLiteral("small.html"), "x"));
}

TEST_F(Documents, SaveRewritesThePage)
{
    // contenteditable goes in any case; the generator meta element comes before
    // "</head>"; the encoding read stays.
    const QByteArray page = "\xEF\xBB\xBF<html><HEAD><title>\xC3\xA4</title></head>\r\n<body ConTentEditable=\"TRUE\">x</body>";
    put(QStringLiteral("edit.html"), page);
    ASSERT_TRUE(form->PerformFileOpen(path(QStringLiteral("edit.html"))));
    trigger("FileSaveItem");
    EXPECT_EQ(bytes(QStringLiteral("edit.html")), "\xEF\xBB\xBF<html><HEAD><title>\xC3\xA4</title>" + kMeta.toLatin1()
                                                       + "\r\n</head>\r\n<body >x</body>");
    EXPECT_FALSE(buf().modified());
    // One undo takes the meta element back.
    buf().undo();
    EXPECT_EQ(buf().text(), utf8("<html><HEAD><title>\xC3\xA4</title></head>\r\n<body >x</body>"));

    // An existing element written as <meta name=generator ...> is replaced.
    put(QStringLiteral("gen.htm"), "<head><meta name=generator content=\"Other 2\"></head>");
    ASSERT_TRUE(form->PerformFileOpen(path(QStringLiteral("gen.htm"))));
    trigger("SaveButton");
    EXPECT_EQ(bytes(QStringLiteral("gen.htm")), "<head>" + kMeta.toLatin1() + "</head>");

    // A character the code page lacks, typed into an ANSI page: the page is written as
    // UTF-8 with a mark rather than losing it, and reads back the same.
    put(QStringLiteral("ansi.html"), "<p>\xE4</p>");
    ASSERT_TRUE(form->PerformFileOpen(path(QStringLiteral("ansi.html"))));
    edit(utf8("\xC5\x82"));
    trigger("FileSaveItem");
    EXPECT_EQ(bytes(QStringLiteral("ansi.html")), "\xEF\xBB\xBF<p>\xC3\xA4</p>\xC5\x82");
    EXPECT_EQ(form->document.encoding, TextEncoding::utf8(true));

    // An editor without any text saves nothing and says nothing; one space is saved.
    buf().loadText(QString());
    trigger("FileSaveItem");
    EXPECT_EQ(bytes(QStringLiteral("ansi.html")), "\xEF\xBB\xBF<p>\xC3\xA4</p>\xC5\x82");
    buf().setText(QStringLiteral(" "));
    trigger("FileSaveItem");
    EXPECT_EQ(bytes(QStringLiteral("ansi.html")), "\xEF\xBB\xBF ");
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(Documents, SaveAsExportAndOverwrite)
{
    put(QStringLiteral("page.html"), "\xEF\xBB\xBF<p>\xC3\xA4</p>");
    ASSERT_TRUE(form->PerformFileOpen(path(QStringLiteral("page.html"))));
    edit(utf8("\xE4\xB8\xAD"));

    // The ".txt" export: a plain ANSI copy; name and modified flag stay.
    prompts.saves << path(QStringLiteral("NOTES.TXT"));
    trigger("FileSaveAsItem");
    EXPECT_EQ(bytes(QStringLiteral("NOTES.TXT")), "<p>\xE4</p>?\r\n");
    EXPECT_EQ(form->document.FFileName, path(QStringLiteral("page.html")));
    EXPECT_EQ(form->panel(3)->text(), path(QStringLiteral("page.html")));
    EXPECT_TRUE(buf().modified());
    ASSERT_EQ(prompts.requests.size(), 1);
    EXPECT_EQ(prompts.requests[0].filter,
              QStringLiteral("All (*.*)|*.*|HTML Files (*.HTM)|*.HTM;*HTML|Ascii Text (*.TXT)|*.TXT"));
    EXPECT_EQ(prompts.requests[0].fileName, QStringLiteral("page.html"));
    EXPECT_EQ(QDir::toNativeSeparators(prompts.requests[0].initialFolder), folder());
    EXPECT_EQ(prompts.requests[0].defaultExtension, QString());

    // An existing file: Cancel writes nothing, OK overwrites; the mark stays.
    put(QStringLiteral("other.html"), "old");
    prompts.saves << path(QStringLiteral("other.html")) << path(QStringLiteral("other.html"));
    prompts.answers << Btn::Cancel << Btn::OK;
    trigger("FileSaveAsItem");
    EXPECT_EQ(bytes(QStringLiteral("other.html")), "old");
    trigger("FileSaveAsItem");
    EXPECT_EQ(bytes(QStringLiteral("other.html")), "\xEF\xBB\xBF<p>\xC3\xA4</p>\xE4\xB8\xAD");
    EXPECT_EQ(form->document.FFileName, path(QStringLiteral("other.html")));
    EXPECT_EQ(form->panel(3)->text(), path(QStringLiteral("other.html")));
    EXPECT_FALSE(buf().modified());
    EXPECT_EQ(prompts.lines(), QStringList({QStringLiteral("confirmation|Sorvex|OK to overwrite other.html|[OK,Cancel]"),
                                            QStringLiteral("confirmation|Sorvex|OK to overwrite other.html|[OK,Cancel]")}));

    // Cancelling the dialog changes nothing.
    edit(QStringLiteral("y"));
    trigger("FileSaveAsItem");
    EXPECT_TRUE(buf().modified());
    EXPECT_EQ(form->document.FFileName, path(QStringLiteral("other.html")));
}

TEST_F(Documents, AsciiAndUtf8Writes)
{
    put(QStringLiteral("page.html"), "<p>\xE4</p>");
    ASSERT_TRUE(form->PerformFileOpen(path(QStringLiteral("page.html"))));
    edit(utf8("\r\n\xC4\x81\xE2\x82\xAC"));
    prompts.saves << path(QStringLiteral("ascii.htm")) << path(QStringLiteral("utf8.htm"));
    trigger("ASCIITextspeichern1");
    EXPECT_EQ(bytes(QStringLiteral("ascii.htm")), "<p>\xE4</p>\r\na\x80");
    EXPECT_FALSE(buf().modified());
    edit(QStringLiteral("!"));
    trigger("Utf8speichern1");
    EXPECT_EQ(bytes(QStringLiteral("utf8.htm")), "\xEF\xBB\xBF<p>\xC3\xA4</p>\r\n\xC4\x81\xE2\x82\xAC!");
    EXPECT_EQ(form->document.FFileName, path(QStringLiteral("page.html")));
    EXPECT_FALSE(buf().modified());
    EXPECT_EQ(bytes(QStringLiteral("page.html")), "<p>\xE4</p>");
    ASSERT_EQ(prompts.requests.size(), 2);
    EXPECT_EQ(prompts.requests[1].fileName, QStringLiteral("page.html"));

    // A blank text: no dialog, nothing written.
    buf().setText(QStringLiteral("  \r\n"));
    trigger("Utf8speichern1");
    EXPECT_EQ(prompts.requests.size(), 2);
}

TEST_F(Documents, WriteFailuresReportAndKeepEverything)
{
    put(QStringLiteral("page.html"), "<p>old</p>");
    ASSERT_TRUE(form->PerformFileOpen(path(QStringLiteral("page.html"))));
    edit(QStringLiteral("new"));
    // Every write fails between the complete temporary file and the rename.
    setWriteFault([](WriteStage s, const QString &) { return s != WriteStage::Commit; });

    trigger("FileSaveItem");
    prompts.saves << path(QStringLiteral("as.html")) << path(QStringLiteral("as.txt")) << path(QStringLiteral("a.htm"))
                  << path(QStringLiteral("u.htm"));
    trigger("FileSaveAsItem");
    trigger("FileSaveAsItem");
    trigger("ASCIITextspeichern1");
    trigger("Utf8speichern1");
    const QString p = path(QStringLiteral("page.html"));
    EXPECT_EQ(prompts.lines(), QStringList({
                                   QStringLiteral("error|Sorvex|Cannot save file:") + p + QStringLiteral("|[OK]"),
                                   QStringLiteral("error|Sorvex|Cannot save file: ") + path(QStringLiteral("as.html")) + QStringLiteral("|[OK]"),
                                   QStringLiteral("error|Sorvex|Cannot save file: ") + path(QStringLiteral("as.txt")) + QStringLiteral("|[OK]"),
                                   QStringLiteral("error|Sorvex|Cannot save file:") + path(QStringLiteral("a.htm")) + QStringLiteral("|[OK]"),
                                   QStringLiteral("error|Sorvex|Cannot save file:") + path(QStringLiteral("u.htm")) + QStringLiteral("|[OK]"),
                               }));
    EXPECT_EQ(bytes(QStringLiteral("page.html")), "<p>old</p>");
    for (const char *n : {"as.html", "as.txt", "a.htm", "u.htm"})
        EXPECT_FALSE(QFile::exists(path(QString::fromLatin1(n)))) << n;
    EXPECT_TRUE(buf().modified());
    EXPECT_EQ(form->document.FFileName, p);
    setWriteFault({});

    // A real failure: the document's folder has vanished.
    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    put(QStringLiteral("sub/gone.html"), "<p>x</p>");
    ASSERT_TRUE(form->PerformFileOpen(path(QStringLiteral("sub/gone.html"))));
    edit(QStringLiteral("y"));
    ASSERT_TRUE(QDir(path(QStringLiteral("sub"))).removeRecursively());
    prompts.shown.clear();
    trigger("FileSaveItem");
    EXPECT_EQ(prompts.lines(), QStringList(QStringLiteral("error|Sorvex|Cannot save file:") + path(QStringLiteral("sub/gone.html"))
                                           + QStringLiteral("|[OK]")));
    EXPECT_TRUE(buf().modified());
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("sub"))));
}

TEST_F(Documents, FilesThatCannotBeRead)
{
    put(QStringLiteral("page.html"), "<p>mine</p>");
    ASSERT_TRUE(form->PerformFileOpen(path(QStringLiteral("page.html"))));
    edit(QStringLiteral(" changed"));
    QDir(dir.path()).mkdir(QStringLiteral("folder.css"));
    for (const char *bad : {"missing.css", "folder.css"}) {
        SCOPED_TRACE(bad);
        prompts.shown.clear();
        EXPECT_FALSE(form->PerformFileOpen(path(QString::fromLatin1(bad))));
        EXPECT_EQ(prompts.lines(), QStringList(QStringLiteral("error|Sorvex|Cannot open file:") + path(QString::fromLatin1(bad))
                                               + QStringLiteral("|[OK]")));
        // The previous document stays as it was; nothing is written.
        EXPECT_EQ(form->document.FFileName, path(QStringLiteral("page.html")));
        EXPECT_EQ(buf().text(), QStringLiteral("<p>mine</p> changed"));
        EXPECT_TRUE(buf().modified());
        EXPECT_EQ(buf().highlighter(), Highlighter::HTML);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({QStringLiteral("page.BAK"), QStringLiteral("page.html")}));

    // A reload of a file that has gone reports it and keeps the text.
    QFile::remove(path(QStringLiteral("page.html")));
    prompts.shown.clear();
    trigger("ButtonReload");
    EXPECT_EQ(prompts.lines(), QStringList(QStringLiteral("error|Sorvex|Cannot open file:") + path(QStringLiteral("page.html"))
                                           + QStringLiteral("|[OK]")));
    EXPECT_EQ(buf().text(), QStringLiteral("<p>mine</p> changed"));
}

TEST_F(Documents, Backups)
{
    const QByteArray first = "<p>first</p>\r\n";
    put(QStringLiteral("index.html"), first);
    ASSERT_TRUE(form->PerformFileOpen(path(QStringLiteral("index.html"))));
    EXPECT_EQ(bytes(QStringLiteral("index.BAK")), first);
    // Never refreshed: neither by the same file nor by index.htm of the same folder.
    put(QStringLiteral("index.html"), "<p>second</p>");
    ASSERT_TRUE(form->PerformFileOpen(path(QStringLiteral("index.html"))));
    put(QStringLiteral("index.htm"), "<p>htm</p>");
    ASSERT_TRUE(form->PerformFileOpen(path(QStringLiteral("index.htm"))));
    EXPECT_EQ(bytes(QStringLiteral("index.BAK")), first);
    put(QStringLiteral("README"), "r");
    ASSERT_TRUE(form->PerformFileOpen(path(QStringLiteral("README"))));
    EXPECT_EQ(bytes(QStringLiteral("README.BAK")), "r");

    // A failed copy: the default error box; the document is loaded and unmodified.
    setWriteFault([](WriteStage, const QString &p) { return !p.endsWith(QLatin1String(".BAK")); });
    put(QStringLiteral("style.css"), "p{}");
    EXPECT_TRUE(form->PerformFileOpen(path(QStringLiteral("style.css"))));
    EXPECT_EQ(prompts.lines(), QStringList(QStringLiteral("error|Sorvex|Creating backup file failed!|[OK]")));
    EXPECT_EQ(buf().text(), QStringLiteral("p{}"));
    EXPECT_FALSE(buf().modified());
    EXPECT_EQ(buf().highlighter(), Highlighter::CSS);
    EXPECT_EQ(form->document.FFileName, path(QStringLiteral("style.css")));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("style.BAK"))));
}

TEST_F(Documents, DeleteBackupFiles)
{
    put(QStringLiteral("a.BAK"), "a");
    put(QStringLiteral("b.BAK"), "b");
    put(QStringLiteral("page.html"), "p");
    ASSERT_TRUE(form->PerformFileOpen(path(QStringLiteral("page.html"))));
    const QStringList chosen = {path(QStringLiteral("a.BAK")), path(QStringLiteral("b.BAK")), path(QStringLiteral("page.BAK"))};
    prompts.opens << chosen << chosen << QStringList{};
    prompts.answers << Btn::No << Btn::Yes;
    trigger("Deletebackupfiles1");
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("a.BAK"))));
    trigger("Deletebackupfiles1");
    trigger("Deletebackupfiles1");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList(QStringLiteral("page.html")));
    const QString q = QStringLiteral("question|Delete backup file(s)?|a.BAK\r\nb.BAK\r\npage.BAK\r\n|[Yes,No]");
    EXPECT_EQ(prompts.lines(), QStringList({q, q}));
    ASSERT_EQ(prompts.requests.size(), 3);
    const FileDialogRequest &r = prompts.requests[0];
    EXPECT_EQ(r.filter, QStringLiteral("Backup files (*.bak)|*.bak"));
    EXPECT_EQ(r.defaultExtension, QStringLiteral("bak"));
    EXPECT_TRUE(r.multiple);
    EXPECT_TRUE(r.mustExist);
    EXPECT_EQ(r.fileName, QString());
    EXPECT_EQ(QDir::toNativeSeparators(r.initialFolder), folder());
}

TEST_F(Documents, ReloadKeepsNameHighlighterAndBookmarks)
{
    put(QStringLiteral("script.js"), "var a;\nvar b;\nvar c;\n");
    ASSERT_TRUE(form->PerformFileOpen(path(QStringLiteral("script.js"))));
    EXPECT_EQ(buf().highlighter(), Highlighter::JavaScript);
    buf().setCaretXY(1, 3);
    form->SetBookmarkAtCaret(2);
    edit(QStringLiteral("lost"));
    put(QStringLiteral("script.js"), "\xEF\xBB\xBFvar \xC3\xA4;\r\nvar b;\r\nvar c;\r\nvar d;");
    QFile::remove(path(QStringLiteral("script.BAK")));
    trigger("ButtonReload");
    EXPECT_TRUE(prompts.shown.isEmpty());
    EXPECT_EQ(buf().text(), utf8("var \xC3\xA4;\r\nvar b;\r\nvar c;\r\nvar d;"));
    EXPECT_FALSE(buf().modified());
    EXPECT_EQ(form->document.encoding, TextEncoding::utf8(true));
    EXPECT_EQ(buf().highlighter(), Highlighter::JavaScript);
    EXPECT_EQ(buf().bookmark(2).line, 3);
    EXPECT_TRUE(form->bookmarkMarked(2));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("script.BAK"))));

    // Without a file there is nothing to reload.
    form->SetFileName(form->Message(0));
    trigger("ButtonReload");
    EXPECT_EQ(buf().text(), utf8("var \xC3\xA4;\r\nvar b;\r\nvar c;\r\nvar d;"));
}

TEST_F(Documents, OpenDialogAndCommandLine)
{
    put(QStringLiteral("start.xml"), "<a/>");
    start({path(QStringLiteral("start.xml")), QStringLiteral("ignored")});
    EXPECT_EQ(form->document.FFileName, path(QStringLiteral("start.xml")));
    EXPECT_EQ(form->panel(3)->text(), path(QStringLiteral("start.xml")));
    EXPECT_EQ(buf().highlighter(), Highlighter::XML);
    start({path(QStringLiteral("nothing.xml"))});
    EXPECT_EQ(form->document.FFileName, QString());
    EXPECT_TRUE(prompts.shown.isEmpty());

    // Without a document the open dialog starts at the root of the executable's drive,
    // with one the folder of its file.
    put(QStringLiteral("a.php"), "<?php ?>");
    prompts.opens << QStringList{path(QStringLiteral("a.php"))} << QStringList{};
    trigger("OpenButton");
    EXPECT_EQ(buf().highlighter(), Highlighter::PHP);
    trigger("FileOpenItem");
    ASSERT_EQ(prompts.requests.size(), 2);
    EXPECT_EQ(prompts.requests[0].initialFolder, QStringLiteral("/"));
    EXPECT_EQ(prompts.requests[0].filter, QStringLiteral("All (*.*)|*.*|HTML|*.HTML;*.HTM|TXT|*.TXT|RTF|*.RTF"));
    EXPECT_FALSE(prompts.requests[0].multiple);
    EXPECT_EQ(prompts.requests[0].fileName, QString());
    EXPECT_EQ(QDir::toNativeSeparators(prompts.requests[1].initialFolder), folder());
    EXPECT_EQ(form->document.FFileName, path(QStringLiteral("a.php")));
}

// The save prompt's three answers, when opening, dropping and closing.
TEST_F(Documents, SavePromptAnswers)
{
    enum Op { Open, Drop, Close };
    const struct {
        const char *name;
        Op op;
        int answer;
        bool saved, done;
    } cases[] = {
        {"open, Yes", Open, Btn::Yes, true, true},   {"open, No", Open, Btn::No, false, true},
        {"open, Cancel", Open, Btn::Cancel, false, false}, {"drop, Yes", Drop, Btn::Yes, true, true},
        {"drop, No", Drop, Btn::No, false, true},    {"drop, Cancel", Drop, Btn::Cancel, false, false},
        {"close, Yes", Close, Btn::Yes, true, true}, {"close, No", Close, Btn::No, false, true},
        {"close, Cancel", Close, Btn::Cancel, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        start({});
        prompts.shown.clear();
        prompts.requests.clear();
        put(QStringLiteral("mine.html"), "<p>mine</p>");
        put(QStringLiteral("next.html"), "<p>next</p>");
        ASSERT_TRUE(form->PerformFileOpen(path(QStringLiteral("mine.html"))));
        edit(QStringLiteral(" edited"));
        prompts.answers << c.answer;
        switch (c.op) {
        case Open:
            prompts.opens << QStringList{path(QStringLiteral("next.html"))};
            trigger("FileOpenItem");
            EXPECT_EQ(prompts.requests.size(), c.done ? 1 : 0);
            prompts.opens.clear();
            break;
        case Drop: dropOnEditor({path(QStringLiteral("next.html")), path(QStringLiteral("mine.html"))}); break;
        case Close: form->close(); break;
        }
        EXPECT_EQ(prompts.lines(),
                  QStringList(QStringLiteral("confirmation|Sorvex|Save changes to: mine.html|[Yes,No,Cancel]")));
        EXPECT_EQ(bytes(QStringLiteral("mine.html")), c.saved ? "<p>mine</p> edited" : "<p>mine</p>");
        if (c.op == Close) {
            EXPECT_EQ(form->isVisible(), !c.done);
        } else {
            EXPECT_EQ(form->document.FFileName, path(c.done ? QStringLiteral("next.html") : QStringLiteral("mine.html")));
            EXPECT_EQ(buf().text(), c.done ? QStringLiteral("<p>next</p>") : QStringLiteral("<p>mine</p> edited"));
        }
        EXPECT_EQ(form->SaveCancelled, !c.done);
    }
}

TEST_F(Documents, SavePromptForNewAndUnchangedDocuments)
{
    put(QStringLiteral("next.html"), "<p>next</p>");
    // A new document: "untitled.html"; Yes goes through Save As, and cancelling that
    // dialog cancels the operation that asked, so nothing is lost.
    buf().setText(QStringLiteral("<p>new</p>"));
    prompts.answers << Btn::Yes;
    dropOnEditor({path(QStringLiteral("next.html"))});
    EXPECT_EQ(prompts.lines(), QStringList(QStringLiteral("confirmation|Sorvex|Save changes to: untitled.html|[Yes,No,Cancel]")));
    EXPECT_EQ(buf().text(), QStringLiteral("<p>new</p>"));
    EXPECT_TRUE(form->SaveCancelled);
    ASSERT_EQ(prompts.requests.size(), 1);
    EXPECT_EQ(prompts.requests[0].fileName, QString());

    // Yes with a save that fails keeps the document as well. (Only the document's write
    // fails: the settings written while closing are not the point here.)
    form->SetFileName(path(QStringLiteral("new.html")));
    setWriteFault([](WriteStage, const QString &p) { return !p.endsWith(QLatin1String("new.html")); });
    prompts.shown.clear();
    prompts.answers << Btn::Yes;
    form->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(prompts.shown.size(), 2);
    setWriteFault({});

    // Unchanged or blank documents are not asked about.
    prompts.shown.clear();
    buf().setText(QStringLiteral("  \r\n "));
    dropOnEditor({path(QStringLiteral("next.html"))});
    EXPECT_EQ(form->document.FFileName, path(QStringLiteral("next.html")));
    prompts.opens << QStringList{path(QStringLiteral("next.html"))};
    trigger("FileOpenItem");
    EXPECT_TRUE(prompts.shown.isEmpty());

    // Exit asks once: after No the closing window does not ask again.
    edit(QStringLiteral("x"));
    prompts.answers << Btn::No;
    trigger("FileExitItem");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(prompts.shown.size(), 1);
    EXPECT_EQ(bytes(QStringLiteral("next.html")), "<p>next</p>");
}

TEST_F(Documents, PrintsTheSourceToPdf)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is missing";
    QString text = QStringLiteral("<html>\r\n<body>Druck &amp; Test</body>\r\n");
    for (int i = 0; i < 30; ++i)
        text += QStringLiteral("wort%1 ").arg(i);
    text += QStringLiteral("\r\n");
    for (int i = 0; i < 150; ++i)
        text += QStringLiteral("line %1\r\n").arg(i);
    buf().setText(text);
    const QString pdf = path(QStringLiteral("out.pdf"));
    prompts.printFiles << QString() << pdf;
    trigger("PrintButton");
    EXPECT_FALSE(QFile::exists(pdf)) << "a cancelled print dialog prints nothing";
    trigger("FilePrintItem");
    ASSERT_TRUE(QFile::exists(pdf));

    auto run = [](const QString &program, const QStringList &args) {
        QProcess p;
        p.start(program, args);
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    // The text is the source, over several pages.
    const QString plain = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(plain.contains(QStringLiteral("<body>Druck &amp; Test</body>")));
    EXPECT_TRUE(plain.contains(QStringLiteral("line 149")));
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(QRegularExpression(QStringLiteral("Pages:\\s+[2-9]")).match(info).hasMatch()) << info.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("Title:\\s+<html>")).match(info).hasMatch()) << info.toStdString();
    // Arial (or its metric twin), 8 points.
    const QString fonts = run(QStringLiteral("pdffonts"), {pdf});
    EXPECT_TRUE(fonts.contains(QStringLiteral("Arial")) || fonts.contains(QStringLiteral("Liberation"))) << fonts.toStdString();

    // Inside the margins: 1 cm left, 0.5 cm top, right and bottom (28.35 and 14.17 pt).
    const QString boxes = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const QRegularExpression page(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">"));
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">"));
    const auto pm = page.match(boxes);
    ASSERT_TRUE(pm.hasMatch());
    const double w = pm.captured(1).toDouble(), h = pm.captured(2).toDouble();
    double minX = 1e9, minY = 1e9, maxX = 0, maxY = 0, height = 0;
    for (auto it = word.globalMatch(boxes); it.hasNext();) {
        const auto m = it.next();
        minX = std::min(minX, m.captured(1).toDouble());
        minY = std::min(minY, m.captured(2).toDouble());
        maxX = std::max(maxX, m.captured(3).toDouble());
        maxY = std::max(maxY, m.captured(4).toDouble());
        height = std::max(height, m.captured(4).toDouble() - m.captured(2).toDouble());
    }
    EXPECT_NEAR(minX, 28.35, 1.5);
    EXPECT_NEAR(minY, 14.17, 2.5);
    EXPECT_LE(maxX, w - 14.17 + 0.5);
    EXPECT_LE(maxY, h - 14.17 + 0.5);
    EXPECT_GT(maxX, w / 2) << "the long line fills the width";
    EXPECT_GT(height, 7.0);
    EXPECT_LT(height, 11.0);

    // Navy: the most saturated pixels of the first page are blue, without red or green.
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("100"),
                                     QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                     pdf, path(QStringLiteral("page"))});
    QImage img(path(QStringLiteral("page-1.png")));
    if (img.isNull())
        img.load(path(QStringLiteral("page-01.png")));
    ASSERT_FALSE(img.isNull());
    QColor darkest(Qt::white);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() + c.green() < darkest.red() + darkest.green())
                darkest = c;
        }
    EXPECT_LT(darkest.red(), 40);
    EXPECT_LT(darkest.green(), 40);
    EXPECT_GT(darkest.blue(), 90);
    EXPECT_LT(darkest.blue(), 170);
}
