// Starts a program and prints the milliseconds until its first top-level window is mapped
// on the X server of $DISPLAY; the program is then ended.   time_to_map PROGRAM [ARGS...]
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: time_to_map PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 2;
    // Watching the root's children before the program starts: no map can be missed.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    for (;;) {
        while (XPending(display) == 0) {
            if (waitpid(child, &status, WNOHANG) == child) {
                std::fprintf(stderr, "time_to_map: the program ended before it showed a window\n");
                return 1;
            }
            usleep(200);
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect)
            break;
    }
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("%.3f\n", took.count());
    kill(child, SIGTERM);
    waitpid(child, &status, 0);
    XCloseDisplay(display);
    return 0;
}
