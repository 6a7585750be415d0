#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace testsupport {

QByteArray read_file(const QString& path);
void write_file(const QString& path, const QByteArray& bytes);

// Runs tools/make_firmware.py with the given arguments; fails the test on error.
bool make_firmware(const QStringList& arguments);

} // namespace testsupport
