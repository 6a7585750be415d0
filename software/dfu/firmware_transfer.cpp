#include "dfu/firmware_transfer.h"

#include "dfu/dfu_util.h"
#include "files/support_misc.h"

#include <QFile>

namespace DFU {

int download_FW_to_device(QString file, QString serial)
{
    return run_command(CmdID::download_FW, QStringList{file} + serial_option(serial)).code;
}

int upload_FW_from_device(QString file, int size, QString serial)
{
    // An upload that fails without writing must never leave an older file to compare.
    support_misc::ensure_file_is_deleted(file);
    return run_command(CmdID::upload_FW,
                       QStringList{"-s", QString("0x08000000:%1").arg(size), "-U", file} + serial_option(serial))
        .code;
}

int size_of_binary_file(QString file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return static_cast<int>(f.size());
}

bool compare_FW_bin_files(QString first, QString second)
{
    const int size = size_of_binary_file(first);
    if (size <= 0 || size_of_binary_file(second) != size)
        return false;
    QFile a(first);
    QFile b(second);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly))
        return false;
    const QByteArray left = a.readAll();
    const QByteArray right = b.readAll();
    return left.size() == right.size() && left == right;
}

bool upload_and_compare_FW_bin(QString desired, QString uploaded, QString serial)
{
    const int size = size_of_binary_file(desired);
    if (size <= 0)
        return false;
    if (upload_FW_from_device(uploaded, size, serial) != 0)
        return false;
    return compare_FW_bin_files(desired, uploaded);
}

} // namespace DFU
