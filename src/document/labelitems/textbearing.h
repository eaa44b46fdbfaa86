#pragma once

#include <QFont>
#include <Qt>

// Items whose text part follows the text toolbar (text, variable data, date
// and time): the operations the document and the main window apply to them.
class TextBearing
{
public:
    virtual ~TextBearing() = default;
    virtual void setFont(const QFont &font) = 0;
    virtual QFont font() const = 0;
    virtual void setAlignment(Qt::Alignment a) = 0;
    virtual Qt::Alignment alignment() const = 0;
};
