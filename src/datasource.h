#pragma once

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

private:
    QString sourceName;
    QFileInfo info;
    QAbstractItemModel *table = nullptr;
    int sourceKind = Internal;
};
