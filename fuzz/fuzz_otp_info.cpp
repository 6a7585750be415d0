#include "device/otp_info.h"
#include "fuzz_support.h"

FUZZ_INIT

// The OTP area as any unit, or anything behind its serial, may return it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray area(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const Device::OTP_Info info = Device::make_OTP_Info(area);
    REQUIRE(!(info.valid && info.blank));
    // Blank is a whole read-out, every byte erased: a short read-out is no blank unit.
    REQUIRE(!info.blank || (area.size() >= 512 && area.count('\xff') == area.size()));
    // A record is believed only for a product of the catalogue.
    REQUIRE(!info.valid || Device::is_known(info.product.type));
    REQUIRE(info.valid || info.product.type == Device::Type::invalid || !Device::is_known(info.product.type));
    REQUIRE(QString(info).startsWith("OTP info:\nMarker "));
    return 0;
}
