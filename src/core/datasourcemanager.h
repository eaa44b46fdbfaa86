#pragma once

#include "datasource.h"
#include "iserializable.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QVector>

class QFileSystemWatcher;
class QIODevice;
class QStandardItem;
class QTimer;

namespace QXlsx {
class Document;
}

// Every data source of the running program. Documents share the set, but
// each one reads and writes only its own part of it: the sources its file
// brought in and those its items use (see BlockEntry).
class DataSourceManager : public QObject, public ISerializable
{
    Q_OBJECT
public:
    // One entry of a document's data source block: a data file, found or
    // not, or an internal table, with the sources it stands for now (every
    // worksheet of a workbook; none for a missing file).
    struct BlockEntry
    {
        bool file = true;
        QString pathOrName;
        qint64 size = 0;
        QDateTime modified;
        QList<QPointer<DataSource>> sources;
    };

    // While one exists, items being read look their sources up among these
    // only, so that a document never binds to another document's table of
    // the same name.
    class LookupScope
    {
    public:
        LookupScope(DataSourceManager *manager, const QList<DataSource *> &sources);
        ~LookupScope();
        LookupScope(const LookupScope &) = delete;
        LookupScope &operator=(const LookupScope &) = delete;

    private:
        DataSourceManager *manager;
        QList<QPointer<DataSource>> previous;
        bool wasScoped;
    };

    explicit DataSourceManager(QObject *parent = nullptr);
    ~DataSourceManager() override;

    void addCsvFile(const QString &path);
    void addXlsxFile(const QString &path);
    DataSource *addInternal(const QString &name);
    DataSource *addInternal(const QString &name, const QList<QStandardItem *> &items);
    void removeSource(int id);

    DataSource *findByFilePath(const QString &path) const;
    DataSource *findByName(const QString &name) const;
    // The id a source is stored under, -1 for none.
    int idOf(const DataSource *source) const;
    QMap<int, DataSource *> sources() const { return sourceMap; }
    // Where items being read look for their sources: the scope while one
    // is set, else every source in id order.
    QList<DataSource *> lookupCandidates() const;
    // A table given in place of a stored data file (see setCsvOverrides).
    bool isStandIn(const DataSource *source) const
    {
        return standIns.contains(const_cast<DataSource *>(source));
    }
    // True while a document's block is being read.
    bool isReading() const { return reading; }

    // The first free name "Table 1", "Table 2", ... for a new internal table.
    QString newTableName() const;
    // Renames an internal table; false with *error set for an empty name, a
    // name another source has, or a file source (named by its file).
    bool renameSource(DataSource *source, const QString &name, QString *error);

    // Data files whose table changed on disk since it was read are read
    // again (sourceReread says which). A file that is gone keeps its table
    // (printing refuses it, see missingFile()).
    void rereadChanged();
    // True when a file source's file is no longer there.
    static bool missingFile(const DataSource *source);

    // What the user should know about the tables added since the last call
    // or the last document read: a data file that was not UTF-8.
    QStringList takeNotices();

    // Tables to use instead of stored data files when documents are read
    // (printing a design for other data): CSV bytes by source name, the empty
    // name standing for a document's only file source. An overridden source
    // keeps its stored name, so items stay bound; its file need not exist.
    void setCsvOverrides(const QMap<QString, QByteArray> &tables);
    // The names of sources that the last read took from an override, and the
    // overrides it could not place.
    QStringList overriddenSources() const { return overridden; }
    QStringList unusedOverrides() const { return unused; }
    // The file sources the last read block named (for the message that
    // lists the names --data NAME=FILE takes).
    QStringList lastFileSourceNames() const;

    // Data files a document named that were not found when it was read
    // (cleared at the start of every read).
    QStringList missingFiles() const { return missing; }
    // The entries of the block read last, in stored order.
    QVector<BlockEntry> lastBlock() const { return block; }

    qint32 headerVersion() const override { return 2; }
    QUuid headerUuid() const override { return uuid(); }
    static QUuid uuid();
    void streamRead(QDataStream &in) override;
    // Writes every source of the set.
    void streamWrite(QDataStream &out) override;
    // Writes a block of just these entries: a live file entry with its
    // file's size and time now, a missing one as it was stored, an internal
    // table with its values now; deleted internal tables are left out.
    static void writeBlock(QDataStream &out, const QVector<BlockEntry> &entries);
    // The block entry for one source of the set.
    static BlockEntry entryFor(DataSource *source);

signals:
    void sourcesChanged();
    // After one source was added (by the user or a document read).
    void sourceAdded(DataSource *source);
    void sourceRenamed(DataSource *source);
    // A data file's table was read again after it changed on disk; the
    // message says so for the user.
    void sourceReread(DataSource *source, const QString &message);
    // A value of an internal table was typed, added or removed. Internal
    // tables live only in the documents that store them, so this is an
    // unsaved change.
    void tableEdited();

private:
    void insert(DataSource *source);
    // The file sources read from this file, stand-ins left out.
    QList<DataSource *> sourcesOfFile(const QString &path) const;
    void addOverride(const QString &name, const QString &path, const QByteArray &csv);
    void watch(const QString &path);
    void fileChanged(const QString &path);
    bool rereadFile(const QString &path);
    void noteEncoding(DataSource *source);

    QMap<int, DataSource *> sourceMap;
    int nextId = 0;

    bool reading = false;
    bool scoped = false;
    QList<QPointer<DataSource>> scope;
    QVector<BlockEntry> block;

    QStringList missing;
    QStringList notices;
    QMap<QString, QByteArray> overrides;
    QStringList overridden;
    QStringList unused;
    QSet<DataSource *> standIns;

    QMap<QString, QXlsx::Document *> books;
    QFileSystemWatcher *watcher = nullptr;
    QTimer *rereadTimer = nullptr;
    QSet<QString> changedPaths;
};
