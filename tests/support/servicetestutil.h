#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QTcpSocket;

// What the tests of the print service share: the service as a child
// process, a blocking HTTP client, its design and what the printers decode.
namespace servicetest {

// The service dies with the test program, also when that crashes.
class ServiceProcess : public QProcess
{
protected:
    void setupChildProcess() override;
};

struct Reply
{
    // 0: no answer before the time-out or the connection closed.
    int status = 0;
    bool closed = false;
    // Names in lower case.
    QMap<QByteArray, QByteArray> headers;
    QByteArray body;

    QJsonObject json() const { return QJsonDocument::fromJson(body).object(); }
    QJsonObject error() const { return json().value(QLatin1String("error")).toObject(); }
    QString code() const { return error().value(QLatin1String("code")).toString(); }
    QString field() const { return error().value(QLatin1String("field")).toString(); }
    QString describe() const;
};

// One response out of the bytes read so far; false while more is to come.
bool parseReply(const QByteArray &data, bool closed, Reply *reply);
Reply readReply(QTcpSocket &socket, const QDeadlineTimer &deadline);
QByteArray requestBytes(const QByteArray &method, const QByteArray &path, quint16 port,
                        const QByteArray &authorization, const QByteArray &body,
                        qint64 contentLength = -1);
// A blocking HTTP/1.1 exchange on 127.0.0.1, one connection a request.
Reply exchange(quint16 port, const QByteArray &request, int timeoutMs = 20000);

QByteArray bearer(const QString &token);
QByteArray compact(const QJsonObject &object);
// A job of one row a code for the design written by writeCodeDesign().
QJsonObject jobBody(const QString &printer, const QStringList &codes, const QString &key = {},
                    const QString &design = QStringLiteral("labels"));
// The code read on each label of the ZPL jobs a printer received, in order;
// "?" and what was read for a label without exactly one code.
QStringList codesOf(const QList<QByteArray> &jobs);
QString stateOf(const QJsonObject &job);
QString idOf(const Reply &reply);
bool waitUntil(const std::function<bool()> &condition, int timeoutMs, int stepMs = 100);

// One service process on 127.0.0.1, its output in a file of its own;
// killed (as `kill -9` would) when it is destroyed.
class ServiceInstance
{
public:
    explicit ServiceInstance(const QString &name) : name(name) {}
    ~ServiceInstance() { kill(); }
    ServiceInstance(const ServiceInstance &) = delete;
    ServiceInstance &operator=(const ServiceInstance &) = delete;

    // Starts the service with `arguments` in the environment of the test
    // (CUPS_SERVER included); empty, else why not.
    QString launch(const QStringList &arguments, const QString &logFile);
    // Empty once the instance said where it listens, else why not.
    QString waitUntilListening(int timeoutMs);
    void kill();
    bool isRunning() const;
    quint16 port() const { return listenPort; }
    QString log(int bytes = 2500) const;
    // Safe from any thread once it listens: a connection of its own each call.
    Reply call(const QByteArray &method, const QByteArray &path, const QByteArray &authorization,
               const QByteArray &body = {}, int timeoutMs = 20000) const;

    const QString name;

private:
    std::unique_ptr<ServiceProcess> process;
    QString logPath;
    quint16 listenPort = 0;
};

// `tagorix-server token add NAME --scope SCOPE` on a token file; the new
// token, or empty with *error saying why.
QString addToken(const QString &tokensFile, const QString &configFile, const QString &name,
                 const QString &scope, QString *error);

// The design the service tests print: 60 x 30 mm, a data text and a Code 128
// of the column "code" of its only source, the CSV `csv` (written here with
// three rows), one label a row. Empty once `file` is written, else why not;
// *labels is the document's label count.
QString writeCodeDesign(const QString &csv, const QString &file, int *labels);

} // namespace servicetest
