// The object dialog's text: an object element from the attribute fields (whose names are
// the captions of their labels) and the parameter list, the four presets that fill them,
// and the MIME list.
#pragma once

#include <QString>
#include <QStringList>

struct ObjectFields {
    // The attribute names the labels show: classid or data, codebase or type, name or
    // codetype.
    QString Label1 = QStringLiteral("classid");
    QString Label2 = QStringLiteral("codebase");
    QString Label11 = QStringLiteral("name");
    QString EditClass, EditCode, EditName;
    QString EditMap = QStringLiteral("#");
    QString EditBorder;
    QString EditWidth = QStringLiteral("300");
    QString EditHeight = QStringLiteral("300");
    QString Memo1; // the parameter lines, CR LF between them
};

// OK of the dialog: CR LF, the start tag with its attributes in the order name field,
// first field, second field, width, height, border and usemap, the parameter lines (when
// there are any) and the end tag, each line ended by CR LF.
QString buildObjectTag(const ObjectFields &fields);

// The object types of the type list, in order.
const QStringList &objectTypes();
const QStringList &mimeTypes();

struct ObjectPreset {
    ObjectFields fields;  // the fields after the choice (width and height as they were)
    bool mapEnabled = false;
};

// The fields after choosing an object type: the fields cleared (width and height kept),
// then the preset's labels, fields and parameter lines. An unknown type only clears.
ObjectPreset objectPreset(const QString &type, const QString &width, const QString &height);

// Where a MIME type chosen from the list goes: 2 the second field (type of a data file),
// 3 the name field (codetype of a Java applet), 0 nowhere.
int mimeTarget(const QString &objectType);

// The parameter list with one more line <param name="N" value="V">.
QString appendParamLine(const QString &memo, const QString &name, const QString &value);
