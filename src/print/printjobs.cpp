#include "printjobs.h"

#include <cups/cups.h>

#include <memory>

namespace {

struct HttpClose
{
    void operator()(http_t *http) const { httpClose(http); }
};
using Connection = std::unique_ptr<http_t, HttpClose>;

Connection connectScheduler()
{
    return Connection(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                   5000, nullptr));
}

// The response to a request about `resource` (a job or printer path), or
// null; the caller deletes it.
ipp_t *ask(http_t *http, ipp_op_t operation, const char *uriKeyword, const QByteArray &resource,
           const char *const *wanted, int wantedCount)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", 0, "%s",
                     resource.constData());
    ipp_t *request = ippNewRequest(operation);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, uriKeyword, nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", wantedCount,
                  nullptr, wanted);
    ipp_t *response = cupsDoRequest(http, request, "/");
    if (response && cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
        ippDelete(response);
        return nullptr;
    }
    return response;
}

QString text(ipp_t *response, const char *name)
{
    ipp_attribute_t *a = ippFindAttribute(response, name, IPP_TAG_TEXT);
    const char *value = a ? ippGetString(a, 0, nullptr) : nullptr;
    return value ? QString::fromUtf8(value).trimmed() : QString();
}

} // namespace

int printjobs::newestJob(const QString &queue)
{
    Connection http = connectScheduler();
    if (!http)
        return -1;
    cups_job_t *jobs = nullptr;
    const int count =
        cupsGetJobs2(http.get(), &jobs, queue.toUtf8().constData(), 1, CUPS_WHICHJOBS_ALL);
    if (count < 0)
        return -1;
    int newest = 0;
    for (int i = 0; i < count; ++i)
        newest = qMax(newest, jobs[i].id);
    cupsFreeJobs(count, jobs);
    return newest;
}

bool printjobs::status(const QString &queue, int job, Status *out)
{
    *out = Status();
    Connection http = connectScheduler();
    if (!http)
        return false;
    static const char *const jobWanted[] = {"job-state", "job-printer-state-message"};
    if (ipp_t *response = ask(http.get(), IPP_OP_GET_JOB_ATTRIBUTES, "job-uri",
                              "/jobs/" + QByteArray::number(job), jobWanted, 2)) {
        if (ipp_attribute_t *state = ippFindAttribute(response, "job-state", IPP_TAG_ENUM))
            out->state = ippGetInteger(state, 0);
        out->message = text(response, "job-printer-state-message");
        ippDelete(response);
    } else if (cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND) {
        return false;
    }
    static const char *const printerWanted[] = {"printer-state", "printer-state-message"};
    if (ipp_t *response = ask(http.get(), IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri",
                              "/printers/" + queue.toUtf8(), printerWanted, 2)) {
        if (ipp_attribute_t *state = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM))
            out->printerStopped = ippGetInteger(state, 0) == IPP_PSTATE_STOPPED;
        const QString said = text(response, "printer-state-message");
        if (!said.isEmpty())
            out->message = said;
        ippDelete(response);
    }
    return true;
}
