#pragma once

#include "jobrequest.h"

#include <QString>

class QCommandLineParser;

namespace server {

struct ServerConfig
{
    QString listenHost = QStringLiteral("127.0.0.1");
    quint16 listenPort = 8631;
    QString tlsCert;
    QString tlsKey;
    bool allowPlainHttp = false;
    QString tokens = QStringLiteral("/etc/tagorix/tokens");
    QString designs = QStringLiteral("/var/lib/tagorix/designs");
    QString journal = QStringLiteral("/var/lib/tagorix/journal.sqlite");
    RequestLimits limits;
    int maxConnections = 256;
    // Jobs waiting for one printer before new ones are refused with 429.
    int maxQueued = 10000;
    // Seconds a connection may sit idle, and a request may take to arrive.
    int idleTimeout = 30;
    int readTimeout = 60;
    // The longest delay between two tries of a printer that cannot print.
    int retryMax = 30;
    // Seconds a printer stays with the service that drives it unless renewed;
    // a service that shares the journal takes it over after that.
    int leaseSeconds = 15;
    // How this service names itself in the journal: host name and process.
    QString instance;

    bool tls() const { return !tlsCert.isEmpty(); }
    bool loopbackOnly() const;
};

constexpr const char *DefaultConfigPath = "/etc/tagorix/server.conf";

// Adds the server's options (not --help and --version).
void addOptions(QCommandLineParser &parser);

// The configuration from the file (--config, else the default path when it
// exists) with the options given overriding it; false with *error set.
bool loadConfig(const QCommandLineParser &parser, ServerConfig *config, QString *error);

} // namespace server
