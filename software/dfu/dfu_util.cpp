#include "dfu/dfu_util.h"

#include "files/files.h"
#include "files/support_misc.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QProcess>

#include <atomic>
#include <csignal>
#include <mutex>

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

int run_timeout_ms = 30000;
int silent_child_limit_ms = 60000;

void RunObserver::run_started(CmdID) {}

void RunObserver::output(CmdID, const QByteArray&) {}

void RunObserver::not_answering(CmdID) {}

bool RunObserver::may_end_hung_child()
{
    return false;
}

namespace {

thread_local RunObserver* observer = nullptr;

std::mutex refusal_mutex;
QString refusal; // guarded by refusal_mutex

// Qt lets a child die of SIGPIPE (it resets the signal before exec). dfu-util writes its
// progress all through a transfer: if this program ends while it writes, the pipe closes,
// and a default SIGPIPE would kill it in the middle of programming the flash.
class ChildProcess : public QProcess {
protected:
    void setupChildProcess() override { ::signal(SIGPIPE, SIG_IGN); }
};

// dfu-util gives its reasons on standard error: they belong in a log sent to service. The
// listing runs twice a second, so its messages are logged when they change.
void log_standard_error(CmdID id, const QString& errors)
{
    static QString last_listing_errors; // runs are made on one thread at a time
    if (id == CmdID::list) {
        if (errors == last_listing_errors)
            return;
        last_listing_errors = errors;
    }
    if (!errors.isEmpty())
        qInfo().noquote() << "dfu-util on standard error:" << errors.trimmed();
}

} // namespace

void set_run_observer(RunObserver* new_observer)
{
    observer = new_observer;
}

void refuse_runs(const QString& why)
{
    const std::lock_guard<std::mutex> lock(refusal_mutex);
    refusal = why;
}

bool runs_refused()
{
    const std::lock_guard<std::mutex> lock(refusal_mutex);
    return !refusal.isEmpty();
}

Result run_command(CmdID id, const QStringList& extra)
{
    const Command& command = commands.at(id);
    const QString program = Command::path.isEmpty() ? command.program
                                                    : Command::path + "/" + command.program;
    const QStringList arguments = command.arguments + extra;

    {
        const std::lock_guard<std::mutex> lock(refusal_mutex);
        if (!refusal.isEmpty()) {
            // Said once: the worker would repeat it twice a second.
            static std::atomic<bool> said{false};
            if (!said.exchange(true))
                qInfo() << "No dfu-util is run:" << refusal;
            return {-1, {}, {}};
        }
    }

    // The worker lists devices every few hundred milliseconds; those runs stay out of the log.
    if (id != CmdID::list)
        qInfo() << "Start " << program << arguments;

    if (observer)
        observer->run_started(id);
    ChildProcess process;
    process.start(program, arguments, QIODevice::ReadWrite);
    // A program that never ran must not look like one that succeeded with no output.
    if (!process.waitForStarted(run_timeout_ms)) {
        qInfo() << "Program could not be started:" << program << arguments << process.errorString();
        return {-1, {}, {}};
    }

    QByteArray output;
    QByteArray errors;
    QElapsedTimer running;
    QElapsedTimer silent;
    running.start();
    silent.start();
    bool timed_out = false;
    bool hung = false;
    // Read as it comes: the observer shows progress, and a child that has printed nothing
    // for long can be told from one that is busy writing flash.
    while (!process.waitForFinished(100) && process.state() != QProcess::NotRunning) {
        const QByteArray out = process.readAllStandardOutput();
        const QByteArray err = process.readAllStandardError();
        if (!out.isEmpty() || !err.isEmpty())
            silent.restart();
        output += out;
        errors += err;
        if (!out.isEmpty() && observer)
            observer->output(id, out);
        if (!timed_out && running.elapsed() >= run_timeout_ms) {
            timed_out = true;
            qInfo() << "waitForFinished(): Process did not finish in time, exit status:"
                    << process.exitStatus() << "and output:" << decode_output(output);
            qInfo() << "will wait again, forever";
            output.clear(); // in the log, not in the result
            if (observer)
                observer->not_answering(id);
        }
        if (silent.elapsed() >= silent_child_limit_ms && observer && observer->may_end_hung_child()) {
            qInfo() << "dfu-util printed nothing for" << silent.elapsed() / 1000
                    << "s and is taken to hang: ended, so that the program can stop";
            hung = true;
            process.kill();
            process.waitForFinished(-1);
            break;
        }
    }
    const QByteArray rest = process.readAllStandardOutput();
    if (!rest.isEmpty() && observer)
        observer->output(id, rest);
    output += rest;
    errors += process.readAllStandardError();

    Result result;
    result.text = decode_output(output);
    result.errors = decode_output(errors);
    result.code = !hung && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (result.code != 0)
        qInfo() << "Exit with" << result.code << "from" << program << arguments << "returned:" << result.text;
    log_standard_error(id, result.errors);
    return result;
}

QStringList serial_option(const QString& serial)
{
    if (serial.isEmpty())
        return {};
    return {"-S", serial};
}

namespace dfu_util {

const QString expected_output_of_execution_test = QString::fromUtf8(embedded_dfu_util_banner);

static Result last_execution;

Result last_execution_test()
{
    return last_execution;
}

bool execution_test()
{
    const Result result = run_command(CmdID::version);
    last_execution = result;
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
    return Files::path_of(Files::dfu_util_executable_fileName);
}

} // namespace dfu_util

} // namespace DFU
