// A run of labels from a table: a 10,000-row CSV bound to a data item, plus
// two static text items, printed through the print path into a PDF; then the
// time to open a document bound to a 100,000-row CSV. Prints labels per
// second, peak memory and the opening time.
//
//   bench_data [ROWS_PRINTED] [ROWS_OPENED]

#include "datasource.h"
#include "datasourcemanager.h"
#include "benchstock.h"
#include "document.h"
#include "labelitems/dataitem.h"
#include "labelitems/textitem.h"
#include "printhandler.h"
#include "sizetemplate.h"
#include "txapp.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QString writeCsv(const QTemporaryDir &dir, int rows)
{
    const QString path = dir.filePath(QStringLiteral("rows-%1.csv").arg(rows));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("article,lot,weight\n");
    for (int i = 0; i < rows; ++i)
        f.write(QStringLiteral("A-%1,Lot %2,%3 kg\n").arg(100000 + i).arg(i % 977).arg(i % 50).toUtf8());
    return path;
}

// A design of two static texts and one data item over the table's first column.
void design(Document &doc, DataSource *source)
{
    doc.setSizeTemplate(benchstock::twoAcross());
    const QSizeF label = doc.sceneRect().size();
    for (int i = 0; i < 2; ++i) {
        auto *text = new TextItem(QSizeF(label.width(), label.height() * 0.3));
        text->setPos(0, label.height() * (i ? 0.7 : 0.05));
        text->setPlainText(i ? QStringLiteral("Best before 2027") : QStringLiteral("Norvane Foods"));
        doc.addItem(text);
    }
    auto *data = new DataItem(QSizeF(label.width(), label.height() * 0.3));
    data->setPos(0, label.height() * 0.4);
    doc.addItem(data);
    const QAbstractItemModel *m = source->model();
    data->setData(source, QItemSelection(m->index(0, 0), m->index(m->rowCount() - 1, 0)));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    TxApp app(argc, argv);
    app.initialize();
    const int printed = argc > 1 ? atoi(argv[1]) : 10000;
    const int opened = argc > 2 ? atoi(argv[2]) : 100000;
    QTemporaryDir dir;
    DataSourceManager *manager = TxApp::dataSourceManager();

    {
        const QString csv = writeCsv(dir, printed);
        manager->addCsvFile(csv);
        Document doc;
        design(doc, manager->findByName(csv));
        PrintHandler handler;
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("run.pdf")));
        handler.setupPrinter(&printer, &doc);
        QElapsedTimer clock;
        clock.start();
        const bool ok = handler.printDocument(&printer, &doc);
        const double seconds = clock.nsecsElapsed() / 1e9;
        std::printf("%d rows printed: %s in %.2f s = %.0f labels/s, peak memory %lld kB\n",
                    doc.labelCount(), ok ? "ok" : "FAILED", seconds, doc.labelCount() / seconds,
                    static_cast<long long>(benchstock::peakKb()));
    }

    {
        const QString csv = writeCsv(dir, opened);
        manager->addCsvFile(csv);
        const QString path = dir.filePath(QStringLiteral("bound.tx4l"));
        {
            Document doc;
            design(doc, manager->findByName(csv));
            QSaveFile file(path);
            writeDocumentFile(&file, &doc);
        }
        // Opening reads the table anew, as in a fresh program.
        manager->removeSource(manager->idOf(manager->findByName(csv)));
        QElapsedTimer clock;
        clock.start();
        Document doc;
        QFile file(path);
        const bool ok = readDocumentFile(&file, &doc);
        std::printf("document bound to %d rows opened: %s in %lld ms (%d labels), peak memory %lld kB\n",
                    opened, ok ? "ok" : "FAILED", static_cast<long long>(clock.elapsed()),
                    doc.labelCount(), static_cast<long long>(benchstock::peakKb()));
    }
    return 0;
}
