#pragma once

#include "device/product.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace Device {

struct OTP_Info {
    ProductInfo product;
    std::array<quint8, 8> payload{};
    bool valid = false;
    bool blank = false;

    QString product_name() const;
    operator QString() const;
};

// The OTP area as read from the unit: 512 bytes, 32 slots of 16.
OTP_Info make_OTP_Info(const QByteArray& area);
OTP_Info make_OTP_Info(QString path);

} // namespace Device
