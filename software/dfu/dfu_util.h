#pragma once

#include <QString>
#include <QStringList>

#include <map>

namespace DFU {

enum class CmdID : int {
    version = 0,
    list = 1,
    upload_OTP = 2,
    upload_FW_Info = 3,
    upload_FW = 4,
    download_FW = 5,
    setup_prepared_config = 6,
};

struct Command {
    QString program;
    QStringList arguments;

    // Directory the executable is started from; empty: the program name as it stands.
    static QString path;

};

// The seven command lines; rewritten only by the simulator set-up at start-up.
extern std::map<CmdID, Command> commands;

struct Result {
    int code = 0; // 0 success, else the child's exit code, -1 when it did not run or exit normally
    QString text; // standard output up to the first NUL
    QString errors; // standard error: dfu-util's own reasons
};

// A child that has printed nothing for this long is not answering: the observer is told, and
// the child is waited for again.
extern int run_timeout_ms;

// dfu-util reports progress every few seconds while it transfers; one that has printed
// nothing for this long is hung, and may be ended when the observer allows it.
extern int silent_child_limit_ms;

// A child silent for this long is said to be, and then once a second with the seconds of
// silence: a transfer's bar that stops moving is explained while the user still looks at it.
extern int silence_told_ms;

// The code of a run that was ended because it had hung.
constexpr int code_ended_hung = -2;
// The code of a transfer that failed because the unit went away (was unplugged) during it.
constexpr int code_unit_gone = -3;

// Watches the runs made on one thread: the output as it arrives, and whether a hung child
// may be given up.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    virtual void run_started(CmdID id);
    virtual void output(CmdID id, const QByteArray& standard_output);
    // The child has printed nothing for run_timeout_ms (on either channel) and is waited for.
    virtual void not_answering(CmdID id);
    // The child has printed nothing for this many whole seconds, at least silence_told_ms.
    virtual void silent(CmdID id, int seconds);
    virtual bool may_end_hung_child(CmdID id);
};

// For the calling thread; null: nobody watches.
void set_run_observer(RunObserver* observer);

// When the working folder or the USB tool in it cannot be used, nothing is run at all: a
// dfu-util found elsewhere must never touch a unit, nor write its files anywhere else.
void refuse_runs(const QString& why);
bool runs_refused();

Result run_command(CmdID id, const QStringList& extra = {});

// "-S" and the serial, so that dfu-util itself refuses any other unit; nothing for an empty serial.
QStringList serial_option(const QString& serial);

namespace dfu_util {

extern const QString expected_output_of_execution_test;

bool execution_test();
// What the last execution test's run gave: why the tool cannot be used, when it cannot.
Result last_execution_test();
QString basename();
QString full_path();

} // namespace dfu_util

} // namespace DFU
