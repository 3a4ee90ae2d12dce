#include "app/catalogue.h"

#include <QFile>

static QStringList loadList(const QString &resource)
{
    QFile f(resource);
    QStringList lines;
    if (f.open(QIODevice::ReadOnly)) {
        const QString all = QString::fromUtf8(f.readAll());
        lines = all.split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
    }
    while (lines.size() < MessageCatalogue::LineCount)
        lines.append(QString());
    return lines;
}

static void initResources()
{
    static bool done = false;
    if (!done) {
        Q_INIT_RESOURCE(catalogue);
        done = true;
    }
}

const QStringList &MessageCatalogue::english()
{
    initResources();
    static const QStringList list = loadList(QStringLiteral(":/messages/messages_en.txt"));
    return list;
}

const QStringList &MessageCatalogue::german()
{
    initResources();
    static const QStringList list = loadList(QStringLiteral(":/messages/messages_de.txt"));
    return list;
}

QString helpFileName(const QString &exeFolder, int language)
{
    return exeFolder + (language != 0 ? QStringLiteral("editorhlpe.chm") : QStringLiteral("editorhlp.chm"));
}

int languageForInputLocale(quint32 inputLocale) { return inputLocale == 0x04070407u ? 0 : 1; }

int languageForSystemName(const QString &systemLanguageName)
{
    return systemLanguageName.contains(QStringLiteral("Deutsch"), Qt::CaseSensitive) ? 0 : 1;
}
