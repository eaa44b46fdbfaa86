#pragma once

#include <QColor>
#include <QFont>
#include <QSharedDataPointer>
#include <QString>

namespace QXlsx {

class FormatPrivate;

// The look of a cell: font and font colour, fill colour, alignment and number
// format. Cheap to copy; cells that share a style share one record.
class Format
{
public:
    enum HorizontalAlignment
    {
        AlignHGeneral,
        AlignLeft,
        AlignHCenter,
        AlignRight,
        AlignHFill,
        AlignHJustify,
        AlignHMerge,
        AlignHDistributed
    };
    enum VerticalAlignment
    {
        AlignTop,
        AlignVCenter,
        AlignBottom,
        AlignVJustify,
        AlignVDistributed
    };
    // What a date or time number format shows of its value.
    enum DateTimeKind
    {
        NotDateTime,
        DateOnly,
        TimeOnly,
        DateAndTime
    };

    Format();
    Format(const Format &other);
    Format &operator=(const Format &other);
    ~Format();

    // False for a default format that carries no data at all.
    bool isValid() const;

    bool hasFontData() const;
    QFont font() const;
    void setFont(const QFont &font);
    QColor fontColor() const;
    void setFontColor(const QColor &color);

    QColor patternBackgroundColor() const;
    void setPatternBackgroundColor(const QColor &color);

    HorizontalAlignment horizontalAlignment() const;
    void setHorizontalAlignment(HorizontalAlignment alignment);
    // Bottom unless set, as in a spreadsheet.
    VerticalAlignment verticalAlignment() const;
    void setVerticalAlignment(VerticalAlignment alignment);

    int numberFormatIndex() const;
    QString numberFormat() const;
    // A built-in format by its id, or a custom one by id and format code.
    void setNumberFormat(int id, const QString &code = QString());
    bool isDateTimeFormat() const;
    DateTimeKind dateTimeKind() const;

    // What a format code shows of a number: date, time, both or neither.
    static DateTimeKind dateTimeKindOf(const QString &code);
    static DateTimeKind dateTimeKindOf(int builtinId);

private:
    FormatPrivate *detached();

    QSharedDataPointer<FormatPrivate> d;
};

} // namespace QXlsx
