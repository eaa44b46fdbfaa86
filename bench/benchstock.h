#pragma once

#include "sizetemplate.h"

#include <QFile>

// The stock every bench prints on: 50 × 30 mm labels, two across.
namespace benchstock {

inline SizeTemplate twoAcross()
{
    SizeTemplate t;
    t.setValue(SizeTemplate::Id, 1);
    t.setValue(SizeTemplate::Category, 1);
    t.setValue(SizeTemplate::ItemNo, QStringLiteral("BENCH-50x30"));
    t.setValue(SizeTemplate::Description, QStringLiteral("50 x 30 mm, two across"));
    t.setValue(SizeTemplate::LabelWidth, 50.0);
    t.setValue(SizeTemplate::LabelHeight, 30.0);
    t.setValue(SizeTemplate::LinerWidth, 106.0);
    t.setValue(SizeTemplate::MarginLeft, 2.0);
    t.setValue(SizeTemplate::MarginRight, 2.0);
    t.setValue(SizeTemplate::RowSpacing, 3.0);
    t.setValue(SizeTemplate::ColSpacing, 2.0);
    t.setValue(SizeTemplate::Columns, 2);
    return t;
}

// One 100 × 50 mm label across a 104 mm liner, as label printers are fed.
inline SizeTemplate singleWide()
{
    SizeTemplate t = twoAcross();
    t.setValue(SizeTemplate::ItemNo, QStringLiteral("BENCH-100x50"));
    t.setValue(SizeTemplate::Description, QStringLiteral("100 x 50 mm"));
    t.setValue(SizeTemplate::LabelWidth, 100.0);
    t.setValue(SizeTemplate::LabelHeight, 50.0);
    t.setValue(SizeTemplate::LinerWidth, 104.0);
    t.setValue(SizeTemplate::ColSpacing, 0.0);
    t.setValue(SizeTemplate::Columns, 1);
    return t;
}

// Peak resident memory of the process so far, in kB (-1 if unknown).
inline qint64 peakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

} // namespace benchstock
