#include "journal.h"

#include <QJsonDocument>
#include <QLoggingCategory>

#include <sqlite3.h>

namespace server {

namespace {

constexpr int SchemaVersion = 1;

const char *const Schema[] = {
    "CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value TEXT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS jobs("
    " seq INTEGER PRIMARY KEY AUTOINCREMENT,"
    " id TEXT NOT NULL UNIQUE,"
    " owner TEXT NOT NULL,"
    " idem_key TEXT,"
    " request_hash BLOB NOT NULL,"
    " request BLOB NOT NULL,"
    " design TEXT NOT NULL,"
    " printer TEXT NOT NULL,"
    " state TEXT NOT NULL,"
    " labels INTEGER NOT NULL DEFAULT -1,"
    " printed INTEGER NOT NULL DEFAULT 0,"
    " copies INTEGER NOT NULL DEFAULT 1,"
    " error TEXT,"
    " waiting_reason TEXT,"
    " problems TEXT,"
    " cups_job INTEGER NOT NULL DEFAULT 0,"
    " send_started INTEGER NOT NULL DEFAULT 0,"
    " reprint_of TEXT,"
    " created_at INTEGER NOT NULL,"
    " updated_at INTEGER NOT NULL)",
    "CREATE UNIQUE INDEX IF NOT EXISTS jobs_idem ON jobs(owner, idem_key) WHERE idem_key IS NOT "
    "NULL",
    "CREATE INDEX IF NOT EXISTS jobs_state ON jobs(state, seq)",
    // Every state a job entered, with its time: the history of the job.
    "CREATE TABLE IF NOT EXISTS events(job_seq INTEGER NOT NULL, state TEXT NOT NULL,"
    " at INTEGER NOT NULL, detail TEXT)",
    "CREATE INDEX IF NOT EXISTS events_job ON events(job_seq)",
};

const char *const Columns =
    "seq, id, owner, idem_key, request_hash, design, printer, state, labels, printed, copies, "
    "error, waiting_reason, problems, cups_job, send_started, reprint_of, created_at, updated_at";

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

// A prepared statement that finalises itself.
class Statement
{
public:
    Statement(sqlite3 *db, const char *sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK)
            stmt = nullptr;
    }
    ~Statement() { sqlite3_finalize(stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool ok() const { return stmt != nullptr; }
    sqlite3_stmt *get() const { return stmt; }

    void bind(int at, const QString &text)
    {
        if (text.isNull()) {
            sqlite3_bind_null(stmt, at);
            return;
        }
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(stmt, at, utf8.constData(), utf8.size(), SQLITE_TRANSIENT);
    }
    void bind(int at, const QByteArray &blob)
    {
        sqlite3_bind_blob(stmt, at, blob.constData(), blob.size(), SQLITE_TRANSIENT);
    }
    void bind(int at, qint64 n) { sqlite3_bind_int64(stmt, at, n); }
    void bind(int at, const QVariant &value)
    {
        if (value.type() == QVariant::String)
            bind(at, value.toString());
        else
            bind(at, value.toLongLong());
    }
    int step() { return sqlite3_step(stmt); }

    QString text(int column) const
    {
        const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
        return p ? QString::fromUtf8(p, sqlite3_column_bytes(stmt, column)) : QString();
    }
    QByteArray blob(int column) const
    {
        const auto *p = static_cast<const char *>(sqlite3_column_blob(stmt, column));
        return p ? QByteArray(p, sqlite3_column_bytes(stmt, column)) : QByteArray();
    }
    qint64 integer(int column) const { return sqlite3_column_int64(stmt, column); }

private:
    sqlite3_stmt *stmt = nullptr;
};

bool exec(sqlite3 *db, const char *sql)
{
    char *message = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK)
        qWarning("journal: %s: %s", sql, message ? message : "");
    sqlite3_free(message);
    return rc == SQLITE_OK;
}

JobRecord rowOf(const Statement &s)
{
    JobRecord job;
    job.seq = s.integer(0);
    job.id = s.text(1);
    job.owner = s.text(2);
    job.idempotencyKey = s.text(3);
    job.requestHash = s.blob(4);
    job.design = s.text(5);
    job.printer = s.text(6);
    job.state = s.text(7);
    job.labels = int(s.integer(8));
    job.printed = int(s.integer(9));
    job.copies = int(s.integer(10));
    job.error = s.text(11);
    job.waitingReason = s.text(12);
    job.problems = QJsonDocument::fromJson(s.blob(13)).array();
    job.cupsJob = int(s.integer(14));
    job.sendStarted = s.integer(15) != 0;
    job.reprintOf = s.text(16);
    job.createdAt = QDateTime::fromMSecsSinceEpoch(s.integer(17), Qt::UTC);
    job.updatedAt = QDateTime::fromMSecsSinceEpoch(s.integer(18), Qt::UTC);
    return job;
}

void loadTimes(sqlite3 *db, JobRecord *job)
{
    Statement s(db, "SELECT state, max(at) FROM events WHERE job_seq = ? GROUP BY state");
    if (!s.ok())
        return;
    s.bind(1, job->seq);
    while (s.step() == SQLITE_ROW)
        job->times.insert(s.text(0), QDateTime::fromMSecsSinceEpoch(s.integer(1), Qt::UTC));
}

bool addEvent(sqlite3 *db, qint64 seq, const QString &state, qint64 at, const QString &detail)
{
    Statement s(db, "INSERT INTO events(job_seq, state, at, detail) VALUES (?, ?, ?, ?)");
    if (!s.ok())
        return false;
    s.bind(1, seq);
    s.bind(2, state);
    s.bind(3, at);
    s.bind(4, detail);
    return s.step() == SQLITE_DONE;
}

} // namespace

struct Journal::Op
{
    std::function<bool(sqlite3 *)> work;
    bool done = false;
    bool result = false;
};

Journal::Journal() = default;

Journal::~Journal()
{
    close();
}

bool Journal::open(const QString &path, QString *error)
{
    close();
    const QByteArray file = path.toUtf8();
    auto fail = [&](sqlite3 *db) {
        *error = QStringLiteral("cannot open the journal \"%1\": %2")
                     .arg(path, QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory"));
        close();
        return false;
    };
    if (sqlite3_open_v2(file.constData(), &writer,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK)
        return fail(writer);
    sqlite3_busy_timeout(writer, 10000);
    // WAL with a sync at every commit: what is acknowledged survives a
    // crash of the process and of the machine.
    if (!exec(writer, "PRAGMA journal_mode=WAL") || !exec(writer, "PRAGMA synchronous=FULL") ||
        !exec(writer, "PRAGMA foreign_keys=ON"))
        return fail(writer);
    if (!exec(writer, "BEGIN IMMEDIATE"))
        return fail(writer);
    for (const char *sql : Schema) {
        if (!exec(writer, sql)) {
            exec(writer, "ROLLBACK");
            return fail(writer);
        }
    }
    {
        Statement version(writer, "SELECT value FROM meta WHERE key = 'schema'");
        const int stored = version.ok() && version.step() == SQLITE_ROW ? version.text(0).toInt() : 0;
        if (stored > SchemaVersion) {
            exec(writer, "ROLLBACK");
            *error = QStringLiteral("the journal \"%1\" was written by a newer server (schema %2; "
                                    "this one knows %3)")
                         .arg(path)
                         .arg(stored)
                         .arg(SchemaVersion);
            close();
            return false;
        }
    }
    {
        Statement set(writer, "INSERT OR REPLACE INTO meta(key, value) VALUES ('schema', ?)");
        set.bind(1, QString::number(SchemaVersion));
        if (!set.ok() || set.step() != SQLITE_DONE) {
            exec(writer, "ROLLBACK");
            return fail(writer);
        }
    }
    if (!exec(writer, "COMMIT"))
        return fail(writer);
    if (sqlite3_open_v2(file.constData(), &reader, SQLITE_OPEN_READONLY | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK)
        return fail(reader);
    sqlite3_busy_timeout(reader, 10000);
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
    sqlite3_close_v2(reader);
    sqlite3_close_v2(writer);
    reader = nullptr;
    writer = nullptr;
}

bool Journal::write(std::function<bool(sqlite3 *)> work)
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
        bool committed = exec(writer, "BEGIN IMMEDIATE");
        for (const auto &op : batch) {
            if (!committed)
                break;
            // One faulty write must not take the others of the batch with it.
            exec(writer, "SAVEPOINT op");
            op->result = op->work(writer);
            if (!op->result)
                exec(writer, "ROLLBACK TO op");
            exec(writer, "RELEASE op");
        }
        if (committed)
            committed = exec(writer, "COMMIT");
        if (!committed) {
            exec(writer, "ROLLBACK");
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

Journal::Accepted Journal::accept(JobRecord *job)
{
    Accepted outcome = Accepted::Failed;
    std::optional<JobRecord> existing;
    const bool ok = write([&](sqlite3 *db) {
        if (!job->idempotencyKey.isEmpty()) {
            const QString sql = QStringLiteral("SELECT %1 FROM jobs WHERE owner = ? AND idem_key = ?")
                                    .arg(QLatin1String(Columns));
            Statement s(db, sql.toUtf8().constData());
            s.bind(1, job->owner);
            s.bind(2, job->idempotencyKey);
            if (s.ok() && s.step() == SQLITE_ROW) {
                existing = rowOf(s);
                outcome = existing->requestHash == job->requestHash ? Accepted::Replayed
                                                                    : Accepted::Conflict;
                return true;
            }
        }
        const qint64 now = nowMs();
        Statement s(db, "INSERT INTO jobs(id, owner, idem_key, request_hash, request, design, "
                        "printer, state, copies, reprint_of, created_at, updated_at) "
                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        if (!s.ok())
            return false;
        s.bind(1, job->id);
        s.bind(2, job->owner);
        s.bind(3, job->idempotencyKey.isEmpty() ? QString() : job->idempotencyKey);
        s.bind(4, job->requestHash);
        s.bind(5, job->request);
        s.bind(6, job->design);
        s.bind(7, job->printer);
        s.bind(8, state::Queued);
        s.bind(9, qint64(job->copies));
        s.bind(10, job->reprintOf.isEmpty() ? QString() : job->reprintOf);
        s.bind(11, now);
        s.bind(12, now);
        if (s.step() != SQLITE_DONE)
            return false;
        job->seq = sqlite3_last_insert_rowid(db);
        job->state = state::Queued;
        job->createdAt = job->updatedAt = QDateTime::fromMSecsSinceEpoch(now, Qt::UTC);
        job->times.insert(state::Queued, job->createdAt);
        outcome = Accepted::Created;
        return addEvent(db, job->seq, state::Queued, now, QString());
    });
    if (!ok)
        return Accepted::Failed;
    if (outcome != Accepted::Created && existing) {
        std::lock_guard<std::mutex> guard(readLock);
        loadTimes(reader, &*existing);
        *job = *existing;
    }
    return outcome;
}

// One state change inside the writer's transaction; *applied when the job
// was in one of the states `from` (any, when empty).
static bool applyChange(sqlite3 *db, const QString &id, const QStringList &from, const Change &change,
                 bool *applied)
{
    QString sql = QStringLiteral("UPDATE jobs SET state = ?, updated_at = ?");
    QList<QVariant> binds{change.state, nowMs()};
    auto set = [&](const char *column, const QVariant &value) {
        sql += QStringLiteral(", %1 = ?").arg(QLatin1String(column));
        binds.append(value);
    };
    if (change.labels)
        set("labels", qint64(*change.labels));
    if (change.printed)
        set("printed", qint64(*change.printed));
    if (change.error)
        set("error", *change.error);
    if (change.waitingReason)
        set("waiting_reason", *change.waitingReason);
    if (change.problems)
        set("problems",
            QString::fromUtf8(QJsonDocument(*change.problems).toJson(QJsonDocument::Compact)));
    if (change.cupsJob)
        set("cups_job", qint64(*change.cupsJob));
    if (change.sendStarted)
        set("send_started", qint64(*change.sendStarted ? 1 : 0));
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
    Statement s(db, sql.toUtf8().constData());
    if (!s.ok())
        return false;
    for (int i = 0; i < binds.size(); ++i)
        s.bind(i + 1, binds.at(i));
    if (s.step() != SQLITE_DONE)
        return false;
    *applied = sqlite3_changes(db) > 0;
    if (!*applied)
        return true;
    Statement seq(db, "SELECT seq FROM jobs WHERE id = ?");
    seq.bind(1, id);
    if (!seq.ok() || seq.step() != SQLITE_ROW)
        return false;
    return addEvent(db, seq.integer(0), change.state, binds.at(1).toLongLong(),
                    change.error.value_or(change.waitingReason.value_or(QString())));
}

bool Journal::transition(const QString &id, const QStringList &from, const Change &change)
{
    bool applied = false;
    const bool ok = write([&](sqlite3 *db) { return applyChange(db, id, from, change, &applied); });
    return ok && applied;
}

int Journal::transitionAll(const QStringList &ids, const QStringList &from, const Change &change)
{
    int count = 0;
    const bool ok = write([&](sqlite3 *db) {
        for (const QString &id : ids) {
            bool applied = false;
            if (!applyChange(db, id, from, change, &applied))
                return false;
            count += applied ? 1 : 0;
        }
        return true;
    });
    return ok ? count : 0;
}

QList<JobRecord> Journal::select(const QString &where, const QList<QVariant> &binds, int limit,
                                 bool newestFirst)
{
    const QString sql = QStringLiteral("SELECT %1 FROM jobs %2 ORDER BY seq %3 LIMIT %4")
                            .arg(QLatin1String(Columns), where,
                                 newestFirst ? QStringLiteral("DESC") : QStringLiteral("ASC"))
                            .arg(limit);
    QList<JobRecord> out;
    std::lock_guard<std::mutex> guard(readLock);
    if (!reader)
        return out;
    Statement s(reader, sql.toUtf8().constData());
    if (!s.ok())
        return out;
    for (int i = 0; i < binds.size(); ++i)
        s.bind(i + 1, binds.at(i));
    while (s.step() == SQLITE_ROW)
        out.append(rowOf(s));
    for (JobRecord &job : out)
        loadTimes(reader, &job);
    return out;
}

std::optional<JobRecord> Journal::job(const QString &id)
{
    QList<JobRecord> found = select(QStringLiteral("WHERE id = ?"), {id}, 1, false);
    if (found.isEmpty())
        return std::nullopt;
    std::lock_guard<std::mutex> guard(readLock);
    Statement s(reader, "SELECT request FROM jobs WHERE id = ?");
    s.bind(1, id);
    if (s.ok() && s.step() == SQLITE_ROW)
        found.first().request = s.blob(0);
    return found.first();
}

QList<JobRecord> Journal::jobs(const JobFilter &filter)
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
                  binds, qBound(1, filter.limit, 1000), true);
}

QList<JobRecord> Journal::unfinished()
{
    return select(QStringLiteral("WHERE state IN ('queued', 'waiting', 'rendering', 'sent')"), {},
                  std::numeric_limits<int>::max(), false);
}

QMap<QString, int> Journal::countByState()
{
    QMap<QString, int> counts;
    std::lock_guard<std::mutex> guard(readLock);
    if (!reader)
        return counts;
    Statement s(reader, "SELECT state, count(*) FROM jobs GROUP BY state");
    while (s.ok() && s.step() == SQLITE_ROW)
        counts.insert(s.text(0), int(s.integer(1)));
    return counts;
}

qint64 Journal::labelsPrinted()
{
    std::lock_guard<std::mutex> guard(readLock);
    if (!reader)
        return 0;
    Statement s(reader, "SELECT coalesce(sum(printed), 0) FROM jobs");
    return s.ok() && s.step() == SQLITE_ROW ? s.integer(0) : 0;
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
        {QStringLiteral("createdAt"), when(job.createdAt)},
        {QStringLiteral("updatedAt"), when(job.updatedAt)},
        {QStringLiteral("times"), times},
    };
}

} // namespace server
