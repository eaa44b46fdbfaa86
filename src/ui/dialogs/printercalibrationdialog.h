#pragma once

#include <QDialog>
#include <QMap>
#include <QPointF>
#include <QPointer>
#include <QString>

#include <functional>

class Document;
class QComboBox;
class QDoubleSpinBox;
class QPrinter;
class QPushButton;

// "Printer calibration": the offset of each print queue in millimetres, with
// a calibration label to print on the document's stock so the user can
// measure the shift and try an offset before keeping it.
class PrinterCalibrationDialog : public QDialog
{
    Q_OBJECT
public:
    PrinterCalibrationDialog(Document *doc, const QString &queue, QWidget *parent = nullptr);

    // The queue shown and the offset entered for it (not yet stored).
    QString printerName() const;
    QPointF offsetMm() const;

    // Stores the offsets of every queue edited.
    void accept() override;

    // Called, when set, with the configured printer just before the
    // calibration label is painted on it; lets tests send the job to a file.
    static std::function<void(QPrinter *)> preparePrinter;

private:
    void showPrinter(const QString &queue);
    void printCalibrationLabel();

    QPointer<Document> doc;
    QComboBox *printers = nullptr;
    QDoubleSpinBox *offsetX = nullptr;
    QDoubleSpinBox *offsetY = nullptr;
    QPushButton *printButton = nullptr;
    // The queue whose offset the spin boxes hold.
    QString shown;
    // Offsets entered for queues other than the one shown, stored on OK.
    QMap<QString, QPointF> edited;
    // How the program speaks to each queue looked at, stored on OK.
    QComboBox *language = nullptr;
    QMap<QString, int> languages;
};
