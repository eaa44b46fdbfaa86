#pragma once

#include <QByteArray>
#include <QStringList>

class QImage;

// ZPL II, the language of Zebra label printers (and of many that emulate
// them). The program sends each printed label as one graphic it drew itself:
// one ^XA ... ^XZ format holding a ^GF field.
namespace zpl {

enum class Compression {
    // ZPL's own run-length form of the hexadecimal data; plain text.
    Ascii,
    // zlib-compressed, in base64, with a CRC (":Z64:<data>:<crc>").
    Z64,
};

// The ^GFA command of a graphic: black pixels (grey below half) print.
QByteArray graphicField(const QImage &image, Compression compression);

// What precedes the labels of a job: the printer settings the stored driver
// choices name (alternating option names and values, as the Zebra driver
// calls them), each only when it is not the printer's default:
// "Darkness" ~SD, "zePrintRate" ^PR, "zePrintMode" ^MM, "zeMediaTracking" ^MN,
// "MediaType" ^MT, "zeErrorReprint" ^JZ, "zeLabelTop" ^LT, "zeTearOffPosition"
// ~TA; the resolution is the graphic's dots. Empty when there
// is nothing to set.
QByteArray setup(const QStringList &driverChoices);

// One label of the printer: its width and length in dots, the graphic at
// the top left in the smaller of the two compressions, and `copies` of it
// (^PQ: the printer repeats the label, the copies cost no bytes).
QByteArray label(const QImage &image, int copies);

// A label() of one copy, printed `copies` times.
QByteArray repeated(const QByteArray &label, int copies);

} // namespace zpl
