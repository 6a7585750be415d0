// The program's byte-for-byte compare of two files against the least that does the same work:
// both files read whole and compared with memcmp, interleaved:   compare FILE-A FILE-B REPETITIONS
// Prints one line a repetition: microseconds of the program's compare, then of the floor.
#include "dfu/firmware_transfer.h"

#include <QElapsedTimer>

#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char* argv[])
{
    if (argc != 4)
        return 2;
    const auto read_whole = [](const char* name, std::vector<char>* into) {
        FILE* file = std::fopen(name, "rb");
        if (!file)
            return false;
        std::fseek(file, 0, SEEK_END);
        into->resize(static_cast<size_t>(std::ftell(file)));
        std::rewind(file);
        const bool whole = std::fread(into->data(), 1, into->size(), file) == into->size();
        std::fclose(file);
        return whole;
    };
    std::vector<char> left;
    std::vector<char> right;
    const int reps = std::atoi(argv[3]);
    QElapsedTimer timer;
    volatile int sink = 0;
    for (int i = 0; i < reps; ++i) {
        timer.start();
        sink = sink + DFU::compare_FW_bin_files(argv[1], argv[2]);
        const double program_us = timer.nsecsElapsed() / 1000.0;
        timer.start();
        if (!read_whole(argv[1], &left) || !read_whole(argv[2], &right) || left.size() != right.size())
            return 2;
        sink = sink + (std::memcmp(left.data(), right.data(), left.size()) == 0);
        const double floor_us = timer.nsecsElapsed() / 1000.0;
        std::printf("%.3f %.3f\n", program_us, floor_us);
    }
    return sink == 2 * reps ? 0 : 1;
}
