#include "dfu/progress.h"
#include "fuzz_support.h"

FUZZ_INIT

// A transfer's output in pieces cut anywhere: the first input byte picks the cut length.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray all(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const auto check = [](const DFU::Progress& progress) {
        REQUIRE(progress.phase != DFU::Phase::none);
        REQUIRE(progress.percent >= 0 && progress.percent <= 100);
        REQUIRE(progress.bytes >= 0);
    };
    const int cut = all.isEmpty() ? 1 : 1 + static_cast<quint8>(all[0]);
    DFU::ProgressParser pieces;
    DFU::ProgressParser whole;
    QVector<DFU::Progress> seen;
    for (int at = 0; at < all.size(); at += cut)
        for (const DFU::Progress& progress : pieces.feed(all.mid(at, cut))) {
            check(progress);
            seen << progress;
        }
    // How the output is cut changes nothing while no line outgrows the bound.
    const QVector<DFU::Progress> at_once = whole.feed(all);
    if (all.size() <= 4096) {
        REQUIRE(seen.size() == at_once.size());
        for (int i = 0; i < seen.size(); ++i)
            REQUIRE(seen[i].phase == at_once[i].phase && seen[i].percent == at_once[i].percent
                    && seen[i].bytes == at_once[i].bytes);
    }
    return 0;
}
