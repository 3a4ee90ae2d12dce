// The code check on the real editor: the hourglass stands while the page changes and is
// gone when the report shows; the result is one edit that Undo takes back; the document
// keeps its line-break style.
#include "app/ui/application.h"
#include "app/ui/mainform.h"
#include "editing/editorbuffer.h"
#include "editing/ui/synedit.h"
#include "tests/ui/uifixture.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// Notes the cursor whenever a message box shows.
class CursorPrompts : public StubPrompts
{
public:
    int message(MsgKind, const QString &, const QString &text, int buttons) override
    {
        texts << text;
        cursorAtMessage << (QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : -1);
        return escapeButton(buttons);
    }
    QStringList texts;
    QList<int> cursorAtMessage;
};

struct Window {
    Window()
    {
        form = createApplication(platform, prompts, {});
        form->show();
        QApplication::processEvents();
    }
    ~Window() { delete form; }
    StubPlatform platform;
    CursorPrompts prompts;
    TMainForm *form = nullptr;
};

} // namespace

TEST(CodeCheckCommand, HourglassWhileTheTextChangesAndOneUndoStep)
{
    Window w;
    w.form->document.FFileName = w.platform.folder.path() + "/page.html";
    EditorBuffer &b = w.form->buffer();
    const QString page = "<html>\r\n<head>\r\n</head>\r\n<body>\r\n<P>x</P>\r\n</body>\r\n</html>";
    b.setText(page);
    QList<int> cursorWhileChanging;
    QObject::connect(w.form->editor(), &QsciScintilla::textChanged, [&] {
        cursorWhileChanging << (QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : -1);
    });
    w.form->run("Paragraph1Click", Sender{"Paragraph1", 0});
    ASSERT_FALSE(cursorWhileChanging.isEmpty());
    for (int shape : cursorWhileChanging)
        EXPECT_EQ(shape, Qt::WaitCursor);
    ASSERT_EQ(w.prompts.texts, QStringList{"Code check finished."});
    EXPECT_EQ(w.prompts.cursorAtMessage, QList<int>{-1});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(b.text().startsWith("<!DOCTYPE html>\r\n<html>"));
    EXPECT_TRUE(b.text().contains("<p>x</p>"));
    EXPECT_TRUE(b.modified());
    b.undo();
    EXPECT_EQ(b.text(), page);
}

TEST(CodeCheckCommand, LineBreakStyleKept)
{
    Window w;
    w.form->document.FFileName = w.platform.folder.path() + "/page.htm";
    EditorBuffer &b = w.form->buffer();
    b.loadText("<html>\n<head>\n</head>\n<body>\n<div>x /div>\n</body>\n</html>");
    ASSERT_EQ(b.lineBreak(), LineBreak::LF);
    w.form->run("Paragraph1Click", Sender{"Paragraph1", 0});
    EXPECT_EQ(b.lineBreak(), LineBreak::LF);
    EXPECT_TRUE(b.text().contains("<div>x</div>"));
    // The repair wrote the file, with the document's line breaks.
    QFile f(w.form->document.FFileName);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.contains("<div>x</div>\n</body>"));
    EXPECT_FALSE(bytes.contains('\r'));
}
