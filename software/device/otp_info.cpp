#include "device/otp_info.h"

#include <QDebug>
#include <QFile>

#include <algorithm>

namespace Device {

namespace {
const QByteArray otp_marker("\x11\x47\x23\x01", 4);
constexpr int slot_size = 16;
constexpr int record_size = 16;
constexpr int first_rejected_offset = 498;
constexpr int otp_area_size = 512;
} // namespace

OTP_Info make_OTP_Info(const QByteArray& area)
{
    OTP_Info info;
    // Only a whole read-out can show that nothing was ever written: a short one says nothing.
    if (area.size() >= otp_area_size
        && std::all_of(area.begin(), area.end(), [](char b) { return static_cast<quint8>(b) == 0xff; })) {
        info.blank = true;
        return info;
    }

    // Only the last marker counts; a misplaced one is not replaced by an earlier good one.
    const int offset = area.lastIndexOf(otp_marker);
    if (offset < 0 || offset % slot_size != 0 || offset >= first_rejected_offset
        || offset + record_size > area.size())
        return info;

    QByteArray record = area.mid(offset, record_size);
    if (record[4] == '\x23')
        record[4] = '\x2b';

    info.product = make_ProductInfo(make_ProductInfoRaw(record.constData() + 4));
    for (int i = 0; i < 8; ++i)
        info.payload[i] = static_cast<quint8>(record[8 + i]);
    info.valid = is_valid(info.product.type);

    if (info.valid && !is_known(info.product.type)) {
        qInfo() << "Unknown device type according to OTP info, " << QString(info.product);
        info.product.type = Type::invalid;
        info.valid = false;
    } else if (!info.valid) {
        qInfo() << "Device not used, has invalid info in its OTP info.";
    }
    return info;
}

OTP_Info make_OTP_Info(QString path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return OTP_Info{};
    return make_OTP_Info(file.readAll());
}

QString OTP_Info::product_name() const
{
    return product.product_name();
}

OTP_Info::operator QString() const
{
    return QString("OTP info:\nMarker %1\nProduct: %2\n").arg(valid ? "valid" : "invalid", QString(product));
}

} // namespace Device
