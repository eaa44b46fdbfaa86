#include "httptestserver.h"

#include <QTcpSocket>

HttpTestServer::HttpTestServer()
{
    server.listen(QHostAddress::LocalHost);
    connect(&server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                buffer->append(socket->readAll());
                if (buffer->contains("\r\n\r\n"))
                    answer(socket, *buffer);
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString HttpTestServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path);
}

void HttpTestServer::serve(const QString &path, const QByteArray &body, bool sendLength)
{
    Response r;
    r.body = body;
    r.sendLength = sendLength;
    responses.insert(path, r);
}

void HttpTestServer::redirect(const QString &path, const QString &location)
{
    Response r;
    r.status = 302;
    r.location = location.toUtf8();
    responses.insert(path, r);
}

void HttpTestServer::clear()
{
    responses.clear();
    requests.clear();
}

void HttpTestServer::answer(QTcpSocket *socket, const QByteArray &request)
{
    const QList<QByteArray> line = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = line.size() > 1 ? QString::fromUtf8(line.at(1)) : QString();
    requests.append(path);
    const auto it = responses.constFind(path);
    QByteArray head;
    QByteArray body;
    bool sendLength = true;
    if (it == responses.constEnd()) {
        body = "not found";
        head = "HTTP/1.1 404 Not Found\r\n";
    } else if (it->status == 302) {
        head = "HTTP/1.1 302 Found\r\nLocation: " + it->location + "\r\n";
    } else {
        body = it->body;
        sendLength = it->sendLength;
        head = "HTTP/1.1 200 OK\r\n";
    }
    if (sendLength)
        head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    head += "Connection: close\r\n\r\n";
    socket->write(head + body);
    socket->disconnectFromHost();
}
