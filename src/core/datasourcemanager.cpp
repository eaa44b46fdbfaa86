#include "datasourcemanager.h"

#include "datasource.h"
#include "datasourceblock.h"
#include "qxtcsvmodel.h"
#include "safestream.h"
#include "streamheader.h"
#include "xlsx/xlsxabstractsheet.h"
#include "xlsx/xlsxdocument.h"
#include "xlsx/xlsxsheetmodel.h"
#include "xlsx/xlsxworksheet.h"

#include <QAbstractItemModel>
#include <QBuffer>
#include <QFileSystemWatcher>
#include <QScopedValueRollback>
#include <QTimer>
#include <QDateTime>
#include <QFile>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QtDebug>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

bool endsWithAny(const QString &path, std::initializer_list<const char *> endings)
{
    for (const char *e : endings) {
        if (path.endsWith(QLatin1String(e), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

DataSourceManager::DataSourceManager(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("datasourcemanager"));
}

DataSourceManager::~DataSourceManager()
{
    // Sources go before the workbooks their sheet models read.
    qDeleteAll(sourceMap);
    sourceMap.clear();
}

QUuid DataSourceManager::uuid()
{
    static const QUuid u(QStringLiteral("{1657b32a-3f4e-11e4-9d9f-164230d1df67}"));
    return u;
}

DataSourceManager::LookupScope::LookupScope(DataSourceManager *m, const QList<DataSource *> &sources)
    : manager(m), wasScoped(m && m->scoped)
{
    if (!manager)
        return;
    previous = manager->scope;
    manager->scope.clear();
    for (DataSource *s : sources)
        manager->scope.append(s);
    manager->scoped = true;
}

DataSourceManager::LookupScope::~LookupScope()
{
    if (!manager)
        return;
    manager->scope = previous;
    manager->scoped = wasScoped;
}

QList<DataSource *> DataSourceManager::lookupCandidates() const
{
    QList<DataSource *> list;
    if (!scoped)
        return sourceMap.values();
    for (const QPointer<DataSource> &s : scope) {
        if (s)
            list.append(s);
    }
    return list;
}

void DataSourceManager::insert(DataSource *source)
{
    if (source->kind() == DataSource::Internal) {
        QAbstractItemModel *model = source->model();
        connect(model, &QAbstractItemModel::dataChanged, this, &DataSourceManager::tableEdited);
        connect(model, &QAbstractItemModel::rowsInserted, this, &DataSourceManager::tableEdited);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &DataSourceManager::tableEdited);
    } else if (!standIns.contains(source)) {
        watch(source->fileInfo().absoluteFilePath());
        noteEncoding(source);
    }
    sourceMap.insert(nextId++, source);
    emit sourceAdded(source);
    emit sourcesChanged();
}

void DataSourceManager::noteEncoding(DataSource *source)
{
    const auto *csv = qobject_cast<const QxtCsvModel *>(source->model());
    if (csv && csv->decodedAsWindows1252())
        notices << tr("The data file %1 is not UTF-8 text; it was read as Windows-1252.")
                       .arg(source->fileInfo().absoluteFilePath());
}

void DataSourceManager::addCsvFile(const QString &path)
{
    if (findByFilePath(path))
        return;
    QFile file(path);
    auto *model = new QxtCsvModel(&file, nullptr, true, QLatin1Char(','));
    // A picture or a workbook named .csv would print as rows of garbage.
    if (model->containsBinary()) {
        delete model;
        notices << tr("The file %1 is not a CSV text file; it was not added.").arg(path);
        qWarning().noquote() << QStringLiteral("Not a text file: ") + path;
        return;
    }
    insert(new DataSource(path, file, model, this));
}

void DataSourceManager::addXlsxFile(const QString &path)
{
    if (findByFilePath(path))
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    auto *book = new QXlsx::Document(&file, this);
    file.close();
    books.insert(QFileInfo(path).absoluteFilePath(), book);
    const QString fileName = QFileInfo(path).fileName();
    const QStringList names = book->sheetNames();
    for (const QString &sheetName : names) {
        auto *sheet = dynamic_cast<QXlsx::Worksheet *>(book->sheet(sheetName));
        if (!sheet)
            continue;
        auto *model = new QXlsx::SheetModel(sheet);
        insert(new DataSource(sheetName + QStringLiteral(" - ") + fileName, file, model, this));
    }
}

DataSource *DataSourceManager::addInternal(const QString &name)
{
    auto *source = new DataSource(name, this);
    insert(source);
    return source;
}

DataSource *DataSourceManager::addInternal(const QString &name, const QList<QStandardItem *> &items)
{
    auto *source = new DataSource(name, this);
    auto *model = static_cast<QStandardItemModel *>(source->model());
    model->removeColumn(0);
    model->insertColumn(0, items);
    insert(source);
    return source;
}

void DataSourceManager::removeSource(int id)
{
    if (DataSource *source = sourceMap.take(id)) {
        standIns.remove(source);
        const QString path = source->kind() == DataSource::File
                                 ? source->fileInfo().absoluteFilePath()
                                 : QString();
        delete source;
        if (watcher && !path.isEmpty() && !findByFilePath(path))
            watcher->removePath(path);
    }
    emit sourcesChanged();
}

QList<DataSource *> DataSourceManager::sourcesOfFile(const QString &path) const
{
    // A stand-in for an overridden sheet does not hide the rest of its workbook.
    QList<DataSource *> found;
    for (DataSource *s : sourceMap) {
        if (s->kind() == DataSource::File && !standIns.contains(s) &&
            s->fileInfo().absoluteFilePath() == path)
            found.append(s);
    }
    return found;
}

DataSource *DataSourceManager::findByFilePath(const QString &path) const
{
    const QList<DataSource *> found = sourcesOfFile(path);
    return found.isEmpty() ? nullptr : found.first();
}

DataSource *DataSourceManager::findByName(const QString &name) const
{
    for (DataSource *s : sourceMap) {
        if (s->name() == name)
            return s;
    }
    return nullptr;
}

int DataSourceManager::idOf(const DataSource *source) const
{
    for (auto it = sourceMap.cbegin(); it != sourceMap.cend(); ++it) {
        if (it.value() == source)
            return it.key();
    }
    return -1;
}

QString DataSourceManager::newTableName() const
{
    for (int n = 1;; ++n) {
        const QString name = tr("Table %1").arg(n);
        if (!findByName(name))
            return name;
    }
}

bool DataSourceManager::renameSource(DataSource *source, const QString &name, QString *error)
{
    const QString wanted = name.trimmed();
    if (!source || idOf(source) < 0) {
        *error = tr("The table is no longer there.");
        return false;
    }
    if (source->kind() != DataSource::Internal) {
        *error = tr("A data file's table is named by its file.");
        return false;
    }
    if (wanted.isEmpty()) {
        *error = tr("A table needs a name.");
        return false;
    }
    if (wanted == source->name())
        return true;
    if (findByName(wanted)) {
        *error = tr("The name \"%1\" is taken by another data source.").arg(wanted);
        return false;
    }
    source->setName(wanted);
    emit sourceRenamed(source);
    emit sourcesChanged();
    return true;
}

bool DataSourceManager::missingFile(const DataSource *source)
{
    return source && source->kind() == DataSource::File &&
           !QFileInfo::exists(source->fileInfo().absoluteFilePath());
}

QStringList DataSourceManager::takeNotices()
{
    QStringList taken;
    taken.swap(notices);
    return taken;
}

void DataSourceManager::watch(const QString &path)
{
    if (path.isEmpty())
        return;
    if (!watcher) {
        watcher = new QFileSystemWatcher(this);
        connect(watcher, &QFileSystemWatcher::fileChanged, this, &DataSourceManager::fileChanged);
        // Programs that save a file write it in steps, or write a new one
        // and rename it over the old: the table is read once they are done.
        rereadTimer = new QTimer(this);
        rereadTimer->setSingleShot(true);
        rereadTimer->setInterval(300);
        connect(rereadTimer, &QTimer::timeout, this, [this] {
            const QSet<QString> paths = std::exchange(changedPaths, {});
            for (const QString &p : paths) {
                if (!QFileInfo::exists(p)) {
                    // Gone for now; a file renamed into place comes back.
                    continue;
                }
                watcher->addPath(p);
                rereadFile(p);
            }
        });
    }
    if (!watcher->files().contains(path))
        watcher->addPath(path);
}

void DataSourceManager::fileChanged(const QString &path)
{
    changedPaths.insert(path);
    rereadTimer->start();
}

bool DataSourceManager::rereadFile(const QString &path)
{
    const QList<DataSource *> affected = sourcesOfFile(path);
    if (affected.isEmpty() || !QFileInfo::exists(path))
        return false;
    QFileInfo now(path);
    if (affected.first()->readSize() == now.size() &&
        affected.first()->readModified() == now.lastModified())
        return false;

    if (auto *csv = qobject_cast<QxtCsvModel *>(affected.first()->model())) {
        QFile file(path);
        csv->reread(&file);
    } else {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        auto *book = new QXlsx::Document(&file, this);
        file.close();
        const QString suffix = QStringLiteral(" - ") + now.fileName();
        for (DataSource *s : qAsConst(affected)) {
            const QString sheetName = s->name().left(s->name().size() - suffix.size());
            auto *sheet = dynamic_cast<QXlsx::Worksheet *>(book->sheet(sheetName));
            // A worksheet that is gone from the workbook leaves an empty table.
            QAbstractItemModel *model = sheet ? static_cast<QAbstractItemModel *>(
                                                    new QXlsx::SheetModel(sheet))
                                              : new QStandardItemModel(0, 0);
            s->replaceModel(model);
        }
        // The old sheet models read the old workbook until they are deleted.
        if (QXlsx::Document *old = books.value(path))
            old->deleteLater();
        books.insert(path, book);
    }
    for (DataSource *s : qAsConst(affected)) {
        s->noteFileRead();
        noteEncoding(s);
        emit sourceReread(s, tr("The data file %1 changed on disk and was read again (%2 rows).")
                                 .arg(s->name())
                                 .arg(s->model()->rowCount()));
    }
    return true;
}

void DataSourceManager::rereadChanged()
{
    QSet<QString> paths;
    for (DataSource *s : qAsConst(sourceMap)) {
        if (s->kind() == DataSource::File && !standIns.contains(s))
            paths.insert(s->fileInfo().absoluteFilePath());
    }
    for (const QString &path : qAsConst(paths))
        rereadFile(path);
}

void DataSourceManager::setCsvOverrides(const QMap<QString, QByteArray> &tables)
{
    overrides = tables;
}

void DataSourceManager::addOverride(const QString &name, const QString &path, const QByteArray &csv)
{
    QBuffer buffer;
    buffer.setData(csv);
    auto *model = new QxtCsvModel(&buffer, nullptr, true, QLatin1Char(','));
    // The source stands where the stored file was, whether it exists or not.
    auto *source = new DataSource(name, QFile(path), model, this);
    standIns.insert(source);
    insert(source);
    overridden << name;
}

QStringList DataSourceManager::lastFileSourceNames() const
{
    QStringList names;
    for (const BlockEntry &e : block) {
        if (!e.file)
            continue;
        bool any = false;
        for (const QPointer<DataSource> &s : e.sources) {
            if (s) {
                names << s->name();
                any = true;
            }
        }
        if (!any)
            names << e.pathOrName;
    }
    return names;
}

DataSourceManager::BlockEntry DataSourceManager::entryFor(DataSource *source)
{
    BlockEntry e;
    e.file = source->kind() != DataSource::Internal;
    e.pathOrName = e.file ? source->fileInfo().absoluteFilePath() : source->name();
    e.sources.append(source);
    return e;
}

void DataSourceManager::streamWrite(QDataStream &out)
{
    QVector<BlockEntry> all;
    for (DataSource *s : qAsConst(sourceMap))
        all.append(entryFor(s));
    writeBlock(out, all);
}

void DataSourceManager::writeBlock(QDataStream &out, const QVector<BlockEntry> &entries)
{
    QVector<const BlockEntry *> kept;
    QSet<QString> files;
    for (const BlockEntry &e : entries) {
        if (e.file) {
            // A workbook's worksheets are one file entry.
            if (files.contains(e.pathOrName))
                continue;
            files.insert(e.pathOrName);
        } else if (e.sources.isEmpty() || !e.sources.first()) {
            continue;
        }
        kept.append(&e);
    }
    out << uuid() << qint32(2);
    out << qint32(kept.size());
    for (const BlockEntry *e : qAsConst(kept)) {
        out << qint32(e->file ? DataSource::File : DataSource::Internal);
        if (e->file) {
            const QFileInfo info(e->pathOrName);
            if (info.exists())
                out << info.absoluteFilePath() << qint64(info.size()) << info.lastModified();
            else
                out << e->pathOrName << e->size << e->modified;
            continue;
        }
        DataSource *s = e->sources.first();
        out << s->name();
        const auto *model = qobject_cast<QStandardItemModel *>(s->model());
        const int rows = model ? model->rowCount() : 0;
        out << qint32(rows);
        for (int r = 0; r < rows; ++r) {
            // A row without an item (a new table's first row) is written as
            // an empty one, so the count always matches what follows.
            const QStandardItem *item = model->item(r, 0);
            if (item)
                out << *item;
            else
                out << QStandardItem();
        }
    }
}

void DataSourceManager::streamRead(QDataStream &in)
{
    missing.clear();
    notices.clear();
    overridden.clear();
    unused.clear();
    block.clear();
    qint32 version = 0;
    if (!streamheader::read(in, uuid(), &version)) {
        qWarning("DataSourceManager header mismatch error");
        return;
    }
    qint32 count = 0;
    // Every entry is at least a kind and an empty string.
    if (!safestream::readCount(in, count, 8))
        return;

    // The whole block is read first: an override for "the only file source"
    // needs to know how many there are.
    struct Entry
    {
        BlockEntry stored;
        QList<QStandardItem *> items;
    };
    std::vector<Entry> entries;
    auto dropItems = [&entries] {
        for (Entry &e : entries)
            qDeleteAll(e.items);
    };
    for (qint32 i = 0; i < count; ++i) {
        qint32 kind = DataSource::File;
        if (version > 1)
            in >> kind;
        if (in.status() != QDataStream::Ok)
            return dropItems();
        Entry entry;
        entry.stored.file = kind != DataSource::Internal;
        if (entry.stored.file) {
            in >> entry.stored.pathOrName >> entry.stored.size >> entry.stored.modified;
            if (in.status() != QDataStream::Ok)
                return dropItems();
            entries.push_back(entry);
            continue;
        }
        qint32 values = 0;
        in >> entry.stored.pathOrName;
        // Each stored item is at least its count and its flags.
        if (!safestream::readCount(in, values, 8))
            return dropItems();
        entries.push_back(entry);
        for (qint32 v = 0; v < values; ++v) {
            QStandardItem *item = datasourceblock::readStandardItem(in).release();
            if (!item)
                return dropItems();
            entries.back().items.append(item);
        }
    }

    const QScopedValueRollback<bool> markReading(reading, true);

    QMap<QString, QByteArray> pending = overrides;
    const int files = int(std::count_if(entries.begin(), entries.end(),
                                        [](const Entry &e) { return e.stored.file; }));
    QSet<QString> internalNames;
    for (Entry &e : entries) {
        BlockEntry &stored = e.stored;
        if (!stored.file) {
            // Two tables of one name in one file (older versions named every
            // new table alike) would bind to one another: the later ones get
            // a number, and items bound to that name keep the first.
            QString name = stored.pathOrName;
            for (int n = 2; internalNames.contains(name); ++n)
                name = stored.pathOrName + QStringLiteral(" (%1)").arg(n);
            internalNames.insert(name);
            stored.sources.append(addInternal(name, e.items));
            block.append(stored);
            continue;
        }
        const int before = nextId;
        auto takeNew = [&] {
            for (auto it = sourceMap.lowerBound(before); it != sourceMap.end(); ++it)
                stored.sources.append(it.value());
        };
        const QString &path = stored.pathOrName;
        const bool csv = endsWithAny(path, {".csv", ".txt"});
        const bool xlsx = !csv && endsWithAny(path, {".xlsx"});
        // A CSV source is named by its path; a worksheet source by its sheet
        // and file name, which an override names in full.
        if (csv) {
            const bool named = pending.contains(path);
            if (named || (files == 1 && pending.contains(QString()))) {
                addOverride(path, path, pending.take(named ? path : QString()));
                takeNew();
                block.append(stored);
                continue;
            }
        }
        bool sheetsOverridden = false;
        if (xlsx) {
            const QString suffix = QStringLiteral(" - ") + QFileInfo(path).fileName();
            const QStringList names = pending.keys();
            for (const QString &name : names) {
                if (name.endsWith(suffix)) {
                    addOverride(name, path, pending.take(name));
                    sheetsOverridden = true;
                }
            }
        }
        if (!QFile::exists(path)) {
            if (!sheetsOverridden) {
                qWarning().noquote() << QStringLiteral("Error loading ") + path +
                                            QStringLiteral(" file does not exist");
                missing << path;
            }
            takeNew();
            block.append(stored);
            continue;
        }
        if (csv) {
            addCsvFile(path);
        } else if (xlsx) {
            addXlsxFile(path);
            // The only file source of a document, overridden without a name:
            // a workbook of one worksheet qualifies.
            if (files == 1 && pending.contains(QString()) && nextId == before + 1) {
                DataSource *sheet = sourceMap.take(before);
                const QString name = sheet->name();
                delete sheet;
                addOverride(name, path, pending.take(QString()));
            }
        }
        takeNew();
        // A file another document brought in already: the same table.
        if (stored.sources.isEmpty() || sheetsOverridden) {
            const QList<DataSource *> same = sourcesOfFile(QFileInfo(path).absoluteFilePath());
            for (DataSource *s : same) {
                if (!stored.sources.contains(s))
                    stored.sources.append(s);
            }
        }
        block.append(stored);
    }
    unused = pending.keys();
}
