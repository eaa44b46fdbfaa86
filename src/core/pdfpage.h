#pragma once

#include <QSizeF>
#include <QString>

// Qt 5's PDF writer sizes pages in whole points, so a 100 mm label would come
// out 99.84 mm wide. These helpers give the pages of a written PDF their exact size.
namespace pdfpage {

// Rewrites the page box of every page of the PDF file in place to `sizeMm`,
// keeping the top edge where the writer put it (its drawing runs from the
// top down), so content drawn at the true size fills the page exactly. The
// file's length and object offsets do not change. False, and the file
// untouched, when a box is not where Qt puts it or the new one would not fit
// in its place.
bool setExactSize(const QString &fileName, const QSizeF &sizeMm);

} // namespace pdfpage
