#include "dfu/dfu_util_parser.h"

#include "dfu/dfu_util.h"

#include <QDebug>

#include <map>

const QString DfuUtilParser::prefix_RE = "^Found DFU: \\[0483:df11\\] ver=2200";
// Whatever the bootloader reports: some report a fixed text rather than hex digits.
const QString DfuUtilParser::extract_serial_RE = "serial=\\\"([^\\\"]*)\\\"";

namespace {

// Function-level statics: first reached from the worker thread, initialised once, safely.
const QRegularExpression& prefix_expression()
{
    static const QRegularExpression expression(DfuUtilParser::prefix_RE);
    return expression;
}

const QRegularExpression& serial_expression()
{
    static const QRegularExpression expression(DfuUtilParser::extract_serial_RE);
    return expression;
}

const QRegularExpression& path_expression()
{
    static const QRegularExpression expression("path=\\\"([^\\\"]*)\\\"");
    return expression;
}

QString only_serial; // set once, before the worker starts

// An STM32 DfuSe bootloader lists one line per alternate setting: flash, option bytes,
// OTP memory and device feature.
constexpr int lines_of_one_device = 4;

} // namespace

DfuUtilParser::DfuUtilParser(const QString& output)
{
    // The listing runs twice a second for as long as the window is open: lines are looked at
    // in place, the expression is tried only on lines that begin as a device's, and only the
    // few of a bootloader are copied.
    QStringList kept;
    for (const QStringRef& line : output.splitRef('\n'))
        if (line.startsWith(QLatin1String("Found DFU: ")) && prefix_expression().match(line).hasMatch())
            kept << line.toString();

    for (const QString& line : kept) {
        const QRegularExpressionMatch match = serial_expression().match(line);
        if (!match.hasMatch()) {
            qDebug() << line;
            status = no_dfu_device;
            return;
        }
        const QString serial = match.captured(1);
        const QString path = path_expression().match(line).captured(1);
        if (devices.isEmpty() || devices.last().serial != serial || devices.last().path != path)
            devices.append({serial, path});
    }

    nr_of_devices = devices.size();
    if (nr_of_devices == 1)
        status = kept.size() == lines_of_one_device ? one_dfu_device : invalid_dfu_device;
    else if (nr_of_devices > 1)
        status = multiple_dfu_devices;
    else
        status = no_dfu_device;
}

QString DfuUtilParser::status_as_string() const
{
    static const std::map<int, QString> texts = {
        {no_dfu_device, "no_dfu_device"},
        {one_dfu_device, "one_dfu_device"},
        {invalid_dfu_device, "invalid_dfu_device"},
        {multiple_dfu_devices, "multiple_dfu_devices"},
    };
    const auto it = texts.find(status);
    return it == texts.end() ? QString() : it->second;
}

namespace DFU {

ScanResult scan_for_devices(QString output)
{
    const DfuUtilParser parser(output);
    ScanResult result;
    result.devices = parser.devices;
    result.code = parser.status == DfuUtilParser::one_dfu_device ? 0 : 1;
    return result;
}

void scan_only(const QString& serial)
{
    only_serial = serial;
}

ScanResult make_scan()
{
    Result listed = run_command(CmdID::list);
    if (listed.code != 0) {
        ScanResult failed;
        failed.listing_failed = true;
        return failed;
    }
    if (!only_serial.isEmpty()) {
        QStringList kept;
        const QString own = "serial=\"" + only_serial + "\"";
        for (const QString& line : listed.text.split('\n'))
            if (line.endsWith(own))
                kept << line;
        listed.text = kept.join('\n');
    }
    ScanResult scan = scan_for_devices(listed.text);
    scan.unknown_device = scan.devices.size() == 1 && scan.code != 0;
    scan.access_denied = listed.errors.contains("LIBUSB_ERROR_ACCESS");
    return scan;
}

} // namespace DFU
