// The program's byte-for-byte compare of two files against memcmp over the same bytes
// already in memory, interleaved:   compare FILE-A FILE-B REPETITIONS
// Prints one line a repetition: microseconds of the program's compare, then of memcmp.
#include "dfu/firmware_transfer.h"

#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    if (argc != 4)
        return 2;
    QFile a(argv[1]);
    QFile b(argv[2]);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly))
        return 2;
    const QByteArray left = a.readAll();
    const QByteArray right = b.readAll();
    if (left.size() != right.size())
        return 2;
    const int reps = std::atoi(argv[3]);
    QElapsedTimer timer;
    volatile int sink = 0;
    for (int i = 0; i < reps; ++i) {
        timer.start();
        sink = sink + DFU::compare_FW_bin_files(argv[1], argv[2]);
        const double program_us = timer.nsecsElapsed() / 1000.0;
        timer.start();
        sink = sink + (std::memcmp(left.constData(), right.constData(), left.size()) == 0);
        const double floor_us = timer.nsecsElapsed() / 1000.0;
        std::printf("%.3f %.3f\n", program_us, floor_us);
    }
    return sink == 2 * reps ? 0 : 1;
}
