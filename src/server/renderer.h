#pragma once

#include "jobrequest.h"
#include "journal.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QStringList>
#include <QThread>
#include <QVector>

#include <functional>
#include <memory>

#include <mutex>
#include <optional>

class QPrinter;

namespace server {

struct SourceInfo
{
    QString name;
    QStringList columns;
    // Empty for a data file that is not on this machine: any column is taken.
    // A data file: rows given with a job take its place.
    bool replaceable = false;
};

struct DesignInfo
{
    QString name;
    QString path;
    qint64 size = -1;
    QDateTime modified;
    // Empty when the design could be read.
    QString error;
    QString stock;
    double widthMm = 0;
    double heightMm = 0;
    int columns = 1;
    int labels = 0;
    QString printer;
    QVector<SourceInfo> sources;

    QJsonObject json() const;
    // The data sources rows can be given for.
    QVector<SourceInfo> replaceable() const;
};

// The designs in the service's folder, as last read. Read from any thread;
// refreshed on the thread that reads documents.
class DesignCatalog
{
public:
    explicit DesignCatalog(const QString &folder) : folder(folder) {}

    QString folderPath() const { return folder; }
    // The path a plain design name stands for.
    QString pathOf(const QString &name) const;

    // Reads the designs that are new or changed since the last call and
    // forgets the ones that are gone. Call it where documents may be read.
    void refresh(const std::function<DesignInfo(const QString &name, const QString &path)> &read);

    std::optional<DesignInfo> find(const QString &name) const;
    QList<DesignInfo> all() const;

private:
    QString folder;
    mutable std::mutex lock;
    QMap<QString, DesignInfo> designs;
};

// What a job turns into before anything is sent: the bytes for the print
// system, or why nothing can be printed.
struct Rendered
{
    bool ok = false;
    QString error;
    // One object per label that cannot print: label (from 1), item, data, message.
    QJsonArray problems;
    int labels = 0;
    QByteArray bytes;
    // The print system's document format, and its job options.
    QByteArray format;
    QStringList options;
};

// Reads designs and draws jobs with the print engine. It lives on the
// application's thread, where documents (graphics scenes) may be used;
// other threads call it through invoke().
class JobRenderer : public QObject
{
    Q_OBJECT
public:
    explicit JobRenderer(DesignCatalog *catalog, QObject *parent = nullptr);
    ~JobRenderer() override;

    // On the renderer's thread.
    DesignInfo readDesign(const QString &name, const QString &path);
    Rendered render(const JobRecord &job);
    void refreshCatalog();

    // Runs `work` on the renderer's thread and waits for it.
    template <typename Result, typename Work>
    Result invoke(Work work)
    {
        Result result;
        if (thread() == QThread::currentThread())
            result = work();
        else
            QMetaObject::invokeMethod(
                this, [&] { result = work(); }, Qt::BlockingQueuedConnection);
        return result;
    }

private:
    struct QueueFacts
    {
        QStringList choices;
        bool zpl = false;
        QElapsedTimer read;
    };
    // The queue's driver defaults and language, asked of the print system
    // once in a while rather than once per job.
    const QueueFacts &queueFacts(const QString &queue);

    DesignCatalog *catalog;
    std::unique_ptr<QPrinter> printer;
    QHash<QString, QueueFacts> queues;
};

// Whether the job request fits the design: sources and columns it names
// exist, CSV text is a table. The tables of the request become CSV bytes by
// source name (the empty name for the design's only data file) in *tables;
// the most rows one of them has in *rows (-1 when the request gives none).
bool checkAgainstDesign(const JobRequest &request, const DesignInfo &design,
                        QMap<QString, QByteArray> *tables, ApiError *error, int *rows = nullptr);

} // namespace server
