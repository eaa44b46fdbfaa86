#pragma once

#include <QString>

// How the program speaks to a print queue, per queue in the user's settings
// (as the calibration is): through the print system's driver, or in the
// printer's own language with labels the program draws itself.
namespace printlanguage {

enum Language {
    // ZPL II when the queue's driver is a ZPL driver, the driver otherwise.
    Automatic = 0,
    Zpl = 1,
    Driver = 2,
};

Language stored(const QString &queue);
// Automatic removes the entry.
void store(const QString &queue, Language language);

// Whether the queue's printer model, as the print system names it, is a ZPL
// one ("Zebra ZPL Label Printer").
bool driverSpeaksZpl(const QString &queue);

// Whether jobs for the queue go out as ZPL II.
bool usesZpl(const QString &queue);

} // namespace printlanguage
