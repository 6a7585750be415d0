// The floor of the idle program: dfu-util's device listing twice a second and nothing else,
// each run started as the program starts it (posix_spawn) and waited for.
//   listing_loop DFU-UTIL SECONDS
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

int main(int argc, char* argv[])
{
    if (argc != 3)
        return 2;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[2]));
    char* arguments[] = {argv[1], const_cast<char*>("-d"), const_cast<char*>("0483"), const_cast<char*>("-l"), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    while (std::chrono::steady_clock::now() < end) {
        pid_t child = 0;
        if (posix_spawn(&child, argv[1], &actions, nullptr, arguments, environ) != 0)
            return 1;
        int status = 0;
        waitpid(child, &status, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    return 0;
}
