// libFuzzer target: the CSV table model reads any bytes, and every cell and
// header it reports can be asked for, without a crash or a hang.

#include "fuzzinit.h"
#include "qxtcsvmodel.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzzinit::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char *>(data), int(size));
    // The first byte picks header row and separator, as a user would.
    const bool header = size > 0 && (data[0] & 1);
    const QChar separator = size > 0 && (data[0] & 2) ? QLatin1Char(';') : QLatin1Char(',');
    QxtCsvModel model(&buffer, nullptr, header, separator);
    for (int c = 0; c < model.columnCount(); ++c)
        model.headerData(c, Qt::Horizontal);
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < model.columnCount(); ++c)
            model.data(model.index(r, c));
    }
    if (model.rowCount() > 0 && model.columnCount() > 0)
        model.setData(model.index(0, model.columnCount() - 1), QStringLiteral("x,\"y\""));
    // A data file read again after it changed on disk: the same bytes give
    // the same table.
    const int rows = model.rowCount();
    const bool binary = model.containsBinary();
    const bool fallback = model.decodedAsWindows1252();
    QBuffer again;
    again.setData(reinterpret_cast<const char *>(data), int(size));
    model.reread(&again);
    if (model.rowCount() != rows || model.containsBinary() != binary ||
        model.decodedAsWindows1252() != fallback)
        __builtin_trap();
    return 0;
}
