#include "dfu/firmware_transfer.h"

#include "dfu/dfu_util.h"
#include "files/support_misc.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <cstring>
#include <vector>

namespace DFU {

namespace {

// dfu-util says so when the unit vanished under it (before it was opened, or mid-transfer):
// the user is told the unit went away rather than handed an exit code.
int code_of(const Result& result)
{
    if (result.code > 0
        && (result.errors.contains("LIBUSB_ERROR_NO_DEVICE")
            || result.errors.contains("No DFU capable USB device available")))
        return code_unit_gone;
    return result.code;
}

} // namespace

int download_FW_to_device(QString file, QString serial)
{
    return code_of(run_command(CmdID::download_FW, QStringList{file} + serial_option(serial)));
}

int upload_FW_from_device(QString file, int size, QString serial)
{
    // An upload that fails without writing must never leave an older file to compare.
    support_misc::ensure_file_is_deleted(file);
    return code_of(run_command(CmdID::upload_FW,
                               QStringList{"-s", QString("0x08000000:%1").arg(size), "-U", file} + serial_option(serial)));
}

int size_of_binary_file(QString file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return static_cast<int>(f.size());
}

Check::Outcome compare_FW_bin_files(QString first, QString second)
{
    // A file that cannot be opened or read says nothing of the flash: taken for a difference,
    // it would have a unit that holds the image written again.
    QFile a(first);
    QFile b(second);
    if (!a.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || !b.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return Check::not_made;
    const qint64 size = a.size();
    if (size <= 0 || b.size() <= 0)
        return Check::not_made;
    if (b.size() != size)
        return Check::differs;
    // Block by block into two small buffers: no copy of either file is made in memory, and
    // the first difference ends it.
    constexpr qint64 block = 64 * 1024;
    std::vector<char> left(block);
    std::vector<char> right(block);
    for (qint64 done = 0; done < size;) {
        const qint64 n = qMin(block, size - done);
        if (a.read(left.data(), n) != n || b.read(right.data(), n) != n)
            return Check::not_made;
        if (std::memcmp(left.data(), right.data(), static_cast<size_t>(n)) != 0)
            return Check::differs;
        done += n;
    }
    return Check::matches;
}

Check upload_and_check_FW_bin(QString desired, QString uploaded, QString serial)
{
    const int size = size_of_binary_file(desired);
    if (size <= 0)
        return {Check::not_made, "reason_noImage", {}};
    // dfu-util finds out about a full disk only after reading the whole flash, and then says
    // little: the room is looked at first, so that the user is told what to free.
    const QFileInfo target(uploaded);
    const QStorageInfo storage(target.absolutePath());
    if (storage.isValid() && storage.bytesAvailable() >= 0 && storage.bytesAvailable() < size)
        return {Check::not_made, "reason_noSpace", target.absolutePath()};
    const int code = upload_FW_from_device(uploaded, size, serial);
    if (code == code_ended_hung)
        return {Check::not_made, "reason_silent", {}};
    if (code == code_unit_gone)
        return {Check::not_made, "reason_unitGone", {}};
    if (code != 0)
        return {Check::not_made, "reason_uploadFailed", QString::number(code)};
    const int got = size_of_binary_file(uploaded);
    if (got != size)
        return {Check::not_made, "reason_shortUpload", QString::number(qMax(got, 0))};
    const Check::Outcome compared = compare_FW_bin_files(desired, uploaded);
    if (compared == Check::not_made)
        return {Check::not_made, "reason_readBackUnreadable", uploaded};
    return {compared, {}, {}};
}

} // namespace DFU
