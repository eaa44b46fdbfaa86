#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QList>
#include <QString>
#include <QStringList>

// Reading printed output back as a scanner would, for the barcode and print
// tests: PDF pages rendered with pdftoppm, symbols read with zbarimg (and by
// hand for the one symbology zbar does not know), and the page graphics the
// Zebra ZPL driver sends unpacked into images.
namespace scancheck {

// Every page of a PDF file as a grey image at `dpi`, in page order. Empty,
// with the reason in *error, when pdftoppm fails or leaves no pages.
QList<QImage> renderPdf(const QString &pdfPath, int dpi, QString *error = nullptr,
                        bool antialias = true);

// The data of every symbol zbarimg finds in the image, one entry a symbol.
// Nothing found is an empty list and no error; *error is set only when
// zbarimg could not run or failed. zbarimg prints one symbol a line, so data
// with line breaks of its own (a QR code, say) comes back split.
QStringList zbarDecode(const QImage &image, QString *error = nullptr);

// As zbarDecode, but each entry names the symbology as zbarimg does:
// "CODE-128:TEXT", "UPC-A:012345678905", "QR-Code:...".
QStringList zbarDecodeTyped(const QImage &image, QString *error = nullptr);

// The digits of a Code 2 of 5 Matrix (zint's "Standard 2 of 5") symbol in the
// image, read along horizontal lines; zbar cannot read this symbology. Empty
// when no line holds a whole symbol.
QString decodeMatrix2of5(const QImage &image);

// What the ZXingReader tool (told the image is pure and of `format`, one of its
// format names) and dmtxread read in the image. GS1 content comes as the bare
// element string: no parentheses around the identifiers, no separators.
QStringList zxingDecode(const QImage &image, const QString &format, QString *error = nullptr);
QStringList dmtxDecode(const QImage &image, QString *error = nullptr);

// Every graphic of a ZPL stream, unpacked: the ^GF fields the program writes
// (ASCII or Z64, whose CRC must match) or, without those, the ~DG downloads of
// the print system's driver. Black where a dot is printed, white elsewhere,
// one image a graphic in stream order; a null image for a damaged one.
QList<QImage> zplGraphics(const QByteArray &zpl);

// The smallest rectangle holding every dark pixel (grey below 128); empty
// when there is none.
QRect inkBox(const QImage &image);

} // namespace scancheck
