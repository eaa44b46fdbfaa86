#pragma once

#include <QString>

namespace QXlsx {

// A sheet of a workbook. Only worksheets hold cells; chart, dialog and macro
// sheets are listed so that the workbook's order of names stays whole.
class AbstractSheet
{
public:
    enum SheetType
    {
        ST_WorkSheet,
        ST_ChartSheet,
        ST_DialogSheet,
        ST_MacroSheet
    };

    AbstractSheet(const QString &name, SheetType type);
    virtual ~AbstractSheet();
    AbstractSheet(const AbstractSheet &) = delete;
    AbstractSheet &operator=(const AbstractSheet &) = delete;

    QString sheetName() const { return m_name; }
    SheetType sheetType() const { return m_type; }

private:
    QString m_name;
    SheetType m_type;
};

} // namespace QXlsx
