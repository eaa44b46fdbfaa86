#include "icons.h"

#include <QCoreApplication>
#include <QMutex>
#include <QSet>

namespace {
QMutex requestedMutex;
QSet<QString> &requested()
{
    static QSet<QString> set;
    return set;
}
} // namespace

QString icons::filePath(const QString &path)
{
    return QCoreApplication::applicationDirPath() + path;
}

QIcon icons::fromAppDir(const QString &path)
{
    {
        QMutexLocker lock(&requestedMutex);
        requested().insert(path);
    }
    return QIcon(filePath(path));
}

QStringList icons::requestedPaths()
{
    QMutexLocker lock(&requestedMutex);
    QStringList list = requested().values();
    list.sort();
    return list;
}
