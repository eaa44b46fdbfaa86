// Builds the label preview for documents of 1,000 and 10,000 labels and
// paints one screen of thumbnails; prints the times.
//
//   bench_preview [N ...]

#include "benchstock.h"
#include "dialogs/previewwidget.h"
#include "document.h"
#include "labelitems/textitem.h"
#include "sizetemplate.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsView>
#include <QPainter>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<int> counts;
    for (int i = 1; i < argc; ++i)
        counts << QString::fromLocal8Bit(argv[i]).toInt();
    if (counts.isEmpty())
        counts = {1000, 10000};

    const SizeTemplate stock = benchstock::twoAcross();

    for (int n : counts) {
        Document doc;
        doc.setSizeTemplate(stock);
        auto *text = new TextItem(QSizeF(300, 60));
        doc.addItem(text);
        for (int i = 1; i < n; ++i)
            doc.insertLabel();
        for (int i = 0; i < n; ++i) {
            text->setRecordIndex(i);
            text->setPlainText(QStringLiteral("Lot %1").arg(i + 1));
        }
        doc.selectLabel(0);

        PreviewWidget dock;
        dock.resize(300, 700);
        dock.setDocument(&doc);
        QElapsedTimer timer;
        timer.start();
        dock.redrawPreview();
        const double build = timer.nsecsElapsed() / 1e6;

        // One screen of the dock, as the view paints it after a scroll.
        QImage screen(dock.view()->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
        timer.restart();
        {
            QPainter painter(&screen);
            dock.view()->render(&painter);
        }
        const double paint = timer.nsecsElapsed() / 1e6;
        std::printf("%6d labels: preview built in %7.1f ms, one screen painted in %6.1f ms\n", n,
                    build, paint);
        dock.clear();
    }
    return 0;
}
