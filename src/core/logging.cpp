#include "logging.h"

#include "version.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>

#include <boost/date_time/posix_time/posix_time.hpp>
#include <boost/filesystem/path.hpp>
#include <boost/log/attributes/clock.hpp>
#include <boost/log/attributes/constant.hpp>
#include <boost/log/attributes/counter.hpp>
#include <boost/log/core.hpp>
#include <boost/log/expressions.hpp>
#include <boost/log/sinks/sync_frontend.hpp>
#include <boost/log/sinks/text_file_backend.hpp>
#include <boost/log/sources/record_ostream.hpp>
#include <boost/log/sources/severity_logger.hpp>
#include <boost/make_shared.hpp>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <mutex>
#include <string>

namespace blog = boost::log;
namespace expr = boost::log::expressions;
namespace attrs = boost::log::attributes;
namespace keywords = boost::log::keywords;

namespace {

using FileSink = blog::sinks::synchronous_sink<blog::sinks::text_file_backend>;

// Taken around numbering and writing a record, so the numbers increase down
// the file even when several threads log at once (the counter alone would
// only make them unique). Recursive because a message may arise while one is
// being written on the same thread.
std::recursive_mutex recordMutex;
boost::shared_ptr<FileSink> activeSink;

// The log being unavailable is said once per process, not once per message.
std::atomic<bool> unavailableReported{false};

void reportUnavailable(const std::string &reason)
{
    if (!unavailableReported.exchange(true))
        std::fprintf(stderr, "tagorix: the run log cannot be written (%s); running without it\n",
                     reason.c_str());
}

void reportCurrentException()
{
    try {
        throw;
    } catch (const std::exception &e) {
        reportUnavailable(e.what());
    } catch (...) {
        reportUnavailable("unknown error");
    }
}

void writeHeader(std::ostream &out)
{
    out << "Tagorix log file\n"
        << "Start: "
        << boost::posix_time::to_simple_string(boost::posix_time::second_clock::universal_time())
        << " UTC\n"
        << "Version: " << version::string << '\n'
        << "Platform: " << QSysInfo::prettyProductName().toStdString() << '\n'
        << "Qt version: " << qVersion() << '\n'
        << "Qt build ABI: " << QSysInfo::buildAbi().toStdString() << "\n\n";
}

boost::filesystem::path nativePath(const QString &path)
{
    return boost::filesystem::path(QFile::encodeName(path).toStdString());
}

void shutdownLocked()
{
    if (!activeSink)
        return;
    blog::core::get()->remove_all_sinks();
    try {
        // Closing hands the file to the collector, which enforces the folder limits.
        activeSink->locked_backend()->rotate_file();
    } catch (...) {
        reportCurrentException();
    }
    activeSink.reset();
}

void writeRecord(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    blog::sources::severity_logger<logging::SeverityLevel> logger;
    if (context.function)
        logger.add_attribute("Function", attrs::constant<std::string>(context.function));
    if (context.file)
        logger.add_attribute("File", attrs::constant<std::string>(context.file));
    if (context.line != 0)
        logger.add_attribute("Line", attrs::constant<int>(context.line));

    blog::record record = logger.open_record(keywords::severity = logging::severityOf(type));
    if (!record)
        return;
    blog::record_ostream stream(record);
    stream << message.toStdString();
    stream.flush();
    logger.push_record(std::move(record));
}

} // namespace

std::ostream &logging::operator<<(std::ostream &out, SeverityLevel level)
{
    static const char *const names[] = {"Debug", "Info", "Warning", "Critical", "Fatal"};
    const int value = static_cast<int>(level);
    if (value >= 0 && value < int(std::size(names)))
        out << names[value];
    else
        out << value;
    return out;
}

logging::SeverityLevel logging::severityOf(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return Debug;
    case QtInfoMsg:
        return Info;
    case QtWarningMsg:
        return Warning;
    case QtCriticalMsg: // also QtSystemMsg
        return Critical;
    case QtFatalMsg:
        return Fatal;
    }
    return Critical;
}

QString logging::defaultFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::DataLocation);
    return data.isEmpty() ? QStringLiteral("logs") : data + QStringLiteral("/logs");
}

bool logging::setup(const QString &requestedFolder)
{
    std::lock_guard<std::recursive_mutex> lock(recordMutex);
    shutdownLocked();
    const QString folder = requestedFolder.isEmpty() ? defaultFolder() : requestedFolder;

    // A read-only home or a path that is not a folder must not stop the program.
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) {
        reportUnavailable("cannot create or write the folder " +
                          QDir::toNativeSeparators(folder).toStdString());
        return false;
    }

    try {
        // The active file is written inside the log folder itself, so a
        // working directory that cannot be written does not lose the log;
        // the collector then only applies the limits when a file is closed.
        const boost::filesystem::path dir = nativePath(QDir(folder).absolutePath());
        auto sink = boost::make_shared<FileSink>(
            keywords::file_name = dir / FileNamePattern, keywords::rotation_size = RotationSize,
            keywords::open_mode = std::ios_base::out | std::ios_base::trunc);
        {
            auto backend = sink->locked_backend();
            backend->set_file_collector(blog::sinks::file::make_collector(
                keywords::target = dir, keywords::max_size = MaxFolderSize,
                keywords::min_free_space = MinFreeSpace, keywords::max_files = MaxFiles));
            backend->scan_for_files(blog::sinks::file::scan_matching, true);
            backend->set_open_handler(&writeHeader);
        }
        sink->set_formatter(
            expr::format("%1% %2% <%3%> %4%:%5% - %6%") % expr::attr<unsigned int>("RecordID") %
            expr::attr<boost::posix_time::ptime>("TimeStampUTC") %
            expr::attr<SeverityLevel>("Severity") % expr::attr<std::string>("File") %
            expr::attr<int>("Line") % expr::smessage);
        // A full disk or a vanished folder while running: say so, keep running.
        sink->set_exception_handler(&reportCurrentException);

        auto core = blog::core::get();
        core->add_sink(sink);
        // Added once per process: a later set-up keeps the running counter.
        core->add_global_attribute("TimeStampUTC", attrs::utc_clock());
        core->add_global_attribute("RecordID", attrs::counter<unsigned int>(0));
        activeSink = sink;
        return true;
    } catch (const std::exception &e) {
        blog::core::get()->remove_all_sinks();
        std::cout << "FAILURE: " << e.what() << std::endl;
        return false;
    }
}

void logging::shutdown()
{
    std::lock_guard<std::recursive_mutex> lock(recordMutex);
    shutdownLocked();
}

bool logging::isActive()
{
    std::lock_guard<std::recursive_mutex> lock(recordMutex);
    return bool(activeSink);
}

void logging::messageHandler(QtMsgType type, const QMessageLogContext &context,
                             const QString &message)
{
    {
        std::lock_guard<std::recursive_mutex> lock(recordMutex);
        if (activeSink) {
            try {
                writeRecord(type, context, message);
                // Records are buffered; the last one before an abort must not be lost.
                if (type == QtFatalMsg)
                    activeSink->flush();
            } catch (...) {
                reportCurrentException();
            }
        } else {
            // Without a log (set-up failed, or after shutdown) nothing is dropped silently.
            const QString line = qFormatLogMessage(type, context, message);
            std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
            std::fflush(stderr);
        }
    }
    if (type == QtFatalMsg)
        std::abort();
}
