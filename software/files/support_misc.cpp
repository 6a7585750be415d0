#include "files/support_misc.h"

#include <QFile>
#include <QFileInfo>

namespace support_misc {

Platform compiled_for_platform()
{
    return Platform::Linux;
}

bool compiled_for_platform(Platform platform)
{
    return platform == compiled_for_platform();
}

bool mark_file_executable(QString path)
{
    if (!QFileInfo::exists(path)) {
        qWarning() << "Failed to mark file (doesn't exist) as executable:" << path;
        return false;
    }
    qDebug() << "Changing file permissions to make it executable:" << path;
    const auto permissions = QFile::permissions(path)
        | QFileDevice::ExeUser | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    return QFile::setPermissions(path, permissions);
}

void ensure_file_is_deleted(QString path)
{
    const QFileInfo info(path);
    if (info.exists() && info.isFile())
        QFile::remove(path);
}

QString maybe_use_file_instead_of_resource(QString resource_path)
{
    return resource_path;
}

QString load_text_file(QString path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw QString("Couldn't open file: %1").arg(path);
    QByteArray bytes = file.readAll();
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return QString::fromUtf8(bytes);
}

QString remove_carriage_returns(QString text, QChar character)
{
    return text.remove(character, Qt::CaseSensitive);
}

QString fill_placeholders(const QString& text, const QStringList& values)
{
    QString filled;
    for (int i = 0; i < text.size(); ++i) {
        const int place = i + 1 < text.size() && text[i] == '%' ? text[i + 1].digitValue() : -1;
        if (place >= 1 && place <= values.size()) {
            filled += values[place - 1];
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}

} // namespace support_misc

QDebug operator<<(QDebug debug, support_misc::Platform platform)
{
    static const char* const names[] = {"Linux", "macOS", "windows", "unknown"};
    const int index = static_cast<int>(platform);
    const QDebugStateSaver saver(debug);
    debug.noquote() << ((index >= 0 && index < 4) ? names[index] : "unknown");
    return debug;
}
