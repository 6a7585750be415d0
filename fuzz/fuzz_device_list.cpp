#include "dfu/dfu_util_parser.h"
#include "fuzz_support.h"

FUZZ_INIT

// dfu-util's listing, whatever the devices on the bus call themselves.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString output = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const DFU::ScanResult scan = DFU::scan_for_devices(output);
    REQUIRE(scan.code == 0 || scan.code == 1);
    REQUIRE(!scan.access_denied);
    // Every serial taken for certain is what dfu-util printed between the quotes, whatever it is
    // (some bootloaders report a fixed text); one that holds a quote or a line break, or is
    // empty, is marked as not certain. One unit, and only then, is a unit.
    for (const DFU::DeviceItem& device : scan.devices) {
        if (device.ambiguous)
            continue;
        REQUIRE(!device.serial.isEmpty() && !device.serial.contains('"') && !device.serial.contains('\n'));
        REQUIRE(output.contains("serial=\"" + device.serial + "\""));
    }
    REQUIRE(scan.code != 0 || scan.devices.size() == 1);
    return 0;
}
