#include "dfu/dfu_util.h"

#include "files/files.h"
#include "files/support_misc.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "dfu_util_banner.h"

namespace DFU {

QString Command::path;

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
int silence_told_ms = 5000;

void RunObserver::run_started(CmdID) {}

void RunObserver::output(CmdID, const QByteArray&) {}

void RunObserver::not_answering(CmdID) {}

void RunObserver::silent(CmdID, int) {}

bool RunObserver::may_end_hung_child(CmdID)
{
    return false;
}

namespace {

thread_local RunObserver* observer = nullptr;

std::mutex refusal_mutex;
QString refusal; // guarded by refusal_mutex

// A child started with posix_spawn rather than QProcess. QProcess forks: each of the two
// listings a second copied the page tables of this whole window process, which was most of the
// program's CPU time while it waits for a unit. posix_spawn shares them until the exec.
// SIGPIPE is ignored here and so stays ignored in the child: dfu-util writes its progress all
// through a transfer, and if this program ends while it writes, a closed pipe must not kill it
// in the middle of programming the flash.
class Child {
public:
    Child() = default;
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child()
    {
        if (pid > 0)
            end();
        for (const int fd : {out_fd, err_fd})
            if (fd >= 0)
                ::close(fd);
    }

    // False with the reason when the program could not be run at all.
    bool start(const QString& program, const QStringList& arguments, QString* reason)
    {
        // Ignored, not handled: a handled signal is reset to its default in the child.
        static std::once_flag ignoring;
        std::call_once(ignoring, [] { ::signal(SIGPIPE, SIG_IGN); });
        int out[2];
        int err[2];
        if (::pipe2(out, O_CLOEXEC) != 0) {
            *reason = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        if (::pipe2(err, O_CLOEXEC) != 0) {
            *reason = QString::fromLocal8Bit(std::strerror(errno));
            ::close(out[0]);
            ::close(out[1]);
            return false;
        }
        out_fd = out[0];
        err_fd = err[0];
        // Only this end: the child's must block, or its writes to a full pipe would fail.
        ::fcntl(out_fd, F_SETFL, O_NONBLOCK);
        ::fcntl(err_fd, F_SETFL, O_NONBLOCK);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&attributes, &none); // a worker thread's mask is not the child's
        // A process group of its own: a terminal's Ctrl-C, hang-up or job-control signal goes to
        // the foreground group, and must reach only this program, which lets a transfer finish.
        posix_spawnattr_setpgroup(&attributes, 0);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETPGROUP);

        const QByteArray path = QFile::encodeName(program);
        std::vector<QByteArray> storage{path};
        for (const QString& argument : arguments)
            storage.push_back(argument.toLocal8Bit());
        std::vector<char*> argv;
        for (QByteArray& bytes : storage)
            argv.push_back(bytes.data());
        argv.push_back(nullptr);
        // A bare name is looked for on PATH, as QProcess did; a path is taken as it is.
        const int failed = program.contains('/')
            ? ::posix_spawn(&pid, path.constData(), &actions, &attributes, argv.data(), environ)
            : ::posix_spawnp(&pid, path.constData(), &actions, &attributes, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
        ::close(out[1]);
        ::close(err[1]);
        if (failed != 0) {
            pid = -1;
            *reason = QString::fromLocal8Bit(std::strerror(failed));
            return false;
        }
        return true;
    }

    // Reads what the child printed within ms; true once it has ended and all it printed is read.
    bool wait(int ms)
    {
        // A closed pipe's -1 is passed over by poll.
        pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
        const bool piped = out_fd >= 0 || err_fd >= 0;
        if (piped)
            ::poll(fds, 2, ms);
        drain(out_fd, out);
        drain(err_fd, err);
        // With both pipes closed there is nothing to wait on but the end itself.
        for (int waited = 0; !ended; ++waited) {
            if (::waitpid(pid, &status, WNOHANG) == pid)
                ended = true;
            else if (piped || waited >= ms)
                break;
            else
                ::usleep(1000);
        }
        if (ended) {
            // A grandchild may hold the pipes open: what is there now is all that is taken.
            drain(out_fd, out);
            drain(err_fd, err);
        }
        return ended;
    }

    QByteArray take_output() { return std::exchange(out, {}); }
    QByteArray take_errors() { return std::exchange(err, {}); }
    // Kills the child and waits for it to be gone; at once if it already is.
    void end()
    {
        if (!ended)
            ::kill(pid, SIGKILL);
        while (!wait(100)) {
        }
    }
    bool normal_exit() const { return ended && WIFEXITED(status); }
    int exit_code() const { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

private:
    static void drain(int& fd, QByteArray& into)
    {
        char buffer[16384];
        while (fd >= 0) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n > 0) {
                into.append(buffer, static_cast<int>(n));
            } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
                ::close(fd);
                fd = -1;
            } else if (errno == EAGAIN) {
                return;
            }
        }
    }

    pid_t pid = -1;
    int out_fd = -1;
    int err_fd = -1;
    int status = 0;
    bool ended = false;
    QByteArray out;
    QByteArray err;
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

namespace {

// What a child printed while it ran, and whether it was ended for hanging.
struct Watched {
    QByteArray output;
    QByteArray errors;
    bool hung = false;
};

// Read as it comes: the observer shows progress, and a child that has printed nothing
// for long can be told from one that is busy writing flash. A line on either channel is a
// sign of life.
Watched watch(Child& process, CmdID id)
{
    Watched watched;
    QElapsedTimer silent;
    silent.start();
    bool said_not_answering = false;
    int said_silent = -1; // the seconds of silence told last
    for (;;) {
        const bool ended = process.wait(100);
        const QByteArray out = process.take_output();
        const QByteArray err = process.take_errors();
        if (!out.isEmpty() || !err.isEmpty()) {
            silent.restart();
            said_not_answering = false;
            said_silent = -1;
        }
        watched.output += out;
        watched.errors += err;
        if (!out.isEmpty() && observer)
            observer->output(id, out);
        if (ended)
            return watched;
        if (observer && silent.elapsed() >= silence_told_ms && silent.elapsed() / 1000 != said_silent) {
            said_silent = int(silent.elapsed() / 1000);
            observer->silent(id, said_silent);
        }
        if (!said_not_answering && silent.elapsed() >= run_timeout_ms) {
            said_not_answering = true;
            qInfo() << "waitForFinished(): Process did not finish in time, exit status:" << QProcess::NormalExit
                    << "and output:" << decode_output(watched.output);
            qInfo() << "will wait again, forever";
            watched.output.clear(); // in the log, not in the result
            if (observer)
                observer->not_answering(id);
        }
        if (silent.elapsed() >= silent_child_limit_ms && observer && observer->may_end_hung_child(id)) {
            qInfo() << "dfu-util printed nothing for" << silent.elapsed() / 1000 << "s and is taken to hang: ended";
            watched.hung = true;
            process.end();
            return watched;
        }
    }
}

} // namespace

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
    Child process;
    QString reason;
    // A program that never ran must not look like one that succeeded with no output.
    if (!process.start(program, arguments, &reason)) {
        qInfo() << "Program could not be started:" << program << arguments << reason;
        return {-1, {}, {}};
    }
    const Watched watched = watch(process, id);

    Result result;
    result.text = decode_output(watched.output);
    result.errors = decode_output(watched.errors);
    result.code = watched.hung ? code_ended_hung : process.normal_exit() ? process.exit_code() : -1;
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
    const QString dir = Files::tool_dir();
    return dir.isEmpty() ? QString() : dir + "/" + Files::dfu_util_executable_fileName;
}

} // namespace dfu_util

} // namespace DFU
