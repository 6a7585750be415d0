#pragma once

#include "dfu/device_info.h"
#include "dfu/progress.h"

#include <QString>
#include <QThread>

#include <condition_variable>
#include <functional>
#include <mutex>

// The device worker: every dfu-util run after start-up happens on this thread, one at a time.
class SM_A : public QThread, private DFU::RunObserver {
    Q_OBJECT

public:
    enum Command : int { cmd_none = 0, cmd_download = 1, cmd_upload_and_compare = 2 };
    // Why no unit can be used although the scan saw something.
    enum Problem : int { problem_none = 0, problem_several_units = 1, problem_no_permission = 2,
                         problem_not_answering = 3, problem_unknown_device = 4,
                         problem_unaddressable = 5 };

    // What the worker knows of the connected unit, and which reading of a unit it came from.
    struct Snapshot {
        DFU::DeviceInfo info;
        QString serial; // as dfu-util listed the unit
        quint64 connection = 0;
    };

    SM_A(QString desired_FW_dfu_path, QString desired_FW_bin_path, QString uploaded_FW_bin_path,
         QObject* parent = nullptr);
    ~SM_A() override;

    // A command belongs to the unit whose snapshot was evaluated last (see evaluated());
    // it is dropped if the worker reads another unit before taking it.
    void set_command(Command command);
    Command get_command();
    void do_stop();
    bool is_stopping();
    // True while dfu-util writes the flash or reads it back: a run that must not be cut short.
    bool is_transferring();
    // Asks for a stop; a write or read-back under way is let finish (a cut one can leave a
    // unit that does not start). True when one is: `then` runs in `context`'s thread once
    // the worker has ended. Both faces stop this way.
    bool stop_after_transfer(QObject* context, std::function<void()> then);
    void enable_debug_output();

    Snapshot snapshot();
    void evaluated(quint64 connection);

    // Set before the start: a worker that serves one unit of a hub sees only that serial.
    QString only_serial;
    int idle_interval_ms = 200;
    int poll_interval_ms = 200;

signals:
    void sig_NoDevConn();
    void sig_DevConn();
    void sig_scanning();
    void sig_readingInfo();
    void sig_DeviceError(QString message);
    void sig_FwDownloading();
    void sig_FwDownloaded();
    void sig_FwUploading();
    void sig_FwUploadedDiffers();
    void sig_FwUploadedMatches();
    // The flash could not be read back or compared: nothing is known of it (a settings text id
    // naming why, and what it is filled with).
    void sig_FwCheckNotMade(QString reason_id, QString argument);
    // dfu-util's own progress in a download or read-back (phase as DFU::Phase).
    void sig_Progress(int phase, int percent, qint64 bytes);
    // The download's exit code: 0 when dfu-util wrote the whole image.
    void sig_FwDownloadResult(int code);
    // A running download or read-back has printed nothing for this many seconds (once a second).
    void sig_Silent(int seconds);
    void sig_Problem(int problem);
    // The one unit listed has a serial that cannot be read for certain (as far as it could be
    // read): it is never addressed. Said before its problem_unaddressable.
    void sig_Unaddressable(QString serial);
    void sig_A0_entered();
    void sig_A1_entered();
    void sig_A2_entered();
    void sig_A3_entered();
    void sig_A4_entered();
    void sig_A5_entered();
    void sig_A6_entered();
    void sig_A7_entered();

protected:
    void run() override;

private:
    // A state of the worker's loop; `stop` ends the thread.
    enum class State { A0, A1, A2, A4, A5, A6, A7, stop };
    State enter_A0();
    State enter_A1();
    State enter_A2();
    State enter_A4();
    State enter_A5();
    State enter_A6();
    State enter_A7();
    void tell_unaddressable(const DFU::ScanResult& scan, bool unaddressable);
    Command take_command();
    bool same_unit_still_there(const DFU::ScanResult& scan) const;
    bool still_the_judged_unit(const DFU::DeviceItem& item);
    bool begin_transfer();
    void end_transfer();
    bool may_end_hung_child(DFU::CmdID id) override;
    void run_started(DFU::CmdID id) override;
    void output(DFU::CmdID id, const QByteArray& standard_output) override;
    void not_answering(DFU::CmdID id) override;
    void silent(DFU::CmdID id, int seconds) override;
    void report(Problem problem);
    // Sleeps, but wakes at once when a stop is asked for, and with for_command when a command
    // is set; true when stopping.
    bool pause(int ms, bool for_command = false);

    // Guarded by mutex: info, info_serial, command, command_connection, evaluated_connection,
    // connection, stopping, transferring.
    DFU::DeviceInfo info;
    QString info_serial;
    QString desired_FW_dfu_path;
    QString desired_FW_bin_path;
    QString uploaded_FW_bin_path;
    QString last_serial; // worker thread only
    DFU::ProgressParser progress; // worker thread only
    Problem reported = problem_none; // worker thread only
    bool told_unaddressable = false; // worker thread only, with the serial told
    QString unaddressable_serial;
    Command command = cmd_none;
    quint64 connection = 0;
    quint64 evaluated_connection = 0;
    quint64 command_connection = 0;
    bool stopping = false;
    bool transferring = false;
    // A standard mutex rather than QMutex: the thread sanitizer sees through it, so the
    // guarding above is checked by the test suite.
    std::mutex mutex;
    std::condition_variable woken; // a stop or a command
};

Q_DECLARE_METATYPE(SM_A::Command)
