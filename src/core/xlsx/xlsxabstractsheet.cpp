#include "xlsxabstractsheet.h"

namespace QXlsx {

AbstractSheet::AbstractSheet(const QString &name, SheetType type) : m_name(name), m_type(type)
{
}

AbstractSheet::~AbstractSheet() = default;

} // namespace QXlsx
