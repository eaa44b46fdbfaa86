#include "dispatcher.h"

#include "printhandler.h"
#include "printjobs.h"
#include "rasterjob.h"
#include "renderer.h"

#include <QCoreApplication>
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
    // (acceptance order, job id): a printer's jobs print in the order accepted.
    std::deque<std::pair<qint64, QString>> jobs;
    std::condition_variable wake;
    bool waiting = false;
    QString reason;
    std::thread thread;
    std::atomic<bool> done{false};
};

Dispatcher::Dispatcher(Journal *journal, JobRenderer *renderer, int retryMaxSeconds)
    : journal(journal), renderer(renderer), retryMaxMs(qMax(1, retryMaxSeconds) * 1000)
{
}

Dispatcher::~Dispatcher()
{
    stop();
}

void Dispatcher::start()
{
    const QList<JobRecord> open = journal->unfinished();
    for (const JobRecord &job : open) {
        if (job.state == state::Sent && job.cupsJob > 0) {
            std::lock_guard<std::mutex> guard(lock);
            followed[job.id] = Followed{job.printer, job.cupsJob, qMax(0, job.labels), 0};
        } else if (job.sendStarted) {
            Change change;
            change.state = state::Interrupted;
            change.error = InterruptedText;
            journal->transition(job.id, {}, change);
        } else {
            if (job.state != state::Queued) {
                Change change;
                change.state = state::Queued;
                journal->transition(job.id, {}, change);
            }
            enqueue(job);
        }
    }
    follower = std::thread([this] { follow(); });
}

void Dispatcher::stop()
{
    {
        std::lock_guard<std::mutex> guard(lock);
        stopping = true;
        for (auto &w : workers)
            w.second->wake.notify_all();
        followWake.notify_all();
    }
    // A worker may be waiting for the renderer, which answers on this thread.
    for (auto &w : workers) {
        while (w.second->thread.joinable() && !w.second->done)
        {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            QThread::msleep(5);
        }
        if (w.second->thread.joinable())
            w.second->thread.join();
    }
    if (follower.joinable())
        follower.join();
}

Dispatcher::Worker *Dispatcher::workerFor(const QString &printer)
{
    auto it = workers.find(printer);
    if (it != workers.end())
        return it->second.get();
    auto worker = std::make_unique<Worker>();
    worker->printer = printer;
    Worker *w = worker.get();
    workers.emplace(printer, std::move(worker));
    w->thread = std::thread([this, w] {
        run(w);
        w->done = true;
    });
    return w;
}

void Dispatcher::enqueue(const JobRecord &job)
{
    std::lock_guard<std::mutex> guard(lock);
    if (stopping)
        return;
    Worker *w = workerFor(job.printer);
    // Clients answered at once may come back out of order; the journal's order holds.
    auto at = w->jobs.end();
    while (at != w->jobs.begin() && std::prev(at)->first > job.seq)
        --at;
    w->jobs.insert(at, {job.seq, job.id});
    w->wake.notify_all();
}

void Dispatcher::forget(const QString &id, const QString &printer)
{
    std::lock_guard<std::mutex> guard(lock);
    auto it = workers.find(printer);
    if (it == workers.end())
        return;
    auto &jobs = it->second->jobs;
    for (auto j = jobs.begin(); j != jobs.end(); ++j) {
        // A worker that holds it finds it cancelled in the journal.
        if (j->second == id) {
            jobs.erase(j);
            break;
        }
    }
}

int Dispatcher::queuedFor(const QString &printer) const
{
    std::lock_guard<std::mutex> guard(lock);
    auto it = workers.find(printer);
    return it == workers.end() ? 0 : int(it->second->jobs.size());
}

bool Dispatcher::takesPrinter(const QString &printer) const
{
    std::lock_guard<std::mutex> guard(lock);
    return workers.count(printer) > 0 || workers.size() < size_t(MaxPrinters);
}

QList<Dispatcher::PrinterState> Dispatcher::printers() const
{
    QList<PrinterState> out;
    std::lock_guard<std::mutex> guard(lock);
    for (const auto &w : workers)
        out.append(PrinterState{w.first, int(w.second->jobs.size()), w.second->waiting,
                                w.second->reason});
    return out;
}

bool Dispatcher::pause(std::unique_lock<std::mutex> &guard, std::condition_variable &cv, int ms)
{
    cv.wait_for(guard, std::chrono::milliseconds(ms), [this] { return stopping; });
    return !stopping;
}

void Dispatcher::run(Worker *w)
{
    int delay = FirstRetryMs;
    auto pop = [&](const QString &id) {
        std::lock_guard<std::mutex> guard(lock);
        if (!w->jobs.empty() && w->jobs.front().second == id)
            w->jobs.pop_front();
    };
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
        QString id;
        {
            std::unique_lock<std::mutex> guard(lock);
            w->wake.wait(guard, [&] { return stopping || !w->jobs.empty(); });
            if (stopping)
                return;
            id = w->jobs.front().second;
        }
        const QString problem = waitingReason(w->printer);
        if (!problem.isEmpty()) {
            // Every job of the printer waits, and says why.
            QStringList ids;
            QString before;
            {
                std::lock_guard<std::mutex> guard(lock);
                for (const auto &j : w->jobs)
                    ids.append(j.second);
                before = w->reason;
            }
            Change change;
            change.state = state::Waiting;
            change.waitingReason = problem;
            journal->transitionAll(ids, problem == before
                                            ? QStringList{state::Queued}
                                            : QStringList{state::Queued, state::Waiting},
                                   change);
            if (!backOff(problem))
                return;
            continue;
        }
        Change claim;
        claim.state = state::Rendering;
        if (!journal->transition(id, {state::Queued, state::Waiting}, claim)) {
            if (journal->healthy())
                pop(id);
            else if (!backOff(QStringLiteral("the journal cannot be written")))
                return;
            continue;
        }
        QStringList stillWaiting;
        {
            std::lock_guard<std::mutex> guard(lock);
            if (w->waiting) {
                for (const auto &j : w->jobs)
                    if (j.second != id)
                        stillWaiting.append(j.second);
            }
            w->waiting = false;
            w->reason.clear();
        }
        if (!stillWaiting.isEmpty()) {
            Change back;
            back.state = state::Queued;
            journal->transitionAll(stillWaiting, {state::Waiting}, back);
        }
        delay = FirstRetryMs;
        const std::optional<JobRecord> job = journal->job(id);
        if (!job) {
            pop(id);
            continue;
        }
        const Rendered drawn = renderer->invoke<Rendered>([&] { return renderer->render(*job); });
        if (!drawn.ok) {
            Change change;
            change.state = state::Failed;
            change.error = drawn.error;
            change.problems = drawn.problems;
            change.labels = drawn.labels;
            journal->transition(id, {state::Rendering}, change);
            pop(id);
            continue;
        }
        // On disk before the first byte goes out: after a crash from here on,
        // the job is never sent again on its own.
        Change sending;
        sending.state = state::Rendering;
        sending.sendStarted = true;
        sending.labels = drawn.labels;
        if (!journal->transition(id, {state::Rendering}, sending)) {
            // Not on disk: nothing may go out. Try the job again later.
            Change back;
            back.state = state::Queued;
            journal->transition(id, {state::Rendering}, back);
            if (!backOff(QStringLiteral("the journal cannot be written")))
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
            journal->transition(id, {state::Rendering}, sent);
            std::lock_guard<std::mutex> guard(lock);
            followed[id] = Followed{w->printer, cupsJob, drawn.labels, 0};
            followWake.notify_all();
        } else if (cupsJob <= 0) {
            // The print system made no job: nothing was printed, so it waits.
            Change change;
            change.state = state::Waiting;
            change.sendStarted = false;
            change.waitingReason = error;
            journal->transition(id, {state::Rendering}, change);
            if (!backOff(error))
                return;
            continue;
        } else {
            Change change;
            change.state = state::Interrupted;
            change.cupsJob = cupsJob;
            change.error = error + QStringLiteral("; the job was cancelled in the print system, "
                                                  "but some of it may have printed: reprint or "
                                                  "cancel it");
            journal->transition(id, {state::Rendering}, change);
        }
        pop(id);
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
            journal->transition(f.first, {state::Sent}, change);
            std::lock_guard<std::mutex> guard(lock);
            followed.erase(f.first);
        }
    }
}

} // namespace server
