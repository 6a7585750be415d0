// Stands in for dfu-util in the runner's tests.
//   child_helper exit N            exit with status N
//   child_helper args ...          print each argument on its own line
//   child_helper tick out|err MS N print a dot on that channel every MS milliseconds, N times
//   child_helper pgrp              print "own" when it leads a process group of its own
//   child_helper sigpipe           print "ignored" or "default": how SIGPIPE is handled
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

int main(int argc, char* argv[])
{
    const auto is = [&](const char* mode, int arguments) { return argc > arguments + 1 && !std::strcmp(argv[1], mode); };
    if (is("exit", 1))
        return std::atoi(argv[2]);
    for (int i = 2; is("args", 0) && i < argc; ++i)
        std::printf("%s\n", argv[i]);
    for (int i = is("tick", 3) ? std::atoi(argv[4]) : 0; i > 0; --i) {
        usleep(std::atoi(argv[3]) * 1000);
        std::fputc('.', std::strcmp(argv[2], "err") ? stdout : stderr);
        std::fflush(nullptr);
    }
    if (is("pgrp", 0))
        std::fputs(getpgrp() == getpid() ? "own" : "shared", stdout);
    if (is("sigpipe", 0)) {
        struct sigaction action {};
        sigaction(SIGPIPE, nullptr, &action);
        std::fputs(action.sa_handler == SIG_IGN ? "ignored" : "default", stdout);
    }
    return argc < 2 ? 2 : 0;
}
