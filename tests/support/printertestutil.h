#pragma once

#include <QDialogButtonBox>
#include <QMap>
#include <QString>
#include <QStringList>

class PrinterSettingsWin;

namespace printertestutil {

// Alternating names and values as keyword -> value.
QMap<QString, QString> choiceMap(const QStringList &alternating);

// What a settings object holds, seen through a fresh live block of its queue.
QMap<QString, QString> storedChoices(const PrinterSettingsWin &settings);

// Answers the driver dialog that the next call opens: sets each option to
// its choice and presses `button`. Problems (no such option or choice) are
// appended to `problems`.
void answerDriverDialog(const QMap<QString, QString> &choose,
                        QDialogButtonBox::StandardButton button, QStringList *problems);

} // namespace printertestutil
