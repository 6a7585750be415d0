#include "files/files.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

// The bundles must be registered before anything can be extracted; they are registered
// here, ahead of the working directory, so that this happens first in this file's
// initialisation. Q_INIT_RESOURCE may not stand inside a namespace.
static void register_resource_bundles()
{
    Q_INIT_RESOURCE(fonts);
    Q_INIT_RESOURCE(dfu_util_linux);
    Q_INIT_RESOURCE(resources);
}

static void unregister_resource_bundles()
{
    Q_CLEANUP_RESOURCE(resources);
    Q_CLEANUP_RESOURCE(dfu_util_linux);
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

QTemporaryDir external_dir(temporary_base() + "/upgrade_XXXXXX");

QString path_of(const QString& file_name)
{
    // Without the folder there is no place for working files: never "/" and the name.
    if (!external_dir.isValid())
        return {};
    return external_dir.path() + "/" + file_name;
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
    if (!external_dir.isValid()) {
        qInfo() << "Failed to create temporary directory:" << external_dir.errorString();
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
