// Renders the new-label and document-properties dialogs to PNG files
// (newdocument.png, docproperties.png, docproperties-custom.png), offscreen.

#include "dialogs/docpropertiesdialog.h"
#include "dialogs/newdocumentdialog.h"
#include "document.h"
#include "sizetemplate.h"
#include "sizetemplatemanager.h"
#include "txapp.h"

#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QStandardPaths>

namespace {

void save(QWidget &w, const QString &folder, const QString &name)
{
    w.show();
    QCoreApplication::processEvents();
    const QString file = QDir(folder).filePath(name);
    w.grab().save(file);
    qInfo("wrote %s", qPrintable(file));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    TxApp app(argc, argv);
    app.initialize();
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();

    {
        NewDocumentDialog dialog;
        auto *category = dialog.findChild<QComboBox *>(QStringLiteral("category"));
        category->setCurrentIndex(category->findData(4));
        dialog.findChild<QListWidget *>(QStringLiteral("templates"))->setCurrentRow(1);
        save(dialog, out, QStringLiteral("newdocument.png"));
    }

    Document doc;
    const QList<SizeTemplate *> all = TxApp::sizeTemplateManager()->templates();
    for (const SizeTemplate *st : all) {
        if (st->category() == 2) {
            doc.setSizeTemplate(*st);
            break;
        }
    }
    {
        DocPropertiesDialog dialog(&doc);
        save(dialog, out, QStringLiteral("docproperties.png"));
        // Margins that no longer fit the liner show in the drawing.
        dialog.findChild<QDoubleSpinBox *>(QStringLiteral("marginleft"))->setValue(9);
        save(dialog, out, QStringLiteral("docproperties-custom.png"));
    }
    return 0;
}
