#include "apiserver.h"

#include "dispatcher.h"
#include "journal.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// What the service tells about itself: figures for monitoring and a page for people.
namespace server {

namespace {

QString html(const QString &text)
{
    return text.toHtmlEscaped();
}

} // namespace

HttpResponse ApiServer::metrics()
{
    QByteArray out;
    out += "# HELP tagorix_jobs Jobs in the journal by state.\n# TYPE tagorix_jobs gauge\n";
    const QMap<QString, int> counts = journal->countByState();
    for (const QString &s : state::All)
        out += "tagorix_jobs{state=\"" + s.toUtf8() + "\"} " + QByteArray::number(counts.value(s)) +
               '\n';
    out += "# HELP tagorix_labels_printed_total Labels of completed jobs.\n"
           "# TYPE tagorix_labels_printed_total counter\n";
    out += "tagorix_labels_printed_total " + QByteArray::number(journal->labelsPrinted()) + '\n';
    out += "# HELP tagorix_queue_length Jobs waiting for each printer.\n"
           "# TYPE tagorix_queue_length gauge\n";
    for (const Dispatcher::PrinterState &p : dispatcher->printers()) {
        QByteArray name = p.name.toUtf8();
        name.replace('\\', "\\\\").replace('"', "\\\"").replace('\n', "\\n");
        out += "tagorix_queue_length{printer=\"" + name + "\"} " + QByteArray::number(p.queued) +
               '\n';
    }
    out += "# HELP tagorix_journal_up Whether the journal can be written.\n"
           "# TYPE tagorix_journal_up gauge\n";
    out += "tagorix_journal_up " + QByteArray(journal->reachable() ? "1" : "0") + '\n';
    out += "# HELP tagorix_request_duration_seconds Time to answer a request.\n"
           "# TYPE tagorix_request_duration_seconds histogram\n";
    for (auto it = latency.cbegin(); it != latency.cend(); ++it) {
        const QByteArray route = it.key().toUtf8();
        const Histogram *h = it.value();
        for (int i = 0; i < Buckets; ++i)
            out += "tagorix_request_duration_seconds_bucket{route=\"" + route + "\",le=\"" +
                   QByteArray::number(BucketBounds[i]) + "\"} " +
                   QByteArray::number(h->counts[size_t(i)].load()) + '\n';
        out += "tagorix_request_duration_seconds_bucket{route=\"" + route + "\",le=\"+Inf\"} " +
               QByteArray::number(h->total.load()) + '\n';
        out += "tagorix_request_duration_seconds_sum{route=\"" + route + "\"} " +
               QByteArray::number(h->sumMicros.load() / 1e6, 'f', 6) + '\n';
        out += "tagorix_request_duration_seconds_count{route=\"" + route + "\"} " +
               QByteArray::number(h->total.load()) + '\n';
    }
    HttpResponse r;
    r.contentType = "text/plain; version=0.0.4; charset=utf-8";
    r.body = out;
    return r;
}

HttpResponse ApiServer::statusPage()
{
    const QJsonArray printerList =
        QJsonDocument::fromJson(printers().body).object().value(QStringLiteral("printers")).toArray();
    JobFilter recent;
    recent.limit = 50;
    const QList<JobRecord> jobs = journal->jobs(recent);
    const QMap<QString, int> counts = journal->countByState();
    QString page = QStringLiteral(
        "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\">"
        "<meta http-equiv=\"refresh\" content=\"5\"><title>Tagorix print service</title><style>"
        "body{font-family:sans-serif;margin:2em;color:#222}"
        "table{border-collapse:collapse;margin-bottom:2em}"
        "th,td{border-bottom:1px solid #ccc;padding:.3em .8em;text-align:left}"
        "th{background:#f0f0f0}.completed{color:#176b2c}.failed,.interrupted{color:#a31515}"
        ".waiting{color:#9a6700}</style></head><body>"
        "<h1>Tagorix print service</h1><p>Version %1, service %2, journal %3. ")
                       .arg(html(serverVersion()), html(dispatcher->instanceName()),
                            journal->shared() ? QStringLiteral("in PostgreSQL, shared")
                                              : QStringLiteral("in SQLite"));
    QStringList summary;
    for (const QString &s : state::All)
        if (counts.value(s) > 0)
            summary.append(QStringLiteral("%1 %2").arg(counts.value(s)).arg(s));
    page += html(summary.isEmpty() ? QStringLiteral("No jobs yet.")
                                   : QStringLiteral("Jobs: ") + summary.join(QStringLiteral(", ")) +
                                         QLatin1Char('.'));
    page += QStringLiteral("</p><h2>Printers</h2><table><tr><th>Printer</th><th>State</th>"
                           "<th>Language</th><th>Jobs waiting</th><th>Note</th></tr>");
    for (const QJsonValue &v : printerList) {
        const QJsonObject p = v.toObject();
        page += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td></tr>")
                    .arg(html(p.value(QStringLiteral("name")).toString()),
                         html(p.value(QStringLiteral("state")).toString()),
                         html(p.value(QStringLiteral("language")).toString()))
                    .arg(p.value(QStringLiteral("queued")).toInt())
                    .arg(html(p.value(QStringLiteral("reason")).toString()));
    }
    page += QStringLiteral("</table><h2>Recent jobs</h2><table><tr><th>Job</th><th>State</th>"
                           "<th>Design</th><th>Printer</th><th>Labels</th><th>Printed</th>"
                           "<th>Updated</th><th>Note</th></tr>");
    for (const JobRecord &job : jobs) {
        const QString note = job.state == state::Waiting ? job.waitingReason : job.error;
        page += QStringLiteral("<tr><td>%1</td><td class=\"%2\">%2</td><td>%3</td><td>%4</td>"
                               "<td>%5</td><td>%6</td><td>%7</td><td>%8</td></tr>")
                    .arg(html(job.id), html(job.state), html(job.design), html(job.printer),
                         job.labels >= 0 ? QString::number(job.labels) : QString(),
                         QString::number(job.printed),
                         html(job.updatedAt.toUTC().toString(Qt::ISODate)), html(note.left(300)));
    }
    page += QStringLiteral("</table></body></html>\n");
    HttpResponse r;
    r.contentType = "text/html; charset=utf-8";
    r.body = page.toUtf8();
    r.headers.append(qMakePair(QByteArray("Content-Security-Policy"), QByteArray("default-src 'none'; style-src 'unsafe-inline'")));
    return r;
}

} // namespace server
