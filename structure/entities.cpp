#include "structure/entities.h"

#include "editing/textops.h"

const QList<EntityButton> &entityButtons()
{
    static const QList<EntityButton> buttons = [] {
        // caption, entity name; the objectName is "ToolButton" and the entity name.
        const char *const table[][2] = {
            {"Ä", "Auml"},   {"Ö", "Ouml"},   {"Ü", "Uuml"},   {"ä", "auml"},   {"ö", "ouml"},   {"ü", "uuml"},
            {"ß", "szlig"},  {"È", "Egrave"}, {"Ê", "Ecirc"},  {"É", "Eacute"}, {"è", "egrave"}, {"ê", "ecirc"},
            {"é", "eacute"}, {"Å", "Aring"},  {"Â", "Acirc"},  {"À", "Agrave"}, {"å", "aring"},  {"â", "acirc"},
            {"à", "agrave"}, {"§", "sect"},   {"&", "amp"},    {"€", "euro"},   {"∅", "empty"},  {"Space", "nbsp"},
        };
        QList<EntityButton> list;
        for (const auto &row : table) {
            const QString entity = QString::fromLatin1(row[1]);
            list.append({QString::fromUtf8(row[0]), QLatin1Char('&') + entity + QLatin1Char(';'),
                         QStringLiteral("ToolButton") + entity});
        }
        return list;
    }();
    return buttons;
}

QString specialSampleText()
{
    return QString::fromUtf8("£ € ‰ ™ ¥ ± ° ¶ » ¼ ½ ¾\r\n† ¢ © « ® ¿ ƒ ™ • µ $");
}

QString numericReference(const QString &selected)
{
    if (selected.isEmpty())
        return QString();
    return QStringLiteral("&#") + QString::number(sx::CharCode(selected)) + QLatin1Char(';');
}

QString specialCaption(bool english)
{
    return english ? QStringLiteral("Special character") : QStringLiteral("Sonderzeichen");
}
