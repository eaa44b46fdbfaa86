#include "textlayout.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QTextDocument>

// The resolution Qt's text layout measures the screen in (exported by Qt GUI).
Q_GUI_EXPORT int qt_defaultDpiY();

QPaintDevice *textlayout::referenceDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        // Qt reports qRound(dots per metre × 0.0254) as the resolution.
        const int dotsPerMetre = qRound(ReferenceDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return &device;
}

void textlayout::useReference(QTextDocument *document)
{
    constexpr double Margin = 4;
    document->documentLayout()->setPaintDevice(referenceDevice());
    document->setDocumentMargin(Margin * qt_defaultDpiY() / ReferenceDpi);
}
