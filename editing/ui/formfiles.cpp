#include "editing/ui/formfiles.h"

#include "app/documentfile.h"
#include "app/platform.h"
#include "app/ui/dialogkit.h"
#include "app/ui/documentcommands.h"
#include "app/ui/icons.h"
#include "app/ui/mainform.h"
#include "editing/editorbuffer.h"
#include "editing/textops.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>
#include <stdexcept>

SORVEX_DIALOG(TFormFiles, TFormFiles);

using dlg::named;

namespace {

const QString kCaption = QStringLiteral("Sorvex");

QLineEdit *countField(QWidget *parent, const char *name)
{
    auto *e = named(new QLineEdit(parent), name);
    e->setReadOnly(true);
    e->setFixedWidth(60);
    return e;
}

} // namespace

TFormFiles::TFormFiles(QWidget *parent) : QDialog(parent)
{
    setModal(false);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    setFont(f);

    GroupBox1 = named(new QGroupBox(this), "GroupBox1");
    Label1 = named(new QLabel(GroupBox1), "Label1");
    Label2 = named(new QLabel(GroupBox1), "Label2");
    EditSearch = named(new QLineEdit(GroupBox1), "EditSearch");
    EditReplace = named(new QLineEdit(GroupBox1), "EditReplace");
    EditSearch->setMinimumWidth(320);
    Label1->setBuddy(EditSearch);
    Label2->setBuddy(EditReplace);
    CheckBoxCase = named(new QCheckBox(GroupBox1), "CheckBoxCase");
    CheckBoxWord = named(new QCheckBox(GroupBox1), "CheckBoxWord");
    CheckBoxSearch = named(new QCheckBox(GroupBox1), "CheckBoxSearch");
    CheckBoxAll = named(new QCheckBox(GroupBox1), "CheckBoxAll");
    auto *options = new QGridLayout(GroupBox1);
    options->addWidget(Label1, 0, 0);
    options->addWidget(EditSearch, 0, 1, 1, 2);
    options->addWidget(Label2, 1, 0);
    options->addWidget(EditReplace, 1, 1, 1, 2);
    options->addWidget(CheckBoxCase, 2, 1);
    options->addWidget(CheckBoxWord, 2, 2);
    options->addWidget(CheckBoxSearch, 3, 1);
    options->addWidget(CheckBoxAll, 3, 2);
    options->setColumnStretch(1, 1);
    options->setColumnStretch(2, 1);

    // The two lists side by side, each with its count, its "Show file" button and (the
    // search list) the remove button; the back-to-search button between them.
    StaticText1 = named(new QLabel(this), "StaticText1");
    StaticText2 = named(new QLabel(this), "StaticText2");
    ListBoxSearch = named(new QListWidget(this), "ListBoxSearch");
    ListBoxSearch->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBoxResult = named(new QListWidget(this), "ListBoxResult");
    ListBoxResult->setSelectionMode(QAbstractItemView::SingleSelection);
    for (QListWidget *l : {ListBoxSearch, ListBoxResult}) {
        l->setMinimumSize(200, 180);
        l->setUniformItemSizes(true);
    }
    ListBox1 = named(new QListWidget(this), "ListBox1");
    ListBox1->setUniformItemSizes(true);
    ListBox1->hide();

    Label3 = named(new QLabel(QStringLiteral("Files"), this), "Label3");
    Label4 = named(new QLabel(QStringLiteral("Files"), this), "Label4");
    Edit1 = countField(this, "Edit1");
    Edit2 = countField(this, "Edit2");
    ButtonSearchOpen = named(new QPushButton(this), "ButtonSearchOpen");
    ButtonResultOpen = named(new QPushButton(this), "ButtonResultOpen");
    ButtonSearchOpen->setEnabled(false);
    ButtonResultOpen->setEnabled(false);
    BitBtn5 = named(new QPushButton(this), "BitBtn5");
    BitBtn5->setIcon(commandIcon(QStringLiteral("TextDelete")));
    BtnBackToSearch = named(new QPushButton(this), "BtnBackToSearch");
    BtnBackToSearch->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    for (QPushButton *b : {BitBtn5, BtnBackToSearch})
        b->setFixedSize(32, 28);
    for (QPushButton *b : {ButtonSearchOpen, ButtonResultOpen})
        b->setFixedHeight(28);

    auto *searchSide = new QVBoxLayout;
    searchSide->addWidget(StaticText1);
    searchSide->addWidget(ListBoxSearch, 1);
    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(Label3);
    searchRow->addWidget(Edit1);
    searchRow->addStretch(1);
    searchRow->addWidget(ButtonSearchOpen);
    searchRow->addWidget(BitBtn5);
    searchSide->addLayout(searchRow);

    auto *middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(BtnBackToSearch);
    middle->addStretch(1);

    auto *resultSide = new QVBoxLayout;
    resultSide->addWidget(StaticText2);
    resultSide->addWidget(ListBoxResult, 1);
    auto *resultRow = new QHBoxLayout;
    resultRow->addWidget(Label4);
    resultRow->addWidget(Edit2);
    resultRow->addStretch(1);
    resultRow->addWidget(ButtonResultOpen);
    resultSide->addLayout(resultRow);

    auto *listsRow = new QHBoxLayout;
    listsRow->addLayout(searchSide, 1);
    listsRow->addLayout(middle);
    listsRow->addLayout(resultSide, 1);

    LabelTreffer = named(new QLabel(this), "LabelTreffer");
    EditTreffer = countField(this, "EditTreffer");
    ProgressBar1 = named(new QProgressBar(this), "ProgressBar1");
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);
    auto *totalRow = new QHBoxLayout;
    totalRow->addWidget(LabelTreffer);
    totalRow->addWidget(EditTreffer);
    totalRow->addSpacing(12);
    totalRow->addWidget(ProgressBar1, 1);

    BitBtn1 = named(new QPushButton(this), "BitBtn1");
    BitBtn4 = named(new QPushButton(this), "BitBtn4");
    BitBtn3 = named(new QPushButton(QStringLiteral("Start"), this), "BitBtn3");
    BitBtn2 = named(new QPushButton(this), "BitBtn2");
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn4);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn3);
    buttons->addWidget(BitBtn2);
    for (QPushButton *b : {ButtonSearchOpen, ButtonResultOpen, BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5,
                           BtnBackToSearch})
        b->setAutoDefault(false);

    auto *main = new QVBoxLayout(this);
    main->addWidget(GroupBox1);
    main->addLayout(listsRow, 1);
    main->addLayout(totalRow);
    main->addLayout(buttons);

    connect(BitBtn4, &QPushButton::clicked, this, [this] { guarded([this] { BitBtn4Click(); }); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { guarded([this] { BitBtn1Click(); }); });
    connect(BitBtn5, &QPushButton::clicked, this, [this] { guarded([this] { BitBtn5Click(); }); });
    connect(BtnBackToSearch, &QPushButton::clicked, this, [this] { guarded([this] { BtnBackToSearchClick(); }); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { guarded([this] { BitBtn3Click(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { guarded([this] { BitBtn2Click(); }); });
    connect(ButtonSearchOpen, &QPushButton::clicked, this, [this] { guarded([this] { ButtonSearchOpenClick(); }); });
    connect(ButtonResultOpen, &QPushButton::clicked, this, [this] { guarded([this] { ButtonResultOpenClick(); }); });
    connect(ListBoxSearch, &QListWidget::itemClicked, this, [this] { ButtonSearchOpen->setEnabled(true); });
    connect(ListBoxResult, &QListWidget::itemClicked, this, [this] { ButtonResultOpen->setEnabled(true); });
    connect(ListBoxSearch, &QListWidget::itemDoubleClicked, this,
            [this] { guarded([this] { ButtonSearchOpenClick(); }); });
    connect(ListBoxResult, &QListWidget::itemDoubleClicked, this,
            [this] { guarded([this] { ButtonResultOpenClick(); }); });

    applyTexts();
    showCounts();
}

TMainForm *TFormFiles::mainForm() const { return dlg::mainFormOf(const_cast<TFormFiles *>(this)); }

template <class Fn> void TFormFiles::guarded(Fn fn)
{
    try {
        fn();
    } catch (const std::exception &e) {
        if (TMainForm *form = mainForm())
            form->prompts().defaultError(QString::fromUtf8(e.what()));
    }
}

MultiFileSearch TFormFiles::searchFields() const
{
    MultiFileSearch s;
    s.search = EditSearch->text();
    s.replace = EditReplace->text();
    s.matchCase = CheckBoxCase->isChecked();
    s.wholeWord = CheckBoxWord->isChecked();
    s.searchOnly = CheckBoxSearch->isChecked();
    s.all = CheckBoxAll->isChecked();
    return s;
}

void TFormFiles::showNonModal()
{
    if (!isVisible()) {
        setModal(false);
        setWindowModality(Qt::NonModal);
        show();
    }
    raise();
    activateWindow();
}

void TFormFiles::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        guarded([this] { FormShow(); });
}

void TFormFiles::hideEvent(QHideEvent *e)
{
    QDialog::hideEvent(e);
    if (!e->spontaneous())
        CurDir.clear();
}

void TFormFiles::keyPressEvent(QKeyEvent *e)
{
    if (e->modifiers() == Qt::NoModifier && e->key() == Qt::Key_F1) {
        dlg::showHelp(this, 60);
        return;
    }
    QDialog::keyPressEvent(e);
}

void TFormFiles::applyTexts()
{
    const bool en = Sprache;
    using dlg::text;
    setWindowTitle(text(en, "Search/Replace", "Suchen/Ersetzen"));
    GroupBox1->setTitle(text(en, "Search/Replace options", "Suchen/Ersetzen Optionen"));
    Label1->setText(text(en, "Search for...", "Suche nach..."));
    Label2->setText(text(en, "Replace by...", "Ersetzen mit..."));
    LabelTreffer->setText(text(en, "Total matches", "Treffer gesamt"));
    CheckBoxCase->setText(text(en, "Case sensitive", "Groß-/Kleinschreibung beachten"));
    CheckBoxCase->setToolTip(text(en, "Case sensitive", "Groß-/Keilnschreibung berücksichtigen"));
    CheckBoxWord->setText(text(en, "Whole word", "Nur ganzes Wort"));
    CheckBoxWord->setToolTip(text(en, "Find whole word only", "Nur komplettes Wort finden"));
    CheckBoxSearch->setText(text(en, "Search only/Do not replace", "Nur suchen/nichts ersetzen"));
    CheckBoxSearch->setToolTip(text(en, "Search only. No changes will be made. If unchecked matches will be replaced.",
                                    "Nur suchen. Keine Änderungen vornehmen. Wenn nicht angeklickt, wird ersetzt."));
    CheckBoxAll->setText(text(en, "Find/Replace all", "Alle finden/ersetzen"));
    CheckBoxAll->setToolTip(
        text(en, "Find/Replace all matches", "Findet/Ersetzt alle Vorkommen des Suchbegriffs in den Dateien"));
    StaticText1->setText(text(en, "Search list", "Suchliste"));
    StaticText2->setText(text(en, "Result list", "Ergebnisliste"));
    for (QPushButton *b : {ButtonSearchOpen, ButtonResultOpen}) {
        b->setText(text(en, "Show file", "Zeige Datei"));
        b->setToolTip(text(en, "Opens the selected file in source editor", "Öffnet die ausgewählte Datei im Editor"));
    }
    BitBtn1->setText(text(en, "Load files", "Dateien laden"));
    BitBtn1->setToolTip(text(en, "Load files to search list", "Lädt Dateien in die Suchliste"));
    BitBtn2->setText(text(en, "Close", "Schliessen"));
    BitBtn2->setToolTip(text(en, "Close window", "Fenster schliessen"));
    BitBtn4->setText(text(en, "New", "Neu"));
    BitBtn4->setToolTip(text(en, "Clear lists and reset to default", "Alle Einstellungen zurücksetzen "));
    BitBtn5->setToolTip(text(en, "Remove file from list.", "Datei aus Liste entfernen."));
    BtnBackToSearch->setToolTip(text(en, "Set files back to search list", "Dateien in die Suchliste zurückstellen"));
}

void TFormFiles::FormShow()
{
    applyTexts();
    if (!m_messagesSet) {
        m_messagesSet = true;
        const bool en = Sprache;
        using dlg::text;
        m_noFiles = text(en, "Please load files to start operation.", "Bitte Dateien laden, um die Suche zu starten.");
        m_noSearchText = text(en, "Please enter a search string.", "Bitte Suchtext angeben.");
        m_noSearchSelection = text(en, "Please select a file in the search list.",
                                   "Bitte markieren Sie eine Datei in der Suchliste");
        m_noResultSelection = text(en, "Please select a file an the result list.",
                                   "Bitte markieren Sie eine Datei in der Ergebnisliste");
        m_systemError = QStringLiteral("Systemfehler: ");
        m_reloadQuestion =
            text(en, "The open document has unsaved changes. Reload it from its file and discard them?",
                 "Das geöffnete Dokument hat ungespeicherte Änderungen. Aus der Datei neu laden und die "
                 "Änderungen verwerfen?");
    }
    ProgressBar1->setValue(0);
    EditSearch->setFocus();
    BitBtn4Click();
}

void TFormFiles::message(const QString &text)
{
    if (TMainForm *form = mainForm())
        form->prompts().message(MsgKind::Plain, kCaption, text, Btn::OK);
}

void TFormFiles::showLists(const std::vector<qsizetype> &selectedSearchRows)
{
    auto fill = [](QListWidget *w, const QStringList &items) {
        w->setUpdatesEnabled(false);
        w->clear();
        w->addItems(items);
        w->setUpdatesEnabled(true);
    };
    fill(ListBox1, lists.loaded);
    fill(ListBoxSearch, lists.search);
    fill(ListBoxResult, lists.result);
    if (!selectedSearchRows.empty()) {
        QItemSelection sel;
        for (const qsizetype r : selectedSearchRows) {
            const QModelIndex i = ListBoxSearch->model()->index(int(r), 0);
            sel.select(i, i);
        }
        ListBoxSearch->selectionModel()->select(sel, QItemSelectionModel::Select);
    }
}

void TFormFiles::showCounts()
{
    Edit1->setText(QString::number(lists.search.size()));
    Edit2->setText(QString::number(lists.result.size()));
}

// ---------------------------------------------------------------------------------------
// The buttons.

void TFormFiles::BitBtn4Click()
{
    EditTreffer->clear();
    EditSearch->clear();
    EditReplace->clear();
    lists.clear();
    showLists();
    CheckBoxSearch->setChecked(true);
    CheckBoxAll->setChecked(false);
    CheckBoxCase->setChecked(false);
    CheckBoxWord->setChecked(false);
    ProgressBar1->setValue(0);
}

void TFormFiles::BitBtn1Click()
{
    TMainForm *form = mainForm();
    if (!form)
        return;
    lists.load({});
    showLists();
    FileDialogRequest r;
    r.filter = QStringLiteral("All|*.*");
    r.multiple = true;
    r.mustExist = true;
    if (!sx::isBlank(CurDir))
        r.initialFolder = CurDir;
    const QStringList chosen = form->prompts().openFiles(r);
    lists.load(chosen);
    showLists();
    showCounts();
}

void TFormFiles::BitBtn5Click()
{
    std::vector<qsizetype> rows;
    for (const QModelIndex &i : ListBoxSearch->selectionModel()->selectedIndexes())
        rows.push_back(i.row());
    if (!lists.removeEntries(rows))
        return;
    showLists();
    Edit1->setText(QString::number(lists.search.size()));
}

void TFormFiles::BtnBackToSearchClick()
{
    lists.backToSearch();
    showLists();
    Edit2->clear();
    EditTreffer->clear();
    Edit1->setText(QString::number(lists.search.size()));
}

void TFormFiles::BitBtn3Click()
{
    TMainForm *form = mainForm();
    if (!form)
        return;
    EditTreffer->clear();
    ProgressBar1->setValue(0);
    lists.result.clear();
    ListBoxResult->clear();
    FileName.clear();
    if (lists.search.isEmpty())
        message(m_noFiles);
    // A range of 0 to 0 would make the bar a busy indicator.
    ProgressBar1->setRange(0, std::max<int>(1, int(lists.loaded.size())));
    ProgressBar1->setValue(0);
    const MultiFileSearch fields = searchFields();
    if (sx::isBlank(fields.search)) {
        message(m_noSearchText);
        return;
    }
    int total = 0;
    if (!lists.search.isEmpty()) {
        std::vector<char> selected(size_t(lists.search.size()), 0);
        for (const QModelIndex &i : ListBoxSearch->selectionModel()->selectedIndexes())
            if (i.row() >= 0 && size_t(i.row()) < selected.size())
                selected[size_t(i.row())] = 1;
        // The bar takes every step; it is painted at most every 40 ms (a synchronous
        // paint per file would cost more than reading the file), and at the end.
        QElapsedTimer painted;
        painted.start();
        const int steps = int(lists.loaded.size());
        struct PaintAgain {
            QWidget *bar;
            ~PaintAgain() { bar->setUpdatesEnabled(true); }
        } paintAgain{ProgressBar1};
        ProgressBar1->setUpdatesEnabled(false);
        const MultiFileRun run = runMultiFile(lists.loaded, fields, ansiCodec(*form), [&](int n) {
            const bool paint = n == steps || painted.elapsed() >= 40;
            if (paint)
                ProgressBar1->setUpdatesEnabled(true);
            ProgressBar1->setValue(n);
            if (paint && n < steps) {
                ProgressBar1->setUpdatesEnabled(false);
                painted.restart();
            }
        });
        total = run.total;
        if (run.processed > 0)
            FileName = lists.loaded[run.processed - 1];
        if (run.failed) {
            const QString path = QDir::toNativeSeparators(run.failedPath);
            form->prompts().defaultError(run.failure == FileOutcome::ReadFailed
                                             ? QStringLiteral("Cannot open file \"%1\". %2").arg(path, run.error)
                                             : QStringLiteral("Cannot create file \"%1\". %2").arg(path, run.error));
        }
        const std::vector<qsizetype> kept = lists.takeFound(run.found);
        std::vector<qsizetype> keepSelected;
        for (size_t k = 0; k < kept.size(); ++k)
            if (selected[size_t(kept[k])])
                keepSelected.push_back(qsizetype(k));
        showLists(keepSelected);
    }
    showCounts();
    EditTreffer->setText(QString::number(total));
    reloadMainDocument();
}

void TFormFiles::reloadMainDocument()
{
    TMainForm *form = mainForm();
    if (!form || !form->document.hasFile() || form->document.FFileName == form->Message(0))
        return;
    // Unsaved changes are only discarded when the user says so.
    if (form->buffer().modified()
        && form->prompts().message(MsgKind::Question, kCaption, m_reloadQuestion, Btn::YesNo) != Btn::Yes)
        return;
    QString error;
    if (!ReloadDocumentFile(*form, &error))
        form->prompts().message(MsgKind::Error, kCaption, m_systemError + error, Btn::OK);
}

void TFormFiles::showFile(QListWidget *list, const QString &nothingSelected)
{
    TMainForm *form = mainForm();
    if (!form)
        return;
    QListWidgetItem *item = list->currentItem();
    if (!item || !item->isSelected()) {
        const QList<QListWidgetItem *> selected = list->selectedItems();
        item = selected.isEmpty() ? nullptr : selected.first();
    }
    const qsizetype index = item ? lists.loadedIndexOf(item->text()) : -1;
    if (index < 0) {
        message(nothingSelected);
        return;
    }
    FileName = lists.loaded[index];
    FileSave(*form);
    // A save that was cancelled or failed keeps the document: opening the file would
    // discard its changes.
    if (form->buffer().length() > 0 && form->buffer().modified())
        return;
    form->PerformFileOpen(FileName);
}

void TFormFiles::ButtonSearchOpenClick() { showFile(ListBoxSearch, m_noSearchSelection); }

void TFormFiles::ButtonResultOpenClick() { showFile(ListBoxResult, m_noResultSelection); }

void TFormFiles::BitBtn2Click() { close(); }

// ---------------------------------------------------------------------------------------

SORVEX_HANDLER(MultiReplace1Click)
{
    auto *w = form.dialogAs<TFormFiles>(QStringLiteral("TFormFiles"));
    if (!w)
        return;
    if (form.document.hasFile())
        w->CurDir = sx::folderPart(form.document.FFileName);
    w->Sprache = form.InterfaceLanguage != 0;
    w->showNonModal();
}
