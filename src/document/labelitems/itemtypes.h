#pragma once

#include <QGraphicsItem>

// QGraphicsItem::type() of the label items; also the tag in front of each
// item block in a document file.
namespace itemtype {
enum : int {
    Text = QGraphicsItem::UserType + 1,
    Data = QGraphicsItem::UserType + 2,
    Pixmap = QGraphicsItem::UserType + 3,
    DateTime = QGraphicsItem::UserType + 4,
    Barcode = QGraphicsItem::UserType + 5,
};

inline bool isLabelItem(int type)
{
    return type >= Text && type <= Barcode;
}

// Items whose text part takes the text toolbar's font and alignment.
inline bool isTextBearing(int type)
{
    return type == Text || type == Data || type == DateTime;
}
} // namespace itemtype
