#pragma once

#include "iserializable.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QStringList>

class DataSource;
class QIODevice;
class QStandardItem;

// Every data source of the running program, shared by all documents: each
// document file stores the whole set, and opening one adds its sources.
class DataSourceManager : public QObject, public ISerializable
{
    Q_OBJECT
public:
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

    // Tables to use instead of stored data files when documents are read
    // (printing a design for other data): CSV bytes by source name, the empty
    // name standing for a document's only file source. An overridden source
    // keeps its stored name, so items stay bound; its file need not exist.
    void setCsvOverrides(const QMap<QString, QByteArray> &tables);
    // The names of sources that the last read took from an override, and the
    // overrides it could not place.
    QStringList overriddenSources() const { return overridden; }
    QStringList unusedOverrides() const { return unused; }

    // Data files a document named that were not found when it was read
    // (cleared at the start of every read).
    QStringList missingFiles() const { return missing; }

    qint32 headerVersion() const override { return 2; }
    QUuid headerUuid() const override { return uuid(); }
    static QUuid uuid();
    void streamRead(QDataStream &in) override;
    void streamWrite(QDataStream &out) override;

signals:
    void sourcesChanged();
    // A value of an internal table was typed, added or removed. Internal
    // tables live only in the documents that store them, so this is an
    // unsaved change.
    void tableEdited();

private:
    void insert(DataSource *source);

    QMap<int, DataSource *> sourceMap;
    int nextId = 0;
    void addOverride(const QString &name, const QString &path, const QByteArray &csv);

    QStringList missing;
    QMap<QString, QByteArray> overrides;
    QStringList overridden;
    QStringList unused;
    QSet<DataSource *> standIns;
};
