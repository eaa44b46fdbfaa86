#pragma once

#include "sizetemplate.h"

#include <QDialog>

class DocPropertiesWidget;
class Document;
class PrinterSettingsWin;
class SizeTemplateManager;

// "Document properties": the stock and printer of an open document.
class DocPropertiesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit DocPropertiesDialog(Document *doc, QWidget *parent = nullptr,
                                 const SizeTemplateManager *catalogue = nullptr);

    SizeTemplate sizeTemplate() const;
    // The caller owns the result; it is the document's own object when the
    // document's printer is still chosen.
    PrinterSettingsWin *printerSettings();

private:
    DocPropertiesWidget *widget = nullptr;
};
