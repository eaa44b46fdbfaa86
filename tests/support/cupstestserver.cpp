#include "cupstestserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <cups/cups.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <map>

namespace {

// The scheduler dies with the test program, also when that crashes.
class SchedulerProcess : public QProcess
{
protected:
    void setupChildProcess() override { prctl(PR_SET_PDEATHSIG, SIGKILL); }
};

quint16 freeLoopbackPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(50);
    }
    return true;
}

} // namespace

JobListener::JobListener()
{
    if (pipe2(wakeFds, O_CLOEXEC) != 0)
        return;
    listenFd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd < 0)
        return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof(address);
    if (bind(listenFd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0 ||
        listen(listenFd, 16) != 0 ||
        getsockname(listenFd, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        close(listenFd);
        listenFd = -1;
        return;
    }
    listenPort = ntohs(address.sin_port);
    worker = std::thread([this] { serve(); });
}

JobListener::~JobListener()
{
    if (worker.joinable()) {
        const char stop = 0;
        (void)!write(wakeFds[1], &stop, 1);
        worker.join();
    }
    for (int fd : {listenFd, wakeFds[0], wakeFds[1]})
        if (fd >= 0)
            close(fd);
}

bool JobListener::isListening() const
{
    return listenPort != 0;
}

quint16 JobListener::port() const
{
    return listenPort;
}

void JobListener::serve()
{
    std::map<int, QByteArray> open;
    for (;;) {
        std::vector<pollfd> fds{{wakeFds[0], POLLIN, 0}, {listenFd, POLLIN, 0}};
        for (const auto &connection : open)
            fds.push_back({connection.first, POLLIN, 0});
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[0].revents)
            break;
        if (fds[1].revents & POLLIN) {
            const int fd = accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0)
                open[fd];
        }
        for (size_t i = 2; i < fds.size(); ++i) {
            if (!fds[i].revents)
                continue;
            char buffer[65536];
            const ssize_t n = read(fds[i].fd, buffer, sizeof(buffer));
            std::lock_guard<std::mutex> guard(lock);
            if (n > 0) {
                open[fds[i].fd].append(buffer, int(n));
                totalBytes += n;
            } else if (n == 0 || errno != EINTR) {
                // The sender finished the job; closing tells it the printer is done.
                finished.append(open[fds[i].fd]);
                open.erase(fds[i].fd);
                close(fds[i].fd);
            }
            arrived.notify_all();
        }
    }
    for (const auto &connection : open)
        close(connection.first);
}

bool JobListener::waitForJobs(int count, int timeoutMs)
{
    std::unique_lock<std::mutex> guard(lock);
    return arrived.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                            [this, count] { return finished.size() >= count; });
}

bool JobListener::waitForBytes(qint64 count, int timeoutMs)
{
    std::unique_lock<std::mutex> guard(lock);
    return arrived.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                            [this, count] { return totalBytes >= count; });
}

QList<QByteArray> JobListener::jobs() const
{
    std::lock_guard<std::mutex> guard(lock);
    return finished;
}

void JobListener::clear()
{
    std::lock_guard<std::mutex> guard(lock);
    finished.clear();
    totalBytes = 0;
}

CupsTestServer::CupsTestServer() : root(QDir::tempPath() + QStringLiteral("/tagorix-cups-XXXXXX"))
{
}

CupsTestServer::~CupsTestServer()
{
    if (isRunning()) {
        for (const QString &queue : queues)
            runTool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), queue});
        scheduler->terminate();
        if (!scheduler->waitForFinished(10000)) {
            scheduler->kill();
            scheduler->waitForFinished(5000);
        }
    }
    scheduler.reset();
    for (const QString &file : pdfFiles)
        QFile::remove(file);
    if (hadServer)
        qputenv("CUPS_SERVER", savedServer);
    else
        qunsetenv("CUPS_SERVER");
    if (hadServerRoot)
        qputenv("CUPS_SERVERROOT", savedServerRoot);
    else
        qunsetenv("CUPS_SERVERROOT");
    cupsSetServer(nullptr);
}

QString CupsTestServer::path(const QString &relative) const
{
    return root.filePath(relative);
}

void CupsTestServer::fail(const QString &message)
{
    error = message;
    const QStringList log = errorLog().split(QLatin1Char('\n'));
    QStringList errors;
    for (const QString &line : log)
        if (line.startsWith(QLatin1String("E ")))
            errors << line;
    if (!errors.isEmpty())
        error +=
            QStringLiteral("\nScheduler errors:\n") + errors.mid(errors.size() - 20).join('\n');
    if (scheduler)
        error += QString::fromLocal8Bit(scheduler->readAllStandardError());
}

bool CupsTestServer::start()
{
    if (isRunning())
        return true;
    if (!root.isValid()) {
        fail(QStringLiteral("Cannot create a temporary folder for the scheduler: ") +
             root.errorString());
        return false;
    }
    if (!socketPrinter.isListening()) {
        fail(QStringLiteral("Cannot listen on 127.0.0.1 for the socket printer"));
        return false;
    }
    // The filters run as the scheduler's unprivileged user and need to reach
    // the spool and the driver files inside this folder.
    QFile::setPermissions(root.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                           QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                           QFileDevice::ExeOther);
    for (const char *dir : {"etc/ppd", "spool/tmp", "cache", "state", "log"})
        QDir().mkpath(path(QLatin1String(dir)));

    // Another program may take the probed port before the scheduler binds it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (launch())
            break;
        if (attempt == 2)
            return false;
    }

    hadServer = qEnvironmentVariableIsSet("CUPS_SERVER");
    savedServer = qgetenv("CUPS_SERVER");
    hadServerRoot = qEnvironmentVariableIsSet("CUPS_SERVERROOT");
    savedServerRoot = qgetenv("CUPS_SERVERROOT");
    qputenv("CUPS_SERVER", address().toLatin1());
    // No client.conf or system lpoptions of this machine applies to the tests.
    qputenv("CUPS_SERVERROOT", QFile::encodeName(path(QStringLiteral("etc"))));
    // libcups keeps the server it resolved once per thread; make it read the environment again.
    cupsSetServer(nullptr);

    QString output;
    if (!runTool(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &output) ||
        !output.contains(QLatin1String("scheduler is running"))) {
        fail(QStringLiteral("The scheduler on %1 does not answer: %2").arg(address(), output));
        return false;
    }
    return true;
}

void CupsTestServer::stop()
{
    if (!isRunning())
        return;
    // A clean stop: the scheduler writes its queues and jobs before it exits.
    scheduler->terminate();
    if (!scheduler->waitForFinished(10000)) {
        scheduler->kill();
        scheduler->waitForFinished(5000);
    }
}

bool CupsTestServer::restart()
{
    if (isRunning())
        return true;
    if (!scheduler) {
        fail(QStringLiteral("The scheduler was never started"));
        return false;
    }
    return launch(true);
}

bool CupsTestServer::launch(bool samePort)
{
    const QString cupsd = QStandardPaths::findExecutable(
        QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    if (cupsd.isEmpty()) {
        fail(QStringLiteral("cupsd is not installed; install the cups package"));
        return false;
    }
    if (!samePort)
        serverPort = freeLoopbackPort();
    if (serverPort == 0) {
        fail(QStringLiteral("No free port on 127.0.0.1"));
        return false;
    }
    QFile::remove(path(QStringLiteral("log/error_log")));

    QFile config(path(QStringLiteral("etc/cupsd.conf")));
    if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail(QStringLiteral("Cannot write ") + config.fileName());
        return false;
    }
    // Only the test program talks to this scheduler, over loopback: no
    // browsing, no authentication.
    config.write(
        QStringLiteral("LogLevel debug\n"
                       "MaxLogSize 0\n"
                       "Listen 127.0.0.1:%1\n"
                       "Browsing Off\n"
                       "DefaultAuthType None\n"
                       "WebInterface No\n"
                       "<Location />\n  Order allow,deny\n  Allow 127.0.0.1\n</Location>\n"
                       "<Policy default>\n"
                       "  JobPrivateAccess all\n  JobPrivateValues none\n"
                       "  SubscriptionPrivateAccess all\n  SubscriptionPrivateValues none\n"
                       "  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                       "</Policy>\n")
            .arg(serverPort)
            .toUtf8());
    config.close();

    QFile files(path(QStringLiteral("etc/cups-files.conf")));
    if (!files.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail(QStringLiteral("Cannot write ") + files.fileName());
        return false;
    }
    files.write(QStringLiteral("ServerRoot %1/etc\n"
                               "RequestRoot %1/spool\n"
                               "TempDir %1/spool/tmp\n"
                               "CacheDir %1/cache\n"
                               "StateDir %1/state\n"
                               "ErrorLog %1/log/error_log\n"
                               "AccessLog %1/log/access_log\n"
                               "PageLog %1/log/page_log\n"
                               "Printcap %1/printcap\n"
                               "FileDevice No\n"
                               "Sandboxing Relaxed\n"
                               "SystemGroup root\n")
                    .arg(root.path())
                    .toUtf8());
    files.close();

    scheduler = std::make_unique<SchedulerProcess>();
    scheduler->setProgram(cupsd);
    scheduler->setArguments({QStringLiteral("-f"), QStringLiteral("-c"), config.fileName(),
                             QStringLiteral("-s"), files.fileName()});
    scheduler->setProcessChannelMode(QProcess::SeparateChannels);
    scheduler->start();
    if (!scheduler->waitForStarted(10000)) {
        fail(QStringLiteral("Cannot start %1: %2").arg(cupsd, scheduler->errorString()));
        scheduler.reset();
        return false;
    }
    if (!waitUntilAnswering(60000)) {
        if (scheduler->state() == QProcess::Running) {
            scheduler->kill();
            scheduler->waitForFinished(5000);
            fail(QStringLiteral("cupsd did not open 127.0.0.1:%1 within a minute").arg(serverPort));
        } else {
            fail(QStringLiteral("cupsd exited with code %1 before it listened on 127.0.0.1:%2")
                     .arg(scheduler->exitCode())
                     .arg(serverPort));
        }
        scheduler.reset();
        return false;
    }
    return true;
}

bool CupsTestServer::waitUntilAnswering(int timeoutMs)
{
    return waitFor(
               [this] {
                   if (scheduler->state() != QProcess::Running)
                       return true;
                   QTcpSocket probe;
                   probe.connectToHost(QHostAddress::LocalHost, serverPort);
                   return probe.waitForConnected(200);
               },
               timeoutMs) &&
           scheduler->state() == QProcess::Running;
}

bool CupsTestServer::isRunning() const
{
    return scheduler && scheduler->state() == QProcess::Running;
}

QString CupsTestServer::errorString() const
{
    return error;
}

quint16 CupsTestServer::port() const
{
    return serverPort;
}

QString CupsTestServer::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(serverPort);
}

bool CupsTestServer::runTool(const QString &tool, const QStringList &arguments, QString *output)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), address());
    env.insert(QStringLiteral("CUPS_SERVERROOT"), path(QStringLiteral("etc")));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool, QStringList{QStringLiteral("-h"), address()} + arguments);
    const bool finished = process.waitForFinished(60000);
    const QString text = QString::fromLocal8Bit(process.readAll());
    if (output)
        *output = text;
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        fail(QStringLiteral("%1 %2 failed: %3")
                 .arg(tool, arguments.join(QLatin1Char(' ')),
                      finished ? text : process.errorString()));
        return false;
    }
    return true;
}

bool CupsTestServer::addQueue(const QString &name, const QString &deviceUri, const QString &model,
                              const QStringList &moreArguments)
{
    if (!isRunning()) {
        fail(QStringLiteral("The scheduler is not running"));
        return false;
    }
    QStringList arguments{
        QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"), deviceUri,
        QStringLiteral("-m"), model};
    if (!runTool(QStringLiteral("lpadmin"), arguments + moreArguments))
        return false;
    queues << name;
    QString output;
    if (!runTool(QStringLiteral("lpstat"), {QStringLiteral("-v"), name}, &output))
        return false;
    if (!waitFor([&name] { return QPrinterInfo::availablePrinterNames().contains(name); }, 10000)) {
        fail(QStringLiteral("Qt does not list the queue %1 (it lists: %2)")
                 .arg(name, QPrinterInfo::availablePrinterNames().join(QStringLiteral(", "))));
        return false;
    }
    return true;
}

bool CupsTestServer::addZebraQueue(const QString &name)
{
    return addQueue(name, QStringLiteral("socket://127.0.0.1:%1").arg(socketPrinter.port()),
                    QStringLiteral("drv:///sample.drv/zebra.ppd"));
}

bool CupsTestServer::addPdfQueue(const QString &name)
{
    return addQueue(name, QStringLiteral("cups-pdf:/"),
                    QStringLiteral("lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"));
}

bool CupsTestServer::removeQueue(const QString &name)
{
    if (!runTool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name}))
        return false;
    queues.removeAll(name);
    return true;
}

bool CupsTestServer::addInstance(const QString &queue, const QString &instance,
                                 const QMap<QString, QString> &options)
{
    QString line = QStringLiteral("Dest %1/%2").arg(queue, instance);
    for (auto it = options.begin(); it != options.end(); ++it)
        line += QStringLiteral(" %1=%2").arg(it.key(), it.value());
    instanceLines << line;
    // `lpoptions` run as root would write the user's file in the home folder instead.
    QFile file(path(QStringLiteral("etc/lpoptions")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail(QStringLiteral("Cannot write ") + file.fileName());
        return false;
    }
    file.write((instanceLines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return true;
}

void CupsTestServer::removeInstances()
{
    instanceLines.clear();
    QFile::remove(path(QStringLiteral("etc/lpoptions")));
}

QMap<QString, QString> CupsTestServer::defaultChoices(const QString &queue)
{
    QMap<QString, QString> out;
    QString output;
    if (!runTool(QStringLiteral("lpoptions"), {QStringLiteral("-p"), queue, QStringLiteral("-l")},
                 &output))
        return out;
    // "Darkness/Darkness: *-1 1 2 ..." : the starred choice is the default.
    const QRegularExpression line(QStringLiteral("^([^/:]+)(?:/[^:]*)?:(.*)$"));
    for (const QString &text : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = line.match(text);
        if (!m.hasMatch())
            continue;
        for (const QString &choice : m.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            if (choice.startsWith(QLatin1Char('*')))
                out.insert(m.captured(1), choice.mid(1));
    }
    return out;
}

JobListener &CupsTestServer::listener()
{
    return socketPrinter;
}

QString CupsTestServer::pdfOutputDir() const
{
    // The PDF printer writes to the "Out" folder of its system configuration,
    // ${HOME}/PDF of the job's user unless changed there.
    QString out = QStringLiteral("${HOME}/PDF");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        for (const QByteArray &raw : conf.readAll().split('\n')) {
            const QString line = QString::fromLocal8Bit(raw).trimmed();
            if (line.startsWith(QLatin1String("Out ")))
                out = line.mid(4).trimmed();
        }
    }
    const passwd *user = getpwuid(getuid());
    out.replace(QLatin1String("${HOME}"),
                user ? QFile::decodeName(user->pw_dir) : QDir::homePath());
    out.replace(QLatin1String("${USER}"), user ? QFile::decodeName(user->pw_name) : QString());
    return out;
}

QString CupsTestServer::waitForPdf(const QString &token, int timeoutMs)
{
    QString found;
    const QDir dir(pdfOutputDir());
    waitFor(
        [&] {
            for (const QString &name :
                 dir.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time)) {
                if (name.contains(token)) {
                    found = dir.filePath(name);
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    if (!found.isEmpty()) {
        pdfFiles << found;
        // The file is complete once the job has left the scheduler.
        waitForIdle(timeoutMs);
    }
    return found;
}

bool CupsTestServer::waitForIdle(int timeoutMs)
{
    return waitFor(
        [this] {
            QString output;
            return runTool(QStringLiteral("lpstat"), {QStringLiteral("-o")}, &output) &&
                   output.trimmed().isEmpty();
        },
        timeoutMs);
}

QString CupsTestServer::errorLog() const
{
    QFile log(path(QStringLiteral("log/error_log")));
    if (!log.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLocal8Bit(log.readAll());
}
