#include "winsparkle.h"

#include "buildinfo.h"
#include "dialogs/updatedialog.h"
#include "platform/appcast.h"
#include "version.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

namespace {

const QString LastCheckKey = QStringLiteral("updater/lastCheck");
const QString SkippedKey = QStringLiteral("updater/skippedVersion");
constexpr int FeedTimeoutMs = 30000;
constexpr int DownloadTimeoutMs = 60000;
// After start-up settles; the check itself never runs on the GUI thread.
constexpr int AutomaticCheckDelayMs = 1000;
constexpr int ProgressIntervalMs = 100;
constexpr qint64 CheckIntervalSecs = 24 * 60 * 60;

// What the application set through the C calls; read by both threads.
struct Config
{
    QMutex mutex; // guards the members without their own atomic
    QByteArray url;
    QByteArray publicKey = QByteArray::fromBase64(TAGORIX_UPDATE_PUBLIC_KEY);
    winsparkle::InstallerLauncher launcher;
    std::atomic<win_sparkle_can_shutdown_callback_t> canShutdown{nullptr};
    std::atomic<win_sparkle_shutdown_request_callback_t> shutdownRequest{nullptr};
    std::atomic<int> automatic{0};
};

Config &config()
{
    static Config c;
    return c;
}

class Engine;

// Lives on the worker thread: the network, the file and the shutdown question.
class Worker : public QObject
{
public:
    explicit Worker(Engine *engine) : engine(engine) {}

    void fetchFeed(const QUrl &url, quint64 token);
    void download(const appcast::Release &release, quint64 token);
    void cancel();
    void install(const QString &package, quint64 token);

private:
    QNetworkReply *get(const QUrl &url, int timeoutMs);
    void report(std::function<void(Engine *)> call);

    Engine *engine;
    QNetworkAccessManager *manager = nullptr;
    QPointer<QNetworkReply> current;
    std::unique_ptr<QTemporaryDir> folder;
};

// Lives on the GUI thread: the schedule, the settings and the dialog.
class Engine : public QObject
{
public:
    Engine();
    ~Engine() override;

    void scheduleAutomaticCheck();
    void checkWithUi();

    // Results from the worker, delivered on the GUI thread.
    void feedRead(quint64 token, const appcast::Release &release, const QString &error);
    void downloadProgress(quint64 token, qint64 received, qint64 total);
    void downloaded(quint64 token, const QString &package, const QString &error);
    void shutdownAnswered(quint64 token, bool allowed);

private:
    enum class Mode
    {
        Idle,
        Checking,
        Offered,
        Downloading,
        Installing
    };

    Worker *worker();
    void runOnWorker(std::function<void(Worker *)> call);
    void automaticCheck();
    void startCheck(bool interactive);
    void offer();
    void showDialog();
    void install();
    // Back to idle, the dialog showing why nothing was installed.
    void notInstalled(const QString &reason);
    void skip();
    void later();
    void cancel();
    UpdateDialog *dialog();

    QThread *thread = nullptr;
    Worker *work = nullptr;
    QPointer<UpdateDialog> dlg;
    Mode mode = Mode::Idle;
    bool interactive = false;
    quint64 token = 0;
    appcast::Release offered;
};

Engine *engine = nullptr; // GUI thread only

// --- Worker -----------------------------------------------------------------

void Worker::report(std::function<void(Engine *)> call)
{
    Engine *e = engine;
    QMetaObject::invokeMethod(
        e, [e, call] { call(e); }, Qt::QueuedConnection);
}

QNetworkReply *Worker::get(const QUrl &url, int timeoutMs)
{
    if (!manager)
        manager = new QNetworkAccessManager(this);
    if (current)
        current->abort();
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setTransferTimeout(timeoutMs);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("Tagorix/%1").arg(QLatin1String(version::string)));
    QNetworkReply *reply = manager->get(request);
    // A redirect may not lead away from https.
    connect(reply, &QNetworkReply::redirected, reply, [reply](const QUrl &target) {
        if (appcast::urlAllowed(target))
            emit reply->redirectAllowed();
        else
            reply->abort();
    });
    current = reply;
    return reply;
}

void Worker::cancel()
{
    if (current)
        current->abort();
}

void Worker::fetchFeed(const QUrl &url, quint64 token)
{
    if (!appcast::urlAllowed(url)) {
        const QString error =
            url.isEmpty()
                ? QCoreApplication::translate("UpdateCheck",
                                              "No update feed is configured for this build.")
                : QCoreApplication::translate("UpdateCheck",
                                              "The update feed address %1 is not an https address.")
                      .arg(url.toString(QUrl::RemoveUserInfo));
        report([=](Engine *e) { e->feedRead(token, appcast::Release(), error); });
        return;
    }
    QNetworkReply *reply = get(url, FeedTimeoutMs);
    reply->setReadBufferSize(256 * 1024);
    auto body = std::make_shared<QByteArray>();
    auto refusal = std::make_shared<QString>();
    const QString tooLarge = QCoreApplication::translate(
        "UpdateCheck", "The update feed is larger than 1 MiB and was not read.");
    connect(reply, &QNetworkReply::metaDataChanged, this, [reply, refusal, tooLarge] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() >
            appcast::MaxFeedBytes) {
            *refusal = tooLarge;
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::readyRead, this, [reply, body, refusal, tooLarge] {
        body->append(reply->readAll());
        if (body->size() > appcast::MaxFeedBytes) {
            *refusal = tooLarge;
            reply->abort();
        }
    });
    connect(
        reply, &QNetworkReply::finished, this, [this, reply, body, refusal, token, url, tooLarge] {
            reply->deleteLater();
            QString error = *refusal;
            if (error.isEmpty() && reply->error() != QNetworkReply::NoError) {
                error = reply->error() == QNetworkReply::InsecureRedirectError ||
                                reply->error() == QNetworkReply::OperationCanceledError
                            ? QCoreApplication::translate(
                                  "UpdateCheck", "The update feed could not be read: it was "
                                                 "redirected to an address that is not https.")
                            : QCoreApplication::translate("UpdateCheck",
                                                          "The update feed could not be read: %1")
                                  .arg(reply->errorString());
            }
            appcast::Release release;
            if (error.isEmpty()) {
                body->append(reply->readAll());
                if (body->size() > appcast::MaxFeedBytes)
                    error = tooLarge;
                else
                    release = appcast::parseFeed(*body, reply->url().isEmpty() ? url : reply->url(),
                                                 &error);
            }
            report([=](Engine *e) { e->feedRead(token, release, error); });
        });
}

void Worker::download(const appcast::Release &release, quint64 token)
{
    auto fail = [this, token](const QString &error) {
        folder.reset();
        report([=](Engine *e) { e->downloaded(token, QString(), error); });
    };
    if (!appcast::urlAllowed(release.url))
        return fail(QCoreApplication::translate("UpdateCheck",
                                                "The download address %1 is not an https address.")
                        .arg(release.url.toString(QUrl::RemoveUserInfo)));
    if (release.length <= 0 || release.length > appcast::MaxDownloadBytes)
        return fail(QCoreApplication::translate(
            "UpdateCheck", "The update feed gives no valid size for the download."));
    if (release.signature.isEmpty())
        return fail(QCoreApplication::translate("UpdateCheck", "The update is not signed."));

    // A folder of our own (mode 0700), so nobody swaps the file between the
    // check and the installer.
    folder = std::make_unique<QTemporaryDir>(
        QDir::temp().filePath(QStringLiteral("tagorix-update-XXXXXX")));
    if (!folder->isValid())
        return fail(QCoreApplication::translate("UpdateCheck",
                                                "No folder for the download could be made: %1")
                        .arg(folder->errorString()));
    QString name = QFileInfo(release.url.path()).fileName();
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._+~-]")), QStringLiteral("_"));
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        name = QStringLiteral("tagorix-update");
    const QString path = folder->filePath(name);
    auto file = std::make_shared<QFile>(path);
    if (!file->open(QIODevice::WriteOnly))
        return fail(QCoreApplication::translate("UpdateCheck", "The download cannot be written: %1")
                        .arg(file->errorString()));

    QNetworkReply *reply = get(release.url, DownloadTimeoutMs);
    reply->setReadBufferSize(1024 * 1024);
    auto refusal = std::make_shared<QString>();
    auto received = std::make_shared<qint64>(0);
    auto lastReport = std::make_shared<qint64>(-1);
    const qint64 length = release.length;
    connect(reply, &QNetworkReply::readyRead, this, [=] {
        const QByteArray chunk = reply->readAll();
        *received += chunk.size();
        if (*received > length) {
            *refusal = QCoreApplication::translate(
                           "UpdateCheck",
                           "The download is larger than the update feed announced (%1 bytes).")
                           .arg(length);
            reply->abort();
            return;
        }
        if (file->write(chunk) != chunk.size()) {
            *refusal =
                QCoreApplication::translate("UpdateCheck", "The download cannot be written: %1")
                    .arg(file->errorString());
            reply->abort();
            return;
        }
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        if (now - *lastReport >= ProgressIntervalMs || *received == length) {
            *lastReport = now;
            const qint64 got = *received;
            report([=](Engine *e) { e->downloadProgress(token, got, length); });
        }
    });
    connect(reply, &QNetworkReply::finished, this, [=] {
        reply->deleteLater();
        file->close();
        QString error = *refusal;
        if (error.isEmpty() && reply->error() != QNetworkReply::NoError)
            error = QCoreApplication::translate("UpdateCheck", "The download failed: %1")
                        .arg(reply->errorString());
        if (error.isEmpty())
            error =
                appcast::verifyDownload(path, length, release.signature, winsparkle::publicKey());
        if (!error.isEmpty()) {
            qWarning("Update %s refused: %s", qPrintable(release.url.toString()),
                     qPrintable(error));
            return fail(error);
        }
        qInfo("Update %s downloaded and verified", qPrintable(release.url.toString()));
        report([=](Engine *e) { e->downloaded(token, path, QString()); });
    });
}

void Worker::install(const QString &package, quint64 token)
{
    // The application closes its windows (and asks about unsaved labels) on
    // its GUI thread while this thread waits for the answer.
    const win_sparkle_can_shutdown_callback_t canShutdown = config().canShutdown.load();
    const bool allowed = canShutdown && canShutdown() != 0;
    report([=](Engine *e) { e->shutdownAnswered(token, allowed); });
    if (!allowed) {
        folder.reset();
        return;
    }
    winsparkle::InstallerLauncher launcher;
    {
        QMutexLocker lock(&config().mutex);
        launcher = config().launcher;
    }
    const bool started = launcher ? launcher(package) : winsparkle::openWithDesktop(package);
    // The installer reads the package after we are gone.
    if (folder)
        folder->setAutoRemove(false);
    if (started)
        qInfo("Installer started for %s", qPrintable(package));
    else
        qCritical("The installer could not be started; the package is kept at %s",
                  qPrintable(package));
    // The windows are closed already; staying without them helps nobody.
    if (const win_sparkle_shutdown_request_callback_t quit = config().shutdownRequest.load())
        quit();
}

// --- Engine -----------------------------------------------------------------

Engine::Engine() = default;

Engine::~Engine()
{
    if (thread) {
        thread->quit();
        thread->wait();
        delete thread;
    }
    delete dlg.data();
}

Worker *Engine::worker()
{
    if (!thread) {
        // Started on first use: --help and --version never start it.
        thread = new QThread;
        thread->setObjectName(QStringLiteral("updater"));
        work = new Worker(this);
        work->moveToThread(thread);
        connect(thread, &QThread::finished, work, &QObject::deleteLater);
        thread->start();
    }
    return work;
}

void Engine::runOnWorker(std::function<void(Worker *)> call)
{
    Worker *w = worker();
    QMetaObject::invokeMethod(
        w, [w, call] { call(w); }, Qt::QueuedConnection);
}

UpdateDialog *Engine::dialog()
{
    if (!dlg) {
        dlg = new UpdateDialog;
        connect(dlg, &UpdateDialog::installClicked, this, [this] { install(); });
        connect(dlg, &UpdateDialog::skipClicked, this, [this] { skip(); });
        connect(dlg, &UpdateDialog::laterClicked, this, [this] { later(); });
        connect(dlg, &UpdateDialog::cancelled, this, [this] { cancel(); });
    }
    return dlg;
}

void Engine::showDialog()
{
    UpdateDialog *d = dialog();
    d->show();
    d->raise();
    d->activateWindow();
}

void Engine::scheduleAutomaticCheck()
{
    QTimer::singleShot(AutomaticCheckDelayMs, this, [this] { automaticCheck(); });
}

void Engine::automaticCheck()
{
    // Batch runs turn the check off after start-up, before this fires.
    if (!config().automatic.load() || mode != Mode::Idle)
        return;
    {
        // A build without a feed stays silent and starts no thread.
        QMutexLocker lock(&config().mutex);
        if (config().url.isEmpty())
            return;
    }
    const QDateTime last = QSettings().value(LastCheckKey).toDateTime();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    // A time in the future (a clock set back) counts as due.
    if (last.isValid() && last <= now && last.secsTo(now) < CheckIntervalSecs)
        return;
    startCheck(false);
}

void Engine::checkWithUi()
{
    interactive = true;
    if (mode == Mode::Idle) {
        dialog()->showChecking();
        startCheck(true);
    } else if (mode == Mode::Checking) {
        // An automatic check already runs; its answer is shown now.
        dialog()->showChecking();
    }
    if (mode != Mode::Installing)
        showDialog();
}

void Engine::startCheck(bool userAsked)
{
    interactive = userAsked;
    mode = Mode::Checking;
    const quint64 t = ++token;
    QByteArray url;
    {
        QMutexLocker lock(&config().mutex);
        url = config().url;
    }
    const QUrl feed = QUrl::fromEncoded(url);
    runOnWorker([feed, t](Worker *w) { w->fetchFeed(feed, t); });
}

void Engine::feedRead(quint64 t, const appcast::Release &release, const QString &error)
{
    if (t != token || mode != Mode::Checking)
        return;
    mode = Mode::Idle;
    // Reported once the dialog shows the outcome.
    struct Report
    {
        bool interactive;
        QString error;
        ~Report() { emit winsparkle::events()->checkFinished(interactive, error); }
    } report{interactive, error};
    if (!error.isEmpty()) {
        qInfo("Update check failed: %s", qPrintable(error));
        if (interactive)
            dialog()->showFailure(
                QCoreApplication::translate("UpdateCheck", "The update check failed."), error);
        return;
    }
    QSettings settings;
    settings.setValue(LastCheckKey, QDateTime::currentDateTimeUtc());
    const QString current = QLatin1String(version::string);
    // "4.1.0" to people, as the release's own short version is shown.
    const QString shown = current.startsWith(QLatin1Char('v')) ? current.mid(1) : current;
    if (appcast::compareVersions(release.version, current) <= 0) {
        qInfo("Update check: %s is the newest version", version::string);
        if (interactive)
            dialog()->showUpToDate(shown);
        return;
    }
    // A skipped version is offered again only when asked, or when a newer one comes.
    const QString skipped = settings.value(SkippedKey).toString();
    if (!interactive && !skipped.isEmpty() &&
        appcast::compareVersions(release.version, skipped) <= 0) {
        qInfo("Update check: %s is newer, but skipped", qPrintable(release.version));
        return;
    }
    qInfo("Update check: %s is available", qPrintable(release.version));
    offered = release;
    mode = Mode::Offered;
    dialog()->showAvailable(release, shown);
    offer();
}

void Engine::offer()
{
    if (mode != Mode::Offered || !dlg)
        return;
    // Not on top of a modal dialog (the new-label dialog at start-up, a save
    // prompt): the offer waits until it is answered.
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != dlg) {
        QTimer::singleShot(500, this, [this] { offer(); });
        return;
    }
    showDialog();
}

void Engine::install()
{
    if (mode != Mode::Offered)
        return;
    bool launcherSet = false;
    {
        QMutexLocker lock(&config().mutex);
        launcherSet = bool(config().launcher);
    }
    if (!launcherSet && QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) {
        mode = Mode::Idle;
        dialog()->showFailure(
            QCoreApplication::translate("UpdateCheck", "The update cannot be installed."),
            QCoreApplication::translate(
                "UpdateCheck", "No program was found to open the package with (xdg-open, from "
                               "the xdg-utils package)."));
        return;
    }
    mode = Mode::Downloading;
    const quint64 t = ++token;
    const appcast::Release release = offered;
    dialog()->showDownloading(release.displayVersion());
    dialog()->setProgress(0, release.length);
    runOnWorker([release, t](Worker *w) { w->download(release, t); });
}

void Engine::downloadProgress(quint64 t, qint64 received, qint64 total)
{
    if (t == token && mode == Mode::Downloading && dlg)
        dlg->setProgress(received, total);
}

void Engine::downloaded(quint64 t, const QString &package, const QString &error)
{
    if (t != token || mode != Mode::Downloading)
        return;
    if (!error.isEmpty()) {
        notInstalled(error);
        emit winsparkle::events()->downloadFinished(error);
        return;
    }
    emit winsparkle::events()->downloadFinished(error);
    // Hidden, not closed: the application is about to close its windows, and
    // this one must not count among them.
    mode = Mode::Installing;
    dialog()->hide();
    runOnWorker([package, t](Worker *w) { w->install(package, t); });
}

void Engine::shutdownAnswered(quint64 t, bool allowed)
{
    if (t != token || mode != Mode::Installing)
        return;
    if (allowed) {
        emit winsparkle::events()->shutdownAnswered(allowed);
        return;
    }
    notInstalled(QCoreApplication::translate(
        "UpdateCheck", "Tagorix was not closed, so the update was not installed. Check for "
                       "updates again when your labels are saved."));
    emit winsparkle::events()->shutdownAnswered(allowed);
}

void Engine::notInstalled(const QString &reason)
{
    mode = Mode::Idle;
    dialog()->showFailure(
        QCoreApplication::translate("UpdateCheck", "The update was not installed."), reason);
    showDialog();
}

void Engine::skip()
{
    if (mode != Mode::Offered)
        return;
    QSettings().setValue(SkippedKey, offered.version);
    mode = Mode::Idle;
    dialog()->hide();
}

void Engine::later()
{
    if (mode == Mode::Offered)
        mode = Mode::Idle;
    dialog()->hide();
}

void Engine::cancel()
{
    if (mode == Mode::Checking || mode == Mode::Downloading) {
        ++token; // whatever still arrives is dropped
        mode = Mode::Idle;
        runOnWorker([](Worker *w) { w->cancel(); });
    }
    dialog()->hide();
}

} // namespace

// --- C interface ------------------------------------------------------------

void win_sparkle_set_appcast_url(const char *url)
{
    QMutexLocker lock(&config().mutex);
    config().url = url ? QByteArray(url) : QByteArray();
}

void win_sparkle_set_can_shutdown_callback(win_sparkle_can_shutdown_callback_t callback)
{
    config().canShutdown.store(callback);
}

void win_sparkle_set_shutdown_request_callback(win_sparkle_shutdown_request_callback_t callback)
{
    config().shutdownRequest.store(callback);
}

void win_sparkle_set_automatic_check_for_updates(int state)
{
    config().automatic.store(state ? 1 : 0);
}

void win_sparkle_init(void)
{
    if (engine)
        return;
    engine = new Engine;
    if (config().automatic.load())
        engine->scheduleAutomaticCheck();
}

void win_sparkle_check_update_with_ui(void)
{
    if (engine)
        engine->checkWithUi();
    else
        qWarning("Update check asked for before the updater started");
}

void win_sparkle_cleanup(void)
{
    delete engine;
    engine = nullptr;
}

// --- C++ side ---------------------------------------------------------------

QByteArray winsparkle::publicKey()
{
    QMutexLocker lock(&config().mutex);
    return config().publicKey;
}

void winsparkle::setPublicKey(const QByteArray &key)
{
    QMutexLocker lock(&config().mutex);
    config().publicKey = key;
}

void winsparkle::setInstallerLauncher(InstallerLauncher launcher)
{
    QMutexLocker lock(&config().mutex);
    config().launcher = std::move(launcher);
}

bool winsparkle::openWithDesktop(const QString &package)
{
    // The desktop's own handler for the file type: for a .deb, its software
    // centre or package installer, which asks for the administrator's consent.
    return QProcess::startDetached(QStringLiteral("xdg-open"), {package});
}

winsparkle::Events *winsparkle::events()
{
    static Events e;
    return &e;
}
