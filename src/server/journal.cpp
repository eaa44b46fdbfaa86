#include "journal.h"

#include <QJsonDocument>

namespace server {

namespace {

constexpr int SchemaVersion = 2;

const char *const Columns =
    "seq, id, owner, idem_key, request_hash, design, printer, state, labels, printed, copies, "
    "error, waiting_reason, problems, cups_job, send_started, reprint_of, created_at, updated_at, "
    "sent_by";

const QString Unfinished = QStringLiteral("('queued', 'waiting', 'rendering', 'sent')");

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

QVariant textOrNull(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

JobRecord rowOf(const SqlDb::Row &r)
{
    JobRecord job;
    job.seq = r.value(0).toLongLong();
    job.id = r.value(1).toString();
    job.owner = r.value(2).toString();
    job.idempotencyKey = r.value(3).toString();
    job.requestHash = r.value(4).toByteArray();
    job.design = r.value(5).toString();
    job.printer = r.value(6).toString();
    job.state = r.value(7).toString();
    job.labels = r.value(8).toInt();
    job.printed = r.value(9).toInt();
    job.copies = r.value(10).toInt();
    job.error = r.value(11).toString();
    job.waitingReason = r.value(12).toString();
    job.problems = QJsonDocument::fromJson(r.value(13).toString().toUtf8()).array();
    job.cupsJob = r.value(14).toInt();
    job.sendStarted = r.value(15).toLongLong() != 0;
    job.reprintOf = r.value(16).toString();
    job.createdAt = QDateTime::fromMSecsSinceEpoch(r.value(17).toLongLong(), Qt::UTC);
    job.updatedAt = QDateTime::fromMSecsSinceEpoch(r.value(18).toLongLong(), Qt::UTC);
    job.sentBy = r.value(19).toString();
    return job;
}

void loadTimes(SqlDb &db, JobRecord *job)
{
    QList<SqlDb::Row> rows;
    if (!db.exec(QStringLiteral("SELECT state, max(at) FROM events WHERE job_seq = ? GROUP BY state"),
                 {job->seq}, &rows))
        return;
    for (const SqlDb::Row &r : rows)
        job->times.insert(r.value(0).toString(),
                          QDateTime::fromMSecsSinceEpoch(r.value(1).toLongLong(), Qt::UTC));
}

bool addEvent(SqlDb &db, qint64 seq, const QString &state, qint64 at, const QString &detail)
{
    return db.exec(QStringLiteral("INSERT INTO events(job_seq, state, at, detail) VALUES (?, ?, ?, ?)"),
                   {seq, state, at, textOrNull(detail)});
}

// One state change inside the writer's transaction; *applied when the job
// was in one of the states `from` (any, when empty). `extra` is a further
// condition of the WHERE clause with its parameters.
bool applyChange(SqlDb &db, const QString &id, const QStringList &from, const Change &change,
                 bool *applied, const QString &extra = QString(), const QList<QVariant> &extraBinds = {})
{
    const qint64 now = nowMs();
    QString sql = QStringLiteral("UPDATE jobs SET state = ?, updated_at = ?");
    QList<QVariant> binds{change.state, now};
    auto set = [&](const char *column, const QVariant &value) {
        sql += QStringLiteral(", %1 = ?").arg(QLatin1String(column));
        binds.append(value);
    };
    if (change.labels)
        set("labels", qint64(*change.labels));
    if (change.printed)
        set("printed", qint64(*change.printed));
    if (change.error)
        set("error", textOrNull(*change.error));
    if (change.waitingReason)
        set("waiting_reason", textOrNull(*change.waitingReason));
    if (change.problems)
        set("problems",
            QString::fromUtf8(QJsonDocument(*change.problems).toJson(QJsonDocument::Compact)));
    if (change.cupsJob)
        set("cups_job", qint64(*change.cupsJob));
    if (change.sendStarted)
        set("send_started", qint64(*change.sendStarted ? 1 : 0));
    if (change.sentBy)
        set("sent_by", textOrNull(*change.sentBy));
    sql += QStringLiteral(" WHERE id = ?");
    binds.append(id);
    if (!from.isEmpty()) {
        QStringList marks;
        for (const QString &s : from) {
            marks.append(QStringLiteral("?"));
            binds.append(s);
        }
        sql += QStringLiteral(" AND state IN (%1)").arg(marks.join(QLatin1Char(',')));
    }
    if (!extra.isEmpty()) {
        sql += QStringLiteral(" AND ") + extra;
        binds += extraBinds;
    }
    QList<SqlDb::Row> rows;
    if (!db.exec(sql + QStringLiteral(" RETURNING seq"), binds, &rows))
        return false;
    *applied = !rows.isEmpty();
    if (!*applied)
        return true;
    return addEvent(db, rows.first().value(0).toLongLong(), change.state, now,
                    change.error.value_or(change.waitingReason.value_or(QString())));
}

} // namespace

struct Journal::Op
{
    std::function<bool(SqlDb &)> work;
    bool done = false;
    bool result = false;
};

Journal::Journal() = default;

Journal::~Journal()
{
    close();
}

bool Journal::open(const QString &spec, QString *error)
{
    close();
    isShared = SqlDb::isPostgres(spec);
    // A URI may carry a password: messages name only the kind of journal.
    const QString shown = isShared ? QStringLiteral("PostgreSQL journal") : QStringLiteral("journal \"%1\"").arg(spec);
    auto fail = [&](const QString &why) {
        *error = QStringLiteral("cannot open the %1: %2").arg(shown, why);
        close();
        return false;
    };
    QString why;
    writer = SqlDb::open(spec, false, &why);
    if (!writer)
        return fail(why);
    // Several services may start at once on one database: one makes the schema.
    if (!writer->exec(writer->beginWrite()))
        return fail(writer->errorString());
    if (isShared && !writer->exec(QStringLiteral("SELECT pg_advisory_xact_lock(7172736978)")))
        return fail(writer->errorString());
    for (const QString &sql : writer->schema()) {
        if (!writer->exec(sql)) {
            const QString message = writer->errorString();
            writer->exec(QStringLiteral("ROLLBACK"));
            return fail(message);
        }
    }
    QList<SqlDb::Row> version;
    writer->exec(QStringLiteral("SELECT value FROM meta WHERE key = 'schema'"), {}, &version);
    const int stored = version.isEmpty() ? 0 : version.first().value(0).toString().toInt();
    if (stored > SchemaVersion) {
        writer->exec(QStringLiteral("ROLLBACK"));
        return fail(QStringLiteral("it was written by a newer server (schema %1; this one knows %2)")
                        .arg(stored)
                        .arg(SchemaVersion));
    }
    // Version 1 had no index by printer and no leases, which the statements
    // above added, and did not say which service sent a job.
    if (stored == 1 && !writer->exec(QStringLiteral("ALTER TABLE jobs ADD COLUMN sent_by TEXT"))) {
        const QString message = writer->errorString();
        writer->exec(QStringLiteral("ROLLBACK"));
        return fail(message);
    }
    if (!writer->exec(QStringLiteral("DELETE FROM meta WHERE key = 'schema'")) ||
        !writer->exec(QStringLiteral("INSERT INTO meta(key, value) VALUES ('schema', ?)"),
                      {QString::number(SchemaVersion)}) ||
        !writer->exec(QStringLiteral("COMMIT")))
        return fail(writer->errorString());
    // One service alone on its file: leases of an earlier run of it are void.
    if (!isShared)
        writer->exec(QStringLiteral("DELETE FROM leases"));
    reader = SqlDb::open(spec, true, &why);
    if (!reader)
        return fail(why);
    stopping = false;
    writable = true;
    writerThread = std::thread([this] { writerLoop(); });
    return true;
}

void Journal::close()
{
    {
        std::lock_guard<std::mutex> guard(queueLock);
        stopping = true;
    }
    queued.notify_all();
    if (writerThread.joinable())
        writerThread.join();
    reader.reset();
    writer.reset();
}

bool Journal::write(std::function<bool(SqlDb &)> work)
{
    auto op = std::make_shared<Op>();
    op->work = std::move(work);
    std::unique_lock<std::mutex> guard(queueLock);
    if (stopping || !writer)
        return false;
    pending.push_back(op);
    queued.notify_all();
    queued.wait(guard, [&] { return op->done; });
    return op->result;
}

void Journal::writerLoop()
{
    for (;;) {
        std::deque<std::shared_ptr<Op>> batch;
        {
            std::unique_lock<std::mutex> guard(queueLock);
            queued.wait(guard, [&] { return stopping || !pending.empty(); });
            if (pending.empty() && stopping)
                return;
            batch.swap(pending);
        }
        bool committed = writer->exec(writer->beginWrite());
        // A database that went away is asked again once per batch.
        if (!committed && writer->reconnect())
            committed = writer->exec(writer->beginWrite());
        for (const auto &op : batch) {
            if (!committed)
                break;
            // One faulty write must not take the others of the batch with it.
            writer->exec(QStringLiteral("SAVEPOINT op"));
            op->result = op->work(*writer);
            if (!op->result)
                writer->exec(QStringLiteral("ROLLBACK TO SAVEPOINT op"));
            writer->exec(QStringLiteral("RELEASE SAVEPOINT op"));
        }
        if (committed)
            committed = writer->exec(QStringLiteral("COMMIT"));
        if (!committed) {
            writer->exec(QStringLiteral("ROLLBACK"));
            for (const auto &op : batch)
                op->result = false;
        }
        writable = committed;
        {
            std::lock_guard<std::mutex> guard(queueLock);
            for (const auto &op : batch)
                op->done = true;
        }
        queued.notify_all();
    }
}

bool Journal::read(const std::function<bool(SqlDb &)> &work)
{
    std::lock_guard<std::mutex> guard(readLock);
    if (!reader)
        return false;
    if (work(*reader))
        return true;
    return reader->reconnect() && work(*reader);
}

Journal::Accepted Journal::accept(JobRecord *job)
{
    Accepted outcome = Accepted::Failed;
    std::optional<JobRecord> existing;
    const bool ok = write([&](SqlDb &db) {
        if (!job->idempotencyKey.isEmpty()) {
            QList<SqlDb::Row> rows;
            if (!db.exec(QStringLiteral("SELECT %1 FROM jobs WHERE owner = ? AND idem_key = ?")
                             .arg(QLatin1String(Columns)),
                         {job->owner, job->idempotencyKey}, &rows))
                return false;
            if (!rows.isEmpty()) {
                existing = rowOf(rows.first());
                outcome = existing->requestHash == job->requestHash ? Accepted::Replayed
                                                                    : Accepted::Conflict;
                return true;
            }
        }
        const qint64 now = nowMs();
        QList<SqlDb::Row> rows;
        if (!db.exec(QStringLiteral(
                         "INSERT INTO jobs(id, owner, idem_key, request_hash, request, design, "
                         "printer, state, copies, reprint_of, created_at, updated_at) "
                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING seq"),
                     {job->id, job->owner, textOrNull(job->idempotencyKey), job->requestHash,
                      job->request, job->design, job->printer, state::Queued, qint64(job->copies),
                      textOrNull(job->reprintOf), now, now},
                     &rows) ||
            rows.isEmpty())
            return false;
        job->seq = rows.first().value(0).toLongLong();
        job->state = state::Queued;
        job->createdAt = job->updatedAt = QDateTime::fromMSecsSinceEpoch(now, Qt::UTC);
        job->times.insert(state::Queued, job->createdAt);
        outcome = Accepted::Created;
        return addEvent(db, job->seq, state::Queued, now, QString());
    });
    if (!ok)
        return Accepted::Failed;
    if (outcome != Accepted::Created && existing) {
        read([&](SqlDb &db) {
            loadTimes(db, &*existing);
            return true;
        });
        *job = *existing;
    }
    return outcome;
}

bool Journal::transition(const QString &id, const QStringList &from, const Change &change,
                         bool unsentOnly, const QString &handledBy, bool *written)
{
    QStringList extra;
    QList<QVariant> binds;
    if (unsentOnly)
        extra << QStringLiteral("cups_job = 0");
    if (!handledBy.isEmpty()) {
        extra << QStringLiteral("sent_by = ?");
        binds << handledBy;
    }
    bool applied = false;
    const bool ok = write([&](SqlDb &db) {
        return applyChange(db, id, from, change, &applied, extra.join(QStringLiteral(" AND ")),
                           binds);
    });
    if (written)
        *written = ok;
    return ok && applied;
}

int Journal::transitionPrinter(const QString &printer, const QStringList &from,
                               const Change &change)
{
    int count = 0;
    const bool ok = write([&](SqlDb &db) {
        count = 0;
        QStringList marks;
        QList<QVariant> binds{printer};
        for (const QString &s : from) {
            marks.append(QStringLiteral("?"));
            binds.append(s);
        }
        QList<SqlDb::Row> rows;
        if (!db.exec(QStringLiteral("SELECT id FROM jobs WHERE printer = ? AND state IN (%1)")
                         .arg(marks.join(QLatin1Char(','))),
                     binds, &rows))
            return false;
        for (const SqlDb::Row &r : rows) {
            bool applied = false;
            if (!applyChange(db, r.value(0).toString(), from, change, &applied))
                return false;
            count += applied ? 1 : 0;
        }
        return true;
    });
    return ok ? count : 0;
}

QList<JobRecord> Journal::select(const QString &where, const QList<QVariant> &binds, int limit,
                                 bool newestFirst, bool withRequest, bool *ok)
{
    const QString sql = QStringLiteral("SELECT %1%2 FROM jobs %3 ORDER BY seq %4 LIMIT %5")
                            .arg(QLatin1String(Columns),
                                 withRequest ? QStringLiteral(", request") : QString(), where,
                                 newestFirst ? QStringLiteral("DESC") : QStringLiteral("ASC"))
                            .arg(limit);
    QList<JobRecord> out;
    const bool done = read([&](SqlDb &db) {
        out.clear();
        QList<SqlDb::Row> rows;
        if (!db.exec(sql, binds, &rows))
            return false;
        for (const SqlDb::Row &r : rows) {
            out.append(rowOf(r));
            if (withRequest)
                out.last().request = r.value(20).toByteArray();
        }
        for (JobRecord &job : out)
            loadTimes(db, &job);
        return true;
    });
    if (ok)
        *ok = done;
    return out;
}

bool Journal::reachable()
{
    if (!read([](SqlDb &db) { return db.exec(QStringLiteral("SELECT 1")); }))
        return false;
    return writable || write([](SqlDb &) { return true; });
}

std::optional<JobRecord> Journal::job(const QString &id, bool *ok)
{
    QList<JobRecord> found = select(QStringLiteral("WHERE id = ?"), {id}, 1, false, true, ok);
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

QList<JobRecord> Journal::jobs(const JobFilter &filter, bool *ok)
{
    QStringList where;
    QList<QVariant> binds;
    if (!filter.state.isEmpty()) {
        where.append(QStringLiteral("state = ?"));
        binds.append(filter.state);
    }
    if (!filter.printer.isEmpty()) {
        where.append(QStringLiteral("printer = ?"));
        binds.append(filter.printer);
    }
    if (!filter.owner.isEmpty()) {
        where.append(QStringLiteral("owner = ?"));
        binds.append(filter.owner);
    }
    return select(where.isEmpty() ? QString()
                                  : QStringLiteral("WHERE ") + where.join(QStringLiteral(" AND ")),
                  binds, qBound(1, filter.limit, 1000), true, false, ok);
}

QList<JobRecord> Journal::unfinished(const QString &printer)
{
    return select(QStringLiteral("WHERE printer = ? AND state IN ") + Unfinished, {printer},
                  std::numeric_limits<int>::max(), false);
}

QMap<QString, int> Journal::countByState()
{
    QMap<QString, int> counts;
    read([&](SqlDb &db) {
        QList<SqlDb::Row> rows;
        if (!db.exec(QStringLiteral("SELECT state, count(*) FROM jobs GROUP BY state"), {}, &rows))
            return false;
        for (const SqlDb::Row &r : rows)
            counts.insert(r.value(0).toString(), r.value(1).toInt());
        return true;
    });
    return counts;
}

QMap<QString, int> Journal::queuedByPrinter()
{
    QMap<QString, int> counts;
    read([&](SqlDb &db) {
        QList<SqlDb::Row> rows;
        if (!db.exec(QStringLiteral("SELECT printer, count(*) FROM jobs WHERE state IN "
                                    "('queued', 'waiting') GROUP BY printer"),
                     {}, &rows))
            return false;
        for (const SqlDb::Row &r : rows)
            counts.insert(r.value(0).toString(), r.value(1).toInt());
        return true;
    });
    return counts;
}

int Journal::queuedFor(const QString &printer)
{
    int count = 0;
    read([&](SqlDb &db) {
        QList<SqlDb::Row> rows;
        if (!db.exec(QStringLiteral("SELECT count(*) FROM jobs WHERE printer = ? AND state IN "
                                    "('queued', 'waiting')"),
                     {printer}, &rows))
            return false;
        count = rows.isEmpty() ? 0 : rows.first().value(0).toInt();
        return true;
    });
    return count;
}

qint64 Journal::labelsPrinted()
{
    qint64 total = 0;
    read([&](SqlDb &db) {
        QList<SqlDb::Row> rows;
        if (!db.exec(QStringLiteral("SELECT coalesce(sum(printed), 0) FROM jobs"), {}, &rows))
            return false;
        total = rows.isEmpty() ? 0 : rows.first().value(0).toLongLong();
        return true;
    });
    return total;
}

QStringList Journal::printersWithWork()
{
    QStringList printers;
    read([&](SqlDb &db) {
        QList<SqlDb::Row> rows;
        if (!db.exec(QStringLiteral("SELECT DISTINCT printer FROM jobs WHERE state IN ") + Unfinished,
                     {}, &rows))
            return false;
        printers.clear();
        for (const SqlDb::Row &r : rows)
            printers.append(r.value(0).toString());
        return true;
    });
    return printers;
}

Journal::Lease Journal::lease(const QString &printer, const QString &holder, int ms,
                              QString *previous)
{
    Lease outcome = Lease::Unknown;
    // The database's clock decides, so that services on machines whose
    // clocks differ agree on when a lease ends.
    const bool ok = write([&](SqlDb &db) {
        QList<SqlDb::Row> before;
        if (!db.exec(QStringLiteral("SELECT holder, CASE WHEN expires > {now} THEN 1 ELSE 0 END "
                                    "FROM leases WHERE printer = ?{lock}"),
                     {printer}, &before))
            return false;
        // A lease of ours that ran out while nobody took it is still ours:
        // this service's jobs of the printer are not another's leftovers.
        const bool ours = !before.isEmpty() && before.first().value(0).toString() == holder;
        const bool free = before.isEmpty() || before.first().value(1).toInt() == 0;
        if (previous)
            *previous = before.isEmpty() ? QString() : before.first().value(0).toString();
        if (!ours && !free) {
            outcome = Lease::Lost;
            return true;
        }
        // One statement that takes the lease only while it is still ours or
        // has run out: the row read above may have changed since, and a
        // separate delete and insert would let two services both take it.
        QList<SqlDb::Row> taken;
        if (!db.exec(QStringLiteral(
                         "INSERT INTO leases(printer, holder, expires) VALUES (?, ?, {now} + ?) "
                         "ON CONFLICT(printer) DO UPDATE SET holder = excluded.holder, "
                         "expires = excluded.expires WHERE leases.holder = excluded.holder OR "
                         "leases.expires <= {now} RETURNING holder"),
                     {printer, holder, qint64(ms)}, &taken))
            return false;
        if (taken.isEmpty()) {
            outcome = Lease::Lost;
            return true;
        }
        outcome = ours ? Lease::Held : Lease::Taken;
        return true;
    });
    return ok ? outcome : Lease::Unknown;
}

void Journal::releaseAll(const QString &holder)
{
    write([&](SqlDb &db) {
        return db.exec(QStringLiteral("DELETE FROM leases WHERE holder = ?"), {holder});
    });
}

bool Journal::release(const QString &printer, const QString &holder, bool onlyIdle)
{
    int changed = 0;
    // Idle means no job of the printer is unfinished, checked in the same
    // write that gives the lease back, so that no claim slips in between.
    const bool ok = write([&](SqlDb &db) {
        return db.exec(QStringLiteral("DELETE FROM leases WHERE printer = ? AND holder = ?") +
                           (onlyIdle ? QStringLiteral(" AND NOT EXISTS (SELECT 1 FROM jobs WHERE "
                                                      "jobs.printer = leases.printer AND state IN ") +
                                           Unfinished + QLatin1Char(')')
                                     : QString()),
                       {printer, holder}, nullptr, &changed);
    });
    return ok && changed > 0;
}

namespace {
const QString LeaseHeld = QStringLiteral(
    "EXISTS (SELECT 1 FROM leases WHERE leases.printer = jobs.printer AND holder = ? AND "
    "expires > {now})");
}

std::optional<JobRecord> Journal::claimNext(const QString &printer, const QString &holder)
{
    QString id;
    const bool ok = write([&](SqlDb &db) {
        id.clear();
        QList<SqlDb::Row> rows;
        // The oldest first, whatever else holds it: a printer's order is the
        // order its jobs were accepted in, and the lease makes this the only
        // service that claims them.
        if (!db.exec(QStringLiteral("SELECT id FROM jobs WHERE printer = ? AND (state IN "
                                    "('queued', 'waiting') OR (state = 'rendering' AND "
                                    "sent_by = ? AND send_started = 0)) ORDER BY seq "
                                    "LIMIT 1{lock}"),
                     {printer, holder}, &rows))
            return false;
        if (rows.isEmpty())
            return true;
        Change claim;
        claim.state = state::Rendering;
        claim.sentBy = holder;
        bool applied = false;
        if (!applyChange(db, rows.first().value(0).toString(),
                         {state::Queued, state::Waiting, state::Rendering}, claim, &applied,
                         LeaseHeld, {holder}))
            return false;
        if (applied)
            id = rows.first().value(0).toString();
        return true;
    });
    if (!ok || id.isEmpty())
        return std::nullopt;
    return job(id);
}

bool Journal::markSending(const JobRecord &job, const QString &holder, int labels, int leftMs)
{
    Change sending;
    sending.state = state::Rendering;
    sending.sendStarted = true;
    sending.sentBy = holder;
    sending.labels = labels;
    bool applied = false;
    const bool ok = write([&](SqlDb &db) {
        return applyChange(db, job.id, {state::Rendering}, sending, &applied,
                           LeaseHeld + QStringLiteral(" AND EXISTS (SELECT 1 FROM leases WHERE "
                                                      "leases.printer = jobs.printer AND expires > "
                                                      "{now} + ?) AND sent_by = ?"),
                           {holder, qint64(leftMs), holder});
    });
    return ok && applied;
}

QJsonObject jobJson(const JobRecord &job)
{
    auto when = [](const QDateTime &t) {
        return t.isValid() ? QJsonValue(t.toUTC().toString(Qt::ISODateWithMs)) : QJsonValue();
    };
    auto textOrNull = [](const QString &s) { return s.isEmpty() ? QJsonValue() : QJsonValue(s); };
    QJsonObject times;
    for (auto it = job.times.cbegin(); it != job.times.cend(); ++it)
        times.insert(it.key(), when(it.value()));
    return QJsonObject{
        {QStringLiteral("id"), job.id},
        {QStringLiteral("state"), job.state},
        {QStringLiteral("design"), job.design},
        {QStringLiteral("printer"), job.printer},
        {QStringLiteral("labels"), job.labels >= 0 ? QJsonValue(job.labels) : QJsonValue()},
        {QStringLiteral("printed"), job.printed},
        {QStringLiteral("copies"), job.copies},
        {QStringLiteral("error"), textOrNull(job.error)},
        {QStringLiteral("problems"), job.problems},
        {QStringLiteral("waitingReason"),
         job.state == state::Waiting ? textOrNull(job.waitingReason) : QJsonValue()},
        {QStringLiteral("cupsJobId"), job.cupsJob > 0 ? QJsonValue(job.cupsJob) : QJsonValue()},
        {QStringLiteral("idempotencyKey"), textOrNull(job.idempotencyKey)},
        {QStringLiteral("owner"), job.owner},
        {QStringLiteral("reprintOf"), textOrNull(job.reprintOf)},
        {QStringLiteral("instance"), textOrNull(job.sentBy)},
        {QStringLiteral("createdAt"), when(job.createdAt)},
        {QStringLiteral("updatedAt"), when(job.updatedAt)},
        {QStringLiteral("times"), times},
    };
}

} // namespace server
