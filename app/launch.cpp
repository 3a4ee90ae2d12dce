#include "app/launch.h"

#include "app/platform.h"
#include "editing/textops.h"

#include <QFileInfo>

QString pageFileUrl(const QString &path)
{
    QString p;
    p.reserve(path.size() + 16);
    for (QChar c : path) {
        switch (c.unicode()) {
        case u' ': p += QStringLiteral("%20"); break;
        case u'%': p += QStringLiteral("%25"); break;
        case u'#': p += QStringLiteral("%23"); break;
        case u'?': p += QStringLiteral("%3F"); break;
        default: p += c;
        }
    }
    return (p.startsWith(u'/') ? QStringLiteral("file://") : QStringLiteral("file:///")) + p;
}

namespace {
QString replaceFirstAsciiCi(const QString &text, QStringView pattern, QStringView with)
{
    const qsizetype p = sx::posAsciiCi(pattern, text);
    return p > 0 ? sx::ReplaceRange(text, p, pattern.size(), with) : text;
}
} // namespace

QString withEditableBody(const QString &text)
{
    return replaceFirstAsciiCi(text, u"<body", u"<body contenteditable=\"true\"");
}

QString withoutFirstContentEditable(const QString &text)
{
    return replaceFirstAsciiCi(text, u"contenteditable=\"true\"", u"");
}

QString ftpArgument(const QString &user, const QString &password, const QString &server, const QString &loginKind)
{
    if (loginKind == QLatin1String("Anonymous"))
        return QStringLiteral("/e, ftp://") + server;
    return QStringLiteral("/e, ftp://") + user + u':' + password + u'@' + server;
}

QString updaterProgram(const QString &exeFolder) { return exeFolder + QStringLiteral("Install.exe"); }

QString quoteArgument(const QString &argument)
{
    QString out = QStringLiteral("\"");
    qsizetype slashes = 0;
    for (QChar c : argument) {
        if (c == u'\\') {
            ++slashes;
            out += c;
            continue;
        }
        if (c == u'"') {
            out += QString(slashes + 1, u'\\');
            out += c;
        } else {
            out += c;
        }
        slashes = 0;
    }
    out += QString(slashes, u'\\');
    out += u'"';
    return out;
}

QStringList splitCommandLine(const QString &line)
{
    QStringList args;
    QString cur;
    bool have = false, inQuotes = false;
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = line[i];
        if (c == u'\\') {
            qsizetype k = i;
            while (k < n && line[k] == u'\\')
                ++k;
            const qsizetype slashes = k - i;
            have = true;
            if (k < n && line[k] == u'"') {
                cur += QString(slashes / 2, u'\\');
                if (slashes % 2) {
                    cur += u'"';
                    i = k + 1;
                } else {
                    i = k;
                }
            } else {
                cur += QString(slashes, u'\\');
                i = k;
            }
            continue;
        }
        if (c == u'"') {
            have = true;
            if (inQuotes && i + 1 < n && line[i + 1] == u'"') {
                cur += u'"';
                i += 2;
                continue;
            }
            inQuotes = !inQuotes;
            ++i;
            continue;
        }
        if (!inQuotes && (c == u' ' || c == u'\t')) {
            if (have)
                args << cur;
            cur.clear();
            have = false;
            ++i;
            continue;
        }
        cur += c;
        have = true;
        ++i;
    }
    if (have)
        args << cur;
    return args;
}

QString updaterCommandLine(const QString &version, const QString &exeFileName, int language,
                           const QString &mode, const QString &command)
{
    const QStringList args = {QStringLiteral("Sorvex"), version, exeFileName, QString::number(language),
                              mode.isEmpty() ? QStringLiteral("default") : mode, command};
    QStringList quoted;
    for (const QString &a : args)
        quoted << quoteArgument(a);
    return sx::trim(quoted.join(u' '));
}

QString versionText(quint32 ms, quint32 ls)
{
    return QStringLiteral("%1.%2.%3.%4").arg(ms >> 16).arg(ms & 0xFFFF).arg(ls >> 16).arg(ls & 0xFFFF);
}

QString versionText(const QString &embedded)
{
    const QStringList parts = embedded.trimmed().split(u'.');
    quint32 n[4] = {0, 0, 0, 0};
    int taken = 0;
    for (const QString &p : parts) {
        bool ok = false;
        const uint v = p.toUInt(&ok);
        if (!ok || v > 0xFFFF || taken == 4)
            break;
        n[taken++] = v;
    }
    if (taken == 0)
        return QStringLiteral("Not available");
    return versionText((n[0] << 16) | n[1], (n[2] << 16) | n[3]);
}

QString GetVersionString(const Platform &platform, const QString &path)
{
    if (QFileInfo(path).absoluteFilePath() != QFileInfo(platform.exePath()).absoluteFilePath())
        return QStringLiteral("Not available");
    return versionText(platform.versionString());
}
