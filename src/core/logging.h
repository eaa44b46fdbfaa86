#pragma once

#include <QString>
#include <QtGlobal>

#include <iosfwd>

class QMessageLogContext;

// The run log: every Qt message becomes one line in a rotating text file in
// the "logs" folder of the user's data location.
namespace logging {

enum SeverityLevel
{
    Debug = 0,
    Info = 1,
    Warning = 2,
    Critical = 3,
    Fatal = 4
};

// Prints the level by name; a value outside the enumeration as its number.
std::ostream &operator<<(std::ostream &out, SeverityLevel level);

SeverityLevel severityOf(QtMsgType type);

// Names of the log files; the last field is the file counter.
constexpr const char *FileNamePattern = "%Y%m%d_%H%M%S_%6N.log";
constexpr unsigned RotationSize = 65536;
constexpr unsigned long long MaxFolderSize = 33554432;
constexpr unsigned long long MinFreeSpace = 134217728;
// As many files as the size limit holds of whole ones. Every start scans the
// folder, and short runs (one per command-line job) leave small files: without
// a count the folder would grow to tens of thousands, and start-up with it.
constexpr unsigned MaxFiles = MaxFolderSize / RotationSize;

// The data location followed by "/logs", or "logs" when there is no data location.
QString defaultFolder();

// Starts the log in `folder` (the default folder when empty); a log already
// running is shut down first. Returns false when the program runs without a
// log: a set-up error prints "FAILURE: <reason>" on standard output, a folder
// that cannot be created or written is reported on standard error.
bool setup(const QString &folder = QString());

// Closes the current file (it stays in the log folder, subject to the size
// limits) and removes the sink. Messages after this go to Qt's default output.
void shutdown();

// True between a successful set-up and the shutdown.
bool isActive();

// Qt's message handler: writes the message as a record of the log; a fatal
// message is written out and the process aborts.
void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);

} // namespace logging
