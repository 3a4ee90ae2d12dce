// The new-table dialog's text: a table of equal empty cells with the attributes of the
// table and of its cells, tag names in upper case (the command lower-cases it all).
#pragma once

#include <QString>

// The dialog's fields under their control names, with their start-up contents.
struct TableFields {
    QString EditZeile = QStringLiteral("1");  // rows
    QString EditSpalte = QStringLiteral("1"); // cells per row
    QString EditBreite, EditHoehe;            // table width, height
    QString EditBorder = QStringLiteral("0");
    QString EditPadding = QStringLiteral("0");
    QString EditSpacing = QStringLiteral("0");
    QString ComboBox1;                        // table align
    QString EditFarbe;                        // table bgcolor
    QString EditWidth, EditHeight;            // cell width, height
    QString ComboBox2 = QStringLiteral("left"); // cell align
    QString ComboBox3 = QStringLiteral("top");  // cell valign
    QString EditColor;                        // cell bgcolor
    QString EditColspan, EditRowspan;
};

// Step 1 of OK: a row or cell count that is no integer becomes "1"; a Border, Cellpadding
// or Cellspacing that is neither blank nor an integer becomes "0"; a span that is neither
// blank nor an integer is emptied. Everything else stays as typed.
void validateTable(TableFields &fields);

// The most units a table text may have; a larger table is refused.
constexpr qsizetype kMaxTableLength = 50'000'000;

// The length buildTable would give (of validated fields); no text is built.
qsizetype tableLength(const TableFields &fields);

// The table text of validated fields ("<TABLE ...>", CR LF, one CR LF per row, the rows,
// "</TABLE>", CR LF).
QString buildTable(const TableFields &fields);

// The dialog's texts in one language.
struct TableTexts {
    QString caption, cancel, behind, tooLarge;
};
TableTexts tableTexts(bool english);
