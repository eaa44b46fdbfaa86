#include "lastfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const char key[] = "lastFolder";

} // namespace

QString lastfolder::get()
{
    const QString folder = QSettings().value(QLatin1String(key)).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void lastfolder::remember(const QString &file)
{
    if (!file.isEmpty())
        QSettings().setValue(QLatin1String(key), QFileInfo(file).absolutePath());
}
