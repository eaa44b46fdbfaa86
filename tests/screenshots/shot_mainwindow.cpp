// Renders the main window with one document of three labels, the undo
// history and the label preview to mainwindow.png (offscreen).

#include "dialogs/docpropertiesdialog.h"
#include "dialogs/preferencesdialog.h"
#include "document.h"
#include "documentview.h"
#include "labelitems/textitem.h"
#include "mainwindow.h"
#include "startup.h"
#include "testutil.h"
#include "txapp.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTranslator>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    TxApp app(argc, argv);
    startup::setApplicationIdentity();
    app.initialize();
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();

    MainWindow window;
    window.resize(1280, 800);
    window.show();
    // The new-label dialog is accepted as it opens.
    testutil::acceptNextDialog();
    window.newDocument();
    Document *doc = window.currentDocument();
    auto *title = new TextItem(QSizeF(420, 70));
    title->setFont(QFont(QStringLiteral("Liberation Sans"), 26, QFont::Bold));
    title->setPlainText(QStringLiteral("Tagorix"));
    title->setPos(doc->nearestGridPoint(QPointF(30, 30)));
    doc->addItem(title);
    auto *body = new TextItem(QSizeF(330, 110));
    body->setFont(QFont(QStringLiteral("Liberation Sans"), 14));
    body->setPlainText(QStringLiteral("Roll labels, one per record.\nSelected: handles in the frame band."));
    body->setPos(doc->nearestGridPoint(QPointF(30, 130)));
    doc->addItem(body);
    doc->connectItem(title);
    doc->connectItem(body);
    // Three labels in the preview dock, and one entry in the undo history.
    for (int i = 1; i < 3; ++i) {
        doc->insertLabel();
        title->setRecordIndex(i);
        title->setPlainText(QStringLiteral("Tagorix %1").arg(i + 1));
    }
    title->setRecordIndex(0);
    const QPointF from = body->pos();
    body->setPos(from + QPointF(0, 20));
    emit body->repositioned(body, from);
    body->setSelected(true);
    QCoreApplication::processEvents();
    const QString file = QDir(out).filePath(QStringLiteral("mainwindow.png"));
    window.grab().save(file);
    qInfo("wrote %s", qPrintable(file));

    // The label fitted into the view.
    window.findChild<QAction *>(QStringLiteral("action/fitlabel"))->trigger();
    QCoreApplication::processEvents();
    window.grab().save(QDir(out).filePath(QStringLiteral("mainwindow-fit.png")));

    // Preferences and the stock dialog in German.
    QTranslator german;
    if (startup::loadTranslation(german, QStringLiteral("de_DE"))) {
        QCoreApplication::installTranslator(&german);
        PreferencesDialog prefs;
        prefs.show();
        QCoreApplication::processEvents();
        prefs.grab().save(QDir(out).filePath(QStringLiteral("preferences-de.png")));
        DocPropertiesDialog props(doc, nullptr);
        props.show();
        QCoreApplication::processEvents();
        props.grab().save(QDir(out).filePath(QStringLiteral("docproperties-de.png")));
        QCoreApplication::removeTranslator(&german);
    }
    return 0;
}
