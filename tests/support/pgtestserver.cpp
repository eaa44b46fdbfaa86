#include "pgtestserver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString BinDir = QStringLiteral("/usr/lib/postgresql/15/bin");
const char *const Owner = "postgres";

QString program(const char *name)
{
    return BinDir + QLatin1Char('/') + QLatin1String(name);
}

quint16 freeLoopbackPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

// The server as the database's own user, dying with the test program even
// when that is killed: a time-out must not leave it running.
class PostmasterProcess : public QProcess
{
public:
    PostmasterProcess(uid_t uid, gid_t gid) : uid(uid), gid(gid) {}

protected:
    void setupChildProcess() override
    {
        if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0)
            _exit(127);
        // Set after the change of user, which clears it; SIGQUIT is an immediate shutdown.
        prctl(PR_SET_PDEATHSIG, SIGQUIT);
    }

private:
    const uid_t uid;
    const gid_t gid;
};

QString runuserPath()
{
    for (const char *path : {"/usr/sbin/runuser", "/sbin/runuser", "/usr/bin/runuser"})
        if (QFileInfo(QLatin1String(path)).isExecutable())
            return QLatin1String(path);
    return QString();
}

// Runs a program to its end (bounded); true when it exits with 0.
bool run(QProcess &process, const QString &programPath, const QStringList &arguments, int timeoutMs,
         QString *output)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The server's messages in plain English whatever this machine's locale.
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.insert(QStringLiteral("PGCONNECT_TIMEOUT"), QStringLiteral("10"));
    env.remove(QStringLiteral("PGDATA"));
    env.remove(QStringLiteral("PGHOST"));
    env.remove(QStringLiteral("PGPORT"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(programPath, arguments);
    const bool finished = process.waitForFinished(timeoutMs);
    if (!finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    const QString text = QString::fromLocal8Bit(process.readAll());
    if (output)
        *output = finished ? text : process.errorString() + QLatin1Char('\n') + text;
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

PgTestServer::PgTestServer() : root(QDir::tempPath() + QStringLiteral("/tagorix-pg-XXXXXX"))
{
}

PgTestServer::~PgTestServer()
{
    stop();
}

QString PgTestServer::unavailableReason()
{
    if (geteuid() != 0)
        return QStringLiteral("a private PostgreSQL is started as its own user, which needs root");
    if (runuserPath().isEmpty())
        return QStringLiteral("runuser is not installed");
    for (const char *name : {"initdb", "pg_ctl", "pg_isready", "postgres", "psql"})
        if (!QFileInfo(program(name)).isExecutable())
            return QStringLiteral("%1 is not installed; install postgresql-15").arg(program(name));
    if (!getpwnam(Owner))
        return QStringLiteral("there is no user \"postgres\"; install postgresql-15");
    return QString();
}

QString PgTestServer::dataDir() const
{
    return root.filePath(QStringLiteral("data"));
}

QString PgTestServer::logFile() const
{
    return root.filePath(QStringLiteral("server.log"));
}

void PgTestServer::fail(const QString &message)
{
    error = message;
    const QString tail = logTail();
    if (!tail.isEmpty())
        error += QStringLiteral("\nServer log:\n") + tail;
}

QString PgTestServer::errorString() const
{
    return error;
}

QString PgTestServer::logTail(int lines) const
{
    QFile log(logFile());
    if (!log.open(QIODevice::ReadOnly))
        return QString();
    const QStringList all =
        QString::fromLocal8Bit(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return all.mid(qMax(0, all.size() - lines)).join(QLatin1Char('\n'));
}

bool PgTestServer::runAsOwner(const QString &programPath, const QStringList &arguments,
                              int timeoutMs, QString *output)
{
    QProcess process;
    // The owner may not enter the folder the tests run in.
    process.setWorkingDirectory(root.path());
    return run(
        process, runuserPath(),
        QStringList{QStringLiteral("-u"), QLatin1String(Owner), QStringLiteral("--"), programPath} +
            arguments,
        timeoutMs, output);
}

bool PgTestServer::initialize()
{
    const QString why = unavailableReason();
    if (!why.isEmpty()) {
        fail(why);
        return false;
    }
    if (!root.isValid()) {
        fail(QStringLiteral("Cannot create a temporary folder: ") + root.errorString());
        return false;
    }
    const passwd *owner = getpwnam(Owner);
    if (chown(QFile::encodeName(root.path()).constData(), owner->pw_uid, owner->pw_gid) != 0 ||
        chmod(QFile::encodeName(root.path()).constData(), 0700) != 0) {
        fail(QStringLiteral("Cannot give %1 to the user postgres").arg(root.path()));
        return false;
    }
    QString output;
    // No sync of the new cluster's files: the running server itself syncs.
    if (!runAsOwner(program("initdb"),
                    {QStringLiteral("-D"), dataDir(), QStringLiteral("-A"), QStringLiteral("trust"),
                     QStringLiteral("-U"), QLatin1String(Owner), QStringLiteral("-E"),
                     QStringLiteral("UTF8"), QStringLiteral("--no-locale"),
                     QStringLiteral("--no-sync")},
                    120000, &output)) {
        fail(QStringLiteral("initdb failed: ") + output);
        return false;
    }
    initialized = true;
    return true;
}

bool PgTestServer::launch()
{
    const passwd *owner = getpwnam(Owner);
    if (!owner) {
        fail(QStringLiteral("there is no user \"postgres\""));
        return false;
    }
    postmaster = std::make_unique<PostmasterProcess>(owner->pw_uid, owner->pw_gid);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.remove(QStringLiteral("PGDATA"));
    postmaster->setProcessEnvironment(env);
    postmaster->setWorkingDirectory(root.path());
    postmaster->setStandardOutputFile(logFile(), QIODevice::Append);
    postmaster->setStandardErrorFile(logFile(), QIODevice::Append);
    postmaster->start(program("postgres"),
                      {QStringLiteral("-D"), dataDir(), QStringLiteral("-p"),
                       QString::number(serverPort), QStringLiteral("-k"), root.path(),
                       QStringLiteral("-c"), QStringLiteral("listen_addresses=127.0.0.1"),
                       QStringLiteral("-c"), QStringLiteral("fsync=on")});
    if (!postmaster->waitForStarted(10000)) {
        fail(QStringLiteral("Cannot start postgres: ") + postmaster->errorString());
        postmaster.reset();
        return false;
    }
    // Ready once it accepts connections on its port, within 30 s.
    for (int i = 0; i < 300; ++i) {
        QProcess probe;
        if (run(probe, program("pg_isready"),
                {QStringLiteral("-q"), QStringLiteral("-U"), QLatin1String(Owner),
                 QStringLiteral("-d"), QStringLiteral("postgres"), QStringLiteral("-h"),
                 QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(serverPort),
                 QStringLiteral("-t"), QStringLiteral("2")},
                10000, nullptr)) {
            running = true;
            return true;
        }
        if (postmaster->waitForFinished(100)) {
            fail(QStringLiteral("postgres exited with code %1 before it accepted connections on "
                                "127.0.0.1:%2")
                     .arg(postmaster->exitCode())
                     .arg(serverPort));
            postmaster.reset();
            return false;
        }
    }
    fail(QStringLiteral("postgres did not accept connections on 127.0.0.1:%1 within 30 s")
             .arg(serverPort));
    postmaster->kill();
    postmaster->waitForFinished(10000);
    postmaster.reset();
    return false;
}

bool PgTestServer::start()
{
    error.clear();
    if (running)
        return true;
    if (initialized)
        return launch();
    if (!initialize())
        return false;
    // Another program may take the probed port before the server binds it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        serverPort = freeLoopbackPort();
        if (serverPort == 0) {
            fail(QStringLiteral("No free port on 127.0.0.1"));
            return false;
        }
        if (launch())
            break;
        if (attempt == 2)
            return false;
    }
    return createDatabase(QStringLiteral("tagorix"));
}

bool PgTestServer::stop()
{
    if (!postmaster)
        return true;
    running = false;
    QString output;
    const bool stopped = runAsOwner(
        program("pg_ctl"),
        {QStringLiteral("-D"), dataDir(), QStringLiteral("-m"), QStringLiteral("fast"),
         QStringLiteral("-w"), QStringLiteral("-t"), QStringLiteral("30"), QStringLiteral("stop")},
        40000, &output);
    if (!stopped || !postmaster->waitForFinished(10000)) {
        fail(QStringLiteral("pg_ctl stop failed: ") + output);
        // An immediate shutdown, and failing that the end of the process.
        ::kill(pid_t(postmaster->processId()), SIGQUIT);
        if (!postmaster->waitForFinished(10000)) {
            postmaster->kill();
            postmaster->waitForFinished(5000);
        }
    }
    postmaster.reset();
    return stopped;
}

bool PgTestServer::isRunning() const
{
    return running;
}

quint16 PgTestServer::port() const
{
    return serverPort;
}

QString PgTestServer::uri(const QString &database) const
{
    return QStringLiteral("postgresql://%1@127.0.0.1:%2/%3")
        .arg(QLatin1String(Owner))
        .arg(serverPort)
        .arg(database);
}

bool PgTestServer::runSql(const QString &sql, const QString &database, QString *output)
{
    QProcess process;
    QString text;
    const bool ok =
        run(process, program("psql"),
            {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-h"),
             QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(serverPort),
             QStringLiteral("-U"), QLatin1String(Owner), QStringLiteral("-d"), database,
             QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-At"),
             QStringLiteral("-c"), sql},
            60000, &text);
    if (output)
        *output = text;
    if (!ok)
        fail(QStringLiteral("psql -c \"%1\" failed: %2").arg(sql, text));
    return ok;
}

bool PgTestServer::createDatabase(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return runSql(QStringLiteral("CREATE DATABASE \"%1\"").arg(quoted), QStringLiteral("postgres"));
}
