#include "startup.h"
#include "version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void qtVersionCheck_data();
    void qtVersionCheck();
    void displayName();
    void versionOption();
    void windowlessRunsNeedNoDisplay();
    void startupTraceReportsTheShownWindow();
    void positionalFilesInOrder();
    void translationFromWorkingDirectory();
    void restartCodeRunsAnotherPass();
};

void TestStartup::qtVersionCheck_data()
{
    QTest::addColumn<QString>("runtime");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("5.4.2 refused") << "5.4.2" << false;
    QTest::newRow("5.5.0 accepted") << "5.5.0" << true;
    QTest::newRow("5.6.0 accepted") << "5.6.0" << true;
    QTest::newRow("5.15.8 accepted") << "5.15.8" << true;
    QTest::newRow("4.8.7 refused") << "4.8.7" << false;
    // Minor and patch weigh 256 and 1: 5.4.255 is still older than 5.5.0.
    QTest::newRow("5.4.255 refused") << "5.4.255" << false;
}

void TestStartup::qtVersionCheck()
{
    QFETCH(QString, runtime);
    QFETCH(bool, accepted);
    QCOMPARE(startup::qtVersionAcceptable(runtime), accepted);
    QCOMPARE(startup::versionNumber(QStringLiteral("5.5.0")), quint32(5 * 65536 + 5 * 256));
}

void TestStartup::displayName()
{
    QCOMPARE(version::displayName(), QStringLiteral("Veltrux Tagorix 4.1.0"));
}

void TestStartup::versionOption()
{
    QProcess p;
    p.setProgram(QDir(QStringLiteral(TAGORIX_BIN_DIR)).filePath(QStringLiteral("tagorix")));
    p.setArguments({QStringLiteral("--version")});
    p.start();
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(out.trimmed().endsWith(QLatin1String("v4.1.0")), qPrintable(out));
    QCOMPARE(out, QStringLiteral("Tagorix ") + QLatin1String(version::string) + QLatin1Char('\n'));
    // With anything else, the parser answers: an unknown option is an error.
    p.setArguments({QStringLiteral("--version"), QStringLiteral("--no-such-option")});
    p.start();
    QVERIFY(p.waitForFinished(60000));
    QVERIFY(p.exitCode() != 0);
}

// Help, version and batch jobs run wherever the command line is, also with
// a display that is named but empty or out of reach (they aborted in the
// platform plugin); the window alone needs a display.
void TestStartup::windowlessRunsNeedNoDisplay()
{
    const QString program =
        QDir(QStringLiteral(TAGORIX_BIN_DIR)).filePath(QStringLiteral("tagorix"));
    for (const QString &display : {QString(), QStringLiteral(":7391")}) {
        QTemporaryDir config;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // As a desktop session may name its own.
        if (display.isEmpty())
            env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        else
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        for (const QStringList &arguments :
             {QStringList{QStringLiteral("--version")}, QStringList{QStringLiteral("--help")}}) {
            QProcess p;
            p.setProcessEnvironment(env);
            p.start(program, arguments);
            QVERIFY(p.waitForFinished(60000));
            QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
                     qPrintable(QStringLiteral("DISPLAY=%1 %2: %3")
                                    .arg(display, arguments.join(QLatin1Char(' ')),
                                         QString::fromLocal8Bit(p.readAllStandardError()))));
            QVERIFY(p.readAllStandardOutput().contains("Tagorix"));
        }
        if (display.isEmpty()) {
            QProcess p;
            p.setProcessEnvironment(env);
            p.start(program, QStringList());
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), 1);
            QVERIFY(p.readAllStandardError().contains("no display available"));
        }
    }
}

void TestStartup::startupTraceReportsTheShownWindow()
{
    // What the start-up bench waits for: one line once the window is up,
    // and nothing of the kind without the variable.
    for (const bool traced : {true, false}) {
        QTemporaryDir config;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        if (traced)
            env.insert(QStringLiteral("TAGORIX_STARTUP_TRACE"), QStringLiteral("1"));
        else
            env.remove(QStringLiteral("TAGORIX_STARTUP_TRACE"));
        p.setProcessEnvironment(env);
        p.start(QDir(QStringLiteral(TAGORIX_BIN_DIR)).filePath(QStringLiteral("tagorix")),
                QStringList());
        QVERIFY(p.waitForStarted());
        QByteArray err;
        QElapsedTimer clock;
        clock.start();
        // The first start waits in the new-label dialog; 5 s without the
        // line is enough to say it does not come.
        while (!err.contains("window shown") && clock.elapsed() < (traced ? 60000 : 5000)) {
            p.waitForReadyRead(200);
            err += p.readAllStandardError();
        }
        p.kill();
        p.waitForFinished();
        QRegularExpression line(QStringLiteral("tagorix: window shown \\d+ ms after main"));
        QCOMPARE(line.match(QString::fromUtf8(err)).hasMatch(), traced);
    }
}

void TestStartup::positionalFilesInOrder()
{
    QCommandLineParser parser;
    startup::setupCommandLine(parser);
    QVERIFY(parser.parse(
        {QStringLiteral("tagorix"), QStringLiteral("b.tx4l"), QStringLiteral("a.tx4l")}));
    QCOMPARE(parser.positionalArguments(), QStringList({"b.tx4l", "a.tx4l"}));
    QVERIFY(parser.helpText().contains(QLatin1String("Files to open, optionally.")));
    QVERIFY(parser.helpText().contains(QLatin1String("[files...]")));
}

void TestStartup::translationFromWorkingDirectory()
{
    const QString old = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QStringLiteral(TAGORIX_TEST_I18N_DIR)));
    QTranslator sv;
    QVERIFY(startup::loadTranslation(sv, QStringLiteral("sv_SE")));
    QCOMPARE(sv.translate("main", "Loading ..."), QStringLiteral("Laddar ..."));
    // sv_SE_x falls back to the sv_SE file by dropping the trailing part.
    QTranslator fallback;
    QVERIFY(startup::loadTranslation(fallback, QStringLiteral("sv_SE_x")));
    QTranslator none;
    QVERIFY(!startup::loadTranslation(none, QStringLiteral("fr_FR")));
    QDir::setCurrent(old);
}

void TestStartup::restartCodeRunsAnotherPass()
{
    QList<int> codes = {404, 404, 7};
    int passes = 0;
    QCOMPARE(startup::restartLoop([&] {
                 ++passes;
                 return codes.takeFirst();
             }),
             7);
    QCOMPARE(passes, 3);
    QCOMPARE(startup::restartLoop([] { return 0; }), 0);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
