// The style dialog's text: a style element with one rule (and optional link rules) for the
// page's head, or a one-line property list for a style attribute.
#pragma once

#include "editing/editorbuffer.h"

#include <QString>

// The dialog's fields under their control names, with their start-up contents.
struct CssFields {
    bool OneLine = false;

    QString EditClass = QStringLiteral(".myClass");
    bool idSelected = false; // RadioButton2 "ID"; otherwise RadioButton1 "Class"

    // The properties, in the order they are written.
    QString ComboBoxPosition, EditTop, EditLeft, EditWidth, EditMargin, EditBorder, EditBColor, ComboBStyle,
        EditPadding;
    QString EditFont = QStringLiteral("Arial,Helvetica");
    QString EditFontSize = QStringLiteral("12px");
    QString ComboBoxWeight, ComboBoxStyle, EditFColor, ComboBox1, ComboBox2, EditBackUrl, ComboRepeat, ComboPosition,
        ComboAttach, EditBgColor;

    // "Use link styles" and the five link rules.
    bool CheckBox1 = false;
    QString Edit1 = QStringLiteral("font-weight:bold; color:blue; text-decoration:underline;");
    QString Edit2 = QStringLiteral("font-weight:bold; color:silver; text-decoration:underline;");
    QString Edit3 = QStringLiteral("font-weight:bold; color:red; text-decoration:underline;");
    QString Edit4 = QStringLiteral("font-weight:bold; color:purple; text-decoration:none; ");
    QString Edit5 = QStringLiteral("font-weight:bold; color:black; text-decoration:underline;");
};

struct CssResult {
    QString MyStyle;
    // The selector as the class field shows it afterwards (unchanged when no rule was
    // written).
    QString EditClass;
};

// OK of the style dialog.
CssResult buildCssStyle(const CssFields &fields);

// Puts the style block before "</head>" (any case); without a head, in place of the
// selection, which then follows the block. One undoable edit; nothing for a blank style.
void InsertStyleBlock(EditorBuffer &buffer, const QString &myStyle);
