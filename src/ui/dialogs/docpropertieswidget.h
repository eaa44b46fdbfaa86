#pragma once

#include "sizetemplate.h"

#include <QMap>
#include <QPointer>
#include <QString>
#include <QWidget>

class Document;
class PrinterSettingsWin;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;
class SizeTemplateManager;
class StockPreview;

// The choice of label stock and printer for a document: stock templates by
// category, their measures (editing one makes the stock a custom one), a
// drawing of the stock, and the printer with its driver properties.
class DocPropertiesWidget : public QWidget
{
    Q_OBJECT
public:
    // A category of the catalogue as the user reads it.
    static QString categoryName(const QString &name);

    // The catalogue defaults to the application's own.
    explicit DocPropertiesWidget(QWidget *parent = nullptr,
                                 const SizeTemplateManager *catalogue = nullptr);
    ~DocPropertiesWidget() override;

    // Shows the document's stock and printer. The document's own settings
    // object is edited in place by "Properties" and never deleted here.
    void setDocument(Document *doc);

    // The chosen stock template, or a "Custom" one made of the measures.
    SizeTemplate sizeTemplate() const;

    // Settings for the printer chosen now; the caller owns them.
    PrinterSettingsWin *printerSettings();

    // The labels of the chosen stock fit on its liner; a stock whose labels
    // reach past the liner's edge cannot be taken.
    bool fits() const { return stockFits; }

signals:
    void fitsChanged(bool fits);

private slots:
    void itemChanged(QListWidgetItem *current, QListWidgetItem *previous);
    void spinValueChanged(double d);
    void spinValueChanged(int i);

private:
    void fillTemplateList(int index);
    void showPrinterProperties();
    void showMeasures(const SizeTemplate &st);
    SizeTemplate measuredTemplate() const;
    void updatePreview();
    QDoubleSpinBox *makeSpin(const char *name);

    QComboBox *categoryBox = nullptr;
    QComboBox *printerBox = nullptr;
    QListWidget *templateList = nullptr;
    QDoubleSpinBox *labelWidth = nullptr;
    QDoubleSpinBox *labelHeight = nullptr;
    QDoubleSpinBox *linerWidth = nullptr;
    QDoubleSpinBox *marginLeft = nullptr;
    QDoubleSpinBox *marginRight = nullptr;
    QDoubleSpinBox *rowSpacing = nullptr;
    QDoubleSpinBox *colSpacing = nullptr;
    QSpinBox *columns = nullptr;
    bool loading = false;
    // Set while an edited measure switches to the custom category, so the
    // switch does not load a template over the value just typed.
    bool editing = false;
    QMap<QString, PrinterSettingsWin *> settingsCache;

    QPushButton *propertiesButton = nullptr;
    StockPreview *preview = nullptr;
    QLabel *fitNote = nullptr;
    bool stockFits = true;
    const SizeTemplateManager *catalogue = nullptr;
    QPointer<Document> document;
    PrinterSettingsWin *documentOwn = nullptr;
};
