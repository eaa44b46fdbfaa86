#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

class QIODevice;
class QTextCodec;

// A table read from a CSV or TXT file, as spreadsheets write them (RFC 4180).
// A field that starts with a quote ends at the next lone quote; the quotes are
// not part of the text, a doubled quote inside stands for one, and separators
// and line breaks inside are text (a line break is kept as a line feed).
// Outside quotes CRLF, LF and a lone CR end a record; a line ending at the end
// of the input adds no record. Damaged input is read as far as it makes sense:
// a quote inside an unquoted field is text, text after a closing quote joins
// its field, and a quote that is never closed takes the rest of the input.
// A UTF-8 byte order mark is skipped; bytes that are not valid UTF-8 are read
// as Windows-1252, as older spreadsheets save them.
// Records are kept as strings with U+0001 between the fields; a U+0001 in the
// input is read as U+FFFD so that it cannot make a field of its own.
class QxtCsvModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Reads the whole device at once and closes it. A device that cannot be
    // opened gives an empty table.
    explicit QxtCsvModel(QIODevice *device, QObject *parent = nullptr, bool withHeader = false,
                         QChar separator = QLatin1Char(','));

    // Replaces the table with what the device holds now (a data file that
    // changed on disk), read as at construction, inside a model reset.
    void reread(QIODevice *device);

    // Whether the bytes were not valid UTF-8 and were read as Windows-1252,
    // which may not be what the file's author meant.
    bool decodedAsWindows1252() const;
    // Whether the bytes held a NUL, which no text file does: an image or other
    // binary file given as a table. The table holds whatever was read.
    bool containsBinary() const;

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

    // Longest record (in characters, separators included) that is kept
    // whole; the rest of a longer record is dropped, so that one runaway
    // record, such as a quote that is never closed, cannot exhaust memory.
    static constexpr int MaxRecordLength = 16 * 1024 * 1024;

private:
    void readDevice(QIODevice *device);
    // Reads the device from its position with the codec. With stopAtInvalid,
    // gives up with false as soon as the bytes turn out not to be valid in it.
    bool readAs(QIODevice *device, QTextCodec *codec, bool stopAtInvalid);
    void clearTable();
    // Applies a change to the fields of every line and to the header.
    void changeFields(const std::function<void(QStringList &)> &change);

    QStringList m_lines;
    QStringList m_header;
    int m_columnCount = 0;
    QChar m_separator;
    bool m_withHeader;
    bool m_windows1252 = false;
    bool m_binary = false;
};
