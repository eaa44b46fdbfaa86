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

void DataSourceManager::insert(DataSource *source)
{
    if (source->kind() == DataSource::Internal) {
        QAbstractItemModel *model = source->model();
        connect(model, &QAbstractItemModel::dataChanged, this, &DataSourceManager::tableEdited);
        connect(model, &QAbstractItemModel::rowsInserted, this, &DataSourceManager::tableEdited);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &DataSourceManager::tableEdited);
    }
    sourceMap.insert(nextId++, source);
    emit sourcesChanged();
}

void DataSourceManager::addCsvFile(const QString &path)
{
    if (findByFilePath(path))
        return;
    QFile file(path);
    auto *model = new QxtCsvModel(&file, nullptr, true, QLatin1Char(','));
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
        delete source;
    }
    emit sourcesChanged();
}

DataSource *DataSourceManager::findByFilePath(const QString &path) const
{
    // A stand-in for an overridden sheet does not hide the rest of its workbook.
    for (DataSource *s : sourceMap) {
        if (s->kind() == DataSource::File && !standIns.contains(s) &&
            s->fileInfo().absoluteFilePath() == path)
            return s;
    }
    return nullptr;
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

void DataSourceManager::streamWrite(QDataStream &out)
{
    streamheader::write(out, *this);
    out << qint32(sourceMap.size());
    for (DataSource *s : qAsConst(sourceMap)) {
        out << qint32(s->kind());
        if (s->kind() != DataSource::Internal) {
            const QFileInfo info = s->fileInfo();
            out << info.absoluteFilePath() << qint64(info.size()) << info.lastModified();
            continue;
        }
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
    overridden.clear();
    unused.clear();
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
        bool file = true;
        QString pathOrName;
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
        entry.file = kind != DataSource::Internal;
        if (entry.file) {
            qint64 size = 0;
            QDateTime modified;
            in >> entry.pathOrName >> size >> modified;
            if (in.status() != QDataStream::Ok)
                return dropItems();
            entries.push_back(entry);
            continue;
        }
        qint32 values = 0;
        in >> entry.pathOrName;
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

    QMap<QString, QByteArray> pending = overrides;
    const int files = int(std::count_if(entries.begin(), entries.end(),
                                        [](const Entry &e) { return e.file; }));
    for (Entry &e : entries) {
        if (!e.file) {
            addInternal(e.pathOrName, e.items);
            continue;
        }
        const QString &path = e.pathOrName;
        const bool csv = endsWithAny(path, {".csv", ".txt"});
        const bool xlsx = !csv && endsWithAny(path, {".xlsx"});
        // A CSV source is named by its path; a worksheet source by its sheet
        // and file name, which an override names in full.
        if (csv) {
            const bool named = pending.contains(path);
            if (named || (files == 1 && pending.contains(QString()))) {
                addOverride(path, path, pending.take(named ? path : QString()));
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
                qWarning() << QStringLiteral("Error loading ") + path +
                                  QStringLiteral(" file does not exist");
                missing << path;
            }
            continue;
        }
        if (csv) {
            addCsvFile(path);
        } else if (xlsx) {
            const int before = nextId;
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
    }
    unused = pending.keys();
}
