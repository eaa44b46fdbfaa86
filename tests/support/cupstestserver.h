#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class QProcess;

// A printer on 127.0.0.1 that keeps what it is sent: every connection that
// the sender has closed is one job. It serves on a thread of its own, so jobs
// arrive while the test is blocked in a print call or a wait.
class JobListener
{
public:
    JobListener();
    ~JobListener();
    JobListener(const JobListener &) = delete;
    JobListener &operator=(const JobListener &) = delete;

    bool isListening() const;
    quint16 port() const;

    // True once `count` jobs have been received in all (since the last
    // clear()), false after the timeout.
    bool waitForJobs(int count, int timeoutMs = 60000);
    // True once `count` bytes have arrived, finished jobs and open connections together.
    bool waitForBytes(qint64 count, int timeoutMs = 60000);

    QList<QByteArray> jobs() const;
    void clear();

private:
    void serve();

    int listenFd = -1;
    int wakeFds[2] = {-1, -1};
    quint16 listenPort = 0;
    std::thread worker;
    mutable std::mutex lock;
    std::condition_variable arrived;
    QList<QByteArray> finished;
    qint64 totalBytes = 0;
};

// A private CUPS scheduler for one test program: its own configuration,
// spool, cache and log folders in a temporary folder, listening on
// 127.0.0.1 on a free port. While it runs, CUPS_SERVER points libcups (and so
// Qt's printer list) at it and at nothing else. Destruction deletes the queues,
// stops the scheduler and removes its folder.
class CupsTestServer
{
public:
    CupsTestServer();
    ~CupsTestServer();
    CupsTestServer(const CupsTestServer &) = delete;
    CupsTestServer &operator=(const CupsTestServer &) = delete;

    // Starts the scheduler and waits until it answers; on failure
    // errorString() says why, with the scheduler's own error lines.
    bool start();
    bool isRunning() const;
    // Stops the scheduler as a crash or an update of the print system would,
    // keeping its folder (queues, spool) and its port; restart() brings the
    // same scheduler back, so clients configured for it reach it again.
    void stop();
    bool restart();
    QString errorString() const;

    quint16 port() const;
    // "127.0.0.1:<port>", for -h of the CUPS command-line tools.
    QString address() const;

    // lpadmin -p name -E -v deviceUri -m model, then waits until both CUPS
    // and QPrinterInfo list the queue.
    bool addQueue(const QString &name, const QString &deviceUri, const QString &model,
                  const QStringList &moreArguments = {});
    // The Zebra ZPL driver on a socket device served by listener().
    bool addZebraQueue(const QString &name = QStringLiteral("Zebra_ZPL"));
    // The PDF printer; its files appear in pdfOutputDir().
    bool addPdfQueue(const QString &name = QStringLiteral("PDF"));
    bool removeQueue(const QString &name);

    // Defines the instance "queue/instance" with its own option defaults, as
    // a system lpoptions entry of this scheduler's client configuration.
    bool addInstance(const QString &queue, const QString &instance,
                     const QMap<QString, QString> &options);
    void removeInstances();

    // Runs a CUPS command-line tool (lpadmin, lpstat, lp, lpoptions, ...)
    // against this scheduler; true when it exits with 0. `output` receives
    // standard output and error.
    bool runTool(const QString &tool, const QStringList &arguments, QString *output = nullptr);

    // The option lines of `lpoptions -l` for a queue as keyword -> default choice.
    QMap<QString, QString> defaultChoices(const QString &queue);

    JobListener &listener();

    // Where the PDF printer writes for the user running the tests.
    QString pdfOutputDir() const;
    // Waits for a PDF file whose name contains `token` (use a unique document
    // name) and returns its path; the file is removed with the server.
    QString waitForPdf(const QString &token, int timeoutMs = 60000);

    // True once the scheduler has no pending or processing jobs.
    bool waitForIdle(int timeoutMs = 60000);

    QString errorLog() const;

private:
    bool launch(bool samePort = false);
    bool waitUntilAnswering(int timeoutMs);
    void fail(const QString &message);
    QString path(const QString &relative) const;

    QTemporaryDir root;
    std::unique_ptr<QProcess> scheduler;
    JobListener socketPrinter;
    quint16 serverPort = 0;
    QString error;
    QStringList queues;
    QStringList pdfFiles;
    QStringList instanceLines;
    QByteArray savedServer;
    QByteArray savedServerRoot;
    bool hadServer = false;
    bool hadServerRoot = false;
};
