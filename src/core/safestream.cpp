#include "safestream.h"

#include "streamheader.h"

#include <cmath>

bool safestream::readScalarVariant(QDataStream &in, QVariant &v)
{
    quint32 typeId = 0;
    qint8 isNull = 0;
    in >> typeId;
    if (in.version() >= QDataStream::Qt_4_2)
        in >> isNull;
    if (in.status() != QDataStream::Ok)
        return false;
    switch (typeId) {
    case QMetaType::UnknownType:
        // Older stream versions write an empty string after an invalid variant.
        if (in.version() < QDataStream::Qt_5_0) {
            QString ignored;
            in >> ignored;
        }
        v = QVariant();
        return in.status() == QDataStream::Ok;
    case QMetaType::Bool: {
        bool b = false;
        in >> b;
        v = b;
        break;
    }
    case QMetaType::Int: {
        qint32 i = 0;
        in >> i;
        v = int(i);
        break;
    }
    case QMetaType::UInt: {
        quint32 u = 0;
        in >> u;
        v = uint(u);
        break;
    }
    case QMetaType::LongLong: {
        qint64 l = 0;
        in >> l;
        v = qlonglong(l);
        break;
    }
    case QMetaType::ULongLong: {
        quint64 l = 0;
        in >> l;
        v = qulonglong(l);
        break;
    }
    case QMetaType::Double: {
        double d = 0;
        in >> d;
        v = d;
        break;
    }
    case QMetaType::QString: {
        QString s;
        in >> s;
        v = s;
        break;
    }
    default:
        in.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    // The value is written even for a null variant; Qt's own reader keeps
    // the null flag, so a null entry reads back null.
    if (isNull)
        v = QVariant(QVariant::Type(typeId));
    return in.status() == QDataStream::Ok;
}

bool safestream::readCount(QDataStream &in, qint32 &count, qint64 minBytes)
{
    count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok)
        return false;
    if (!streamheader::countFits(in, count, minBytes)) {
        in.setStatus(QDataStream::ReadCorruptData);
        count = 0;
        return false;
    }
    return true;
}

namespace {
// Far beyond any label (a 100 mm label is 736 units wide) and any text size
// the editor offers, yet small enough that layout and painting stay fast.
constexpr double MaxCoordinate = 1e6;
constexpr double MinPointSize = 0.5;
constexpr double MaxPointSize = 2000;
constexpr int MaxPixelSize = 4000;
constexpr int MaxFamilyLength = 256;
constexpr double MaxSpacing = 1000;

bool within(double v, double limit)
{
    return std::isfinite(v) && std::fabs(v) <= limit;
}

bool readResult(QDataStream &in, bool sane)
{
    if (in.status() != QDataStream::Ok)
        return false;
    if (!sane) {
        qWarning("Item block refused: a position, size, font or rotation no label can have");
        in.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    return true;
}
} // namespace

bool safestream::saneFont(const QFont &font)
{
    // A font is sized either in points (pixel size -1) or in pixels (point
    // size -1); a stored font with both or neither never came from an editor.
    const double pt = font.pointSizeF();
    const int px = font.pixelSize();
    const bool byPoints = px == -1 && std::isfinite(pt) && pt >= MinPointSize && pt <= MaxPointSize;
    const bool byPixels = pt == -1 && px >= 1 && px <= MaxPixelSize;
    if (!byPoints && !byPixels)
        return false;
    if (font.family().size() > MaxFamilyLength)
        return false;
    if (font.stretch() < 0 || font.stretch() > 4000 || font.weight() < 0 || font.weight() > 99)
        return false;
    const double letter = font.letterSpacing();
    if (font.letterSpacingType() == QFont::PercentageSpacing ? !(letter >= 0 && letter <= MaxSpacing)
                                                              : !within(letter, MaxSpacing))
        return false;
    return within(font.wordSpacing(), MaxSpacing);
}

bool safestream::saneGeometry(const QPointF &pos, const QSizeF &size)
{
    return within(pos.x(), MaxCoordinate) && within(pos.y(), MaxCoordinate) &&
           within(size.width(), MaxCoordinate) && within(size.height(), MaxCoordinate);
}

bool safestream::saneRotation(double angle)
{
    return within(angle, 360 * 1000);
}

bool safestream::readGeometry(QDataStream &in, QPointF &pos, QSizeF &size)
{
    in >> pos >> size;
    return readResult(in, saneGeometry(pos, size));
}

bool safestream::readFont(QDataStream &in, QFont &font)
{
    in >> font;
    return readResult(in, saneFont(font));
}

bool safestream::readRotation(QDataStream &in, double &angle)
{
    in >> angle;
    return readResult(in, saneRotation(angle));
}
