#include "cupstestserver.h"
#include "dialogs/docpropertiesdialog.h"
#include "dialogs/newdocumentdialog.h"
#include "dialogs/sizetemplatelistitem.h"
#include "docbuilder.h"
#include "printcheck.h"
#include "document.h"
#include "documentview.h"
#include "labelitems/textitem.h"
#include "mainwindow.h"
#include "mousedrive.h"
#include "printersettings_win.h"
#include "sizetemplatemanager.h"
#include "testutil.h"
#include "startup.h"
#include "txapp.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QSaveFile>
#include <QTabBar>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString Zebra = QStringLiteral("Zebra_ZPL");
const QString Pdf = QStringLiteral("PDF");

void trigger(MainWindow &w, const char *name)
{
    w.findChild<QAction *>(QStringLiteral("action/") + QLatin1String(name))->trigger();
}

QMdiArea *area(MainWindow &w)
{
    return w.findChild<QMdiArea *>();
}

// Answers the next file dialog with `path`; `then` runs before it is
// accepted, to set up the answer to whatever the command shows next.
void answerFileDialog(const QString &path, std::function<void()> then = {})
{
    testutil::answerNextModal([path, then](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        if (!dialog) {
            w->close();
            return;
        }
        if (then)
            then();
        dialog->selectFile(path);
        // accept() is protected in QFileDialog; through the base it is the same call.
        static_cast<QDialog *>(dialog)->accept();
    });
}

struct Choice
{
    int category = -1;  // category number; -1 keeps the custom category
    int row = 0;        // template row within the category
    double width = -1;  // a label width typed in; -1 types nothing
    QString printer;    // empty keeps the printer shown
    bool accept = true; // OK, or Cancel
};

// Answers the next new-label or properties dialog with the choice.
void answerStockDialog(const Choice &c)
{
    testutil::answerNextModal([c](QWidget *w) {
        auto *dialog = qobject_cast<QDialog *>(w);
        if (!dialog) {
            w->close();
            return;
        }
        if (c.category >= 0) {
            auto *box = dialog->findChild<QComboBox *>(QStringLiteral("category"));
            box->setCurrentIndex(box->findData(c.category));
            dialog->findChild<QListWidget *>(QStringLiteral("templates"))->setCurrentRow(c.row);
        }
        if (c.width >= 0)
            dialog->findChild<QDoubleSpinBox *>(QStringLiteral("labelwidth"))->setValue(c.width);
        if (!c.printer.isEmpty()) {
            auto *box = dialog->findChild<QComboBox *>(QStringLiteral("printer"));
            box->setCurrentIndex(box->findText(c.printer));
        }
        if (c.accept)
            dialog->accept();
        else
            dialog->reject();
    });
}

// The template a choice of category and row stands for.
SizeTemplate catalogueEntry(int category, int row)
{
    QList<SizeTemplate> in;
    for (const SizeTemplate *t : TxApp::sizeTemplateManager()->templates()) {
        if (t->category() == category)
            in << *t;
    }
    return in.value(row);
}

TextItem *addText(Document *doc, const QString &s, QPointF pos = QPointF(40, 40))
{
    TextItem *t = docbuilder::addText(*doc, pos, QSizeF(500, 180), s);
    t->setFont(QFont(QStringLiteral("Liberation Sans"), 60, QFont::Bold));
    return t;
}

// A new label as the new-label dialog first shows it, with a modified
// text on it when `text` is given.
Document *newLabel(MainWindow &w, const QString &text = QString())
{
    answerStockDialog(Choice());
    w.newDocument();
    Document *doc = w.currentDocument();
    if (doc && !text.isEmpty()) {
        addText(doc, text);
        doc->setModified(true);
    }
    return doc;
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs a tool; true when it exits with 0. `out` receives its standard output.
bool run(const QString &tool, const QStringList &args, QString *out = nullptr)
{
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return false;
    if (out)
        *out = QString::fromLocal8Bit(p.readAllStandardOutput());
    return true;
}

// Makes every write beyond `bytes` fail, for whoever runs the test (root
// included); undone on destruction.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old);
        previous = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = old;
        limit.rlim_cur = rlim_t(bytes);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
    }

private:
    struct rlimit old;
    void (*previous)(int);
};

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void exportsTheWholeRun();

    void newDocumentFollowsTheDialog_data();
    void newDocumentFollowsTheDialog();
    void openTwiceActivatesTheExistingTab();
    void openRefusesOtherFiles();
    void saveAsAppendsTheExtension_data();
    void saveAsAppendsTheExtension();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void cancelOnQuitKeepsEverythingOpen();
    void savingFromThePrompt();
    void typedTextIsAnUnsavedChange();
    void exportsTheLabelAtItsTrueSize_data();
    void exportsTheLabelAtItsTrueSize();
    void fromTheCatalogueToPdf();
    void recentFilesAndTheLastFolder();

private:
    CupsTestServer server;
};

void TestFileCommands::initTestCase()
{
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QVERIFY2(server.addZebraQueue(Zebra), qPrintable(server.errorString()));
    QVERIFY2(server.addPdfQueue(Pdf), qPrintable(server.errorString()));
    QVERIFY(TxApp::sizeTemplateManager()->templates().size() > 10);
}

void TestFileCommands::init()
{
    QSettings().clear();
}

void TestFileCommands::newDocumentFollowsTheDialog_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<double>("width");
    QTest::addColumn<QString>("printer");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<bool>("opens");

    QTest::newRow("accepted as shown") << -1 << -1.0 << QString() << true << true;
    QTest::newRow("stock and printer chosen") << 2 << -1.0 << Zebra << true << true;
    QTest::newRow("custom width") << -1 << 62.5 << Zebra << true << true;
    QTest::newRow("cancelled") << 2 << -1.0 << Zebra << false << false;
    QTest::newRow("width 0") << -1 << 0.0 << Zebra << true << false;
}

void TestFileCommands::newDocumentFollowsTheDialog()
{
    QFETCH(int, category);
    QFETCH(double, width);
    QFETCH(QString, printer);
    QFETCH(bool, accept);
    QFETCH(bool, opens);

    MainWindow w;
    Choice c;
    c.category = category;
    c.width = width;
    c.printer = printer;
    c.accept = accept;
    answerStockDialog(c);
    w.newDocument();
    QCOMPARE(w.documents().size(), opens ? 1 : 0);
    // A discarded document leaves nothing behind (the sanitizer build checks
    // that its printer settings went with it).
    QCOMPARE(w.findChildren<Document *>().size(), opens ? 1 : 0);
    if (!opens)
        return;
    Document *doc = w.currentDocument();
    QVERIFY(!doc->isModified());
    QCOMPARE(area(w)->currentSubWindow()->windowTitle(), QStringLiteral("(Untitled)[*]"));
    const SizeTemplate st = doc->sizeTemplate();
    if (category >= 0) {
        QCOMPARE(st, catalogueEntry(category, 0));
    } else {
        QCOMPARE(st.description(), QStringLiteral("Custom"));
        QCOMPARE(st.labelWidth(), width >= 0 ? width : 100.0);
    }
    QVERIFY(doc->printerSettings());
    QCOMPARE(doc->printerSettings()->printerName(), printer.isEmpty() ? Pdf : printer);
    QCOMPARE(doc->printerSettings()->mode(), int(PrinterSettingsWin::SYSTEM_DEFAULT));
}

void TestFileCommands::openTwiceActivatesTheExistingTab()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("label.tx4l"));
    {
        Document doc;
        doc.setSizeTemplate(docbuilder::makeTemplate(60, 40));
        QSaveFile f(path);
        QVERIFY(writeDocumentFile(&f, &doc));
    }
    MainWindow w;
    answerFileDialog(path);
    trigger(w, "open");
    QCOMPARE(w.documents().size(), 1);
    QMdiSubWindow *first = area(w)->currentSubWindow();
    Document *opened = w.currentDocument();
    QCOMPARE(first->windowTitle(), QStringLiteral("label.tx4l[*]"));
    QCOMPARE(opened->sizeTemplate(), docbuilder::makeTemplate(60, 40));
    addText(opened, QStringLiteral("kept"));

    newLabel(w);
    QVERIFY(area(w)->currentSubWindow() != first);

    // By another spelling of the same path, too.
    answerFileDialog(dir.path() + QStringLiteral("/./label.tx4l"));
    trigger(w, "open");
    QCOMPARE(w.documents().size(), 2);
    QCOMPARE(area(w)->currentSubWindow(), first);
    QCOMPARE(w.currentDocument(), opened);
    QCOMPARE(opened->labelItems().size(), 1);
    QCOMPARE(w.findChildren<Document *>().size(), 2);
}

void TestFileCommands::openRefusesOtherFiles()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notes.tx4l"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a label\n");
    f.close();
    MainWindow w;
    QString title, text;
    answerFileDialog(path, [&] { testutil::answerNextMessageBox(QMessageBox::Ok, &title, &text); });
    trigger(w, "open");
    QCOMPARE(title, QStringLiteral("Bad file type"));
    QCOMPARE(text, QStringLiteral("Unable to open the selected file."));
    QVERIFY(w.documents().isEmpty());
    QVERIFY(w.findChildren<Document *>().isEmpty());
}

void TestFileCommands::saveAsAppendsTheExtension_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << "label"
                                  << "label.tx4l";
    QTest::newRow("upper case") << "X.TX4L"
                                << "X.TX4L";
    QTest::newRow("mixed case") << "Stock.Tx4L"
                                << "Stock.Tx4L";
    QTest::newRow("other extension") << "notes.txt"
                                     << "notes.txt.tx4l";
}

void TestFileCommands::saveAsAppendsTheExtension()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QTemporaryDir dir;
    MainWindow w;
    Document *doc = newLabel(w, QStringLiteral("saved"));

    // A document never saved asks for a name first.
    answerFileDialog(dir.filePath(typed));
    trigger(w, "save");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList(written));
    QCOMPARE(area(w)->currentSubWindow()->windowTitle(), written + QStringLiteral("[*]"));
    QCOMPARE(doc->fileInfo().fileName(), written);
    QVERIFY(!doc->isModified());
    Document back;
    QFile file(dir.filePath(written));
    QVERIFY(readDocumentFile(&file, &back));
    QCOMPARE(back.labelItems().size(), 1);
    QCOMPARE(back.sizeTemplate(), doc->sizeTemplate());

    // Saved once, Save writes again without asking.
    addText(doc, QStringLiteral("more"), QPointF(10, 200));
    doc->setModified(true);
    trigger(w, "save");
    QVERIFY(!doc->isModified());
    Document again;
    QVERIFY(readDocumentFile(&file, &again));
    QCOMPARE(again.labelItems().size(), 2);
}

void TestFileCommands::failedSaveKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("disk full") << "limit";
    QTest::newRow("read-only folder") << "readonly";
    QTest::newRow("folder missing") << "missing";
}

void TestFileCommands::failedSaveKeepsTheOldFile()
{
    QFETCH(QString, how);
    if (how == QLatin1String("readonly") && ::geteuid() == 0)
        QSKIP("permissions do not stop root from writing");

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("label.tx4l"));
    MainWindow w;
    Document *doc = newLabel(w);
    answerFileDialog(path);
    trigger(w, "saveas");
    const QByteArray before = contents(path);
    QVERIFY(!before.isEmpty());

    for (int i = 0; i < 40; ++i)
        addText(doc, QString(200, QLatin1Char('x')), QPointF(i, i));
    doc->setModified(true);

    QString title, text;
    if (how == QLatin1String("missing")) {
        // Save As into a folder that does not exist: the whole path is named.
        const QString target = dir.filePath(QStringLiteral("gone/label"));
        answerFileDialog(target,
                         [&] { testutil::answerNextMessageBox(QMessageBox::Ok, &title, &text); });
        trigger(w, "saveas");
        // The message names the failed path in full; the document keeps its
        // old name, so the next Save does not aim at the folder that is gone.
        QVERIFY2(text.startsWith(QStringLiteral("Unable open '/")) &&
                     text.endsWith(QStringLiteral("/gone/label.tx4l' for writing")),
                 qPrintable(text));
        QCOMPARE(doc->fileInfo().absoluteFilePath(), QFileInfo(path).absoluteFilePath());
        QCOMPARE(area(w)->currentSubWindow()->windowTitle(), QStringLiteral("label.tx4l[*]"));
    } else {
        testutil::answerNextMessageBox(QMessageBox::Ok, &title, &text);
        if (how == QLatin1String("limit")) {
            FileSizeLimit limit(before.size() + 64);
            trigger(w, "save");
        } else {
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
            trigger(w, "save");
            QFile::setPermissions(dir.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QCOMPARE(text, QStringLiteral("Unable open 'label.tx4l' for writing"));
    }
    QCOMPARE(title, QStringLiteral("Write error"));
    QVERIFY(doc->isModified());
    QCOMPARE(contents(path), before);
    // No half-written file is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList(QStringLiteral("label.tx4l")));
    if (how == QLatin1String("missing")) {
        trigger(w, "save");
        QVERIFY(!doc->isModified());
        QVERIFY(contents(path) != before);
    }
}

void TestFileCommands::cancelOnQuitKeepsEverythingOpen()
{
    MainWindow w;
    w.show();
    for (int i = 0; i < 3; ++i)
        newLabel(w);
    QList<Document *> docs = w.documents();
    docs.at(1)->setModified(true);
    docs.at(2)->setModified(true);

    // Discard for the first modified label, Cancel for the second: nothing closes.
    QStringList titles, texts;
    testutil::answerNextModal([&](QWidget *first) {
        auto *box = static_cast<QMessageBox *>(first);
        titles << box->windowTitle();
        texts << box->text();
        testutil::answerNextMessageBox(QMessageBox::Cancel);
        box->button(QMessageBox::Discard)->click();
    });
    QCloseEvent quit;
    QApplication::sendEvent(&w, &quit);
    QVERIFY(!quit.isAccepted());
    QCOMPARE(titles, QStringList(QStringLiteral("Label modified")));
    QCOMPARE(texts, QStringList(QStringLiteral(
                        "The label '' has been modified.\nDo you want to save your changes?")));
    QCOMPARE(w.documents().size(), 3);
    QVERIFY(docs.at(1)->isModified() && docs.at(2)->isModified());
    QVERIFY(!QSettings().contains(QStringLiteral("mainwindow/geometry")));

    // Discarding both closes everything, without asking a second time.
    int asked = 0;
    testutil::answerNextModal([&](QWidget *first) {
        ++asked;
        testutil::answerNextModal(
            [&](QWidget *second) {
                ++asked;
                static_cast<QMessageBox *>(second)->button(QMessageBox::Discard)->click();
            },
            2000);
        static_cast<QMessageBox *>(first)->button(QMessageBox::Discard)->click();
    });
    QCloseEvent again;
    QApplication::sendEvent(&w, &again);
    QVERIFY(again.isAccepted());
    QCOMPARE(asked, 2);
    QVERIFY(w.documents().isEmpty());
    QTRY_VERIFY(area(w)->subWindowList().isEmpty());
    QVERIFY(QSettings().contains(QStringLiteral("mainwindow/geometry")));
}

void TestFileCommands::savingFromThePrompt()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.tx4l"));
    MainWindow w;
    newLabel(w, QStringLiteral("first"));

    // Save in the prompt of a never-saved label asks for a name; cancelling
    // that keeps the label open.
    testutil::answerNextModal([](QWidget *box) {
        testutil::answerNextModal([](QWidget *files) { static_cast<QDialog *>(files)->reject(); });
        static_cast<QMessageBox *>(box)->button(QMessageBox::Save)->click();
    });
    trigger(w, "close");
    QCOMPARE(w.documents().size(), 1);

    testutil::answerNextModal([path](QWidget *box) {
        answerFileDialog(path);
        static_cast<QMessageBox *>(box)->button(QMessageBox::Save)->click();
    });
    trigger(w, "close");
    QVERIFY(w.documents().isEmpty());
    Document back;
    QFile file(path);
    QVERIFY(readDocumentFile(&file, &back));
    QCOMPARE(back.labelItems().size(), 1);
}

void TestFileCommands::typedTextIsAnUnsavedChange()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("typed.tx4l"));
    {
        Document doc;
        doc.setSizeTemplate(docbuilder::makeTemplate(100, 50));
        docbuilder::addText(doc, QPointF(40, 40), QSizeF(300, 100), QStringLiteral("Lot"));
        doc.insertLabel();
        QSaveFile f(path);
        QVERIFY(writeDocumentFile(&f, &doc));
    }
    MainWindow w;
    w.show();
    w.loadFiles({path});
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.currentView()->setFocus();
    Document *doc = w.currentDocument();
    auto *tabs = area(w)->findChild<QTabBar *>();
    QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("typed.tx4l"));
    // Showing another label changes the editor's text, but nothing the user made.
    doc->selectLabel(1);
    doc->selectLabel(0);
    QVERIFY(!doc->isModified());

    auto *item = static_cast<TextItem *>(doc->labelItems().first());
    mousedrive::click(w.currentView(), item->mapToScene(QPointF(150, 50)));
    QTest::keyClick(w.currentView()->viewport(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(w.currentView()->viewport(), QStringLiteral(" 42"));
    QCOMPARE(item->plainText(), QStringLiteral("Lot 42"));
    QVERIFY(doc->isModified());
    QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("typed.tx4l*"));

    // Closing asks; saving from the question keeps what was typed.
    QString title;
    testutil::answerNextMessageBox(QMessageBox::Save, &title);
    trigger(w, "close");
    QCOMPARE(title, QStringLiteral("Label modified"));
    QTRY_VERIFY(w.documents().isEmpty());
    Document back;
    QFile file(path);
    QVERIFY(readDocumentFile(&file, &back));
    QCOMPARE(static_cast<TextItem *>(back.labelItems().first())->texts().first(),
             QStringLiteral("Lot 42"));
}

void TestFileCommands::exportsTheLabelAtItsTrueSize_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::newRow("100 x 50 mm, no extension") << "label"
                                               << "label.pdf" << 100.0 << 50.0;
    QTest::newRow("upper case extension") << "LABEL.PDF"
                                          << "LABEL.PDF" << 100.0 << 50.0;
    QTest::newRow("taller than wide") << "tall.pdf"
                                      << "tall.pdf" << 40.0 << 90.0;
}

void TestFileCommands::exportsTheLabelAtItsTrueSize()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(double, width);
    QFETCH(double, height);
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    QVERIFY2(!pdfinfo.isEmpty() && !pdftoppm.isEmpty(), "poppler-utils are needed");

    QTemporaryDir dir;
    MainWindow w;
    Document *doc = newLabel(w);
    doc->setSizeTemplate(docbuilder::makeTemplate(width, height));
    TextItem *text = addText(doc, QStringLiteral("TX"), QPointF(20, 20));
    text->setSelected(true);
    // Near the far corner: the page shows the whole label, not a part of it.
    const QRectF scene = doc->sceneRect();
    addText(doc, QStringLiteral("X"), QPointF(scene.width() - 160, scene.height() - 140));
    QVERIFY(doc->isGridVisible());

    answerFileDialog(dir.filePath(typed));
    trigger(w, "exportpdf");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList(written));
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Label exported to file"));
    const QString pdf = dir.filePath(written);

    QString info;
    QVERIFY(run(pdfinfo, {pdf}, &info));
    QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(info);
    QVERIFY2(size.hasMatch(), qPrintable(info));
    QVERIFY(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    const double pt = 72 / 25.4;
    QVERIFY2(qAbs(size.captured(1).toDouble() - width * pt) < 0.01, qPrintable(info));
    QVERIFY2(qAbs(size.captured(2).toDouble() - height * pt) < 0.01, qPrintable(info));

    // Rendered at 4 pixels per millimetre.
    const QString png = dir.filePath(QStringLiteral("render"));
    QVERIFY(run(pdftoppm, {"-r", "101.6", "-png", "-singlefile", pdf, png}));
    const QImage page(png + QStringLiteral(".png"));
    QVERIFY(!page.isNull());
    QVERIFY(qAbs(page.width() - 4 * width) <= 1 && qAbs(page.height() - 4 * height) <= 1);
    int dark = 0, farCorner = 0, bluish = 0, edge = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.lightness() < 80) {
                ++dark;
                if (x > page.width() * 0.6 && y > page.height() * 0.6)
                    ++farCorner;
            }
            if (c.blue() - c.red() > 8)
                ++bluish;
            const bool border = x < 2 || y < 2 || x >= page.width() - 2 || y >= page.height() - 2;
            if (border && c != Qt::white)
                ++edge;
        }
    }
    QVERIFY2(dark > 40, "the text is on the page");
    QVERIFY2(farCorner > 10, "the label fills the page");
    QCOMPARE(bluish, 0); // no grid line
    QCOMPARE(edge, 0);   // no outline, no selection frame at the edge

    // The editor shows its grid again afterwards.
    QImage screen(int(doc->sceneRect().width()), int(doc->sceneRect().height()),
                  QImage::Format_RGB32);
    screen.fill(Qt::white);
    QPainter p(&screen);
    doc->render(&p);
    p.end();
    QVERIFY(screen.pixelColor(int(doc->gridSize() * 3), 1).blue() >
            screen.pixelColor(int(doc->gridSize() * 3), 1).red());
}

void TestFileCommands::fromTheCatalogueToPdf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shelf.tx4l"));
    MainWindow w;

    Choice product;
    product.category = 2;
    product.row = 1;
    product.printer = Zebra;
    answerStockDialog(product);
    trigger(w, "new");
    QCOMPARE(w.documents().size(), 1);
    const SizeTemplate chosen = catalogueEntry(2, 1);
    QCOMPARE(w.currentDocument()->sizeTemplate(), chosen);
    addText(w.currentDocument(), QStringLiteral("Shelf"));
    w.currentDocument()->setModified(true);

    answerFileDialog(path);
    trigger(w, "saveas");
    trigger(w, "close");
    QVERIFY(w.documents().isEmpty());

    answerFileDialog(path);
    trigger(w, "open");
    Document *doc = w.currentDocument();
    QVERIFY(doc);
    QCOMPARE(doc->sizeTemplate(), chosen);
    QCOMPARE(doc->labelItems().size(), 1);
    QCOMPARE(doc->printerSettings()->printerName(), Zebra);
    QVERIFY(!doc->isModified());

    // Other stock and printer through the properties dialog; it opens on
    // the document's own choice.
    QString shownStock, shownPrinter;
    const SizeTemplate other = catalogueEntry(5, 2);
    testutil::answerNextModal([&](QWidget *w) {
        auto *dialog = static_cast<QDialog *>(w);
        shownStock =
            dialog->findChild<QListWidget *>(QStringLiteral("templates"))->currentItem()->text();
        shownPrinter = dialog->findChild<QComboBox *>(QStringLiteral("printer"))->currentText();
        Choice c;
        c.category = 5;
        c.row = 2;
        c.printer = Pdf;
        answerStockDialog(c);
    });
    trigger(w, "properties");
    QCOMPARE(shownStock, SizeTemplateListItem::textFor(chosen));
    QCOMPARE(shownPrinter, Zebra);
    QCOMPARE(doc->sizeTemplate(), other);
    QCOMPARE(doc->printerSettings()->printerName(), Pdf);
    QVERIFY(doc->isModified());

    // A cancelled properties dialog changes nothing.
    PrinterSettingsWin *settings = doc->printerSettings();
    Choice cancelled;
    cancelled.category = 2;
    cancelled.printer = Zebra;
    cancelled.accept = false;
    answerStockDialog(cancelled);
    trigger(w, "properties");
    QCOMPARE(doc->sizeTemplate(), other);
    QCOMPARE(doc->printerSettings(), settings);

    const QString pdf = dir.filePath(QStringLiteral("shelf.pdf"));
    answerFileDialog(dir.filePath(QStringLiteral("shelf")));
    trigger(w, "exportpdf");
    QString info;
    QVERIFY(run(QStandardPaths::findExecutable(QStringLiteral("pdfinfo")), {pdf}, &info));
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(info);
    QVERIFY2(size.hasMatch(), qPrintable(info));
    QVERIFY(qAbs(size.captured(1).toDouble() - other.labelWidth() * 72 / 25.4) < 0.01);
    QVERIFY(qAbs(size.captured(2).toDouble() - other.labelHeight() * 72 / 25.4) < 0.01);

    testutil::answerNextMessageBox(QMessageBox::Discard);
    trigger(w, "close");
    QVERIFY(w.documents().isEmpty());
}

// "Export labels as PDF...": every label of the run, placed as a print
// places them, in one file.
void TestFileCommands::exportsTheWholeRun()
{
    QTemporaryDir dir;
    MainWindow w;
    Document *doc = newLabel(w);
    doc->setSizeTemplate(docbuilder::makeTemplate(50, 30, 2));
    TextItem *text = addText(doc, QStringLiteral("RUN"));
    for (int i = 1; i < 5; ++i)
        text->insertRecord(i);
    QCOMPARE(doc->labelCount(), 5);
    answerFileDialog(dir.filePath(QStringLiteral("run")));
    trigger(w, "exportlabels");
    const printcheck::Pdf out = printcheck::inspect(dir.filePath(QStringLiteral("run.pdf")));
    QVERIFY2(out.ok(), qPrintable(out.error));
    // Five labels two across: three rows.
    QCOMPARE(out.pages.size(), 3);
    QVERIFY(qAbs(out.pages.first().size.width() - 106 * printcheck::PointsPerMm) < 0.01);
    QCOMPARE(w.statusBar()->currentMessage(),
             QStringLiteral("5 labels exported to ") + dir.filePath(QStringLiteral("run.pdf")));
}

void TestFileCommands::recentFilesAndTheLastFolder()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const QString sub = dir.filePath(QStringLiteral("sub"));
    MainWindow w;
    auto *recent = w.findChild<QMenu *>(QStringLiteral("menu/recent"));
    QVERIFY(recent);
    QVERIFY(!recent->isEnabled());

    // Eleven labels saved: the ten newest are listed, newest first.
    QStringList saved;
    for (int i = 0; i < 11; ++i) {
        newLabel(w, QStringLiteral("L%1").arg(i));
        saved.prepend(QDir(sub).filePath(QStringLiteral("l%1.tx4l").arg(i)));
        answerFileDialog(saved.first());
        trigger(w, "saveas");
        w.closeDoc(w.currentDocument());
    }
    QCOMPARE(QSettings().value(QStringLiteral("recentFiles")).toStringList(), saved.mid(0, 10));
    const QList<QAction *> entries = recent->actions();
    QCOMPARE(entries.size(), 10);
    QCOMPARE(entries.first()->text(), QStringLiteral("&1 l10.tx4l"));
    QCOMPARE(entries.last()->text(), QStringLiteral("1&0 l1.tx4l"));

    // The next file dialog opens where the last one left off.
    QString shownFolder;
    testutil::answerNextModal([&shownFolder](QWidget *dialogWidget) {
        if (auto *dialog = qobject_cast<QFileDialog *>(dialogWidget))
            shownFolder = dialog->directory().absolutePath();
        dialogWidget->close();
    });
    trigger(w, "open");
    QCOMPARE(shownFolder, QDir(sub).absolutePath());

    // An entry opens its file; opening moves it to the top.
    entries.at(3)->trigger();
    QCOMPARE(w.documents().size(), 1);
    QCOMPARE(w.currentDocument()->fileInfo().absoluteFilePath(), saved.at(3));
    QCOMPARE(QSettings().value(QStringLiteral("recentFiles")).toStringList().first(), saved.at(3));
    w.closeDoc(w.currentDocument());

    // A file that is gone is said so and taken off the list; nothing opens.
    QVERIFY(QFile::remove(saved.at(0)));
    QString text;
    testutil::answerNextMessageBox(QMessageBox::Ok, nullptr, &text);
    recent->actions().at(1)->trigger();
    QVERIFY2(text.contains(QStringLiteral("l10.tx4l")), qPrintable(text));
    QVERIFY(w.documents().isEmpty());
    QCOMPARE(recent->actions().size(), 9);
    QVERIFY(!QSettings().value(QStringLiteral("recentFiles")).toStringList().contains(saved.at(0)));
}

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    // The file dialogs are answered through their widgets.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    TxApp app(argc, argv);
    startup::setApplicationIdentity();
    app.initialize();
    TestFileCommands t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_filecommands.moc"
