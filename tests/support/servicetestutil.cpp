#include "servicetestutil.h"

#include "datasource.h"
#include "datasourcemanager.h"
#include "docbuilder.h"
#include "document.h"
#include "labelitems/barcodeitem.h"
#include "labelitems/dataitem.h"
#include "printcheck.h"
#include "scancheck.h"
#include "services.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QThread>

#include <signal.h>
#include <sys/prctl.h>

namespace servicetest {

void ServiceProcess::setupChildProcess()
{
    prctl(PR_SET_PDEATHSIG, SIGKILL);
}

QString Reply::describe() const
{
    return QStringLiteral("status %1%2: %3")
        .arg(status)
        .arg(closed ? QStringLiteral(" (closed)") : QString())
        .arg(QString::fromUtf8(body.left(600)));
}

bool parseReply(const QByteArray &data, bool closed, Reply *reply)
{
    const int end = data.indexOf("\r\n\r\n");
    if (end < 0)
        return false;
    const QList<QByteArray> lines = data.left(end).split('\n');
    reply->status = lines.first().trimmed().split(' ').value(1).toInt();
    reply->headers.clear();
    for (int i = 1; i < lines.size(); ++i) {
        const int colon = lines.at(i).indexOf(':');
        if (colon > 0)
            reply->headers.insert(lines.at(i).left(colon).trimmed().toLower(),
                                  lines.at(i).mid(colon + 1).trimmed());
    }
    const QByteArray rest = data.mid(end + 4);
    if (reply->headers.value("transfer-encoding").toLower().contains("chunked")) {
        reply->body.clear();
        int at = 0;
        for (;;) {
            const int eol = rest.indexOf("\r\n", at);
            if (eol < 0)
                return closed;
            bool ok = false;
            const int size = rest.mid(at, eol - at).split(';').first().trimmed().toInt(&ok, 16);
            if (!ok || size == 0)
                return true;
            if (rest.size() < eol + 2 + size)
                return closed;
            reply->body += rest.mid(eol + 2, size);
            at = eol + 2 + size + 2;
        }
    }
    if (reply->headers.contains("content-length")) {
        const int length = reply->headers.value("content-length").toInt();
        reply->body = rest.left(length);
        return rest.size() >= length || closed;
    }
    reply->body = rest;
    return closed;
}

Reply readReply(QTcpSocket &socket, const QDeadlineTimer &deadline)
{
    QByteArray data;
    Reply reply;
    for (;;) {
        data += socket.readAll();
        const bool closed = socket.state() != QAbstractSocket::ConnectedState;
        if (parseReply(data, closed, &reply)) {
            reply.closed = closed;
            return reply;
        }
        if (closed) {
            reply = Reply();
            reply.closed = true;
            return reply;
        }
        if (deadline.hasExpired())
            return Reply();
        socket.waitForReadyRead(int(qBound<qint64>(1, deadline.remainingTime(), 200)));
    }
}

QByteArray requestBytes(const QByteArray &method, const QByteArray &path, quint16 port,
                        const QByteArray &authorization, const QByteArray &body,
                        qint64 contentLength)
{
    QByteArray out = method + ' ' + path +
                     " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
                     "\r\nConnection: close\r\n";
    if (!authorization.isEmpty())
        out += "Authorization: " + authorization + "\r\n";
    if (!body.isEmpty() || contentLength >= 0 || method == "POST" || method == "PUT") {
        out += "Content-Type: application/json\r\nContent-Length: " +
               QByteArray::number(contentLength >= 0 ? contentLength : body.size()) + "\r\n";
    }
    return out + "\r\n" + body;
}

Reply exchange(quint16 port, const QByteArray &request, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return Reply();
    socket.write(request);
    while (socket.bytesToWrite() > 0 && socket.state() == QAbstractSocket::ConnectedState &&
           !deadline.hasExpired())
        socket.waitForBytesWritten(200);
    return readReply(socket, deadline);
}

QByteArray bearer(const QString &token)
{
    return "Bearer " + token.toUtf8();
}

QByteArray compact(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QJsonObject jobBody(const QString &printer, const QStringList &codes, const QString &key,
                    const QString &design)
{
    QJsonArray rows;
    for (const QString &code : codes)
        rows.append(QJsonObject{{QStringLiteral("code"), code}});
    QJsonObject job{{QStringLiteral("design"), design},
                    {QStringLiteral("printer"), printer},
                    {QStringLiteral("rows"), rows}};
    if (!key.isEmpty())
        job.insert(QStringLiteral("idempotencyKey"), key);
    return job;
}

QStringList codesOf(const QList<QByteArray> &jobs)
{
    QStringList codes;
    for (const QByteArray &zpl : jobs) {
        for (const QImage &label : scancheck::zplGraphics(zpl)) {
            const QStringList read = scancheck::zbarDecode(label);
            codes << (read.size() == 1 ? read.first() : QStringLiteral("?") + read.join('|'));
        }
    }
    return codes;
}

QString stateOf(const QJsonObject &job)
{
    return job.value(QLatin1String("state")).toString();
}

QString idOf(const Reply &reply)
{
    return reply.json().value(QLatin1String("id")).toString();
}

bool waitUntil(const std::function<bool()> &condition, int timeoutMs, int stepMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(stepMs);
    }
    return true;
}

QString ServiceInstance::launch(const QStringList &arguments, const QString &logFile)
{
    logPath = logFile;
    listenPort = 0;
    process = std::make_unique<ServiceProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process->setProcessEnvironment(env);
    // A pipe nobody reads would stop a talkative service.
    process->setStandardOutputFile(logFile, QIODevice::Append);
    process->setStandardErrorFile(logFile, QIODevice::Append);
    process->start(QStringLiteral(TAGORIX_BIN_DIR "/tagorix-server"), arguments);
    if (!process->waitForStarted(10000))
        return name + QStringLiteral(": cannot start: ") + process->errorString();
    return QString();
}

QString ServiceInstance::waitUntilListening(int timeoutMs)
{
    const QRegularExpression ready(QStringLiteral("^listening on http://127\\.0\\.0\\.1:(\\d+)$"),
                                   QRegularExpression::MultilineOption);
    waitUntil(
        [&] {
            const QRegularExpressionMatch m = ready.match(log(1 << 20));
            if (m.hasMatch())
                listenPort = quint16(m.captured(1).toUInt());
            return listenPort != 0 || !isRunning();
        },
        timeoutMs);
    return listenPort ? QString()
                      : name + QStringLiteral(" did not say where it listens: ") + log();
}

void ServiceInstance::kill()
{
    if (!process)
        return;
    process->kill();
    process->waitForFinished(10000);
    process.reset();
}

bool ServiceInstance::isRunning() const
{
    if (!process)
        return false;
    // The state changes only when the end is noticed, which needs an event loop or a wait.
    process->waitForFinished(0);
    return process->state() == QProcess::Running;
}

QString ServiceInstance::log(int bytes) const
{
    QFile file(logPath);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll().right(bytes))
                                          : QString();
}

Reply ServiceInstance::call(const QByteArray &method, const QByteArray &path,
                            const QByteArray &authorization, const QByteArray &body,
                            int timeoutMs) const
{
    return exchange(listenPort, requestBytes(method, path, listenPort, authorization, body),
                    timeoutMs);
}

QString addToken(const QString &tokensFile, const QString &configFile, const QString &name,
                 const QString &scope, QString *error)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TAGORIX_BIN_DIR "/tagorix-server"),
            {QStringLiteral("token"), QStringLiteral("add"), name, QStringLiteral("--scope"), scope,
             QStringLiteral("--tokens"), tokensFile, QStringLiteral("--config"), configFile});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        p.kill();
        p.waitForFinished(5000);
        *error = QStringLiteral("token add %1: exit %2, %3")
                     .arg(name)
                     .arg(p.exitCode())
                     .arg(QString::fromLocal8Bit(p.readAllStandardError()));
        return QString();
    }
    const QStringList lines =
        QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last().trimmed();
}

QString writeCodeDesign(const QString &csv, const QString &file, int *labels)
{
    {
        QFile table(csv);
        if (!table.open(QIODevice::WriteOnly))
            return QStringLiteral("cannot write ") + csv;
        table.write("code\nD-1\nD-2\nD-3\n");
    }
    DataSourceManager *manager = services::dataSourceManager();
    manager->addCsvFile(csv);
    DataSource *source = manager->findByName(csv);
    if (!source)
        return QStringLiteral("the data source %1 did not load").arg(csv);
    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(60, 30));
    const double ppm = doc.labelGeometry().pixelsPerMm;
    const QAbstractItemModel *model = source->model();
    const QItemSelection column(model->index(0, 0), model->index(model->rowCount() - 1, 0));
    auto *text = new DataItem(QSizeF(50, 9) * ppm);
    text->setPos(QPointF(4, 1) * ppm);
    doc.addItem(text);
    doc.connectItem(text);
    text->setData(source, column);
    auto *code = new BarcodeItem(QSizeF(52, 15) * ppm);
    Barcode symbol;
    symbol.setSymbology(Barcode::Code128);
    code->setBarcode(symbol);
    code->setPos(QPointF(4, 12) * ppm);
    doc.addItem(code);
    doc.connectItem(code);
    code->setVariableData(source, column);
    *labels = doc.labelCount();
    if (!printcheck::saveDocument(doc, file))
        return QStringLiteral("cannot save the design ") + file;
    return QString();
}

} // namespace servicetest
