#include "serverconfig.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QHostAddress>
#include <QCoreApplication>
#include <QSettings>
#include <QSysInfo>

namespace server {

namespace {

struct Number
{
    const char *key;
    qint64 min;
    qint64 max;
};

const Number Numbers[] = {
    {"max-body-bytes", 1024, qint64(1) << 30}, {"max-rows", 1, 10000000},
    {"max-connections", 1, 10000},             {"max-queued", 1, 10000000},
    {"idle-timeout", 1, 3600},                 {"read-timeout", 1, 3600},
    {"retry-max", 1, 3600},                    {"lease-seconds", 2, 3600},
};

const char *const Texts[] = {"listen", "tls-cert", "tls-key", "tokens", "designs", "journal",
                             "instance"};

bool parseListen(const QString &value, ServerConfig *config)
{
    const int colon = value.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    QString host = value.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    bool ok = false;
    const int port = value.mid(colon + 1).toInt(&ok);
    if (!ok || port < 0 || port > 65535 || QHostAddress(host).isNull())
        return false;
    config->listenHost = host;
    config->listenPort = quint16(port);
    return true;
}

} // namespace

bool ServerConfig::loopbackOnly() const
{
    return QHostAddress(listenHost).isLoopback();
}

void addOptions(QCommandLineParser &parser)
{
    parser.addOption(QCommandLineOption(QStringLiteral("config"),
                                        QStringLiteral("Read the configuration from <FILE>."),
                                        QStringLiteral("FILE")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("listen"), QStringLiteral("Serve on <ADDR:PORT> (127.0.0.1:8631)."),
        QStringLiteral("ADDR:PORT")));
    parser.addOption(QCommandLineOption(QStringLiteral("tls-cert"),
                                        QStringLiteral("Serve HTTPS with this certificate (PEM)."),
                                        QStringLiteral("FILE")));
    parser.addOption(QCommandLineOption(QStringLiteral("tls-key"),
                                        QStringLiteral("The private key of --tls-cert (PEM)."),
                                        QStringLiteral("FILE")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("allow-plain-http"),
        QStringLiteral("Serve plain HTTP on an address other than loopback.")));
    parser.addOption(QCommandLineOption(QStringLiteral("tokens"),
                                        QStringLiteral("The token file (/etc/tagorix/tokens)."),
                                        QStringLiteral("FILE")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("designs"),
        QStringLiteral("The folder of the .tx4l designs (/var/lib/tagorix/designs)."),
        QStringLiteral("DIR")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("journal"),
        QStringLiteral("The job journal: a SQLite file (/var/lib/tagorix/journal.sqlite), or a "
                       "postgresql:// URI shared by several services."),
        QStringLiteral("PATH|URI")));
    parser.addOption(QCommandLineOption(QStringLiteral("max-body-bytes"),
                                        QStringLiteral("Largest request body (16777216)."),
                                        QStringLiteral("N")));
    parser.addOption(QCommandLineOption(QStringLiteral("max-rows"),
                                        QStringLiteral("Most rows in one job (100000)."),
                                        QStringLiteral("N")));
    parser.addOption(QCommandLineOption(QStringLiteral("max-connections"),
                                        QStringLiteral("Most connections at once (256)."),
                                        QStringLiteral("N")));
    parser.addOption(QCommandLineOption(QStringLiteral("max-queued"),
                                        QStringLiteral("Most jobs waiting for one printer (10000)."),
                                        QStringLiteral("N")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("idle-timeout"),
        QStringLiteral("Seconds before an idle connection is closed (30)."), QStringLiteral("SECONDS")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("read-timeout"),
        QStringLiteral("Seconds a request may take to arrive (60)."), QStringLiteral("SECONDS")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("lease-seconds"),
        QStringLiteral("Seconds a printer stays with this service unless renewed; services "
                       "sharing a journal take it over after that (15)."),
        QStringLiteral("SECONDS")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("instance"),
        QStringLiteral("This service's name in a shared journal (host name and process id)."),
        QStringLiteral("NAME")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("retry-max"),
        QStringLiteral("Longest delay between tries of a printer that cannot print (30)."),
        QStringLiteral("SECONDS")));
}

bool loadConfig(const QCommandLineParser &parser, ServerConfig *config, QString *error)
{
    *config = ServerConfig();
    QMap<QString, QString> values;
    QString file = parser.value(QStringLiteral("config"));
    if (file.isEmpty() && QFileInfo::exists(QLatin1String(DefaultConfigPath)))
        file = QLatin1String(DefaultConfigPath);
    if (!file.isEmpty()) {
        if (!QFileInfo(file).isReadable()) {
            *error = QStringLiteral("cannot read the configuration file \"%1\"").arg(file);
            return false;
        }
        QSettings settings(file, QSettings::IniFormat);
        if (settings.status() != QSettings::NoError) {
            *error = QStringLiteral("the configuration file \"%1\" is malformed").arg(file);
            return false;
        }
        const QStringList keys = settings.allKeys();
        QStringList known{QStringLiteral("allow-plain-http")};
        for (const char *key : Texts)
            known.append(QLatin1String(key));
        for (const Number &n : Numbers)
            known.append(QLatin1String(n.key));
        for (const QString &key : keys) {
            if (!known.contains(key)) {
                *error = QStringLiteral("the configuration file \"%1\" has an unknown setting \"%2\"")
                             .arg(file, key);
                return false;
            }
            const QVariant value = settings.value(key);
            // INI lists (a value with commas) come back as string lists.
            values.insert(key, value.type() == QVariant::StringList
                                   ? value.toStringList().join(QLatin1Char(','))
                                   : value.toString());
        }
    }
    auto valueOf = [&](const QString &key) {
        return parser.isSet(key) ? parser.value(key) : values.value(key);
    };
    const QString listen = valueOf(QStringLiteral("listen"));
    if (!listen.isEmpty() && !parseListen(listen, config)) {
        *error = QStringLiteral("listen needs ADDR:PORT with a numeric address, not \"%1\"").arg(listen);
        return false;
    }
    auto text = [&](const char *key, QString *target) {
        const QString value = valueOf(QLatin1String(key));
        if (!value.isEmpty())
            *target = value;
    };
    text("tls-cert", &config->tlsCert);
    text("tls-key", &config->tlsKey);
    text("tokens", &config->tokens);
    text("designs", &config->designs);
    text("journal", &config->journal);
    text("instance", &config->instance);
    if (config->instance.isEmpty())
        config->instance = QStringLiteral("%1:%2").arg(QSysInfo::machineHostName())
                               .arg(QCoreApplication::applicationPid());
    const QString plain = values.value(QStringLiteral("allow-plain-http")).toLower();
    config->allowPlainHttp = parser.isSet(QStringLiteral("allow-plain-http")) ||
                             plain == QLatin1String("true") || plain == QLatin1String("1") ||
                             plain == QLatin1String("yes");
    for (const Number &n : Numbers) {
        const QString value = valueOf(QLatin1String(n.key));
        if (value.isEmpty())
            continue;
        bool ok = false;
        const qint64 v = value.toLongLong(&ok);
        if (!ok || v < n.min || v > n.max) {
            *error = QStringLiteral("%1 needs a whole number from %2 to %3, not \"%4\"")
                         .arg(QLatin1String(n.key))
                         .arg(n.min)
                         .arg(n.max)
                         .arg(value);
            return false;
        }
        const QString key = QLatin1String(n.key);
        if (key == QLatin1String("max-body-bytes"))
            config->limits.maxBodyBytes = v;
        else if (key == QLatin1String("max-rows"))
            config->limits.maxRows = int(v);
        else if (key == QLatin1String("max-connections"))
            config->maxConnections = int(v);
        else if (key == QLatin1String("max-queued"))
            config->maxQueued = int(v);
        else if (key == QLatin1String("idle-timeout"))
            config->idleTimeout = int(v);
        else if (key == QLatin1String("read-timeout"))
            config->readTimeout = int(v);
        else if (key == QLatin1String("retry-max"))
            config->retryMax = int(v);
        else if (key == QLatin1String("lease-seconds"))
            config->leaseSeconds = int(v);
    }
    if (config->tlsCert.isEmpty() != config->tlsKey.isEmpty()) {
        *error = QStringLiteral("--tls-cert and --tls-key go together");
        return false;
    }
    if (!config->tls() && !config->loopbackOnly() && !config->allowPlainHttp) {
        *error = QStringLiteral("listening on %1 needs TLS (--tls-cert and --tls-key): tokens and "
                                "label data would cross the network in plain text; "
                                "--allow-plain-http serves plain HTTP all the same")
                     .arg(config->listenHost);
        return false;
    }
    return true;
}

} // namespace server
