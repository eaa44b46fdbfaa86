#include "apiserver.h"

#include "dispatcher.h"
#include "journal.h"
#include "printhandler.h"
#include "printlanguage.h"
#include "renderer.h"
#include "version.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrlQuery>

#include <arpa/inet.h>
#include <cups/cups.h>
#include <microhttpd.h>
#include <netinet/in.h>
#include <sodium.h>

#include <cstring>
#include <mutex>

namespace server {

namespace {

const QStringList Routes{QStringLiteral("health"),     QStringLiteral("designs"),
                         QStringLiteral("printers"),   QStringLiteral("jobs_post"),
                         QStringLiteral("jobs_list"),  QStringLiteral("job_get"),
                         QStringLiteral("job_cancel"), QStringLiteral("job_reprint"),
                         QStringLiteral("metrics"),    QStringLiteral("status"),
                         QStringLiteral("other")};

QByteArray jsonBytes(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

HttpResponse json(int status, const QJsonObject &object)
{
    HttpResponse r;
    r.status = status;
    r.body = jsonBytes(object);
    return r;
}

QString newJobId()
{
    unsigned char random[12];
    randombytes_buf(random, sizeof random);
    return QStringLiteral("j-") +
           QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(random), sizeof random).toHex());
}

QByteArray sha256(const QByteArray &bytes)
{
    QByteArray hash(crypto_hash_sha256_BYTES, '\0');
    crypto_hash_sha256(reinterpret_cast<unsigned char *>(hash.data()),
                       reinterpret_cast<const unsigned char *>(bytes.constData()),
                       quint64(bytes.size()));
    return hash;
}

// Whether the print system knows the queue: 1 yes, 0 no, -1 it does not
// answer. A queue seen lately is taken as known, so that a run of jobs does
// not ask the print system once per job.
int queueKnown(const QString &queue)
{
    static std::mutex lock;
    static QHash<QString, QElapsedTimer> seen;
    {
        std::lock_guard<std::mutex> guard(lock);
        const auto it = seen.constFind(queue);
        if (it != seen.constEnd() && it->elapsed() < 5000)
            return 1;
    }
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), nullptr);
    if (!dest)
        // Without a scheduler libcups says "not found" too.
        return PrintHandler::schedulerAnswers() ? 0 : -1;
    cupsFreeDests(1, dest);
    std::lock_guard<std::mutex> guard(lock);
    if (seen.size() > 1000)
        seen.clear();
    QElapsedTimer now;
    now.start();
    seen.insert(queue, now);
    return 1;
}

} // namespace

QString serverVersion()
{
    return QStringLiteral("%1.%2.%3").arg(version::major).arg(version::minor).arg(version::patch);
}

HttpResponse errorResponse(int status, const QString &code, const QString &message,
                           const QString &field)
{
    QJsonObject error{{QStringLiteral("code"), code}, {QStringLiteral("message"), message}};
    if (!field.isEmpty())
        error.insert(QStringLiteral("field"), field);
    HttpResponse r = json(status, QJsonObject{{QStringLiteral("error"), error}});
    if (status == 401)
        r.headers.append(qMakePair(QByteArray("WWW-Authenticate"), QByteArray("Bearer realm=\"tagorix-server\"")));
    if (status == 429 || status == 503)
        r.headers.append(qMakePair(QByteArray("Retry-After"), QByteArray("5")));
    return r;
}

namespace {
// A read the journal did not answer is no empty list and no missing job.
HttpResponse journalUnreadable()
{
    return errorResponse(503, QStringLiteral("unavailable"),
                         QStringLiteral("the journal cannot be read now; try again"));
}
} // namespace

HttpResponse errorOf(const ApiError &e)
{
    return errorResponse(e.status, e.code, e.message, e.field);
}

// What libmicrohttpd calls; it reaches into the server for the limits.
struct ApiGlue
{
    struct Context
    {
        QElapsedTimer started;
        QByteArray body;
        bool tooLarge = false;
        bool answered = false;
        ApiServer *server = nullptr;
        qint64 reserved = 0;

        // Takes room for `bytes` more of body from the server's budget.
        bool reserve(qint64 bytes)
        {
            if (server->bodyBytes.fetch_add(bytes) + bytes > server->bodyBudget) {
                server->bodyBytes -= bytes;
                return false;
            }
            reserved += bytes;
            return true;
        }
        ~Context()
        {
            if (server)
                server->bodyBytes -= reserved;
        }
    };

    static MHD_Result onRequest(void *self, MHD_Connection *connection, const char *url,
                                const char *method, const char *, const char *uploadData,
                                size_t *uploadSize, void **context)
    {
        auto *server = static_cast<ApiServer *>(self);
        const qint64 maxBody = server->config.limits.maxBodyBytes;
        auto *ctx = static_cast<Context *>(*context);
        if (!ctx) {
            ctx = new Context;
            ctx->server = server;
            ctx->started.start();
            *context = ctx;
            if (server->connections.load() > server->config.maxConnections) {
                ctx->answered = true;
                return toResult(ApiGlue::answer(
                    connection, errorResponse(503, QStringLiteral("unavailable"),
                                              QStringLiteral("the server has too many connections; "
                                                             "try again later"))));
            }
            // Refused before a byte of the body is read.
            const char *length =
                MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Content-Length");
            if (length && QByteArray(length).toLongLong() > maxBody) {
                ctx->answered = true;
                return toResult(ApiGlue::answer(
                    connection, errorResponse(413, QStringLiteral("too_large"),
                                              QStringLiteral("the request body is larger than %1 "
                                                             "bytes")
                                                  .arg(maxBody))));
            }
            if (length && !ctx->reserve(QByteArray(length).toLongLong())) {
                ctx->answered = true;
                return toResult(answer(connection, busy()));
            }
            return MHD_YES;
        }
        if (*uploadSize > 0) {
            // A client that takes too long to send its request holds a thread.
            if (ctx->started.elapsed() > qint64(server->config.readTimeout) * 1000)
                return MHD_NO;
            const qint64 wanted = ctx->body.size() + qint64(*uploadSize);
            // A body without a length takes its room as it comes.
            if (wanted > ctx->reserved && wanted <= maxBody && !ctx->reserve(wanted - ctx->reserved))
                return MHD_NO;
            if (!ctx->tooLarge && wanted <= maxBody)
                ctx->body.append(uploadData, int(*uploadSize));
            else {
                ctx->tooLarge = true;
                ctx->body.clear();
            }
            *uploadSize = 0;
            return MHD_YES;
        }
        if (ctx->answered)
            return MHD_YES;
        ctx->answered = true;
        if (ctx->started.elapsed() > qint64(server->config.readTimeout) * 1000)
            return toResult(ApiGlue::answer(
                connection, errorResponse(408, QStringLiteral("timeout"),
                                          QStringLiteral("the request did not arrive within %1 s")
                                              .arg(server->config.readTimeout))));
        if (ctx->tooLarge)
            return toResult(ApiGlue::answer(
                connection, errorResponse(413, QStringLiteral("too_large"),
                                          QStringLiteral("the request body is larger than %1 bytes")
                                              .arg(maxBody))));
        HttpRequest request;
        request.method = method;
        const QByteArray rawUrl(url);
        request.path = QString::fromUtf8(rawUrl);
        MHD_get_connection_values(
            connection, MHD_GET_ARGUMENT_KIND,
            [](void *cls, MHD_ValueKind, const char *key, const char *value) -> MHD_Result {
                auto *query = static_cast<QMap<QString, QString> *>(cls);
                if (query->size() < 32)
                    query->insert(QString::fromUtf8(key), QString::fromUtf8(value ? value : ""));
                return MHD_YES;
            },
            &request.query);
        request.authorization =
            MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Authorization");
        request.body = std::move(ctx->body);
        return toResult(ApiGlue::answer(connection, server->handle(request)));
    }

    static void onCompleted(void *, MHD_Connection *, void **context, MHD_RequestTerminationCode)
    {
        delete static_cast<Context *>(*context);
        *context = nullptr;
    }

    static void onConnection(void *self, MHD_Connection *, void **, MHD_ConnectionNotificationCode toe)
    {
        auto *server = static_cast<ApiServer *>(self);
        if (toe == MHD_CONNECTION_NOTIFY_STARTED)
            ++server->connections;
        else
            --server->connections;
    }

    static MHD_Result toResult(int ok) { return ok ? MHD_YES : MHD_NO; }
    static HttpResponse busy()
    {
        return errorResponse(503, QStringLiteral("unavailable"),
                             QStringLiteral("the server is reading too many large requests; try "
                                            "again later"));
    }
    static int answer(MHD_Connection *connection, const HttpResponse &response);

    static void log(void *, const char *format, va_list args)
    {
        char line[512];
        vsnprintf(line, sizeof line, format, args);
        qWarning("http: %s", line);
    }
};

int ApiGlue::answer(MHD_Connection *connection, const HttpResponse &response)
{
    MHD_Response *r = MHD_create_response_from_buffer(
        size_t(response.body.size()), const_cast<char *>(response.body.constData()),
        MHD_RESPMEM_MUST_COPY);
    if (!r)
        return 0;
    MHD_add_response_header(r, "Content-Type", response.contentType.constData());
    MHD_add_response_header(r, "Cache-Control", "no-store");
    for (const auto &h : response.headers)
        MHD_add_response_header(r, h.first.constData(), h.second.constData());
    const MHD_Result ok = MHD_queue_response(connection, unsigned(response.status), r);
    MHD_destroy_response(r);
    return ok == MHD_YES;
}

ApiServer::ApiServer(const ServerConfig &config, Journal *journal, DesignCatalog *catalog,
                     JobRenderer *renderer, Dispatcher *dispatcher, TokenStore *tokens)
    : config(config), journal(journal), catalog(catalog), renderer(renderer),
      dispatcher(dispatcher), tokens(tokens),
      bodyBudget(qMax<qint64>(4 * config.limits.maxBodyBytes, 64 * 1024 * 1024))
{
    for (const QString &route : Routes)
        latency.insert(route, new Histogram);
    uptime.start();
}

ApiServer::~ApiServer()
{
    stop();
    qDeleteAll(latency);
}

bool ApiServer::start(QString *error)
{
    if (sodium_init() < 0) {
        *error = QStringLiteral("the random number generator cannot be set up");
        return false;
    }
    sockaddr_storage address{};
    const QByteArray host = config.listenHost.toLatin1();
    unsigned flags = MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_THREAD_PER_CONNECTION |
                     MHD_USE_POLL | MHD_USE_ERROR_LOG;
    if (config.listenHost.contains(QLatin1Char(':'))) {
        auto *in6 = reinterpret_cast<sockaddr_in6 *>(&address);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(config.listenPort);
        inet_pton(AF_INET6, host.constData(), &in6->sin6_addr);
        flags |= MHD_USE_IPv6;
    } else {
        auto *in4 = reinterpret_cast<sockaddr_in *>(&address);
        in4->sin_family = AF_INET;
        in4->sin_port = htons(config.listenPort);
        inet_pton(AF_INET, host.constData(), &in4->sin_addr);
    }
    QByteArray cert;
    QByteArray key;
    if (config.tls()) {
        QFile certFile(config.tlsCert);
        QFile keyFile(config.tlsKey);
        if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read the TLS certificate or key: %1")
                         .arg(certFile.isOpen() ? keyFile.errorString() : certFile.errorString());
            return false;
        }
        cert = certFile.read(1 << 20) + '\0';
        key = keyFile.read(1 << 20) + '\0';
        flags |= MHD_USE_TLS;
    }
    QVector<MHD_OptionItem> options{
        {MHD_OPTION_EXTERNAL_LOGGER, intptr_t(&ApiGlue::log), this},
        {MHD_OPTION_SOCK_ADDR, 0, &address},
        // Past the soft limit requests are answered 503; past this one
        // connections are refused outright.
        {MHD_OPTION_CONNECTION_LIMIT, config.maxConnections + 16, nullptr},
        {MHD_OPTION_CONNECTION_TIMEOUT, unsigned(config.idleTimeout), nullptr},
        // Headers and the first piece of a body; the body itself is ours.
        {MHD_OPTION_CONNECTION_MEMORY_LIMIT, 256 * 1024, nullptr},
        {MHD_OPTION_PER_IP_CONNECTION_LIMIT, 0, nullptr},
        {MHD_OPTION_NOTIFY_COMPLETED, intptr_t(&ApiGlue::onCompleted), this},
        {MHD_OPTION_NOTIFY_CONNECTION, intptr_t(&ApiGlue::onConnection), this},
        {MHD_OPTION_THREAD_STACK_SIZE, 2 * 1024 * 1024, nullptr},
    };
    if (config.tls()) {
        options.append({MHD_OPTION_HTTPS_MEM_CERT, 0, cert.data()});
        options.append({MHD_OPTION_HTTPS_MEM_KEY, 0, key.data()});
    }
    options.append({MHD_OPTION_END, 0, nullptr});
    daemon = MHD_start_daemon(flags, 0, nullptr, nullptr, &ApiGlue::onRequest, this,
                              MHD_OPTION_ARRAY, options.data(), MHD_OPTION_END);
    sodium_memzero(key.data(), size_t(key.size()));
    if (!daemon) {
        *error = QStringLiteral("cannot listen on %1:%2 (in use, not an address of this machine, "
                                "or a TLS certificate or key that does not load)")
                     .arg(config.listenHost)
                     .arg(config.listenPort);
        return false;
    }
    const MHD_DaemonInfo *info = MHD_get_daemon_info(daemon, MHD_DAEMON_INFO_BIND_PORT);
    boundPort = info ? info->port : config.listenPort;
    return true;
}

void ApiServer::stop()
{
    if (daemon) {
        MHD_stop_daemon(daemon);
        daemon = nullptr;
    }
}

quint16 ApiServer::port() const
{
    return boundPort;
}

Caller ApiServer::authenticate(const QByteArray &authorization) const
{
    const QByteArray value = authorization.trimmed();
    if (value.startsWith("Bearer "))
        return tokens->identify(value.mid(7).trimmed());
    // Browsers showing the status page ask for a password: the token is it.
    if (value.startsWith("Basic ")) {
        const QByteArray pair = QByteArray::fromBase64(value.mid(6).trimmed());
        const int colon = pair.indexOf(':');
        if (colon >= 0)
            return tokens->identify(pair.mid(colon + 1));
    }
    return Caller();
}

QString ApiServer::routeOf(const HttpRequest &request) const
{
    const QString &p = request.path;
    if (p == QLatin1String("/v1/health"))
        return QStringLiteral("health");
    if (p == QLatin1String("/v1/designs"))
        return QStringLiteral("designs");
    if (p == QLatin1String("/v1/printers"))
        return QStringLiteral("printers");
    if (p == QLatin1String("/v1/jobs"))
        return request.method == "POST" ? QStringLiteral("jobs_post") : QStringLiteral("jobs_list");
    if (p.startsWith(QLatin1String("/v1/jobs/")))
        return p.endsWith(QLatin1String("/reprint"))
                   ? QStringLiteral("job_reprint")
                   : (request.method == "DELETE" ? QStringLiteral("job_cancel")
                                                 : QStringLiteral("job_get"));
    if (p == QLatin1String("/metrics"))
        return QStringLiteral("metrics");
    if (p == QLatin1String("/"))
        return QStringLiteral("status");
    return QStringLiteral("other");
}

void ApiServer::observe(const QString &route, double seconds)
{
    Histogram *h = latency.value(route, latency.value(QStringLiteral("other")));
    for (int i = 0; i < Buckets; ++i)
        if (seconds <= BucketBounds[i])
            ++h->counts[size_t(i)];
    ++h->total;
    h->sumMicros += quint64(seconds * 1e6);
}

HttpResponse ApiServer::handle(const HttpRequest &request)
{
    QElapsedTimer clock;
    clock.start();
    const QString name = routeOf(request);
    HttpResponse response = route(request, name);
    observe(name, clock.nsecsElapsed() / 1e9);
    return response;
}

HttpResponse ApiServer::route(const HttpRequest &request, const QString &routeName)
{
    auto allow = [&](std::initializer_list<const char *> methods) -> std::optional<HttpResponse> {
        for (const char *m : methods)
            if (request.method == m)
                return std::nullopt;
        QByteArray list;
        for (const char *m : methods)
            list += (list.isEmpty() ? "" : ", ") + QByteArray(m);
        HttpResponse r = errorResponse(405, QStringLiteral("method_not_allowed"),
                                       QStringLiteral("%1 takes %2")
                                           .arg(request.path, QString::fromLatin1(list)));
        r.headers.append(qMakePair(QByteArray("Allow"), QByteArray(list)));
        return r;
    };
    if (routeName == QLatin1String("health")) {
        if (auto refused = allow({"GET"}))
            return *refused;
        const bool ok = journal->reachable();
        return json(ok ? 200 : 503,
                    QJsonObject{{QStringLiteral("status"),
                                 ok ? QStringLiteral("ok") : QStringLiteral("unavailable")},
                                {QStringLiteral("version"), serverVersion()}});
    }
    const Caller caller = authenticate(request.authorization);
    if (caller.scope == Scope::None) {
        HttpResponse r = errorResponse(401, QStringLiteral("unauthorized"),
                                       request.authorization.isEmpty()
                                           ? QStringLiteral("this needs a token: Authorization: "
                                                            "Bearer TOKEN")
                                           : QStringLiteral("the token is not valid"));
        if (routeName == QLatin1String("status"))
            r.headers.append(qMakePair(QByteArray("WWW-Authenticate"), QByteArray("Basic realm=\"tagorix-server\"")));
        return r;
    }
    if (routeName == QLatin1String("designs")) {
        if (auto refused = allow({"GET"}))
            return *refused;
        return designs();
    }
    if (routeName == QLatin1String("printers")) {
        if (auto refused = allow({"GET"}))
            return *refused;
        return printers();
    }
    if (routeName == QLatin1String("jobs_post"))
        return postJob(request, caller);
    if (routeName == QLatin1String("jobs_list")) {
        if (auto refused = allow({"GET", "POST"}))
            return *refused;
        return listJobs(request, caller);
    }
    if (routeName.startsWith(QLatin1String("job_"))) {
        QString rest = request.path.mid(int(qstrlen("/v1/jobs/")));
        QString action;
        if (rest.endsWith(QLatin1String("/reprint"))) {
            rest.chop(int(qstrlen("/reprint")));
            action = QStringLiteral("reprint");
            if (auto refused = allow({"POST"}))
                return *refused;
        } else if (auto refused = allow({"GET", "DELETE"})) {
            return *refused;
        }
        if (rest.isEmpty() || rest.contains(QLatin1Char('/')) || rest.size() > 64)
            return errorResponse(404, QStringLiteral("not_found"), QStringLiteral("no such job"));
        return jobAction(request, caller, rest, action);
    }
    if (routeName == QLatin1String("metrics")) {
        if (auto refused = allow({"GET"}))
            return *refused;
        return metrics();
    }
    if (routeName == QLatin1String("status")) {
        if (auto refused = allow({"GET"}))
            return *refused;
        return statusPage();
    }
    return errorResponse(404, QStringLiteral("not_found"),
                         QStringLiteral("no such path: %1").arg(request.path.left(200)));
}

HttpResponse ApiServer::postJob(const HttpRequest &request, const Caller &caller)
{
    JobRequest job;
    ApiError error;
    if (!parseJobRequest(request.body, config.limits, &job, &error))
        return errorOf(error);
    std::optional<DesignInfo> design = catalog->find(job.design);
    if (!design) {
        // A design put into the folder a moment ago.
        renderer->invoke<bool>([this] {
            renderer->refreshCatalog();
            return true;
        });
        design = catalog->find(job.design);
    }
    if (!design)
        return errorResponse(404, QStringLiteral("unknown_design"),
                             QStringLiteral("there is no design \"%1\" in the designs folder")
                                 .arg(job.design),
                             QStringLiteral("design"));
    if (!design->error.isEmpty())
        return errorResponse(422, QStringLiteral("bad_design"),
                             QStringLiteral("the design \"%1\" cannot be printed: %2")
                                 .arg(job.design, design->error),
                             QStringLiteral("design"));
    QMap<QString, QByteArray> tables;
    int rows = -1;
    if (!checkAgainstDesign(job, *design, &tables, &error, &rows))
        return errorOf(error);
    // Rows given for every data file are the labels; otherwise the design's
    // own count may be the larger.
    const int labels = rows >= 0 && tables.size() == design->replaceable().size()
                           ? rows
                           : qMax(rows, design->labels);
    if (job.to > labels)
        return errorResponse(422, QStringLiteral("bad_value"),
                             QStringLiteral("the range %1-%2 reaches past the job's %3 labels")
                                 .arg(job.from)
                                 .arg(job.to)
                                 .arg(labels),
                             QStringLiteral("range"));
    QString printer = job.printer.isEmpty() ? design->printer : job.printer;
    if (printer.isEmpty())
        printer = QString::fromUtf8(cupsGetDefault2(CUPS_HTTP_DEFAULT));
    if (printer.isEmpty())
        return errorResponse(422, QStringLiteral("unknown_printer"),
                             QStringLiteral("the design names no printer and there is no default "
                                            "printer: give \"printer\""),
                             QStringLiteral("printer"));
    // A print system that does not answer now may answer later: the job waits.
    if (queueKnown(printer) == 0)
        return errorResponse(422, QStringLiteral("unknown_printer"),
                             QStringLiteral("the print system has no printer \"%1\"").arg(printer),
                             QStringLiteral("printer"));
    if (!dispatcher->takesPrinter(printer))
        return errorResponse(503, QStringLiteral("unavailable"),
                             QStringLiteral("the service drives %1 printers already")
                                 .arg(Dispatcher::MaxPrinters),
                             QStringLiteral("printer"));
    if (dispatcher->queuedFor(printer) >= config.maxQueued)
        return errorResponse(429, QStringLiteral("queue_full"),
                             QStringLiteral("%1 jobs wait for \"%2\" already; try again later")
                                 .arg(config.maxQueued)
                                 .arg(printer));
    JobRecord record;
    record.id = newJobId();
    record.owner = caller.name;
    record.idempotencyKey = job.idempotencyKey;
    record.request = requestJson(job);
    record.requestHash = sha256(record.request + '\n' + printer.toUtf8());
    record.design = job.design;
    record.printer = printer;
    record.copies = job.copies;
    switch (journal->accept(&record)) {
    case Journal::Accepted::Created:
        dispatcher->enqueue(record);
        return json(202, jobJson(record));
    case Journal::Accepted::Replayed: {
        HttpResponse r = json(202, jobJson(record));
        r.headers.append(qMakePair(QByteArray("Idempotent-Replayed"), QByteArray("true")));
        return r;
    }
    case Journal::Accepted::Conflict:
        return errorResponse(409, QStringLiteral("idempotency_conflict"),
                             QStringLiteral("the idempotency key \"%1\" was used for another "
                                            "request (job %2)")
                                 .arg(job.idempotencyKey, record.id),
                             QStringLiteral("idempotencyKey"));
    case Journal::Accepted::Failed:
        break;
    }
    return errorResponse(503, QStringLiteral("unavailable"),
                         QStringLiteral("the job could not be stored in the journal; nothing "
                                        "was accepted"));
}

HttpResponse ApiServer::listJobs(const HttpRequest &request, const Caller &caller)
{
    JobFilter filter;
    filter.state = request.query.value(QStringLiteral("state"));
    filter.printer = request.query.value(QStringLiteral("printer"));
    if (!filter.state.isEmpty() && !state::All.contains(filter.state))
        return errorResponse(400, QStringLiteral("bad_value"),
                             QStringLiteral("state is one of: %1").arg(state::All.join(", ")),
                             QStringLiteral("state"));
    if (request.query.contains(QStringLiteral("limit"))) {
        bool ok = false;
        filter.limit = request.query.value(QStringLiteral("limit")).toInt(&ok);
        if (!ok || filter.limit < 1 || filter.limit > 1000)
            return errorResponse(400, QStringLiteral("bad_value"),
                                 QStringLiteral("limit is a number from 1 to 1000"),
                                 QStringLiteral("limit"));
    }
    if (!caller.isAdmin())
        filter.owner = caller.name;
    QJsonArray list;
    bool read = false;
    for (const JobRecord &job : journal->jobs(filter, &read))
        list.append(jobJson(job));
    if (!read)
        return journalUnreadable();
    return json(200, QJsonObject{{QStringLiteral("jobs"), list}});
}

HttpResponse ApiServer::jobAction(const HttpRequest &request, const Caller &caller,
                                  const QString &id, const QString &action)
{
    bool read = false;
    const std::optional<JobRecord> job = journal->job(id, &read);
    if (!read)
        return journalUnreadable();
    // Another client's job is not there for a print token.
    if (!job || (!caller.isAdmin() && job->owner != caller.name))
        return errorResponse(404, QStringLiteral("not_found"),
                             QStringLiteral("there is no job \"%1\"").arg(id.left(64)));
    if (action == QLatin1String("reprint")) {
        if (!caller.isAdmin())
            return errorResponse(403, QStringLiteral("forbidden"),
                                 QStringLiteral("reprinting needs an admin token"));
        if (dispatcher->queuedFor(job->printer) >= config.maxQueued)
            return errorResponse(429, QStringLiteral("queue_full"),
                                 QStringLiteral("too many jobs wait for \"%1\"").arg(job->printer));
        JobRecord copy;
        copy.id = newJobId();
        copy.owner = job->owner;
        copy.request = job->request;
        copy.requestHash = job->requestHash;
        copy.design = job->design;
        copy.printer = job->printer;
        copy.copies = job->copies;
        copy.reprintOf = job->id;
        if (journal->accept(&copy) != Journal::Accepted::Created)
            return errorResponse(503, QStringLiteral("unavailable"),
                                 QStringLiteral("the reprint could not be stored in the journal"));
        dispatcher->enqueue(copy);
        return json(202, jobJson(copy));
    }
    if (request.method == "DELETE") {
        Change change;
        change.state = state::Cancelled;
        if (!journal->transition(id, {state::Queued, state::Waiting, state::Interrupted}, change)) {
            const std::optional<JobRecord> now = journal->job(id);
            return errorResponse(409, QStringLiteral("not_cancellable"),
                                 QStringLiteral("the job is %1; only queued, waiting and "
                                                "interrupted jobs can be cancelled")
                                     .arg(now ? now->state : job->state));
        }
        const std::optional<JobRecord> now = journal->job(id, &read);
        if (!now)
            return journalUnreadable();
        return json(200, jobJson(*now));
    }
    return json(200, jobJson(*job));
}

HttpResponse ApiServer::designs()
{
    renderer->invoke<bool>([this] {
        renderer->refreshCatalog();
        return true;
    });
    QJsonArray list;
    for (const DesignInfo &design : catalog->all())
        list.append(design.json());
    return json(200, QJsonObject{{QStringLiteral("designs"), list}});
}

HttpResponse ApiServer::printers()
{
    QMap<QString, Dispatcher::PrinterState> driven;
    for (const Dispatcher::PrinterState &p : dispatcher->printers())
        driven.insert(p.name, p);
    cups_dest_t *dests = nullptr;
    const int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    QJsonArray list;
    for (int i = 0; i < n; ++i) {
        if (dests[i].instance)
            continue;
        const QString name = QString::fromUtf8(dests[i].name);
        const char *st = cupsGetOption("printer-state", dests[i].num_options, dests[i].options);
        const char *accepting =
            cupsGetOption("printer-is-accepting-jobs", dests[i].num_options, dests[i].options);
        const int code = st ? atoi(st) : 0;
        const Dispatcher::PrinterState p = driven.value(name);
        list.append(QJsonObject{
            {QStringLiteral("name"), name},
            {QStringLiteral("state"), code == 3   ? QStringLiteral("idle")
                                      : code == 4 ? QStringLiteral("processing")
                                      : code == 5 ? QStringLiteral("stopped")
                                                  : QStringLiteral("unknown")},
            {QStringLiteral("accepting"), !accepting || qstrcmp(accepting, "true") == 0},
            {QStringLiteral("language"), printlanguage::usesZpl(name) ? QStringLiteral("zpl")
                                                                      : QStringLiteral("driver")},
            {QStringLiteral("queued"), p.queued},
            {QStringLiteral("waiting"), p.waiting},
            {QStringLiteral("reason"), p.reason.isEmpty() ? QJsonValue() : QJsonValue(p.reason)},
            {QStringLiteral("driven"), p.driven},
        });
        driven.remove(name);
    }
    cupsFreeDests(n, dests);
    // Printers with jobs that the print system does not list (gone, or it does not answer).
    for (const Dispatcher::PrinterState &p : driven)
        list.append(QJsonObject{{QStringLiteral("name"), p.name},
                                {QStringLiteral("state"), QStringLiteral("unknown")},
                                {QStringLiteral("accepting"), false},
                                {QStringLiteral("language"), QStringLiteral("unknown")},
                                {QStringLiteral("queued"), p.queued},
                                {QStringLiteral("waiting"), p.waiting},
                                {QStringLiteral("reason"), p.reason},
                                {QStringLiteral("driven"), p.driven}});
    return json(200, QJsonObject{{QStringLiteral("printers"), list}});
}

} // namespace server
