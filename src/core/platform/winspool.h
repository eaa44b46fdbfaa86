#pragma once

// The small part of the Windows print spooler interface that the printer
// settings use, backed by CUPS: a queue's driver is its PPD, and the
// driver-private part of a DEVMODEW holds the queue's option choices.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>
#include <memory>

class QWidget;

using WCHAR = char16_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using BOOL = int;
using HWND = QWidget *;
using HANDLE = struct PrinterHandle *;

// Long enough for a CUPS queue name (127 bytes) with an instance name (127
// bytes) behind a slash, and the terminating NUL.
constexpr int CCHDEVICENAME = 256;

constexpr WORD DM_SPECVERSION = 0x0401;

constexpr DWORD DM_OUT_BUFFER = 2;
constexpr DWORD DM_IN_PROMPT = 4;
constexpr DWORD DM_IN_BUFFER = 8;

constexpr LONG IDOK = 1;
constexpr LONG IDCANCEL = 2;

// The public part of the block; dmDriverExtra driver-private bytes follow at
// offset dmSize.
struct DEVMODEW
{
    WCHAR dmDeviceName[CCHDEVICENAME];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
};

using PDEVMODEW = DEVMODEW *;

// Succeeds for a destination the CUPS scheduler knows ("queue" or
// "queue/instance"); *phPrinter is null on failure.
BOOL OpenPrinterW(const WCHAR *pPrinterName, HANDLE *phPrinter, void *pDefault);

// Without buffers (fMode 0) returns the size of the whole block. With
// DM_IN_BUFFER the choices of pDevModeInput are taken when it was made for this
// driver; DM_IN_PROMPT shows the driver-properties dialog on them; DM_OUT_BUFFER
// writes the block (the queue's defaults, or the choices above) to
// pDevModeOutput, which may be the input block. Returns IDOK, IDCANCEL when the
// dialog was cancelled, or a negative value on failure.
LONG DocumentPropertiesW(HWND hWnd, HANDLE hPrinter, const WCHAR *pDeviceName,
                         PDEVMODEW pDevModeOutput, PDEVMODEW pDevModeInput, DWORD fMode);

BOOL ClosePrinter(HANDLE hPrinter);

namespace winspool {

struct DriverChoice
{
    QByteArray keyword;
    QString text;
};

struct DriverOption
{
    QByteArray keyword;
    QString text;
    QVector<DriverChoice> choices;
    QByteArray current;
};

struct DriverGroup
{
    QByteArray name;
    QString text;
    QVector<DriverOption> options;
};

// Shows the driver-properties dialog for `printerName` on `groups` and writes
// the confirmed choices into their `current` fields; returns true on OK. The
// dialog module installs it, so this layer needs no widgets.
using DriverDialogHook = bool (*)(HWND owner, const QString &printerName,
                                  QVector<DriverGroup> &groups);
void setDriverDialogHook(DriverDialogHook hook);

struct DevModeDeleter
{
    void operator()(DEVMODEW *block) const;
};
using DevModePtr = std::unique_ptr<DEVMODEW, DevModeDeleter>;

// An uninitialised block of `size` bytes (at least the public part) released
// by DevModeDeleter; null when the memory cannot be had.
DevModePtr allocateDevMode(size_t size);

// The queue's default block, as the constructor of the printer settings
// fetches it; null for an unknown queue or a driver that cannot be read.
DevModePtr defaultDevMode(const QString &printerName);

QString deviceName(const DEVMODEW *block);

// The driver-private choices as alternating option names and values, the form
// Qt's CUPS print engine takes as job options. The page size options are left
// out: the job's page comes from the label stock, and Qt sends it itself. An
// empty list when the bytes are damaged. Choices of a block read from a file
// are checked against the driver by passing it through DocumentPropertiesW
// with DM_IN_BUFFER | DM_OUT_BUFFER first.
QStringList driverJobOptions(const DEVMODEW *block);

// Every option keyword and value held in the block, page size included.
QStringList driverChoices(const DEVMODEW *block);

// The dots per inch of the first "Resolution" choice ("203dpi", "300x300dpi")
// of alternating names and values; 0 without one.
int resolutionOf(const QStringList &choices);

} // namespace winspool
