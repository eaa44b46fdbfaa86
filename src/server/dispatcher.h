#pragma once

#include "journal.h"

#include <QMap>
#include <QSet>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace server {

class JobRenderer;

// Drives the printers: one worker thread per printer takes its jobs from the
// journal in the order they were accepted, has them drawn, and hands them
// to the print system; printers go on in parallel. A printer is driven only
// while this service holds its lease in the journal, so that services
// sharing one journal never drive a printer together, and one that dies
// is replaced when its lease runs out. A printer that cannot take a job
// keeps its jobs waiting and is tried again after a growing delay. A
// follower watches the jobs the print system holds until it reports them done.
class Dispatcher
{
public:
    Dispatcher(Journal *journal, JobRenderer *renderer, int retryMaxSeconds,
               const QString &instance, int leaseSeconds);
    ~Dispatcher();
    Dispatcher(const Dispatcher &) = delete;
    Dispatcher &operator=(const Dispatcher &) = delete;

    void start();
    // Lets the jobs being sent finish, hands the printers back, then ends
    // every thread.
    void stop();

    // A job just accepted (or reprinted): its printer is looked at now.
    void enqueue(const JobRecord &job);

    struct PrinterState
    {
        QString name;
        int queued = 0;
        bool waiting = false;
        QString reason;
        // This service drives it now.
        bool driven = false;
    };
    int queuedFor(const QString &printer) const;
    QList<PrinterState> printers() const;
    // False when the printer would be one more than the service drives at most
    // (names are checked with the print system, but not while it is down).
    bool takesPrinter(const QString &printer) const;
    static constexpr int MaxPrinters = 256;

    QString instanceName() const { return instance; }

private:
    struct Worker;
    struct Followed
    {
        QString printer;
        int cupsJob = 0;
        int labels = 0;
        int misses = 0;
    };
    void scout();
    // After this service took a printer over: its jobs from before.
    void recover(const QString &printer);
    void run(Worker *worker);
    void follow();
    bool holds(Worker *worker) const;
    // A change of a job this service is handling, tried again while the
    // journal takes no writes, so the job never stays as it was by mistake.
    void record(Worker *worker, const QString &id, const QStringList &from, const Change &change,
                bool unsentOnly = false);
    // What became of a job this service began to send. Another service that
    // took the printer over meanwhile (the lease ran out while the journal
    // was away) marked it interrupted, not knowing; the sender knows better.
    void recordSendOutcome(Worker *worker, const QString &id, Change change);
    // Waits `ms` unless stopping; false when stopping.
    bool pause(std::unique_lock<std::mutex> &guard, std::condition_variable &cv, int ms);

    Journal *journal;
    JobRenderer *renderer;
    int retryMaxMs;
    QString instance;
    int leaseMs;
    mutable std::mutex lock;
    bool stopping = false;
    std::map<QString, std::unique_ptr<Worker>> workers;
    std::map<QString, Followed> followed;
    // Jobs a worker of this service has claimed and not yet let go.
    QSet<QString> inFlight;
    std::condition_variable followWake;
    std::condition_variable scoutWake;
    bool scoutNow = false;
    std::thread scoutThread;
    std::thread follower;
};

} // namespace server
