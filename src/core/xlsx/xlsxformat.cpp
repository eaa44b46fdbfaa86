#include "xlsxformat.h"

namespace QXlsx {

class FormatPrivate : public QSharedData
{
public:
    bool hasFont = false;
    QFont font;
    QColor fontColor;
    QColor fill;
    bool hasAlignment = false;
    Format::HorizontalAlignment horizontal = Format::AlignHGeneral;
    Format::VerticalAlignment vertical = Format::AlignBottom;
    int numberFormatId = 0;
    QString numberFormatCode;
    Format::DateTimeKind dateKind = Format::NotDateTime;
};

Format::Format() = default;
Format::Format(const Format &other) = default;
Format &Format::operator=(const Format &other) = default;
Format::~Format() = default;

FormatPrivate *Format::detached()
{
    if (!d) {
        d = new FormatPrivate;
    }
    return d.data();
}

bool Format::isValid() const
{
    return d && (d->hasFont || d->fontColor.isValid() || d->fill.isValid() || d->hasAlignment ||
                 d->numberFormatId != 0 || !d->numberFormatCode.isEmpty());
}

bool Format::hasFontData() const
{
    return d && d->hasFont;
}

QFont Format::font() const
{
    return d ? d->font : QFont();
}

void Format::setFont(const QFont &font)
{
    FormatPrivate *p = detached();
    p->font = font;
    p->hasFont = true;
}

QColor Format::fontColor() const
{
    return d ? d->fontColor : QColor();
}

void Format::setFontColor(const QColor &color)
{
    detached()->fontColor = color;
}

QColor Format::patternBackgroundColor() const
{
    return d ? d->fill : QColor();
}

void Format::setPatternBackgroundColor(const QColor &color)
{
    detached()->fill = color;
}

Format::HorizontalAlignment Format::horizontalAlignment() const
{
    return d ? d->horizontal : AlignHGeneral;
}

void Format::setHorizontalAlignment(HorizontalAlignment alignment)
{
    FormatPrivate *p = detached();
    p->horizontal = alignment;
    p->hasAlignment = true;
}

Format::VerticalAlignment Format::verticalAlignment() const
{
    return d ? d->vertical : AlignBottom;
}

void Format::setVerticalAlignment(VerticalAlignment alignment)
{
    FormatPrivate *p = detached();
    p->vertical = alignment;
    p->hasAlignment = true;
}

int Format::numberFormatIndex() const
{
    return d ? d->numberFormatId : 0;
}

QString Format::numberFormat() const
{
    return d ? d->numberFormatCode : QString();
}

void Format::setNumberFormat(int id, const QString &code)
{
    FormatPrivate *p = detached();
    p->numberFormatId = id;
    p->numberFormatCode = code;
    // Cells ask this for every read, so it is worked out once here.
    p->dateKind = code.isEmpty() ? dateTimeKindOf(id) : dateTimeKindOf(code);
}

bool Format::isDateTimeFormat() const
{
    return dateTimeKind() != NotDateTime;
}

Format::DateTimeKind Format::dateTimeKind() const
{
    return d ? d->dateKind : NotDateTime;
}

Format::DateTimeKind Format::dateTimeKindOf(int builtinId)
{
    // The built-in formats, with the East Asian date and time ids.
    if ((builtinId >= 14 && builtinId <= 17) || (builtinId >= 27 && builtinId <= 31) ||
        builtinId == 36 || (builtinId >= 50 && builtinId <= 54) || builtinId == 57 ||
        builtinId == 58) {
        return DateOnly;
    }
    if ((builtinId >= 18 && builtinId <= 21) || (builtinId >= 32 && builtinId <= 35) ||
        builtinId == 45 || builtinId == 47 || builtinId == 55 || builtinId == 56) {
        return TimeOnly;
    }
    if (builtinId == 22) {
        return DateAndTime;
    }
    // 46 is "[h]:mm:ss", a duration that may pass 24 hours: a number, not a time.
    return NotDateTime;
}

Format::DateTimeKind Format::dateTimeKindOf(const QString &code)
{
    bool date = false;
    bool time = false;
    bool month = false; // 'm' is a month unless hours or seconds make it minutes
    const QString c = code.toLower();
    const int n = c.size();
    for (int i = 0; i < n; ++i) {
        const QChar ch = c.at(i);
        if (ch == QLatin1Char(';')) {
            break; // the first section decides
        }
        switch (ch.unicode()) {
        case '"': {
            const int close = c.indexOf(QLatin1Char('"'), i + 1);
            i = close < 0 ? n : close;
            break;
        }
        case '\\':
        case '_':
        case '*':
            ++i;
            break;
        case '[': {
            const int close = c.indexOf(QLatin1Char(']'), i + 1);
            const QString inner = c.mid(i + 1, close < 0 ? -1 : close - i - 1);
            // [h], [mm], [ss]: elapsed durations, shown as numbers here.
            if (!inner.isEmpty() && (inner.count(QLatin1Char('h')) == inner.size() ||
                                     inner.count(QLatin1Char('m')) == inner.size() ||
                                     inner.count(QLatin1Char('s')) == inner.size())) {
                return NotDateTime;
            }
            i = close < 0 ? n : close;
            break;
        }
        case 'g':
            if (c.midRef(i, 7) == QLatin1String("general")) {
                i += 6;
            }
            break;
        case 'e':
            if (i + 1 < n && (c.at(i + 1) == QLatin1Char('+') || c.at(i + 1) == QLatin1Char('-'))) {
                ++i; // scientific notation
            } else {
                date = true;
            }
            break;
        case 'a':
            if (c.midRef(i, 5) == QLatin1String("am/pm")) {
                time = true;
                i += 4;
            } else if (c.midRef(i, 3) == QLatin1String("a/p")) {
                time = true;
                i += 2;
            }
            break;
        case 'y':
        case 'd':
            date = true;
            break;
        case 'h':
        case 's':
            time = true;
            break;
        case 'm':
            month = true;
            break;
        default:
            break;
        }
    }
    date = date || (month && !time);
    if (date && time) {
        return DateAndTime;
    }
    return date ? DateOnly : (time ? TimeOnly : NotDateTime);
}

} // namespace QXlsx
