#include "logging.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

// The header line with the time, a record line, and a log file name.
const QRegularExpression
    startLine(QStringLiteral("^Start: \\d{4}-[A-Z][a-z]{2}-\\d{2} \\d{2}:\\d{2}:\\d{2} UTC$"));
const QRegularExpression
    recordLine(QStringLiteral("^(\\d+) (\\d{4}-[A-Z][a-z]{2}-\\d{2} "
                              "\\d{2}:\\d{2}:\\d{2})(\\.\\d{6})? <(\\w+)> (\\S*) - (.*)$"));
const QRegularExpression logName(QStringLiteral("^\\d{8}_\\d{6}_(\\d{6})\\.log$"));

struct Record
{
    quint64 id = 0;
    QDateTime time;
    QString severity;
    QString position; // "file:line"
    QString message;
};

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

int counterOf(const QString &name)
{
    const auto match = logName.match(name);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// Log files of the folder in the order of their counter.
QStringList logFiles(const QString &folder)
{
    QStringList names = QDir(folder).entryList({QStringLiteral("*.log")}, QDir::Files);
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return counterOf(a) < counterOf(b); });
    return names;
}

// Empty when the six header lines and the empty line are right.
QString headerProblem(const QStringList &lines)
{
    if (lines.size() < 7)
        return QStringLiteral("file has only %1 lines").arg(lines.size());
    const QStringList expected = {QStringLiteral("Tagorix log file"),
                                  QString(),
                                  QStringLiteral("Version: v4.1.0"),
                                  QStringLiteral("Platform: ") + QSysInfo::prettyProductName(),
                                  QStringLiteral("Qt version: ") + QLatin1String(qVersion()),
                                  QStringLiteral("Qt build ABI: ") + QSysInfo::buildAbi(),
                                  QString()};
    for (int i = 0; i < expected.size(); ++i) {
        const bool ok =
            i == 1 ? startLine.match(lines.at(i)).hasMatch() : lines.at(i) == expected.at(i);
        if (!ok)
            return QStringLiteral("header line %1 is \"%2\"").arg(i + 1).arg(lines.at(i));
    }
    return QString();
}

bool parseRecord(const QString &line, Record *record)
{
    const auto match = recordLine.match(line);
    if (!match.hasMatch())
        return false;
    record->id = match.captured(1).toULongLong();
    record->time =
        QLocale::c().toDateTime(match.captured(2), QStringLiteral("yyyy-MMM-dd hh:mm:ss"));
    record->time.setTimeSpec(Qt::UTC);
    record->severity = match.captured(4);
    record->position = match.captured(5);
    record->message = match.captured(6);
    return record->time.isValid();
}

// Every record of every file of the folder, in file order; fails on a bad
// header or a line that is not a whole record.
std::vector<Record> readRecords(const QString &folder, QString *problem)
{
    std::vector<Record> records;
    for (const QString &name : logFiles(folder)) {
        const QStringList lines = readLines(QDir(folder).filePath(name));
        const QString header = headerProblem(lines);
        if (!header.isEmpty()) {
            *problem = name + QStringLiteral(": ") + header;
            return {};
        }
        for (int i = 7; i < lines.size(); ++i) {
            Record record;
            if (!parseRecord(lines.at(i), &record)) {
                *problem = name + QStringLiteral(": not a record: ") + lines.at(i);
                return {};
            }
            records.push_back(record);
        }
    }
    return records;
}

void logMessage(QtMsgType type, const char *file, int line, const char *function,
                const QString &message)
{
    const QMessageLogContext context(file, line, function, "default");
    logging::messageHandler(type, context, message);
}

// Writes `count` warnings of about 100 characters each.
void logMany(int count)
{
    const QString filler(80, QLatin1Char('x'));
    for (int i = 0; i < count; ++i)
        logMessage(QtWarningMsg, "src/filler.cpp", 7, "void fill()",
                   QStringLiteral("message %1 %2").arg(i).arg(filler));
}

void writeOldLog(const QString &folder, const QString &name, qint64 size, const QDateTime &time)
{
    QFile file(QDir(folder).filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write("old\n") == 4);
    QVERIFY(file.resize(size)); // sparse: counts fully, costs no disk space
    file.close();
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

qint64 folderSize(const QString &folder)
{
    qint64 total = 0;
    for (const QFileInfo &info : QDir(folder).entryInfoList({QStringLiteral("*.log")}, QDir::Files))
        total += info.size();
    return total;
}

const int FatalLine = __LINE__ + 3;
void emitFatal()
{
    qFatal("fatal %d", 7);
}

// The parts of a test that need a process of their own: a fresh record
// counter, an abort, or a look at standard error.
int runChild(const QByteArray &mode, const QString &folder)
{
    if (mode == "first") {
        logging::setup(folder);
        qInstallMessageHandler(logging::messageHandler);
        qWarning("first");
        qInfo("second");
        logging::shutdown();
        return 0;
    }
    if (mode == "fatal") {
        logging::setup(folder);
        qInstallMessageHandler(logging::messageHandler);
        emitFatal();
        return 0;
    }
    if (mode == "uncreatable" || mode == "vanished") {
        const bool started = logging::setup(folder);
        qInstallMessageHandler(logging::messageHandler);
        if (mode == "vanished") {
            QDir(folder).removeRecursively();
            QFile blocker(folder);
            if (!blocker.open(QIODevice::WriteOnly))
                return 3;
        }
        for (int i = 0; i < 3; ++i)
            qWarning("lost %d", i);
        logging::shutdown();
        std::printf("still running, log %s\n", started ? "started" : "not started");
        return 0;
    }
    return 2;
}

struct ChildResult
{
    bool finished = false;
    QProcess::ExitStatus status = QProcess::NormalExit;
    int exitCode = -1;
    QString out;
    QString err;
};

ChildResult startChild(const QByteArray &mode, const QString &folder)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TAGORIX_LOG_CHILD"), QString::fromLatin1(mode));
    env.insert(QStringLiteral("TAGORIX_LOG_DIR"), folder);
    p.setProcessEnvironment(env);
    p.start(QCoreApplication::applicationFilePath(), QStringList());
    ChildResult result;
    result.finished = p.waitForFinished(60000);
    result.status = p.exitStatus();
    result.exitCode = p.exitCode();
    result.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(p.readAllStandardError());
    return result;
}

} // namespace

class TestLogging : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void recordLine_data();
    void recordLine();
    void qWarningCarriesFileAndLine();
    void firstRecordIsZero();
    void rotationAndCounter();
    void secondSetUpInOneProcess();
    void collectionKeepsFolderLimit();
    void fatalIsWrittenAndAborts();
    void threadsWriteWholeLines();
    void unwritableFolderKeepsRunning_data();
    void unwritableFolderKeepsRunning();
    void programSetsUpLogInDataLocation();
};

void TestLogging::initTestCase()
{
    // Nothing here may touch the user's real data location.
    QStandardPaths::setTestModeEnabled(true);
}

void TestLogging::cleanup()
{
    logging::shutdown();
}

void TestLogging::recordLine_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<QByteArray>("function");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("severity");
    QTest::addColumn<QString>("position");

    QTest::newRow("warning with context")
        << int(QtWarningMsg) << QByteArray("src/document.cpp") << 42
        << QByteArray("bool Document::streamRead(QDataStream &)") << "foreign header - skipped"
        << "Warning"
        << "src/document.cpp:42";
    QTest::newRow("no context") << int(QtWarningMsg) << QByteArray() << 0 << QByteArray()
                                << "bare message"
                                << "Warning"
                                << ":";
    QTest::newRow("file without line")
        << int(QtWarningMsg) << QByteArray("src/a.cpp") << 0 << QByteArray() << "no line"
        << "Warning"
        << "src/a.cpp:";
    QTest::newRow("debug") << int(QtDebugMsg) << QByteArray("src/b.cpp") << 1 << QByteArray("f")
                           << "d"
                           << "Debug"
                           << "src/b.cpp:1";
    QTest::newRow("info") << int(QtInfoMsg) << QByteArray("src/b.cpp") << 2 << QByteArray("f")
                          << "i"
                          << "Info"
                          << "src/b.cpp:2";
    QTest::newRow("critical") << int(QtCriticalMsg) << QByteArray("src/b.cpp") << 3
                              << QByteArray("f") << "c"
                              << "Critical"
                              << "src/b.cpp:3";
    QTest::newRow("utf-8 text") << int(QtWarningMsg) << QByteArray("src/c.cpp") << 9
                                << QByteArray("f") << QString::fromUtf8("Grüße ✓ — Ωmega")
                                << "Warning"
                                << "src/c.cpp:9";
}

void TestLogging::recordLine()
{
    QFETCH(int, type);
    QFETCH(QByteArray, file);
    QFETCH(int, line);
    QFETCH(QByteArray, function);
    QFETCH(QString, message);
    QFETCH(QString, severity);
    QFETCH(QString, position);

    QTemporaryDir dir;
    QVERIFY(logging::setup(dir.path()));
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    logMessage(QtMsgType(type), file.isNull() ? nullptr : file.constData(), line,
               function.isNull() ? nullptr : function.constData(), message);
    const QDateTime after = QDateTime::currentDateTimeUtc().addSecs(1);
    logging::shutdown();

    QString problem;
    const std::vector<Record> records = readRecords(dir.path(), &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(records.size(), size_t(1));
    const Record &r = records.front();
    QCOMPARE(r.severity, severity);
    QCOMPARE(r.position, position);
    QCOMPARE(r.message, message);
    QVERIFY2(r.time >= before && r.time <= after, qPrintable(r.time.toString(Qt::ISODate)));
}

void TestLogging::qWarningCarriesFileAndLine()
{
    QTemporaryDir dir;
    QVERIFY(logging::setup(dir.path()));
    const QtMessageHandler previous = qInstallMessageHandler(logging::messageHandler);
    const int line = __LINE__ + 1;
    qWarning("reader stopped at %d", 12);
    qInstallMessageHandler(previous);
    logging::shutdown();

    QString problem;
    const std::vector<Record> records = readRecords(dir.path(), &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(records.size(), size_t(1));
    QCOMPARE(records.front().position,
             QStringLiteral("%1:%2").arg(QLatin1String(__FILE__)).arg(line));
    QCOMPARE(records.front().message, QStringLiteral("reader stopped at 12"));
}

void TestLogging::firstRecordIsZero()
{
    QTemporaryDir dir;
    const ChildResult child = startChild("first", dir.path());
    QVERIFY(child.finished);
    QCOMPARE(child.exitCode, 0);

    const QStringList files = logFiles(dir.path());
    QCOMPARE(files.size(), 1);
    const QStringList lines = readLines(QDir(dir.path()).filePath(files.first()));
    QVERIFY2(headerProblem(lines).isEmpty(), qPrintable(headerProblem(lines)));
    QCOMPARE(lines.size(), 9);
    Record first, second;
    QVERIFY2(parseRecord(lines.at(7), &first), qPrintable(lines.at(7)));
    QVERIFY2(parseRecord(lines.at(8), &second), qPrintable(lines.at(8)));
    QCOMPARE(first.id, quint64(0));
    QCOMPARE(first.severity, QStringLiteral("Warning"));
    QCOMPARE(first.message, QStringLiteral("first"));
    QCOMPARE(second.id, quint64(1));
    QCOMPARE(second.severity, QStringLiteral("Info"));
}

void TestLogging::rotationAndCounter()
{
    QTemporaryDir dir;
    const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-10);
    writeOldLog(dir.path(), QStringLiteral("20200101_000000_000007.log"), 100, old);
    writeOldLog(dir.path(), QStringLiteral("20200102_000000_000041.log"), 100, old.addDays(1));

    QVERIFY(logging::setup(dir.path()));
    logMany(1500); // about 150 KiB
    logging::shutdown();

    QStringList files = logFiles(dir.path());
    QCOMPARE(files.mid(0, 2), QStringList({QStringLiteral("20200101_000000_000007.log"),
                                           QStringLiteral("20200102_000000_000041.log")}));
    files = files.mid(2);
    QVERIFY2(files.size() >= 3, qPrintable(files.join(QLatin1Char(' '))));
    for (int i = 0; i < files.size(); ++i) {
        QCOMPARE(counterOf(files.at(i)), 42 + i);
        const QString path = QDir(dir.path()).filePath(files.at(i));
        QVERIFY2(QFileInfo(path).size() <= qint64(logging::RotationSize), qPrintable(files.at(i)));
    }

    // Only the new files hold records; none are lost at a rotation.
    QVERIFY(QFile::remove(QDir(dir.path()).filePath(QStringLiteral("20200101_000000_000007.log"))));
    QVERIFY(QFile::remove(QDir(dir.path()).filePath(QStringLiteral("20200102_000000_000041.log"))));
    QString problem;
    const std::vector<Record> records = readRecords(dir.path(), &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(records.size(), size_t(1500));
    for (size_t i = 1; i < records.size(); ++i)
        QCOMPARE(records[i].id, records[i - 1].id + 1);
}

void TestLogging::secondSetUpInOneProcess()
{
    QTemporaryDir dir;
    for (int pass = 0; pass < 2; ++pass) {
        QVERIFY(logging::setup(dir.path()));
        QVERIFY(logging::isActive());
        logMessage(QtWarningMsg, "src/startup.cpp", 1, "run", QStringLiteral("pass %1").arg(pass));
        logging::shutdown();
        QVERIFY(!logging::isActive());
    }
    const QStringList files = logFiles(dir.path());
    QCOMPARE(files.size(), 2);
    QCOMPARE(counterOf(files.at(1)), counterOf(files.at(0)) + 1);

    QString problem;
    const std::vector<Record> records = readRecords(dir.path(), &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(records.size(), size_t(2));
    QCOMPARE(records[0].message, QStringLiteral("pass 0"));
    QCOMPARE(records[1].message, QStringLiteral("pass 1"));
    QCOMPARE(records[1].id, records[0].id + 1);
}

void TestLogging::collectionKeepsFolderLimit()
{
    QTemporaryDir dir;
    if (QStorageInfo(dir.path()).bytesAvailable() < qint64(logging::MinFreeSpace) + (64 << 20)) {
        // The collector would rightly remove every old file.
        QTest::qSkip("too little free space", __FILE__, __LINE__);
        return;
    }
    const int oldCount = 32;
    const qint64 oldSize = 1 << 20;
    const QDateTime first = QDateTime::currentDateTimeUtc().addDays(-100);
    for (int i = 1; i <= oldCount; ++i) {
        writeOldLog(dir.path(),
                    QStringLiteral("20200101_000000_%1.log").arg(i, 6, 10, QLatin1Char('0')),
                    oldSize, first.addDays(i));
    }
    QCOMPARE(folderSize(dir.path()), qint64(logging::MaxFolderSize));

    QVERIFY(logging::setup(dir.path()));
    logMany(1000); // two files of new records
    logging::shutdown();

    QVERIFY(folderSize(dir.path()) <= qint64(logging::MaxFolderSize));
    const QStringList files = logFiles(dir.path());
    QList<int> counters;
    for (const QString &name : files)
        counters << counterOf(name);
    // The oldest went first: what is left of the old files is the newest run of them.
    const int removed = oldCount - int(std::count_if(counters.begin(), counters.end(),
                                                     [](int c) { return c <= oldCount; }));
    QVERIFY2(removed >= 1, "no old file was removed");
    QVERIFY2(removed <= 2, qPrintable(QStringLiteral("%1 removed").arg(removed)));
    QCOMPARE(counters.first(), removed + 1);
    QVERIFY(counters.contains(oldCount));
    QVERIFY(counters.contains(oldCount + 1));
    QVERIFY(counters.contains(oldCount + 2));

    // Many short runs: the count is bounded too, the newest kept.
    QVERIFY(logging::MaxFiles >= 64);
    const int shortRuns = int(logging::MaxFiles) + 40;
    for (int i = 1; i <= shortRuns; ++i) {
        writeOldLog(dir.path(),
                    QStringLiteral("20210101_000000_%1.log").arg(1000 + i, 6, 10, QLatin1Char('0')),
                    400, first.addDays(40).addSecs(i));
    }
    QVERIFY(logging::setup(dir.path()));
    logMany(1);
    logging::shutdown();
    const QStringList left = logFiles(dir.path());
    QCOMPARE(left.size(), int(logging::MaxFiles));
    QVERIFY(left.contains(
        QStringLiteral("20210101_000000_%1.log").arg(1000 + shortRuns, 6, 10, QLatin1Char('0'))));
    QVERIFY(!left.contains(QStringLiteral("20210101_000000_001001.log")));
}

void TestLogging::fatalIsWrittenAndAborts()
{
    QTemporaryDir dir;
    const ChildResult child = startChild("fatal", dir.path());
    QVERIFY(child.finished);
    QCOMPARE(child.status, QProcess::CrashExit);

    QString problem;
    const std::vector<Record> records = readRecords(dir.path(), &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(records.size(), size_t(1));
    QCOMPARE(records.front().severity, QStringLiteral("Fatal"));
    QCOMPARE(records.front().position,
             QStringLiteral("%1:%2").arg(QLatin1String(__FILE__)).arg(FatalLine));
    QCOMPARE(records.front().message, QStringLiteral("fatal 7"));
}

void TestLogging::threadsWriteWholeLines()
{
    QTemporaryDir dir;
    QVERIFY(logging::setup(dir.path()));
    const int threadCount = 8;
    const int perThread = 400;
    const QtMessageHandler previous = qInstallMessageHandler(logging::messageHandler);
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back(QThread::create([t] {
            for (int i = 0; i < perThread; ++i)
                qWarning("thread %d message %d", t, i);
        }));
    }
    for (auto &thread : threads)
        thread->start();
    for (auto &thread : threads)
        QVERIFY(thread->wait(60000));
    qInstallMessageHandler(previous);
    logging::shutdown();

    QString problem;
    const std::vector<Record> records = readRecords(dir.path(), &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(records.size(), size_t(threadCount * perThread));
    QVector<int> next(threadCount, 0);
    const QRegularExpression text(QStringLiteral("^thread (\\d+) message (\\d+)$"));
    for (size_t i = 0; i < records.size(); ++i) {
        if (i > 0)
            QVERIFY2(records[i].id > records[i - 1].id, qPrintable(QString::number(records[i].id)));
        const auto match = text.match(records[i].message);
        QVERIFY2(match.hasMatch(), qPrintable(records[i].message));
        const int t = match.captured(1).toInt();
        QCOMPARE(match.captured(2).toInt(), next[t]++);
    }
}

void TestLogging::unwritableFolderKeepsRunning_data()
{
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<QString>("started");
    QTest::newRow("folder cannot be created") << QByteArray("uncreatable") << "not started";
    QTest::newRow("folder gone while running") << QByteArray("vanished") << "started";
}

void TestLogging::unwritableFolderKeepsRunning()
{
    QFETCH(QByteArray, mode);
    QFETCH(QString, started);
    QTemporaryDir dir;
    QString folder = QDir(dir.path()).filePath(QStringLiteral("logs"));
    if (mode == "uncreatable") {
        // A plain file where the folder should go: no one, root included, can create it.
        QFile blocker(QDir(dir.path()).filePath(QStringLiteral("data")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        folder = blocker.fileName() + QStringLiteral("/logs");
    }
    const ChildResult child = startChild(mode, folder);
    QVERIFY(child.finished);
    QCOMPARE(child.status, QProcess::NormalExit);
    QCOMPARE(child.exitCode, 0);
    QCOMPARE(child.out, QStringLiteral("still running, log %1\n").arg(started));
    QCOMPARE(child.err.count(QLatin1String("the run log cannot be written")), 1);
    QVERIFY(!child.out.contains(QLatin1String("FAILURE")));
}

void TestLogging::programSetsUpLogInDataLocation()
{
    QTemporaryDir data;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    p.setProcessEnvironment(env);
    // --help ends the program inside the start-up pass, with the log running
    // (--version alone is answered before the pass).
    p.start(QDir(QStringLiteral(TAGORIX_BIN_DIR)).filePath(QStringLiteral("tagorix")),
            {QStringLiteral("--help")});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(!p.readAllStandardOutput().contains("FAILURE"));
    QVERIFY(QFileInfo(data.path() + QStringLiteral("/Norvane/Tagorix/logs")).isDir());
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QByteArray child = qgetenv("TAGORIX_LOG_CHILD");
    if (!child.isEmpty())
        return runChild(child, qEnvironmentVariable("TAGORIX_LOG_DIR"));
    TestLogging test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_logging.moc"
