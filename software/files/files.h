#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <map>
#include <optional>

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

// Whether no other user can replace what is made in the folder: it and every folder above it
// (symbolic links resolved) belong to this user or to root, and none of them can be written by
// others unless its sticky bit keeps them from renaming what is not theirs.
bool is_safe_base(const QString& path);

// The private working directory, made in the temporary folder unless that folder is not safe;
// removed with its contents at process exit. While the run lives it holds a lock on the
// directory, so that later runs can tell its folder from one a killed run left behind.
class WorkingFolder {
public:
    explicit WorkingFolder(const QString& base);
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    bool isValid() const;
    QString path() const; // empty when not valid
    QString errorString() const;
    // False when the base folder was refused and no folder was made.
    bool base_is_safe() const { return safe_base; }

private:
    bool safe_base = false;
    int lock_fd = -1;
    std::optional<QTemporaryDir> dir;
};

WorkingFolder& external_dir();

// The file a run writes into its working folder once it holds the folder's lock.
extern const QString run_marker_fileName;

// Removes the working folders in base ("upgrade_" and six characters) that runs of this user
// left when they ended without removing them (killed); never a live run's, nor another user's,
// nor anything that is not a real folder marked by a run. Returns the names removed.
QStringList remove_stale_working_folders(const QString& base);

// The folder dfu-util and its libusb are run from: where the package installed them beside the
// program, else the working folder (empty when that could not be made).
QString tool_dir();
// Whether dfu-util and libusb are the package's, installed beside the program.
bool tools_installed();

// Readies the working folder at start-up: removes stale folders, unpacks the firmware and, unless
// installed, dfu-util and libusb. Empty when all went well, else the id of the status text that
// tells the user why no unit can be reached.
QString prepare_working_folder();

// Full path of a working file: directory, "/", name; empty when the directory could not be made.
QString path_of(const QString& file_name);

bool extract_resources(QList<ID> ids, bool report_failure);

} // namespace Files
