#pragma once

#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <map>

namespace Files {

enum ID : qint32 {
    dfu_util_exe = 0,
    libusb_dylib = 1,
    desired_FW_dfu = 2,
    desired_FW_bin = 3,
    uploaded_FW_bin = 4,
    uploaded_FW_info_bin = 5,
    uploaded_OTP_bin = 6,
};

extern const QString desired_FW_fileName_dfu;
extern const QString desired_FW_fileName_bin;
extern const QString uploaded_FW_fileName_bin;
extern const QString uploaded_FW_info_fileName_bin;
extern const QString uploaded_OTP_fileName_bin;
extern const QString dfu_util_executable_fileName;

extern const std::map<ID, QString> basename;

// The folder the working directory is made in: $TMPDIR, else /tmp.
QString temporary_base();

// The private working directory; removed with its contents at process exit.
extern QTemporaryDir external_dir;

// Full path of a working file: directory, "/", name; empty when the directory could not be made.
QString path_of(const QString& file_name);

bool extract_resources(QList<ID> ids, bool report_failure);

} // namespace Files
