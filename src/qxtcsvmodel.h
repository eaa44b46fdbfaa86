#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

class QIODevice;

// A table read from a CSV or TXT file. Every physical line is one record; a
// quoted part may hold the separator, and the quotes stay part of the text.
// Records are kept as whole lines with the separators replaced by U+0001.
class QxtCsvModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Reads the whole device at once and closes it. A device that cannot be
    // opened gives an empty table.
    explicit QxtCsvModel(QIODevice *device, QObject *parent = nullptr, bool withHeader = false,
                         QChar separator = QLatin1Char(','));

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool insertColumns(int column, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeColumns(int column, int count, const QModelIndex &parent = QModelIndex()) override;

    // Longest line (in bytes) that is kept whole; the rest of a longer line
    // is dropped, so one runaway line cannot exhaust memory.
    static constexpr qint64 MaxLineBytes = 16 * 1024 * 1024;

    bool decodedAsWindows1252() const { return false; }
    bool containsBinary() const { return false; }
    void reread(QIODevice *device)
    {
        beginResetModel();
        readDevice(device, m_withHeader);
        endResetModel();
    }

private:
    void readDevice(QIODevice *device, bool withHeader);
    void addLine(const QByteArray &raw, bool withHeader, bool *headerTaken);
    // Applies a change to the fields of every line and to the header.
    void changeFields(const std::function<void(QStringList &)> &change);

    QStringList m_lines;
    QStringList m_header;
    int m_columnCount = 0;
    QChar m_separator;
    bool m_withHeader = false;
};
