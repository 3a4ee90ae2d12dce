#include "app/settingsfile.h"

#include "app/catalogue.h"
#include "app/documentfile.h"
#include "editing/textops.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <limits>

namespace {

constexpr char kKey[] = "qomu";

bool isUtf8Mark(QByteArrayView b) { return b.size() >= 3 && uchar(b[0]) == 0xEF && uchar(b[1]) == 0xBB && uchar(b[2]) == 0xBF; }
bool isUtf16LeMark(QByteArrayView b) { return b.size() >= 2 && uchar(b[0]) == 0xFF && uchar(b[1]) == 0xFE; }
bool isUtf16BeMark(QByteArrayView b) { return b.size() >= 2 && uchar(b[0]) == 0xFE && uchar(b[1]) == 0xFF; }
bool hasByteOrderMark(QByteArrayView b) { return isUtf8Mark(b) || isUtf16LeMark(b) || isUtf16BeMark(b); }

// A whole decimal integer that fits the platform's integer ("$" hex as well).
bool toInteger(const QString &text, int *value)
{
    bool ok = false;
    const long long v = sx::parseInteger(text, &ok);
    if (!ok)
        return false;
    *value = int(quint32(v)); // "$FFFFFFFF" is -1, as the platform reads it
    return true;
}

// A size the editor can show; other values are ignored like non-integers.
constexpr int kMaxFontPoints = 500;

QString lineOf(const QStringList &lines, int index) { return index < lines.size() ? lines[index] : QString(); }

// One field of a dialog as a line of the file.
QString oneLine(const QString &text)
{
    QString s = text;
    for (QChar &c : s)
        if (c == u'\r' || c == u'\n' || c == QChar(0x2028) || c == QChar(0x2029))
            c = u' ';
    return s;
}

// --- How each line is read, written at close, shown and built by the dialog.

bool loadFontSize(const QString &line, const SystemLanguage &, SettingsState &s)
{
    int v = 0;
    if (!sx::isBlank(line) && toInteger(line, &v) && v > 0 && v <= kMaxFontPoints)
        s.fontSize = v;
    return true;
}
bool loadLineNumbers(const QString &line, const SystemLanguage &, SettingsState &s)
{
    s.settings.lineNumbers = line != QLatin1String("false");
    return true;
}
bool loadFtpUser(const QString &line, const SystemLanguage &, SettingsState &s)
{
    s.settings.ftpUser = line;
    return true;
}
bool loadFtpPassword(const QString &line, const SystemLanguage &, SettingsState &s)
{
    s.settings.ftpPassword = line;
    return true;
}
bool loadFtpServer(const QString &line, const SystemLanguage &, SettingsState &s)
{
    s.settings.ftpServer = line;
    return true;
}
bool loadFtpLoginKind(const QString &line, const SystemLanguage &, SettingsState &s)
{
    s.settings.ftpLoginKind = line;
    return true;
}
bool loadCharset(const QString &line, const SystemLanguage &, SettingsState &s)
{
    s.settings.charset = sx::isBlank(line) ? QStringLiteral("ISO-8859-1") : line;
    return true;
}
bool loadBrowser(const QString &line, const SystemLanguage &, SettingsState &s)
{
    s.settings.browserPath = line;
    return true;
}
bool loadColor(const QString &line, SettingsState &s, int index)
{
    if (sx::isBlank(line))
        return true;
    int v = 0;
    if (!toInteger(line, &v))
        return false;
    s.colors[index] = quint32(v);
    return true;
}
bool loadKeywordColor(const QString &line, const SystemLanguage &, SettingsState &s) { return loadColor(line, s, ColorKeyword); }
bool loadParameterColor(const QString &line, const SystemLanguage &, SettingsState &s) { return loadColor(line, s, ColorIdentifier); }
bool loadValueColors(const QString &line, const SystemLanguage &, SettingsState &s)
{
    if (sx::isBlank(line))
        return true;
    // An empty field is skipped; a non-integer ends this line, silently.
    const int targets[3] = {ColorValue, ColorComment, ColorEntity};
    for (int f = 0; f < 3; ++f) {
        const QString field = GetField(line, f);
        if (field.isEmpty())
            continue;
        int v = 0;
        if (!toInteger(field, &v))
            break;
        s.colors[targets[f]] = quint32(v);
    }
    return true;
}
bool loadLanguage(const QString &line, const SystemLanguage &system, SettingsState &s)
{
    if (sx::isBlank(line)) {
        s.language = languageForSystemName(system.systemLanguageName);
        return true;
    }
    int v = 0;
    if (!toInteger(line, &v))
        return false;
    s.language = v;
    return true;
}
bool loadSaveEncoding(const QString &line, const SystemLanguage &, SettingsState &s)
{
    s.saveEncoding = sx::trim(line);
    return true;
}
bool loadFtpClient(const QString &line, const SystemLanguage &, SettingsState &s)
{
    s.settings.ftpClient = sx::trim(line);
    return true;
}
bool loadFlag18(const QString &line, const SystemLanguage &, SettingsState &s)
{
    s.settings.flag18 = sx::trim(line) != QLatin1String("false");
    return true;
}
bool loadWebSite(const QString &line, const SystemLanguage &, SettingsState &s)
{
    // A blank line clears the address, so that clearing it in the dialog sticks.
    s.settings.webSite = sx::isBlank(line) ? QString() : line;
    return true;
}

QString sessionLanguage(const SessionValues &v) { return QString::number(v.language); }
QString sessionSaveEncoding(const SessionValues &v) { return v.saveEncoding; }
QString sessionFtpClient(const SessionValues &v) { return v.ftpClient; }
QString sessionFlag18(const SessionValues &v) { return v.flag18 ? QStringLiteral("true") : QStringLiteral("false"); }
QString sessionWebSite(const SessionValues &v) { return v.webSite; }

void setIfNotBlank(QString &field, const QString &line)
{
    if (!sx::isBlank(line))
        field = line;
}
void fillFontName(const QString &l, SetupFields &f) { setIfNotBlank(f.fontName, l); }
void fillFontSize(const QString &l, SetupFields &f) { setIfNotBlank(f.fontSize, l); }
void fillLineNumbers(const QString &l, SetupFields &f) { f.ZeilenNummern = l != QLatin1String("false"); }
void fillUser(const QString &l, SetupFields &f) { setIfNotBlank(f.user, l); }
void fillPassword(const QString &l, SetupFields &f) { setIfNotBlank(f.password, l); }
void fillServer(const QString &l, SetupFields &f) { setIfNotBlank(f.server, l); }
void fillLoginKind(const QString &l, SetupFields &f) { f.anonymous = l != QLatin1String("UserLogin"); }
void fillCharset(const QString &l, SetupFields &f) { f.charset = std::max(0, charsetIndex(l)); }
void fillBrowser(const QString &l, SetupFields &f) { setIfNotBlank(f.browser, l); }
void fillKeyword(const QString &l, SetupFields &f) { setIfNotBlank(f.colors[ColorKeyword], l); }
void fillParameter(const QString &l, SetupFields &f) { setIfNotBlank(f.colors[ColorIdentifier], l); }
void fillValues(const QString &l, SetupFields &f)
{
    if (sx::isBlank(l))
        return;
    const int targets[3] = {ColorValue, ColorComment, ColorEntity};
    for (int i = 0; i < 3; ++i)
        setIfNotBlank(f.colors[targets[i]], GetField(l, i));
}
void fillReserved12(const QString &l, SetupFields &f) { f.reserved[0] = l; }
void fillReserved13(const QString &l, SetupFields &f) { f.reserved[1] = l; }
void fillReserved14(const QString &l, SetupFields &f) { f.reserved[2] = l; }
void fillLanguage(const QString &l, SetupFields &f)
{
    // A blank line keeps the language the main window gave.
    int v = 0;
    if (!sx::isBlank(l) && toInteger(l, &v))
        f.PLanguage = v;
}
void fillSaveEncoding(const QString &l, SetupFields &f) { f.saveEncoding = l; }
void fillFtpClient(const QString &l, SetupFields &f)
{
    f.ftpClient = sx::isBlank(l) ? QStringLiteral("explorer.exe") : sx::trim(l);
}
void fillMyUrl(const QString &l, SetupFields &f) { f.myUrl = sx::trim(l); }

QString buildFontName(const SetupFields &f) { return f.fontName; }
QString buildFontSize(const SetupFields &f) { return f.fontSize; }
QString buildLineNumbers(const SetupFields &f) { return f.ZeilenNummern ? QStringLiteral("true") : QStringLiteral("false"); }
QString buildUser(const SetupFields &f) { return f.user; }
QString buildPassword(const SetupFields &f) { return f.password; }
QString buildServer(const SetupFields &f) { return f.server; }
QString buildLoginKind(const SetupFields &f) { return f.anonymous ? QStringLiteral("Anonymous") : QStringLiteral("UserLogin"); }
QString charsetName(int index)
{
    const auto &list = charsetList();
    return QString::fromLatin1(list[index >= 0 && index < int(list.size()) ? index : 0].name);
}
QString buildCharset(const SetupFields &f) { return charsetName(f.charset); }
QString buildBrowser(const SetupFields &f) { return f.browser; }
QString buildKeyword(const SetupFields &f) { return f.colors[ColorKeyword]; }
QString buildParameter(const SetupFields &f) { return f.colors[ColorIdentifier]; }
QString buildValues(const SetupFields &f)
{
    return sx::trim(f.colors[ColorValue]) + u';' + sx::trim(f.colors[ColorComment]) + u';' + sx::trim(f.colors[ColorEntity]);
}
QString buildReserved12(const SetupFields &f) { return f.reserved[0]; }
QString buildReserved13(const SetupFields &f) { return f.reserved[1]; }
QString buildReserved14(const SetupFields &f) { return f.reserved[2]; }
QString buildLanguage(const SetupFields &f) { return QString::number(f.PLanguage); }
QString buildSaveEncoding(const SetupFields &f)
{
    return charsetName(f.charset) == QLatin1String("UTF-8") ? QStringLiteral("UTF-8") : QString();
}
QString buildFtpClient(const SetupFields &f) { return sx::trim(f.ftpClient); }
QString buildFlag18(const SetupFields &) { return QStringLiteral("false"); }
QString buildMyUrl(const SetupFields &f) { return sx::trim(f.myUrl); }

} // namespace

const std::array<SettingsLineDef, SettingsLineCount> &settingsLineTable()
{
    static const std::array<SettingsLineDef, SettingsLineCount> table = {{
        {0, "editor font name", nullptr, nullptr, fillFontName, buildFontName},
        {1, "editor font size (points)", loadFontSize, nullptr, fillFontSize, buildFontSize},
        {2, "line numbers (\"true\"/\"false\")", loadLineNumbers, nullptr, fillLineNumbers, buildLineNumbers},
        {3, "FTP user name", loadFtpUser, nullptr, fillUser, buildUser},
        {4, "FTP password", loadFtpPassword, nullptr, fillPassword, buildPassword},
        {5, "FTP server", loadFtpServer, nullptr, fillServer, buildServer},
        {6, "FTP login kind (\"Anonymous\"/\"UserLogin\")", loadFtpLoginKind, nullptr, fillLoginKind, buildLoginKind},
        {7, "charset of new pages", loadCharset, nullptr, fillCharset, buildCharset},
        {8, "external browser", loadBrowser, nullptr, fillBrowser, buildBrowser},
        {9, "colour of HTML keywords", loadKeywordColor, nullptr, fillKeyword, buildKeyword},
        {10, "colour of HTML parameters", loadParameterColor, nullptr, fillParameter, buildParameter},
        {11, "colours of values, comments and entities", loadValueColors, nullptr, fillValues, buildValues},
        {12, "reserved", nullptr, nullptr, fillReserved12, buildReserved12},
        {13, "reserved", nullptr, nullptr, fillReserved13, buildReserved13},
        {14, "reserved", nullptr, nullptr, fillReserved14, buildReserved14},
        {15, "interface language (0 German, 1 English)", loadLanguage, sessionLanguage, fillLanguage, buildLanguage},
        {16, "save encoding (\"UTF-8\" or empty)", loadSaveEncoding, sessionSaveEncoding, fillSaveEncoding, buildSaveEncoding},
        {17, "FTP client program", loadFtpClient, sessionFtpClient, fillFtpClient, buildFtpClient},
        {18, "flag", loadFlag18, sessionFlag18, nullptr, buildFlag18},
        {19, "own web-site address", loadWebSite, sessionWebSite, fillMyUrl, buildMyUrl},
    }};
    return table;
}

// ---------------------------------------------------------------------------------------

QByteArray Encipher(QByteArrayView plain)
{
    QByteArray out(plain.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < plain.size(); ++i)
        out[i] = char(uchar(uchar(plain[i]) + uchar(kKey[i % 4])));
    return out;
}

QByteArray Decipher(QByteArrayView enciphered)
{
    QByteArray out(enciphered.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < enciphered.size(); ++i)
        out[i] = char(uchar(uchar(enciphered[i]) - uchar(kKey[i % 4])));
    return out;
}

bool IsEnciphered(QStringView text)
{
    // B: the text without CR LF pairs, tabs, "kqo" (ASCII case ignored) and spaces, each
    // removed by its own left-to-right pass, as four replace-alls would.
    QString b = sx::replaceAll(text, u"\r\n", u"");
    b.remove(QChar(u'\t'));
    {
        QString out;
        out.reserve(b.size());
        const qsizetype n = b.size();
        for (qsizetype i = 0; i < n;) {
            if (i + 2 < n && sx::foldAscii(b[i].unicode()) == u'k' && sx::foldAscii(b[i + 1].unicode()) == u'q'
                && sx::foldAscii(b[i + 2].unicode()) == u'o') {
                i += 3;
                continue;
            }
            out += b[i++];
        }
        b = std::move(out);
    }
    b.remove(QChar(u' '));
    // A: the printable ASCII characters of B.
    qsizetype printable = 0;
    for (QChar c : std::as_const(b))
        if (c.unicode() >= 33 && c.unicode() <= 126)
            ++printable;
    const bool differs = printable != b.size();
    return differs && (printable == 0 || printable < sx::roundHalfEven(double(b.size()) / 1.4));
}

QString GetField(QStringView text, int index)
{
    if (index < 0)
        return QString();
    qsizetype start = 0;
    for (int f = 0; f < index; ++f) {
        const qsizetype semi = text.indexOf(u';', start);
        if (semi < 0)
            return QString();
        start = semi + 1;
    }
    qsizetype end = text.indexOf(u';', start);
    if (end < 0)
        end = text.size();
    return sx::trim(text.mid(start, end - start));
}

QByteArray encodeAnsi(QStringView text, const QString &codePage, bool *complete)
{
    QStringEncoder enc(codePage.toLatin1().constData());
    if (!enc.isValid())
        enc = QStringEncoder(QStringEncoder::Latin1);
    QByteArray out = enc.encode(text);
    if (complete)
        *complete = !enc.hasError();
    return out;
}

QString decodeAnsi(QByteArrayView bytes, const QString &codePage)
{
    QStringDecoder dec(codePage.toLatin1().constData());
    if (!dec.isValid())
        dec = QStringDecoder(QStringDecoder::Latin1);
    return dec.decode(bytes);
}

QByteArray ownFileBytes(QStringView text, const QString &codePage)
{
    bool complete = true;
    QByteArray bytes = encodeAnsi(text, codePage, &complete);
    if (complete)
        return bytes;
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QString decodeOwnFile(QByteArrayView bytes, const QString &codePage)
{
    if (isUtf8Mark(bytes))
        return QString::fromUtf8(bytes.sliced(3));
    if (isUtf16LeMark(bytes) || isUtf16BeMark(bytes)) {
        QStringDecoder dec(isUtf16LeMark(bytes) ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return dec.decode(bytes.sliced(2));
    }
    return decodeAnsi(bytes, codePage);
}

QStringList splitFileLines(QStringView text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start).toString());
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start).toString());
    return lines;
}

QString joinFileLines(const QStringList &lines)
{
    QString out;
    for (const QString &l : lines) {
        out += l;
        out += QStringLiteral("\r\n");
    }
    return out;
}

QStringList settingsLinesFromBytes(const QByteArray &bytes, const QString &codePage)
{
    QString text = decodeOwnFile(bytes, codePage);
    if (IsEnciphered(text)) {
        // Without a byte-order mark the file's own bytes are the ANSI bytes of its text.
        const QByteArray cipher = hasByteOrderMark(bytes) ? encodeAnsi(text, codePage) : bytes;
        text = decodeOwnFile(Decipher(cipher), codePage);
    }
    return splitFileLines(text);
}

QByteArray settingsFileBytes(const QStringList &lines, const QString &codePage)
{
    // The file is written enciphered. The reader tells enciphered from plain by the
    // share of printable characters, which a text made mostly of line breaks or of
    // letters beyond ASCII can mislead: the first form that reads back as these very
    // lines is written, the enciphered ones first.
    const QString text = joinFileLines(lines);
    bool complete = true;
    const QByteArray ansi = encodeAnsi(text, codePage, &complete);
    QList<QByteArray> forms;
    if (complete)
        forms = {Encipher(ansi), ansi};
    else
        forms = {Encipher(ownFileBytes(text, codePage)), ownFileBytes(text, codePage)};
    for (const QByteArray &bytes : std::as_const(forms))
        if (settingsLinesFromBytes(bytes, codePage) == lines)
            return bytes;
    return forms.first();
}

void loadSettingsDefaults(const SystemLanguage &system, SettingsState &s)
{
    // Every line as blank, except that the FTP account stays cleared (login kind
    // "Anonymous") and the language follows the default input locale.
    for (const SettingsLineDef &def : settingsLineTable())
        if (def.load && (def.index < 3 || def.index > 6) && def.index != 15)
            def.load(QString(), system, s);
    s.language = languageForInputLocale(system.inputLocale);
}

bool loadSettingsLines(const QStringList &lines, const SystemLanguage &system, SettingsState &s)
{
    for (const SettingsLineDef &def : settingsLineTable())
        if (def.load && !def.load(lineOf(lines, def.index), system, s))
            return false;
    return true;
}

QStringList sessionSettingsLines(const QStringList *readLines, const SessionValues &values)
{
    QStringList lines;
    if (readLines)
        lines = readLines->mid(0, SettingsLineCount);
    while (lines.size() < SettingsLineCount)
        lines.append(QStringLiteral(" "));
    for (const SettingsLineDef &def : settingsLineTable())
        if (def.session)
            lines[def.index] = oneLine(def.session(values));
    return lines;
}

const std::array<Charset, 11> &charsetList()
{
    static const std::array<Charset, 11> list = {{
        {"ISO-8859-1", "West Europe"},
        {"ISO-8859-13", "Baltic"},
        {"ISO-8859-7", "Modern Greek"},
        {"ISO-8859-2", "East Europe"},
        {"ISO-8859-5", "Russian/Cyrillic"},
        {"UTF-8", "UTF-8"},
        {"Windows-1252", "West Europe"},
        {"Windows-1251", "Russian/Cyrillic"},
        {"Windows-1253", "Modern Greek"},
        {"Windows-1250", "East Europe"},
        {"Windows-1256", "Arabic/Persian"},
    }};
    return list;
}

int charsetIndex(const QString &name)
{
    const QString n = sx::lowerAscii(name);
    const auto &list = charsetList();
    for (int i = 0; i < int(list.size()); ++i)
        if (sx::lowerAscii(QString::fromLatin1(list[i].name)) == n)
            return i;
    return -1;
}

void fillSetupFields(const QStringList &lines, SetupFields &fields)
{
    for (const SettingsLineDef &def : settingsLineTable())
        if (def.fill)
            def.fill(lineOf(lines, def.index), fields);
}

QStringList setupLines(const SetupFields &fields)
{
    QStringList lines;
    for (const SettingsLineDef &def : settingsLineTable())
        lines.append(oneLine(def.build(fields)));
    return lines;
}

bool readOwnFile(const QString &path, QByteArray *bytes, QString *error)
{
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QFileInfo(path).isFile() ? f.errorString() : QStringLiteral("No such file");
        return false;
    }
    *bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

bool writeOwnFile(const QString &path, const QByteArray &bytes, bool ownerOnly, QString *error)
{
    const QFileDevice::Permissions owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    bool placeholder = false;
    if (ownerOnly) {
        // The file that replaces this one takes its permissions: narrow them first, and
        // give a new file an empty owner-only stand-in to take them from.
        if (QFileInfo(path).isFile()) {
            QFile::setPermissions(path, owner);
        } else if (!QFileInfo::exists(path)) {
            QFile f(path);
            placeholder = f.open(QIODevice::WriteOnly | QIODevice::NewOnly);
            if (placeholder)
                f.setPermissions(owner);
        }
    }
    if (writeFileAtomic(path, bytes, error))
        return true;
    if (placeholder)
        QFile::remove(path);
    return false;
}
