#include "files/files.h"

#include "files/support_misc.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

// The bundles must be registered before anything can be extracted; they are registered
// here, ahead of the working directory, so that this happens first in this file's
// initialisation. Q_INIT_RESOURCE may not stand inside a namespace.
static void register_resource_bundles()
{
    Q_INIT_RESOURCE(fonts);
#ifndef VELMORA_TOOLS_INSTALLED
    Q_INIT_RESOURCE(dfu_util_linux);
#endif
    Q_INIT_RESOURCE(resources);
}

static void unregister_resource_bundles()
{
    Q_CLEANUP_RESOURCE(resources);
#ifndef VELMORA_TOOLS_INSTALLED
    Q_CLEANUP_RESOURCE(dfu_util_linux);
#endif
    Q_CLEANUP_RESOURCE(fonts);
}

namespace {
struct ResourceBundles {
    ResourceBundles() { register_resource_bundles(); }
    ~ResourceBundles() { unregister_resource_bundles(); }
};
const ResourceBundles resource_bundles;
} // namespace

namespace Files {

const QString desired_FW_fileName_dfu = "firmware.dfu";
const QString desired_FW_fileName_bin = "firmware.bin";
const QString uploaded_FW_fileName_bin = "uploaded_FW.bin";
const QString uploaded_FW_info_fileName_bin = "uploaded_FW_info.bin";
const QString uploaded_OTP_fileName_bin = "uploaded_OTP.bin";
// On Linux the embedded dfu-util loads libusb under its soname from its own directory.
const QString dfu_util_executable_fileName = "dfu-util";

const std::map<ID, QString> basename = {
    {dfu_util_exe, dfu_util_executable_fileName},
    {libusb_dylib, "libusb-1.0.so.0"},
    {desired_FW_dfu, desired_FW_fileName_dfu},
    {desired_FW_bin, desired_FW_fileName_bin},
    {uploaded_FW_bin, uploaded_FW_fileName_bin},
    {uploaded_FW_info_bin, uploaded_FW_info_fileName_bin},
    {uploaded_OTP_bin, uploaded_OTP_fileName_bin},
};

QString temporary_base()
{
    // Qt's temporary path is empty when $TMPDIR names no folder, and the template would then
    // put the working folder into "/". The folder named is tried as it is, and fails.
    const QString path = QDir::tempPath();
    if (!path.isEmpty())
        return path;
    const QString named = qEnvironmentVariable("TMPDIR");
    return named.isEmpty() ? QString("/tmp") : QFileInfo(named).absoluteFilePath();
}

// Written into a working folder once its run holds the folder's lock: a folder without it may
// belong to a run that is just starting.
const QString run_marker_fileName = ".velmora-run";

namespace {

bool writable_by_others(const struct stat& st)
{
    return (st.st_mode & (S_IWGRP | S_IWOTH)) != 0 && (st.st_mode & S_ISVTX) == 0;
}

} // namespace

bool is_safe_base(const QString& path)
{
    // A folder that does not exist holds nothing to replace: making the working folder fails.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return true;
    QString folder = canonical;
    for (;;) {
        struct stat st;
        if (::lstat(QFile::encodeName(folder).constData(), &st) != 0)
            return false;
        if ((st.st_uid != ::geteuid() && st.st_uid != 0) || writable_by_others(st))
            return false;
        if (folder == "/")
            return true;
        folder = QFileInfo(folder).path();
    }
}

WorkingFolder::WorkingFolder(const QString& base)
{
    safe_base = is_safe_base(base);
    if (!safe_base)
        return;
    // Made under the folder's real path, so that no link above it can be turned elsewhere later.
    const QString canonical = QFileInfo(base).canonicalFilePath();
    dir.emplace((canonical.isEmpty() ? base : canonical) + "/upgrade_XXXXXX");
    if (!dir->isValid())
        return;
    lock_fd = ::open(QFile::encodeName(dir->path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lock_fd >= 0 && ::flock(lock_fd, LOCK_EX | LOCK_NB) == 0) {
        QFile marker(dir->path() + "/" + run_marker_fileName);
        marker.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    }
}

WorkingFolder::~WorkingFolder()
{
    // Removed while still locked: no other run takes it for a stale one half-way.
    dir.reset();
    if (lock_fd >= 0)
        ::close(lock_fd);
}

bool WorkingFolder::isValid() const
{
    return dir && dir->isValid();
}

QString WorkingFolder::path() const
{
    return isValid() ? dir->path() : QString();
}

QString WorkingFolder::errorString() const
{
    return dir ? dir->errorString() : QString("the folder can be changed by another user");
}

WorkingFolder& external_dir()
{
    // Made at its first use, once start-up has read the command line: --help and --version
    // make no folder.
    static WorkingFolder folder(temporary_base());
    return folder;
}

QStringList remove_stale_working_folders(const QString& base)
{
    QStringList removed;
    const QString canonical = QFileInfo(base).canonicalFilePath();
    if (canonical.isEmpty() || !is_safe_base(canonical))
        return removed;
    const int base_fd = ::open(QFile::encodeName(canonical).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (base_fd < 0)
        return removed;
    const QStringList names = QDir(canonical).entryList({"upgrade_??????"},
                                                        QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        // Opened without following a link; the checks are made on what was opened.
        const int fd = ::openat(base_fd, QFile::encodeName(name).constData(),
                                O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st;
        struct stat marker;
        // A live run holds the lock until it ends, however it ends.
        if (::fstat(fd, &st) == 0 && st.st_uid == ::geteuid() && ::flock(fd, LOCK_EX | LOCK_NB) == 0
            && ::fstatat(fd, QFile::encodeName(run_marker_fileName).constData(), &marker, AT_SYMLINK_NOFOLLOW) == 0
            && QDir(canonical + "/" + name).removeRecursively())
            removed << name;
        ::close(fd);
    }
    ::close(base_fd);
    return removed;
}

bool tools_installed()
{
#ifdef VELMORA_TOOLS_INSTALLED
    return true;
#else
    return false;
#endif
}

QString tool_dir()
{
    // Installed by the package beside the program (lib/ beside bin/), wherever it was unpacked.
    return tools_installed() ? QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../lib/velmora-fw-upgrade")
                             : external_dir().path();
}

QString prepare_working_folder()
{
    if (!external_dir().base_is_safe()) {
        qWarning() << "No working folder is made in a folder that another user can change:" << temporary_base();
        return "status_unsafeTmpDir";
    }
    for (const QString& name : remove_stale_working_folders(temporary_base()))
        qInfo() << "Removed the working folder an ended run left:" << name;

    const bool unpack_tool = !tools_installed();
    QList<ID> ids{desired_FW_dfu, desired_FW_bin};
    if (unpack_tool)
        ids << dfu_util_exe << libusb_dylib;
    const bool extracted = extract_resources(ids, true);
    const bool marked = !unpack_tool || support_misc::mark_file_executable(path_of(dfu_util_executable_fileName));
    if (!external_dir().isValid())
        return "status_noWorkDir";
    if (!extracted || !marked)
        return "status_noExtract";
    struct statvfs fs;
    if (unpack_tool && ::statvfs(QFile::encodeName(external_dir().path()).constData(), &fs) == 0
        && (fs.f_flag & ST_NOEXEC) != 0) {
        qWarning() << "The working folder is on a file system that runs no programs (noexec):"
                   << external_dir().path();
        return "status_noExec";
    }
    return {};
}

QString path_of(const QString& file_name)
{
    // Without the folder there is no place for working files: never "/" and the name.
    if (!external_dir().isValid())
        return {};
    return external_dir().path() + "/" + file_name;
}

namespace {

// As QFile::copy (an existing file is kept, the copy gets the source's permissions), but in
// one write: the copy goes in 4-KiB blocks, which is most of what extracting costs at start-up.
// Unbuffered, so that a short write (a full disk) is seen as one.
bool extract(const QString& resource, const QString& path)
{
    QFile source(resource);
    QFile target(path);
    if (path.isEmpty() || !source.open(QIODevice::ReadOnly)
        || !target.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray bytes = source.readAll();
    const bool written = target.write(bytes) == bytes.size() && source.size() == bytes.size();
    target.close();
    if (!written || target.error() != QFileDevice::NoError || !target.setPermissions(source.permissions())) {
        target.remove();
        return false;
    }
    return true;
}

} // namespace

bool extract_resources(QList<ID> ids, bool report_failure)
{
    if (!external_dir().isValid()) {
        qInfo() << "Failed to create temporary directory:" << external_dir().errorString();
        return false;
    }
    bool all_ok = true;
    for (const ID id : ids) {
        const QString name = basename.at(id);
        if (extract(":resources/" + name, path_of(name))) {
            qDebug() << "Extracted " << name;
        } else {
            qInfo() << "Failed to extract " << name;
            all_ok = false;
        }
    }
    return report_failure ? all_ok : true;
}

} // namespace Files
