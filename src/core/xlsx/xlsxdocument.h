#pragma once

#include "xlsxabstractsheet.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

class QIODevice;

namespace QXlsx {

class Worksheet;

// A workbook read into memory at construction; the file or device is not
// needed afterwards. A file that cannot be read gives a workbook without
// sheets. Sheets live as long as the document.
class Document : public QObject
{
    Q_OBJECT
public:
    explicit Document(const QString &fileName, QObject *parent = nullptr);
    explicit Document(QIODevice *device, QObject *parent = nullptr);
    ~Document() override;

    // True when the workbook part itself could be read.
    bool isLoaded() const { return m_loaded; }
    bool isDate1904() const { return m_date1904; }

    // Every sheet's name, in the workbook's order.
    QStringList sheetNames() const;
    // The sheet of that name, or null.
    AbstractSheet *sheet(const QString &name) const;
    // The first worksheet, or null.
    Worksheet *firstWorksheet() const;

private:
    void load(QIODevice *device);

    std::vector<std::unique_ptr<AbstractSheet>> m_sheets;
    bool m_loaded = false;
    bool m_date1904 = false;
};

} // namespace QXlsx
