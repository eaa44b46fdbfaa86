#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

class QStandardItem;

// Serial numbers for an internal data source: the values from one number to
// another by a fixed step, each with optional zero padding, prefix and suffix.
namespace sequence {

struct Spec
{
    qint64 first = 1;
    qint64 last = 100;
    qint64 step = 1;
    int padding = 0;
    QString prefix;
    QString suffix;
};

// More values than this make a table too large to edit or print sensibly.
constexpr qint64 MaxValues = 1000000;

// The number of values from first towards last; 0 when the step is 0 or
// points away from last.
qint64 count(const Spec &s);

// The text of the index-th value (0 is the first).
QString value(const Spec &s, qint64 index);

// Empty when the spec can be used, otherwise a message for the user.
QString check(const Spec &s);

// One item per value, for DataSourceManager::addInternal(); none when check()
// refuses the spec. The caller owns the items.
QList<QStandardItem *> items(const Spec &s);

} // namespace sequence
