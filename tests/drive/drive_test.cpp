// The driver's script language, its output format, and how it answers windows: a probe
// dialog with one control of every kind the driver supports records the signals that the
// steps raise.
#include "tools/drive/driveoutput.h"
#include "tools/drive/driveplatform.h"
#include "tools/drive/driveprompts.h"
#include "tools/drive/drivescript.h"
#include "tools/drive/widgetsteps.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <Qsci/qsciscintilla.h>

using namespace drive;

void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// ---------------------------------------------------------------------------------------
// Script words and output escaping.

TEST(DriveScript, WordsAndEscapes)
{
    struct Case {
        const char *line;
        QStringList words;
    };
    const Case cases[] = {
        {"print text", {"print", "text"}},
        {"  set\tEditName   \"a b\"  ", {"set", "EditName", "a b"}},
        {R"(text "\r\n\t\"\\")", {"text", "\r\n\t\"\\"}},
        {R"(text "\u00e4\u20AC\x41\xff")", {"text", QString::fromUtf8("ä€A\u00ff")}},
        {R"(text "")", {"text", ""}},
        {R"(set a"b c)", {"set", "a\"b", "c"}},
    };
    for (const Case &c : cases) {
        const ScriptLine l = parseLine(QString::fromUtf8(c.line), 1);
        EXPECT_TRUE(l.error.isEmpty()) << c.line << ": " << l.error.toStdString();
        QStringList got;
        for (const Word &w : l.words)
            got << w.text;
        EXPECT_EQ(got, c.words) << c.line;
    }
    for (const char *bad : {R"(text "open)", R"(text "a\q")", R"(text "\u12")", R"(text "\x4")", R"(text "a"b)", R"(text "a\)"})
        EXPECT_FALSE(parseLine(QString::fromUtf8(bad), 1).error.isEmpty()) << bad;
}

TEST(DriveScript, BlocksCommentsAndEnds)
{
    const QList<Command> cmds = parseScript(QStringLiteral("# comment\n\nexpect message\r\n  # inside\n  click OK\nend\n"
                                                           "print text\nwindow FindDialog1\n close\nend\nend\nexpect input\n"));
    ASSERT_EQ(cmds.size(), 5);
    EXPECT_TRUE(cmds[0].isBlock);
    EXPECT_FALSE(cmds[0].block.immediate);
    EXPECT_EQ(cmds[0].block.name, QStringLiteral("message"));
    ASSERT_EQ(cmds[0].block.steps.size(), 1);
    EXPECT_EQ(cmds[0].block.steps[0].number, 5);
    EXPECT_EQ(cmds[1].line.verb(), QStringLiteral("print"));
    EXPECT_TRUE(cmds[2].block.immediate);
    EXPECT_FALSE(cmds[3].line.error.isEmpty()); // end without a block
    EXPECT_FALSE(cmds[4].line.error.isEmpty()); // a block without end
}

TEST(DriveScript, OutputEscaping)
{
    EXPECT_EQ(quote(QStringLiteral("a\"b\\c\r\n\t")), QStringLiteral(R"("a\"b\\c\r\n\t")"));
    EXPECT_EQ(quote(QString(QChar(1)) + QChar(0x1F) + QChar(0x7F)), QStringLiteral("\"\\x01\\x1F\x7F\""));
    EXPECT_EQ(quote(QString::fromUtf8("ä€😀")), QString::fromUtf8("\"ä€😀\""));
    EXPECT_EQ(quote(QString(QChar(0xD800)) + QLatin1Char('x')), QStringLiteral("\"\\uD800x\""));
    EXPECT_EQ(quote(QString(QChar(0))), QStringLiteral("\"\\x00\""));
    EXPECT_EQ(quoteBytes(QByteArray("A \"\\\r\n\t\x7F\xC3\xA4\x00", 11)), QStringLiteral(R"("A \"\\\r\n\t\x7F\xC3\xA4\x00")"));
    EXPECT_EQ(plainOrQuoted(QStringLiteral("/tmp/a.htm")), QStringLiteral("/tmp/a.htm"));
    EXPECT_EQ(plainOrQuoted(QStringLiteral("/tmp/a b.htm")), QStringLiteral("\"/tmp/a b.htm\""));
    EXPECT_EQ(plainOrQuoted(QString()), QStringLiteral("\"\""));
}

TEST(DriveScript, WindowsCommandLine)
{
    struct Case {
        const char *line;
        QStringList args;
    };
    const Case cases[] = {
        {"a b  c", {"a", "b", "c"}},
        {R"("C:\Program Files\x.exe" -f)", {R"(C:\Program Files\x.exe)", "-f"}},
        {R"(a\\b "c\\" d)", {R"(a\\b)", R"(c\)", "d"}},
        {R"(\"x\" "a \" b")", {R"("x")", R"(a " b)"}},
        {R"("a""b" "")", {R"(a"b)", ""}},
        {R"(ab"c d"e)", {"abc de"}},
        {"", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(splitWindowsCommandLine(QString::fromUtf8(c.line)), c.args) << c.line;
}

TEST(DriveScript, Colors)
{
    EXPECT_EQ(colorText(0x0000FF), QStringLiteral("#FF0000"));
    EXPECT_EQ(colorText(0x302010), QStringLiteral("#102030"));
    quint32 c = 0;
    EXPECT_TRUE(parseColorText(QStringLiteral("#a0b0c0"), &c));
    EXPECT_EQ(c, 0xC0B0A0u);
    for (const char *bad : {"a0b0c0", "#12345", "#12345G", "#1234567"})
        EXPECT_FALSE(parseColorText(QString::fromLatin1(bad), &c)) << bad;
}

TEST(DriveOptions, CommandLine)
{
    DriveOptions o;
    QString error;
    ASSERT_TRUE(parseDriveOptions({"--screen", "1366x768", "--input-locale", "04070407", "--system-language",
                                   "Deutsch (Deutschland)", "--os-major", "6", "--runas-result", "5", "--arg", "a.htm",
                                   "--arg", "b", "--exe-dir", "/x", "--settings-dir", "/y", "case.drive"},
                                  &o, &error))
        << error.toStdString();
    EXPECT_EQ(o.screen, QSize(1366, 768));
    EXPECT_EQ(o.inputLocale, 0x04070407u);
    EXPECT_EQ(o.systemLanguage, QStringLiteral("Deutsch (Deutschland)"));
    EXPECT_EQ(o.osMajor, 6);
    EXPECT_EQ(o.runasResult, 5);
    EXPECT_EQ(o.arguments, (QStringList{"a.htm", "b"}));
    EXPECT_EQ(o.script, QStringLiteral("case.drive"));
    DriveOptions stdinScript;
    EXPECT_TRUE(parseDriveOptions({"-"}, &stdinScript, &error));
    EXPECT_EQ(stdinScript.script, QStringLiteral("-"));

    const QList<QStringList> bad = {
        {},
        {"--screen", "1366", "s"},
        {"--screen", "0x768", "s"},
        {"--input-locale", "xyz", "s"},
        {"--input-locale", "123456789", "s"},
        {"--os-major", "ten", "s"},
        {"--bogus", "1", "s"},
        {"s", "t"},
        {"s", "--arg"},
    };
    for (const QStringList &args : bad) {
        DriveOptions b;
        EXPECT_FALSE(parseDriveOptions(args, &b, &error)) << args.join(QLatin1Char(' ')).toStdString();
    }
}

// ---------------------------------------------------------------------------------------
// The probe dialog.

class Probe : public QDialog
{
public:
    explicit Probe(UiPrompts *prompts = nullptr, const QString &name = QStringLiteral("TFormProbe")) : m_prompts(prompts)
    {
        setObjectName(name);
        auto *lay = new QVBoxLayout(this);
        auto add = [&](QWidget *w, const char *n) {
            w->setObjectName(QString::fromLatin1(n));
            lay->addWidget(w);
        };
        add(edit = new QLineEdit, "EditName");
        add(check = new QCheckBox(QStringLiteral("Check")), "CheckA");
        add(group = new QGroupBox(QStringLiteral("Align")), "RadioGroup1");
        auto *gl = new QVBoxLayout(group);
        for (const char *t : {"Left", "&Center", "Right"})
            gl->addWidget(new QRadioButton(QString::fromLatin1(t)));
        add(combo = new QComboBox, "ComboKind");
        combo->addItems({"a", "b", "c"});
        add(editCombo = new QComboBox, "ComboSize");
        editCombo->setEditable(true);
        editCombo->addItems({"8", "10"});
        add(spin = new QSpinBox, "SpinCount");
        spin->setRange(0, 99);
        add(slider = new QSlider(Qt::Horizontal), "Slider");
        slider->setRange(0, 100);
        add(list = new QListWidget, "ListFiles");
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->addItems({"one.htm", "two.htm", "three.htm"});
        add(single = new QListWidget, "ListOne");
        single->addItems({"x", "y"});
        add(memo = new QPlainTextEdit, "Memo");
        add(label = new QLabel(QStringLiteral("picture")), "Picture");
        label->setMinimumSize(100, 50);
        label->installEventFilter(this);
        add(off = new QPushButton(QStringLiteral("Off")), "ButtonOff");
        off->setEnabled(false);
        add(hiddenEdit = new QLineEdit, "EditHidden");
        hiddenEdit->hide();
        add(ask = new QPushButton(QStringLiteral("Ask")), "ButtonAsk");
        add(ok = new QPushButton(QStringLiteral("OK")), "BitBtn1");
        add(cancel = new QPushButton(QStringLiteral("Cancel")), "BitBtn2");
        ok->setStatusTip(QStringLiteral("Take it"));

        connect(edit, &QLineEdit::textEdited, this, [this] { ++edited; });
        connect(edit, &QLineEdit::editingFinished, this, [this] { ++finished; });
        connect(check, &QCheckBox::clicked, this, [this] { ++checkClicks; });
        connect(combo, qOverload<int>(&QComboBox::activated), this, [this](int i) { activated << i; });
        connect(editCombo, &QComboBox::editTextChanged, this, [this](const QString &t) { comboTexts << t; });
        connect(spin, qOverload<int>(&QSpinBox::valueChanged), this, [this](int v) { spinValues << v; });
        connect(slider, &QSlider::sliderMoved, this, [this](int v) { moved << v; });
        connect(slider, &QSlider::valueChanged, this, [this](int v) { sliderValues << v; });
        connect(single, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *i) { doubled << i->text(); });
        connect(memo, &QPlainTextEdit::textChanged, this, [this] { ++memoChanges; });
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        connect(ask, &QPushButton::clicked, this, [this] {
            answer = m_prompts->message(MsgKind::Question, QStringLiteral("Sorvex"), QStringLiteral("Sure?"), Btn::YesNo);
            if (nested)
                nestedResult = m_prompts->execDialog(nested);
        });
    }

    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (o == label) {
            if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease || e->type() == QEvent::MouseMove) {
                auto *me = static_cast<QMouseEvent *>(e);
                mouse << QStringLiteral("%1:%2,%3:%4")
                             .arg(int(e->type()))
                             .arg(me->position().toPoint().x())
                             .arg(me->position().toPoint().y())
                             .arg(int(me->buttons()));
            } else if (e->type() == QEvent::Enter || e->type() == QEvent::Leave) {
                mouse << (e->type() == QEvent::Enter ? QStringLiteral("enter") : QStringLiteral("leave"));
            }
        }
        return QDialog::eventFilter(o, e);
    }

    QList<QRadioButton *> radios() const { return group->findChildren<QRadioButton *>(); }

    UiPrompts *m_prompts;
    QLineEdit *edit, *hiddenEdit;
    QCheckBox *check;
    QGroupBox *group;
    QComboBox *combo, *editCombo;
    QSpinBox *spin;
    QSlider *slider;
    QListWidget *list, *single;
    QPlainTextEdit *memo;
    QLabel *label;
    QPushButton *off, *ask, *ok, *cancel;
    QDialog *nested = nullptr;
    int edited = 0, finished = 0, checkClicks = 0, memoChanges = 0;
    int answer = 0, nestedResult = -1;
    QList<int> activated, spinValues, moved, sliderValues;
    QStringList comboTexts, doubled, mouse;
};

class DrivePromptsTest : public ::testing::Test
{
protected:
    void SetUp() override { captureOutput(&out); }
    void TearDown() override { captureOutput(nullptr); }

    // Queues the blocks of a script.
    void expect(const char *script)
    {
        for (const Command &c : parseScript(QString::fromUtf8(script))) {
            ASSERT_TRUE(c.line.error.isEmpty()) << c.line.error.toStdString();
            ASSERT_TRUE(c.isBlock);
            prompts.queue(c.block);
        }
    }

    QStringList out;
    DrivePrompts prompts;
};

TEST_F(DrivePromptsTest, SetStepsRaiseTheUsersSignals)
{
    Probe d;
    expect(R"(expect TFormProbe
  set EditName "Hello"
  set EditName ""
  set EditName x
  set CheckA true
  set CheckA true
  set ComboSize 12
  set SpinCount 42
  set Slider 30
  set Memo "one\r\ntwo"
  show EditName
  show CheckA
  show SpinCount
  show Slider
  show Memo
  click BitBtn1
end)");
    EXPECT_EQ(prompts.execDialog(&d), QDialog::Accepted);
    EXPECT_EQ(d.edit->text(), QStringLiteral("x"));
    EXPECT_EQ(d.edited, 3);
    EXPECT_GE(d.finished, 1) << "clicking the button takes the focus from the edit";
    EXPECT_TRUE(d.check->isChecked());
    EXPECT_EQ(d.checkClicks, 1);
    EXPECT_EQ(d.editCombo->currentText(), QStringLiteral("12"));
    EXPECT_TRUE(d.comboTexts.contains(QStringLiteral("12")));
    EXPECT_EQ(d.spin->value(), 42);
    EXPECT_EQ(d.spinValues.last(), 42);
    EXPECT_EQ(d.moved, QList<int>{30});
    EXPECT_EQ(d.sliderValues, QList<int>{30});
    EXPECT_EQ(d.memo->toPlainText(), QStringLiteral("one\ntwo"));
    EXPECT_GE(d.memoChanges, 1);
    EXPECT_EQ(out, (QStringList{"dialog TFormProbe", "show EditName \"x\"", "show CheckA true", "show SpinCount \"42\"",
                                "show Slider \"30\"", "show Memo \"one\\ntwo\""}));
    EXPECT_FALSE(runFailed());
}

TEST_F(DrivePromptsTest, ChooseAndDoubleClickItems)
{
    Probe d;
    expect(R"(expect TFormProbe
  choose ComboKind c
  choose ComboKind #0
  choose RadioGroup1 Center
  show RadioGroup1
  choose RadioGroup1 #2
  show RadioGroup1
  choose ListFiles one.htm
  choose ListFiles three.htm
  show ListFiles
  show ListFiles items
  dblclick ListOne y
  show ListOne
  choose ComboKind d
  close
end)");
    EXPECT_EQ(prompts.execDialog(&d), QDialog::Rejected);
    EXPECT_EQ(d.activated, (QList<int>{2, 0}));
    EXPECT_EQ(d.combo->currentIndex(), 0);
    EXPECT_TRUE(d.radios()[2]->isChecked());
    EXPECT_EQ(d.list->selectedItems().size(), 2);
    EXPECT_EQ(d.doubled, QStringList{"y"});
    EXPECT_EQ(out, (QStringList{"dialog TFormProbe", "show RadioGroup1 \"&Center\"", "show RadioGroup1 \"Right\"",
                                "show ListFiles \"one.htm\" \"three.htm\"",
                                "show ListFiles items \"one.htm\" \"two.htm\" \"three.htm\"", "show ListOne \"y\"",
                                "error no-item ComboKind \"d\""}));
}

TEST_F(DrivePromptsTest, ControlsAPersonCannotOperateAreErrors)
{
    Probe d;
    expect(R"(expect TFormProbe
  click ButtonOff
  set EditHidden x
  click Nowhere
  set Picture x
  choose EditName x
  show ButtonOff state
  show EditHidden state
  show BitBtn1 state
  frob x
  click BitBtn2
end)");
    EXPECT_EQ(prompts.execDialog(&d), QDialog::Rejected);
    EXPECT_EQ(out, (QStringList{"dialog TFormProbe", "error disabled ButtonOff", "error hidden EditHidden",
                                "error unknown-control Nowhere", "error unsupported set Picture",
                                "error unsupported choose EditName", "show ButtonOff disabled visible",
                                "show EditHidden enabled hidden", "show BitBtn1 enabled visible",
                                "error unknown-step frob"}));
    EXPECT_TRUE(runFailed());
}

TEST_F(DrivePromptsTest, SelectStepsAndTheWindowCaption)
{
    QDialog d;
    d.setObjectName(QStringLiteral("TFormSelect"));
    d.setWindowTitle(QStringLiteral("Pick"));
    auto *lay = new QVBoxLayout(&d);
    auto *edit = new QLineEdit(QStringLiteral("abcdef"));
    edit->setObjectName(QStringLiteral("Edit1"));
    auto *memo = new QPlainTextEdit(QStringLiteral("one\ntwo"));
    memo->setObjectName(QStringLiteral("Memo1"));
    auto *sci = new QsciScintilla;
    sci->setObjectName(QStringLiteral("SynMemo1"));
    sci->setUtf8(true);
    sci->setText(QString::fromUtf8("£ € x\r\n😀 y"));
    auto *label = new QLabel(QStringLiteral("l"));
    label->setObjectName(QStringLiteral("Label1"));
    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("BitBtn1"));
    for (QWidget *w : std::initializer_list<QWidget *>{edit, memo, sci, label, ok})
        lay->addWidget(w);
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    // The line edit drops its selection when the focus leaves it.
    QString editSelected;
    QObject::connect(edit, &QLineEdit::selectionChanged, &d, [&] {
        if (edit->hasSelectedText())
            editSelected = edit->selectedText();
    });
    QStringList selected;
    QObject::connect(ok, &QPushButton::pressed, &d, [&] {
        selected = {editSelected, memo->textCursor().selectedText(), sci->selectedText()};
    });
    expect(R"(expect TFormSelect
  show TFormSelect
  show SynMemo1
  select Edit1 1 3
  select Memo1 2 3
  select SynMemo1 7 3
  select SynMemo1 2 1
  select Edit1 5 2
  select Label1 0 0
  select Edit1 x 1
  click BitBtn1
end)");
    EXPECT_EQ(prompts.execDialog(&d), QDialog::Accepted);
    // Offsets count UTF-16 units, in the source-editor control too (a pair is two).
    EXPECT_EQ(selected, (QStringList{"bcd", QString::fromUtf8("e\u2029t"), QString::fromUtf8("€")}));
    EXPECT_EQ(out, (QStringList{"dialog TFormSelect", "show TFormSelect \"Pick\"",
                                QString::fromUtf8("show SynMemo1 \"£ € x\\r\\n😀 y\""), "error bad-value Edit1 \"5 2\"",
                                "error unsupported select Label1", "error syntax select"}));
    EXPECT_TRUE(runFailed());
}

TEST_F(DrivePromptsTest, MouseEventsAndHover)
{
    Probe d;
    expect(R"(expect TFormProbe
  mouse Picture move 0 0
  mouse Picture press 10 20
  mouse Picture move 30 40
  mouse Picture release 30 40
  mouse BitBtn1 move 1 1
  close
end)");
    prompts.execDialog(&d);
    const QString press = QString::number(int(QEvent::MouseButtonPress)), move = QString::number(int(QEvent::MouseMove)),
                  release = QString::number(int(QEvent::MouseButtonRelease));
    EXPECT_EQ(d.mouse, (QStringList{"enter", press + ":10,20:1", move + ":30,40:1", release + ":30,40:0", "leave"}))
        << d.mouse.join(QLatin1Char(' ')).toStdString();
}

TEST_F(DrivePromptsTest, NestedWindowsTakeTheNextBlocksInOrder)
{
    Probe inner(&prompts, QStringLiteral("TFormInner"));
    Probe d(&prompts);
    d.nested = &inner;
    expect(R"(expect TFormProbe
  click ButtonAsk
  show EditName
  click BitBtn1
end
expect message
  click Yes
end
expect TFormInner
  set EditName inner
  click BitBtn1
end)");
    EXPECT_EQ(prompts.execDialog(&d), QDialog::Accepted);
    EXPECT_EQ(d.answer, int(Btn::Yes));
    EXPECT_EQ(d.nestedResult, int(QDialog::Accepted));
    EXPECT_EQ(inner.edit->text(), QStringLiteral("inner"));
    EXPECT_EQ(out, (QStringList{"dialog TFormProbe", "message question \"Sorvex\" \"Sure?\" [Yes,No]", "dialog TFormInner",
                                "show EditName \"\""}));
    EXPECT_FALSE(runFailed());
}

TEST_F(DrivePromptsTest, MismatchLeftOpenAndUnusedBlocks)
{
    Probe d;
    // The first window is not the one the block names: it is closed as Escape would,
    // and the block stays for the window it names.
    expect(R"(expect message
  click OK
end
expect TFormProbe
  set EditName x
end
expect input
  click OK
end)");
    EXPECT_EQ(prompts.execDialog(&d), QDialog::Rejected);
    EXPECT_EQ(prompts.message(MsgKind::Error, QStringLiteral("c"), QStringLiteral("t"), Btn::OKCancel), int(Btn::OK));
    EXPECT_EQ(prompts.execDialog(&d), QDialog::Rejected);
    prompts.reportUnused();
    EXPECT_EQ(out, (QStringList{"dialog TFormProbe", "error unexpected-window TFormProbe",
                                "message error \"c\" \"t\" [OK,Cancel]", "dialog TFormProbe",
                                "error window-left-open TFormProbe", "error unused-expect input"}));
}

TEST_F(DrivePromptsTest, StepsAfterTheWindowClosedAreErrors)
{
    Probe d;
    expect(R"(expect TFormProbe
  click BitBtn1
  set EditName late
end
expect message
  close
  click OK
end)");
    EXPECT_EQ(prompts.execDialog(&d), QDialog::Accepted);
    EXPECT_EQ(d.edit->text(), QString());
    EXPECT_EQ(prompts.message(MsgKind::Confirmation, QString(), QString(), Btn::YesNoCancel), int(Btn::Cancel));
    EXPECT_EQ(out, (QStringList{"dialog TFormProbe", "error window-closed TFormProbe",
                                "message confirmation \"\" \"\" [Yes,No,Cancel]", "error window-closed message"}));
}

TEST_F(DrivePromptsTest, StandardWindowsAnswerFromTheirFields)
{
    QTemporaryDir tmp;
    const QString dir = tmp.path();
    const QString script = QStringLiteral(R"(expect message
  show text
  click No
end
expect message
  close
end
expect input
  show value
  set value "new"
  click OK
end
expect input
  set value "ignored"
  click Cancel
end
expect open
  show filter
  set file %1/a.htm
  set file %1/b.htm
  click OK
end
expect save
  show file
  set file %1/page
  click OK
end
expect save
  click OK
end
expect color
  show color
  set color #102030
  click OK
end
expect color
  set color red
  click Cancel
end
expect font
  show family
  set size 14
  click OK
end
expect print
  set file %1/out.pdf
  click OK
end
expect message
  click Yes
end)").arg(dir);
    expect(script.toUtf8().constData());

    EXPECT_EQ(prompts.message(MsgKind::Question, QStringLiteral("Sorvex"), QStringLiteral("a\r\nb"), Btn::YesNo), int(Btn::No));
    EXPECT_EQ(prompts.message(MsgKind::Warning, QStringLiteral("Sorvex"), QStringLiteral("w"), Btn::YesNo), int(Btn::No));
    QString value = QStringLiteral("old");
    EXPECT_TRUE(prompts.input(QStringLiteral("Go"), QStringLiteral("Line:"), value));
    EXPECT_EQ(value, QStringLiteral("new"));
    EXPECT_FALSE(prompts.input(QStringLiteral("Go"), QStringLiteral("Line:"), value));
    EXPECT_EQ(value, QStringLiteral("new"));
    FileDialogRequest open;
    open.filter = QStringLiteral("HTML|*.htm");
    open.multiple = true;
    EXPECT_EQ(prompts.openFiles(open), (QStringList{dir + "/a.htm", dir + "/b.htm"}));
    FileDialogRequest save;
    save.fileName = QStringLiteral("index.htm");
    save.initialFolder = dir;
    save.defaultExtension = QStringLiteral("htm");
    EXPECT_EQ(prompts.saveFile(save), dir + "/page.htm");
    EXPECT_EQ(prompts.saveFile(save), dir + "/index.htm");
    quint32 color = 0x0000FF;
    EXPECT_TRUE(prompts.chooseColor(color));
    EXPECT_EQ(color, 0x302010u);
    EXPECT_FALSE(prompts.chooseColor(color));
    EXPECT_EQ(color, 0x302010u);
    QString family = QStringLiteral("Arial");
    int points = 10;
    EXPECT_TRUE(prompts.chooseFont(family, points));
    EXPECT_EQ(family, QStringLiteral("Arial"));
    EXPECT_EQ(points, 14);
    QPrinter printer;
    EXPECT_TRUE(prompts.choosePrinter(printer));
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.outputFileName(), dir + "/out.pdf");
    // No block for this one; the next is a message.
    EXPECT_FALSE(prompts.input(QStringLiteral("x"), QStringLiteral("y"), value));
    EXPECT_EQ(prompts.message(MsgKind::Plain, QString(), QString(), Btn::YesNo), int(Btn::Yes));

    EXPECT_EQ(out, (QStringList{"message question \"Sorvex\" \"a\\r\\nb\" [Yes,No]", "show text \"a\\r\\nb\"",
                                "message warning \"Sorvex\" \"w\" [Yes,No]", "input \"Go\" \"Line:\" \"old\"",
                                "show value \"old\"", "input \"Go\" \"Line:\" \"new\"", "show filter \"HTML|*.htm\"",
                                "show file \"index.htm\"", "show color \"#FF0000\"", "error bad-value color \"red\"",
                                "show family \"Arial\"", "input \"x\" \"y\" \"new\"", "error unexpected-window input",
                                "message plain \"\" \"\" [Yes,No]"}));
}

TEST_F(DrivePromptsTest, GrabWritesPicturesOfBothKinds)
{
    QTemporaryDir tmp;
    Probe d;
    const QString script = QStringLiteral(R"(expect TFormProbe
  grab %1/probe.png
  close
end
expect message
  grab %1/message.png
  click OK
end)").arg(tmp.path());
    expect(script.toUtf8().constData());
    prompts.execDialog(&d);
    prompts.message(MsgKind::Information, QStringLiteral("Sorvex"), QStringLiteral("Done."), Btn::OK);
    EXPECT_FALSE(QImage(tmp.filePath(QStringLiteral("probe.png"))).isNull());
    EXPECT_FALSE(QImage(tmp.filePath(QStringLiteral("message.png"))).isNull());
    EXPECT_FALSE(runFailed());
}

TEST_F(DrivePromptsTest, AModalWindowPastThePromptsIsReportedAndClosed)
{
    Probe d;
    EXPECT_EQ(d.exec(), QDialog::Rejected);
    EXPECT_EQ(out, QStringList{"error unexpected-window TFormProbe"});
}

// A window that takes dropped files and records them.
class DropTarget : public QWidget
{
public:
    explicit DropTarget(bool accepts) : m_accepts(accepts)
    {
        resize(200, 100);
        setAcceptDrops(true);
    }
    QStringList dropped;

protected:
    void dragEnterEvent(QDragEnterEvent *e) override
    {
        if (m_accepts && e->mimeData()->hasUrls())
            e->acceptProposedAction();
    }
    void dropEvent(QDropEvent *e) override
    {
        for (const QUrl &u : e->mimeData()->urls())
            dropped << u.toLocalFile();
    }

private:
    bool m_accepts;
};

TEST(DriveSteps, DropsFilesInOrderUnlessRefused)
{
    DropTarget takes(true), refuses(false);
    dropFiles(&takes, {"/tmp/b.htm", "/tmp/a.htm", "rel.htm"});
    EXPECT_EQ(takes.dropped, (QStringList{"/tmp/b.htm", "/tmp/a.htm", QDir::current().absoluteFilePath("rel.htm")}));
    dropFiles(&refuses, {"/tmp/a.htm"});
    EXPECT_TRUE(refuses.dropped.isEmpty());
}

TEST(DrivePlatformTest, RecordsInsteadOfActing)
{
    QStringList out;
    captureOutput(&out);
    DriveOptions o;
    o.runasResult = 5;
    QString settings;
    {
        DrivePlatform p(o);
        settings = p.settingsFolder();
        EXPECT_TRUE(settings.endsWith(QLatin1Char('/')));
        EXPECT_TRUE(QDir(settings).exists());
        EXPECT_NE(p.exeFolder(), settings);
        p.shellOpen(QStringLiteral("https://example.com/a b"));
        p.startProgram(QStringLiteral("/usr/bin/x"), {"a b", "\"c\""});
        EXPECT_EQ(p.runElevated(QStringLiteral("Install.exe"), QStringLiteral("\"a b\" c")), 5);
        EXPECT_GT(p.runOpen(QStringLiteral("explorer.exe"), QStringLiteral("\"ftp://u:p@h/\" /e")), 32);
        p.showHelp(QStringLiteral("/x/editorhlp.chm"), 60);
        p.showHelp(QStringLiteral("/x/editorhlpe.chm"), -1);
    }
    EXPECT_FALSE(QDir(settings).exists()) << "the temporary folders go at exit";
    captureOutput(nullptr);
    EXPECT_EQ(out, (QStringList{R"(open-with-default "https://example.com/a b")", R"(launch "/usr/bin/x" "a b" "\"c\"")",
                                R"(runas "Install.exe" "\"a b\" c")", R"(launch "explorer.exe" "ftp://u:p@h/" "/e")",
                                R"(help "/x/editorhlp.chm" 60)", R"(help "/x/editorhlpe.chm" contents)"}));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
