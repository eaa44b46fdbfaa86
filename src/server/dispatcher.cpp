#include "dispatcher.h"

#include "printhandler.h"
#include "printjobs.h"
#include "rasterjob.h"
#include "renderer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSet>
#include <QThread>

#include <cups/cups.h>

namespace server {

namespace {

constexpr int FirstRetryMs = 1000;
constexpr int FollowEveryMs = 300;
// Polls after which a job the print system no longer knows is given up.
constexpr int MissesBeforeGivingUp = 200;

// Why a printer's jobs wait, as the service says it: it tries again itself.
QString waitingReason(const QString &printer)
{
    QString detail;
    switch (PrintHandler::queueState(printer, &detail)) {
    case PrintHandler::QueueState::Ready:
        return QString();
    case PrintHandler::QueueState::NoScheduler:
        return QStringLiteral("the print system does not answer at %1").arg(detail);
    case PrintHandler::QueueState::NoAnswer:
        return QStringLiteral("the print system did not answer for \"%1\": %2").arg(printer, detail);
    case PrintHandler::QueueState::Gone:
        return QStringLiteral("the print system has no printer \"%1\"").arg(printer);
    case PrintHandler::QueueState::Rejecting:
        return QStringLiteral("the printer \"%1\" does not accept jobs").arg(printer);
    case PrintHandler::QueueState::Stopped:
        return QStringLiteral("the printer \"%1\" is stopped").arg(printer);
    }
    return QString();
}

const QString InterruptedText = QStringLiteral(
    "the server stopped while this job was being sent to the print system, so whether it "
    "printed is not known; it is not sent again on its own: reprint or cancel it");

} // namespace

struct Dispatcher::Worker
{
    QString printer;
    std::condition_variable wake;
    // The lease is ours, and when it was last renewed.
    bool held = false;
    QElapsedTimer renewed;
    bool waiting = false;
    QString reason;
    std::thread thread;
    std::atomic<bool> done{false};
};

Dispatcher::Dispatcher(Journal *journal, JobRenderer *renderer, int retryMaxSeconds,
                       const QString &instance, int leaseSeconds)
    : journal(journal), renderer(renderer), retryMaxMs(qMax(1, retryMaxSeconds) * 1000),
      instance(instance), leaseMs(qMax(1, leaseSeconds) * 1000)
{
}

Dispatcher::~Dispatcher()
{
    stop();
}

void Dispatcher::start()
{
    // Printers this name held in a run that ended are taken anew, so that
    // the jobs that run left are looked after.
    journal->releaseAll(instance);
    scoutThread = std::thread([this] { scout(); });
    follower = std::thread([this] { follow(); });
}

void Dispatcher::stop()
{
    {
        std::lock_guard<std::mutex> guard(lock);
        if (stopping && !scoutThread.joinable())
            return;
        stopping = true;
        for (auto &w : workers)
            w.second->wake.notify_all();
        followWake.notify_all();
        scoutWake.notify_all();
    }
    // A worker may be waiting for the renderer, which answers on this thread.
    for (auto &w : workers) {
        while (w.second->thread.joinable() && !w.second->done) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            QThread::msleep(5);
        }
        if (w.second->thread.joinable())
            w.second->thread.join();
    }
    if (scoutThread.joinable())
        scoutThread.join();
    if (follower.joinable())
        follower.join();
    // Others sharing the journal need not wait for the leases to run out.
    for (auto &w : workers)
        if (w.second->held)
            journal->release(w.first, instance);
}

void Dispatcher::enqueue(const JobRecord &job)
{
    std::lock_guard<std::mutex> guard(lock);
    auto it = workers.find(job.printer);
    if (it != workers.end() && !it->second->done && it->second->held) {
        it->second->wake.notify_all();
        return;
    }
    scoutNow = true;
    scoutWake.notify_all();
}

int Dispatcher::queuedFor(const QString &printer) const
{
    return journal->queuedFor(printer);
}

bool Dispatcher::takesPrinter(const QString &printer) const
{
    std::lock_guard<std::mutex> guard(lock);
    return workers.count(printer) > 0 || workers.size() < size_t(MaxPrinters);
}

QList<Dispatcher::PrinterState> Dispatcher::printers() const
{
    const QMap<QString, int> queued = journal->queuedByPrinter();
    QMap<QString, PrinterState> out;
    for (auto it = queued.cbegin(); it != queued.cend(); ++it)
        out[it.key()] = PrinterState{it.key(), it.value(), false, QString(), false};
    std::lock_guard<std::mutex> guard(lock);
    for (const auto &w : workers) {
        PrinterState &p = out[w.first];
        p.name = w.first;
        p.driven = w.second->held && !w.second->done;
        p.waiting = p.driven && w.second->waiting;
        p.reason = p.waiting ? w.second->reason : QString();
    }
    return out.values();
}

bool Dispatcher::pause(std::unique_lock<std::mutex> &guard, std::condition_variable &cv, int ms)
{
    cv.wait_for(guard, std::chrono::milliseconds(ms), [this] { return stopping; });
    return !stopping;
}

void Dispatcher::record(Worker *w, const QString &id, const QStringList &from,
                        const Change &change, bool unsentOnly)
{
    // Only while the job is still this service's: another that took the
    // printer over may have claimed it again since.
    // Until the journal answers: a change it never took must not be
    // mistaken for one that no longer applies.
    for (bool written = false;
         !journal->transition(id, from, change, unsentOnly, instance, &written) && !written;) {
        std::unique_lock<std::mutex> guard(lock);
        if (!pause(guard, w->wake, FirstRetryMs))
            return;
    }
}

void Dispatcher::recordSendOutcome(Worker *w, const QString &id, Change change)
{
    if (!change.error)
        change.error = QString();
    record(w, id, {state::Rendering, state::Interrupted}, change, true);
}

bool Dispatcher::holds(Worker *w) const
{
    // A lease not renewed for most of its time may be another's by now.
    return w->held && w->renewed.isValid() && w->renewed.elapsed() < leaseMs - leaseMs / 4;
}

void Dispatcher::recover(const QString &printer)
{
    for (const JobRecord &job : journal->unfinished(printer)) {
        {
            // A worker of this service that claimed it before the lease was
            // given back and taken again is still at it.
            std::lock_guard<std::mutex> guard(lock);
            if (inFlight.contains(job.id))
                continue;
        }
        if (job.state == state::Sent && job.cupsJob > 0) {
            std::lock_guard<std::mutex> guard(lock);
            followed[job.id] = Followed{job.printer, job.cupsJob, qMax(0, job.labels), 0};
        } else if (job.sendStarted) {
            Change change;
            change.state = state::Interrupted;
            change.error = InterruptedText;
            // Only as it was read: a job sent since is followed, not interrupted.
            if (journal->transition(job.id, {job.state}, change))
                qInfo("job %s on \"%s\" was being sent when its service stopped: interrupted",
                      qPrintable(job.id), qPrintable(printer));
        } else if (job.state == state::Rendering) {
            Change change;
            change.state = state::Queued;
            journal->transition(job.id, {state::Rendering}, change);
        }
    }
}

void Dispatcher::scout()
{
    const int every = qBound(200, leaseMs / 3, 5000);
    for (;;) {
        {
            std::unique_lock<std::mutex> guard(lock);
            scoutWake.wait_for(guard, std::chrono::milliseconds(every),
                               [this] { return stopping || scoutNow; });
            if (stopping)
                return;
            scoutNow = false;
        }
        const QStringList busy = journal->printersWithWork();
        QStringList mine;
        {
            std::lock_guard<std::mutex> guard(lock);
            for (const auto &w : workers)
                if (w.second->held && !w.second->done)
                    mine.append(w.first);
        }
        for (const QString &printer : mine) {
            // Nothing left to print: the printer is free for whoever gets work for it.
            if (!busy.contains(printer) && journal->release(printer, instance, true)) {
                std::lock_guard<std::mutex> guard(lock);
                auto it = workers.find(printer);
                if (it != workers.end()) {
                    it->second->held = false;
                    it->second->wake.notify_all();
                }
            }
        }
        for (const QString &printer : busy) {
            {
                std::lock_guard<std::mutex> guard(lock);
                if (stopping)
                    return;
                if (!workers.count(printer) && workers.size() >= size_t(MaxPrinters))
                    continue;
            }
            QString previous;
            const Journal::Lease lease = journal->lease(printer, instance, leaseMs, &previous);
            if (lease == Journal::Lease::Unknown)
                continue;
            if (lease == Journal::Lease::Taken) {
                if (!previous.isEmpty())
                    qInfo("taking printer \"%s\" over from %s, whose lease ran out",
                          qPrintable(printer), qPrintable(previous));
                recover(printer);
            }
            std::lock_guard<std::mutex> guard(lock);
            auto it = workers.find(printer);
            if (it != workers.end() && it->second->done) {
                if (it->second->thread.joinable())
                    it->second->thread.join();
                workers.erase(it);
                it = workers.end();
            }
            if (lease == Journal::Lease::Lost) {
                if (it != workers.end())
                    it->second->held = false;
                continue;
            }
            if (it == workers.end()) {
                auto worker = std::make_unique<Worker>();
                Worker *w = worker.get();
                w->printer = printer;
                w->held = true;
                w->renewed.start();
                workers.emplace(printer, std::move(worker));
                w->thread = std::thread([this, w] {
                    run(w);
                    w->done = true;
                });
            } else {
                it->second->held = true;
                it->second->renewed.start();
                it->second->wake.notify_all();
            }
        }
    }
}

void Dispatcher::run(Worker *w)
{
    int delay = FirstRetryMs;
    // Waits before the next try, each time longer up to the limit.
    auto backOff = [&](const QString &reason) {
        std::unique_lock<std::mutex> guard(lock);
        w->waiting = true;
        w->reason = reason;
        const bool goOn = pause(guard, w->wake, delay);
        delay = qMin(delay * 2, retryMaxMs);
        return goOn;
    };
    for (;;) {
        {
            std::lock_guard<std::mutex> guard(lock);
            if (stopping || !holds(w))
                return;
        }
        const QString problem = waitingReason(w->printer);
        if (!problem.isEmpty()) {
            // Every job of the printer waits, and says why.
            QString before;
            {
                std::lock_guard<std::mutex> guard(lock);
                before = w->reason;
            }
            Change change;
            change.state = state::Waiting;
            change.waitingReason = problem;
            journal->transitionPrinter(w->printer,
                                       problem == before
                                           ? QStringList{state::Queued}
                                           : QStringList{state::Queued, state::Waiting},
                                       change);
            if (!backOff(problem))
                return;
            continue;
        }
        const std::optional<JobRecord> job = journal->claimNext(w->printer, instance);
        if (!job) {
            if (!journal->healthy()) {
                if (!backOff(QStringLiteral("the journal cannot be written")))
                    return;
                continue;
            }
            std::unique_lock<std::mutex> guard(lock);
            if (!pause(guard, w->wake, 300))
                return;
            continue;
        }
        const QString id = job->id;
        struct Holding
        {
            Dispatcher *d;
            QString id;
            ~Holding()
            {
                std::lock_guard<std::mutex> guard(d->lock);
                d->inFlight.remove(id);
            }
        } holding{this, id};
        bool wasWaiting = false;
        {
            std::lock_guard<std::mutex> guard(lock);
            inFlight.insert(id);
            wasWaiting = w->waiting;
            w->waiting = false;
            w->reason.clear();
        }
        delay = FirstRetryMs;
        if (wasWaiting) {
            Change back;
            back.state = state::Queued;
            journal->transitionPrinter(w->printer, {state::Waiting}, back);
        }
        const Rendered drawn = renderer->invoke<Rendered>([&] { return renderer->render(*job); });
        if (!drawn.ok) {
            Change change;
            change.state = state::Failed;
            change.error = drawn.error;
            change.problems = drawn.problems;
            change.labels = drawn.labels;
            record(w, id, {state::Rendering}, change);
            continue;
        }
        // On disk before the first byte goes out, and only while the printer
        // is still this service's: after a crash from here on, the job is
        // never sent again on its own.
        // With time left on the lease, so that the send is over before
        // another service could take the printer over.
        if (!journal->markSending(*job, instance, drawn.labels, leaseMs / 3)) {
            // Not on disk, or the printer is another's: nothing may go out.
            Change back;
            back.state = state::Queued;
            // The mark may have been written while its answer was lost.
            back.sendStarted = false;
            record(w, id, {state::Rendering}, back);
            // Until the lease is renewed or given up, rather than drawing again at once.
            std::unique_lock<std::mutex> guard(lock);
            if (!pause(guard, w->wake, 200))
                return;
            continue;
        }
        int cupsJob = 0;
        QString error;
        const QString title = QStringLiteral("%1 (%2)").arg(job->design, job->id);
        if (rasterjob::send(w->printer, title, drawn.bytes, drawn.format.constData(),
                            drawn.options, &cupsJob, &error)) {
            Change sent;
            sent.state = state::Sent;
            sent.cupsJob = cupsJob;
            // The print system has it: that is written down as soon as the
            // journal takes writes again, or the job would seem interrupted.
            recordSendOutcome(w, id, sent);
            std::lock_guard<std::mutex> guard(lock);
            followed[id] = Followed{w->printer, cupsJob, drawn.labels, 0};
            followWake.notify_all();
        } else if (cupsJob <= 0) {
            // The print system made no job: nothing was printed, so it waits.
            Change change;
            change.state = state::Waiting;
            change.sendStarted = false;
            change.waitingReason = error;
            recordSendOutcome(w, id, change);
            if (!backOff(error))
                return;
        } else {
            Change change;
            change.state = state::Interrupted;
            change.cupsJob = cupsJob;
            change.error = error + QStringLiteral("; the job was cancelled in the print system, "
                                                  "but some of it may have printed: reprint or "
                                                  "cancel it");
            recordSendOutcome(w, id, change);
        }
    }
}

void Dispatcher::follow()
{
    for (;;) {
        std::map<QString, Followed> watching;
        {
            std::unique_lock<std::mutex> guard(lock);
            if (!pause(guard, followWake, FollowEveryMs))
                return;
            watching = followed;
        }
        if (watching.empty())
            continue;
        // One question per printer for the jobs still to print; the others
        // are asked for their end one by one.
        QMap<QString, QSet<int>> active;
        QSet<QString> unanswered;
        for (const auto &f : watching) {
            const QString &printer = f.second.printer;
            if (active.contains(printer) || unanswered.contains(printer))
                continue;
            cups_job_t *jobs = nullptr;
            const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, printer.toUtf8().constData(), 0,
                                       CUPS_WHICHJOBS_ACTIVE);
            if (n < 0 && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
                unanswered.insert(printer);
                continue;
            }
            QSet<int> ids;
            for (int i = 0; i < n; ++i)
                ids.insert(jobs[i].id);
            cupsFreeJobs(n, jobs);
            active.insert(printer, ids);
        }
        for (const auto &f : watching) {
            const Followed &job = f.second;
            if (unanswered.contains(job.printer) || active.value(job.printer).contains(job.cupsJob))
                continue;
            printjobs::Status status;
            if (!printjobs::status(job.printer, job.cupsJob, &status))
                continue;
            Change change;
            if (status.completed()) {
                change.state = state::Completed;
                change.printed = job.labels;
            } else if (status.cancelled()) {
                change.state = state::Cancelled;
                change.error = QStringLiteral("cancelled in the print system");
            } else if (status.done()) {
                change.state = state::Failed;
                change.error = QStringLiteral("aborted by the print system") +
                               (status.message.isEmpty() ? QString()
                                                         : QStringLiteral(": ") + status.message);
            } else if (status.state == 0) {
                std::lock_guard<std::mutex> guard(lock);
                auto it = followed.find(f.first);
                if (it != followed.end() && ++it->second.misses < MissesBeforeGivingUp)
                    continue;
                change.state = state::Interrupted;
                change.error = QStringLiteral("the print system no longer knows job %1, so "
                                              "whether it printed is not known: reprint or "
                                              "cancel it")
                                   .arg(job.cupsJob);
            } else {
                continue;
            }
            // Kept while the journal takes no writes: its end is written later.
            if (!journal->transition(f.first, {state::Sent}, change) && !journal->healthy())
                continue;
            std::lock_guard<std::mutex> guard(lock);
            followed.erase(f.first);
        }
    }
}

} // namespace server
