// The job people wait for, timed as they see it: one data text (20 pt) and
// one Code 128, both from a CSV of N rows, on a 100 × 50 mm roll, exported
// with `tagorix --export-pdf` as a process of its own. Prints the wall time
// and peak memory of the whole process (median of the runs), and the same
// for `--version` and for a one-label job, which are start-up alone; and for
// each run, when the program said its first label was drawn (start-up as a
// batch job sees it).
//
//   bench_realjob [N ...] [--runs K] [--keep DIR]
//
// With --keep the designs, tables and PDF files are written to DIR and stay
// there, to profile or compare a run.

#include "barcode.h"
#include "benchstock.h"
#include "datasource.h"
#include "datasourcemanager.h"
#include "document.h"
#include "labelitems/barcodeitem.h"
#include "labelitems/dataitem.h"
#include "txapp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

struct Run
{
    double seconds = 0;
    // Until the program said its first label was drawn; -1 when it did not.
    double firstLabel = -1;
    long peakKb = 0;
    int status = -1;
};

double since(const timespec &start)
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec - start.tv_sec) + (now.tv_nsec - start.tv_nsec) / 1e9;
}

// Runs the program with `args` and waits for it; its own peak memory comes
// from the kernel's accounting of the child. Its standard error is read as it
// comes, for the moment the first label is drawn.
Run runProgram(const QString &program, const QStringList &args)
{
    QList<QByteArray> bytes{program.toLocal8Bit()};
    for (const QString &a : args)
        bytes << a.toLocal8Bit();
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    Run run;
    int err[2];
    if (pipe(err) != 0)
        return run;
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(err[1], STDERR_FILENO);
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0)
            dup2(quiet, STDOUT_FILENO);
        close(err[0]);
        close(err[1]);
        setenv("TAGORIX_STARTUP_TRACE", "1", 1);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(err[1]);
    QByteArray said;
    char buffer[4096];
    for (ssize_t n; (n = read(err[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        said.append(buffer, int(n));
        if (run.firstLabel < 0 && said.contains("first label drawn"))
            run.firstLabel = since(start);
    }
    close(err[0]);
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) < 0)
        return run;
    run.seconds = since(start);
    run.peakKb = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// The median run by wall time, with the median time to the first label.
Run median(const QString &program, const QStringList &args, int runs)
{
    QVector<Run> all;
    for (int i = 0; i < runs; ++i)
        all << runProgram(program, args);
    std::vector<double> first;
    for (const Run &r : qAsConst(all))
        first.push_back(r.firstLabel);
    std::sort(first.begin(), first.end());
    std::sort(all.begin(), all.end(), [](const Run &a, const Run &b) { return a.seconds < b.seconds; });
    Run m = all.at(all.size() / 2);
    m.firstLabel = first.at(first.size() / 2);
    return m;
}

QString writeCsv(const QDir &dir, int rows)
{
    const QString path = dir.filePath(QStringLiteral("rows-%1.csv").arg(rows));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("name,code\n");
    for (int i = 0; i < rows; ++i)
        f.write(QStringLiteral("Fresh apples %1,TX%2\n").arg(i + 1).arg(100000 + i).toUtf8());
    return path;
}

// The design: the first column as a 20 pt text, the second as a Code 128.
QString writeDesign(const QDir &dir, DataSourceManager *manager, int rows)
{
    const QString csv = writeCsv(dir, rows);
    manager->addCsvFile(csv);
    DataSource *source = manager->findByName(csv);
    if (!source)
        return QString();
    Document doc;
    doc.setSizeTemplate(benchstock::singleWide());
    const QSizeF label = doc.sceneRect().size();
    const QAbstractItemModel *m = source->model();
    auto *text = new DataItem(QSizeF(label.width() * 0.9, label.height() * 0.3));
    text->setPos(label.width() * 0.05, label.height() * 0.05);
    text->setFont(QFont(QStringLiteral("Liberation Sans"), 20));
    doc.addItem(text);
    text->setData(source, QItemSelection(m->index(0, 0), m->index(m->rowCount() - 1, 0)));
    auto *code = new BarcodeItem(QSizeF(label.width() * 0.9, label.height() * 0.5));
    code->setPos(label.width() * 0.05, label.height() * 0.42);
    Barcode symbol = code->barcode();
    symbol.setSymbology(Barcode::Code128);
    code->setBarcode(symbol);
    doc.addItem(code);
    code->setVariableData(source, QItemSelection(m->index(0, 1), m->index(m->rowCount() - 1, 1)));
    const QString path = dir.filePath(QStringLiteral("job-%1.tx4l").arg(rows));
    QSaveFile file(path);
    return writeDocumentFile(&file, &doc) ? path : QString();
}

void report(const char *what, const Run &r)
{
    std::printf("%-28s %s %7.3f s   peak %6.1f MB", what, r.status == 0 ? "ok    " : "FAILED",
                r.seconds, r.peakKb / 1024.0);
    if (r.firstLabel >= 0)
        std::printf("   first label drawn after %5.1f ms", r.firstLabel * 1000);
    std::printf("\n");
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    TxApp app(argc, argv);
    app.initialize();
    QVector<int> sizes;
    int runs = 5;
    QString keep;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = qMax(1, atoi(argv[++i]));
        else if (qstrcmp(argv[i], "--keep") == 0 && i + 1 < argc)
            keep = QString::fromLocal8Bit(argv[++i]);
        else
            sizes << atoi(argv[i]);
    }
    if (sizes.isEmpty())
        sizes = {1000, 10000};
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tagorix"));
    QTemporaryDir temporary;
    const QDir dir(keep.isEmpty() ? temporary.path() : keep);
    if (!keep.isEmpty())
        QDir().mkpath(keep);
    DataSourceManager *manager = TxApp::dataSourceManager();

    std::printf("whole process, median of %d runs\n", runs);
    report("--version", median(program, {QStringLiteral("--version")}, runs));
    sizes.prepend(1);
    for (int rows : qAsConst(sizes)) {
        const QString design = writeDesign(dir, manager, rows);
        const QString pdf = dir.filePath(QStringLiteral("job-%1.pdf").arg(rows));
        const Run r = median(program, {QStringLiteral("--export-pdf"), pdf, design}, runs);
        const QByteArray what = QStringLiteral("--export-pdf, %1 labels").arg(rows).toUtf8();
        report(what.constData(), r);
    }
    return 0;
}
