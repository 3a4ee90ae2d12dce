#include "app/prompts.h"

QString msgKindName(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Plain: return QStringLiteral("plain");
    case MsgKind::Information: return QStringLiteral("information");
    case MsgKind::Error: return QStringLiteral("error");
    case MsgKind::Warning: return QStringLiteral("warning");
    case MsgKind::Question: return QStringLiteral("question");
    case MsgKind::Confirmation: return QStringLiteral("confirmation");
    }
    return QString();
}

QString buttonsText(int buttons)
{
    QStringList names;
    if (buttons & Btn::Yes)
        names << QStringLiteral("Yes");
    if (buttons & Btn::No)
        names << QStringLiteral("No");
    if (buttons & Btn::OK)
        names << QStringLiteral("OK");
    if (buttons & Btn::Cancel)
        names << QStringLiteral("Cancel");
    return QLatin1Char('[') + names.join(QLatin1Char(',')) + QLatin1Char(']');
}

int escapeButton(int buttons)
{
    if (buttons & Btn::Cancel)
        return Btn::Cancel;
    if (buttons & Btn::No)
        return Btn::No;
    return Btn::OK;
}
