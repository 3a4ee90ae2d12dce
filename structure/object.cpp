#include "structure/object.h"

#include "editing/textops.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString piece(const QString &name, const QString &value)
{
    if (sx::isBlank(value))
        return QString();
    return QLatin1Char(' ') + name + QStringLiteral("=\"") + value + QLatin1Char('"');
}

} // namespace

QString buildObjectTag(const ObjectFields &f)
{
    QString s = kCrLf + QStringLiteral("<object");
    s += piece(f.Label11, f.EditName);
    s += piece(f.Label1, f.EditClass);
    s += piece(f.Label2, f.EditCode);
    s += piece(QStringLiteral("width"), f.EditWidth);
    s += piece(QStringLiteral("height"), f.EditHeight);
    s += piece(QStringLiteral("border"), f.EditBorder);
    if (sx::trim(f.EditMap) != u"#")
        s += piece(QStringLiteral("usemap"), f.EditMap);
    s += QLatin1Char('>') + kCrLf;
    if (!sx::isBlank(f.Memo1))
        s += f.Memo1 + kCrLf;
    s += QStringLiteral("</object>") + kCrLf;
    return s;
}

const QStringList &objectTypes()
{
    static const QStringList items = {"Flash", "Data", "Java", "ActiveX"};
    return items;
}

const QStringList &mimeTypes()
{
    static const QStringList items = {
        "application/acad",
        "application/applefile",
        "application/gzip",
        "application/java",
        "application/java-vm",
        "application/msexcel",
        "application/mshelp",
        "application/mspowerpoint",
        "application/msword",
        "application/octet-stream",
        "application/pdf",
        "application/rtf",
        "application/vocaltec-media-desc",
        "application/vocaltec-media-file",
        "application/xhtml+xml",
        "application/xml",
        "application/x-httpd-php",
        "application/x-javascript",
        "application/x-macbinary",
        "application/x-shockwave-flash",
        "application/x-stuffit",
        "application/x-tar",
        "application/zip",
        "audio/voxware",
        "audio/x-aiff",
        "audio/x-midi",
        "audio/x-mpeg",
        "audio/x-qt-stream",
        "audio/x-wav",
        "image/gif",
        "image/jpeg",
        "image/png",
        "image/tiff",
        "image/x-freehand",
        "image/x-icon",
        "message/http",
        "message/news",
        "multipart/encrypted",
        "multipart/form-data",
        "multipart/mixed",
        "text/comma-separated-values",
        "text/css",
        "text/html",
        "text/javascript",
        "text/plain",
        "text/rtf",
        "text/xml",
        "text/xml-external-parsed-entity",
        "video/mpeg",
        "video/quicktime",
        "video/vnd.vivo",
        "video/x-msvideo",
        "video/x-sgi-movie",
    };
    return items;
}

ObjectPreset objectPreset(const QString &type, const QString &width, const QString &height)
{
    ObjectPreset p;
    ObjectFields &f = p.fields;
    f.EditWidth = width;
    f.EditHeight = height;
    if (type == u"Flash") {
        f.EditClass = QStringLiteral("CLSID:D27CDB6E-AE6D-11cf-96B8-444553540000");
        f.EditCode = QStringLiteral("http://download.example.com/pub/flash2/cabs/swflash.cab#version=4,0,0,0");
        f.Memo1 = QStringLiteral("<param name=\"movie\" value=\"MyFlash.swf\">\r\n"
                                 "    <param name=\"quality\" value=\"high\">\r\n"
                                 "    <param name=\"scale\" value=\"exactfit\">\r\n"
                                 "    <param name=\"menu\" value=\"true\">\r\n"
                                 "    <param name=\"bgcolor\" value=\"#000000\">\r\n"
                                 "    <embed src=\"MyFlash.swf\" quality=\"high\" scale=\"exactfit\" menu=\"false\"\r\n"
                                 "           bgcolor=\"#000000\" width=\"")
                  + width + QStringLiteral("\" height=\"") + height
                  + QStringLiteral("\" swLiveConnect=\"false\"\r\n"
                                   "           type=\"application/x-shockwave-flash\"\r\n"
                                   "           pluginspage=\"http://www.example.com/shockwave/download/"
                                   "download.cgi?P1_Prod_Version=ShockwaveFlash\">\r\n"
                                   "    </embed>\r\n");
    } else if (type == u"Data") {
        f.Label1 = QStringLiteral("data");
        f.Label2 = QStringLiteral("type");
        f.EditClass = QStringLiteral("MyFile.txt");
        f.EditCode = QStringLiteral("text/plain");
        f.Memo1 = QStringLiteral("<param name=\"src\" value=\"MyFile.txt\">");
        p.mapEnabled = true;
    } else if (type == u"Java") {
        f.Label11 = QStringLiteral("codetype");
        f.EditClass = QStringLiteral("java:myJava.class");
        f.EditName = QStringLiteral("application/java-vm");
        f.Memo1 = QStringLiteral("<applet code=\"myJava.class\" width=\"") + width + QStringLiteral("\" height=\"")
                  + height + QStringLiteral("\" alt=\"Java-Applet\">\r\n</applet>");
    } else if (type == u"ActiveX") {
        f.EditName = QStringLiteral("Mediaplayer");
        f.EditClass = QStringLiteral("CLSID:05589FA1-C356-11CE-BF01-00AA0055595A");
        f.Memo1 = QStringLiteral("<param name=\"filename\" value=\"MyVideo.mpg\">");
    }
    return p;
}

int mimeTarget(const QString &objectType)
{
    if (objectType == u"Data")
        return 2;
    if (objectType == u"Java")
        return 3;
    return 0;
}

QString appendParamLine(const QString &memo, const QString &name, const QString &value)
{
    const QString line = QStringLiteral("<param name=\"") + name + QStringLiteral("\" value=\"") + value
                         + QStringLiteral("\">");
    if (memo.isEmpty() || memo.endsWith(u'\n'))
        return memo + line;
    return memo + kCrLf + line;
}
