#pragma once

#include <QRegularExpression>
#include <QString>
#include <QVector>

namespace DFU {

struct DeviceItem {
    QString serial; // exactly as dfu-util printed it
    // dfu-util prints the serial between quotes without escaping it: one holding a quote or a
    // line break, or none at all, cannot be told for certain, nor given to -S to reach only
    // this unit. Such a unit is never addressed: serial holds what could be read.
    bool ambiguous = false;
    QString path; // the USB bus path dfu-util listed it on
};

struct ScanResult {
    int code = 1; // 0: exactly one valid device
    QVector<DeviceItem> devices;
    // A unit is there that this user may not open (no udev rule): dfu-util lists no line for it.
    bool access_denied = false;
    // One DFU device is there, but not with the interfaces of the bootloader this tool knows.
    bool unknown_device = false;
    // dfu-util could not list at all: nothing is known of what is connected.
    bool listing_failed = false;
};

ScanResult scan_for_devices(QString output);
// With only_serial, only the units of that serial are seen: a run that serves one unit of a
// hub takes the others for nothing at all.
ScanResult make_scan(const QString& only_serial = {});

} // namespace DFU

class DfuUtilParser {
public:
    enum Status : qint32 {
        no_dfu_device = 0,
        one_dfu_device = 1,
        invalid_dfu_device = 2,
        multiple_dfu_devices = 3,
    };

    static const QString prefix_RE;
    static const QString fields_RE;
    static const QString serial_field;

    explicit DfuUtilParser(const QString& output);

    Status status = no_dfu_device;
    QVector<DFU::DeviceItem> devices;
    qint32 nr_of_devices = 0;
};
