#include "dfu/dfu_util_parser.h"

#include "dfu/dfu_util.h"

#include <QDebug>

#include <map>

const QString DfuUtilParser::prefix_RE = "^Found DFU: \\[0483:df11\\] ver=2200";
// The fields dfu-util itself makes, up to the first the unit names (its interface's name).
const QString DfuUtilParser::fields_RE =
    "^Found DFU: \\[0483:df11\\] ver=2200, devnum=\\d+, cfg=\\d+, intf=\\d+, path=\"([0-9.-]*)\", alt=\\d+, name=\"";
// The last field of the line; whatever the bootloader reports: some report a fixed text rather
// than hex digits.
const QString DfuUtilParser::serial_field = ", serial=\"";

namespace {

// Function-level statics: first reached from the worker thread, initialised once, safely.
const QRegularExpression& prefix_expression()
{
    static const QRegularExpression expression(DfuUtilParser::prefix_RE);
    return expression;
}

const QRegularExpression& fields_expression()
{
    static const QRegularExpression expression(DfuUtilParser::fields_RE);
    return expression;
}

// An STM32 DfuSe bootloader lists one line per alternate setting: flash, option bytes,
// OTP memory and device feature.
constexpr int lines_of_one_device = 4;

} // namespace

DfuUtilParser::DfuUtilParser(const QString& output)
{
    // The listing runs twice a second for as long as the window is open: lines are looked at
    // in place, the expression is tried only on lines that begin as a device's, and only the
    // few of a bootloader are copied.
    const QVector<QStringRef> lines = output.splitRef('\n');
    QStringList kept;
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines[i].startsWith(QLatin1String("Found DFU: ")) || !prefix_expression().match(lines[i]).hasMatch())
            continue;
        // A serial with a line break goes on over the lines that follow, up to its quote.
        QString line = lines[i].toString();
        while (!line.endsWith('"') && !line.endsWith("\"\r") && i + 1 < lines.size()
               && !lines[i + 1].startsWith(QLatin1String("Found DFU: ")))
            line += "\n" + lines[++i];
        kept << line;
    }

    for (QString line : kept) {
        const QRegularExpressionMatch match = fields_expression().match(line);
        const int field = line.lastIndexOf(serial_field);
        if (!match.hasMatch() || field < 0) {
            qDebug() << line;
            status = no_dfu_device;
            return;
        }
        if (line.endsWith("\"\r"))
            line.chop(1);
        DFU::DeviceItem item;
        item.path = match.captured(1);
        item.serial = line.mid(field + serial_field.size());
        const bool closed = item.serial.endsWith('"');
        if (closed)
            item.serial.chop(1);
        // U+FFFD stands for bytes that were no UTF-8: the serial's own cannot be given back.
        item.ambiguous = !closed || item.serial.isEmpty() || item.serial.contains('"') || item.serial.contains('\n')
            || item.serial.contains(QChar::ReplacementCharacter) || line.count(serial_field) > 1;
        if (devices.isEmpty() || devices.last().serial != item.serial || devices.last().path != item.path)
            devices.append(item);
        else
            devices.last().ambiguous = devices.last().ambiguous || item.ambiguous;
    }

    nr_of_devices = devices.size();
    if (nr_of_devices == 1)
        status = kept.size() == lines_of_one_device ? one_dfu_device : invalid_dfu_device;
    else if (nr_of_devices > 1)
        status = multiple_dfu_devices;
    else
        status = no_dfu_device;
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

ScanResult make_scan(const QString& only_serial)
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
