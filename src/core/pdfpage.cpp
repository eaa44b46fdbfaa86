#include "pdfpage.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QtDebug>

namespace {

// A PDF number as short as it can be: no trailing zeros, no leading zero
// before the point.
QByteArray number(double v)
{
    QByteArray s = QByteArray::number(v, 'f', 6);
    while (s.endsWith('0'))
        s.chop(1);
    if (s.endsWith('.'))
        s.chop(1);
    if (s.isEmpty() || s == "-")
        return "0";
    if (s.startsWith("0."))
        s.remove(0, 1);
    else if (s.startsWith("-0."))
        s.remove(1, 1);
    return s;
}

} // namespace

bool pdfpage::setExactSize(const QString &fileName, const QSizeF &sizeMm)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadWrite)) {
        qWarning("Cannot open %s to set its page size", qPrintable(fileName));
        return false;
    }
    static const QByteArray page("/Type /Page\n");
    static const QByteArray key("/MediaBox [");
    const double width = sizeMm.width() * 72 / 25.4;
    const double height = sizeMm.height() * 72 / 25.4;
    // The file is read a window at a time and the boxes are patched in
    // place, so a run of many thousand labels is never held in memory. A
    // page's box follows its marker closely, within the overlap. A window is
    // written back once, not a write per page.
    constexpr qint64 Window = 1 << 20;
    constexpr qint64 Overlap = 1 << 14;
    const qint64 size = file.size();
    int pages = 0;
    for (qint64 offset = 0; offset < size; offset += Window) {
        if (!file.seek(offset))
            return false;
        QByteArray data = file.read(Window + Overlap);
        bool patched = false;
        const bool last = offset + data.size() >= size;
        // Markers from Window on are the next window's.
        for (int pageAt = data.indexOf(page); pageAt >= 0 && (pageAt < Window || last);
             pageAt = data.indexOf(page, pageAt + 1)) {
            const int keyAt = data.indexOf(key, pageAt);
            const int start = keyAt < 0 ? -1 : keyAt + key.size();
            const int end = start < 0 ? -1 : data.indexOf(']', start);
            const int next = data.indexOf(page, pageAt + page.size());
            if (end < 0 || (next >= 0 && keyAt > next)) {
                qWarning("A page without its box in %s", qPrintable(fileName));
                return false;
            }
            const QList<QByteArray> box = data.mid(start, end - start).simplified().split(' ');
            bool ok = box.size() == 4;
            const double top = ok ? box.at(3).toDouble(&ok) : 0;
            if (!ok || box.at(0).toDouble() != 0 || box.at(1).toDouble() != 0) {
                qWarning("Unexpected page box in %s", qPrintable(fileName));
                return false;
            }
            QByteArray exact = "0 " + number(top - height) + ' ' + number(width) + ' ' + number(top);
            const int room = end - start;
            if (exact.size() > room) {
                qWarning("The exact page box does not fit in %s", qPrintable(fileName));
                return false;
            }
            // PDF takes any run of spaces between numbers, so the length stays.
            exact.append(QByteArray(room - exact.size(), ' '));
            data.replace(start, room, exact);
            patched = true;
            ++pages;
        }
        if (patched && (!file.seek(offset) || file.write(data) != data.size()))
            return false;
    }
    if (pages == 0) {
        qWarning("No page found in %s", qPrintable(fileName));
        return false;
    }
    return file.flush();
}
