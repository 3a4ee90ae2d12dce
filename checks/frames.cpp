#include "checks/frames.h"

#include "checks/doctype.h"
#include "editing/textops.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString orDefault(const QString &value, const char *fallback)
{
    return sx::isBlank(value) ? QString::fromLatin1(fallback) : value;
}

} // namespace

FramesetFields::FramesetFields()
{
    for (int i = 0; i < 4; ++i)
        frame[i].Source = QStringLiteral("Frame%1.htm").arg(i + 1);
    noFrames = noFramesText(true);
}

QString noFramesText(bool english)
{
    return english ? QStringLiteral("<p>Will be displayed if browser is unabled to handle frames.</p>")
                   : QStringLiteral("<p>Wird angezeigt, wenn der Browser keine Frames darstellen kann.</p>");
}

QString frameLine(const FrameFields &f, const QString &name, const QString &border)
{
    return QStringLiteral("<frame src=\"") + f.Source + QStringLiteral("\" name=\"") + name
           + QStringLiteral("\" scrolling=\"") + orDefault(f.Scrolling, "auto") + QStringLiteral("\" marginwidth=\"")
           + orDefault(f.EditWidth, "0") + QStringLiteral("\" marginheight=\"") + orDefault(f.EditHeight, "0")
           + QStringLiteral("\" frameborder=\"") + border + QStringLiteral("\" ")
           + (f.Noresize ? QStringLiteral("noresize") : QString()) + QLatin1Char('>');
}

QString buildFrameset(const FramesetFields &f)
{
    const QString b = f.Borders ? QStringLiteral("1") : QStringLiteral("0");
    const QString borders = QStringLiteral(" frameborder=\"") + b + QStringLiteral("\" framespacing=\"") + b
                            + QStringLiteral("\" border=\"") + b + QStringLiteral("\">");
    QString s = sx::DoctypeText(3) + kCrLf;
    s += QStringLiteral("<html>") + kCrLf + QStringLiteral("<head>") + kCrLf
         + QStringLiteral("<title>Frame page</title>") + kCrLf + QStringLiteral("</head>") + kCrLf;
    auto line = [&](int i, const char *name) { s += frameLine(f.frame[i], QLatin1String(name), b) + kCrLf; };
    if (f.frames == 3) {
        s += QStringLiteral("<frameset rows=\"20%,80%\"") + borders + kCrLf;
        line(0, "Top");
        s += QStringLiteral("<frameset cols=\"30%,70%\">") + kCrLf;
        line(1, "Left");
        line(2, "Right");
        s += QStringLiteral("</frameset>") + kCrLf;
    } else if (f.frames == 4) {
        s += QStringLiteral("<frameset rows=\"20%,60%,20%\"") + borders + kCrLf;
        line(0, "Top");
        s += QStringLiteral("<frameset cols=\"40%,60%\">") + kCrLf;
        line(1, "Left");
        line(2, "Right");
        s += QStringLiteral("</frameset>") + kCrLf;
        line(3, "Bottom");
    } else {
        s += QStringLiteral("<frameset cols=\"50%,50%\"") + borders + kCrLf;
        line(0, "Left");
        line(1, "Right");
    }
    s += QStringLiteral("<noframes>") + kCrLf + QStringLiteral("<body>") + kCrLf + f.noFrames + kCrLf
         + QStringLiteral("</body>") + kCrLf + QStringLiteral("</noframes>") + kCrLf;
    s += QStringLiteral("</frameset></html>");
    return s;
}

QString buildIFrame(const IFrameFields &f)
{
    return QStringLiteral("<iframe src=\"") + f.EditSource + QStringLiteral("\" width=\"") + f.EditBreite
           + QStringLiteral("\" height=\"") + f.EditHohe + QStringLiteral("\" name=\"") + f.EditName
           + QStringLiteral("\">") + kCrLf + QStringLiteral("<p>Your browser is unable to display inline frames:")
           + kCrLf + QStringLiteral("Use a simple link instead:<a href=\"") + f.EditSource + QStringLiteral("\">")
           + f.EditName + QStringLiteral("</a></p>") + kCrLf + QStringLiteral("</iframe>") + kCrLf;
}
