// Several instances of the print service on one PostgreSQL journal: jobs
// posted to any instance print once each, in order per printer, and read the
// same from every instance; an idempotency key holds across instances; the
// printers of a killed instance are taken over when its lease runs out and no
// acknowledged job is lost; while the database is down jobs are refused, and
// once it is back everything goes on.

#include "cupstestserver.h"
#include "datasourcemanager.h"
#include "journal.h"
#include "pgtestserver.h"
#include "services.h"
#include "servicetestutil.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <sqlite3.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

using namespace servicetest;

namespace {

constexpr int Printers = 4;
constexpr int Instances = 3;
constexpr int LeaseSeconds = 3;
// The states a job does not leave on its own.
const QStringList Ends{QStringLiteral("completed"), QStringLiteral("failed"),
                       QStringLiteral("cancelled"), QStringLiteral("interrupted")};

QString queue(int printer)
{
    return QStringLiteral("Zebra_%1").arg(printer + 1);
}

// The code of the n-th job (from 1) of a printer (from 0): "P2-17".
QString code(const char *prefix, int printer, int n)
{
    return QStringLiteral("%1%2-%3").arg(QLatin1String(prefix)).arg(printer + 1).arg(n);
}

QStringList codeRange(const char *prefix, int printer, int from, int to)
{
    QStringList codes;
    for (int n = from; n <= to; ++n)
        codes << code(prefix, printer, n);
    return codes;
}

} // namespace

class TestCluster : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void journalLeasesAndSchema();
    void sharesJobsAcrossInstances();
    void takesOverFromAKilledInstance();
    void comesBackUnderItsName();
    void waitsForTheDatabase();

private:
    QString startInstances();
    // What each instance wrote, when a test failed.
    void showLogs() const;
    Reply post(int instance, const QJsonObject &body, int timeoutMs = 20000);
    // Every job as an instance lists them, by id.
    QMap<QString, QJsonObject> listJobs(int instance);
    // The jobs once `count` are listed and all have ended (or as last seen).
    QMap<QString, QJsonObject> waitForEnds(int instance, int count, int timeoutMs);
    // The printers an instance says it drives; *known false when it does not say.
    QSet<QString> drivenBy(int instance, bool *known = nullptr);
    QStringList received(int printer) const;
    // The jobs not completed, for a failure message.
    static QString notCompleted(const QMap<QString, QJsonObject> &jobs);
    // Empty when the printer received `expected`, in that order, and nothing
    // else; else where it differs (the whole sequence goes to the log).
    QString differs(int printer, const QStringList &expected) const;

    QTemporaryDir dir;
    // Declared before the scheduler, which sends to them until it stops.
    JobListener printers[Printers];
    CupsTestServer cups;
    PgTestServer pg;
    std::vector<std::unique_ptr<ServiceInstance>> instances;
    QString database;
    QString adminToken;
    QString printToken;
    int starts = 0;
};

void TestCluster::initTestCase()
{
    const QString unavailable = PgTestServer::unavailableReason();
    if (!unavailable.isEmpty())
        QSKIP(qPrintable(QStringLiteral("no private PostgreSQL: ") + unavailable));
    QVERIFY(dir.isValid());
    QVERIFY2(QFile::exists(QStringLiteral(TAGORIX_BIN_DIR "/tagorix-server")),
             "the service program is not built");
    QVERIFY2(pg.start(), qPrintable(pg.errorString()));
    QVERIFY2(cups.start(), qPrintable(cups.errorString()));
    for (int p = 0; p < Printers; ++p) {
        QVERIFY(printers[p].isListening());
        QVERIFY2(cups.addQueue(queue(p),
                               QStringLiteral("socket://127.0.0.1:%1").arg(printers[p].port()),
                               QStringLiteral("drv:///sample.drv/zebra.ppd")),
                 qPrintable(cups.errorString()));
    }
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("designs"))));
    int labels = 0;
    const QString written =
        writeCodeDesign(dir.filePath(QStringLiteral("labels.csv")),
                        dir.filePath(QStringLiteral("designs/labels.tx4l")), &labels);
    QVERIFY2(written.isEmpty(), qPrintable(written));
    QCOMPARE(labels, 3);

    // An empty configuration file, so a configuration of this machine has no say.
    QFile config(dir.filePath(QStringLiteral("service.conf")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.close();
    QString error;
    for (QString *token : {&adminToken, &printToken}) {
        const bool admin = token == &adminToken;
        *token = addToken(dir.filePath(QStringLiteral("tokens")), config.fileName(),
                          admin ? QStringLiteral("operator") : QStringLiteral("warehouse"),
                          admin ? QStringLiteral("admin") : QStringLiteral("print"), &error);
        QVERIFY2(!token->isEmpty(), qPrintable(error));
    }
}

void TestCluster::init()
{
    // A database of its own for each test, so lists hold only its jobs.
    database = QString::fromLatin1(QTest::currentTestFunction()).toLower();
    QVERIFY2(pg.createDatabase(database), qPrintable(pg.errorString()));
    for (JobListener &printer : printers)
        printer.clear();
}

void TestCluster::cleanup()
{
    if (QTest::currentTestFailed())
        showLogs();
    instances.clear();
    if (!pg.isRunning())
        QVERIFY2(pg.start(), qPrintable(pg.errorString()));
    cups.runTool(QStringLiteral("cancel"), {QStringLiteral("-a")});
}

// Three instances on this test's database, started together as the
// machines of a cluster may be; an empty string once all listen.
QString TestCluster::startInstances()
{
    instances.clear();
    ++starts;
    for (int i = 0; i < Instances; ++i) {
        instances.push_back(std::make_unique<ServiceInstance>(QStringLiteral("node-%1").arg(i)));
        const QString why = instances.back()->launch(
            {QStringLiteral("--config"), dir.filePath(QStringLiteral("service.conf")),
             QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--tokens"),
             dir.filePath(QStringLiteral("tokens")), QStringLiteral("--designs"),
             dir.filePath(QStringLiteral("designs")), QStringLiteral("--journal"), pg.uri(database),
             QStringLiteral("--lease-seconds"), QString::number(LeaseSeconds),
             QStringLiteral("--retry-max"), QStringLiteral("2"), QStringLiteral("--instance"),
             instances.back()->name},
            dir.filePath(QStringLiteral("%1-%2.log").arg(instances.back()->name).arg(starts)));
        if (!why.isEmpty())
            return why;
    }
    for (const auto &instance : instances) {
        const QString why = instance->waitUntilListening(60000);
        if (!why.isEmpty())
            return why;
        const Reply health = instance->call("GET", "/v1/health", {});
        if (health.status != 200)
            return instance->name + QStringLiteral(" health: ") + health.describe();
    }
    return QString();
}

void TestCluster::showLogs() const
{
    for (const auto &instance : instances)
        qInfo("--- %s:\n%s", qPrintable(instance->name), qPrintable(instance->log(20000)));
}

Reply TestCluster::post(int instance, const QJsonObject &body, int timeoutMs)
{
    return instances.at(size_t(instance))
        ->call("POST", "/v1/jobs", bearer(printToken), compact(body), timeoutMs);
}

QMap<QString, QJsonObject> TestCluster::listJobs(int instance)
{
    QMap<QString, QJsonObject> jobs;
    const Reply reply =
        instances.at(size_t(instance))->call("GET", "/v1/jobs?limit=1000", bearer(adminToken));
    for (const QJsonValue &v : reply.json().value(QLatin1String("jobs")).toArray())
        jobs.insert(v.toObject().value(QLatin1String("id")).toString(), v.toObject());
    return jobs;
}

QMap<QString, QJsonObject> TestCluster::waitForEnds(int instance, int count, int timeoutMs)
{
    QMap<QString, QJsonObject> jobs;
    waitUntil(
        [&] {
            jobs = listJobs(instance);
            if (jobs.size() < count)
                return false;
            for (const QJsonObject &job : qAsConst(jobs))
                if (!Ends.contains(stateOf(job)))
                    return false;
            return true;
        },
        timeoutMs, 1000);
    return jobs;
}

QSet<QString> TestCluster::drivenBy(int instance, bool *known)
{
    QSet<QString> driven;
    if (known)
        *known = false;
    const Reply reply =
        instances.at(size_t(instance))->call("GET", "/v1/printers", bearer(printToken), {}, 5000);
    for (const QJsonValue &v : reply.json().value(QLatin1String("printers")).toArray()) {
        const QJsonObject printer = v.toObject();
        if (known && printer.contains(QLatin1String("driven")))
            *known = true;
        if (printer.value(QLatin1String("driven")).toBool())
            driven.insert(printer.value(QLatin1String("name")).toString());
    }
    return driven;
}

QStringList TestCluster::received(int printer) const
{
    return codesOf(printers[printer].jobs());
}

QString TestCluster::notCompleted(const QMap<QString, QJsonObject> &jobs)
{
    QStringList out;
    for (const QJsonObject &job : jobs) {
        if (stateOf(job) == QLatin1String("completed"))
            continue;
        out << QStringLiteral("%1 %2 (CUPS job %3, instance \"%4\")")
                   .arg(job.value(QLatin1String("idempotencyKey")).toString(), stateOf(job))
                   .arg(job.value(QLatin1String("cupsJobId")).toInt())
                   .arg(job.value(QLatin1String("instance")).toString());
        if (out.size() == 1)
            qInfo("%s", compact(job).constData());
    }
    return out.isEmpty() ? QString()
                         : QStringLiteral("%1 jobs not completed: ").arg(out.size()) +
                               out.mid(0, 8).join(QStringLiteral(", "));
}

QString TestCluster::differs(int printer, const QStringList &expected) const
{
    const QStringList got = received(printer);
    if (got == expected)
        return QString();
    qInfo("%s received %s", qPrintable(queue(printer)), qPrintable(got.join(QLatin1Char(' '))));
    int at = 0;
    while (at < got.size() && at < expected.size() && got.at(at) == expected.at(at))
        ++at;
    return QStringLiteral("%1 received %2 labels; at %3: %4 where %5 was expected")
        .arg(queue(printer))
        .arg(got.size())
        .arg(at + 1)
        .arg(got.value(at, QStringLiteral("nothing")),
             expected.value(at, QStringLiteral("nothing")));
}

namespace {

// The journal of the first released service, as it made its file.
const char *const FirstSchema[] = {
    "CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL)",
    "CREATE TABLE jobs(seq INTEGER PRIMARY KEY AUTOINCREMENT, id TEXT NOT NULL UNIQUE,"
    " owner TEXT NOT NULL, idem_key TEXT, request_hash BLOB NOT NULL, request BLOB NOT NULL,"
    " design TEXT NOT NULL, printer TEXT NOT NULL, state TEXT NOT NULL,"
    " labels INTEGER NOT NULL DEFAULT -1, printed INTEGER NOT NULL DEFAULT 0,"
    " copies INTEGER NOT NULL DEFAULT 1, error TEXT, waiting_reason TEXT, problems TEXT,"
    " cups_job INTEGER NOT NULL DEFAULT 0, send_started INTEGER NOT NULL DEFAULT 0,"
    " reprint_of TEXT, created_at INTEGER NOT NULL, updated_at INTEGER NOT NULL)",
    "CREATE UNIQUE INDEX jobs_idem ON jobs(owner, idem_key) WHERE idem_key IS NOT NULL",
    "CREATE INDEX jobs_state ON jobs(state, seq)",
    "CREATE TABLE events(job_seq INTEGER NOT NULL, state TEXT NOT NULL, at INTEGER NOT NULL,"
    " detail TEXT)",
    "CREATE INDEX events_job ON events(job_seq)",
    "INSERT INTO meta VALUES ('schema', '1')",
    "INSERT INTO jobs(id, owner, request_hash, request, design, printer, state, created_at,"
    " updated_at) VALUES ('j-old', 'warehouse', x'00', '{}', 'labels', 'Zebra_1', 'queued', 1, 1)",
};

bool runSqlite(const QString &file, const QStringList &statements)
{
    sqlite3 *db = nullptr;
    bool ok = sqlite3_open(file.toUtf8().constData(), &db) == SQLITE_OK;
    for (const QString &sql : statements)
        ok = ok && sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

} // namespace

// The journal itself: a file of the first schema is carried over with its
// jobs; one of a newer server is refused; on PostgreSQL, services asking
// for a printer at the same moment get it one at a time, and a job is sent
// only by the service that holds its printer.
void TestCluster::journalLeasesAndSchema()
{
    using server::Journal;
    const QString file = dir.filePath(QStringLiteral("first.sqlite"));
    QStringList first;
    for (const char *sql : FirstSchema)
        first << QString::fromLatin1(sql);
    QVERIFY(runSqlite(file, first));
    QString error;
    {
        Journal journal;
        QVERIFY2(journal.open(file, &error), qPrintable(error));
        QCOMPARE(journal.lease(QStringLiteral("Zebra_1"), QStringLiteral("a"), 60000),
                 Journal::Lease::Taken);
        const std::optional<server::JobRecord> job =
            journal.claimNext(QStringLiteral("Zebra_1"), QStringLiteral("a"));
        QVERIFY(job);
        QCOMPARE(job->id, QStringLiteral("j-old"));
        QVERIFY(journal.markSending(*job, QStringLiteral("a"), 1, 1000));
    }
    {
        Journal journal;
        QVERIFY2(journal.open(file, &error), qPrintable(error));
        const std::optional<server::JobRecord> job = journal.job(QStringLiteral("j-old"));
        QVERIFY(job);
        QCOMPARE(job->sentBy, QStringLiteral("a"));
        QVERIFY(job->sendStarted);
    }
    QVERIFY(runSqlite(file, {QStringLiteral("UPDATE meta SET value = '3' WHERE key = 'schema'")}));
    {
        Journal journal;
        QVERIFY(!journal.open(file, &error));
        QVERIFY2(error.contains(QLatin1String("newer server")), qPrintable(error));
    }

    constexpr int Services = 6;
    std::vector<std::unique_ptr<Journal>> journals;
    for (int i = 0; i < Services; ++i) {
        journals.push_back(std::make_unique<Journal>());
        QVERIFY2(journals.back()->open(pg.uri(database), &error), qPrintable(error));
    }
    // Rounds of all asking at once for a printer nobody holds: one gets it.
    for (int round = 0; round < 20; ++round) {
        const QString printer = QStringLiteral("P%1").arg(round);
        std::atomic<int> ready{0};
        std::vector<Journal::Lease> got(Services);
        std::vector<std::thread> threads;
        for (int i = 0; i < Services; ++i)
            threads.emplace_back([&, i] {
                ++ready;
                while (ready < Services)
                    std::this_thread::yield();
                got[size_t(i)] = journals[size_t(i)]->lease(
                    printer, QStringLiteral("s%1").arg(i), 60000);
            });
        for (std::thread &t : threads)
            t.join();
        QCOMPARE(int(std::count(got.begin(), got.end(), Journal::Lease::Taken)), 1);
        QCOMPARE(int(std::count(got.begin(), got.end(), Journal::Lease::Lost)), Services - 1);
    }
    // A job of a printer another holds is neither claimed nor sent; once
    // that lease has run out it is the new holder's, and the old one's
    // claim no longer lets it send.
    Journal &a = *journals[0];
    Journal &b = *journals[1];
    server::JobRecord job;
    job.id = QStringLiteral("j-lease");
    job.owner = QStringLiteral("warehouse");
    job.requestHash = "h";
    job.request = "{}";
    job.design = QStringLiteral("labels");
    job.printer = QStringLiteral("Zebra_9");
    QCOMPARE(a.accept(&job), Journal::Accepted::Created);
    QCOMPARE(a.lease(job.printer, QStringLiteral("a"), 1500), Journal::Lease::Taken);
    QCOMPARE(b.lease(job.printer, QStringLiteral("b"), 1500), Journal::Lease::Lost);
    QVERIFY(!b.claimNext(job.printer, QStringLiteral("b")));
    const std::optional<server::JobRecord> claimed = a.claimNext(job.printer, QStringLiteral("a"));
    QVERIFY(claimed);
    // Too little of the lease left to begin sending.
    QVERIFY(!a.markSending(*claimed, QStringLiteral("a"), 1, 60000));
    QThread::msleep(1600);
    QString previous;
    QCOMPARE(b.lease(job.printer, QStringLiteral("b"), 60000, &previous), Journal::Lease::Taken);
    QCOMPARE(previous, QStringLiteral("a"));
    QCOMPARE(a.lease(job.printer, QStringLiteral("a"), 60000), Journal::Lease::Lost);
    QVERIFY(!a.markSending(*claimed, QStringLiteral("a"), 1, 0));
    // The new holder puts the old one's claim back and claims it itself;
    // from then on the old holder's word on it counts for nothing.
    QVERIFY(!b.markSending(*claimed, QStringLiteral("b"), 1, 1000));
    server::Change back;
    back.state = server::state::Queued;
    QVERIFY(b.transition(job.id, {server::state::Rendering}, back));
    const std::optional<server::JobRecord> again = b.claimNext(job.printer, QStringLiteral("b"));
    QVERIFY(again && again->id == job.id);
    QVERIFY(!a.transition(job.id, {server::state::Rendering}, back, false, QStringLiteral("a")));
    QVERIFY(b.markSending(*again, QStringLiteral("b"), 1, 1000));
    QCOMPARE(a.job(job.id)->sentBy, QStringLiteral("b"));
    QCOMPARE(a.job(job.id)->state, server::state::Rendering);
    QVERIFY(!a.release(job.printer, QStringLiteral("a")));
    QVERIFY(!b.release(job.printer, QStringLiteral("b"), true));
    QVERIFY(b.release(job.printer, QStringLiteral("b")));

    // A claim whose answer was lost (the database went away as it
    // committed) is the holder's to claim again, ahead of later jobs; once
    // its sending began, it is not.
    QStringList ids;
    for (int n = 0; n < 2; ++n) {
        server::JobRecord next = job;
        next.id = QStringLiteral("j-lost-%1").arg(n);
        next.printer = QStringLiteral("Zebra_8");
        QCOMPARE(a.accept(&next), Journal::Accepted::Created);
        ids << next.id;
    }
    QCOMPARE(a.lease(QStringLiteral("Zebra_8"), QStringLiteral("a"), 60000), Journal::Lease::Taken);
    QCOMPARE(a.claimNext(QStringLiteral("Zebra_8"), QStringLiteral("a"))->id, ids[0]);
    QVERIFY(!b.claimNext(QStringLiteral("Zebra_8"), QStringLiteral("b")));
    const std::optional<server::JobRecord> reclaimed =
        a.claimNext(QStringLiteral("Zebra_8"), QStringLiteral("a"));
    QVERIFY(reclaimed && reclaimed->id == ids[0]);
    QCOMPARE(reclaimed->state, server::state::Rendering);
    QVERIFY(a.markSending(*reclaimed, QStringLiteral("a"), 1, 1000));
    QCOMPARE(a.claimNext(QStringLiteral("Zebra_8"), QStringLiteral("a"))->id, ids[1]);
    QVERIFY(a.job(ids[0])->sendStarted);
    QCOMPARE(a.job(ids[0])->state, server::state::Rendering);
}

// 600 one-label jobs, one client a printer posting its jobs in order, each
// job to the next instance in turn: every job prints once, in order per
// printer; every instance lists the same jobs; a key used at one instance
// gives the same job at another.
void TestCluster::sharesJobsAcrossInstances()
{
    constexpr int PerPrinter = 150;
    constexpr int Jobs = PerPrinter * Printers;
    const QString why = startInstances();
    QVERIFY2(why.isEmpty(), qPrintable(why));
    QElapsedTimer clock;
    clock.start();

    // ids[p][n - 1] and the instance that acknowledged it.
    std::vector<std::vector<std::pair<QString, int>>> ids(Printers);
    std::vector<QString> failures(Printers);
    std::vector<std::thread> clients;
    for (int p = 0; p < Printers; ++p) {
        clients.emplace_back([&, p] {
            for (int n = 1; n <= PerPrinter; ++n) {
                const int instance = ((n - 1) * Printers + p) % Instances;
                const QString c = code("P", p, n);
                const Reply r = post(instance, jobBody(queue(p), {c}, c));
                if (r.status != 202) {
                    failures[size_t(p)] =
                        QStringLiteral("%1 at node-%2: %3").arg(c).arg(instance).arg(r.describe());
                    return;
                }
                ids[size_t(p)].emplace_back(idOf(r), instance);
            }
        });
    }
    for (std::thread &client : clients)
        client.join();
    for (const QString &failure : failures)
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    const qint64 acceptedAfter = clock.elapsed();

    const QMap<QString, QJsonObject> jobs = waitForEnds(0, Jobs, 100000);
    QCOMPARE(jobs.size(), Jobs);
    const QString unfinished = notCompleted(jobs);
    QMap<QString, int> bySender;
    for (const QJsonObject &job : jobs)
        ++bySender[job.value(QLatin1String("instance")).toString()];
    QStringList senders;
    for (auto it = bySender.begin(); it != bySender.end(); ++it)
        senders << QStringLiteral("%1 %2")
                       .arg(it.key().isEmpty() ? QStringLiteral("?") : it.key())
                       .arg(it.value());
    qInfo("%d jobs accepted after %.1f s, all completed after %.1f s; sent by %s", Jobs,
          acceptedAfter / 1000.0, clock.elapsed() / 1000.0, qPrintable(senders.join(", ")));

    // Each printer got its jobs once each, as one raw job each, in the order posted.
    for (int p = 0; p < Printers; ++p) {
        printers[p].waitForJobs(PerPrinter, unfinished.isEmpty() ? 30000 : 5000);
        const QString wrong = differs(p, codeRange("P", p, 1, PerPrinter));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong + QLatin1Char(' ') + unfinished));
        QCOMPARE(printers[p].jobs().size(), PerPrinter);
    }
    QVERIFY2(unfinished.isEmpty(), qPrintable(unfinished));

    // The other instances list the same jobs, field for field, and each job
    // reads the same from an instance it was not posted to.
    for (int i = 1; i < Instances; ++i)
        QVERIFY2(listJobs(i) == jobs, qPrintable(instances.at(size_t(i))->name));
    for (int p = 0; p < Printers; ++p) {
        for (int n = 1; n <= PerPrinter; n += 7) {
            const auto &posted = ids[size_t(p)][size_t(n - 1)];
            const int other = (posted.second + 1) % Instances;
            const Reply read =
                instances.at(size_t(other))
                    ->call("GET", "/v1/jobs/" + posted.first.toUtf8(), bearer(printToken));
            QVERIFY2(read.status == 200, qPrintable(read.describe()));
            QCOMPARE(read.json(), jobs.value(posted.first));
        }
    }

    // A client that lost the answer asks another instance with the same key:
    // the same job, nothing printed again; another request under that key is refused.
    for (int p = 0; p < Printers; ++p) {
        for (int n : {1, PerPrinter / 2}) {
            const auto &posted = ids[size_t(p)][size_t(n - 1)];
            const QString c = code("P", p, n);
            const Reply again = post((posted.second + 1) % Instances, jobBody(queue(p), {c}, c));
            QVERIFY2(again.status == 202, qPrintable(again.describe()));
            QCOMPARE(idOf(again), posted.first);
            QCOMPARE(again.headers.value("idempotent-replayed"), QByteArray("true"));
            const Reply conflict =
                post((posted.second + 2) % Instances, jobBody(queue(p), {c + QLatin1Char('x')}, c));
            QVERIFY2(conflict.status == 409, qPrintable(conflict.describe()));
            QCOMPARE(conflict.code(), QStringLiteral("idempotency_conflict"));
        }
    }
    QThread::sleep(3);
    for (int p = 0; p < Printers; ++p)
        QCOMPARE(printers[p].jobs().size(), PerPrinter);
    QCOMPARE(listJobs(0).size(), Jobs);
}

// 240 jobs posted over the instances while they print; one instance that
// drives printers is killed (kill -9) in the middle, and the last quarter of
// the jobs is posted after that, so every printer has work. The others take
// its printers over within a few lease times, every acknowledged job ends
// printed or interrupted, and no label prints twice but those of
// interrupted jobs, which an operator reprints.
void TestCluster::takesOverFromAKilledInstance()
{
    constexpr int PerPrinter = 60;
    constexpr int Jobs = PerPrinter * Printers;
    const QString why = startInstances();
    QVERIFY2(why.isEmpty(), qPrintable(why));

    // One client posting job after job; a request to an instance that is
    // gone, or cut off by the kill, goes to the next instance with the same key.
    std::atomic<int> dead{-1};
    std::atomic<bool> stopping{false};
    const int postedAfterKill = Jobs - Jobs / 4;
    std::mutex lock;
    QMap<int, QString> acknowledged; // job number (from 0) -> id
    QString failure;
    std::thread client([&] {
        for (int g = 0; g < Jobs && !stopping; ++g) {
            for (int i = 0; g == postedAfterKill && dead.load() < 0 && !stopping && i < 1800; ++i)
                QThread::msleep(50);
            const int p = g % Printers;
            const QString c = code("K", p, g / Printers + 1);
            Reply last;
            for (int attempt = 0; attempt < 4 * Instances; ++attempt) {
                const int instance = (g + attempt) % Instances;
                if (instance == dead.load())
                    continue;
                last = post(instance, jobBody(queue(p), {c}, c), 15000);
                if (last.status == 202 || (last.status != 0 && last.status != 503))
                    break;
                QThread::msleep(200);
            }
            std::lock_guard<std::mutex> guard(lock);
            if (last.status != 202) {
                failure = c + QStringLiteral(": ") + last.describe();
                return;
            }
            acknowledged.insert(g, idOf(last));
        }
    });
    // A failed check ends the client too.
    struct Join
    {
        std::thread &thread;
        std::atomic<bool> &stopping;
        ~Join()
        {
            stopping = true;
            if (thread.joinable())
                thread.join();
        }
    } join{client, stopping};

    const auto printedJobs = [&] {
        int count = 0;
        for (const JobListener &printer : printers)
            count += printer.jobs().size();
        return count;
    };
    const auto clientFailed = [&] {
        std::lock_guard<std::mutex> guard(lock);
        return failure;
    };
    QVERIFY2(
        waitUntil([&] { return printedJobs() >= Jobs / 4 || !clientFailed().isEmpty(); }, 90000),
        "fewer than a quarter of the jobs printed");
    QVERIFY2(clientFailed().isEmpty(), qPrintable(clientFailed()));

    // The victim: the instance that drives the most printers (node-0 when
    // the instances do not say).
    int victim = 0;
    bool known = false;
    QSet<QString> victimPrinters;
    waitUntil(
        [&] {
            for (int i = 0; i < Instances; ++i) {
                bool says = false;
                const QSet<QString> driven = drivenBy(i, &says);
                known = known || says;
                if (driven.size() > victimPrinters.size()) {
                    victim = i;
                    victimPrinters = driven;
                }
            }
            return !known || !victimPrinters.isEmpty();
        },
        5000, 200);
    instances.at(size_t(victim))->kill();
    dead = victim;
    QElapsedTimer sinceKill;
    sinceKill.start();
    const int printedAtKill = printedJobs();

    // Its printers are driven by the others once its lease has run out (or
    // have printed all their jobs, which takes that too).
    const int survivor = (victim + 1) % Instances;
    if (known) {
        QVERIFY2(!victimPrinters.isEmpty(),
                 "no instance says it drives a printer while they print");
        QSet<QString> taken;
        const auto takenOver = [&](const QString &printer) {
            for (int i = 0; i < Instances; ++i)
                if (i != victim && drivenBy(i).contains(printer))
                    return true;
            const Reply list = instances.at(size_t(survivor))
                                   ->call("GET", "/v1/jobs?limit=1000&printer=" + printer.toUtf8(),
                                          bearer(adminToken));
            const QJsonArray jobs = list.json().value(QLatin1String("jobs")).toArray();
            for (const QJsonValue &job : jobs)
                if (!Ends.contains(stateOf(job.toObject())))
                    return false;
            return list.status == 200 && jobs.size() == PerPrinter;
        };
        QVERIFY2(waitUntil(
                     [&] {
                         for (const QString &printer : victimPrinters)
                             if (!taken.contains(printer) && takenOver(printer))
                                 taken.insert(printer);
                         return taken == victimPrinters;
                     },
                     8 * LeaseSeconds * 1000, 200),
                 qPrintable(QStringLiteral("the printers of node-%1 are not taken over %2 s "
                                           "after it was killed")
                                .arg(victim)
                                .arg(sinceKill.elapsed() / 1000)));
        qInfo("node-%d killed while driving %d printers (%d jobs printed); taken over after %.1f s",
              victim, int(victimPrinters.size()), printedAtKill, sinceKill.elapsed() / 1000.0);
    } else {
        qInfo("the instances do not say which printers they drive; node-0 killed");
    }

    client.join();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(acknowledged.size(), Jobs);
    QCOMPARE(QSet<QString>(acknowledged.begin(), acknowledged.end()).size(), Jobs);

    QMap<QString, QJsonObject> jobs = waitForEnds(survivor, Jobs, 60000);
    QSet<int> interrupted;
    QStringList reprints;
    for (auto it = acknowledged.begin(); it != acknowledged.end(); ++it) {
        QVERIFY2(jobs.contains(it.value()),
                 qPrintable(QStringLiteral("job %1 (%2) lost").arg(it.key()).arg(it.value())));
        const QJsonObject job = jobs.value(it.value());
        const QString state = stateOf(job);
        QVERIFY2(state == QLatin1String("completed") || state == QLatin1String("interrupted"),
                 qPrintable(compact(job)));
        if (state == QLatin1String("interrupted")) {
            interrupted.insert(it.key());
            const Reply r = instances.at(size_t(survivor))
                                ->call("POST", "/v1/jobs/" + it.value().toUtf8() + "/reprint",
                                       bearer(adminToken));
            QVERIFY2(r.status == 202, qPrintable(r.describe()));
            QCOMPARE(r.json().value(QLatin1String("reprintOf")).toString(), it.value());
            reprints << idOf(r);
        }
    }
    jobs = waitForEnds(survivor, Jobs + reprints.size(), 30000);
    for (const QString &id : qAsConst(reprints))
        QVERIFY2(stateOf(jobs.value(id)) == QLatin1String("completed"),
                 qPrintable(compact(jobs.value(id))));
    QStringList interruptedCodes;
    for (int g : qAsConst(interrupted))
        interruptedCodes << code("K", g % Printers, g / Printers + 1);
    interruptedCodes.sort();
    qInfo("%d jobs, %d interrupted and reprinted (%s), all ended %.1f s after the kill", Jobs,
          int(interrupted.size()), qPrintable(interruptedCodes.join(QLatin1Char(' '))),
          sinceKill.elapsed() / 1000.0);

    // Every label once, those of interrupted jobs once or twice, nothing else;
    // each printer's other labels in the order posted.
    QMap<QString, int> counts;
    const auto count = [&] {
        counts.clear();
        for (int p = 0; p < Printers; ++p)
            for (const QString &c : received(p))
                ++counts[c];
        for (int g = 0; g < Jobs; ++g)
            if (!counts.contains(code("K", g % Printers, g / Printers + 1)))
                return false;
        return true;
    };
    QVERIFY2(waitUntil(count, 30000, 500), "labels of completed jobs did not reach the printers");
    for (int g = 0; g < Jobs; ++g) {
        const QString c = code("K", g % Printers, g / Printers + 1);
        const int times = counts.take(c);
        if (interrupted.contains(g))
            QVERIFY2(times >= 1 && times <= 2,
                     qPrintable(QStringLiteral("%1: %2").arg(c).arg(times)));
        else
            QVERIFY2(times == 1,
                     qPrintable(QStringLiteral("%1 printed %2 times").arg(c).arg(times)));
    }
    QVERIFY2(counts.isEmpty(), qPrintable(QStringList(counts.keys()).join(QLatin1Char(' '))));
    for (int p = 0; p < Printers; ++p) {
        int last = 0;
        for (const QString &c : received(p)) {
            const int n = c.section(QLatin1Char('-'), 1).toInt();
            if (interrupted.contains((n - 1) * Printers + p))
                continue;
            QVERIFY2(n > last,
                     qPrintable(queue(p) + QStringLiteral(": %1 after %2").arg(n).arg(last)));
            last = n;
        }
    }
    // Only a job the killed instance was sending can have been cut off.
    QVERIFY2(interrupted.size() <= (known ? victimPrinters.size() : Printers),
             qPrintable(QStringLiteral("%1 jobs interrupted, node-%2 drove %3 printers")
                            .arg(interrupted.size())
                            .arg(victim)
                            .arg(victimPrinters.size())));
}

// The database stopped for ten seconds: meanwhile every instance refuses
// jobs with 503 and says it is unavailable; once it is back they go on by
// themselves, and the jobs from before and after print once each, in order.
// An instance killed while sending and started again under its name at
// once, before its lease ran out: the job it was sending is interrupted, not
// left half-done, and its printer prints on.
void TestCluster::comesBackUnderItsName()
{
    QString why = startInstances();
    QVERIFY2(why.isEmpty(), qPrintable(why));
    instances.clear();
    // As a kill leaves it: node-0 holds the printer for another minute, and
    // its job is marked as being sent.
    QVERIFY2(pg.runSql(QStringLiteral(
                           "INSERT INTO leases(printer, holder, expires) VALUES ('%1', 'node-0', "
                           "CAST(extract(epoch from clock_timestamp()) * 1000 AS BIGINT) + 60000);"
                           "INSERT INTO jobs(id, owner, request_hash, request, design, printer, "
                           "state, send_started, sent_by, created_at, updated_at) VALUES "
                           "('j-cut', 'warehouse', '\\x00', '\\x7b7d', 'labels', '%1', "
                           "'rendering', 1, 'node-0', 1, 1)")
                           .arg(queue(0)),
                       database),
             qPrintable(pg.logTail()));
    QElapsedTimer clock;
    clock.start();
    why = startInstances();
    QVERIFY2(why.isEmpty(), qPrintable(why));
    const Reply posted = post(0, jobBody(queue(0), {QStringLiteral("B-1")}));
    QCOMPARE(posted.status, 202);
    const QMap<QString, QJsonObject> jobs = waitForEnds(1, 2, 30000);
    QCOMPARE(stateOf(jobs.value(QStringLiteral("j-cut"))), QStringLiteral("interrupted"));
    QCOMPARE(stateOf(jobs.value(idOf(posted))), QStringLiteral("completed"));
    QVERIFY2(clock.elapsed() < 45000, "the printer waited for the old lease to run out");
    QVERIFY(printers[0].waitForJobs(1, 10000));
    QCOMPARE(received(0), QStringList{QStringLiteral("B-1")});
}

void TestCluster::waitsForTheDatabase()
{
    constexpr int Before = 10;
    constexpr int After = 10;
    const QString why = startInstances();
    QVERIFY2(why.isEmpty(), qPrintable(why));
    const auto postRange = [&](int from, int to) {
        for (int n = from; n <= to; ++n) {
            for (int p = 0; p < Printers; ++p) {
                const QString c = code("D", p, n);
                const Reply r =
                    post(((n - 1) * Printers + p) % Instances, jobBody(queue(p), {c}, c));
                if (r.status != 202)
                    return c + QStringLiteral(": ") + r.describe();
            }
        }
        return QString();
    };
    QString error = postRange(1, Before);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    const QString earlier = listJobs(0).firstKey();
    QVERIFY(!earlier.isEmpty());
    QVERIFY2(pg.stop(), qPrintable(pg.errorString()));
    QElapsedTimer outage;
    outage.start();
    QSet<int> unhealthy;
    int refused = 0;
    while (outage.elapsed() < 10000) {
        const int i = refused % Instances;
        const QString c = QStringLiteral("O-%1").arg(refused);
        const Reply r = post(i, jobBody(queue(refused % Printers), {c}, c), 15000);
        QVERIFY2(r.status == 503 && r.code() == QLatin1String("unavailable") &&
                     r.headers.contains("retry-after"),
                 qPrintable(QStringLiteral("node-%1 during the outage: ").arg(i) + r.describe()));
        ++refused;
        // Reads are refused too: no empty list, no job said to be missing.
        for (const QByteArray &path : {QByteArray("/v1/health"), QByteArray("/v1/jobs"),
                                       "/v1/jobs/" + earlier.toUtf8()}) {
            const Reply read = instances.at(size_t(i))->call("GET", path, bearer(adminToken), {}, 15000);
            QVERIFY2(read.status == 503,
                     qPrintable(QStringLiteral("node-%1 %2 %3 s into the outage: ")
                                    .arg(i)
                                    .arg(QString::fromUtf8(path))
                                    .arg(outage.elapsed() / 1000) +
                                read.describe()));
        }
        unhealthy.insert(i);
        QThread::msleep(250);
    }
    QCOMPARE(unhealthy.size(), Instances);

    QVERIFY2(pg.start(), qPrintable(pg.errorString()));
    QElapsedTimer back;
    back.start();
    for (const auto &instance : instances)
        QVERIFY2(
            waitUntil(
                [&] { return instance->call("GET", "/v1/health", {}, {}, 5000).status == 200; },
                60000, 250),
            qPrintable(instance->name + QStringLiteral(" unhealthy a minute after the "
                                                       "database came back")));
    qInfo("%d jobs refused in the outage; all healthy %.1f s after the database came back", refused,
          back.elapsed() / 1000.0);
    error = postRange(Before + 1, Before + After);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    const QMap<QString, QJsonObject> jobs = waitForEnds(0, (Before + After) * Printers, 60000);
    QCOMPARE(jobs.size(), (Before + After) * Printers);
    const QString unfinished = notCompleted(jobs);
    for (int p = 0; p < Printers; ++p) {
        printers[p].waitForJobs(Before + After, unfinished.isEmpty() ? 30000 : 5000);
        const QString wrong = differs(p, codeRange("D", p, 1, Before + After));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong + QLatin1Char(' ') + unfinished));
    }
    QVERIFY2(unfinished.isEmpty(), qPrintable(unfinished));
}

// The data sources a program without windows sets up itself.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    DataSourceManager dataSources;
    services::setDataSourceManager(&dataSources);
    int failed = 0;
    {
        TestCluster test;
        failed = QTest::qExec(&test, argc, argv);
    }
    services::setDataSourceManager(nullptr);
    return failed;
}

#include "tst_cluster.moc"
