#include "structure/entities.h"

#include "tests/unit/qstringprint.h"

#include <QSet>
#include <gtest/gtest.h>

TEST(SpecialCharacters, ButtonsInToolbarOrder)
{
    QStringList entities, captions;
    for (const EntityButton &b : entityButtons()) {
        entities << b.entity;
        captions << b.caption;
    }
    EXPECT_EQ(entities, QStringList({"&Auml;",   "&Ouml;",   "&Uuml;",   "&auml;",  "&ouml;",   "&uuml;",
                                     "&szlig;",  "&Egrave;", "&Ecirc;",  "&Eacute;", "&egrave;", "&ecirc;",
                                     "&eacute;", "&Aring;",  "&Acirc;",  "&Agrave;", "&aring;",  "&acirc;",
                                     "&agrave;", "&sect;",   "&amp;",    "&euro;",   "&empty;",  "&nbsp;"}));
    // Each button shows the character its entity stands for.
    EXPECT_EQ(captions.join(""), QString::fromUtf8("ÄÖÜäöüßÈÊÉèêéÅÂÀåâà§&€∅Space"));
    QSet<QString> names;
    for (const EntityButton &b : entityButtons())
        names.insert(b.name);
    EXPECT_EQ(names.size(), 24);
}

TEST(SpecialCharacters, NumericReferences)
{
    struct Case {
        QString selected;
        const char *expected;
    };
    const Case cases[] = {
        {QString::fromUtf8("€"), "&#8364;"},
        {QString::fromUtf8("£ €"), "&#163;"},
        {"A", "&#65;"},
        {QString::fromUtf8("😀"), "&#55357;"}, // first unit of the pair
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(numericReference(c.selected), QString::fromUtf8(c.expected)) << c.expected;
}

TEST(SpecialCharacters, SampleLines)
{
    const QStringList lines = specialSampleText().split("\r\n");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].split(' ').size(), 12);
    EXPECT_EQ(lines[1].split(' ').size(), 11);
    EXPECT_TRUE(lines[0].contains(QString::fromUtf8("€")));
}
