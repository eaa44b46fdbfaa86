#include "sequence.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStandardItem>

#include <algorithm>
#include <limits>

namespace sequence {

namespace {

constexpr int MaxPadding = 18;
// The longest number text: a sign and the 20 digits of the largest magnitude
// (padding never exceeds the digits a qint64 can have).
constexpr int NumberBuffer = 24;

// The number at index. Unsigned arithmetic wraps instead of overflowing; for
// an index within count() the true value lies between first and last, so
// the wrapped result converts back exactly.
qint64 numberAt(const Spec &s, qint64 index)
{
    const quint64 n = quint64(s.first) + quint64(index) * quint64(s.step);
    return qint64(n);
}

// Writes n (at least padding digits, any minus sign in front of them) so that
// it ends just before end; returns where it starts.
QChar *writeNumber(QChar *end, qint64 n, int padding)
{
    const bool negative = n < 0;
    // Negating in unsigned arithmetic also covers the smallest qint64.
    quint64 magnitude = negative ? quint64(0) - quint64(n) : quint64(n);
    QChar *p = end;
    do {
        *--p = QLatin1Char(char('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    const int digits = qBound(0, padding, MaxPadding);
    while (end - p < digits)
        *--p = QLatin1Char('0');
    if (negative)
        *--p = QLatin1Char('-');
    return p;
}

QString text(const Spec &s, qint64 n)
{
    QChar buffer[NumberBuffer];
    QChar *end = buffer + NumberBuffer;
    const QChar *begin = writeNumber(end, n, s.padding);
    const int length = int(end - begin);

    // One allocation per value: with a million values the usual
    // concatenation and arg() temporaries cost more than the items.
    QString result(s.prefix.size() + length + s.suffix.size(), Qt::Uninitialized);
    QChar *out = result.data();
    out = std::copy(s.prefix.constBegin(), s.prefix.constEnd(), out);
    out = std::copy(begin, static_cast<const QChar *>(end), out);
    std::copy(s.suffix.constBegin(), s.suffix.constEnd(), out);
    return result;
}

} // namespace

qint64 count(const Spec &s)
{
    if (s.step == 0)
        return 0;
    if (s.first == s.last)
        return 1;
    if ((s.step > 0) != (s.last > s.first))
        return 0;

    // The distance and the step as magnitudes: both fit a quint64 even for
    // the extremes of qint64, where the signed difference would overflow.
    const quint64 span = s.last > s.first ? quint64(s.last) - quint64(s.first)
                                          : quint64(s.first) - quint64(s.last);
    const quint64 stride = s.step > 0 ? quint64(s.step) : quint64(0) - quint64(s.step);
    const quint64 steps = span / stride;
    constexpr quint64 largest = quint64(std::numeric_limits<qint64>::max());
    if (steps >= largest)
        return std::numeric_limits<qint64>::max();
    return qint64(steps) + 1;
}

QString value(const Spec &s, qint64 index)
{
    return text(s, numberAt(s, index));
}

QString check(const Spec &s)
{
    if (s.padding > MaxPadding)
        return QCoreApplication::translate("sequence", "At most 18 digits of zero padding.");
    if (s.step == 0)
        return QCoreApplication::translate("sequence", "The step cannot be 0.");
    const qint64 n = count(s);
    if (n == 0)
        return QCoreApplication::translate(
            "sequence", "The step does not lead from the first to the last number.");
    if (n > MaxValues)
        return QCoreApplication::translate(
                   "sequence", "A sequence holds at most 1,000,000 values; this one would hold %1.")
            .arg(QLocale().toString(n));
    return QString();
}

QList<QStandardItem *> items(const Spec &s)
{
    QList<QStandardItem *> result;
    if (!check(s).isEmpty())
        return result;

    const qint64 n = count(s);
    result.reserve(int(n));
    for (qint64 i = 0; i < n; ++i)
        result.append(new QStandardItem(text(s, numberAt(s, i))));
    return result;
}

} // namespace sequence
