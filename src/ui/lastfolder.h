#pragma once

#include <QString>

// Where the window's file dialogs open: the folder of the file last chosen
// in any of them (setting "lastFolder"), or the home folder.
namespace lastfolder {

QString get();
// Remembers the folder of `file`; an empty name (a cancelled dialog) changes nothing.
void remember(const QString &file);

} // namespace lastfolder
