#include "printersettings_win.h"

#include "streamheader.h"

#include <cstring>

PrinterSettingsWin::PrinterSettingsWin(const QString &printerName) : name(printerName)
{
    // QString::utf16() is NUL-terminated.
    const auto *deviceName = reinterpret_cast<const WCHAR *>(name.utf16());
    HANDLE printer = nullptr;
    if (!OpenPrinterW(deviceName, &printer, nullptr))
        return;
    const LONG size = DocumentPropertiesW(nullptr, printer, deviceName, nullptr, nullptr, 0);
    if (size > 0)
        block = winspool::allocateDevMode(size_t(size));
    if (block) {
        if (DocumentPropertiesW(nullptr, printer, deviceName, block.get(), nullptr,
                                DM_OUT_BUFFER) == IDOK)
            settingsMode = SYSTEM_DEFAULT;
        else
            block.reset();
    }
    ClosePrinter(printer);
}

PrinterSettingsWin::~PrinterSettingsWin() = default;

QString PrinterSettingsWin::printerName() const
{
    return name;
}

int PrinterSettingsWin::mode() const
{
    return settingsMode;
}

bool PrinterSettingsWin::isValid() const
{
    return settingsMode != INVALID;
}

void PrinterSettingsWin::setMode(int mode)
{
    settingsMode = mode;
}

void PrinterSettingsWin::showDriverDialog()
{
    if (settingsMode == INVALID || !block)
        return;
    HANDLE printer = nullptr;
    if (!OpenPrinterW(reinterpret_cast<const WCHAR *>(name.utf16()), &printer, nullptr))
        return;
    const LONG result =
        DocumentPropertiesW(nullptr, printer, reinterpret_cast<const WCHAR *>(name.utf16()),
                            block.get(), block.get(), DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER);
    if (result == IDOK)
        settingsMode = USER;
    dpi = -1;
    ClosePrinter(printer);
}

bool PrinterSettingsWin::copyDriverDataTo(DEVMODEW *target) const
{
    if (!target || !block)
        return false;
    if (winspool::deviceName(target) != winspool::deviceName(block.get()))
        return false;
    if (target->dmSize != block->dmSize || target->dmSpecVersion != block->dmSpecVersion ||
        target->dmDriverVersion != block->dmDriverVersion ||
        target->dmDriverExtra != block->dmDriverExtra)
        return false;
    std::memcpy(reinterpret_cast<char *>(target) + target->dmSize,
                reinterpret_cast<const char *>(block.get()) + block->dmSize, block->dmDriverExtra);
    return true;
}

int PrinterSettingsWin::resolutionDpi() const
{
    // Asked on every paint of a barcode on screen: worked out once per block.
    if (dpi < 0)
        dpi = block ? winspool::resolutionOf(winspool::driverChoices(block.get())) : 0;
    return dpi;
}

QStringList PrinterSettingsWin::driverChoices() const
{
    return block ? winspool::driverChoices(block.get()) : QStringList();
}

qint32 PrinterSettingsWin::headerVersion() const
{
    return 1;
}

QUuid PrinterSettingsWin::headerUuid() const
{
    return QUuid(QStringLiteral("82d95c3c-3c61-11e4-baad-164230d1df67"));
}

void PrinterSettingsWin::streamRead(QDataStream &in)
{
    qint32 version = 0;
    const bool wasOk = in.status() == QDataStream::Ok;
    if (!streamheader::read(in, headerUuid(), &version)) {
        // A short stream is no foreign block.
        if (wasOk && in.status() == QDataStream::ReadCorruptData)
            qWarning("PrinterSettingsWin header mismatch error");
        return;
    }
    QString storedName;
    qint32 storedMode = 0;
    qint32 size = 0;
    qint32 specVersion = 0;
    qint32 driverVersion = 0;
    qint32 extra = 0;
    in >> storedName >> storedMode >> size >> specVersion >> driverVersion >> extra;
    if (in.status() != QDataStream::Ok)
        return;
    if (!streamheader::countFits(in, extra, 1)) {
        in.setStatus(QDataStream::ReadCorruptData);
        return;
    }
    QByteArray bytes(extra, Qt::Uninitialized);
    if (in.readRawData(bytes.data(), extra) != extra) {
        in.setStatus(QDataStream::ReadPastEnd);
        return;
    }
    if (storedName != name || !block || size != block->dmSize ||
        specVersion != block->dmSpecVersion || driverVersion != block->dmDriverVersion ||
        extra != block->dmDriverExtra)
        return;
    std::memcpy(reinterpret_cast<char *>(block.get()) + block->dmSize, bytes.constData(),
                size_t(extra));
    dpi = -1;
    setMode(storedMode);
}

void PrinterSettingsWin::streamWrite(QDataStream &out)
{
    streamheader::write(out, *this);
    out << name << settingsMode;
    // Without a block: four zeros and no bytes, which no live block matches.
    if (!block) {
        out << qint32(0) << qint32(0) << qint32(0) << qint32(0);
        return;
    }
    out << qint32(block->dmSize) << qint32(block->dmSpecVersion) << qint32(block->dmDriverVersion)
        << qint32(block->dmDriverExtra);
    out.writeRawData(reinterpret_cast<const char *>(block.get()) + block->dmSize,
                     block->dmDriverExtra);
}
