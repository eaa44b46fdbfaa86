#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <QJsonObject>
#include <QVariant>

#include "sqldb.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>


namespace server {

namespace state {
inline const QString Queued = QStringLiteral("queued");
inline const QString Rendering = QStringLiteral("rendering");
inline const QString Sent = QStringLiteral("sent");
inline const QString Completed = QStringLiteral("completed");
inline const QString Failed = QStringLiteral("failed");
inline const QString Cancelled = QStringLiteral("cancelled");
inline const QString Interrupted = QStringLiteral("interrupted");
inline const QString Waiting = QStringLiteral("waiting");
inline const QStringList All{Queued, Rendering, Sent, Completed, Failed, Cancelled, Interrupted,
                             Waiting};
} // namespace state

// One job as the journal keeps it.
struct JobRecord
{
    // Acceptance order: the order a printer's jobs print in.
    qint64 seq = 0;
    QString id;
    QString owner;
    QString idempotencyKey;
    // SHA-256 of the request in its fixed form, for idempotent repeats.
    QByteArray requestHash;
    QByteArray request;
    QString design;
    QString printer;
    QString state;
    // Labels to print; -1 until the job was drawn.
    int labels = -1;
    int printed = 0;
    int copies = 1;
    QString error;
    QString waitingReason;
    QJsonArray problems;
    int cupsJob = 0;
    // Set, and on disk, before the first byte goes to the print system.
    bool sendStarted = false;
    QString reprintOf;
    // The service that claimed it last: the one that drew and sent it.
    QString sentBy;
    QDateTime createdAt;
    QDateTime updatedAt;
    // When the job last entered each state.
    QMap<QString, QDateTime> times;
};

// What a state change sets besides the state; unset fields stay.
struct Change
{
    QString state;
    std::optional<int> labels;
    std::optional<int> printed;
    std::optional<QString> error;
    std::optional<QString> waitingReason;
    std::optional<QJsonArray> problems;
    std::optional<int> cupsJob;
    std::optional<bool> sendStarted;
    std::optional<QString> sentBy;
};

struct JobFilter
{
    QString state;
    QString printer;
    // Empty: every owner's.
    QString owner;
    int limit = 100;
};

// The print service's journal: SQLite (WAL, full sync) for one service, or
// PostgreSQL shared by several. A job is on disk before it is acknowledged,
// and every state change is recorded with its time. Writes from all threads
// go through one writer thread that commits whatever has gathered in one
// transaction, so many clients share one sync.
class Journal
{
public:
    Journal();
    ~Journal();
    Journal(const Journal &) = delete;
    Journal &operator=(const Journal &) = delete;

    // Opens (creating and migrating) the journal: a file, or a
    // postgresql:// URI. False with *error set.
    bool open(const QString &spec, QString *error);
    void close();
    // Other services may share it (PostgreSQL).
    bool shared() const { return isShared; }

    enum class Accepted { Created, Replayed, Conflict, Failed };
    // Stores a new job. With an idempotency key used before by the same
    // owner: Replayed (the stored job in *job) when the request is the same,
    // Conflict when it is not. Failed when the journal could not write.
    Accepted accept(JobRecord *job);

    // Applies `change` when the job is in one of the states `from`; true
    // when it was applied and is on disk. `from` empty: any state.
    // With unsentOnly, only while no print system job is recorded for it;
    // with handledBy, only while that service is the one handling it (the
    // last to claim it). *written: the journal answered, whether or not the
    // change applied.
    bool transition(const QString &id, const QStringList &from, const Change &change,
                    bool unsentOnly = false, const QString &handledBy = QString(),
                    bool *written = nullptr);
    // transition() for every job of a printer in the states `from`.
    int transitionPrinter(const QString &printer, const QStringList &from, const Change &change);

    // *ok false when the journal could not be read (not: no such job).
    std::optional<JobRecord> job(const QString &id, bool *ok = nullptr);
    QList<JobRecord> jobs(const JobFilter &filter, bool *ok = nullptr);
    // The database answers a read now, connecting again if it must, and,
    // after a write failed, takes one again.
    bool reachable();
    // The printer's jobs not finished (queued, waiting, rendering, sent),
    // oldest first.
    QList<JobRecord> unfinished(const QString &printer);
    QMap<QString, int> countByState();
    // Jobs queued or waiting, by printer.
    QMap<QString, int> queuedByPrinter();
    int queuedFor(const QString &printer);
    qint64 labelsPrinted();
    // Printers with jobs not finished.
    QStringList printersWithWork();

    // Takes or renews the lease on a printer for `ms`: Taken when it became
    // this holder's now (its jobs need looking after), Held when it was
    // already, Lost when another holds it, Unknown when the journal does not
    // answer.
    enum class Lease { Taken, Held, Lost, Unknown };
    // *previous: the holder before, when there was one.
    Lease lease(const QString &printer, const QString &holder, int ms,
                QString *previous = nullptr);
    // Gives back every lease of `holder`: at start, those of an earlier run
    // under the same name, whose jobs must be looked after as a dead one's.
    void releaseAll(const QString &holder);
    // Gives the lease back; with onlyIdle only while the printer has no job
    // unfinished. True when it was given back.
    bool release(const QString &printer, const QString &holder, bool onlyIdle = false);
    // The printer's oldest queued or waiting job, now rendering, while
    // `holder` holds the printer's lease. A job `holder` claimed but never
    // began to send counts as queued: its claim may have been written while
    // the answer was lost, and the caller asks only when nothing is in hand.
    std::optional<JobRecord> claimNext(const QString &printer, const QString &holder);
    // Records that the job's sending begins, while `holder` holds the
    // printer's lease for at least `leftMs` more; false when it does not, or
    // the journal cannot write.
    bool markSending(const JobRecord &job, const QString &holder, int labels, int leftMs = 0);

    // False after a write failed, until one succeeds again.
    bool healthy() const { return writable; }

private:
    struct Op;
    bool write(std::function<bool(SqlDb &)> work);
    void writerLoop();
    QList<JobRecord> select(const QString &where, const QList<QVariant> &binds, int limit,
                            bool newestFirst, bool withRequest = false, bool *ok = nullptr);
    bool read(const std::function<bool(SqlDb &)> &work);

    std::unique_ptr<SqlDb> writer;
    std::unique_ptr<SqlDb> reader;
    bool isShared = false;
    std::mutex readLock;
    std::mutex queueLock;
    std::condition_variable queued;
    std::deque<std::shared_ptr<Op>> pending;
    bool stopping = false;
    std::thread writerThread;
    std::atomic<bool> writable{true};
};

QJsonObject jobJson(const JobRecord &job);

} // namespace server
