#pragma once

#include "journal.h"

#include <QMap>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace server {

class JobRenderer;

// Drives the printers: one worker thread per printer takes its jobs in the
// order they were accepted, has them drawn, and hands them to the print
// system; printers go on in parallel. A printer that cannot take a job keeps
// its jobs waiting and is tried again after a growing delay. A follower
// watches the jobs the print system holds until it reports them done.
class Dispatcher
{
public:
    Dispatcher(Journal *journal, JobRenderer *renderer, int retryMaxSeconds);
    ~Dispatcher();
    Dispatcher(const Dispatcher &) = delete;
    Dispatcher &operator=(const Dispatcher &) = delete;

    // Takes up what the journal holds from an earlier run: jobs not yet being
    // sent go on in order; a job whose sending had begun is interrupted and
    // never sent again on its own; jobs the print system has are followed.
    void start();
    // Lets the jobs being sent finish, then ends every thread.
    void stop();

    // A job just accepted (or reprinted).
    void enqueue(const JobRecord &job);
    // A job that was cancelled while it waited.
    void forget(const QString &id, const QString &printer);

    struct PrinterState
    {
        QString name;
        int queued = 0;
        bool waiting = false;
        QString reason;
    };
    int queuedFor(const QString &printer) const;
    // False when the printer would be one more than the service drives at most
    // (names are checked with the print system, but not while it is down).
    bool takesPrinter(const QString &printer) const;
    static constexpr int MaxPrinters = 256;
    QList<PrinterState> printers() const;

private:
    struct Worker;
    struct Followed
    {
        QString printer;
        int cupsJob = 0;
        int labels = 0;
        int misses = 0;
    };
    Worker *workerFor(const QString &printer);
    void run(Worker *worker);
    void follow();
    // Waits `ms` unless stopping; false when stopping.
    bool pause(std::unique_lock<std::mutex> &guard, std::condition_variable &cv, int ms);

    Journal *journal;
    JobRenderer *renderer;
    int retryMaxMs;
    mutable std::mutex lock;
    bool stopping = false;
    std::map<QString, std::unique_ptr<Worker>> workers;
    std::map<QString, Followed> followed;
    std::condition_variable followWake;
    std::thread follower;
};

} // namespace server
