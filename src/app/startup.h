#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QCommandLineParser;
class QTranslator;

namespace startup {

// Exit code of the event loop that makes main() run the start-up sequence again.
constexpr int RestartExitCode = 404;

// The oldest Qt run time the program accepts.
constexpr const char *RequiredQtVersion = "5.5.0";

// "a.b.c" as a × 65536 + b × 256 + c; missing or non-numeric parts count as 0.
quint32 versionNumber(const QString &version);

// True when the run-time version is the required one or newer.
bool qtVersionAcceptable(const QString &runtime, const QString &required = RequiredQtVersion);

// Loads "tagorix4_<locale>" relative to the working directory with the
// translator's own fallbacks (".qm" appended, trailing "_xx" parts dropped).
bool loadTranslation(QTranslator &translator, const QString &locale);
// Qt's own translation for the locale, from Qt's translations folder.
bool loadQtTranslation(QTranslator &translator, const QString &locale);

// Registers the program's options and the positional "files" argument.
void setupCommandLine(QCommandLineParser &parser);

// Sets organisation "Norvane", application "Tagorix", its version, display
// name and, for runs that show windows, the window icon (reading it costs a
// job without windows a tenth of its start-up); the settings and data
// locations follow from them.
void setApplicationIdentity(bool withWindows = true);

// Registers the compiled-in resource bundles (images, cursors).
void registerResources();

} // namespace startup

namespace startup {

// Runs one pass of the start-up sequence after another while a pass ends
// with the restart exit code; returns the last pass's exit code.
int restartLoop(const std::function<int()> &pass);

// The whole start-up sequence with its restart loop; returns the exit code
// of the last event loop.
int run(int argc, char *argv[]);

// Checks the Qt run time; an older one is refused with a message box and a
// fatal log message.
void checkQtRuntime();

// True when Qt can reach a display (or a platform was chosen explicitly).
bool displayAvailable();

// True when the arguments ask for something that shows no window (help,
// version, batch printing).
bool runsWithoutWindow(int argc, char *argv[]);

// True when the arguments ask for batch printing or PDF export.
bool runsBatch(int argc, char *argv[]);

} // namespace startup
