// The print service as clients and operators meet it: jobs posted over HTTP
// reach a Zebra printer once each, none is lost when the service is killed,
// jobs wait for a stopped scheduler or queue and print once it is back, and
// bad requests get a status and an error code while the service goes on.

#include "cupstestserver.h"
#include "datasourcemanager.h"
#include "services.h"
#include "servicetestutil.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const QString QueueA = QStringLiteral("Zebra_A");
const QString QueueB = QStringLiteral("Zebra_B");
const QByteArray Design = "labels";

using namespace servicetest;

} // namespace

class TestServer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void printsEachRowOnce();
    void badRequests_data();
    void badRequests();
    void waitsForTheScheduler();
    void stoppedQueueWaitsWhileOthersPrint();
    void killedServiceLosesNoJob();

private:
    QString startService(const QStringList &options);
    void stopService();
    QString serviceLog() const;
    QString addToken(const QString &name, const QString &scope, QString *error);
    Reply call(const QByteArray &method, const QByteArray &path, const QByteArray &authorization,
               const QByteArray &body = {}, int timeoutMs = 20000);
    QJsonObject job(const QString &id);
    // The job once it is in one of `states` (or as last seen); the states
    // it went through are added to *seen.
    QJsonObject waitForJob(const QString &id, const QStringList &states, int timeoutMs,
                           QStringList *seen = nullptr);
    QJsonArray allJobs();

    QTemporaryDir dir;
    // Declared before the scheduler, which sends to it until it stops.
    JobListener printerB;
    CupsTestServer cups;
    std::unique_ptr<ServiceProcess> service;
    QStringList serviceOptions;
    QString logFile;
    int starts = 0;
    quint16 port = 0;
    QString journal;
    QString adminToken;
    QString printToken;
    QString badJob;
};

void TestServer::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY2(QFile::exists(QStringLiteral(TAGORIX_BIN_DIR "/tagorix-server")),
             "the service program is not built");
    QVERIFY2(cups.start(), qPrintable(cups.errorString()));
    QVERIFY2(cups.addZebraQueue(QueueA), qPrintable(cups.errorString()));
    QVERIFY(printerB.isListening());
    QVERIFY2(cups.addQueue(QueueB, QStringLiteral("socket://127.0.0.1:%1").arg(printerB.port()),
                           QStringLiteral("drv:///sample.drv/zebra.ppd")),
             qPrintable(cups.errorString()));

    // The design: a data text and a Code 128 of the same column of its only
    // data file, one label a row.
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("designs"))));
    int labels = 0;
    const QString written = writeCodeDesign(
        dir.filePath(QStringLiteral("labels.csv")),
        dir.filePath(QStringLiteral("designs/%1.tx4l").arg(QString::fromLatin1(Design))), &labels);
    QVERIFY2(written.isEmpty(), qPrintable(written));
    QCOMPARE(labels, 3);

    // An empty configuration file, so a configuration of this machine has no say.
    QFile config(dir.filePath(QStringLiteral("service.conf")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.close();
    QString error;
    adminToken = addToken(QStringLiteral("operator"), QStringLiteral("admin"), &error);
    QVERIFY2(!adminToken.isEmpty(), qPrintable(error));
    printToken = addToken(QStringLiteral("warehouse"), QStringLiteral("print"), &error);
    QVERIFY2(!printToken.isEmpty(), qPrintable(error));
    QVERIFY(adminToken != printToken);
    QFile tokens(dir.filePath(QStringLiteral("tokens")));
    QVERIFY(tokens.open(QIODevice::ReadOnly));
    const QByteArray stored = tokens.readAll();
    QVERIFY2(!stored.contains(adminToken.toUtf8()) && !stored.contains(printToken.toUtf8()),
             "the token file holds a token itself");
}

void TestServer::cleanupTestCase()
{
    stopService();
}

void TestServer::init()
{
    journal = dir.filePath(QStringLiteral("%1.sqlite").arg(QTest::currentTestFunction()));
    cups.listener().clear();
    printerB.clear();
}

void TestServer::cleanup()
{
    // The rows of the bad requests share one service; the next test or the
    // end stops it.
    if (qstrcmp(QTest::currentTestFunction(), "badRequests") == 0 && !QTest::currentTestFailed())
        return;
    stopService();
    // What a test left behind must not reach the next one.
    if (!cups.isRunning())
        QVERIFY2(cups.restart(), qPrintable(cups.errorString()));
    for (const QString &queue : {QueueA, QueueB}) {
        cups.runTool(QStringLiteral("cupsenable"), {queue});
        cups.runTool(QStringLiteral("cupsaccept"), {queue});
    }
    cups.runTool(QStringLiteral("cancel"), {QStringLiteral("-a")});
}

QString TestServer::addToken(const QString &name, const QString &scope, QString *error)
{
    return servicetest::addToken(dir.filePath(QStringLiteral("tokens")),
                                 dir.filePath(QStringLiteral("service.conf")), name, scope, error);
}

// Starts the service on a free port of 127.0.0.1 with this test's journal;
// an empty string once it said where it listens, else why not.
QString TestServer::startService(const QStringList &options)
{
    stopService();
    service = std::make_unique<ServiceProcess>();
    // The environment holds CUPS_SERVER: the service prints through the private scheduler.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    service->setProcessEnvironment(env);
    // Output into a file: a pipe nobody reads would stop a talkative service.
    logFile = dir.filePath(QStringLiteral("service-%1.log").arg(++starts));
    service->setStandardOutputFile(logFile, QIODevice::Append);
    service->setStandardErrorFile(logFile, QIODevice::Append);
    service->start(QStringLiteral(TAGORIX_BIN_DIR "/tagorix-server"),
                   QStringList{QStringLiteral("--config"),
                               dir.filePath(QStringLiteral("service.conf")),
                               QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"),
                               QStringLiteral("--tokens"), dir.filePath(QStringLiteral("tokens")),
                               QStringLiteral("--designs"), dir.filePath(QStringLiteral("designs")),
                               QStringLiteral("--journal"), journal} +
                       options);
    serviceOptions = options;
    if (!service->waitForStarted(10000))
        return QStringLiteral("cannot start the service: ") + service->errorString();
    const QRegularExpression ready(QStringLiteral("^listening on http://127\\.0\\.0\\.1:(\\d+)$"),
                                   QRegularExpression::MultilineOption);
    port = 0;
    waitUntil(
        [&] {
            const QRegularExpressionMatch m = ready.match(serviceLog());
            if (m.hasMatch())
                port = quint16(m.captured(1).toUInt());
            return port != 0 || service->state() != QProcess::Running;
        },
        60000);
    if (port == 0)
        return QStringLiteral("the service did not say where it listens: ") + serviceLog();
    return QString();
}

void TestServer::stopService()
{
    if (!service)
        return;
    service->kill();
    service->waitForFinished(10000);
    service.reset();
    port = 0;
}

QString TestServer::serviceLog() const
{
    QFile log(logFile);
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll().right(4000)) : QString();
}

Reply TestServer::call(const QByteArray &method, const QByteArray &path,
                       const QByteArray &authorization, const QByteArray &body, int timeoutMs)
{
    return exchange(port, requestBytes(method, path, port, authorization, body), timeoutMs);
}

QJsonObject TestServer::job(const QString &id)
{
    return call("GET", "/v1/jobs/" + id.toUtf8(), bearer(adminToken)).json();
}

QJsonObject TestServer::waitForJob(const QString &id, const QStringList &states, int timeoutMs,
                                   QStringList *seen)
{
    QJsonObject last;
    waitUntil(
        [&] {
            last = job(id);
            const QString state = stateOf(last);
            if (seen && (seen->isEmpty() || seen->last() != state))
                *seen << state;
            return states.contains(state);
        },
        timeoutMs, 50);
    return last;
}

QJsonArray TestServer::allJobs()
{
    return call("GET", "/v1/jobs?limit=1000", bearer(adminToken))
        .json()
        .value(QLatin1String("jobs"))
        .toArray();
}

// 25 rows to a Zebra queue: the job goes through the printer's states, every
// row is a label whose code reads back as its row, and asking again with the
// same key prints nothing more.
void TestServer::printsEachRowOnce()
{
    const QString why = startService({});
    QVERIFY2(why.isEmpty(), qPrintable(why));

    // What a client sees before it posts: the design's columns and the queue's language.
    const QJsonArray designs = call("GET", "/v1/designs", bearer(printToken))
                                   .json()
                                   .value(QLatin1String("designs"))
                                   .toArray();
    QJsonObject design;
    for (const QJsonValue &d : designs)
        if (d.toObject().value(QLatin1String("name")).toString() == QLatin1String(Design))
            design = d.toObject();
    QVERIFY2(!design.isEmpty(), "the design is not listed");
    const QJsonArray sources = design.value(QLatin1String("sources")).toArray();
    QCOMPARE(sources.size(), 1);
    QCOMPARE(sources.first().toObject().value(QLatin1String("columns")).toArray(),
             QJsonArray{QStringLiteral("code")});
    const QJsonArray printers = call("GET", "/v1/printers", bearer(printToken))
                                    .json()
                                    .value(QLatin1String("printers"))
                                    .toArray();
    bool zpl = false;
    for (const QJsonValue &p : printers) {
        const QJsonObject printer = p.toObject();
        if (printer.value(QLatin1String("name")).toString() == QueueA)
            zpl = printer.value(QLatin1String("language")).toString() == QLatin1String("zpl");
    }
    QVERIFY2(zpl, "the Zebra queue is not listed as a ZPL printer");

    QStringList codes;
    for (int i = 1; i <= 25; ++i)
        codes << QStringLiteral("F-%1").arg(i, 2, 10, QLatin1Char('0'));
    const QByteArray body = compact(jobBody(QueueA, codes, QStringLiteral("flow-1")));
    const Reply posted = call("POST", "/v1/jobs", bearer(printToken), body);
    QVERIFY2(posted.status == 202, qPrintable(posted.describe()));
    const QString id = idOf(posted);
    QVERIFY2(id.startsWith(QLatin1String("j-")), qPrintable(posted.describe()));

    QStringList seen;
    const QJsonObject done =
        waitForJob(id, {QStringLiteral("completed"), QStringLiteral("failed")}, 120000, &seen);
    QVERIFY2(stateOf(done) == QLatin1String("completed"),
             qPrintable(seen.join(QLatin1String(" > ")) + QLatin1Char(' ') + compact(done)));
    const QJsonObject times = done.value(QLatin1String("times")).toObject();
    QVERIFY2(seen.contains(QLatin1String("sent")) || times.contains(QLatin1String("sent")),
             qPrintable(seen.join(QLatin1String(" > "))));
    QCOMPARE(done.value(QLatin1String("labels")).toInt(), 25);
    QCOMPARE(done.value(QLatin1String("printed")).toInt(), 25);
    QVERIFY(done.value(QLatin1String("cupsJobId")).toInt() > 0);

    // One raw job of 25 labels.
    QVERIFY(cups.listener().waitForJobs(1, 30000));
    QCOMPARE(cups.listener().jobs().size(), 1);
    QCOMPARE(codesOf(cups.listener().jobs()), codes);

    // A client that lost the answer asks again: the same job, nothing printed again.
    const Reply again = call("POST", "/v1/jobs", bearer(printToken), body);
    QVERIFY2(again.status == 202, qPrintable(again.describe()));
    QCOMPARE(idOf(again), id);
    QCOMPARE(again.headers.value("idempotent-replayed"), QByteArray("true"));
    QVERIFY(!cups.listener().waitForJobs(2, 3000));
    QCOMPARE(cups.listener().jobs().size(), 1);

    // The same key for other rows is a client's mistake.
    codes[3] = QStringLiteral("F-99");
    const Reply conflict = call("POST", "/v1/jobs", bearer(printToken),
                                compact(jobBody(QueueA, codes, QStringLiteral("flow-1"))));
    QVERIFY2(conflict.status == 409, qPrintable(conflict.describe()));
    QCOMPARE(conflict.code(), QStringLiteral("idempotency_conflict"));
    QVERIFY(!cups.listener().waitForJobs(2, 1000));
}

void TestServer::badRequests_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QByteArray>("path");
    // admin, print, wrong (an unknown token), none, or a whole header value.
    QTest::addColumn<QByteArray>("auth");
    // The body; "@big" over the limit, "@rows" over the row limit, "@slow" a
    // client that sends part of it, a byte at a time.
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("field");
    // A header the answer must have.
    QTest::addColumn<QByteArray>("header");

    const auto job = [](const char *more) {
        return QByteArray("{\"design\":\"labels\",\"printer\":\"Zebra_A\"") + more + '}';
    };
    const auto row = [](const char *name, const QByteArray &body, int status, const char *code,
                        const char *field = "", const QByteArray &method = "POST",
                        const QByteArray &path = "/v1/jobs", const QByteArray &auth = "print",
                        const QByteArray &header = {}) {
        QTest::newRow(name) << method << path << auth << body << status << QString::fromLatin1(code)
                            << QString::fromLatin1(field) << header;
    };
    row("not json", "{\"design\":\"labels\",", 400, "bad_json");
    row("not an object", "[\"labels\"]", 400, "bad_json");
    // The JSON reader would keep the last and lose the memory of the others.
    row("a key twice", job(",\"rows\":[{\"code\":\"a\"}],\"r\\u006fws\":[{\"code\":\"b\"}]"),
        400, "bad_json");
    row("copies as text", job(",\"copies\":\"two\""), 400, "bad_type", "copies");
    row("rows not a list", job(",\"rows\":{\"code\":\"a\"}"), 400, "bad_type", "rows");
    row("cell not text", job(",\"rows\":[{\"code\":\"a\"},{\"code\":[\"b\"]}]"), 400, "bad_type",
        "rows[1].code");
    row("no design", "{\"printer\":\"Zebra_A\",\"rows\":[{\"code\":\"a\"}]}", 400, "missing_field",
        "design");
    row("design up a folder", "{\"design\":\"../x\"}", 400, "bad_design_name", "design");
    row("design in a folder", "{\"design\":\"a/b\"}", 400, "bad_design_name", "design");
    row("design empty", "{\"design\":\"\"}", 400, "bad_design_name", "design");
    row("unknown design", "{\"design\":\"no-such-design\",\"printer\":\"Zebra_A\"}", 404,
        "unknown_design", "design");
    row("unknown column", job(",\"rows\":[{\"Colour\":\"red\"}]"), 422, "unknown_column",
        "rows[0].Colour");
    row("unknown source", job(",\"sources\":{\"Foo\":[{\"code\":\"a\"}]}"), 422, "unknown_source",
        "sources.Foo");
    row("unknown printer", "{\"design\":\"labels\",\"printer\":\"Nowhere\"}", 422,
        "unknown_printer", "printer");
    row("rows and csv", job(",\"rows\":[{\"code\":\"a\"}],\"csv\":\"code\\na\\n\""), 400,
        "bad_request");
    row("no copies", job(",\"copies\":0"), 422, "bad_value", "copies");
    row("copies past any count", job(",\"copies\":1e10"), 422, "bad_value", "copies");
    row("range past the labels",
        job(",\"rows\":[{\"code\":\"a\"},{\"code\":\"b\"}],\"range\":\"2-5\""), 422, "bad_value",
        "range");
    row("body over the limit", "@big", 413, "too_large");
    row("more rows than allowed", "@rows", 413, "too_many_rows", "rows");
    row("slow client", "@slow", 408, "timeout");
    row("no token", {}, 401, "unauthorized", "", "GET", "/v1/jobs", "none", "www-authenticate");
    row("not a bearer token", {}, 401, "unauthorized", "", "GET", "/v1/jobs", "Token abc");
    row("unknown token", {}, 401, "unauthorized", "", "GET", "/v1/jobs", "wrong");
    row("print token reprints", {}, 403, "forbidden", "", "POST", "/v1/jobs/{job}/reprint");
    row("unknown path", {}, 404, "not_found", "", "GET", "/v1/nothing", "admin");
    row("unknown job", {}, 404, "not_found", "", "GET", "/v1/jobs/j-none", "admin");
    row("method not allowed", {}, 405, "method_not_allowed", "", "PUT", "/v1/jobs", "admin",
        "allow");
}

// Each bad request gets its status and error code (and the field at fault),
// and the service goes on answering.
void TestServer::badRequests()
{
    QFETCH(QByteArray, method);
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, auth);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(QString, code);
    QFETCH(QString, field);
    QFETCH(QByteArray, header);

    const QStringList options{QStringLiteral("--max-body-bytes"), QStringLiteral("4096"),
                              QStringLiteral("--max-rows"),       QStringLiteral("50"),
                              QStringLiteral("--read-timeout"),   QStringLiteral("2")};
    if (!service || service->state() != QProcess::Running || serviceOptions != options) {
        const QString why = startService(options);
        QVERIFY2(why.isEmpty(), qPrintable(why));
        // A job of the print token's own, for the reprint it may not ask for.
        const Reply posted = call("POST", "/v1/jobs", bearer(printToken),
                                  compact(jobBody(QueueA, {QStringLiteral("B-1")})));
        QVERIFY2(posted.status == 202, qPrintable(posted.describe()));
        badJob = idOf(posted);
    }
    path.replace("{job}", badJob.toUtf8());
    QByteArray authorization = auth;
    if (auth == "admin")
        authorization = bearer(adminToken);
    else if (auth == "print")
        authorization = bearer(printToken);
    else if (auth == "wrong")
        authorization = bearer(QStringLiteral("0123456789abcdef0123456789abcdef"));
    else if (auth == "none")
        authorization.clear();

    Reply reply;
    if (body == "@slow") {
        // Headers and the start of a body, then a byte now and then: the
        // service must not wait for the rest longer than its read time-out.
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(socket.waitForConnected(5000));
        socket.write(requestBytes(method, path, port, authorization, "{\"design\":", 400));
        QElapsedTimer clock;
        clock.start();
        while (socket.state() == QAbstractSocket::ConnectedState && !socket.bytesAvailable() &&
               clock.elapsed() < 8000) {
            socket.write(" ");
            socket.waitForBytesWritten(100);
            socket.waitForReadyRead(400);
        }
        QVERIFY2(clock.elapsed() < 8000, "still reading a body 8 s into a 2 s read time-out");
        reply = readReply(socket, QDeadlineTimer(5000));
        // Closing without an answer is a fair end for a client this slow.
        QVERIFY2(reply.status == 408 || (reply.status == 0 && reply.closed),
                 qPrintable(reply.describe()));
        if (reply.status == 0)
            code.clear();
    } else {
        if (body == "@big")
            body = compact(jobBody(QueueA, {QString(5000, QLatin1Char('x'))}));
        if (body == "@rows") {
            QJsonArray rows;
            for (int i = 0; i < 51; ++i)
                rows.append(QJsonObject{{QStringLiteral("code"), QString::number(i)}});
            QJsonObject request = jobBody(QueueA, {});
            request.insert(QStringLiteral("rows"), rows);
            body = compact(request);
            QVERIFY(body.size() < 4096);
        }
        reply = call(method, path, authorization, body);
        QVERIFY2(reply.status == status, qPrintable(reply.describe()));
    }
    if (!code.isEmpty()) {
        QVERIFY2(reply.code() == code, qPrintable(reply.describe()));
        QVERIFY2(!reply.error().value(QLatin1String("message")).toString().isEmpty(),
                 qPrintable(reply.describe()));
        QVERIFY2(reply.headers.value("content-type").startsWith("application/json"),
                 qPrintable(reply.headers.value("content-type")));
    }
    if (!field.isEmpty())
        QVERIFY2(reply.field() == field, qPrintable(reply.describe()));
    if (!header.isEmpty())
        QVERIFY2(reply.headers.contains(header), header.constData());

    const Reply health = call("GET", "/v1/health", {});
    QVERIFY2(health.status == 200, qPrintable(health.describe() + serviceLog()));
    QCOMPARE(health.json().value(QLatin1String("status")).toString(), QStringLiteral("ok"));
}

// Jobs posted while the scheduler is down wait, saying why, and print once it is back.
void TestServer::waitsForTheScheduler()
{
    const QString why = startService({QStringLiteral("--retry-max"), QStringLiteral("2")});
    QVERIFY2(why.isEmpty(), qPrintable(why));
    cups.stop();
    QVERIFY(!cups.isRunning());

    QStringList ids;
    const QStringList codes{QStringLiteral("S-1"), QStringLiteral("S-2")};
    for (const QString &code : codes) {
        const Reply posted =
            call("POST", "/v1/jobs", bearer(printToken), compact(jobBody(QueueA, {code}, code)));
        QVERIFY2(posted.status == 202, qPrintable(posted.describe()));
        ids << idOf(posted);
    }
    for (const QString &id : qAsConst(ids)) {
        const QJsonObject waiting = waitForJob(id, {QStringLiteral("waiting")}, 30000);
        QVERIFY2(stateOf(waiting) == QLatin1String("waiting"), compact(waiting).constData());
        QVERIFY2(!waiting.value(QLatin1String("waitingReason")).toString().isEmpty(),
                 compact(waiting).constData());
    }
    QCOMPARE(call("GET", "/v1/health", {}).status, 200);
    QVERIFY(!cups.listener().waitForJobs(1, 500));

    QVERIFY2(cups.restart(), qPrintable(cups.errorString()));
    for (const QString &id : qAsConst(ids)) {
        const QJsonObject done = waitForJob(id, {QStringLiteral("completed")}, 60000);
        QVERIFY2(stateOf(done) == QLatin1String("completed"),
                 qPrintable(compact(done) + serviceLog()));
    }
    QVERIFY(cups.listener().waitForJobs(2, 30000));
    QCOMPARE(codesOf(cups.listener().jobs()), codes);
}

// A stopped queue holds its own jobs, with the reason, and no other
// printer's; enabled again, it prints them.
void TestServer::stoppedQueueWaitsWhileOthersPrint()
{
    const QString why = startService({QStringLiteral("--retry-max"), QStringLiteral("2")});
    QVERIFY2(why.isEmpty(), qPrintable(why));
    QVERIFY(cups.runTool(QStringLiteral("cupsdisable"),
                         {QStringLiteral("-r"), QStringLiteral("Out of labels"), QueueA}));

    const Reply held = call("POST", "/v1/jobs", bearer(printToken),
                            compact(jobBody(QueueA, {QStringLiteral("Q-A")})));
    QVERIFY2(held.status == 202, qPrintable(held.describe()));
    const Reply free = call("POST", "/v1/jobs", bearer(printToken),
                            compact(jobBody(QueueB, {QStringLiteral("Q-B")})));
    QVERIFY2(free.status == 202, qPrintable(free.describe()));
    const QString heldId = idOf(held);
    const QString freeId = idOf(free);

    const QJsonObject printed = waitForJob(freeId, {QStringLiteral("completed")}, 60000);
    QVERIFY2(stateOf(printed) == QLatin1String("completed"), compact(printed).constData());
    QVERIFY(printerB.waitForJobs(1, 30000));
    QCOMPARE(codesOf(printerB.jobs()), QStringList{QStringLiteral("Q-B")});

    const QJsonObject waiting = waitForJob(heldId, {QStringLiteral("waiting")}, 30000);
    QVERIFY2(stateOf(waiting) == QLatin1String("waiting"), compact(waiting).constData());
    QVERIFY2(!waiting.value(QLatin1String("waitingReason")).toString().isEmpty(),
             compact(waiting).constData());
    QVERIFY(cups.listener().jobs().isEmpty());

    QVERIFY(cups.runTool(QStringLiteral("cupsenable"), {QueueA}));
    const QJsonObject done = waitForJob(heldId, {QStringLiteral("completed")}, 60000);
    QVERIFY2(stateOf(done) == QLatin1String("completed"), qPrintable(compact(done) + serviceLog()));
    QVERIFY(cups.listener().waitForJobs(1, 30000));
    QCOMPARE(codesOf(cups.listener().jobs()), QStringList{QStringLiteral("Q-A")});
}

// 200 one-label jobs over both printers, the service killed three times
// while it takes and prints them: every acknowledged job ends printed or
// interrupted, and no label prints twice but those of interrupted jobs.
void TestServer::killedServiceLosesNoJob()
{
    constexpr int Jobs = 200;
    const QList<int> killAt{20, 80, 150};
    QElapsedTimer clock;
    clock.start();
    const QStringList options{QStringLiteral("--retry-max"), QStringLiteral("2")};
    const auto body = [](int n) {
        return compact(jobBody(n % 2 ? QueueA : QueueB, {QStringLiteral("J%1-L1").arg(n)},
                               QStringLiteral("run-%1").arg(n)));
    };
    const auto received = [this] { return cups.listener().jobs().size() + printerB.jobs().size(); };

    QMap<int, QString> acknowledged;
    const auto post = [&](int n) {
        const Reply r = call("POST", "/v1/jobs", bearer(printToken), body(n));
        if (r.status != 202)
            return QStringLiteral("job %1: %2").arg(n).arg(r.describe());
        acknowledged.insert(n, idOf(r));
        return QString();
    };
    int next = 1;
    int unanswered = 0;
    for (int phase = 0; phase <= killAt.size(); ++phase) {
        const QString why = startService(options);
        QVERIFY2(why.isEmpty(), qPrintable(why));
        // A request the kill cut off is sent again with its key.
        if (unanswered) {
            const QString error = post(unanswered);
            QVERIFY2(error.isEmpty(), qPrintable(error));
        }
        const int until = phase < killAt.size() ? killAt.at(phase) : Jobs;
        for (; next <= until; ++next) {
            const QString error = post(next);
            QVERIFY2(error.isEmpty(), qPrintable(error));
        }
        if (phase == killAt.size())
            break;
        QTcpSocket cutOff;
        if (phase < 2) {
            // Killed while it takes a request: sent, its answer never read.
            cutOff.connectToHost(QHostAddress::LocalHost, port);
            QVERIFY(cutOff.waitForConnected(5000));
            cutOff.write(requestBytes("POST", "/v1/jobs", port, bearer(printToken), body(next)));
            QVERIFY(cutOff.waitForBytesWritten(5000));
            unanswered = next++;
        } else {
            // Killed while it prints.
            const int before = received();
            QVERIFY2(waitUntil([&] { return received() >= before + 2; }, 60000),
                     qPrintable(serviceLog()));
            unanswered = 0;
        }
        service->kill();
        QVERIFY(service->waitForFinished(10000));
        cutOff.abort();
    }
    QCOMPARE(acknowledged.size(), Jobs);
    QCOMPARE(QSet<QString>(acknowledged.begin(), acknowledged.end()).size(), Jobs);

    // Every job to its end; an operator reprints the interrupted ones, whose
    // labels may or may not have come out.
    const QStringList settled{QStringLiteral("completed"), QStringLiteral("failed"),
                              QStringLiteral("cancelled"), QStringLiteral("interrupted")};
    QMap<QString, QJsonObject> byId;
    const auto allSettled = [&] {
        byId.clear();
        for (const QJsonValue &v : allJobs())
            byId.insert(v.toObject().value(QLatin1String("id")).toString(), v.toObject());
        for (const QJsonObject &j : qAsConst(byId))
            if (!settled.contains(stateOf(j)))
                return false;
        return !byId.isEmpty();
    };
    QVERIFY2(waitUntil(allSettled, 150000, 500), qPrintable(serviceLog()));
    QSet<int> interrupted;
    QStringList reprints;
    for (auto it = acknowledged.begin(); it != acknowledged.end(); ++it) {
        QVERIFY2(byId.contains(it.value()),
                 qPrintable(QStringLiteral("job %1 lost").arg(it.key())));
        const QString state = stateOf(byId.value(it.value()));
        QVERIFY2(state != QLatin1String("failed") && state != QLatin1String("cancelled"),
                 compact(byId.value(it.value())).constData());
        if (state == QLatin1String("interrupted")) {
            interrupted.insert(it.key());
            const Reply r =
                call("POST", "/v1/jobs/" + it.value().toUtf8() + "/reprint", bearer(adminToken));
            QVERIFY2(r.status == 202, qPrintable(r.describe()));
            QCOMPARE(r.json().value(QLatin1String("reprintOf")).toString(), it.value());
            reprints << idOf(r);
        }
    }
    for (const QString &id : qAsConst(reprints)) {
        const QJsonObject done = waitForJob(id, {QStringLiteral("completed")}, 60000);
        QVERIFY2(stateOf(done) == QLatin1String("completed"), compact(done).constData());
    }
    qInfo("%d jobs, %d interrupted, all settled after %lld s", Jobs, int(interrupted.size()),
          clock.elapsed() / 1000);

    // Every label once, the interrupted ones once or twice; nothing else.
    QVERIFY(waitUntil([&] { return received() >= Jobs; }, 30000));
    QMap<QString, int> counts;
    for (const QString &code : codesOf(cups.listener().jobs() + printerB.jobs()))
        ++counts[code];
    for (int n = 1; n <= Jobs; ++n) {
        const int count = counts.take(QStringLiteral("J%1-L1").arg(n));
        if (interrupted.contains(n))
            QVERIFY2(count >= 1 && count <= 2,
                     qPrintable(QStringLiteral("J%1: %2").arg(n).arg(count)));
        else
            QVERIFY2(count == 1,
                     qPrintable(QStringLiteral("J%1 printed %2 times").arg(n).arg(count)));
    }
    QVERIFY2(counts.isEmpty(), qPrintable(QStringList(counts.keys()).join(QLatin1Char(' '))));
}

// The data sources a program without windows sets up itself.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    DataSourceManager dataSources;
    services::setDataSourceManager(&dataSources);
    TestServer test;
    const int failed = QTest::qExec(&test, argc, argv);
    services::setDataSourceManager(nullptr);
    return failed;
}

#include "tst_server.moc"
