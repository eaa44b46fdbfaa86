#pragma once

// What every fuzz target shares: an offscreen application made once, and
// the program's warnings kept off the output.

#include <QApplication>

namespace fuzzinit {

inline void quiet(QtMsgType, const QMessageLogContext &, const QString &)
{
}

inline void start(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    static QApplication app(*argc, *argv);
}

} // namespace fuzzinit
