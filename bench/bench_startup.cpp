// Start-up of the window as a user waits for it: from the start of the
// process (taken just before it is forked) until it reports, with
// TAGORIX_STARTUP_TRACE set, that its event loop runs with the main window
// shown, on the display of DISPLAY when there is one. A fresh settings
// folder each time, as on a first start. Prints the
// median and the fastest of the runs, and the program's own figure (from
// main) for the last one.
//
//   bench_startup [RUNS]

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

double now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

// Seconds until the line came, or -1 when it did not within 30 s; `line`
// gets what the program said.
double timeToWindow(const QByteArray &program, const QByteArray &config, QByteArray *line)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return -1;
    const double start = now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], STDERR_FILENO);
        close(pipeFds[0]);
        setenv("TAGORIX_STARTUP_TRACE", "1", 1);
        // On the display there is, else offscreen.
        if (!getenv("DISPLAY"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("XDG_CONFIG_HOME", config.constData(), 1);
        execl(program.constData(), program.constData(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    double seconds = -1;
    QByteArray seen;
    while (pid > 0 && now() - start < 30) {
        pollfd p{pipeFds[0], POLLIN, 0};
        if (poll(&p, 1, 100) <= 0)
            continue;
        char buffer[4096];
        const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        seen.append(buffer, int(n));
        const int at = seen.indexOf("window shown");
        if (at >= 0) {
            seconds = now() - start;
            const int end = seen.indexOf('\n', at);
            *line = seen.mid(seen.lastIndexOf('\n', at) + 1,
                             end < 0 ? -1 : end - seen.lastIndexOf('\n', at) - 1);
            break;
        }
    }
    close(pipeFds[0]);
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    return seconds;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    const QByteArray program =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tagorix")).toLocal8Bit();
    std::vector<double> times;
    QByteArray line;
    for (int i = 0; i < runs; ++i) {
        QTemporaryDir config;
        const double t = timeToWindow(program, config.path().toLocal8Bit(), &line);
        if (t < 0) {
            std::printf("run %d: the window was not reported within 30 s\n", i + 1);
            return 1;
        }
        times.push_back(t);
    }
    std::sort(times.begin(), times.end());
    std::printf("main window shown, from the process start: median %.0f ms, fastest %.0f ms "
                "(%d runs)\nthe program's own figure, last run: %s\n",
                times[times.size() / 2] * 1000, times.front() * 1000, runs, line.constData());
    return 0;
}
