#pragma once

#include "device/fw_info.h"
#include "device/otp_info.h"
#include "dfu/dfu_util.h"
#include "dfu/dfu_util_parser.h"

#include <QDebug>
#include <QString>

namespace DFU {

struct DeviceInfo {
    bool valid = false; // the OTP area was read, whatever it holds
    QString FW_revision;
    Device::OTP_Info OTP_info;
    Device::FW_Info FW_info;
    Device::Type type = Device::Type::invalid;

    operator QString() const;
};

QDebug operator<<(QDebug debug, const DeviceInfo& info);

Result read_device_info(const DeviceItem* item, DeviceInfo* info);
// run, if given, receives how dfu-util's run went.
Device::FW_Info read_FW_Info(const DeviceItem* item, Result* run = nullptr);
Device::FW_Info read_FW_Info_from_desired_FW();
// The embedded image's record, read at most once per run.
const Device::FW_Info& desired_FW_Info();

} // namespace DFU
