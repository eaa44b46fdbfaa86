// tagorix-server: prints labels for other systems through an HTTP API, with a
// journal that survives crashes. No window: it runs on the offscreen platform.

#include "apiserver.h"
#include "datasourcemanager.h"
#include "dispatcher.h"
#include "journal.h"
#include "renderer.h"
#include "serverconfig.h"
#include "services.h"
#include "sizetemplatemanager.h"
#include "tokens.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

int signalFds[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalFds[1], &byte, 1);
}

void fail(const QString &message)
{
    QTextStream(stderr) << "tagorix-server: " << message << '\n';
}

// tagorix-server token add NAME --scope print|admin [--tokens FILE] [--config FILE]
int tokenCommand(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Adds a token to the print service's token file."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("token add NAME"),
                                 QStringLiteral("Make a new token for NAME."));
    parser.addOption(QCommandLineOption(QStringLiteral("scope"),
                                        QStringLiteral("print (submit and read its own jobs) or "
                                                       "admin (also reprint and cancel any job)."),
                                        QStringLiteral("SCOPE")));
    parser.addOption(QCommandLineOption(QStringLiteral("tokens"),
                                        QStringLiteral("The token file."), QStringLiteral("FILE")));
    parser.addOption(QCommandLineOption(QStringLiteral("config"),
                                        QStringLiteral("Take the token file from this configuration."),
                                        QStringLiteral("FILE")));
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    if (args.size() != 3 || args.at(1) != QLatin1String("add")) {
        fail(QStringLiteral("usage: tagorix-server token add NAME --scope print|admin [--tokens FILE]"));
        return 1;
    }
    QString path = parser.value(QStringLiteral("tokens"));
    if (path.isEmpty()) {
        QCommandLineParser serverParser;
        server::addOptions(serverParser);
        QStringList configArgs{QStringLiteral("tagorix-server")};
        if (parser.isSet(QStringLiteral("config")))
            configArgs << QStringLiteral("--config") << parser.value(QStringLiteral("config"));
        serverParser.parse(configArgs);
        server::ServerConfig config;
        QString error;
        if (!server::loadConfig(serverParser, &config, &error)) {
            fail(error);
            return 1;
        }
        path = config.tokens;
    }
    QString error;
    const QByteArray token = server::TokenStore::add(
        path, args.at(2), server::scopeFromName(parser.value(QStringLiteral("scope"))), &error);
    if (token.isEmpty()) {
        fail(error);
        return 1;
    }
    QTextStream out(stdout);
    out << QStringLiteral("Token for \"%1\" (%2), added to %3. It is shown only now:\n")
               .arg(args.at(2), parser.value(QStringLiteral("scope")), path)
        << token << '\n';
    return 0;
}

// Runs `work` on a thread of its own while this thread goes on answering
// the renderer's calls, which `work` may be waiting for.
void whilePumping(const std::function<void()> &work)
{
    std::atomic<bool> done{false};
    std::thread t([&] {
        work();
        done = true;
    });
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ::usleep(2000);
    }
    t.join();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 2 && qstrcmp(argv[1], "token") == 0)
        return tokenCommand(argc, argv);
    // Documents are graphics scenes, which need a GUI application, though
    // nothing is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt wants a runtime folder and warns on every start without one; a
    // service started outside a login session has none.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray runtime = QDir::tempPath().toLocal8Bit() + "/tagorix-server-" +
                                   QByteArray::number(uint(::getuid()));
        if (::mkdir(runtime.constData(), 0700) == 0 || errno == EEXIST)
            qputenv("XDG_RUNTIME_DIR", runtime);
    }
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tagorix-server"));
    QCoreApplication::setApplicationVersion(server::serverVersion());
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints labels for other systems through an HTTP API.\n"
                       "tagorix-server token add NAME --scope print|admin [--tokens FILE] makes a "
                       "token."));
    parser.addHelpOption();
    parser.addVersionOption();
    server::addOptions(parser);
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        fail(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));
        return 1;
    }
    server::ServerConfig config;
    QString error;
    if (!server::loadConfig(parser, &config, &error)) {
        fail(error);
        return 1;
    }
    if (QFontDatabase().families().isEmpty()) {
        fail(QStringLiteral("no fonts can be loaded on the \"%1\" platform, so labels would "
                            "lack their text; run on the offscreen platform")
                 .arg(QGuiApplication::platformName()));
        return 1;
    }
    server::TokenStore tokens;
    if (!tokens.load(config.tokens, &error)) {
        fail(error);
        return 1;
    }
    if (tokens.isEmpty())
        fail(QStringLiteral("warning: the token file \"%1\" holds no token, so every request but "
                            "/v1/health is refused; make one with: tagorix-server token add "
                            "NAME --scope admin")
                 .arg(config.tokens));
    if (!QFileInfo(config.designs).isDir())
        fail(QStringLiteral("warning: the designs folder \"%1\" does not exist").arg(config.designs));

    DataSourceManager dataSources;
    SizeTemplateManager sizeTemplates;
    services::setDataSourceManager(&dataSources);
    services::setSizeTemplateManager(&sizeTemplates);

    int exitCode = 0;
    {
        server::Journal journal;
        if (!journal.open(config.journal, &error)) {
            fail(error);
            services::setSizeTemplateManager(nullptr);
            services::setDataSourceManager(nullptr);
            return 1;
        }
        server::DesignCatalog catalog(config.designs);
        server::JobRenderer renderer(&catalog);
        renderer.refreshCatalog();
        server::Dispatcher dispatcher(&journal, &renderer, config.retryMax, config.instance,
                                      config.leaseSeconds);
        dispatcher.start();
        server::ApiServer api(config, &journal, &catalog, &renderer, &dispatcher, &tokens);
        if (!api.start(&error)) {
            fail(error);
            exitCode = 1;
        } else {
            if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalFds) == 0) {
                std::signal(SIGTERM, onSignal);
                std::signal(SIGINT, onSignal);
            }
            std::signal(SIGPIPE, SIG_IGN);
            QSocketNotifier stopper(signalFds[0], QSocketNotifier::Read);
            QObject::connect(&stopper, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
            // A token added while the service runs counts at once.
            QDateTime tokensChanged = QFileInfo(config.tokens).lastModified();
            QTimer reload;
            QObject::connect(&reload, &QTimer::timeout, [&] {
                const QDateTime now = QFileInfo(config.tokens).lastModified();
                if (now == tokensChanged)
                    return;
                tokensChanged = now;
                QString why;
                if (!tokens.load(config.tokens, &why))
                    fail(why);
            });
            reload.start(2000);
            QTextStream out(stdout);
            out << "listening on " << (config.tls() ? "https" : "http") << "://"
                << (config.listenHost.contains(QLatin1Char(':'))
                        ? QLatin1Char('[') + config.listenHost + QLatin1Char(']')
                        : config.listenHost)
                << ':' << api.port() << '\n';
            out.flush();
            exitCode = app.exec();
            whilePumping([&] { api.stop(); });
        }
        dispatcher.stop();
        journal.close();
    }
    services::setSizeTemplateManager(nullptr);
    services::setDataSourceManager(nullptr);
    return exitCode;
}
