// The print service under load: a private print scheduler with four Zebra ZPL
// queues, each on a loopback listener of its own, one design of 100 x 50 mm
// (a data text and a Code 128 bound to the columns of its only source), and
// many clients, each on its own kept-alive connection, submitting jobs of ten
// rows round-robin over the four printers. Prints jobs accepted per second,
// the times to acknowledge, the time until every label reached a printer,
// labels per second and the service's memory at start, after acceptance and
// at the end.
//
//   bench_server [JOBS [CLIENTS [WAIT-SECONDS]]] [--postgres] [--instances N]
//                                       (defaults 2000 32 900, one instance, SQLite)
//
// --postgres keeps the journal in a private PostgreSQL database; --instances N
// (which implies it) starts N instances on that journal and spreads the
// clients over them in turn. Memory and CPU are then the instances' sums,
// followed by each instance's own.

#include "benchstock.h"
#include "cupstestserver.h"
#include "datasource.h"
#include "datasourcemanager.h"
#include "document.h"
#include "labelitems/barcodeitem.h"
#include "labelitems/dataitem.h"
#include "pgtestserver.h"
#include "services.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Printers = 4;
constexpr int RowsPerJob = 10;
// Bounds on every wait of a client, so that a service that stops answering
// ends the run with a report instead of hanging it.
constexpr int SocketTimeoutSeconds = 120;
constexpr int MaxAttempts = 30;

double secondsSince(Clock::time_point start, Clock::time_point end = Clock::now())
{
    return std::chrono::duration<double>(end - start).count();
}

// The service dies with the bench, also when the bench crashes.
class ChildProcess : public QProcess
{
public:
    // A run that gives up early leaves no instance behind.
    ~ChildProcess() override
    {
        if (state() != QProcess::NotRunning) {
            kill();
            waitForFinished(5000);
        }
    }

protected:
    void setupChildProcess() override { prctl(PR_SET_PDEATHSIG, SIGKILL); }
};

// ---------------------------------------------------------------------------
// A small blocking HTTP/1.1 client on one kept-alive connection.

struct Response
{
    int status = 0;
    std::map<std::string, std::string> headers; // names in lower case
    std::string body;

    std::string header(const std::string &name) const
    {
        const auto it = headers.find(name);
        return it == headers.end() ? std::string() : it->second;
    }
};

class HttpClient
{
public:
    HttpClient(quint16 port, std::string token) : port(port), token(std::move(token)) {}
    ~HttpClient() { disconnect(); }
    HttpClient(const HttpClient &) = delete;
    HttpClient &operator=(const HttpClient &) = delete;

    // One request and its answer. A kept-alive connection the service has
    // closed meanwhile is opened again once; `reconnects` counts that.
    bool exchange(const char *method, const std::string &path, const std::string &body,
                  Response &response, std::string &error)
    {
        for (int attempt = 0; attempt < 2; ++attempt) {
            const bool fresh = fd < 0;
            if (fresh && !connectToService(error))
                return false;
            std::string request = std::string(method) + ' ' + path +
                                  " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) + "\r\n";
            if (!token.empty())
                request += "Authorization: Bearer " + token + "\r\n";
            if (!body.empty() || std::strcmp(method, "POST") == 0)
                request += "Content-Type: application/json\r\nContent-Length: " +
                           std::to_string(body.size()) + "\r\n";
            request += "\r\n";
            request += body;
            // A connection the service closed while idle fails before any answer byte.
            bool nothingRead = true;
            if (sendAll(request) && readResponse(response, error, &nothingRead))
                return true;
            disconnect();
            if (fresh || !nothingRead)
                return false;
            ++reconnects;
        }
        return false;
    }

    int reconnects = 0;

private:
    bool connectToService(std::string &error)
    {
        fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            error = std::string("socket: ") + std::strerror(errno);
            return false;
        }
        timeval timeout{SocketTimeoutSeconds, 0};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));
        setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof(timeout));
        const int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0) {
            error = std::string("connect: ") + std::strerror(errno);
            disconnect();
            return false;
        }
        buffered.clear();
        return true;
    }

    void disconnect()
    {
        if (fd >= 0)
            close(fd);
        fd = -1;
        buffered.clear();
    }

    bool sendAll(const std::string &data)
    {
        size_t sent = 0;
        while (sent < data.size()) {
            const ssize_t n = send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            sent += size_t(n);
        }
        return true;
    }

    // More bytes into `buffered`; false at the end of the stream or an error.
    bool fill(std::string &error)
    {
        char chunk[16384];
        for (;;) {
            const ssize_t n = recv(fd, chunk, sizeof(chunk), 0);
            if (n > 0) {
                buffered.append(chunk, size_t(n));
                return true;
            }
            if (n < 0 && errno == EINTR)
                continue;
            error = n == 0 ? std::string("connection closed by the service")
                           : std::string("recv: ") + std::strerror(errno);
            return false;
        }
    }

    bool readResponse(Response &response, std::string &error, bool *nothingRead)
    {
        response = Response();
        size_t headerEnd;
        *nothingRead = buffered.empty();
        while ((headerEnd = buffered.find("\r\n\r\n")) == std::string::npos) {
            if (buffered.size() > 65536) {
                error = "answer header longer than 64 KiB";
                return false;
            }
            if (!fill(error))
                return false;
            *nothingRead = false;
        }
        const std::string head = buffered.substr(0, headerEnd);
        buffered.erase(0, headerEnd + 4);
        size_t lineEnd = head.find("\r\n");
        const std::string statusLine = head.substr(0, lineEnd);
        if (statusLine.compare(0, 5, "HTTP/") != 0 || statusLine.size() < 12) {
            error = "not an HTTP answer: " + statusLine;
            return false;
        }
        response.status = std::atoi(statusLine.c_str() + 9);
        while (lineEnd != std::string::npos) {
            const size_t start = lineEnd + 2;
            lineEnd = head.find("\r\n", start);
            const std::string line = head.substr(
                start, lineEnd == std::string::npos ? std::string::npos : lineEnd - start);
            const size_t colon = line.find(':');
            if (colon == std::string::npos)
                continue;
            std::string name = line.substr(0, colon);
            std::transform(name.begin(), name.end(), name.begin(), ::tolower);
            size_t value = colon + 1;
            while (value < line.size() && line[value] == ' ')
                ++value;
            response.headers[name] = line.substr(value);
        }
        std::string encoding = response.header("transfer-encoding");
        std::transform(encoding.begin(), encoding.end(), encoding.begin(), ::tolower);
        if (encoding.find("chunked") != std::string::npos) {
            for (int chunks = 0; chunks < 1000000; ++chunks) {
                size_t sizeEnd;
                while ((sizeEnd = buffered.find("\r\n")) == std::string::npos)
                    if (!fill(error))
                        return false;
                const size_t size = std::strtoul(buffered.c_str(), nullptr, 16);
                buffered.erase(0, sizeEnd + 2);
                if (size == 0) {
                    // Trailers, if any, end with an empty line.
                    size_t end;
                    while ((end = buffered.find("\r\n")) == std::string::npos)
                        if (!fill(error))
                            return false;
                    while (end != 0) {
                        buffered.erase(0, end + 2);
                        while ((end = buffered.find("\r\n")) == std::string::npos)
                            if (!fill(error))
                                return false;
                    }
                    buffered.erase(0, 2);
                    break;
                }
                while (buffered.size() < size + 2)
                    if (!fill(error))
                        return false;
                response.body.append(buffered, 0, size);
                buffered.erase(0, size + 2);
            }
        } else if (!response.header("content-length").empty()) {
            const size_t length =
                std::strtoull(response.header("content-length").c_str(), nullptr, 10);
            while (buffered.size() < length)
                if (!fill(error))
                    return false;
            response.body = buffered.substr(0, length);
            buffered.erase(0, length);
        } else if (response.status != 204 && response.status != 304) {
            // Without a length the body ends with the connection.
            std::string ignored;
            while (fill(ignored)) {
            }
            response.body = buffered;
            buffered.clear();
            disconnect();
            return true;
        }
        std::string connection = response.header("connection");
        std::transform(connection.begin(), connection.end(), connection.begin(), ::tolower);
        if (connection.find("close") != std::string::npos)
            disconnect();
        return true;
    }

    quint16 port;
    std::string token;
    int fd = -1;
    std::string buffered;
};

// ---------------------------------------------------------------------------
// The service's process as /proc shows it.

struct Memory
{
    qint64 rssKb = -1;
    qint64 hwmKb = -1;
};

Memory memoryOf(qint64 pid)
{
    Memory m;
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return m;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            m.rssKb = line.mid(6).trimmed().split(' ').value(0).toLongLong();
        else if (line.startsWith("VmHWM:"))
            m.hwmKb = line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return m;
}

// User and system CPU seconds of a process, -1 when it is gone.
double cpuSecondsOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // The command name may hold spaces; the fields after it do not.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return double(fields.at(11).toLongLong() + fields.at(12).toLongLong()) / sysconf(_SC_CLK_TCK);
}

QString mb(qint64 kb)
{
    return kb < 0 ? QStringLiteral("?")
                  : QString::number(kb / 1024.0, 'f', 1) + QStringLiteral(" MB");
}

// ---------------------------------------------------------------------------
// Labels in the ZPL a printer received: the program sends each label as a
// ^XA ... ^XZ format with a ^GF graphic, repeated by ^PQ when labels are
// alike; the print system's Zebra driver sends a graphic stored with ~DG and
// printed by ^XG, so a format with ^XG is a label too.
qint64 labelsIn(const QByteArray &zpl)
{
    qint64 labels = 0;
    for (int start = zpl.indexOf("^XA"); start >= 0;) {
        const int end = zpl.indexOf("^XZ", start);
        if (end < 0)
            break;
        const QByteArray format = zpl.mid(start, end - start);
        if (format.contains("^GF") || format.contains("^XG")) {
            const int pq = format.indexOf("^PQ");
            qint64 copies = 1;
            if (pq >= 0) {
                int digits = pq + 3;
                while (digits < format.size() && format.at(digits) >= '0' &&
                       format.at(digits) <= '9')
                    ++digits;
                copies = qMax<qint64>(1, format.mid(pq + 3, digits - pq - 3).toLongLong());
            }
            labels += copies;
        }
        start = zpl.indexOf("^XA", end);
    }
    return labels;
}

// ---------------------------------------------------------------------------
// The design: 100 x 50 mm, a data text on column "item" and a Code 128 on
// column "code" of a CSV, its only source.
bool writeDesign(const QString &csv, const QString &file)
{
    QFile table(csv);
    if (!table.open(QIODevice::WriteOnly))
        return false;
    table.write("item,code\n");
    for (int i = 0; i < RowsPerJob; ++i)
        table.write(QStringLiteral("ITEM-%1,C%1\n").arg(100000 + i).toUtf8());
    table.close();
    DataSourceManager *manager = services::dataSourceManager();
    manager->addCsvFile(csv);
    DataSource *source = manager->findByName(csv);
    if (!source)
        return false;
    Document doc;
    doc.setSizeTemplate(benchstock::singleWide());
    const double mm = doc.labelGeometry().pixelsPerMm;
    const QAbstractItemModel *m = source->model();
    auto *text = new DataItem(QSizeF(90 * mm, 12 * mm));
    text->setPos(5 * mm, 4 * mm);
    doc.addItem(text);
    text->setData(source, QItemSelection(m->index(0, 0), m->index(m->rowCount() - 1, 0)));
    auto *code = new BarcodeItem(QSizeF(80 * mm, 25 * mm));
    Barcode c;
    c.setSymbology(Barcode::Code128);
    code->setBarcode(c);
    code->setPos(5 * mm, 20 * mm);
    doc.addItem(code);
    code->setVariableData(source, QItemSelection(m->index(0, 1), m->index(m->rowCount() - 1, 1)));
    QFile out(file);
    const bool written = out.open(QIODevice::WriteOnly) && writeDocumentFile(&out, &doc);
    manager->removeSource(manager->idOf(source));
    return written;
}

// ---------------------------------------------------------------------------
// What the clients did.

struct Failure
{
    int job = 0;
    int status = 0;
    std::string what;
};

struct ClientResult
{
    std::vector<double> ackMs;
    std::vector<std::string> ids;
    int retried = 0;  // answers 429/503 waited for
    int replayed = 0; // 202 with Idempotent-Replayed: true
    int reconnects = 0;
    Clock::time_point lastAck{};
    std::vector<Failure> failures;
};

// A JSON string of `text`, quoted.
std::string jsonString(const std::string &text)
{
    const QByteArray array =
        QJsonDocument(QJsonArray{QString::fromStdString(text)}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2).toStdString();
}

std::string jobBody(const std::string &design, const QStringList &queues, int job,
                    const std::string &run)
{
    std::string body = "{\"design\":" + jsonString(design) +
                       ",\"printer\":" + jsonString(queues.at(job % Printers).toStdString()) +
                       ",\"rows\":[";
    for (int r = 0; r < RowsPerJob; ++r) {
        const std::string n = std::to_string(job) + '-' + std::to_string(r + 1);
        if (r)
            body += ',';
        body += "{\"item\":\"ITEM-" + n + "\",\"code\":\"C" + n + "\"}";
    }
    body += "],\"idempotencyKey\":\"bench-" + run + '-' + std::to_string(job) + "\"}";
    return body;
}

void runClient(int client, int clients, int jobs, quint16 port, const std::string &token,
               const std::string &design, const QStringList &queues, const std::string &run,
               ClientResult &result, std::atomic<int> &accepted)
{
    HttpClient http(port, token);
    for (int job = client; job < jobs; job += clients) {
        const std::string body = jobBody(design, queues, job, run);
        const Clock::time_point start = Clock::now();
        Failure failure{job, 0, std::string()};
        bool done = false;
        for (int attempt = 0; attempt < MaxAttempts && !done; ++attempt) {
            Response response;
            std::string error;
            if (!http.exchange("POST", "/v1/jobs", body, response, error)) {
                failure = {job, 0, error};
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                continue;
            }
            if (response.status == 202) {
                const Clock::time_point end = Clock::now();
                result.ackMs.push_back(secondsSince(start, end) * 1000);
                result.lastAck = std::max(result.lastAck, end);
                if (response.header("idempotent-replayed") == "true")
                    ++result.replayed;
                const QJsonObject answer =
                    QJsonDocument::fromJson(QByteArray::fromStdString(response.body)).object();
                result.ids.push_back(answer.value(QStringLiteral("id")).toString().toStdString());
                ++accepted;
                done = true;
            } else if (response.status == 429 || response.status == 503) {
                ++result.retried;
                failure = {job, response.status, response.body};
                const int after = std::atoi(response.header("retry-after").c_str());
                std::this_thread::sleep_for(
                    std::chrono::milliseconds(qBound(50, after * 1000, 5000)));
            } else {
                failure = {job, response.status, response.body};
                break;
            }
        }
        if (!done)
            result.failures.push_back(failure);
    }
    result.reconnects = http.reconnects;
}

double percentile(const std::vector<double> &sorted, double p)
{
    if (sorted.empty())
        return 0;
    const size_t index = size_t(std::ceil(p * double(sorted.size()))) - 1;
    return sorted[std::min(index, sorted.size() - 1)];
}

// The service's metrics text, empty when it does not answer.
QString metricsOf(HttpClient &http)
{
    Response response;
    std::string error;
    if (!http.exchange("GET", "/metrics", std::string(), response, error) || response.status != 200)
        return QString();
    return QString::fromStdString(response.body);
}

// A sample's value in metrics text, -1 when it is not there.
double metricValue(const QString &metrics, const QString &sample)
{
    for (const QString &line : metrics.split(QLatin1Char('\n'))) {
        if (line.startsWith(sample + QLatin1Char(' ')))
            return line.mid(sample.size() + 1).trimmed().toDouble();
    }
    return -1;
}

QString metricsSummary(const QString &metrics)
{
    QStringList parts;
    for (const QString &line : metrics.split(QLatin1Char('\n'))) {
        if ((line.startsWith(QLatin1String("tagorix_jobs{")) &&
             !line.endsWith(QLatin1String(" 0"))) ||
            line.startsWith(QLatin1String("tagorix_labels_printed_total")))
            parts << line.trimmed();
    }
    return parts.isEmpty() ? QStringLiteral("(no metrics)") : parts.join(QStringLiteral(", "));
}

// The first jobs of a state, with what the service says about them.
void printJobsIn(HttpClient &http, const char *state)
{
    Response response;
    std::string error;
    if (!http.exchange("GET", std::string("/v1/jobs?limit=3&state=") + state, std::string(),
                       response, error) ||
        response.status != 200)
        return;
    const QJsonArray jobs = QJsonDocument::fromJson(QByteArray::fromStdString(response.body))
                                .object()
                                .value(QStringLiteral("jobs"))
                                .toArray();
    for (const QJsonValue &job : jobs)
        std::printf(
            "  %s job: %s\n", state,
            QJsonDocument(job.toObject()).toJson(QJsonDocument::Compact).left(600).constData());
}

QString lastLines(const QString &file, int count)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    const QStringList lines =
        QString::fromLocal8Bit(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.mid(qMax(0, lines.size() - count)).join(QLatin1Char('\n'));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    DataSourceManager dataSources;
    services::setDataSourceManager(&dataSources);
    std::vector<const char *> figures;
    int instances = 1;
    bool postgres = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--postgres") == 0) {
            postgres = true;
        } else if (std::strcmp(argv[i], "--instances") == 0 && i + 1 < argc) {
            instances = qBound(1, atoi(argv[++i]), 16);
        } else if (argv[i][0] == '-') {
            std::fprintf(stderr, "usage: bench_server [JOBS [CLIENTS [WAIT-SECONDS]]] "
                                 "[--postgres] [--instances N]\n");
            return 2;
        } else {
            figures.push_back(argv[i]);
        }
    }
    // Instances share their jobs only through a PostgreSQL journal.
    postgres = postgres || instances > 1;
    const int jobs = figures.size() > 0 ? qMax(1, atoi(figures[0])) : 2000;
    const int clients = figures.size() > 1 ? qBound(1, atoi(figures[1]), jobs) : 32;
    const int waitSeconds = figures.size() > 2 ? qMax(1, atoi(figures[2])) : 900;
    const qint64 expectedLabels = qint64(jobs) * RowsPerJob;

    const QString program =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tagorix-server"));
    if (!QFile::exists(program)) {
        std::fprintf(stderr, "no %s: build the tagorix-server target\n", qPrintable(program));
        return 1;
    }

    // Four printers, each a listener of its own, so what each received is known.
    std::vector<std::unique_ptr<JobListener>> printers;
    for (int i = 0; i < Printers; ++i)
        printers.push_back(std::make_unique<JobListener>());
    CupsTestServer cups;
    if (!cups.start()) {
        std::fprintf(stderr, "no print scheduler: %s\n", qPrintable(cups.errorString()));
        return 1;
    }
    QStringList queues;
    for (int i = 0; i < Printers; ++i) {
        const QString queue = QStringLiteral("Bench_Server_Zebra_%1").arg(i + 1);
        if (!printers[i]->isListening() ||
            !cups.addQueue(queue, QStringLiteral("socket://127.0.0.1:%1").arg(printers[i]->port()),
                           QStringLiteral("drv:///sample.drv/zebra.ppd"))) {
            std::fprintf(stderr, "no queue %s: %s\n", qPrintable(queue),
                         qPrintable(cups.errorString()));
            return 1;
        }
        queues << queue;
    }

    QTemporaryDir dir;
    const QString designs = dir.filePath(QStringLiteral("designs"));
    const QString tokens = dir.filePath(QStringLiteral("tokens"));
    QString journal = dir.filePath(QStringLiteral("journal.sqlite"));
    QDir().mkpath(designs);
    if (!dir.isValid() || !writeDesign(dir.filePath(QStringLiteral("items.csv")),
                                       QDir(designs).filePath(QStringLiteral("bench.tx4l")))) {
        std::fprintf(stderr, "cannot write the design into %s\n", qPrintable(designs));
        return 1;
    }

    // The environment goes on to the service, so it reaches the private scheduler.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    std::string token;
    {
        ChildProcess add;
        add.setProcessEnvironment(env);
        add.start(program, {QStringLiteral("token"), QStringLiteral("add"), QStringLiteral("bench"),
                            QStringLiteral("--scope"), QStringLiteral("print"),
                            QStringLiteral("--tokens"), tokens});
        if (!add.waitForFinished(60000) || add.exitStatus() != QProcess::NormalExit ||
            add.exitCode() != 0) {
            std::fprintf(stderr, "token add failed (exit %d): %s\n", add.exitCode(),
                         add.readAllStandardError().constData());
            return 1;
        }
        const QList<QByteArray> lines = add.readAllStandardOutput().trimmed().split('\n');
        token = lines.value(lines.size() - 1).trimmed().toStdString();
        if (token.empty()) {
            std::fprintf(stderr, "token add printed no token\n");
            return 1;
        }
    }

    // Declared before the instances, so it stops after them.
    std::unique_ptr<PgTestServer> database;
    if (postgres) {
        const QString unavailable = PgTestServer::unavailableReason();
        if (!unavailable.isEmpty()) {
            std::fprintf(stderr, "no private PostgreSQL: %s\n", qPrintable(unavailable));
            return 1;
        }
        database = std::make_unique<PgTestServer>();
        if (!database->start()) {
            std::fprintf(stderr, "no PostgreSQL: %s\n", qPrintable(database->errorString()));
            return 1;
        }
        journal = database->uri();
    }

    // Their output goes to files: a pipe nobody reads while the clients run
    // could fill and stop the service.
    struct Instance
    {
        std::unique_ptr<ChildProcess> process;
        QString outFile;
        QString errFile;
        qint64 pid = 0;
        quint16 port = 0;
    };
    std::vector<Instance> servers(static_cast<size_t>(instances));
    for (int i = 0; i < instances; ++i) {
        Instance &server = servers[size_t(i)];
        const QString suffix = instances > 1 ? QStringLiteral("-%1").arg(i + 1) : QString();
        server.outFile = dir.filePath(QStringLiteral("server%1.out").arg(suffix));
        server.errFile = dir.filePath(QStringLiteral("server%1.err").arg(suffix));
        QStringList arguments{QStringLiteral("--listen"),     QStringLiteral("127.0.0.1:0"),
                              QStringLiteral("--tokens"),     tokens,
                              QStringLiteral("--designs"),    designs,
                              QStringLiteral("--journal"),    journal,
                              QStringLiteral("--max-queued"), QStringLiteral("100000")};
        if (instances > 1)
            arguments << QStringLiteral("--instance") << QStringLiteral("bench-%1").arg(i + 1);
        server.process = std::make_unique<ChildProcess>();
        server.process->setProcessEnvironment(env);
        server.process->setStandardOutputFile(server.outFile);
        server.process->setStandardErrorFile(server.errFile);
        server.process->start(program, arguments);
        if (!server.process->waitForStarted(30000)) {
            std::fprintf(stderr, "cannot start %s: %s\n", qPrintable(program),
                         qPrintable(server.process->errorString()));
            return 1;
        }
        server.pid = server.process->processId();
    }
    QStringList addresses;
    for (Instance &server : servers) {
        for (int i = 0; i < 600 && server.port == 0; ++i) {
            QFile out(server.outFile);
            if (out.open(QIODevice::ReadOnly)) {
                for (const QByteArray &line : out.readAll().split('\n')) {
                    if (line.startsWith("listening on http://127.0.0.1:"))
                        server.port =
                            quint16(line.mid(int(strlen("listening on http://127.0.0.1:")))
                                        .trimmed()
                                        .toUInt());
                }
            }
            if (server.port == 0 && server.process->waitForFinished(100)) {
                std::fprintf(stderr, "the service ended (exit %d) before listening:\n%s\n",
                             server.process->exitCode(), qPrintable(lastLines(server.errFile, 20)));
                return 1;
            }
        }
        if (server.port == 0) {
            std::fprintf(stderr, "the service did not say where it listens within a minute:\n%s\n",
                         qPrintable(lastLines(server.errFile, 20)));
            return 1;
        }
        addresses << QString::number(server.port);
    }
    const quint16 port = servers.front().port;
    const auto anyGone = [&] {
        for (const Instance &server : servers)
            if (server.process->state() != QProcess::Running)
                return true;
        return false;
    };

    HttpClient control(port, token);
    std::string design = "bench";
    {
        Response response;
        std::string error;
        if (!control.exchange("GET", "/v1/health", std::string(), response, error) ||
            response.status != 200)
            std::printf("health: %d %s %s\n", response.status, response.body.c_str(),
                        error.c_str());
        if (control.exchange("GET", "/v1/designs", std::string(), response, error) &&
            response.status == 200) {
            const QJsonArray list =
                QJsonDocument::fromJson(QByteArray::fromStdString(response.body))
                    .object()
                    .value(QStringLiteral("designs"))
                    .toArray();
            if (list.size() == 1)
                design =
                    list.at(0).toObject().value(QStringLiteral("name")).toString().toStdString();
            std::printf("designs: %s\n", response.body.substr(0, 400).c_str());
        } else {
            std::printf("designs: %d %s %s\n", response.status, response.body.c_str(),
                        error.c_str());
        }
    }

    if (instances == 1)
        std::printf("bench_server: %d jobs of %d labels (%lld labels), %d clients, %d ZPL queues, "
                    "service on 127.0.0.1:%u%s\n",
                    jobs, RowsPerJob, expectedLabels, clients, Printers, unsigned(port),
                    postgres ? " with a PostgreSQL journal" : "");
    else
        std::printf("bench_server: %d jobs of %d labels (%lld labels), %d clients, %d ZPL queues, "
                    "%d instances on 127.0.0.1:%s with one PostgreSQL journal\n",
                    jobs, RowsPerJob, expectedLabels, clients, Printers, instances,
                    qPrintable(addresses.join(QLatin1Char(','))));
    std::fflush(stdout);

    // The instances' sums; unknown once one is gone.
    const auto memoryOfAll = [&] {
        Memory all{0, 0};
        for (const Instance &server : servers) {
            const Memory m = memoryOf(server.pid);
            all.rssKb = m.rssKb < 0 || all.rssKb < 0 ? -1 : all.rssKb + m.rssKb;
            all.hwmKb = m.hwmKb < 0 || all.hwmKb < 0 ? -1 : all.hwmKb + m.hwmKb;
        }
        return all;
    };
    const Memory atStart = memoryOfAll();
    Memory lastSeen = atStart;
    qint64 peakRssKb = atStart.rssKb;
    std::vector<Memory> lastSeenEach(servers.size());
    auto sample = [&] {
        for (size_t i = 0; i < servers.size(); ++i) {
            const Memory each = memoryOf(servers[i].pid);
            if (each.hwmKb >= 0)
                lastSeenEach[i] = each;
        }
        const Memory m = memoryOfAll();
        if (m.hwmKb >= 0)
            lastSeen = m;
        peakRssKb = qMax(peakRssKb, m.rssKb);
        return m;
    };

    // Labels and jobs that reached each printer, counted as they arrive.
    std::vector<int> jobsSeen(Printers, 0);
    std::vector<qint64> labelsSeen(Printers, 0);
    std::vector<qint64> bytesSeen(Printers, 0);
    auto countArrivals = [&] {
        qint64 total = 0;
        for (int i = 0; i < Printers; ++i) {
            const QList<QByteArray> received = printers[i]->jobs();
            for (int j = jobsSeen[i]; j < received.size(); ++j) {
                labelsSeen[i] += labelsIn(received.at(j));
                bytesSeen[i] += received.at(j).size();
            }
            jobsSeen[i] = received.size();
            total += labelsSeen[i];
        }
        return total;
    };

    const std::string run = std::to_string(QCoreApplication::applicationPid());
    std::vector<ClientResult> results(static_cast<size_t>(clients));
    std::atomic<int> accepted{0};
    std::atomic<int> clientsDone{0};
    const Clock::time_point t0 = Clock::now();
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c) {
        threads.emplace_back([&, c] {
            // Clients spread over the instances in turn.
            runClient(c, clients, jobs, servers[size_t(c % instances)].port, token, design, queues,
                      run, results[size_t(c)], accepted);
            ++clientsDone;
        });
    }

    // Acceptance: the clients end on their own (every wait is bounded).
    Clock::time_point firstLabel{};
    Clock::time_point lastReport = t0;
    qint64 labels = 0;
    bool serverGone = false;
    while (clientsDone.load() < clients) {
        QThread::msleep(100);
        QCoreApplication::processEvents();
        sample();
        labels = countArrivals();
        if (labels > 0 && firstLabel == Clock::time_point{})
            firstLabel = Clock::now();
        if (secondsSince(lastReport) >= 10) {
            lastReport = Clock::now();
            std::printf("  %.0f s: %d jobs accepted, %lld labels at the printers, RSS %s\n",
                        secondsSince(t0), accepted.load(), labels, qPrintable(mb(lastSeen.rssKb)));
            std::fflush(stdout);
        }
    }
    for (std::thread &t : threads)
        t.join();
    const Memory afterAcceptance = sample();

    ClientResult all;
    std::vector<std::string> ids;
    for (const ClientResult &r : results) {
        all.ackMs.insert(all.ackMs.end(), r.ackMs.begin(), r.ackMs.end());
        ids.insert(ids.end(), r.ids.begin(), r.ids.end());
        all.retried += r.retried;
        all.replayed += r.replayed;
        all.reconnects += r.reconnects;
        all.lastAck = std::max(all.lastAck, r.lastAck);
        all.failures.insert(all.failures.end(), r.failures.begin(), r.failures.end());
    }
    std::sort(all.ackMs.begin(), all.ackMs.end());
    std::sort(ids.begin(), ids.end());
    const size_t distinct = size_t(std::unique(ids.begin(), ids.end()) - ids.begin());
    const int acceptedJobs = int(all.ackMs.size());
    const double acceptSeconds =
        acceptedJobs > 0 ? secondsSince(t0, all.lastAck) : secondsSince(t0);

    std::printf("accepted %d/%d jobs in %.2f s = %.1f jobs/s (distinct job ids %zu, waits after "
                "429/503 %d, replayed %d, reopened connections %d, refused %zu)\n",
                acceptedJobs, jobs, acceptSeconds, acceptedJobs / acceptSeconds, distinct,
                all.retried, all.replayed, all.reconnects, all.failures.size());
    std::printf("time to acknowledge (202): p50 %.1f ms, p99 %.1f ms, max %.1f ms\n",
                percentile(all.ackMs, 0.50), percentile(all.ackMs, 0.99),
                all.ackMs.empty() ? 0.0 : all.ackMs.back());
    for (size_t i = 0; i < all.failures.size() && i < 5; ++i)
        std::printf("  job %d not accepted: %d %s\n", all.failures[i].job, all.failures[i].status,
                    all.failures[i].what.substr(0, 300).c_str());
    std::fflush(stdout);

    // Printing: every accepted label at a printer, or the bound.
    const qint64 awaited = qint64(acceptedJobs) * RowsPerJob;
    const Clock::time_point waitStart = Clock::now();
    Clock::time_point allPrinted{};
    lastReport = waitStart;
    for (;;) {
        labels = countArrivals();
        if (labels > 0 && firstLabel == Clock::time_point{})
            firstLabel = Clock::now();
        if (labels >= awaited) {
            allPrinted = Clock::now();
            break;
        }
        if (secondsSince(waitStart) > waitSeconds)
            break;
        if (anyGone()) {
            serverGone = true;
            break;
        }
        if (secondsSince(lastReport) >= 10) {
            lastReport = Clock::now();
            std::printf("  %.0f s: %lld/%lld labels at the printers, RSS %s\n", secondsSince(t0),
                        labels, awaited, qPrintable(mb(lastSeen.rssKb)));
            std::fflush(stdout);
        }
        QThread::msleep(100);
        QCoreApplication::processEvents();
        sample();
    }
    const Memory atEnd = sample();
    std::vector<double> cpuEach;
    double cpu = 0;
    for (const Instance &server : servers) {
        cpuEach.push_back(cpuSecondsOf(server.pid));
        cpu = cpuEach.back() < 0 || cpu < 0 ? -1 : cpu + cpuEach.back();
    }

    int jobsArrived = 0;
    qint64 bytes = 0;
    for (int i = 0; i < Printers; ++i) {
        jobsArrived += jobsSeen[i];
        bytes += bytesSeen[i];
    }
    if (allPrinted != Clock::time_point{}) {
        const double total = secondsSince(t0, allPrinted);
        std::printf(
            "at the printers: %lld/%lld labels in %d jobs after %.1f s from the first "
            "request (%.1f s after the last 202, first label after %.1f s) = %.1f labels/s, "
            "%.0f bytes/label\n",
            labels, awaited, jobsArrived, total, secondsSince(all.lastAck, allPrinted),
            secondsSince(t0, firstLabel), labels / total, labels ? double(bytes) / labels : 0.0);
    } else {
        std::printf("NOT ALL PRINTED: %lld/%lld labels in %d jobs at the printers after %.1f s "
                    "(%s)\n",
                    labels, awaited, jobsArrived, secondsSince(t0),
                    serverGone ? "the service ended" : "gave up waiting");
    }
    for (int i = 0; i < Printers; ++i) {
        int sentTo = 0;
        for (int job = i; job < jobs; job += Printers)
            ++sentTo;
        std::printf("  %s: %lld labels in %d jobs (%d jobs submitted)\n", qPrintable(queues.at(i)),
                    labelsSeen[i], jobsSeen[i], sentTo);
    }
    std::printf("service memory: RSS at start %s, after acceptance %s, at the end %s; "
                "largest RSS sampled %s, peak (VmHWM) %s; CPU %.1f s\n",
                qPrintable(mb(atStart.rssKb)), qPrintable(mb(afterAcceptance.rssKb)),
                qPrintable(mb(atEnd.rssKb)), qPrintable(mb(peakRssKb)),
                qPrintable(mb(lastSeen.hwmKb)), cpu);
    if (instances > 1) {
        for (size_t i = 0; i < servers.size(); ++i)
            std::printf("  instance bench-%zu: RSS at the end %s, peak (VmHWM) %s; CPU %.1f s\n",
                        i + 1, qPrintable(mb(lastSeenEach[i].rssKb)),
                        qPrintable(mb(lastSeenEach[i].hwmKb)), cpuEach[i]);
    }

    if (!serverGone) {
        // The service learns from the print system that a job is done a little
        // after its last byte reached the printer.
        const Clock::time_point followStart = Clock::now();
        const QString completed = QStringLiteral("tagorix_jobs{state=\"completed\"}");
        QString metrics = metricsOf(control);
        while (metricValue(metrics, completed) < acceptedJobs && secondsSince(followStart) < 60) {
            QThread::msleep(250);
            metrics = metricsOf(control);
        }
        std::printf("service jobs %.1f s later: %s\n", secondsSince(followStart),
                    qPrintable(metricsSummary(metrics)));
        if (labels < awaited) {
            for (const char *state :
                 {"failed", "waiting", "interrupted", "rendering", "sent", "queued"})
                printJobsIn(control, state);
        }
        for (Instance &server : servers)
            server.process->terminate();
        for (Instance &server : servers) {
            ChildProcess &process = *server.process;
            const QString who = instances > 1
                                    ? QStringLiteral("instance on port %1").arg(server.port)
                                    : QStringLiteral("service");
            if (!process.waitForFinished(60000)) {
                std::printf("the %s did not end within a minute of SIGTERM; killed\n",
                            qPrintable(who));
                process.kill();
                process.waitForFinished(10000);
            } else if (process.exitStatus() == QProcess::NormalExit) {
                std::printf("the %s ended on SIGTERM with exit code %d\n", qPrintable(who),
                            process.exitCode());
            } else {
                std::printf("the %s was ended by a signal, not by its own exit, on SIGTERM\n",
                            qPrintable(who));
            }
        }
    } else {
        for (Instance &server : servers) {
            if (server.process->state() == QProcess::Running)
                continue;
            if (server.process->exitStatus() == QProcess::NormalExit)
                std::printf("the service on port %u ended during the run with exit code %d\n",
                            unsigned(server.port), server.process->exitCode());
            else
                std::printf("the service on port %u crashed during the run\n",
                            unsigned(server.port));
        }
    }
    for (const Instance &server : servers) {
        const QString errors = lastLines(server.errFile, 10);
        if (!errors.isEmpty())
            std::printf("service's last standard error lines%s:\n%s\n",
                        instances > 1 ? qPrintable(QStringLiteral(" (port %1)").arg(server.port))
                                      : "",
                        qPrintable(errors));
    }
    std::fflush(stdout);
    services::setDataSourceManager(nullptr);
    return 0;
}
