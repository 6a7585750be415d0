#include "dfu/device_info.h"

#include "device/device_text.h"
#include "files/files.h"
#include "files/support_misc.h"

namespace DFU {

DeviceInfo::operator QString() const
{
    QString text = "DeviceInfo:\n";
    if (!valid)
        return text + "Invalid";
    text += QString("\tDevice type:\t%1\n").arg(static_cast<int>(type));
    text += "\tFW_revision:\t" + Device::for_people(FW_revision) + "\n";
    return text;
}

QDebug operator<<(QDebug debug, const DeviceInfo& info)
{
    const QDebugStateSaver saver(debug);
    debug.noquote() << QString(info);
    return debug;
}

static QStringList addressing(const DeviceItem* item)
{
    return serial_option(item ? item->serial : QString());
}

Device::FW_Info read_FW_Info(const DeviceItem* item, Result* run)
{
    const QString path = Files::path_of(Files::uploaded_FW_info_fileName_bin);
    // dfu-util refuses to overwrite an upload file, and a stale one must never be decoded.
    support_misc::ensure_file_is_deleted(path);
    const Result result = run_command(CmdID::upload_FW_Info, QStringList{path} + addressing(item));
    if (run)
        *run = result;
    if (result.code != 0)
        return {};
    return Device::make_FW_Info(path);
}

Result read_device_info(const DeviceItem* item, DeviceInfo* info)
{
    const QString path = Files::path_of(Files::uploaded_OTP_fileName_bin);
    support_misc::ensure_file_is_deleted(path);
    Result result = run_command(CmdID::upload_OTP, QStringList{path} + addressing(item));
    if (result.code != 0)
        return result;

    info->OTP_info = Device::make_OTP_Info(path);
    if (info->OTP_info.blank)
        qInfo().noquote() << result.text + "OTP is blank.\n";
    info->type = info->OTP_info.product.type;
    info->valid = true;
    qInfo() << QString(info->OTP_info);

    // A revision that could not be read is not an unknown one: taken for one, it would have
    // the unit written although nothing of its firmware was read.
    Result firmware;
    info->FW_info = read_FW_Info(item, &firmware);
    if (firmware.code != 0) {
        qInfo().noquote() << "The firmware information cannot be read:" << firmware.errors;
        firmware.text = result.text + firmware.text;
        return firmware;
    }
    const bool accepted = info->FW_info.product == info->OTP_info.product
        || (info->OTP_info.blank && have_service_build());
    if (accepted) {
        info->FW_revision = info->FW_info.revision;
        qInfo().noquote() << *info;
        qInfo().noquote() << info->FW_info;
    } else {
        result.text += "FW assumed invalid because of product type mismatch.";
        result.text += "\nOTP contains" + QString(info->OTP_info.product);
        result.text += "\nwhereas FW contains\n" + QString(info->FW_info);
        qInfo().noquote() << result.text;
        info->FW_info.valid = false;
    }
    return result;
}

Device::FW_Info read_FW_Info_from_desired_FW()
{
    const QString path = Files::path_of(Files::desired_FW_fileName_bin);
    qDebug() << "Reading desired FW_Info from " << path;
    const Device::FW_Info info = Device::make_FW_Info(path);
    if (info.valid)
        return info;
    // Without a usable working folder there is no copy there, but the window still names the
    // product and version this program installs: the same image, read where it is embedded.
    qInfo() << "The working copy of the firmware cannot be read; its information is read from the program";
    return Device::make_FW_Info(QString(":resources/firmware.bin"));
}

const Device::FW_Info& desired_FW_Info()
{
    static bool filled = false;
    static Device::FW_Info cached;
    if (!filled) {
        filled = true;
        cached = read_FW_Info_from_desired_FW();
    }
    return cached;
}

} // namespace DFU
