#pragma once

#include <QString>

// What the print system says of the jobs a queue was sent, for waiting on
// a job after it was handed over: Qt's print engine does not return the
// number CUPS gave the job.
namespace printjobs {

// The highest job number this user has on the queue, finished jobs
// included; 0 when there is none, -1 when the print system does not answer.
int newestJob(const QString &queue);

struct Status
{
    // IPP job states: 3 pending, 4 held, 5 processing, 6 stopped,
    // 7 cancelled, 8 aborted, 9 completed; 0 when the job was not found.
    int state = 0;
    bool printerStopped = false;
    // What the printer (or its backend) last said, when anything.
    QString message;

    bool done() const { return state >= 7; }
    bool cancelled() const { return state == 7; }
    bool completed() const { return state == 9; }
};

// The job's state and its printer's; false when the print system does not answer.
bool status(const QString &queue, int job, Status *out);

} // namespace printjobs
