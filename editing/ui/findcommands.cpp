// Find, find next, replace and go to line. The find and replace windows are non-modal:
// they stay open beside the editor, and each button press runs one search or
// replacement.
#include "app/ui/mainform.h"
#include "editing/search.h"

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

namespace {

QString tr2(int language, const char *german, const char *english)
{
    return QString::fromUtf8(language == 0 ? german : english);
}

// Runs a button's work like a command: an error nobody caught goes to the default box.
template <class F> void guarded(TMainForm &form, F &&work)
{
    try {
        work();
    } catch (const std::exception &e) {
        form.prompts().defaultError(QString::fromUtf8(e.what()));
    }
}

class SearchWindow : public QDialog
{
public:
    SearchWindow(QWidget *parent, bool withReplace) : QDialog(parent)
    {
        setObjectName(withReplace ? QStringLiteral("ReplaceDialog1") : QStringLiteral("FindDialog1"));
        setModal(false);
        auto *grid = new QGridLayout;
        m_findLabel = new QLabel(this);
        FindText = new QLineEdit(this);
        FindText->setObjectName(QStringLiteral("FindText"));
        FindText->setMinimumWidth(220);
        m_findLabel->setBuddy(FindText);
        grid->addWidget(m_findLabel, 0, 0);
        grid->addWidget(FindText, 0, 1);
        if (withReplace) {
            m_replaceLabel = new QLabel(this);
            ReplaceText = new QLineEdit(this);
            ReplaceText->setObjectName(QStringLiteral("ReplaceText"));
            m_replaceLabel->setBuddy(ReplaceText);
            grid->addWidget(m_replaceLabel, 1, 0);
            grid->addWidget(ReplaceText, 1, 1);
        }
        auto *left = new QVBoxLayout;
        left->addLayout(grid);
        if (!withReplace) {
            WholeWord = new QCheckBox(this);
            WholeWord->setObjectName(QStringLiteral("WholeWord"));
            left->addWidget(WholeWord);
        }
        MatchCase = new QCheckBox(this);
        MatchCase->setObjectName(QStringLiteral("MatchCase"));
        left->addWidget(MatchCase);
        left->addStretch();

        auto *buttons = new QVBoxLayout;
        FindNext = addButton(buttons, "FindNext");
        FindNext->setDefault(true);
        if (withReplace) {
            Replace = addButton(buttons, "Replace");
            ReplaceAll = addButton(buttons, "ReplaceAll");
        }
        m_cancel = addButton(buttons, "Cancel");
        connect(m_cancel, &QPushButton::clicked, this, &QDialog::close);
        buttons->addStretch();

        auto *top = new QHBoxLayout(this);
        top->addLayout(left, 1);
        top->addLayout(buttons);
        setLanguage(0);
    }

    void setLanguage(int language)
    {
        const bool replace = ReplaceText != nullptr;
        setWindowTitle(replace ? tr2(language, "Ersetzen", "Replace") : tr2(language, "Suchen", "Find"));
        m_findLabel->setText(tr2(language, "Suchen &nach:", "Fi&nd what:"));
        if (replace) {
            m_replaceLabel->setText(tr2(language, "Ers&etzen durch:", "Re&place with:"));
            Replace->setText(tr2(language, "&Ersetzen", "&Replace"));
            ReplaceAll->setText(tr2(language, "&Alle ersetzen", "Replace &All"));
        } else {
            WholeWord->setText(tr2(language, "Nur &ganzes Wort suchen", "Match &whole word only"));
        }
        MatchCase->setText(tr2(language, "Gro\u00df-/&Kleinschreibung", "Match &case"));
        FindNext->setText(tr2(language, "&Weitersuchen", "&Find Next"));
        m_cancel->setText(tr2(language, "Abbrechen", "Cancel"));
    }

    // Shows the window beside the editor, or brings it to the front.
    void present(int language)
    {
        setLanguage(language);
        show();
        raise();
        activateWindow();
        FindText->setFocus();
    }

    QLineEdit *FindText = nullptr;
    QLineEdit *ReplaceText = nullptr;
    QCheckBox *MatchCase = nullptr;
    QCheckBox *WholeWord = nullptr;
    QPushButton *FindNext = nullptr;
    QPushButton *Replace = nullptr;
    QPushButton *ReplaceAll = nullptr;

private:
    QPushButton *addButton(QVBoxLayout *box, const char *name)
    {
        auto *b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        box->addWidget(b);
        return b;
    }

    QLabel *m_findLabel = nullptr;
    QLabel *m_replaceLabel = nullptr;
    QPushButton *m_cancel = nullptr;
};

// The search state of the run and the two windows, created on first use as children of
// the main window.
class FindReplace : public QObject
{
public:
    explicit FindReplace(TMainForm &form) : QObject(&form), m_form(form)
    {
        setObjectName(QStringLiteral("sorvexFindReplace"));
    }

    static FindReplace &of(TMainForm &form)
    {
        auto *f = form.findChild<FindReplace *>(QStringLiteral("sorvexFindReplace"), Qt::FindDirectChildrenOnly);
        return f ? *f : *new FindReplace(form);
    }

    SearchContext context()
    {
        TMainForm *form = &m_form;
        return SearchContext{form->buffer(), form->prompts(), [form](int n) { return form->Message(n); }};
    }

    SearchWindow *findWindow()
    {
        if (!m_find) {
            m_find = new SearchWindow(&m_form, false);
            connect(m_find->FindNext, &QPushButton::clicked, this, [this] {
                guarded(m_form, [this] {
                    SearchContext ctx = context();
                    if (DoFind(ctx, state, m_find->FindText->text(), m_find->MatchCase->isChecked(),
                               m_find->WholeWord->isChecked()))
                        m_form.activateWindow();
                });
            });
        }
        return m_find;
    }

    SearchWindow *replaceWindow()
    {
        if (!m_replace) {
            m_replace = new SearchWindow(&m_form, true);
            connect(m_replace->FindNext, &QPushButton::clicked, this, [this] {
                guarded(m_form, [this] {
                    SearchContext ctx = context();
                    DoReplaceFind(ctx, state, m_replace->FindText->text(), m_replace->MatchCase->isChecked());
                });
            });
            connect(m_replace->Replace, &QPushButton::clicked, this, [this] {
                guarded(m_form, [this] { DoReplace(m_form.buffer(), m_replace->ReplaceText->text()); });
            });
            connect(m_replace->ReplaceAll, &QPushButton::clicked, this, [this] {
                guarded(m_form, [this] {
                    DoReplaceAll(m_form.buffer(), m_replace->FindText->text(), m_replace->ReplaceText->text(),
                                 m_replace->MatchCase->isChecked());
                });
            });
        }
        return m_replace;
    }

    SearchState state;

private:
    TMainForm &m_form;
    SearchWindow *m_find = nullptr;
    SearchWindow *m_replace = nullptr;
};

} // namespace

SORVEX_HANDLER(Find1Click)
{
    FindReplace &f = FindReplace::of(form);
    PrepareFind(form.buffer());
    f.findWindow()->present(form.InterfaceLanguage);
}

SORVEX_HANDLER(Findnext1Click)
{
    FindReplace &f = FindReplace::of(form);
    SearchContext ctx = f.context();
    DoFindNext(ctx, f.state);
}

SORVEX_HANDLER(Replace1Click)
{
    FindReplace &f = FindReplace::of(form);
    PrepareReplace(form.buffer());
    SearchWindow *w = f.replaceWindow();
    w->FindText->clear();
    w->ReplaceText->clear();
    w->present(form.InterfaceLanguage);
    // The window is not modal: the document counts as changed from the moment it opens.
    form.buffer().setModified(true);
}

SORVEX_HANDLER(GoToLine1Click)
{
    SearchContext ctx = FindReplace::of(form).context();
    GoToLine(ctx);
}
