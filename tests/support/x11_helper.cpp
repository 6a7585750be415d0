// What the end-to-end tests need of the X server beyond xdotool.
//   x11_helper screenshot OUT.png      the whole screen
//   x11_helper close WINDOW-ID         ask the window to close, as a window manager's close button does
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static int close_window(const char* id_text)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 2;
    const Window window = std::strtoul(id_text, nullptr, 0);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
    return sent ? 0 : 1;
}

int main(int argc, char* argv[])
{
    if (argc == 3 && !std::strcmp(argv[1], "close"))
        return close_window(argv[2]);
    if (argc == 3 && !std::strcmp(argv[1], "screenshot")) {
        QGuiApplication app(argc, argv);
        const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
        return shot.save(argv[2], "PNG") ? 0 : 1;
    }
    std::fprintf(stderr, "usage: x11_helper screenshot OUT.png | close WINDOW-ID\n");
    return 2;
}
