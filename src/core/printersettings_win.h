#pragma once

#include "iserializable.h"
#include "platform/winspool.h"

#include <QString>

// The printer a document is meant for and a private copy of that printer
// driver's settings block, carried from the driver's properties dialog into
// the document file and from there into the live printer at print time.
class PrinterSettingsWin : public ISerializable
{
public:
    enum Mode : qint32
    {
        INVALID = 0,
        SYSTEM_DEFAULT = 1,
        NORVANE_DEFAULT = 2,
        USER = 3,
    };

    explicit PrinterSettingsWin(const QString &printerName);
    ~PrinterSettingsWin() override;
    PrinterSettingsWin(const PrinterSettingsWin &) = delete;
    PrinterSettingsWin &operator=(const PrinterSettingsWin &) = delete;

    QString printerName() const;
    int mode() const;
    bool isValid() const;
    void setMode(int mode);

    // Shows the driver's properties dialog on the stored block; OK makes the
    // mode USER.
    void showDriverDialog();

    // Copies the stored driver-private bytes into a live block of the same
    // printer and driver; false, and the target untouched, otherwise.
    bool copyDriverDataTo(DEVMODEW *target) const;

    // The dots per inch the stored driver choices print with; 0 when they
    // name none (no block, a driver without a resolution choice).
    int resolutionDpi() const;
    // The stored driver choices as alternating option names and values.
    QStringList driverChoices() const;

    qint32 headerVersion() const override;
    QUuid headerUuid() const override;
    void streamRead(QDataStream &in) override;
    void streamWrite(QDataStream &out) override;

private:
    QString name;
    qint32 settingsMode = INVALID;
    winspool::DevModePtr block;
    // resolutionDpi() of the block as it is now; -1 until asked.
    mutable int dpi = -1;
};
