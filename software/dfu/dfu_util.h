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

    operator QString() const;
};

// The seven command lines; rewritten only by the simulator set-up at start-up.
extern std::map<CmdID, Command> commands;

struct Result {
    int code = 0; // 0 success, else the child's exit code, -1 when it did not run or exit normally
    QString text; // standard output up to the first NUL
};

// A child still running after this long is waited for again without limit, never killed.
constexpr int run_timeout_ms = 30000;

Result run_command(CmdID id, const QStringList& extra = {});

namespace dfu_util {

extern const QString expected_output_of_execution_test;

bool execution_test();
QString basename();
QString full_path();

} // namespace dfu_util

} // namespace DFU
