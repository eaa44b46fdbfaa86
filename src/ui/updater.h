#pragma once

#include <QMutex>
#include <QObject>
#include <QString>

#include <atomic>

// Connects the application to the update layer: registers the feed and the
// two callbacks, and turns the layer's "may we shut down?" (asked on its
// worker thread) into an orderly close of all windows on the GUI thread, so
// unsaved labels are offered for saving before an installation.
class Updater : public QObject
{
    Q_OBJECT
public:
    explicit Updater(QObject *parent = nullptr);
    ~Updater() override;

    // The first Updater constructed, while it lives.
    static Updater *instance();

    // The feed's address: the settings key "updater/feedUrl" when set (a
    // private mirror), otherwise the build's host and the fixed path.
    static QString feedUrl();
    static constexpr const char *FeedPath = "/upload/Software/tagorix4/cast.xml";

signals:
    // Emitted on the layer's thread; the application closes all windows.
    void requestClose();

public slots:
    void allWindowsClosed();

private slots:
    // GUI thread: learns when the close request has been answered.
    void armCloseMarker();

public:
    // The layer's can-shutdown callback (its worker thread): closes the
    // windows on the GUI thread and waits for the answer; 0 when no updater
    // lives or it is being destroyed.
    static int canShutdown();

private:
    int prepareShutdown();
    void closeSettled(bool afterClose);

    QMutex mutex;
    bool windowsClosed = false; // guarded by mutex
    // A window refused to close (Cancel in a save prompt), or the updater is
    // going away: the layer gets a no. Guarded by mutex.
    bool closeRefused = false;
    // The close request has been queued to the GUI thread. Guarded by mutex.
    bool closeQueued = false;
    // Set once by the destructor; a question that comes later gets its no at
    // once, since the GUI thread that would answer it is joining the worker.
    // Guarded by mutex.
    bool goingAway = false;

    static std::atomic<Updater *> self;
};
