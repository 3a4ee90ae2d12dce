#include "structure/ui/entitydialog.h"

#include "app/ui/dialogkit.h"
#include "app/ui/mainform.h"
#include "editing/editorbuffer.h"
#include "editing/textops.h"
#include "structure/entities.h"

#include <Qsci/qsciscintilla.h>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

SORVEX_DIALOG(TFormSpecial, TFormSpecial);

using dlg::named;

TFormSpecial::TFormSpecial(QWidget *parent) : QDialog(parent)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    setFont(font);

    ToolBar1 = named(new QWidget(this), "ToolBar1");
    auto *bar = new QGridLayout(ToolBar1);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(2);
    const QList<EntityButton> &entities = ::entityButtons();
    const int perRow = 12;
    for (int i = 0; i < entities.size(); ++i) {
        const EntityButton &e = entities[i];
        auto *b = new QToolButton(ToolBar1);
        b->setObjectName(e.name);
        b->setText(e.caption == u"&" ? QStringLiteral("&&") : e.caption);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setToolTip(e.entity);
        b->setMinimumSize(28, 26);
        bar->addWidget(b, i / perRow, i % perRow);
        entityButtons.append(b);
        const QString entity = e.entity;
        connect(b, &QToolButton::clicked, this, [this, entity] { Edit1->setText(entity); });
    }

    Edit1 = named(new QLineEdit(this), "Edit1");
    Label1 = named(new QLabel(this), "Label1");
    Label1->setBuddy(Edit1);
    BitBtn3 = named(new QPushButton(this), "BitBtn3");
    BitBtn3->setAutoDefault(false);

    SynMemo1 = named(new QsciScintilla(this), "SynMemo1");
    SynMemo1->setUtf8(true);
    SynMemo1->setEolMode(QsciScintilla::EolWindows);
    SynMemo1->setWrapMode(QsciScintilla::WrapWord);
    SynMemo1->setMarginWidth(0, 0);
    SynMemo1->setMarginWidth(1, 0);
    SynMemo1->setMarginWidth(2, 0);
    SynMemo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont sample(QStringLiteral("Arial"));
    sample.setPointSize(12);
    SynMemo1->setFont(sample);
    SynMemo1->setText(specialSampleText());
    SynMemo1->setFixedHeight(4 * SynMemo1->fontMetrics().height() + 12);
    // The editor would take Escape for itself; in this window it is the Close button.
    SynMemo1->installEventFilter(this);

    BitBtnOk = named(new QPushButton(QStringLiteral("OK"), this), "BitBtnOk");
    BitBtnOk->setDefault(true);
    BitBtn2 = named(new QPushButton(this), "BitBtn2");
    BitBtn2->setAutoDefault(false);

    auto *codeRow = new QHBoxLayout;
    codeRow->addWidget(Label1);
    codeRow->addWidget(Edit1, 1);
    codeRow->addWidget(BitBtn3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtnOk);
    buttons->addWidget(BitBtn2);
    auto *main = new QVBoxLayout(this);
    main->addWidget(ToolBar1);
    main->addWidget(SynMemo1);
    main->addLayout(codeRow);
    main->addLayout(buttons);

    connect(BitBtn3, &QPushButton::clicked, this, &TFormSpecial::BitBtn3Click);
    connect(BitBtnOk, &QPushButton::clicked, this, &TFormSpecial::BitBtnOkClick);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    FormShow();
}

void TFormSpecial::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFormSpecial::FormShow()
{
    const bool en = Language != 0;
    sCode.clear();
    Edit1->clear();
    setWindowTitle(specialCaption(en));
    BitBtn3->setText(dlg::text(en, "Key code", "Zeichencode"));
    BitBtn3->setToolTip(QStringLiteral("Create character"));
    Label1->setText(dlg::text(en, "Key code", "Zeichencode"));
    BitBtn2->setText(dlg::text(en, "Close", "Schliessen"));
}

void TFormSpecial::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        dlg::showHelp(this, 140);
        return;
    }
    QDialog::keyPressEvent(e);
}

bool TFormSpecial::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == SynMemo1 && e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() == Qt::Key_Escape && k->modifiers() == Qt::NoModifier) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TFormSpecial::BitBtn3Click()
{
    if (!SynMemo1->hasSelectedText())
        return;
    sCode = numericReference(SynMemo1->selectedText());
    Edit1->setText(sCode);
}

void TFormSpecial::BitBtnOkClick()
{
    sCode = sx::trim(Edit1->text());
    accept();
}

SORVEX_HANDLER(Sonderzeichen1Click)
{
    auto *d = form.dialogAs<TFormSpecial>(QStringLiteral("TFormSpecial"));
    if (!d)
        return;
    d->Language = form.InterfaceLanguage;
    form.execDialog(d);
    // Whatever way the dialog closed: a Key code before Close still inserts its reference.
    EditorBuffer &b = form.buffer();
    b.setSelLength(0);
    if (!d->sCode.isEmpty())
        b.setSelText(d->sCode);
}
