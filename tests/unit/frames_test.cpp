#include "checks/frames.h"

#include "tests/unit/qstringprint.h"

#include <gtest/gtest.h>

namespace {

const char kHead[] = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\" "
                     "\"http://www.w3.org/TR/html4/frameset.dtd\">\r\n<html>\r\n<head>\r\n"
                     "<title>Frame page</title>\r\n</head>\r\n";
const char kTailEn[] = "<noframes>\r\n<body>\r\n<p>Will be displayed if browser is unabled to handle frames.</p>\r\n"
                       "</body>\r\n</noframes>\r\n</frameset></html>";

QString line(int i, const char *name, const char *b = "1")
{
    return QStringLiteral("<frame src=\"Frame%1.htm\" name=\"%2\" scrolling=\"auto\" marginwidth=\"5\" "
                          "marginheight=\"5\" frameborder=\"%3\" noresize>\r\n")
        .arg(i)
        .arg(QLatin1String(name), QLatin1String(b));
}

} // namespace

TEST(Frames, Layouts)
{
    FramesetFields two, three, four;
    three.frames = 3;
    four.frames = 4;
    EXPECT_EQ(buildFrameset(two), kHead
                                      + QStringLiteral("<frameset cols=\"50%,50%\" frameborder=\"1\" "
                                                       "framespacing=\"1\" border=\"1\">\r\n")
                                      + line(1, "Left") + line(2, "Right") + kTailEn);
    EXPECT_EQ(buildFrameset(three),
              kHead + QStringLiteral("<frameset rows=\"20%,80%\" frameborder=\"1\" framespacing=\"1\" border=\"1\">\r\n")
                  + line(1, "Top") + "<frameset cols=\"30%,70%\">\r\n" + line(2, "Left") + line(3, "Right")
                  + "</frameset>\r\n" + kTailEn);
    EXPECT_EQ(buildFrameset(four),
              kHead
                  + QStringLiteral("<frameset rows=\"20%,60%,20%\" frameborder=\"1\" framespacing=\"1\" border=\"1\">\r\n")
                  + line(1, "Top") + "<frameset cols=\"40%,60%\">\r\n" + line(2, "Left") + line(3, "Right")
                  + "</frameset>\r\n" + line(4, "Bottom") + kTailEn);
}

TEST(Frames, FrameValues)
{
    FramesetFields f;
    f.Borders = false;
    f.frame[1].Noresize = false;
    f.frame[0].EditWidth = " ";
    f.frame[0].EditHeight = "";
    f.frame[0].Scrolling = "";
    f.frame[1].Scrolling = "no";
    f.frame[1].Source = "a b.htm";
    f.noFrames = noFramesText(false);
    const QString page = buildFrameset(f);
    EXPECT_TRUE(page.contains("<frameset cols=\"50%,50%\" frameborder=\"0\" framespacing=\"0\" border=\"0\">\r\n"));
    EXPECT_TRUE(page.contains("<frame src=\"Frame1.htm\" name=\"Left\" scrolling=\"auto\" marginwidth=\"0\" "
                              "marginheight=\"0\" frameborder=\"0\" noresize>\r\n"));
    EXPECT_TRUE(page.contains("<frame src=\"a b.htm\" name=\"Right\" scrolling=\"no\" marginwidth=\"5\" "
                              "marginheight=\"5\" frameborder=\"0\" >\r\n"));
    EXPECT_TRUE(page.contains("\r\n<p>Wird angezeigt, wenn der Browser keine Frames darstellen kann.</p>\r\n"));
    EXPECT_FALSE(page.contains("Frame3.htm"));
    EXPECT_TRUE(page.endsWith("</frameset></html>"));
}

TEST(Frames, InlineFrame)
{
    IFrameFields f;
    EXPECT_EQ(buildIFrame(f), "<iframe src=\"Seite.htm\" width=\"400\" height=\"400\" name=\"Inline Page\">\r\n"
                              "<p>Your browser is unable to display inline frames:\r\n"
                              "Use a simple link instead:<a href=\"Seite.htm\">Inline Page</a></p>\r\n"
                              "</iframe>\r\n");
    f.EditName = "";
    f.EditSource = "x.htm";
    f.EditBreite = "50%";
    EXPECT_EQ(buildIFrame(f), "<iframe src=\"x.htm\" width=\"50%\" height=\"400\" name=\"\">\r\n"
                              "<p>Your browser is unable to display inline frames:\r\n"
                              "Use a simple link instead:<a href=\"x.htm\"></a></p>\r\n"
                              "</iframe>\r\n");
}
