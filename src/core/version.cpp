#include "version.h"

QString version::displayName()
{
    const QString sfx = QString::fromLatin1(suffix);
    return QStringLiteral("Veltrux Tagorix %1.%2.%3%4")
        .arg(major)
        .arg(minor)
        .arg(patch)
        .arg(sfx.isEmpty() ? QString() : QStringLiteral("-") + sfx);
}
