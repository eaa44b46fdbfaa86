#pragma once

#include <QDateTime>
#include <QFileInfo>
#include <QObject>
#include <QString>

class QAbstractItemModel;
class QFile;

// One table of variable data: a CSV/TXT file, one worksheet of a workbook,
// or an internal table typed in by the user (its values in column 0).
class DataSource : public QObject
{
    Q_OBJECT
public:
    enum Kind { Internal = 0, File = 1 };

    // A file table; the model becomes the source's child.
    DataSource(const QString &name, const QFile &file, QAbstractItemModel *model,
               QObject *parent = nullptr);
    // An empty internal table of one row and one column.
    explicit DataSource(const QString &name, QObject *parent = nullptr);

    QString name() const { return sourceName; }
    QFileInfo fileInfo() const { return info; }
    QAbstractItemModel *model() const { return table; }
    int kind() const { return sourceKind; }

    // The manager renames internal tables and keeps names unique.
    void setName(const QString &name);
    // A file table read again: the new model replaces the old one, which is
    // deleted once control is back in the event loop (views may still hold it).
    void replaceModel(QAbstractItemModel *model);
    // Size and modification time of the file when its table was last read,
    // so a change on disk can be told from the table in memory.
    qint64 readSize() const { return sizeRead; }
    QDateTime readModified() const { return modifiedRead; }
    void noteFileRead();

signals:
    // Rows or values of the table changed, or the table was read again.
    void tableChanged();
    void renamed();

private:
    void watchModel();

    QString sourceName;
    QFileInfo info;
    QAbstractItemModel *table = nullptr;
    int sourceKind = Internal;
    qint64 sizeRead = -1;
    QDateTime modifiedRead;
};
