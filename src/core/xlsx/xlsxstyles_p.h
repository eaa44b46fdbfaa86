#pragma once

#include "xlsxformat.h"

#include <QColor>
#include <QVector>

class QXmlStreamReader;

namespace QXlsx {
namespace detail {

// The colours of a workbook's theme, by the index cells use: light 1, dark 1,
// light 2, dark 2, six accents, hyperlink, followed hyperlink.
QVector<QColor> readThemeColors(QXmlStreamReader &xml);

// The cell formats of a styles part, by cell style index. What cannot be read
// stays at the defaults; a broken part gives the formats read before the fault.
QVector<Format> readCellFormats(QXmlStreamReader &xml, const QVector<QColor> &themeColors);

} // namespace detail
} // namespace QXlsx
