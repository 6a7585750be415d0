// Stands in for dfu-util in the runner's tests.
//   child_helper exit N            exit with status N
//   child_helper kill              die by SIGKILL
//   child_helper print TEXT        print TEXT, exit 0
//   child_helper nul               print "before", a NUL byte and "after"
//   child_helper args ...          print each argument on its own line
//   child_helper stderr TEXT       print TEXT on standard error only
//   child_helper sleep MS          sleep, then exit 0
//   child_helper tick out|err MS N print a dot on that channel every MS milliseconds, N times
//   child_helper pgrp              print "own" when it leads a process group of its own
//   child_helper sigpipe           print "ignored" or "default": how SIGPIPE is handled
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <chrono>
#include <unistd.h>

int main(int argc, char* argv[])
{
    if (argc < 2)
        return 2;
    const char* mode = argv[1];
    if (!std::strcmp(mode, "exit") && argc > 2)
        return std::atoi(argv[2]);
    if (!std::strcmp(mode, "kill")) {
        std::raise(SIGKILL);
        return 0;
    }
    if (!std::strcmp(mode, "print") && argc > 2) {
        std::fputs(argv[2], stdout);
        return 0;
    }
    if (!std::strcmp(mode, "nul")) {
        std::fwrite("before\0after", 1, 12, stdout);
        return 0;
    }
    if (!std::strcmp(mode, "args")) {
        for (int i = 2; i < argc; ++i)
            std::printf("%s\n", argv[i]);
        return 0;
    }
    if (!std::strcmp(mode, "stderr") && argc > 2) {
        std::fputs(argv[2], stderr);
        return 0;
    }
    if (!std::strcmp(mode, "sleep") && argc > 2) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[2])));
        return 0;
    }
    if (!std::strcmp(mode, "tick") && argc > 4) {
        FILE* channel = std::strcmp(argv[2], "err") ? stdout : stderr;
        for (int i = std::atoi(argv[4]); i > 0; --i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[3])));
            std::fputc('.', channel);
            std::fflush(channel);
        }
        return 0;
    }
    if (!std::strcmp(mode, "pgrp")) {
        std::fputs(getpgrp() == getpid() ? "own" : "shared", stdout);
        return 0;
    }
    if (!std::strcmp(mode, "sigpipe")) {
        struct sigaction action {};
        sigaction(SIGPIPE, nullptr, &action);
        std::fputs(action.sa_handler == SIG_IGN ? "ignored" : "default", stdout);
        return 0;
    }
    return 2;
}
