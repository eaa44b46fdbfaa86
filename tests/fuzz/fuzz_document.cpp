// libFuzzer target: no input may crash, hang or exhaust memory in the
// label document reader.

#include "document.h"
#include "fuzzinit.h"

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
    Document doc;
    readDocumentFile(&buffer, &doc);
    return 0;
}
