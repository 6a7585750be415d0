#pragma once

#include <QString>

namespace DFU {

// With a serial, dfu-util works only on the unit that carries it.
int download_FW_to_device(QString file, QString serial = {});
int upload_FW_from_device(QString file, int size, QString serial = {});
// -1 when the file cannot be opened.
int size_of_binary_file(QString file);
bool compare_FW_bin_files(QString first, QString second);
// True only when the flash from 0x08000000 holds exactly the bytes of desired.
bool upload_and_compare_FW_bin(QString desired, QString uploaded, QString serial = {});

} // namespace DFU
