// libFuzzer target: no input may crash, hang or exhaust memory in the
// label document reader.

#include "datasourcemanager.h"
#include "document.h"
#include "txapp.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

namespace {
void quiet(QtMsgType, const QMessageLogContext &, const QString &)
{
}
} // namespace

// The program's own application object, so that documents read their data
// sources into the manager as in the program.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    static TxApp app(*argc, *argv);
    app.initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char *>(data), int(size));
    {
        Document doc;
        readDocumentFile(&buffer, &doc);
    }
    // Every input starts from an empty set of sources.
    DataSourceManager *manager = TxApp::dataSourceManager();
    const QList<int> ids = manager->sources().keys();
    for (int id : ids)
        manager->removeSource(id);
    return 0;
}
