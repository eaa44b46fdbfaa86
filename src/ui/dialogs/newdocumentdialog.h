#pragma once

#include "sizetemplate.h"

#include <QDialog>

class DocPropertiesWidget;
class PrinterSettingsWin;
class SizeTemplateManager;

// "New label": the stock and printer of a document about to be made.
// Accepting with a valid template hands both to whoever is connected.
class NewDocumentDialog : public QDialog
{
    Q_OBJECT
public:
    explicit NewDocumentDialog(QWidget *parent = nullptr,
                               const SizeTemplateManager *catalogue = nullptr);

signals:
    void selectedSizeTemplateChange(SizeTemplate st);
    // The receiver takes ownership of the settings.
    void selectedPrinterChange(PrinterSettingsWin *settings);

public slots:
    void accept() override;

private:
    DocPropertiesWidget *widget = nullptr;
};
