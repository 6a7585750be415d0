#include "test_support.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

namespace testsupport {

QByteArray read_file(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void write_file(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
}

bool make_firmware(const QStringList& arguments)
{
    QProcess process;
    process.start(SYSTEM_PYTHON3, QStringList{QString(SOURCE_DIR) + "/tools/make_firmware.py"} + arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace testsupport
