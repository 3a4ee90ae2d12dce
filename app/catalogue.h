// The message catalogue: two parallel lists of 219 texts (English, German), addressed from
// line 0. Message(N) reads the active list, which ApplyLanguage chooses.
#pragma once

#include <QString>
#include <QStringList>

class MessageCatalogue
{
public:
    static constexpr int LineCount = 219;

    static const QStringList &english();
    static const QStringList &german();

    // Line N of the active list; "" for a line that does not exist (and before the first
    // activate(), when the list is still empty).
    QString message(int n) const { return n >= 0 && n < m_active.size() ? m_active[n] : QString(); }
    // language 0 is German, every other value English.
    void activate(int language) { m_active = language == 0 ? german() : english(); }
    bool isEmpty() const { return m_active.isEmpty(); }

private:
    QStringList m_active;
};

// The help file name of a language, inside the executable's folder.
QString helpFileName(const QString &exeFolder, int language);

// The language chosen at start-up when no settings file exists: German only for the input
// locale 0x04070407 (German language, German keyboard).
int languageForInputLocale(quint32 inputLocale);
// The language chosen when line 15 of the settings file is blank.
int languageForSystemName(const QString &systemLanguageName);
