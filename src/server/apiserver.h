#pragma once

#include "serverconfig.h"
#include "tokens.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QPair>
#include <QString>

#include <array>
#include <atomic>

struct MHD_Daemon;
struct MHD_Connection;

namespace server {

class DesignCatalog;
class Dispatcher;
class Journal;
class JobRenderer;

struct HttpRequest
{
    QByteArray method;
    QString path;
    QMap<QString, QString> query;
    QByteArray authorization;
    QByteArray body;
};

struct HttpResponse
{
    int status = 200;
    QByteArray contentType = "application/json";
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
};

// The HTTP side of the print service, on libmicrohttpd: it reads requests
// within their bounds, checks the caller's token and answers; the journal
// records and the dispatcher prints.
class ApiServer
{
public:
    ApiServer(const ServerConfig &config, Journal *journal, DesignCatalog *catalog,
              JobRenderer *renderer, Dispatcher *dispatcher, TokenStore *tokens);
    ~ApiServer();
    ApiServer(const ApiServer &) = delete;
    ApiServer &operator=(const ApiServer &) = delete;

    bool start(QString *error);
    void stop();
    quint16 port() const;

    // One request, whole: what the connection handler calls once the body
    // has arrived (and the tests may call directly).
    HttpResponse handle(const HttpRequest &request);

private:
    friend struct ApiGlue;

    HttpResponse route(const HttpRequest &request, const QString &routeName);
    HttpResponse postJob(const HttpRequest &request, const Caller &caller);
    HttpResponse listJobs(const HttpRequest &request, const Caller &caller);
    HttpResponse jobAction(const HttpRequest &request, const Caller &caller, const QString &id,
                           const QString &action);
    HttpResponse designs();
    HttpResponse printers();
    HttpResponse metrics();
    HttpResponse statusPage();
    Caller authenticate(const QByteArray &authorization) const;
    QString routeOf(const HttpRequest &request) const;
    void observe(const QString &route, double seconds);

    ServerConfig config;
    Journal *journal;
    DesignCatalog *catalog;
    JobRenderer *renderer;
    Dispatcher *dispatcher;
    TokenStore *tokens;
    MHD_Daemon *daemon = nullptr;
    quint16 boundPort = 0;
    std::atomic<int> connections{0};
    // Request bodies held at once, bounded so that many large requests
    // together are refused (503) instead of exhausting memory.
    std::atomic<qint64> bodyBytes{0};
    qint64 bodyBudget = 0;

    static constexpr int Buckets = 12;
    static constexpr double BucketBounds[Buckets] = {0.001, 0.0025, 0.005, 0.01, 0.025, 0.05,
                                                     0.1,   0.25,   0.5,   1,    2.5,   5};
    struct Histogram
    {
        std::array<std::atomic<quint64>, Buckets> counts{};
        std::atomic<quint64> total{0};
        std::atomic<quint64> sumMicros{0};
    };
    // By route, fixed at construction so that no lock is needed.
    QMap<QString, Histogram *> latency;
    QElapsedTimer uptime;
};

// The program's version as the API gives it: "4.1.0".
QString serverVersion();

HttpResponse errorResponse(int status, const QString &code, const QString &message,
                           const QString &field = QString());

} // namespace server
