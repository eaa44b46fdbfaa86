#include "startup.h"

#include "appresources.h"
#include "batchprint.h"
#include "logging.h"
#include "mainwindow.h"
#include "platform/winsparkle.h"
#include "txapp.h"
#include "version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QSettings>
#include <QSplashScreen>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include <QSet>

#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <memory>

namespace {
const char ApplicationName[] = "Tagorix";
} // namespace

quint32 startup::versionNumber(const QString &version)
{
    const QStringList parts = version.split(QLatin1Char('.'));
    auto part = [&parts](int i) { return i < parts.size() ? parts.at(i).toUInt() : 0u; };
    return part(0) * 65536 + part(1) * 256 + part(2);
}

bool startup::qtVersionAcceptable(const QString &runtime, const QString &required)
{
    return versionNumber(runtime) >= versionNumber(required);
}

bool startup::loadTranslation(QTranslator &translator, const QString &locale)
{
    // The working directory first; then the program's own folder, since a
    // program started from a desktop menu runs wherever the session is.
    const QString name = QStringLiteral("tagorix4_") + locale;
    return translator.load(name) || translator.load(name, QCoreApplication::applicationDirPath());
}

bool startup::loadQtTranslation(QTranslator &translator, const QString &locale)
{
    return translator.load(QLocale(locale), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::location(QLibraryInfo::TranslationsPath));
}

void startup::setupCommandLine(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Veltrux Tagorix %1").arg(QLatin1String(version::string)));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QCoreApplication::translate("main", "Files to open, optionally."),
                                 QStringLiteral("[files...]"));
    batchprint::addOptions(parser);
}

void startup::setApplicationIdentity(bool withWindows)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Norvane"));
    QCoreApplication::setApplicationName(QLatin1String(ApplicationName));
    QCoreApplication::setApplicationVersion(QLatin1String(version::string));
    QGuiApplication::setApplicationDisplayName(version::displayName());
    if (withWindows)
        QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/veltrux/veltrux_icon.png")));
}

void startup::registerResources()
{
    appresources::ensureRegistered();
}

void startup::checkQtRuntime()
{
    const QString runtime = QString::fromLatin1(qVersion());
    if (qtVersionAcceptable(runtime))
        return;
    int argc = 1;
    static char name[] = "tagorix";
    char *argv[] = {name, nullptr};
    QScopedPointer<QApplication> app;
    if (!QCoreApplication::instance())
        app.reset(new QApplication(argc, argv));
    const QString text = QStringLiteral("Executable '%1' requires Qt %2, found Qt %3.")
                             .arg(qAppName(), QLatin1String(RequiredQtVersion), runtime);
    QMessageBox::critical(nullptr, QStringLiteral("Incompatible Qt Library Error"), text,
                          QMessageBox::Abort);
    qFatal("%s", qPrintable(text));
}

bool startup::displayAvailable()
{
    // Set but empty names no display either.
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

bool startup::runsWithoutWindow(int argc, char *argv[])
{
    static const QSet<QByteArray> windowless = {
        "-h",         "--help",  "-?",           "-v",           "--version",
        "--help-all", "--print", "--export-pdf", "--export-zpl", "--verify-only"};
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (windowless.contains(arg) || arg.startsWith("--export-pdf=") ||
            arg.startsWith("--export-zpl="))
            return true;
    }
    return false;
}

bool startup::runsBatch(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--print" || arg == "--export-pdf" || arg.startsWith("--export-pdf=") ||
            arg == "--export-zpl" || arg.startsWith("--export-zpl=") || arg == "--verify-only")
            return true;
    }
    return false;
}

namespace {

// Started first thing in run(): what start-up costs inside the process.
QElapsedTimer &sinceStart()
{
    static QElapsedTimer clock;
    return clock;
}

// One pass of the start-up sequence: everything it builds is destroyed
// again before it returns the exit code of its event loop (or of the batch job).
int runPass(int &argc, char **argv, bool windowless)
{
    int exitCode = 0;
    auto app = std::make_unique<TxApp>(argc, argv);
    std::unique_ptr<QSplashScreen> splash;
    if (!windowless) {
        splash = std::make_unique<QSplashScreen>(
            QPixmap(QStringLiteral(":/veltrux/veltrux_splash.png")), Qt::WindowStaysOnTopHint);
        splash->show();
        splash->showMessage(QCoreApplication::translate("main", "Loading ..."), Qt::AlignLeft,
                            Qt::black);
    }

    startup::setApplicationIdentity(!windowless);

    logging::setup();
    qInstallMessageHandler(logging::messageHandler);

    auto settings = std::make_unique<QSettings>();
    const QString locale =
        settings->value(QStringLiteral("localization/locale"), QStringLiteral("en_US")).toString();
    auto translator = std::make_unique<QTranslator>();
    startup::loadTranslation(*translator, locale);
    QCoreApplication::installTranslator(translator.get());
    // Qt's own texts (standard buttons, file and print dialogs), and dates
    // and numbers, follow the chosen language too.
    auto qtTranslator = std::make_unique<QTranslator>();
    startup::loadQtTranslation(*qtTranslator, locale);
    QCoreApplication::installTranslator(qtTranslator.get());
    QLocale::setDefault(QLocale(locale));

    app->initialize();

    auto parser = std::make_unique<QCommandLineParser>();
    startup::setupCommandLine(*parser);
    parser->process(*app);

    std::unique_ptr<MainWindow> window;
    if (batchprint::requested(*parser)) {
        // The automatic update check waits for the event loop, which a batch
        // job may run for its printing; it is turned off before that.
        win_sparkle_set_automatic_check_for_updates(0);
        QTextStream err(stderr);
        exitCode = batchprint::run(*parser, err);
    } else {
        window = std::make_unique<MainWindow>();
        window->show();
        // For measuring start-up from outside: one line on stderr once the
        // event loop runs with the window shown.
        if (qEnvironmentVariableIsSet("TAGORIX_STARTUP_TRACE"))
            QTimer::singleShot(0, [] {
                std::fprintf(stderr, "tagorix: window shown %lld ms after main\n",
                             static_cast<long long>(sinceStart().elapsed()));
                std::fflush(stderr);
            });
        if (splash)
            splash->finish(window.get());
        const QStringList files = parser->positionalArguments();
        if (files.isEmpty())
            window->newDocument();
        else
            window->loadFiles(files);

        exitCode = app->exec();
    }

    window.reset();
    parser.reset();
    qtTranslator.reset();
    translator.reset();
    settings.reset();
    logging::shutdown();
    splash.reset();
    app.reset();
    return exitCode;
}

} // namespace

int startup::restartLoop(const std::function<int()> &pass)
{
    int exitCode = 0;
    do {
        exitCode = pass();
    } while (exitCode == RestartExitCode);
    return exitCode;
}

int startup::run(int argc, char *argv[])
{
    sinceStart().start();
    // The version alone is answered before anything is set up, as the
    // command line parser would answer it.
    if (argc == 2 && (qstrcmp(argv[1], "--version") == 0 || qstrcmp(argv[1], "-v") == 0)) {
        std::printf("%s %s\n", ApplicationName, version::string);
        return 0;
    }
    const bool windowless = runsWithoutWindow(argc, argv);
    if (windowless) {
        // Help, version and batch printing show no window, so they run on
        // the offscreen platform rather than a desktop's: a display that is
        // named but cannot be reached does not stop them, the desktop's
        // settings do not change their pages, and no connection is made.
        // Another platform asked for by name is kept.
        const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
        if (chosen.isEmpty() || chosen.startsWith("xcb") || chosen.startsWith("wayland"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    } else if (!displayAvailable()) {
        std::fprintf(stderr, "tagorix: no display available (DISPLAY is not set); start it "
                             "from a desktop session, or use --print / --export-pdf\n");
        return 1;
    }
    checkQtRuntime();
    registerResources();

#ifdef __GLIBC__
    if (runsBatch(argc, argv)) {
        // Each page of a run allocates and frees the same few megabytes (the
        // PDF writer's stream compression among them); glibc would hand the
        // top of the heap back to the kernel after every page and fault it in
        // again for the next. Keeping it costs no resident memory until used.
        mallopt(M_TOP_PAD, 16 * 1024 * 1024);
        mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
        // Setting those stops glibc from raising its mmap threshold as it
        // goes, so every block over 128 kB (a page's stream, the compressor's
        // state) would be mapped and unmapped again for each page.
        mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    }
#endif
    return restartLoop([&] { return runPass(argc, argv, windowless); });
}
