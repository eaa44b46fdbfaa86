#include "databinding.h"

#include "datasource.h"
#include "datasourcemanager.h"
#include "safestream.h"
#include "services.h"

#include <QAbstractItemModel>
#include <QDataStream>

#include <limits>

namespace {

// The last row of a table of `rows` rows that a range takes.
qint32 lastRow(const DataBinding::Range &r, int rows)
{
    return r.toEnd ? rows - 1 : qMin(r.bottom, qint32(rows - 1));
}

} // namespace

DataBinding::DataBinding(QObject *parent) : QObject(parent)
{
    watchManager();
}

void DataBinding::watchManager()
{
    DataSourceManager *manager = services::dataSourceManager();
    if (!manager)
        return;
    // A stored binding without its source binds to the first one that fits.
    // Internal tables that another document's file brings in are that
    // document's own, even when they have the same name.
    auto offer = [this, manager](DataSource *candidate) {
        if (src || !isSet() || !candidate || !matches(candidate))
            return;
        if (candidate->kind() == DataSource::Internal && manager->isReading())
            return;
        attach(candidate);
    };
    connect(manager, &DataSourceManager::sourceAdded, this, offer);
    connect(manager, &DataSourceManager::sourceRenamed, this, offer);
}

QString DataBinding::sourceName() const
{
    return src ? src->name() : storedName;
}

QString DataBinding::filePath() const
{
    return src ? src->fileInfo().absoluteFilePath() : storedPath;
}

void DataBinding::bind(DataSource *source, const QItemSelection &selection)
{
    if (!source) {
        clear();
        return;
    }
    const QAbstractItemModel *model = source->model();
    const int rows = model ? model->rowCount() : 0;
    QVector<Range> ranges;
    for (const QItemSelectionRange &r : selection) {
        if (!r.isValid())
            continue;
        ranges.append({r.top(), r.left(), r.bottom(), r.right(), rows > 0 && r.bottom() == rows - 1});
    }
    storedName = source->name();
    storedPath = source->fileInfo().absoluteFilePath();
    stored = ranges;
    attach(source);
}

void DataBinding::clear()
{
    storedName.clear();
    storedPath.clear();
    stored.clear();
    src = nullptr;
    connectSource();
    cachedRows = -1;
    emit changed();
}

void DataBinding::setStored(const QString &name, const QString &path, const QVector<Range> &ranges)
{
    storedName = name;
    storedPath = path;
    stored = ranges;
    src = nullptr;
    connectSource();
    cachedRows = -1;
}

void DataBinding::setWholeColumns(const QVector<int> &columns)
{
    stored.clear();
    for (int c : columns)
        stored.append({0, c, std::numeric_limits<qint32>::max(), c, true});
    cachedRows = -1;
    emit changed();
}

void DataBinding::widenToWholeColumns()
{
    QVector<int> columns;
    for (const Range &r : qAsConst(stored)) {
        for (qint32 c = r.left; c <= r.right && c >= 0; ++c) {
            if (!columns.contains(c))
                columns.append(c);
            if (c == std::numeric_limits<qint32>::max())
                break;
        }
    }
    setWholeColumns(columns);
}

void DataBinding::markRowsAtSave(int rows)
{
    bool any = false;
    for (Range &r : stored) {
        if (rows > 0 && r.bottom == rows - 1 && !r.toEnd) {
            r.toEnd = true;
            any = true;
        }
    }
    if (any) {
        cachedRows = -1;
        emit changed();
    }
}

bool DataBinding::attach(DataSource *source)
{
    if (!source)
        return false;
    src = source;
    connectSource();
    cachedRows = -1;
    emit changed();
    return true;
}

bool DataBinding::lookUp()
{
    DataSourceManager *manager = services::dataSourceManager();
    if (!manager || !isSet())
        return false;
    const QList<DataSource *> candidates = manager->lookupCandidates();
    for (DataSource *candidate : candidates) {
        if (matches(candidate))
            return attach(candidate);
    }
    // A data file is the same table whichever document brought it in; only
    // a table named by its file qualifies, never an internal one.
    const QMap<int, DataSource *> all = manager->sources();
    for (DataSource *candidate : all) {
        const QString path = candidate->fileInfo().absoluteFilePath();
        if (candidate->kind() == DataSource::File && !manager->isStandIn(candidate) &&
            (path == storedPath || path == storedName) && matches(candidate))
            return attach(candidate);
    }
    return false;
}

void DataBinding::connectSource()
{
    disconnect(tableConnection);
    disconnect(renameConnection);
    disconnect(goneConnection);
    if (!src)
        return;
    // The cells follow the table's shape by themselves (see cells()).
    tableConnection = connect(src, &DataSource::tableChanged, this, &DataBinding::changed);
    renameConnection = connect(src, &DataSource::renamed, this, [this] {
        if (src)
            storedName = src->name();
    });
    goneConnection = connect(src, &QObject::destroyed, this, [this] {
        // What was stored stays; only the table is gone.
        src = nullptr;
        cachedRows = -1;
        emit changed();
        emit sourceRemoved();
    });
}

bool DataBinding::matches(const DataSource *source) const
{
    if (!source || !isSet())
        return false;
    const bool file = source->kind() == DataSource::File;
    if (storedName.isEmpty())
        return file && source->fileInfo().absoluteFilePath() == storedPath;
    if (source->name() != storedName)
        return false;
    // A worksheet's name gives only the file's name; the stored path tells
    // workbooks of that name in other folders apart.
    if (file && !storedPath.isEmpty())
        return source->fileInfo().absoluteFilePath() == storedPath;
    return file || storedPath.isEmpty();
}

const QVector<QPoint> &DataBinding::cells() const
{
    const QAbstractItemModel *model = src ? src->model() : nullptr;
    const int rows = model ? model->rowCount() : 0;
    const int columns = model ? model->columnCount() : 0;
    if (model == cachedModel && rows == cachedRows && columns == cachedColumns)
        return cached;
    cached.clear();
    cachedModel = model;
    cachedRows = rows;
    cachedColumns = columns;
    if (!model)
        return cached;
    // Row by row, then column by column within each range: the order of the
    // selection the user made.
    for (const Range &r : stored) {
        const qint32 bottom = lastRow(r, rows);
        const qint32 right = qMin(r.right, columns - 1);
        for (qint32 row = qMax(0, r.top); row <= bottom; ++row) {
            for (qint32 column = qMax(0, r.left); column <= right; ++column) {
                // Many ranges over a large table (a damaged file) must not
                // exhaust memory: no run prints more labels than this.
                if (cached.size() >= MaxCells)
                    return cached;
                cached.append(QPoint(column, row));
            }
        }
    }
    return cached;
}

int DataBinding::count() const
{
    return cells().size();
}

QString DataBinding::text(int record) const
{
    const QVector<QPoint> &all = cells();
    if (!src || record < 0 || record >= all.size())
        return QString();
    const QPoint cell = all.at(record);
    const QAbstractItemModel *model = src->model();
    return model->index(cell.y(), cell.x()).data(Qt::DisplayRole).toString();
}

int DataBinding::row(int record) const
{
    const QVector<QPoint> &all = cells();
    return record >= 0 && record < all.size() ? all.at(record).y() : -1;
}

int DataBinding::rowsMissing() const
{
    const QAbstractItemModel *model = src ? src->model() : nullptr;
    if (!model)
        return 0;
    const int rows = model->rowCount();
    int missing = 0;
    for (const Range &r : stored) {
        // A whole column stored by an older file names no row of its own.
        if (!r.toEnd && r.bottom != std::numeric_limits<qint32>::max() && r.bottom >= rows)
            missing = qMax(missing, r.bottom + 1 - qMax(rows, r.top));
    }
    return missing;
}

QItemSelection DataBinding::selection() const
{
    QItemSelection selection;
    const QAbstractItemModel *model = src ? src->model() : nullptr;
    if (!model)
        return selection;
    const int rows = model->rowCount();
    const int columns = model->columnCount();
    for (const Range &r : stored) {
        const qint32 bottom = lastRow(r, rows);
        const qint32 right = qMin(r.right, columns - 1);
        const QModelIndex tl = model->index(qMax(0, r.top), qMax(0, r.left));
        const QModelIndex br = model->index(bottom, right);
        if (tl.isValid() && br.isValid() && tl.row() <= br.row() && tl.column() <= br.column())
            selection.append(QItemSelectionRange(tl, br));
    }
    return selection;
}

void DataBinding::writeRanges(QDataStream &out) const
{
    const QAbstractItemModel *model = src ? src->model() : nullptr;
    const int rows = model ? model->rowCount() : 0;
    out << qint32(stored.size());
    for (const Range &r : stored) {
        // A range that runs to the end is saved as far as the table goes now,
        // which the saved row count lets the next read recognise.
        const qint32 bottom = r.toEnd && rows > 0 ? qMax(r.top, rows - 1) : r.bottom;
        out << r.top << r.left << bottom << r.right;
    }
}

bool DataBinding::readRanges(QDataStream &in, QVector<Range> *ranges)
{
    ranges->clear();
    qint32 count = 0;
    // Four numbers of four bytes per range.
    if (!safestream::readCount(in, count, 16))
        return false;
    ranges->reserve(count);
    for (qint32 i = 0; i < count; ++i) {
        Range r;
        in >> r.top >> r.left >> r.bottom >> r.right;
        if (in.status() != QDataStream::Ok)
            return false;
        // A range the other way round, or before the first cell, is no range
        // of any table; the rest of the block is still read.
        if (r.top < 0 || r.left < 0 || r.bottom < r.top || r.right < r.left)
            continue;
        ranges->append(r);
    }
    return true;
}
