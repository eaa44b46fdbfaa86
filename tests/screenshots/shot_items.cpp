// Renders a label with three text items to items.png: one rotated by 45
// degrees, one selected with its handles, one with more text than its box.

#include "docbuilder.h"
#include "document.h"
#include "documentview.h"
#include "labelitems/textitem.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());

    Document doc;
    doc.setSizeTemplate(docbuilder::makeTemplate(100, 50));
    auto add = [&doc](QPointF pos, QSizeF size, const QString &text, int points) {
        auto *t = new TextItem(size);
        t->setFont(QFont(QStringLiteral("Liberation Sans"), points));
        t->setPlainText(text);
        t->setPos(pos);
        doc.addItem(t);
        doc.connectItem(t);
        return t;
    };
    add(QPointF(60, 40), QSizeF(200, 50), QStringLiteral("Rotated 45°"), 20)->setItemRotation(45);
    add(QPointF(330, 40), QSizeF(300, 90), QStringLiteral("Selected, with handles"), 18)->setSelected(true);
    add(QPointF(330, 200), QSizeF(300, 80),
        QStringLiteral("This text is longer than its box: it wraps at the box width and the lines "
                       "below the box are cut off, with no focus frame."),
        16);

    DocumentView view(&doc);
    view.resize(820, 460);
    view.show();
    QCoreApplication::processEvents();
    const QString file = out.filePath(QStringLiteral("items.png"));
    view.grab().save(file);
    qInfo("wrote %s", qPrintable(file));
    return 0;
}
