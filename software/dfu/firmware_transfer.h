#pragma once

#include <QString>

namespace DFU {

// With a serial, dfu-util works only on the unit that carries it.
int download_FW_to_device(QString file, QString serial = {});
int upload_FW_from_device(QString file, int size, QString serial = {});
// -1 when the file cannot be opened.
int size_of_binary_file(QString file);
// What reading the flash back showed. A check that could not be made says nothing of the
// flash: it must never be taken for a flash that differs.
struct Check {
    enum Outcome : int { matches = 0, differs = 1, not_made = 2 };
    Outcome outcome = not_made;
    QString reason_id; // with not_made: the settings text that names why
    QString argument;  // what that text is filled with, if it takes anything

    bool flash_matches() const { return outcome == matches; }
};

// not_made when either file cannot be opened or read, or is empty.
Check::Outcome compare_FW_bin_files(QString first, QString second);

// Matches only when the flash from 0x08000000 holds exactly the bytes of desired.
Check upload_and_check_FW_bin(QString desired, QString uploaded, QString serial = {});

} // namespace DFU
