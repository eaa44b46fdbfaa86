#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

namespace icons {

// The icon file at <application dir> + path (for example
// "/icons/oxygen/32x32/actions/document-new.png"). Every path asked for is
// remembered, so a test can check that the build installed each one.
QIcon fromAppDir(const QString &path);

// The full file name the path stands for.
QString filePath(const QString &path);

// Every path fromAppDir() has been asked for in this process, sorted.
QStringList requestedPaths();

} // namespace icons
