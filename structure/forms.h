// The form-control commands' texts: a whole form from the form dialog's fields, one
// control from the input dialog's fields, and the two fixed list snippets.
#pragma once

#include <QString>
#include <QStringList>

// The form dialog's fields as the user left them.
struct FormFields {
    QString EditName = QStringLiteral("MyForm");
    QString EditAction = QStringLiteral("mailto:webmaster@example.com");
    QString Method = QStringLiteral("get");
    QString EncType = QStringLiteral("application/x-www-form-urlencoded");
    QString EditSubmit;
    bool CheckSubmit = true;
    bool CheckReset = true;
    bool CheckInput = true;
    bool CheckUpload = false;
};

// OK of the form dialog: the form, a line break in front and behind.
QString buildForm(const FormFields &fields);

// The method and enctype that ticking (or unticking) "Insert file upload" leaves: ticked,
// "post" and "multipart/form-data"; unticked, the method as it was and the URL-encoded
// enctype.
void applyUploadRule(bool ticked, QString *method, QString *enctype);

// The items of the form dialog's two lists.
const QStringList &formMethods();
const QStringList &formEncTypes();

// The input dialog's type list, positions 0 to 23.
const QStringList &inputTypes();
// The position of a type in the list, compared exactly; -1 when it is none of them.
int inputTypeIndex(const QString &type);
// The position of the item a typed type names, A-Z and a-z alike; -1 when none.
int inputTypeIndexIgnoringCase(const QString &type);
// True for the list positions of the types that need HTML 5 (color, date, email, ...).
bool needsHtml5(int position);
// The warning the input commands show after inserting such a type.
QString html5WarningText(bool english);

// The input dialog's fields as the user left them.
struct InputFields {
    QString type; // the type list's text, as typed
    QString EditName;
    QString EditSize = QStringLiteral("50");
    QString EditLength = QStringLiteral("50");
    QString EditValue = QStringLiteral("Default text");
    QString EditClick = QStringLiteral("alert('Use JavaScript');");
    QString EditImage;
    bool NotInput = false; // "button" writes a button element
};

// OK of the input dialog: the control for the type (compared ignoring A-Z case); empty for
// a type it does not know.
QString buildInputControl(const InputFields &fields);

// The fixed snippets of the select-box and drop-down-list commands (five lines each).
QString selectBoxSnippet();
QString dropDownListSnippet();
