#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QProcess;

// A private PostgreSQL 15 for one test program: its cluster in a temporary
// folder owned by the database's own user (the server refuses to run as
// root), trust authentication, listening on 127.0.0.1 on a free port and on a
// Unix socket inside that folder, with one database "tagorix". The server is
// a child of the test program and dies with it. stop() and start() take the
// server down and bring it back on the same port with the same data, as an
// outage of the database would. Destruction stops the server and removes the
// folder.
class PgTestServer
{
public:
    PgTestServer();
    ~PgTestServer();
    PgTestServer(const PgTestServer &) = delete;
    PgTestServer &operator=(const PgTestServer &) = delete;

    // Empty when this machine can run a private server (root, the server's
    // programs and user installed), else why not, for a skip message.
    static QString unavailableReason();

    // The first call creates the cluster and the database; later calls start
    // the stopped server again on the same port. On failure errorString()
    // says why, with the last lines of the server's log.
    bool start();
    // A fast shutdown (sessions ended, data kept).
    bool stop();
    bool isRunning() const;
    QString errorString() const;

    quint16 port() const;
    // A database of the cluster besides "tagorix", for a test of its own.
    bool createDatabase(const QString &name);
    // postgresql://postgres@127.0.0.1:PORT/NAME
    QString uri(const QString &database = QStringLiteral("tagorix")) const;

    // Runs an SQL command in a database through psql; true when it succeeds.
    bool runSql(const QString &sql, const QString &database = QStringLiteral("tagorix"),
                QString *output = nullptr);

    QString logTail(int lines = 20) const;

private:
    bool initialize();
    bool launch();
    bool runAsOwner(const QString &program, const QStringList &arguments, int timeoutMs,
                    QString *output = nullptr);
    void fail(const QString &message);
    QString dataDir() const;
    QString logFile() const;

    QTemporaryDir root;
    std::unique_ptr<QProcess> postmaster;
    quint16 serverPort = 0;
    bool initialized = false;
    bool running = false;
    QString error;
};
