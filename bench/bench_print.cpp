// Builds documents of 1,000 and 10,000 labels (three text items with a text
// of their own on every label) and prints each through the print path into
// a PDF file; prints labels per second and the memory the print takes.
//
//   bench_print [N ...] [--keep FILE.pdf]

#include "benchstock.h"
#include "document.h"
#include "labelitems/textitem.h"
#include "printhandler.h"
#include "sizetemplate.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

// Resident set size and its peak, in kB, from the kernel's view of us.
qint64 statusValue(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Starts the peak over from the current size, so each print gets its own.
void resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

std::unique_ptr<Document> build(int labels)
{
    auto doc = std::make_unique<Document>();
    doc->setSizeTemplate(benchstock::twoAcross());
    const QSizeF label = doc->sceneRect().size();
    const struct
    {
        double top;
        int points;
        QString pattern;
    } lines[] = {{0.05, 30, QStringLiteral("Article %1")},
                 {0.40, 22, QStringLiteral("Lot %1-B")},
                 {0.70, 18, QStringLiteral("S/N %1")}};
    for (const auto &line : lines) {
        auto *text = new TextItem(QSizeF(label.width(), label.height() * 0.3));
        text->setPos(0, label.height() * line.top);
        text->setFont(QFont(QStringLiteral("Liberation Sans"), line.points));
        doc->addItem(text);
        doc->connectItem(text);
        if (labels > 1)
            text->insertRecord(labels - 1);
        for (int i = 0; i < labels; ++i) {
            text->setRecordIndex(i);
            text->setPlainText(line.pattern.arg(100000 + i));
        }
    }
    doc->selectLabel(0);
    return doc;
}

void run(int labels, const QString &output)
{
    QElapsedTimer clock;
    clock.start();
    auto doc = build(labels);
    const qint64 buildMs = clock.elapsed();

    PrintHandler handler;
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(output);
    handler.setupPrinter(&printer, doc.get());

    const qint64 before = statusValue("VmRSS:");
    resetPeak();
    clock.restart();
    const bool ok = handler.printDocument(&printer, doc.get());
    const double seconds = clock.nsecsElapsed() / 1e9;
    const qint64 peak = statusValue("VmHWM:");
    const qint64 pdfKb = QFileInfo(output).size() / 1024;

    std::printf("labels %6d: %s, built in %lld ms, printed in %.2f s = %.0f labels/s; "
                "RSS before print %lld kB, peak during print %lld kB (+%lld kB), PDF %lld kB\n",
                labels, ok ? "ok" : "FAILED", static_cast<long long>(buildMs), seconds,
                labels / seconds, static_cast<long long>(before), static_cast<long long>(peak),
                static_cast<long long>(peak - before), static_cast<long long>(pdfKb));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<int> sizes;
    QString keep;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--keep") && i + 1 < args.size())
            keep = args.at(++i);
        else if (args.at(i).toInt() > 0)
            sizes << args.at(i).toInt();
    }
    if (sizes.isEmpty())
        sizes = {1000, 10000};
    QTemporaryDir dir;
    for (int n : sizes)
        run(n, keep.isEmpty() ? dir.filePath(QStringLiteral("bench.pdf")) : keep);
    return 0;
}
