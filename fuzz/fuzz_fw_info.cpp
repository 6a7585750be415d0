#include "device/fw_info.h"
#include "fuzz_support.h"

FUZZ_INIT

// The first flash block as read from a unit: the information block may be anywhere in it,
// cut, doubled or made of random fields.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray block(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const Device::FW_Info info = Device::make_FW_Info(block);
    REQUIRE(info.valid || (info.details.isEmpty() && info.revision.isEmpty()));
    // Every text comes from a 32-byte field inside the block: at most 31 characters, and
    // never a field past its end.
    REQUIRE(info.name.size() <= 31 && info.revision.size() <= 31);
    REQUIRE(info.details.size() * 64 <= block.size());
    for (const auto& detail : info.details)
        REQUIRE(!detail.first.isEmpty() && detail.first.size() <= 31 && !detail.second.isEmpty()
                && detail.second.size() <= 31);
    REQUIRE(!QString(info).isEmpty());
    return 0;
}
