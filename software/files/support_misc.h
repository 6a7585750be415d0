#pragma once

#include <QChar>
#include <QDebug>
#include <QString>
#include <QStringList>

namespace support_misc {

enum class Platform : int { Linux = 0, macOS = 1, Windows = 2, Unknown = 3 };

constexpr bool compiled_w_DEBUG = false;
// A service build may write a unit with a blank product record; this program never does.
constexpr bool service_build = false;

Platform compiled_for_platform();
bool compiled_for_platform(Platform platform);

bool mark_file_executable(QString path);
void ensure_file_is_deleted(QString path);
QString maybe_use_file_instead_of_resource(QString resource_path);

// Throws the QString "Couldn't open file: <path>" when the file cannot be opened.
QString load_text_file(QString path);

QString remove_carriage_returns(QString text, QChar character);
// text with %1 to %9 given their values, all in one pass: a value that holds a placeholder
// itself (a folder may) is never filled in turn. A placeholder without a value stays.
QString fill_placeholders(const QString& text, const QStringList& values);

} // namespace support_misc

QDebug operator<<(QDebug debug, support_misc::Platform platform);

inline bool have_service_build()
{
    return support_misc::service_build;
}
