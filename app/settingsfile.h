// The settings file "Html.ini": twenty lines, written enciphered with a Vigenère cipher
// over bytes, read enciphered or plain (told apart by IsEnciphered).
//
// Every line is described once, in settingsLineTable(): how LoadSettings reads it, what
// the close-time writer puts there, how the settings dialog fills its fields from it and
// builds it again on OK. The functions below walk that table.
#pragma once

#include "app/settings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

constexpr int SettingsLineCount = 20;

// The cipher with the key "qomu": byte I becomes (byte + key[I mod 4]) mod 256; the
// decipher subtracts.
QByteArray Encipher(QByteArrayView plain);
QByteArray Decipher(QByteArrayView enciphered);

// True when the text reads as enciphered: after dropping CR LF pairs, tabs, "kqo" in any
// case and spaces, fewer than Round(length / 1.4) of the remaining characters (halves to
// even) are printable ASCII, or none is, while at least one is not.
bool IsEnciphered(QStringView text);

// Field index (from 0) of a ";"-separated text, trimmed; "" when there are fewer fields.
QString GetField(QStringView text, int index);

// The files the system writes for itself, as bytes: the ANSI code page without a
// byte-order mark; a text holding characters the code page lacks as a UTF-8 byte-order
// mark and UTF-8, so that nothing is lost.
QByteArray encodeAnsi(QStringView text, const QString &codePage, bool *complete = nullptr);
QString decodeAnsi(QByteArrayView bytes, const QString &codePage);
QByteArray ownFileBytes(QStringView text, const QString &codePage);
// A leading byte-order mark (UTF-8, UTF-16 LE or BE) selects the encoding; otherwise the
// ANSI code page.
QString decodeOwnFile(QByteArrayView bytes, const QString &codePage);

// Lines at CR LF, lone CR and lone LF; a final line break starts no further line.
QStringList splitFileLines(QStringView text);
// Every line followed by CR LF.
QString joinFileLines(const QStringList &lines);

// The lines of a settings file: decoded as above; if the text is enciphered, its bytes
// are deciphered and read again.
QStringList settingsLinesFromBytes(const QByteArray &bytes, const QString &codePage);
// The enciphered bytes of these lines (each followed by CR LF). Should the enciphered
// form not read back as the same lines (a text of mostly line breaks or of letters
// beyond ASCII can pass for plain), the plain form is written instead when that does.
QByteArray settingsFileBytes(const QStringList &lines, const QString &codePage);

// Writes a file of the system's own (settings, recent files) atomically: a temporary file
// beside it is written and renamed over it, so that a failed write leaves the old file
// whole. ownerOnly: the file is readable and writable by its owner only (it holds the FTP
// password), also when it existed with wider permissions. error receives the reason.
// Reads a whole regular file; error receives the reason when it cannot.
bool readOwnFile(const QString &path, QByteArray *bytes, QString *error = nullptr);
bool writeOwnFile(const QString &path, const QByteArray &bytes, bool ownerOnly, QString *error = nullptr);

// What LoadSettings needs from the operating system for the language.
struct SystemLanguage {
    quint32 inputLocale = 0;
    QString systemLanguageName;
};

// The colours the settings set on the HTML highlighter, in this order.
enum HtmlColorIndex { ColorKeyword, ColorIdentifier, ColorValue, ColorComment, ColorEntity, HtmlColorCount };

// The running state LoadSettings reads into.
struct SettingsState {
    RunningSettings settings;
    int language = 0;                        // InterfaceLanguage
    QString saveEncoding;                    // Document::SaveEncoding
    std::optional<int> fontSize;             // points, when a line sets it
    std::optional<quint32> colors[HtmlColorCount];
};

// LoadSettings without a settings file: the values of blank lines, the language from
// the default input locale.
void loadSettingsDefaults(const SystemLanguage &system, SettingsState &state);
// LoadSettings on the lines of an existing file, line by line. False when a line cannot
// be interpreted (the caller deletes the file): what was taken before stays in state,
// the later lines are not read.
bool loadSettingsLines(const QStringList &lines, const SystemLanguage &system, SettingsState &state);

// The values the main window writes when it closes.
struct SessionValues {
    int language = 0;
    QString saveEncoding;
    QString ftpClient;
    bool flag18 = true;
    QString webSite;
};
// The lines the close-time writer writes: the lines read (none when there is no file),
// cut or padded with lines of one space to twenty, lines 15 to 19 set from values.
QStringList sessionSettingsLines(const QStringList *readLines, const SessionValues &values);

// The charset list of new pages, with the text shown beside it.
struct Charset {
    const char *name;
    const char *label;
};
const std::array<Charset, 11> &charsetList();
// The index of the charset of that name (ASCII case ignored); -1 when there is none.
int charsetIndex(const QString &name);

// The fields of the settings dialog.
struct SetupFields {
    int PLanguage = 0;
    QString fontName;                 // Edit1 (hidden)
    QString fontSize;                 // Edit2
    bool ZeilenNummern = true;        // RadioButton1 "On" checked
    QString user, password, server;   // EditUser, MaskEditPass, EditServer
    bool anonymous = true;            // CheckAnonym
    int charset = 0;                  // ComboISO
    QString browser;                  // EditBrowser
    QString colors[HtmlColorCount];   // EditIdentifier, EditParameter, EditValue, EditComment, EditAnd
    QString reserved[3] = {QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" ")}; // lines 12 to 14
    QString saveEncoding;             // line 16 as read
    QString ftpClient = QStringLiteral("explorer.exe"); // EditClient
    QString myUrl;                    // EditMyUrl
};
// Showing the dialog: fills the fields from the lines of an existing file.
void fillSetupFields(const QStringList &lines, SetupFields &fields);
// OK: the twenty lines built from the fields. A line break typed into a field becomes a
// space, so that it cannot shift the later lines.
QStringList setupLines(const SetupFields &fields);

// One line of the file.
struct SettingsLineDef {
    int index;
    const char *meaning;
    // LoadSettings: takes the line into the state; false when it cannot be interpreted.
    // Null for lines the main window does not read.
    bool (*load)(const QString &line, const SystemLanguage &system, SettingsState &state);
    // The close-time writer: the new text of the line; null keeps what was read.
    QString (*session)(const SessionValues &values);
    // The dialog: fills its fields from the line, and builds the line on OK.
    void (*fill)(const QString &line, SetupFields &fields);
    QString (*build)(const SetupFields &fields);
};
const std::array<SettingsLineDef, SettingsLineCount> &settingsLineTable();
