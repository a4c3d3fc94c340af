// SPDX-License-Identifier: GPL-3.0-or-later
// How long Vertex2 takes from process start until its window is shown and painted, and how
// much memory it takes at its peak, beside the floor: a bare Qt window of the same size with one
// Cyrillic label and one button, what any window with Russian text pays.
//
//   bench_startup [RUNS]          under a display, or xvfb-run; offscreen when there is none
//
// Each run starts a fresh process of this program in one of the two roles; the roles take
// turns so that a slow moment of the machine hits both alike. Linux only.

#include "app/program.h"
#include "barewindow.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Reports on standard output once the window's first paint is done, then quits.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget *window)
        : m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            QTimer::singleShot(0, qApp, [] {
                std::puts("painted");
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return false;
    }

private:
    QWidget *m_window;
    bool m_done = false;
};

// The program as main() runs it, or the floor.
int child(int argc, char *argv[], bool vertex2)
{
    QApplication application(argc, argv);
    std::unique_ptr<app::Program> program;
    std::unique_ptr<QWidget> floor;
    QWidget *window = nullptr;
    if (vertex2) {
        program = std::make_unique<app::Program>();
        window = &program->window();
    } else {
        floor = makeBareWindow();
        window = floor.get();
    }
    FirstPaint watcher(window); // cppcheck-suppress unreadVariable
    window->show();
    return QApplication::exec();
}

struct Run
{
    double milliseconds = 0;
    long peakKilobytes = 0;
};

Run measure(const char *self, const char *role)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    char *arguments[] = {const_cast<char *>(self), const_cast<char *>("--child"),
                         const_cast<char *>(role), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, self, &actions, nullptr, arguments, environ) != 0) {
        std::perror("posix_spawn");
        std::exit(1);
    }
    close(pipeEnds[1]);
    char line[64] = {};
    const ssize_t got = read(pipeEnds[0], line, sizeof line - 1);
    const auto painted = std::chrono::steady_clock::now();
    close(pipeEnds[0]);
    posix_spawn_file_actions_destroy(&actions);

    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (got <= 0 || std::strncmp(line, "painted", 7) != 0 || !WIFEXITED(status)
        || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench_startup: the %s window did not start\n", role);
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(painted - start).count(), usage.ru_maxrss};
}

template<typename T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return child(argc, argv, std::strcmp(argv[2], "vertex2") == 0);

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")
        && !std::getenv("QT_QPA_PLATFORM")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::puts("No display: measuring with the offscreen platform.");
    }
    measure("/proc/self/exe", "floor"); // warm the file cache for both
    measure("/proc/self/exe", "vertex2");

    std::vector<double> floorTime, vertexTime;
    std::vector<long> floorMemory, vertexMemory;
    for (int i = 0; i < runs; ++i) {
        const Run floor = measure("/proc/self/exe", "floor");
        const Run vertex = measure("/proc/self/exe", "vertex2");
        floorTime.push_back(floor.milliseconds);
        floorMemory.push_back(floor.peakKilobytes);
        vertexTime.push_back(vertex.milliseconds);
        vertexMemory.push_back(vertex.peakKilobytes);
    }
    const double tb = median(floorTime), tv = median(vertexTime);
    const long mb = median(floorMemory), mv = median(vertexMemory);
    std::printf("Medians of %d runs, from process start to the first paint of the window:\n", runs);
    std::printf("%-12s %10s %14s\n", "window", "time (ms)", "peak RSS (KiB)");
    std::printf("%-12s %10.1f %14ld\n", "floor", tb, mb);
    std::printf("%-12s %10.1f %14ld\n", "Vertex2", tv, mv);
    std::printf("%-12s %10.3f %14.3f\n", "ratio", tv / tb, double(mv) / double(mb));
    return 0;
}
