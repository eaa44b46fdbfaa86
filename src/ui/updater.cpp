#include "updater.h"

#include "buildinfo.h"
#include "platform/winsparkle.h"

#include <QApplication>
#include <QSettings>
#include <QThread>
#include <QWidget>

std::atomic<Updater *> Updater::self{nullptr};

Updater::Updater(QObject *parent) : QObject(parent)
{
    Updater *none = nullptr;
    self.compare_exchange_strong(none, this);

    // Made before the application connects requestClose() to closeAllWindows(),
    // so this slot is queued first and runs at the event loop level the close
    // will run at, not inside the close's own prompts.
    connect(this, &Updater::requestClose, this, &Updater::armCloseMarker, Qt::QueuedConnection);

    win_sparkle_set_appcast_url(feedUrl().toUtf8().constData());
    win_sparkle_set_can_shutdown_callback(&Updater::canShutdown);
    win_sparkle_set_shutdown_request_callback(&QCoreApplication::quit);
    win_sparkle_set_automatic_check_for_updates(1);
    win_sparkle_init();
}

Updater::~Updater()
{
    {
        // A shutdown question still waiting gets its no, so cleanup can join the thread.
        QMutexLocker lock(&mutex);
        closeRefused = true;
        goingAway = true;
    }
    win_sparkle_cleanup();
    // The next pass of the start-up loop makes a new instance; none may point here.
    Updater *me = this;
    self.compare_exchange_strong(me, nullptr);
}

Updater *Updater::instance()
{
    return self.load();
}

QString Updater::feedUrl()
{
    const QString configured =
        QSettings().value(QStringLiteral("updater/feedUrl")).toString().trimmed();
    if (!configured.isEmpty())
        return configured;
    const QString host = QStringLiteral(TAGORIX_UPDATE_HOST);
    if (host.isEmpty())
        return QString();
    return host + QLatin1String(FeedPath);
}

int Updater::canShutdown()
{
    Updater *updater = self.load();
    return updater ? updater->prepareShutdown() : 0;
}

int Updater::prepareShutdown()
{
    {
        QMutexLocker lock(&mutex);
        if (goingAway)
            return 0;
        windowsClosed = false;
        closeRefused = false;
        closeQueued = false;
    }
    const bool quitOnClose = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    const QMetaObject::Connection closed =
        connect(qGuiApp, &QGuiApplication::lastWindowClosed, this, &Updater::allWindowsClosed,
                Qt::DirectConnection);
    emit requestClose();
    {
        // Every queued slot of the signal, closeAllWindows() among them, is posted now.
        QMutexLocker lock(&mutex);
        closeQueued = true;
    }

    // Nothing is locked while this thread sleeps, so the GUI thread runs on
    // freely through the save prompts.
    for (;;) {
        {
            QMutexLocker lock(&mutex);
            if (windowsClosed)
                break;
            if (closeRefused) {
                lock.unlock();
                disconnect(closed);
                QGuiApplication::setQuitOnLastWindowClosed(quitOnClose);
                return 0;
            }
        }
        QThread::msleep(20);
    }
    disconnect(closed);
    return 1;
}

void Updater::allWindowsClosed()
{
    QMutexLocker lock(&mutex);
    windowsClosed = true;
}

void Updater::armCloseMarker()
{
    // deleteLater() from the GUI thread is carried out only when control is
    // back at this event loop level: not inside the save prompts' own loops
    // nor in a processEvents() during a save. A marker armed once the close
    // request is queued therefore ends only after that close was answered.
    // One armed earlier (the layer's thread may still be queueing it) only
    // arms the next.
    bool afterClose = false;
    {
        QMutexLocker lock(&mutex);
        afterClose = closeQueued;
    }
    auto *marker = new QObject(this);
    connect(marker, &QObject::destroyed, this, [this, afterClose] { closeSettled(afterClose); });
    marker->deleteLater();
}

void Updater::closeSettled(bool afterClose)
{
    QMutexLocker lock(&mutex);
    if (windowsClosed || closeRefused)
        return;
    if (!afterClose) {
        lock.unlock();
        armCloseMarker();
        return;
    }
    // lastWindowClosed only comes while the event loop runs; a close with no
    // window left standing is a close all the same.
    const QWidgetList windows = QApplication::topLevelWidgets();
    const bool standing = std::any_of(windows.begin(), windows.end(), [](QWidget *w) {
        return w->isVisible() && !w->parentWidget() && w->testAttribute(Qt::WA_QuitOnClose);
    });
    if (standing)
        closeRefused = true;
    else
        windowsClosed = true;
}
