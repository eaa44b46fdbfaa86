#pragma once

#include "iserializable.h"

#include <QColor>
#include <QMap>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariant>

class QPainter;
struct zint_symbol;

// Everything needed to draw one barcode symbol. zint encodes the data into
// modules; the drawing is our own, in module units scaled into a target
// rectangle, so the screen, the preview and every printer get the same shapes.
class Barcode : public ISerializable
{
public:
    // The symbology numbers stored in files; zint's own numbers are used only
    // when encoding.
    enum Symbology {
        Codabar = 0,
        Code128 = 1,
        Code2of5 = 2,
        Code39 = 3,
        Ean = 4,
        Itf14 = 5,
        MaxiCode = 6,
        Pdf417 = 7,
        QrCode = 8,
        UpcA = 9,
        Gs1_128 = 10,
        Sscc18 = 11,
        DataMatrix = 12,
        Gs1DataMatrix = 13,
        Gs1QrCode = 14,
        Aztec = 15,
        Gs1DataBarExpanded = 16,
        Code93 = 17,
        UpcE = 18,
    };
    static constexpr int SymbologyCount = 19;
    // zint is handed at most this many characters; `data` keeps them all.
    static constexpr int MaxEncodedChars = 128;

    // How the symbol is scaled into its target.
    enum AspectMode { Stretch = 0, Fit = 1, Fill = 2 };

    Barcode();
    Barcode(const Barcode &other);
    Barcode &operator=(const Barcode &other);
    ~Barcode() override;

    // The names offered to the user, in the table's order.
    static QStringList symbologyNames();
    // 0 for a name the table does not have.
    static int symbologyId(const QString &name);
    // Empty for an id without a name (those come only from stored files).
    static QString symbologyName(int id);
    // Codes whose data is GS1 element strings: application identifiers in
    // parentheses, "(01)09501101530003(17)261231", or in square brackets.
    static bool isGs1(int id);

    void setData(const QString &data);
    QString data() const { return text; }
    void setSymbology(int id);
    int symbology() const { return symbologyId_; }
    void setShowText(bool on);
    bool showText() const { return hrt; }

    int height() const { return moduleHeight; }
    void setHeight(int modules);
    int whitespace() const { return quietZone; }
    void setWhitespace(int modules);
    int borderWidth() const { return border; }
    void setBorderWidth(int modules);
    // 0 none, 1 bind (lines above and below), 2 box.
    int borderType() const { return borderKind; }
    void setBorderType(int type);
    QColor colour() const { return color; }
    void setColour(const QColor &c);
    // Key 0 is zint's option 1, key 1 its option 2; used for PDF417 and QR code.
    QMap<int, QVariant> options() const { return symbolOptions; }
    void setOptions(const QMap<int, QVariant> &options);

    QString errorText() const { return error; }
    int result() const { return lastResult; }
    bool isDirty() const { return dirty; }
    // The human-readable text zint made of the data (EAN/UPC with the check
    // digit); empty before a successful encoding.
    QString caption() const;

    // Encodes the first MaxEncodedChars characters of the data; false (with
    // errorText set) when zint refuses them.
    bool encode();

    // Draws the symbol from the painter's origin, scaled into `target`. With
    // a `snapDpi`, modules are whole dots of a grid of that resolution laid
    // over the device (where the painter's transform is not turned): a
    // printer of that resolution draws narrow bars sharp then, where modules
    // of 2.7 dots would print as 2 or 3 and no longer scan. The symbol then
    // gets smaller, never larger than the target. With `unitsPerMm` as well,
    // the grid is laid in the painter's own units instead (the screen, where
    // the device's pixels are not the printer's dots): the symbol gets the
    // size it prints with, at any zoom.
    void paint(QPainter *painter, QRectF target, int aspectMode, int snapDpi = 0,
               double unitsPerMm = 0);

    // The dots of a `dpi` grid one module gets when the symbol is printed
    // into `targetMm`; 0 when the data cannot be encoded or a module is
    // narrower than a dot.
    int moduleDots(QSizeF targetMm, int aspectMode, int dpi);

    // The symbol's size in modules, as paint() scales it (caption included);
    // empty when the data cannot be encoded.
    QSizeF moduleSize();

    qint32 headerVersion() const override { return 1; }
    QUuid headerUuid() const override { return uuid(); }
    static QUuid uuid();
    void streamRead(QDataStream &in) override;
    void streamWrite(QDataStream &out) override;

private:
    struct Extent
    {
        double symbolWidth = 0;
        double symbolHeight = 0;
        double width = 0;
        double height = 0;
    };
    // Settles the row heights and returns the sizes paint() scales.
    Extent measure();
    // Whole dots per module (nx across, ny down; 0 where a module is below a
    // dot) for scales sx, sy of item units per module and dx, dy dots per
    // item unit.
    static void snapDots(const Extent &e, QSizeF target, int aspectMode, double sx, double sy,
                         double dx, double dy, double *nx, double *ny);
    bool moduleSet(int row, int column) const;
    void paintModules(QPainter *painter, double symbolHeight);
    void paintMaxiCode(QPainter *painter);
    void paintCaption(QPainter *painter, double symbolWidth, double symbolHeight);

    int symbologyId_ = QrCode;
    int moduleHeight = 50;
    int quietZone = 0;
    int border = 1;
    QString text;
    QString error;
    QColor color = Qt::black;
    bool hrt = true;
    int borderKind = 0;
    QMap<int, QVariant> symbolOptions;
    int lastResult = 0;
    bool dirty = true;
    zint_symbol *symbol = nullptr;
};
