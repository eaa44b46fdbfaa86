#include "winspool.h"

#include <QCryptographicHash>
#include <QHash>
#include <QRegularExpression>
#include <QTextCodec>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

// The PPD interface is marked deprecated in CUPS 2.x, yet it is the only one
// that gives a queue's driver options with their groups and texts.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/cups.h>
#include <cups/ppd.h>

namespace {

// Part of the driver identity, so that a change of the byte form below makes
// older blocks fail the version test instead of being misread.
const char ChoiceLayoutTag[] = "tagorix-cups-choices-1";

// Options that CUPS keeps only as a mirror of PageSize; its own tools do not
// offer them either.
bool hiddenOption(const char *keyword)
{
    return std::strcmp(keyword, "PageRegion") == 0;
}

bool pageSizeOption(const QByteArray &keyword)
{
    return keyword == "PageSize" || keyword == "PageRegion";
}

// PPD texts are Latin-1 in old files and UTF-8 in newer ones.
QString ppdText(const char *text)
{
    const QByteArray bytes(text);
    QTextCodec::ConverterState state;
    const QString utf8 =
        QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 ? utf8 : QString::fromLatin1(bytes);
}

struct Driver
{
    // In the driver's own groups, for the dialog.
    QVector<winspool::DriverGroup> groups;
    // Sorted by keyword: the order of the private bytes.
    QVector<winspool::DriverOption> sorted;
    WORD version = 0;
    int extraSize = 0;
    bool ok = false;

    void index();
    const winspool::DriverOption *find(const QByteArray &keyword) const;
};

void Driver::index()
{
    sorted.clear();
    for (const winspool::DriverGroup &g : groups)
        sorted += g.options;
    std::sort(sorted.begin(), sorted.end(),
              [](const winspool::DriverOption &a, const winspool::DriverOption &b) {
                  return a.keyword < b.keyword;
              });
}

const winspool::DriverOption *Driver::find(const QByteArray &keyword) const
{
    auto it = std::lower_bound(
        sorted.begin(), sorted.end(), keyword,
        [](const winspool::DriverOption &o, const QByteArray &k) { return o.keyword < k; });
    return it != sorted.end() && it->keyword == keyword ? &*it : nullptr;
}

int slotWidth(const winspool::DriverOption &option)
{
    int width = 0;
    for (const winspool::DriverChoice &c : option.choices)
        width = qMax(width, int(c.keyword.size()));
    return width;
}

// Per option: keyword length, keyword, slot width, value length, value padded
// with zeros to the slot width. The slot is as wide as the longest choice, so
// the size depends on the driver only, never on what was chosen.
int encodedSize(const winspool::DriverOption &option)
{
    return 1 + option.keyword.size() + 2 + slotWidth(option);
}

QByteArray encodeChoices(const Driver &driver, const QHash<QByteArray, QByteArray> &choices)
{
    QByteArray out;
    out.reserve(driver.extraSize);
    for (const winspool::DriverOption &o : driver.sorted) {
        const int width = slotWidth(o);
        const QByteArray value = choices.value(o.keyword, o.current);
        out.append(char(o.keyword.size()));
        out.append(o.keyword);
        out.append(char(width));
        out.append(char(value.size()));
        out.append(value);
        out.append(QByteArray(width - value.size(), '\0'));
    }
    return out;
}

// Keywords are printable ASCII without spaces; anything else means damaged bytes.
bool plausibleKeyword(const QByteArray &word)
{
    if (word.isEmpty())
        return false;
    for (char c : word)
        if (c <= 32 || c >= 127)
            return false;
    return true;
}

bool decodeChoices(const unsigned char *bytes, int size,
                   QVector<QPair<QByteArray, QByteArray>> *choices)
{
    int pos = 0;
    while (pos < size) {
        const int keyLength = bytes[pos++];
        if (keyLength == 0 || pos + keyLength + 2 > size)
            return false;
        const QByteArray keyword(reinterpret_cast<const char *>(bytes + pos), keyLength);
        pos += keyLength;
        const int width = bytes[pos++];
        const int valueLength = bytes[pos++];
        if (valueLength > width || pos + width > size)
            return false;
        const QByteArray value(reinterpret_cast<const char *>(bytes + pos), valueLength);
        pos += width;
        if (!plausibleKeyword(keyword) || !plausibleKeyword(value))
            return false;
        choices->append({keyword, value});
    }
    return true;
}

const unsigned char *privateBytes(const DEVMODEW *block)
{
    return reinterpret_cast<const unsigned char *>(block) + block->dmSize;
}

unsigned char *privateBytes(DEVMODEW *block)
{
    return reinterpret_cast<unsigned char *>(block) + block->dmSize;
}

QByteArray attribute(ppd_file_t *ppd, const char *name)
{
    ppd_attr_t *attr = ppdFindAttr(ppd, name, nullptr);
    return attr && attr->value ? QByteArray(attr->value) : QByteArray();
}

winspool::DriverOption readOption(ppd_file_t *ppd, ppd_option_t *option)
{
    winspool::DriverOption out;
    out.keyword = option->keyword;
    out.text = ppdText(option->text[0] ? option->text : option->keyword);
    // A custom choice needs parameters that the block has no room for.
    const bool hasCustom = ppdFindCustomOption(ppd, option->keyword) != nullptr;
    for (int i = 0; i < option->num_choices; ++i) {
        const ppd_choice_t &c = option->choices[i];
        if (hasCustom && std::strcmp(c.choice, "Custom") == 0)
            continue;
        if (!plausibleKeyword(c.choice))
            continue;
        out.choices.append({QByteArray(c.choice), ppdText(c.text[0] ? c.text : c.choice)});
    }
    ppd_choice_t *marked = ppdFindMarkedChoice(ppd, option->keyword);
    for (const winspool::DriverChoice &c : out.choices)
        if (marked && c.keyword == marked->choice)
            out.current = c.keyword;
    if (out.current.isEmpty() && !out.choices.isEmpty())
        out.current = out.choices.first().keyword;
    return out;
}

void readGroup(ppd_file_t *ppd, ppd_group_t *group, winspool::DriverGroup *out)
{
    for (int i = 0; i < group->num_options; ++i) {
        ppd_option_t *option = group->options + i;
        if (hiddenOption(option->keyword))
            continue;
        winspool::DriverOption o = readOption(ppd, option);
        if (!o.choices.isEmpty() && plausibleKeyword(o.keyword))
            out->options.append(o);
    }
    // Sub-groups are shown inside their group.
    for (int i = 0; i < group->num_subgroups; ++i)
        readGroup(ppd, group->subgroups + i, out);
}

WORD identityVersion(const QByteArray &identity)
{
    const QByteArray digest = QCryptographicHash::hash(identity, QCryptographicHash::Sha256);
    return qFromBigEndian<quint16>(digest.constData());
}

// The destination's own defaults (an instance's options, the user's
// lpoptions) count where they name a driver option.
void markDestinationDefaults(ppd_file_t *ppd, const QVector<QPair<QByteArray, QByteArray>> &options)
{
    for (const auto &kv : options)
        if (ppdFindOption(ppd, kv.first.constData()))
            ppdMarkOption(ppd, kv.first.constData(), kv.second.constData());
}

Driver readDriver(const QByteArray &queue, const QVector<QPair<QByteArray, QByteArray>> &defaults)
{
    Driver driver;
    QByteArray identity(ChoiceLayoutTag);
    identity.append('\n');

    char path[1024] = "";
    time_t modified = 0;
    const http_status_t status =
        cupsGetPPD3(CUPS_HTTP_DEFAULT, queue.constData(), &modified, path, sizeof(path));
    if (status == HTTP_STATUS_NOT_FOUND) {
        // A queue without a driver (raw or IPP-only) has no driver options.
        identity.append("no driver\n");
    } else if (status != HTTP_STATUS_OK) {
        qWarning("Cannot fetch the driver description of printer %s: %s", queue.constData(),
                 cupsLastErrorString());
        return driver;
    } else {
        ppd_file_t *ppd = ppdOpenFile(path);
        unlink(path);
        if (!ppd) {
            int line = 0;
            ppd_status_t error = ppdLastError(&line);
            qWarning("Cannot read the driver description of printer %s: %s (line %d)",
                     queue.constData(), ppdErrorString(error), line);
            return driver;
        }
        ppdMarkDefaults(ppd);
        markDestinationDefaults(ppd, defaults);
        for (int i = 0; i < ppd->num_groups; ++i) {
            winspool::DriverGroup group;
            group.name = ppd->groups[i].name;
            group.text =
                ppdText(ppd->groups[i].text[0] ? ppd->groups[i].text : ppd->groups[i].name);
            readGroup(ppd, ppd->groups + i, &group);
            if (!group.options.isEmpty())
                driver.groups.append(group);
        }
        for (const char *name :
             {"Manufacturer", "ModelName", "NickName", "PCFileName", "FileVersion"})
            identity.append(name).append('=').append(attribute(ppd, name)).append('\n');
        ppdClose(ppd);
    }

    driver.index();
    for (const winspool::DriverOption &o : driver.sorted) {
        identity.append(o.keyword).append(':');
        for (const winspool::DriverChoice &c : o.choices)
            identity.append(c.keyword).append(',');
        identity.append('\n');
        driver.extraSize += encodedSize(o);
    }
    if (driver.extraSize > 0xffff) {
        qWarning("The driver of printer %s has more options than a settings block can hold",
                 queue.constData());
        return driver;
    }
    driver.version = identityVersion(identity);
    driver.ok = true;
    return driver;
}

winspool::DriverDialogHook dialogHook = nullptr;

} // namespace

struct PrinterHandle
{
    QString name;
    QByteArray queue;
    QVector<QPair<QByteArray, QByteArray>> defaults;
    bool driverLoaded = false;
    Driver driver;

    const Driver &loadDriver()
    {
        if (!driverLoaded) {
            driver = readDriver(queue, defaults);
            driverLoaded = true;
        }
        return driver;
    }
};

BOOL OpenPrinterW(const WCHAR *pPrinterName, HANDLE *phPrinter, void *)
{
    if (!phPrinter)
        return false;
    *phPrinter = nullptr;
    if (!pPrinterName)
        return false;
    const QString name = QString::fromUtf16(pPrinterName);
    const int slash = name.indexOf(QLatin1Char('/'));
    const QByteArray queue = name.left(slash).toUtf8();
    const QByteArray instance = slash < 0 ? QByteArray() : name.mid(slash + 1).toUtf8();
    // An empty name would give the default destination.
    if (queue.isEmpty() || (slash >= 0 && instance.isEmpty()))
        return false;
    // cupsGetNamedDest accepts any instance name; instances exist only in the
    // full list.
    cups_dest_t *dests = nullptr;
    int count = 0;
    cups_dest_t *dest = nullptr;
    if (instance.isEmpty()) {
        dests = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
        count = dests ? 1 : 0;
        dest = dests;
    } else {
        count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
        dest = cupsGetDest(queue.constData(), instance.constData(), count, dests);
    }
    if (!dest) {
        cupsFreeDests(count, dests);
        return false;
    }
    auto *handle = new PrinterHandle;
    handle->name = name;
    handle->queue = queue;
    for (int i = 0; i < dest->num_options; ++i)
        handle->defaults.append(
            qMakePair(QByteArray(dest->options[i].name), QByteArray(dest->options[i].value)));
    cupsFreeDests(count, dests);
    *phPrinter = handle;
    return true;
}

BOOL ClosePrinter(HANDLE hPrinter)
{
    if (!hPrinter)
        return false;
    delete hPrinter;
    return true;
}

LONG DocumentPropertiesW(HWND hWnd, HANDLE hPrinter, const WCHAR *, PDEVMODEW pDevModeOutput,
                         PDEVMODEW pDevModeInput, DWORD fMode)
{
    if (!hPrinter)
        return -1;
    const Driver &driver = hPrinter->loadDriver();
    if (!driver.ok)
        return -1;
    const LONG blockSize = LONG(sizeof(DEVMODEW)) + driver.extraSize;
    if (fMode == 0)
        return blockSize;

    QHash<QByteArray, QByteArray> choices;
    for (const winspool::DriverOption &o : driver.sorted)
        choices.insert(o.keyword, o.current);

    if ((fMode & DM_IN_BUFFER) && pDevModeInput && pDevModeInput->dmSpecVersion == DM_SPECVERSION &&
        pDevModeInput->dmSize == sizeof(DEVMODEW) &&
        pDevModeInput->dmDriverVersion == driver.version &&
        pDevModeInput->dmDriverExtra == driver.extraSize) {
        QVector<QPair<QByteArray, QByteArray>> stored;
        if (decodeChoices(privateBytes(pDevModeInput), pDevModeInput->dmDriverExtra, &stored)) {
            for (const auto &kv : stored) {
                const winspool::DriverOption *known = driver.find(kv.first);
                if (!known)
                    continue;
                const auto &alternatives = known->choices;
                if (std::any_of(
                        alternatives.begin(), alternatives.end(),
                        [&kv](const winspool::DriverChoice &c) { return c.keyword == kv.second; }))
                    choices.insert(kv.first, kv.second);
            }
        }
    }

    if (fMode & DM_IN_PROMPT) {
        if (!dialogHook) {
            qWarning("No driver-properties dialog is installed");
            return -1;
        }
        QVector<winspool::DriverGroup> groups = driver.groups;
        for (winspool::DriverGroup &g : groups)
            for (winspool::DriverOption &o : g.options)
                o.current = choices.value(o.keyword);
        if (!dialogHook(hWnd, hPrinter->name, groups))
            return IDCANCEL;
        for (const winspool::DriverGroup &g : groups)
            for (const winspool::DriverOption &o : g.options)
                choices.insert(o.keyword, o.current);
    }

    if (fMode & DM_OUT_BUFFER) {
        if (!pDevModeOutput)
            return -1;
        // Encoded before the output is touched: it may be the input block.
        const QByteArray extra = encodeChoices(driver, choices);
        Q_ASSERT(extra.size() == driver.extraSize);
        std::memset(pDevModeOutput, 0, sizeof(DEVMODEW));
        const QString name = hPrinter->name.left(CCHDEVICENAME - 1);
        std::memcpy(pDevModeOutput->dmDeviceName, name.utf16(), name.size() * sizeof(WCHAR));
        pDevModeOutput->dmSpecVersion = DM_SPECVERSION;
        pDevModeOutput->dmDriverVersion = driver.version;
        pDevModeOutput->dmSize = sizeof(DEVMODEW);
        pDevModeOutput->dmDriverExtra = WORD(extra.size());
        std::memcpy(privateBytes(pDevModeOutput), extra.constData(), size_t(extra.size()));
    }
    return IDOK;
}

void winspool::setDriverDialogHook(DriverDialogHook hook)
{
    dialogHook = hook;
}

void winspool::DevModeDeleter::operator()(DEVMODEW *block) const
{
    std::free(block);
}

winspool::DevModePtr winspool::allocateDevMode(size_t size)
{
    if (size < sizeof(DEVMODEW))
        return nullptr;
    return DevModePtr(static_cast<DEVMODEW *>(std::malloc(size)));
}

winspool::DevModePtr winspool::defaultDevMode(const QString &printerName)
{
    HANDLE printer = nullptr;
    if (!OpenPrinterW(reinterpret_cast<const WCHAR *>(printerName.utf16()), &printer, nullptr))
        return nullptr;
    DevModePtr block;
    const LONG size = DocumentPropertiesW(nullptr, printer, nullptr, nullptr, nullptr, 0);
    if (size > 0)
        block = allocateDevMode(size_t(size));
    if (block &&
        DocumentPropertiesW(nullptr, printer, nullptr, block.get(), nullptr, DM_OUT_BUFFER) != IDOK)
        block.reset();
    ClosePrinter(printer);
    return block;
}

QString winspool::deviceName(const DEVMODEW *block)
{
    if (!block)
        return QString();
    int length = 0;
    while (length < CCHDEVICENAME && block->dmDeviceName[length])
        ++length;
    return QString::fromUtf16(block->dmDeviceName, length);
}

QStringList winspool::driverChoices(const DEVMODEW *block)
{
    QStringList out;
    if (!block || block->dmSize < sizeof(DEVMODEW))
        return out;
    QVector<QPair<QByteArray, QByteArray>> choices;
    if (!decodeChoices(privateBytes(block), block->dmDriverExtra, &choices))
        return out;
    for (const auto &kv : choices)
        out << QString::fromLatin1(kv.first) << QString::fromLatin1(kv.second);
    return out;
}

QStringList winspool::driverJobOptions(const DEVMODEW *block)
{
    const QStringList all = driverChoices(block);
    QStringList out;
    for (int i = 0; i + 1 < all.size(); i += 2) {
        if (pageSizeOption(all.at(i).toLatin1()))
            continue;
        out << all.at(i) << all.at(i + 1);
    }
    return out;
}

int winspool::resolutionOf(const QStringList &choices)
{
    static const QRegularExpression dpi(QStringLiteral("^(\\d{1,5})(?:x\\d{1,5})?dpi$"));
    for (int i = 0; i + 1 < choices.size(); i += 2) {
        if (choices.at(i) != QLatin1String("Resolution"))
            continue;
        const QRegularExpressionMatch m = dpi.match(choices.at(i + 1));
        if (m.hasMatch() && m.captured(1).toInt() > 0)
            return m.captured(1).toInt();
    }
    return 0;
}
