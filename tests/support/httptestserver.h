#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTcpServer>

// A small HTTP/1.1 server on 127.0.0.1 for tests of the update check: it
// answers GET requests from a table of paths and records every request. It
// runs on the thread that made it, so the test must keep the event loop
// turning (QTRY_*, QSignalSpy::wait) while the program under test fetches.
class HttpTestServer : public QObject
{
    Q_OBJECT
public:
    HttpTestServer();

    bool isListening() const { return server.isListening(); }
    quint16 port() const { return server.serverPort(); }
    QString url(const QString &path) const;

    // `sendLength` false: no Content-Length, the end of the body is the
    // closed connection.
    void serve(const QString &path, const QByteArray &body, bool sendLength = true);
    void redirect(const QString &path, const QString &location);
    void clear();

    // The paths asked for, in order.
    QStringList requests;

private:
    struct Response
    {
        int status = 200;
        QByteArray body;
        QByteArray location;
        bool sendLength = true;
    };
    void answer(QTcpSocket *socket, const QByteArray &request);

    QTcpServer server;
    QHash<QString, Response> responses;
};
