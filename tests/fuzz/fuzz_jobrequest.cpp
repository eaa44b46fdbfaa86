// libFuzzer target: the print service's job request reader takes any bytes a
// client sends. It either refuses them with a client error that says why, or
// gives a request whose written form it reads back, again to the same form.

#include "fuzzinit.h"
#include "jobrequest.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzzinit::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), int(size));
    // Small limits, so inputs of the fuzzer's length reach the row limit too.
    server::RequestLimits limits;
    limits.maxBodyBytes = 32768;
    limits.maxRows = 500;
    server::JobRequest request;
    server::ApiError error;
    if (!server::parseJobRequest(body, limits, &request, &error)) {
        if (error.status < 400 || error.status > 499 || error.code.isEmpty())
            __builtin_trap();
        return 0;
    }
    // The journal keeps the written form and a restarted service reads it:
    // it must be taken whatever its length (escapes may make it longer than
    // the body was), and must not change when written again.
    const QByteArray written = server::requestJson(request);
    server::RequestLimits again;
    again.maxRows = limits.maxRows;
    server::JobRequest back;
    server::ApiError backError;
    if (!server::parseJobRequest(written, again, &back, &backError))
        __builtin_trap();
    if (server::requestJson(back) != written)
        __builtin_trap();
    return 0;
}
