// libFuzzer target: the workbook reader takes any bytes (the seeds are
// uncompressed workbooks, so mutations reach the XML), and every sheet's
// model answers for every cell and role without a crash, a hang or a huge
// allocation.

#include "fuzzinit.h"
#include "xlsx/xlsxabstractsheet.h"
#include "xlsx/xlsxdocument.h"
#include "xlsx/xlsxsheetmodel.h"
#include "xlsx/xlsxworksheet.h"

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
    QXlsx::Document book(&buffer);
    const QStringList names = book.sheetNames();
    for (const QString &name : names) {
        auto *sheet = dynamic_cast<QXlsx::Worksheet *>(book.sheet(name));
        if (!sheet)
            continue;
        QXlsx::SheetModel model(sheet);
        // A sheet may claim a million rows; the cells asked for stay bounded.
        const int rows = qMin(model.rowCount(), 64);
        const int columns = qMin(model.columnCount(), 64);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                const QModelIndex i = model.index(r, c);
                for (int role : {Qt::DisplayRole, Qt::EditRole, Qt::FontRole, Qt::ForegroundRole,
                                 Qt::BackgroundRole, Qt::TextAlignmentRole})
                    model.data(i, role);
            }
        }
        for (int c = 0; c < columns; ++c)
            model.headerData(c, Qt::Horizontal);
    }
    return 0;
}
