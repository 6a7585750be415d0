#include "dfu/dfu_util.h"

#include "files/files.h"
#include "files/support_misc.h"

#include <QDebug>
#include <QProcess>

#include "dfu_util_banner.h"

namespace DFU {

QString Command::path;

Command::operator QString() const
{
    return program + "(" + arguments.join(",") + ")";
}

std::map<CmdID, Command> commands = {
    {CmdID::version, {"dfu-util", {"-V"}}},
    {CmdID::list, {"dfu-util", {"-d", "0483", "-l"}}},
    {CmdID::upload_OTP, {"dfu-util", {"-d", "0483", "-a", "2", "-s", "0x1FFF7800:512", "-U"}}},
    {CmdID::upload_FW_Info, {"dfu-util", {"-d", "0483", "-a", "0", "-s", "0x08000000:2048", "-U"}}},
    {CmdID::upload_FW, {"dfu-util", {"-d", "0483", "-a", "0"}}},
    {CmdID::download_FW, {"dfu-util", {"-d", "0483", "-a", "0", "-s", "0x08000000:leave", "-D"}}},
    {CmdID::setup_prepared_config, {"dfu-util", {}}},
};

static QString decode_output(QByteArray bytes)
{
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return QString::fromUtf8(bytes);
}

Result run_command(CmdID id, const QStringList& extra)
{
    QProcess process;
    const Command& command = commands.at(id);
    const QString program = Command::path.isEmpty() ? command.program
                                                    : Command::path + "/" + command.program;
    const QStringList arguments = command.arguments + extra;

    // The worker lists devices every few hundred milliseconds; those runs stay out of the log.
    if (id != CmdID::list)
        qInfo() << "Start " << program << arguments;

    process.start(program, arguments, QIODevice::ReadWrite);
    // A program that never ran must not look like one that succeeded with no output.
    if (!process.waitForStarted(run_timeout_ms)) {
        qInfo() << "Program could not be started:" << program << arguments << process.errorString();
        return {-1, {}};
    }

    if (!process.waitForFinished(run_timeout_ms)) {
        const QString so_far = decode_output(process.readAllStandardOutput());
        qInfo() << "waitForFinished(): Process did not finish in time, exit status:"
                << process.exitStatus() << "and output:" << so_far;
        qInfo() << "will wait again, forever";
        process.waitForFinished(-1);
    }

    Result result;
    result.text = decode_output(process.readAllStandardOutput());
    result.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (result.code != 0)
        qInfo() << "Exit with" << result.code << "from" << program << arguments << "returned:" << result.text;
    return result;
}

namespace dfu_util {

const QString expected_output_of_execution_test = QString::fromUtf8(embedded_dfu_util_banner);

bool execution_test()
{
    const Result result = run_command(CmdID::version);
    QString output = result.text;
    if (support_misc::compiled_for_platform(support_misc::Platform::Windows))
        output = support_misc::remove_carriage_returns(output, QChar(13));
    const bool as_expected = output == expected_output_of_execution_test;

    auto line = qInfo();
    line << "Result of execution test: status was" << (result.code == 0 ? "ok" : "bad") << "and output:";
    if (as_expected)
        line << "as expected";
    else
        line << output;
    return result.code == 0 && as_expected;
}

QString basename()
{
    return Files::dfu_util_executable_fileName;
}

QString full_path()
{
    return QString("%1/%2").arg(Files::external_dir.path(), Files::dfu_util_executable_fileName);
}

} // namespace dfu_util

} // namespace DFU
