#include "document.h"
#include "httptestserver.h"
#include "mainwindow.h"
#include "platform/appcast.h"
#include "platform/winsparkle.h"
#include "startup.h"
#include "testutil.h"
#include "txapp.h"
#include "updater.h"

#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <sodium.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <memory>

namespace {

const QString FeedPath = QStringLiteral("/cast.xml");

struct Keys
{
    QByteArray pub = QByteArray(crypto_sign_PUBLICKEYBYTES, 0);
    QByteArray secret = QByteArray(crypto_sign_SECRETKEYBYTES, 0);
    Keys()
    {
        crypto_sign_keypair(reinterpret_cast<unsigned char *>(pub.data()),
                            reinterpret_cast<unsigned char *>(secret.data()));
    }
    QByteArray sign(const QByteArray &data) const
    {
        QByteArray sig(crypto_sign_BYTES, 0);
        crypto_sign_detached(reinterpret_cast<unsigned char *>(sig.data()), nullptr,
                             reinterpret_cast<const unsigned char *>(data.constData()), data.size(),
                             reinterpret_cast<const unsigned char *>(secret.constData()));
        return sig.toBase64();
    }
};

QByteArray feed(const QString &version, const QString &url, qint64 length,
                const QByteArray &signature, const QByteArray &extra = QByteArray())
{
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
               "<rss version=\"2.0\" "
               "xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\">\n"
               "<channel><title>Tagorix</title>%5\n"
               "<item><title>Tagorix %1</title><sparkle:version>%1</sparkle:version>\n"
               "<description><![CDATA[<ul><li>Release notes of %1</li></ul>]]></description>\n"
               "<enclosure url=\"%2\" length=\"%3\" type=\"application/vnd.debian.binary-package\" "
               "sparkle:edSignature=\"%4\"/>\n"
               "</item></channel></rss>")
        .arg(version, url)
        .arg(length)
        .arg(QString::fromLatin1(signature), QString::fromUtf8(extra))
        .toUtf8();
}

QApplication &app()
{
    return *qApp;
}

QWidget *updateDialog()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("dialog/update") && w->isVisible())
            return w;
    return nullptr;
}

QString dialogText(const QString &name)
{
    QWidget *d = updateDialog();
    auto *label = d ? d->findChild<QLabel *>(name) : nullptr;
    return label ? label->text() : QString();
}

bool buttonShown(const QString &name)
{
    QWidget *d = updateDialog();
    auto *button = d ? d->findChild<QPushButton *>(name) : nullptr;
    return button && button->isVisible();
}

void click(const QString &name)
{
    QWidget *d = updateDialog();
    auto *button = d ? d->findChild<QPushButton *>(name) : nullptr;
    QVERIFY(button);
    button->click();
}

// Starts the layer anew with the given feed, as the application does at start-up.
void restartLayer(const QString &url, bool automatic)
{
    win_sparkle_cleanup();
    win_sparkle_set_appcast_url(url.toUtf8().constData());
    win_sparkle_set_automatic_check_for_updates(automatic ? 1 : 0);
    win_sparkle_init();
}

} // namespace

class TestUpdater : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void versionOrder();
    void feedsAndAddresses();
    void signatures();
    void interactiveCheck_data();
    void interactiveCheck();
    void refusedFeeds();
    void automaticCheck();
    void refusedDownloads();
    void handshakeCancelKeepsTheWindow();
    void handshakeDiscardQuitsAndInstalls();
    void batchRunsMakeNoRequest();
    void endOfTheApplication_data();
    void endOfTheApplication();

private:
    // Serves a signed 4.2 and shows the window with a modified label.
    bool offerSignedUpdateTo(MainWindow &w);

    HttpTestServer server;
    Keys keys;
    QByteArray package;
    QStringList launched; // packages handed to the installer hook
};

void TestUpdater::initTestCase()
{
    QVERIFY(server.isListening());
    QVERIFY(sodium_init() >= 0);
    package = QByteArray(300 * 1024, '\0');
    for (int i = 0; i < package.size(); ++i)
        package[i] = char((i * 7919) >> 3);
    winsparkle::setPublicKey(keys.pub);
    winsparkle::setInstallerLauncher([this](const QString &path) {
        QFile f(path);
        launched.append(
            f.open(QIODevice::ReadOnly) && f.readAll() == package ? path : QStringLiteral("wrong"));
        return true;
    });
}

void TestUpdater::init()
{
    server.clear();
    launched.clear();
    QSettings().remove(QStringLiteral("updater"));
    restartLayer(server.url(FeedPath), false);
}

void TestUpdater::cleanup()
{
    win_sparkle_cleanup();
}

void TestUpdater::versionOrder()
{
    const QList<QPair<QString, QString>> olderNewer = {
        {"4.1.0", "4.1.1"},
        {"4.1.1", "4.2"},
        {"4.2", "4.10"},
        {"v4.1.0", "4.1.1"},
        {"4.1", "4.1.0.1"},
        {"4.2b1", "4.2"},
        {"4.2b1", "4.2b2"},
        {"4.09", "4.10"},
        {"4.99999999999999999998", "4.99999999999999999999"}};
    for (const auto &pair : olderNewer) {
        QVERIFY2(appcast::compareVersions(pair.first, pair.second) == -1, qPrintable(pair.first));
        QVERIFY2(appcast::compareVersions(pair.second, pair.first) == 1, qPrintable(pair.first));
        QVERIFY2(appcast::compareVersions(pair.second, pair.second) == 0, qPrintable(pair.second));
    }
    QCOMPARE(appcast::compareVersions(QStringLiteral("4.1.0"), QStringLiteral("v4.1.0")), 0);
}

void TestUpdater::feedsAndAddresses()
{
    const QList<QPair<const char *, bool>> addresses = {{"https://norvane.example/x.xml", true},
                                                        {"http://127.3.4.5:8080/x", true},
                                                        {"http://[::1]:80/x", true},
                                                        {"http://norvane.example/x.xml", false},
                                                        {"http://128.0.0.1/x", false},
                                                        {"ftp://127.0.0.1/x", false},
                                                        {"file:///etc/passwd", false}};
    for (const auto &address : addresses)
        QVERIFY2(appcast::urlAllowed(QUrl(QString::fromLatin1(address.first))) == address.second,
                 address.first);

    // The newest item for this system wins, wherever it stands; a relative
    // enclosure is resolved against the feed's address.
    const QByteArray xml =
        "<rss xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\"><channel>\n"
        "<item><sparkle:version>4.2</sparkle:version><enclosure url=\"a.deb\" length=\"5\" "
        "sparkle:edSignature=\"s\"/></item>\n"
        "<item><sparkle:version>4.10</sparkle:version><enclosure url=\"/b.deb\" length=\"6\" "
        "sparkle:edSignature=\"t\"/></item>\n"
        "<item><sparkle:version>9.0</sparkle:version><enclosure url=\"c.exe\" length=\"7\" "
        "sparkle:os=\"windows\"/></item>\n"
        "<item><sparkle:version>4.9</sparkle:version><sparkle:shortVersionString>4.9 "
        "beta</sparkle:shortVersionString>\n"
        "  <enclosure url=\"d.deb\" length=\"8\" sparkle:os=\"linux\"/></item>\n"
        "<item><enclosure url=\"e.deb\" length=\"9\" sparkle:version=\"4.3\" "
        "sparkle:shortVersionString=\"4.3\"/></item>\n"
        "</channel></rss>";
    QString error;
    const appcast::Release best =
        appcast::parseFeed(xml, QUrl(QStringLiteral("https://h.example/feeds/cast.xml")), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(best.version, QStringLiteral("4.10"));
    QCOMPARE(best.url, QUrl(QStringLiteral("https://h.example/b.deb")));
    QCOMPARE(best.length, 6);
    QCOMPARE(best.signature, QByteArray("t"));

    QVERIFY(!appcast::parseFeed("<rss><channel><item>", QUrl(), &error).isValid());
    QVERIFY(error.contains(QLatin1String("not a valid appcast")));
    QVERIFY(!appcast::parseFeed("<rss><channel/></rss>", QUrl(), &error).isValid());
    QVERIFY(error.contains(QLatin1String("no release")));
}

void TestUpdater::signatures()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.deb"));
    auto write = [&path](const QByteArray &data) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(data);
    };
    const QByteArray sig = keys.sign(package);
    write(package);
    QCOMPARE(appcast::verifyDownload(path, package.size(), sig, keys.pub), QString());

    QByteArray changed = package;
    changed[package.size() / 2] = char(changed.at(package.size() / 2) ^ 1);
    write(changed);
    QVERIFY(appcast::verifyDownload(path, package.size(), sig, keys.pub)
                .contains(QLatin1String("does not match")));

    write(package);
    const Keys other;
    QVERIFY(appcast::verifyDownload(path, package.size(), sig, other.pub)
                .contains(QLatin1String("does not match")));
    QVERIFY(appcast::verifyDownload(path, package.size(), other.sign(package), keys.pub)
                .contains(QLatin1String("does not match")));
    QVERIFY(appcast::verifyDownload(path, package.size(), QByteArray(), keys.pub)
                .contains(QLatin1String("not signed")));
    QVERIFY(appcast::verifyDownload(path, package.size(), "bm90IGEgc2lnbmF0dXJl", keys.pub)
                .contains(QLatin1String("damaged")));
    QVERIFY(appcast::verifyDownload(path, package.size() + 1, sig, keys.pub)
                .contains(QLatin1String("announced")));
    QVERIFY(appcast::verifyDownload(path, package.size(), sig, QByteArray())
                .contains(QLatin1String("no valid key")));
}

void TestUpdater::interactiveCheck_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("offered");
    QTest::newRow("newer") << "4.1.1" << true;
    QTest::newRow("newer, v prefix") << "v4.2" << true;
    QTest::newRow("equal") << "4.1.0" << false;
    QTest::newRow("older") << "4.0.9" << false;
}

void TestUpdater::interactiveCheck()
{
    QFETCH(QString, version);
    QFETCH(bool, offered);
    server.serve(FeedPath,
                 feed(version, QStringLiteral("/p.deb"), package.size(), keys.sign(package)));
    QSignalSpy finished(winsparkle::events(), &winsparkle::Events::checkFinished);
    win_sparkle_check_update_with_ui();
    QVERIFY(updateDialog());
    QCOMPARE(dialogText(QStringLiteral("heading")), QStringLiteral("Checking for updates..."));
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QCOMPARE(finished.at(0).at(1).toString(), QString());
    QCOMPARE(buttonShown(QStringLiteral("install")), offered);
    QCOMPARE(buttonShown(QStringLiteral("skip")), offered);
    QCOMPARE(buttonShown(QStringLiteral("later")), offered);
    if (offered) {
        QVERIFY(dialogText(QStringLiteral("message"))
                    .contains(version.mid(version.startsWith('v') ? 1 : 0)));
        click(QStringLiteral("later"));
    } else {
        QCOMPARE(dialogText(QStringLiteral("heading")), QStringLiteral("Tagorix is up to date."));
        click(QStringLiteral("close"));
    }
    QVERIFY(!updateDialog());
    QCOMPARE(server.requests, QStringList{FeedPath});
    QVERIFY(QSettings().value(QStringLiteral("updater/lastCheck")).toDateTime().isValid());
}

void TestUpdater::refusedFeeds()
{
    struct Case
    {
        const char *name;
        std::function<void()> setUp;
        QString message;
    };
    const QByteArray big = feed(QStringLiteral("4.2"), QStringLiteral("/p.deb"), 1, "s",
                                "<!--" + QByteArray(1024 * 1024, 'x') + "-->");
    const QList<Case> cases = {
        {"unreachable", [] { restartLayer(QStringLiteral("http://127.0.0.1:1/cast.xml"), false); },
         QStringLiteral("could not be read")},
        {"not found", [] {}, QStringLiteral("could not be read")},
        {"too large, announced", [&] { server.serve(FeedPath, big); },
         QStringLiteral("larger than 1 MiB")},
        {"too large, streamed", [&] { server.serve(FeedPath, big, false); },
         QStringLiteral("larger than 1 MiB")},
        {"document type",
         [&] { server.serve(FeedPath, "<!DOCTYPE rss [<!ENTITY a \"aaaa\">]><rss>&a;</rss>"); },
         QStringLiteral("document type")},
        {"redirect off loopback",
         [&] { server.redirect(FeedPath, QStringLiteral("http://192.0.2.1/cast.xml")); },
         QStringLiteral("not https")},
        {"plain http",
         [] { restartLayer(QStringLiteral("http://norvane.example/cast.xml"), false); },
         QStringLiteral("not an https address")},
    };
    for (const Case &c : cases) {
        init();
        c.setUp();
        QSignalSpy finished(winsparkle::events(), &winsparkle::Events::checkFinished);
        win_sparkle_check_update_with_ui();
        QVERIFY2(finished.wait(10000), c.name);
        QVERIFY2(finished.at(0).at(1).toString().contains(c.message),
                 qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(c.name),
                                                         finished.at(0).at(1).toString())));
        QCOMPARE(dialogText(QStringLiteral("message")), finished.at(0).at(1).toString());
        QVERIFY(buttonShown(QStringLiteral("close")));
        QVERIFY(!buttonShown(QStringLiteral("install")));
        click(QStringLiteral("close"));
        QVERIFY(!QSettings().contains(QStringLiteral("updater/lastCheck")));
    }
}

void TestUpdater::automaticCheck()
{
    const QByteArray newer =
        feed(QStringLiteral("4.2"), QStringLiteral("/p.deb"), package.size(), keys.sign(package));
    server.serve(FeedPath, newer);
    QSignalSpy finished(winsparkle::events(), &winsparkle::Events::checkFinished);

    // Unreachable: nothing is shown, and the next start tries again.
    restartLayer(QStringLiteral("http://127.0.0.1:1/cast.xml"), true);
    QVERIFY(finished.wait(10000));
    QVERIFY(!finished.takeFirst().at(1).toString().isEmpty());
    QTest::qWait(200);
    QVERIFY(!updateDialog());
    QVERIFY(!QSettings().contains(QStringLiteral("updater/lastCheck")));

    // Due: the newer version is offered; "Skip this version" keeps it from coming back.
    restartLayer(server.url(FeedPath), true);
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.takeFirst().at(0).toBool(), false);
    QTRY_VERIFY(updateDialog());
    QVERIFY(dialogText(QStringLiteral("message")).contains(QLatin1String("4.2")));
    click(QStringLiteral("skip"));
    QCOMPARE(QSettings().value(QStringLiteral("updater/skippedVersion")).toString(),
             QStringLiteral("4.2"));

    QSettings().remove(QStringLiteral("updater/lastCheck"));
    restartLayer(server.url(FeedPath), true);
    QVERIFY(finished.wait(10000));
    QTest::qWait(200);
    QVERIFY(!updateDialog());
    // Asked for, the skipped version is offered all the same.
    win_sparkle_check_update_with_ui();
    QVERIFY(finished.wait(10000));
    QVERIFY(buttonShown(QStringLiteral("install")));
    click(QStringLiteral("later"));

    // Checked within the day: no request at all.
    server.requests.clear();
    finished.clear();
    restartLayer(server.url(FeedPath), true);
    QTest::qWait(1500);
    QVERIFY(finished.isEmpty());
    QCOMPARE(server.requests, QStringList());
}

void TestUpdater::refusedDownloads()
{
    const QByteArray sig = keys.sign(package);
    QByteArray changed = package;
    changed[1000] = 'x';
    const Keys other;
    struct Case
    {
        const char *name;
        QByteArray feed;
        QByteArray body;
        QString message;
    };
    const QList<Case> cases = {
        {"changed byte", feed("4.2", "/p.deb", package.size(), sig), changed, "does not match"},
        {"wrong key", feed("4.2", "/p.deb", package.size(), other.sign(package)), package,
         "does not match"},
        {"no signature", feed("4.2", "/p.deb", package.size(), ""), package, "not signed"},
        {"shorter than announced", feed("4.2", "/p.deb", package.size() + 10, sig), package,
         "announced"},
        {"longer than announced", feed("4.2", "/p.deb", package.size() - 10, sig), package,
         "larger than"},
        {"not https", feed("4.2", "http://192.0.2.1/p.deb", package.size(), sig), package,
         "not an https"},
    };
    for (const Case &c : cases) {
        init();
        server.serve(FeedPath, c.feed);
        server.serve(QStringLiteral("/p.deb"), c.body);
        QSignalSpy checked(winsparkle::events(), &winsparkle::Events::checkFinished);
        QSignalSpy downloaded(winsparkle::events(), &winsparkle::Events::downloadFinished);
        win_sparkle_check_update_with_ui();
        QVERIFY(checked.wait(10000));
        click(QStringLiteral("install"));
        QVERIFY2(downloaded.wait(10000), c.name);
        const QString error = downloaded.at(0).at(0).toString();
        QVERIFY2(error.contains(c.message),
                 qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(c.name), error)));
        QCOMPARE(dialogText(QStringLiteral("message")), error);
        QVERIFY(launched.isEmpty());
        click(QStringLiteral("close"));
    }
    // The refused enclosure off loopback was never asked for.
    QCOMPARE(server.requests, QStringList{FeedPath});
}

bool TestUpdater::offerSignedUpdateTo(MainWindow &w)
{
    server.serve(FeedPath, feed("4.2", "/p.deb", package.size(), keys.sign(package)));
    server.serve(QStringLiteral("/p.deb"), package);
    w.show();
    w.loadFiles({QStringLiteral(TAGORIX_SOURCE_DIR "/examples/product-labels.tx4l")});
    if (!w.currentDocument())
        return false;
    w.currentDocument()->setModified(true);
    return true;
}

void TestUpdater::handshakeCancelKeepsTheWindow()
{
    MainWindow w;
    QVERIFY(offerSignedUpdateTo(w));

    QThread *askedOn = nullptr;
    const QMetaObject::Connection asked = connect(
        TxApp::updater(), &Updater::requestClose, this,
        [&askedOn] { askedOn = QThread::currentThread(); }, Qt::DirectConnection);
    // The GUI thread keeps turning while the worker waits for the answer.
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(10);
    int ticksAtPrompt = -1;
    bool cancelled = false;
    bool answeredAfterCancel = false;
    QSignalSpy answered(winsparkle::events(), &winsparkle::Events::shutdownAnswered);
    connect(winsparkle::events(), &winsparkle::Events::shutdownAnswered, &app(), [&] {
        answeredAfterCancel = cancelled;
        QTimer::singleShot(100, [] { QCoreApplication::exit(7); });
    });
    QSignalSpy checked(winsparkle::events(), &winsparkle::Events::checkFinished);
    QTimer::singleShot(0, [&] {
        win_sparkle_check_update_with_ui();
        connect(winsparkle::events(), &winsparkle::Events::checkFinished, this, [&] {
            testutil::answerNextModal(
                [&](QWidget *box) {
                    ticksAtPrompt = ticks;
                    QTimer::singleShot(300, [box, &cancelled] {
                        cancelled = true;
                        qobject_cast<QMessageBox *>(box)->button(QMessageBox::Cancel)->click();
                    });
                },
                30000);
            click(QStringLiteral("install"));
        });
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(60000);
    QCOMPARE(app().exec(), 7);
    disconnect(winsparkle::events(), nullptr, this, nullptr);
    disconnect(winsparkle::events(), nullptr, &app(), nullptr);
    disconnect(asked);

    QCOMPARE(answered.size(), 1);
    QCOMPARE(answered.at(0).at(0).toBool(), false);
    // The answer waits for the prompt, however long it stays open.
    QVERIFY(answeredAfterCancel);
    QVERIFY(askedOn && askedOn != app().thread());
    QVERIFY(ticksAtPrompt >= 0 && ticks - ticksAtPrompt >= 15);
    QVERIFY(w.isVisible());
    QVERIFY(w.currentDocument() && w.currentDocument()->isModified());
    QVERIFY(QGuiApplication::quitOnLastWindowClosed());
    QVERIFY(launched.isEmpty());
    QVERIFY(dialogText(QStringLiteral("message")).contains(QLatin1String("was not closed")));
    click(QStringLiteral("close"));
}

void TestUpdater::handshakeDiscardQuitsAndInstalls()
{
    MainWindow w;
    QVERIFY(offerSignedUpdateTo(w));
    QString prompt;
    QTimer::singleShot(0, [&] {
        win_sparkle_check_update_with_ui();
        connect(winsparkle::events(), &winsparkle::Events::checkFinished, this, [&] {
            testutil::answerNextModal(
                [&](QWidget *box) {
                    prompt = qobject_cast<QMessageBox *>(box)->text();
                    qobject_cast<QMessageBox *>(box)->button(QMessageBox::Discard)->click();
                },
                30000);
            click(QStringLiteral("install"));
        });
    });
    QSignalSpy answered(winsparkle::events(), &winsparkle::Events::shutdownAnswered);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(60000);
    // quit() from the layer ends the event loop with 0.
    QCOMPARE(app().exec(), 0);
    disconnect(winsparkle::events(), nullptr, this, nullptr);
    QVERIFY(prompt.contains(QLatin1String("product-labels.tx4l")));
    QVERIFY(!w.isVisible());
    QCOMPARE(launched.size(), 1);
    QVERIFY2(launched.at(0) != QLatin1String("wrong"), "the installer got another file");
    // Kept for the installer, which reads it after the program has gone.
    QVERIFY(QFile::exists(launched.at(0)));
    QDir(QFileInfo(launched.at(0)).path()).removeRecursively();
    QGuiApplication::setQuitOnLastWindowClosed(true);
    Q_UNUSED(answered);
}

void TestUpdater::batchRunsMakeNoRequest()
{
    server.serve(FeedPath, feed("4.2", "/p.deb", package.size(), keys.sign(package)));
    QTemporaryDir config;
    QVERIFY(QDir(config.path()).mkpath(QStringLiteral("Norvane")));
    {
        QSettings conf(config.filePath(QStringLiteral("Norvane/Tagorix.conf")),
                       QSettings::IniFormat);
        conf.setValue(QStringLiteral("updater/feedUrl"), server.url(FeedPath));
    }
    auto run = [&](const QStringList &args, bool waitForRequest) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TAGORIX_BIN_DIR "/tagorix"), args);
        if (waitForRequest) {
            QTRY_VERIFY_WITH_TIMEOUT(!server.requests.isEmpty(), 30000);
            p.kill();
        }
        QTRY_VERIFY_WITH_TIMEOUT(p.state() == QProcess::NotRunning, 60000);
    };
    QTemporaryDir out;
    const QString example = QStringLiteral(TAGORIX_SOURCE_DIR "/examples/product-labels.tx4l");
    run({QStringLiteral("--version")}, false);
    run({QStringLiteral("--export-pdf"), out.filePath(QStringLiteral("a.pdf")), example}, false);
    QVERIFY(QFile::exists(out.filePath(QStringLiteral("a.pdf"))));
    QTest::qWait(500);
    QCOMPARE(server.requests, QStringList());
    // The same settings in a window session do reach the feed.
    run({example}, true);
    QCOMPARE(server.requests.value(0), FeedPath);
}

// The end of a pass of the program, each in a process of its own (a child
// of this test), since it takes the application object with it.
void TestUpdater::endOfTheApplication_data()
{
    QTest::addColumn<QString>("scene");
    QTest::newRow("quit with the update dialog open") << "quit-with-dialog";
    QTest::newRow("shutdown question during the updater's destruction") << "asked-while-destroyed";
}

void TestUpdater::endOfTheApplication()
{
    QFETCH(QString, scene);
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("-scene"), scene});
    // A hang must fail the test, not stop it.
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        QFAIL(qPrintable(scene + QStringLiteral(" did not end within a minute")));
    }
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
             qPrintable(QStringLiteral("exit %1: %2").arg(p.exitCode()).arg(err.right(3000))));
    QVERIFY2(!err.contains(QLatin1String("Sanitizer")), qPrintable(err.right(3000)));
}

namespace {

// As a pass of main() ends: the event loop ends while the update dialog is
// shown, then the application object is destroyed.
int quitWithDialog(int &argc, char **argv)
{
    auto app = std::make_unique<TxApp>(argc, argv);
    startup::setApplicationIdentity();
    app->initialize();
    win_sparkle_check_update_with_ui();
    if (!updateDialog())
        return 10;
    QTimer::singleShot(200, [] { QCoreApplication::exit(0); });
    const int code = app->exec();
    if (!updateDialog())
        return 11;
    app.reset();
    return code;
}

// The layer asks whether it may shut down while the updater is being
// destroyed (its dialog goes in the destructor's cleanup): the answer is an
// immediate no, or the worker would wait for windows that never close.
int askedWhileDestroyed(int &argc, char **argv)
{
    TxApp app(argc, argv);
    startup::setApplicationIdentity();
    auto updater = std::make_unique<Updater>();
    if (Updater::instance() != updater.get())
        return 10;
    win_sparkle_check_update_with_ui();
    QWidget *dialog = updateDialog();
    if (!dialog)
        return 11;
    int answered = -1;
    // Asked and awaited while the destructor is still under way.
    QObject::connect(dialog, &QObject::destroyed, [&answered] {
        std::future<int> answer = std::async(std::launch::async, &Updater::canShutdown);
        if (answer.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            std::fputs("the shutdown question got no answer within 10 s\n", stderr);
            std::fflush(stderr);
            std::_Exit(13);
        }
        answered = answer.get();
    });
    updater.reset();
    return answered == 0 ? 0 : 12;
}

} // namespace

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    if (argc == 3 && qstrcmp(argv[1], "-scene") == 0) {
        const QByteArray scene = argv[2];
        int one = 1;
        if (scene == "quit-with-dialog")
            return quitWithDialog(one, argv);
        if (scene == "asked-while-destroyed")
            return askedWhileDestroyed(one, argv);
        return 2;
    }
    TxApp app(argc, argv);
    startup::setApplicationIdentity();
    app.initialize();
    TestUpdater t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_updater.moc"
