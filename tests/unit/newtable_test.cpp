#include "structure/newtable.h"

#include "editing/textops.h"

#include <functional>
#include "tests/unit/qstringprint.h"

#include <gtest/gtest.h>
#include <random>

namespace {

QString crlf(const char *text) { return QString::fromUtf8(text).replace(QStringLiteral("|"), QStringLiteral("\r\n")); }

// The table text as the dialog describes it: every row put in front of everything built
// so far, one more CR LF in front each time.
QString referenceTable(const TableFields &f)
{
    auto pieces = [](const QList<std::pair<const char *, QString>> &list, bool trimmed) {
        QString s;
        for (const auto &[name, value] : list) {
            if (!sx::isBlank(value))
                s += QLatin1String(name) + QStringLiteral("=\"") + (trimmed ? sx::trim(value) : value)
                     + QStringLiteral("\" ");
        }
        return s;
    };
    const QString start = QStringLiteral("<TABLE ")
                          + pieces({{"width", f.EditBreite}, {"height", f.EditHoehe}, {"cellspacing", f.EditSpacing},
                                    {"cellpadding", f.EditPadding}, {"border", f.EditBorder},
                                    {"align", f.ComboBox1}, {"bgcolor", f.EditFarbe}},
                                   true)
                          + QStringLiteral(">");
    const QString cell = QStringLiteral("<TD ")
                         + pieces({{"align", f.ComboBox2}, {"valign", f.ComboBox3}, {"bgcolor", f.EditColor},
                                   {"colspan", f.EditColspan}, {"rowspan", f.EditRowspan},
                                   {"width", f.EditWidth}, {"height", f.EditHeight}},
                                  false)
                         + QStringLiteral(">&nbsp;</TD>");
    bool ok = false;
    const int rows = int(sx::parseInteger(f.EditZeile, &ok));
    const int cols = int(sx::parseInteger(f.EditSpalte, &ok));
    QString rowsText;
    for (int r = 0; r < rows; ++r) {
        QString cells;
        for (int c = 0; c < cols; ++c)
            cells += cell + QStringLiteral("\r\n");
        rowsText = QStringLiteral("\r\n") + rowsText + QStringLiteral("<TR>\r\n") + cells + QStringLiteral("</TR>\r\n");
    }
    return start + QStringLiteral("\r\n") + rowsText + QStringLiteral("</TABLE>\r\n");
}

} // namespace

TEST(NewTable, Texts)
{
    struct Case {
        const char *name;
        std::function<void(TableFields &)> edit;
        QString table;
    };
    const QString cell = QStringLiteral("<TD align=\"left\" valign=\"top\" >&nbsp;</TD>");
    const QString start = QStringLiteral("<TABLE cellspacing=\"0\" cellpadding=\"0\" border=\"0\" >");
    const Case cases[] = {
        {"initial values", [](TableFields &) {},
         start + crlf("||<TR>|") + cell + crlf("|</TR>|</TABLE>|")},
        {"two rows of three", [](TableFields &f) { f.EditZeile = "2"; f.EditSpalte = "3"; },
         start + crlf("|||<TR>|") + cell + crlf("|") + cell + crlf("|") + cell + crlf("|</TR>|<TR>|") + cell
             + crlf("|") + cell + crlf("|") + cell + crlf("|</TR>|</TABLE>|")},
        {"three rows: three empty lines", [](TableFields &f) { f.EditZeile = "3"; },
         start + crlf("||||<TR>|") + cell + crlf("|</TR>|<TR>|") + cell + crlf("|</TR>|<TR>|") + cell
             + crlf("|</TR>|</TABLE>|")},
        {"no table attributes",
         [](TableFields &f) { f.EditBorder = ""; f.EditPadding = " "; f.EditSpacing = ""; f.EditZeile = "0"; },
         crlf("<TABLE >|</TABLE>|")},
        {"rows 0", [](TableFields &f) { f.EditZeile = "0"; }, start + crlf("|</TABLE>|")},
        {"negative rows", [](TableFields &f) { f.EditZeile = "-3"; }, start + crlf("|</TABLE>|")},
        {"cols 0: empty rows", [](TableFields &f) { f.EditZeile = "2"; f.EditSpalte = "0"; },
         start + crlf("|||<TR>|</TR>|<TR>|</TR>|</TABLE>|")},
        {"every table attribute, trimmed, in order",
         [](TableFields &f) {
             f.EditZeile = "0"; f.EditBreite = " 100% "; f.EditHoehe = "50"; f.EditSpacing = "1";
             f.EditPadding = "2"; f.EditBorder = "3"; f.ComboBox1 = " center"; f.EditFarbe = "#FF0000 ";
         },
         crlf("<TABLE width=\"100%\" height=\"50\" cellspacing=\"1\" cellpadding=\"2\" border=\"3\" align=\"center\" "
              "bgcolor=\"#FF0000\" >|</TABLE>|")},
        {"every cell attribute, as typed, in order",
         [](TableFields &f) {
             f.ComboBox2 = "center"; f.ComboBox3 = "middle"; f.EditColor = "#00FF00"; f.EditColspan = "2";
             f.EditRowspan = "3"; f.EditWidth = " 40"; f.EditHeight = "9 ";
         },
         start
             + crlf("||<TR>|<TD align=\"center\" valign=\"middle\" bgcolor=\"#00FF00\" colspan=\"2\" rowspan=\"3\" "
                    "width=\" 40\" height=\"9 \" >&nbsp;</TD>|</TR>|</TABLE>|")},
        {"no cell attributes", [](TableFields &f) { f.ComboBox2 = ""; f.ComboBox3 = "  "; },
         start + crlf("||<TR>|<TD >&nbsp;</TD>|</TR>|</TABLE>|")},
    };
    for (const Case &c : cases) {
        TableFields f;
        c.edit(f);
        validateTable(f);
        EXPECT_EQ(buildTable(f), c.table) << c.name;
        EXPECT_EQ(tableLength(f), c.table.size()) << c.name;
    }
}

TEST(NewTable, Validation)
{
    struct Case {
        const char *name;
        std::function<void(TableFields &)> edit;
        std::function<void(const TableFields &)> check;
    };
    const Case cases[] = {
        {"counts that are no integer become 1",
         [](TableFields &f) { f.EditZeile = "x"; f.EditSpalte = ""; },
         [](const TableFields &f) { EXPECT_EQ(f.EditZeile, "1"); EXPECT_EQ(f.EditSpalte, "1"); }},
        {"counts beyond 32 bits become 1",
         [](TableFields &f) { f.EditZeile = "2147483648"; f.EditSpalte = "-2147483649"; },
         [](const TableFields &f) { EXPECT_EQ(f.EditZeile, "1"); EXPECT_EQ(f.EditSpalte, "1"); }},
        {"integers stay as typed",
         [](TableFields &f) { f.EditZeile = " 2"; f.EditSpalte = "$A"; f.EditBorder = "-1"; },
         [](const TableFields &f) {
             EXPECT_EQ(f.EditZeile, " 2"); EXPECT_EQ(f.EditSpalte, "$A"); EXPECT_EQ(f.EditBorder, "-1");
         }},
        {"a blank after the number makes it none",
         [](TableFields &f) { f.EditZeile = "2 "; f.EditBorder = "1 "; },
         [](const TableFields &f) { EXPECT_EQ(f.EditZeile, "1"); EXPECT_EQ(f.EditBorder, "0"); }},
        {"border, padding, spacing that are no integer become 0",
         [](TableFields &f) { f.EditBorder = "1px"; f.EditPadding = "2.5"; f.EditSpacing = "a"; },
         [](const TableFields &f) {
             EXPECT_EQ(f.EditBorder, "0"); EXPECT_EQ(f.EditPadding, "0"); EXPECT_EQ(f.EditSpacing, "0");
         }},
        {"blank border, padding, spacing stay blank",
         [](TableFields &f) { f.EditBorder = ""; f.EditPadding = "  "; },
         [](const TableFields &f) { EXPECT_EQ(f.EditBorder, ""); EXPECT_EQ(f.EditPadding, "  "); }},
        {"spans that are no integer are emptied",
         [](TableFields &f) { f.EditColspan = "two"; f.EditRowspan = "3"; },
         [](const TableFields &f) { EXPECT_EQ(f.EditColspan, ""); EXPECT_EQ(f.EditRowspan, "3"); }},
        {"widths, heights, alignments and colours as typed",
         [](TableFields &f) { f.EditBreite = "x"; f.EditWidth = "y"; f.ComboBox1 = "z"; f.EditFarbe = "red"; },
         [](const TableFields &f) {
             EXPECT_EQ(f.EditBreite, "x"); EXPECT_EQ(f.EditWidth, "y"); EXPECT_EQ(f.ComboBox1, "z");
             EXPECT_EQ(f.EditFarbe, "red");
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TableFields f;
        c.edit(f);
        validateTable(f);
        c.check(f);
    }
    // Hex counts are counts.
    TableFields f;
    f.EditZeile = "$2";
    validateTable(f);
    EXPECT_EQ(buildTable(f).count(QStringLiteral("<TR>")), 2);
}

TEST(NewTable, SamePassAsTheRowByRowDescription)
{
    std::mt19937 rng(7);
    const char *values[] = {"", " ", "1", "x", "10%", " 3 ", "#AbC", "-2", "$3", "0"};
    auto pick = [&](int n) { return QString::fromLatin1(values[rng() % n]); };
    for (int i = 0; i < 400; ++i) {
        TableFields f;
        f.EditZeile = QString::number(int(rng() % 7) - 1);
        f.EditSpalte = QString::number(int(rng() % 6) - 1);
        f.EditBreite = pick(10);
        f.EditHoehe = pick(10);
        f.EditBorder = pick(10);
        f.EditPadding = pick(10);
        f.EditSpacing = pick(10);
        f.ComboBox1 = pick(10);
        f.EditFarbe = pick(10);
        f.EditWidth = pick(10);
        f.EditHeight = pick(10);
        f.ComboBox2 = pick(10);
        f.ComboBox3 = pick(10);
        f.EditColor = pick(10);
        f.EditColspan = pick(10);
        f.EditRowspan = pick(10);
        validateTable(f);
        const QString expected = referenceTable(f);
        ASSERT_EQ(buildTable(f), expected) << i;
        ASSERT_EQ(tableLength(f), expected.size()) << i;
    }
}

TEST(NewTable, SizeOfHugeTablesWithoutBuildingThem)
{
    TableFields f;
    f.EditZeile = "100000";
    f.EditSpalte = "100000";
    validateTable(f);
    EXPECT_GT(tableLength(f), kMaxTableLength);
    f.EditZeile = "2147483647";
    f.EditSpalte = "2147483647";
    EXPECT_GT(tableLength(f), kMaxTableLength);
    f.EditZeile = "1000";
    f.EditSpalte = "10";
    EXPECT_LT(tableLength(f), kMaxTableLength);
}
