// SPDX-FileCopyrightText: 2026 The Quotello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// firstmap: starts a program and prints, in microseconds, the time from just
// before its exec to the moment the X server maps its first top-level window
// with the given title, then the processor time all its threads had used by
// then (-1 if it could not be read).
//
//   firstmap [--wait-exit] TITLE SECONDS -- PROGRAM [ARGS...]
//
// Meant for a display without a window manager, where top-level windows are
// children of the root window and their MapNotify reaches the root. Once the
// window is seen the program is ended with SIGTERM, or, with --wait-exit,
// left to quit by itself. Every wait is bounded by SECONDS. When allowed,
// firstmap runs 10 steps nicer than the program, so that a busy machine
// delays its reading of the map as little as possible.
// Exit status: 0 when the window was seen; 1 on a usage or X error; 2 when
// the program ended, or the time ran out, before the window came.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>

namespace {

double nowSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

bool xFailed = false;

int noteXError(Display *, XErrorEvent *)
{
    xFailed = true; // a window may vanish between its MapNotify and our question
    return 0;
}

std::string property(Display *dpy, Window w, Atom name)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    std::string text;
    if (XGetWindowProperty(dpy, w, name, 0, 1024, False, AnyPropertyType, &type, &format, &count,
                           &after, &data)
            == Success
        && data) {
        if (format == 8)
            text.assign(reinterpret_cast<const char *>(data), count);
        XFree(data);
    }
    return text;
}

// The window's title; false when the window is already gone.
bool title(Display *dpy, Window w, std::string *text)
{
    xFailed = false;
    *text = property(dpy, w, XInternAtom(dpy, "_NET_WM_NAME", False));
    if (text->empty())
        *text = property(dpy, w, XA_WM_NAME);
    XSync(dpy, False);
    return !xFailed;
}

// Processor time used so far by all threads of a process, in ns; -1 if unknown.
double cpuNanoseconds(pid_t pid)
{
    const std::string dir = "/proc/" + std::to_string(pid) + "/task";
    DIR *tasks = opendir(dir.c_str());
    if (!tasks)
        return -1;
    double total = 0;
    while (const dirent *task = readdir(tasks)) {
        if (task->d_name[0] == '.')
            continue;
        const std::string path = dir + "/" + task->d_name + "/schedstat";
        if (FILE *f = std::fopen(path.c_str(), "r")) {
            unsigned long long ns = 0;
            if (std::fscanf(f, "%llu", &ns) == 1)
                total += static_cast<double>(ns);
            std::fclose(f);
        }
    }
    closedir(tasks);
    return total;
}

// Waits up to `seconds` for the child to end; true if it did.
bool reap(pid_t pid, double seconds, int *status)
{
    const double deadline = nowSeconds() + seconds;
    while (nowSeconds() < deadline) {
        const pid_t r = waitpid(pid, status, WNOHANG);
        if (r == pid || (r < 0 && errno == ECHILD))
            return true;
        usleep(10000);
    }
    return false;
}

void end(pid_t pid)
{
    int status = 0;
    kill(pid, SIGTERM);
    if (!reap(pid, 5, &status)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    int arg = 1;
    bool waitExit = false;
    if (arg < argc && std::strcmp(argv[arg], "--wait-exit") == 0) {
        waitExit = true;
        ++arg;
    }
    if (argc - arg < 4 || std::strcmp(argv[arg + 2], "--") != 0) {
        std::fprintf(stderr, "usage: firstmap [--wait-exit] TITLE SECONDS -- PROGRAM [ARGS...]\n");
        return 1;
    }
    const std::string wanted = argv[arg];
    const double limit = std::atof(argv[arg + 1]);
    char **program = argv + arg + 3;

    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "firstmap: cannot open display\n");
        return 1;
    }
    XSetErrorHandler(noteXError);
    const Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);
    const int xfd = ConnectionNumber(dpy);
    fcntl(xfd, F_SETFD, FD_CLOEXEC);

    // Woken first when the map arrives, on a busy machine too; the program
    // itself runs at the usual priority.
    errno = 0;
    const int niceness = getpriority(PRIO_PROCESS, 0);
    if (errno == 0)
        setpriority(PRIO_PROCESS, 0, niceness - 10);

    const double start = nowSeconds();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("firstmap: fork");
        return 1;
    }
    if (pid == 0) {
        setpriority(PRIO_PROCESS, 0, niceness);
        execvp(program[0], program);
        std::perror("firstmap: exec");
        _exit(127);
    }

    const double deadline = start + limit;
    double seen = 0;
    double cpu = -1;
    while (seen == 0) {
        while (XPending(dpy) > 0) {
            XEvent event;
            XNextEvent(dpy, &event);
            if (event.type != MapNotify || event.xmap.event != root)
                continue;
            const double mapped = nowSeconds();
            // Only the program maps windows on this display: one that is
            // already gone (a program that quits right after its first paint)
            // counts as well.
            std::string text;
            if (!title(dpy, event.xmap.window, &text) || text == wanted) {
                seen = mapped;
                cpu = cpuNanoseconds(pid);
                break;
            }
        }
        if (seen != 0)
            break;
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "firstmap: %s ended before showing \"%s\"\n", program[0], wanted.c_str());
            return 2;
        }
        const double left = deadline - nowSeconds();
        if (left <= 0) {
            std::fprintf(stderr, "firstmap: no window \"%s\" within %.0f s\n", wanted.c_str(), limit);
            end(pid);
            return 2;
        }
        pollfd fd{xfd, POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left * 1000 < 50 ? left * 1000 + 1 : 50));
    }

    std::printf("%.0f %.0f\n", (seen - start) * 1e6, cpu < 0 ? -1.0 : cpu / 1e3);
    std::fflush(stdout);
    int status = 0;
    if (waitExit) {
        if (!reap(pid, limit, &status)) {
            std::fprintf(stderr, "firstmap: %s did not quit by itself\n", program[0]);
            end(pid);
            return 2;
        }
    } else {
        end(pid);
    }
    XCloseDisplay(dpy);
    return 0;
}
