// Starts a program and prints the milliseconds until its first top-level window is mapped on
// the X server of $DISPLAY, and until something is first drawn in it; the program is then
// ended.   time_to_map PROGRAM [ARGS...]   prints "MAP PAINT"
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// The next event, or false once the child has ended without one.
bool next_event(Display* display, pid_t child, XEvent* event)
{
    int status = 0;
    while (XPending(display) == 0) {
        if (waitpid(child, &status, WNOHANG) == child)
            return false;
        usleep(200);
    }
    XNextEvent(display, event);
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: time_to_map PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    int damage_event = 0;
    int damage_error = 0;
    if (!display || !XDamageQueryExtension(display, &damage_event, &damage_error))
        return 2;
    // Watching the root's children before the program starts: no map can be missed.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    XEvent event;
    Window mapped = 0;
    while (!mapped) {
        if (!next_event(display, child, &event)) {
            std::fprintf(stderr, "time_to_map: the program ended before it showed a window\n");
            return 1;
        }
        // Every new top-level window is watched for drawing from its start: none is missed.
        if (event.type == CreateNotify && !event.xcreatewindow.override_redirect)
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
        if (event.type == MapNotify && !event.xmap.override_redirect)
            mapped = event.xmap.window;
    }
    const std::chrono::duration<double, std::milli> to_map = Clock::now() - start;
    // The first drawing into the mapped window, as the X server reports it.
    for (;;) {
        if (!next_event(display, child, &event)) {
            std::fprintf(stderr, "time_to_map: the program ended before it drew its window\n");
            return 1;
        }
        if (event.type == damage_event + XDamageNotify
            && reinterpret_cast<XDamageNotifyEvent*>(&event)->drawable == mapped)
            break;
    }
    const std::chrono::duration<double, std::milli> to_paint = Clock::now() - start;
    std::printf("%.3f %.3f\n", to_map.count(), to_paint.count());
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    XCloseDisplay(display);
    return 0;
}
