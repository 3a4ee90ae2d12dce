#include "structure/newtable.h"

#include "editing/textops.h"

#include <algorithm>
#include <limits>

namespace {

const QLatin1String kCrLf("\r\n");

// A count as the dialog reads it: a whole number in the 32-bit range.
bool readCount(const QString &text, int *value)
{
    bool ok = false;
    const long long v = sx::parseInteger(text, &ok);
    if (!ok || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    if (value)
        *value = int(v);
    return true;
}

int count(const QString &text)
{
    int v = 1;
    readCount(text, &v);
    return v;
}

// name="value" followed by a space, when the value is not blank.
void piece(QString &out, const char *name, const QString &value, bool trimmed)
{
    if (sx::isBlank(value))
        return;
    out += QLatin1String(name);
    out += QStringLiteral("=\"");
    out += trimmed ? sx::trim(value) : value;
    out += QStringLiteral("\" ");
}

QString startTag(const TableFields &f)
{
    QString s = QStringLiteral("<TABLE ");
    piece(s, "width", f.EditBreite, true);
    piece(s, "height", f.EditHoehe, true);
    piece(s, "cellspacing", f.EditSpacing, true);
    piece(s, "cellpadding", f.EditPadding, true);
    piece(s, "border", f.EditBorder, true);
    piece(s, "align", f.ComboBox1, true);
    piece(s, "bgcolor", f.EditFarbe, true);
    s += u'>';
    return s;
}

QString cellText(const TableFields &f)
{
    QString s = QStringLiteral("<TD ");
    piece(s, "align", f.ComboBox2, false);
    piece(s, "valign", f.ComboBox3, false);
    piece(s, "bgcolor", f.EditColor, false);
    piece(s, "colspan", f.EditColspan, false);
    piece(s, "rowspan", f.EditRowspan, false);
    piece(s, "width", f.EditWidth, false);
    piece(s, "height", f.EditHeight, false);
    s += QStringLiteral(">&nbsp;</TD>");
    return s;
}

const QLatin1String kRowStart("<TR>\r\n");
const QLatin1String kRowEnd("</TR>\r\n");
const QLatin1String kTableEnd("</TABLE>\r\n");

} // namespace

void validateTable(TableFields &f)
{
    if (!readCount(f.EditZeile, nullptr))
        f.EditZeile = QStringLiteral("1");
    if (!readCount(f.EditSpalte, nullptr))
        f.EditSpalte = QStringLiteral("1");
    for (QString *s : {&f.EditBorder, &f.EditPadding, &f.EditSpacing}) {
        if (!sx::isBlank(*s) && !readCount(*s, nullptr))
            *s = QStringLiteral("0");
    }
    for (QString *s : {&f.EditColspan, &f.EditRowspan}) {
        if (!sx::isBlank(*s) && !readCount(*s, nullptr))
            s->clear();
    }
}

qsizetype tableLength(const TableFields &f)
{
    // Products are capped well above the largest table allowed, so that no count can
    // overflow them.
    static constexpr qint64 cap = qint64(1) << 50;
    auto times = [](qint64 a, qint64 b) { return (a != 0 && b > cap / a) ? cap : std::min(cap, a * b); };
    const qint64 rows = std::max(0, count(f.EditZeile));
    const qint64 cells = std::max(0, count(f.EditSpalte));
    const qint64 row = std::min(cap, 2 + kRowStart.size() + times(cells, cellText(f).size() + 2) + kRowEnd.size());
    const qint64 total = std::min(cap, startTag(f).size() + 2 + times(rows, row) + kTableEnd.size());
    return qsizetype(total);
}

QString buildTable(const TableFields &f)
{
    const int rows = count(f.EditZeile);
    const int cells = count(f.EditSpalte);
    // Every row also puts one CR LF in front of everything built before it, so the rows
    // follow a run of as many line breaks as there are rows.
    QString row = kRowStart;
    const QString cell = cellText(f);
    for (int c = 0; rows > 0 && c < cells; ++c) {
        row += cell;
        row += kCrLf;
    }
    row += kRowEnd;

    QString s;
    s.reserve(tableLength(f));
    s += startTag(f);
    s += kCrLf;
    for (int r = 0; r < rows; ++r)
        s += kCrLf;
    for (int r = 0; r < rows; ++r)
        s += row;
    s += kTableEnd;
    return s;
}

TableTexts tableTexts(bool english)
{
    if (english)
        return {QStringLiteral("Table"), QStringLiteral("Cancel"), QStringLiteral("Insert behind selection"),
                QStringLiteral("The table is too large (%1 rows, %2 cells per row).")};
    return {QStringLiteral("Tabelle"), QStringLiteral("Abbrechen"), QString::fromUtf8("Hinter Auswahl einfügen"),
            QString::fromUtf8("Die Tabelle ist zu groß (%1 Zeilen, %2 Zellen pro Zeile).")};
}
