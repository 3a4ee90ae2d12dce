#include "structure/object.h"

#include "tests/unit/qstringprint.h"

#include <gtest/gtest.h>

namespace {

ObjectFields preset(const char *type, const char *w = "300", const char *h = "300")
{
    return objectPreset(QString::fromUtf8(type), QString::fromUtf8(w), QString::fromUtf8(h)).fields;
}

} // namespace

TEST(ObjectDialog, Elements)
{
    struct Case {
        const char *name;
        ObjectFields f;
        const char *expected;
    };
    ObjectFields plain;
    ObjectFields dataMap = preset("Data");
    dataMap.EditMap = "#map1";
    ObjectFields dataHash = preset("Data");
    dataHash.EditMap = " # ";
    ObjectFields all;
    all.EditName = "n";
    all.EditClass = "c";
    all.EditCode = "b";
    all.EditBorder = "2";
    all.EditMap = " #m";
    all.EditWidth = " ";
    all.EditHeight = "";
    ObjectFields deleted = preset("ActiveX");
    deleted.Memo1.clear();
    ObjectFields blankMemo;
    blankMemo.Memo1 = " \r\n ";
    const Case cases[] = {
        {"nothing but width and height", plain, "\r\n<object width=\"300\" height=\"300\">\r\n</object>\r\n"},
        {"ActiveX preset",
         preset("ActiveX"),
         "\r\n<object name=\"Mediaplayer\" classid=\"CLSID:05589FA1-C356-11CE-BF01-00AA0055595A\" width=\"300\" "
         "height=\"300\">\r\n<param name=\"filename\" value=\"MyVideo.mpg\">\r\n</object>\r\n"},
        {"Data with a map name",
         dataMap,
         "\r\n<object data=\"MyFile.txt\" type=\"text/plain\" width=\"300\" height=\"300\" usemap=\"#map1\">\r\n"
         "<param name=\"src\" value=\"MyFile.txt\">\r\n</object>\r\n"},
        {"Data with the lone hash",
         dataHash,
         "\r\n<object data=\"MyFile.txt\" type=\"text/plain\" width=\"300\" height=\"300\">\r\n"
         "<param name=\"src\" value=\"MyFile.txt\">\r\n</object>\r\n"},
        {"order: name, first, second, width, height, border, usemap; values as typed",
         all, "\r\n<object name=\"n\" classid=\"c\" codebase=\"b\" border=\"2\" usemap=\" #m\">\r\n</object>\r\n"},
        {"Java after 200 x 100",
         preset("Java", "200", "100"),
         "\r\n<object codetype=\"application/java-vm\" classid=\"java:myJava.class\" width=\"200\" height=\"100\">\r\n"
         "<applet code=\"myJava.class\" width=\"200\" height=\"100\" alt=\"Java-Applet\">\r\n</applet>\r\n</object>\r\n"},
        {"deleted parameter list",
         deleted,
         "\r\n<object name=\"Mediaplayer\" classid=\"CLSID:05589FA1-C356-11CE-BF01-00AA0055595A\" width=\"300\" "
         "height=\"300\">\r\n</object>\r\n"},
        {"blank parameter list", blankMemo, "\r\n<object width=\"300\" height=\"300\">\r\n</object>\r\n"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(buildObjectTag(c.f), QString::fromUtf8(c.expected)) << c.name;
}

TEST(ObjectDialog, FlashPreset)
{
    const ObjectPreset p = objectPreset("Flash", "640", "480");
    EXPECT_FALSE(p.mapEnabled);
    EXPECT_EQ(p.fields.Label1, "classid");
    EXPECT_EQ(p.fields.EditClass, "CLSID:D27CDB6E-AE6D-11cf-96B8-444553540000");
    EXPECT_TRUE(p.fields.EditCode.endsWith("/flash2/cabs/swflash.cab#version=4,0,0,0"));
    const QStringList lines = p.fields.Memo1.split("\r\n");
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[0], "<param name=\"movie\" value=\"MyFlash.swf\">");
    EXPECT_EQ(lines[1], "    <param name=\"quality\" value=\"high\">");
    EXPECT_EQ(lines[4], "    <param name=\"bgcolor\" value=\"#000000\">");
    EXPECT_EQ(lines[5], "    <embed src=\"MyFlash.swf\" quality=\"high\" scale=\"exactfit\" menu=\"false\"");
    EXPECT_EQ(lines[6], "           bgcolor=\"#000000\" width=\"640\" height=\"480\" swLiveConnect=\"false\"");
    EXPECT_EQ(lines[7], "           type=\"application/x-shockwave-flash\"");
    EXPECT_TRUE(lines[8].startsWith("           pluginspage=\"http"));
    EXPECT_TRUE(lines[8].endsWith("/shockwave/download/download.cgi?P1_Prod_Version=ShockwaveFlash\">"));
    EXPECT_EQ(lines[9], "    </embed>");
    EXPECT_EQ(lines[10], ""); // the block ends with a line break
    EXPECT_TRUE(buildObjectTag(p.fields).endsWith("    </embed>\r\n\r\n</object>\r\n"));
}

TEST(ObjectDialog, PresetsAndLists)
{
    const ObjectPreset data = objectPreset("Data", "1", "2");
    EXPECT_TRUE(data.mapEnabled);
    EXPECT_EQ(data.fields.Label1, "data");
    EXPECT_EQ(data.fields.Label2, "type");
    EXPECT_EQ(data.fields.EditMap, "#");
    const ObjectPreset java = objectPreset("Java", "1", "2");
    EXPECT_EQ(java.fields.Label11, "codetype");
    EXPECT_EQ(java.fields.Label2, "codebase");
    const ObjectPreset none = objectPreset("", "7", "8");
    EXPECT_TRUE(none.fields.EditClass.isEmpty());
    EXPECT_TRUE(none.fields.Memo1.isEmpty());
    EXPECT_EQ(none.fields.EditWidth, "7");
    EXPECT_EQ(mimeTarget("Data"), 2);
    EXPECT_EQ(mimeTarget("Java"), 3);
    EXPECT_EQ(mimeTarget("Flash"), 0);
    EXPECT_EQ(mimeTarget("ActiveX"), 0);
    EXPECT_EQ(mimeTypes().size(), 53);
    EXPECT_EQ(mimeTypes().first(), "application/acad");
    EXPECT_EQ(mimeTypes().last(), "video/x-sgi-movie");
    EXPECT_EQ(objectTypes(), QStringList({"Flash", "Data", "Java", "ActiveX"}));
}

TEST(ObjectDialog, ParameterLines)
{
    struct Case {
        const char *memo, *expected;
    };
    const Case cases[] = {
        {"", "<param name=\"a b\" value=\"\">"},
        {"<x>", "<x>\r\n<param name=\"a b\" value=\"\">"},
        {"<x>\r\n", "<x>\r\n<param name=\"a b\" value=\"\">"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(appendParamLine(c.memo, "a b", ""), QString::fromUtf8(c.expected)) << c.memo;
}
