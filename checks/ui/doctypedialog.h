// The document-type dialog: the document kind (HTML 4, XHTML, HTML 5) and, for the first
// two, the variant. Used by the Doctype command and by New.
#pragma once

#include <QDialog>
#include <QList>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class TFormDocType : public QDialog
{
    Q_OBJECT
public:
    explicit TFormDocType(QWidget *parent = nullptr);

    // Set by the caller before showing: non-zero selects English.
    int Language = 0;
    // The chosen kind (0 HTML 4, 1 XHTML, 2 HTML 5); -1 while the dialog is open.
    int TypNr = -1;
    // The chosen code (kind x 10 + variant + 1); 0 after Cancel.
    int DType = 0;

    QLabel *Label1;
    QGroupBox *RadioGroup1, *RadioGroup2;
    QList<QRadioButton *> documentItems, variantItems;
    QPushButton *BitBtn1, *BitBtn2;

    int documentIndex() const;
    int variantIndex() const;

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void FormShow();
    void RadioGroup1Click();
    void BitBtn1Click();
    void BitBtn2Click();
};
