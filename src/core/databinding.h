#pragma once

#include "datasource.h"

#include <QItemSelection>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QVector>

class QAbstractItemModel;
class QDataStream;

// The cells of a data source that an item shows, one per label, kept as the
// ranges of rows and columns the item's file stores. While its source is
// missing or was deleted the binding keeps what was stored, writes it back
// unchanged, and binds again as soon as a source of that name (or, for a
// data file, that file) is added. A range that reached the last row of its
// table keeps reaching it when the table grows; one that reaches past a
// shorter table is cut at its end, never dropped.
class DataBinding : public QObject
{
    Q_OBJECT
public:
    struct Range
    {
        qint32 top = 0;
        qint32 left = 0;
        qint32 bottom = 0;
        qint32 right = 0;
        bool toEnd = false;
    };

    // The most records one item has, whatever its ranges say.
    static constexpr int MaxCells = 1 << 22;

    explicit DataBinding(QObject *parent = nullptr);

    // True when the item refers to a source at all, bound or not.
    bool isSet() const { return !storedName.isEmpty() || !storedPath.isEmpty(); }
    bool isBound() const { return src; }
    DataSource *source() const { return src; }
    // The source's name and file as they are stored: the live source's while
    // bound, else what the file said.
    QString sourceName() const;
    QString filePath() const;

    // Binds to cells chosen by the user; a null source clears the binding.
    void bind(DataSource *source, const QItemSelection &selection);
    void clear();
    // What an item block stored; the source is looked up by the caller.
    void setStored(const QString &name, const QString &path, const QVector<Range> &ranges);
    // Every row of the given columns (older files stored a whole column).
    void setWholeColumns(const QVector<int> &columns);
    // Every row of the columns the ranges use: for a table given in place of
    // the stored one, whose rows have nothing to do with the old ones.
    void widenToWholeColumns();
    // Ranges whose last row was the last of a table of `rows` rows when the
    // file was saved keep reaching the last row.
    void markRowsAtSave(int rows);
    bool attach(DataSource *source);
    // Attaches to the first source the stored binding names among those an
    // item being read may use (a document's own, see LookupScope).
    bool lookUp();
    // Whether `source` is the one the stored binding names.
    bool matches(const DataSource *source) const;

    // Records (cells) with the table as it is now; 0 while unbound.
    int count() const;
    // The display text of record i's cell; null past the cells or unbound.
    QString text(int record) const;
    // The table row of record i's cell, -1 for none.
    int row(int record) const;
    // The rows the stored ranges name that the table no longer has (0 when
    // they all fit or the binding is unbound).
    int rowsMissing() const;
    QItemSelection selection() const;
    QVector<Range> ranges() const { return stored; }

    // The range count and ranges as item blocks store them.
    void writeRanges(QDataStream &out) const;
    // Reads them; false, with the stream marked, when the block is damaged.
    static bool readRanges(QDataStream &in, QVector<Range> *ranges);

signals:
    // The cells or their values changed: the table was edited or read again,
    // or the binding was attached to a source.
    void changed();
    // The bound source was removed; the stored binding stays.
    void sourceRemoved();

private:
    void connectSource();
    void watchManager();
    const QVector<QPoint> &cells() const;

    QPointer<DataSource> src;
    QString storedName;
    QString storedPath;
    QVector<Range> stored;
    QMetaObject::Connection tableConnection;
    QMetaObject::Connection renameConnection;
    QMetaObject::Connection goneConnection;
    // (column, row) of every record, worked out again when the table's shape changes.
    mutable QVector<QPoint> cached;
    mutable const QAbstractItemModel *cachedModel = nullptr;
    mutable int cachedRows = -1;
    mutable int cachedColumns = -1;
};
