#include "machines/sm_a.h"

#include "device/device_text.h"
#include "dfu/firmware_transfer.h"

#include <QDebug>

#include <atomic>

namespace {
std::atomic<bool> first_A1_pass_done{false};
std::atomic<int> last_printed_code{0};
} // namespace

SM_A::SM_A(QString desired_FW_dfu_path, QString desired_FW_bin_path, QString uploaded_FW_bin_path,
           QObject* parent)
    : QThread(parent)
    , desired_FW_dfu_path(std::move(desired_FW_dfu_path))
    , desired_FW_bin_path(std::move(desired_FW_bin_path))
    , uploaded_FW_bin_path(std::move(uploaded_FW_bin_path))
{
    qDebug() << "SM_A created";
}

SM_A::~SM_A()
{
    do_stop();
    qDebug() << "SM_A: Waiting in dtor";
    wait();
    // The loop's last act was to look at the stop flag under the lock; taking it once more
    // orders everything the thread did before the members go (and lets the thread
    // sanitizer see that order, which QThread::wait() keeps inside Qt).
    const std::lock_guard<std::mutex> lock(mutex);
}

void SM_A::set_command(Command new_command)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        command = new_command;
        command_connection = evaluated_connection;
    }
    woken.notify_all();
}

SM_A::Command SM_A::get_command()
{
    const std::lock_guard<std::mutex> lock(mutex);
    return command;
}

void SM_A::do_stop()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    woken.notify_all();
}

bool SM_A::pause(int ms, bool for_command)
{
    // A stop is answered within a dfu-util run, not after a whole polling pause: the user
    // who pressed Escape waits for it, and the window gives the worker one second. A click
    // is answered as soon: the user waits for the bar to move.
    std::unique_lock<std::mutex> lock(mutex);
    woken.wait_for(lock, std::chrono::milliseconds(ms),
                   [this, for_command] { return stopping || (for_command && command != cmd_none); });
    return stopping;
}

bool SM_A::is_stopping()
{
    const std::lock_guard<std::mutex> lock(mutex);
    return stopping;
}

bool SM_A::is_transferring()
{
    const std::lock_guard<std::mutex> lock(mutex);
    return transferring;
}

bool SM_A::stop_after_transfer(QObject* context, std::function<void()> then)
{
    // Asked first, so that no transfer can begin after the look below; and waited for before
    // the look, so that a transfer ending meanwhile cannot end the thread unheard.
    do_stop();
    const QMetaObject::Connection waiting = connect(this, &QThread::finished, context, [then] {
        qInfo() << "The transfer has ended";
        then();
    }, Qt::QueuedConnection);
    if (is_transferring())
        return true;
    disconnect(waiting);
    return false;
}

bool SM_A::begin_transfer()
{
    // Under the one lock with the stop flag: a stop asked for before this point keeps the
    // transfer from starting, one asked for after it sees the transfer and waits for it.
    const std::lock_guard<std::mutex> lock(mutex);
    if (stopping)
        return false;
    transferring = true;
    return true;
}

void SM_A::end_transfer()
{
    const std::lock_guard<std::mutex> lock(mutex);
    transferring = false;
}

bool SM_A::may_end_hung_child(DFU::CmdID id)
{
    // A transfer that has hung keeps the unit from being restarted and written again; any
    // other run is waited for unless the program wants to stop.
    return id == DFU::CmdID::download_FW || id == DFU::CmdID::upload_FW || is_stopping();
}

void SM_A::run_started(DFU::CmdID)
{
    progress = DFU::ProgressParser();
}

void SM_A::output(DFU::CmdID id, const QByteArray& standard_output)
{
    if (id != DFU::CmdID::download_FW && id != DFU::CmdID::upload_FW)
        return;
    for (const DFU::Progress& line : progress.feed(standard_output))
        emit sig_Progress(static_cast<int>(line.phase), line.percent, line.bytes);
}

void SM_A::not_answering(DFU::CmdID)
{
    // Said each time: a transfer can fall silent, go on, and fall silent again.
    reported = problem_not_answering;
    emit sig_Problem(problem_not_answering);
}

void SM_A::silent(DFU::CmdID id, int seconds)
{
    if (id == DFU::CmdID::download_FW || id == DFU::CmdID::upload_FW)
        emit sig_Silent(seconds);
}

void SM_A::report(Problem problem)
{
    if (problem == reported)
        return;
    reported = problem;
    emit sig_Problem(problem);
}

SM_A::Snapshot SM_A::snapshot()
{
    const std::lock_guard<std::mutex> lock(mutex);
    return {info, info_serial, connection};
}

void SM_A::evaluated(quint64 evaluated)
{
    const std::lock_guard<std::mutex> lock(mutex);
    evaluated_connection = evaluated;
}

SM_A::Command SM_A::take_command()
{
    const std::lock_guard<std::mutex> lock(mutex);
    const Command taken = command_connection == connection ? command : cmd_none;
    command = cmd_none;
    return taken;
}

bool SM_A::same_unit_still_there(const DFU::ScanResult& scan) const
{
    return scan.code == 0 && scan.devices.size() == 1 && !scan.devices.first().ambiguous
        && scan.devices.first().serial == last_serial;
}

bool SM_A::still_the_judged_unit(const DFU::DeviceItem& item)
{
    // Serials are not unique on every bootloader: another unit, or the same unit changed,
    // can stand behind the serial that was judged. What was judged is read once more.
    DFU::DeviceInfo now;
    if (DFU::read_device_info(&item, &now).code != 0)
        return false;
    const DFU::DeviceInfo judged = snapshot().info;
    const bool same = now.valid && now.type == judged.type && now.OTP_info.blank == judged.OTP_info.blank
        && now.FW_revision == judged.FW_revision;
    if (!same)
        qInfo().noquote() << "The unit is not the one that was judged; it is read anew. Now:\n" + QString(now);
    return same;
}

void SM_A::run()
{
    // Every run on this thread reports to the worker, which lets a hung one go on a stop.
    struct Observing {
        explicit Observing(DFU::RunObserver* self) { DFU::set_run_observer(self); }
        ~Observing() { DFU::set_run_observer(nullptr); }
    } observing(this);

    State state = State::A0;
    while (state != State::stop) {
        switch (state) {
        case State::A0: state = enter_A0(); break;
        case State::A1: state = enter_A1(); break;
        case State::A2: state = enter_A2(); break;
        case State::A4: state = enter_A4(); break;
        case State::A5: state = enter_A5(); break;
        case State::A6: state = enter_A6(); break;
        case State::A7: state = enter_A7(); break;
        case State::stop: break;
        }
    }
}

SM_A::State SM_A::enter_A0()
{
    emit sig_A0_entered();
    last_serial.clear();
    {
        // A command set for a unit that has gone must never reach the next one.
        const std::lock_guard<std::mutex> lock(mutex);
        command = cmd_none;
    }
    return State::A1;
}

SM_A::State SM_A::enter_A1()
{
    emit sig_A1_entered();
    if (is_stopping())
        return State::stop;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        info = DFU::DeviceInfo();
        info_serial.clear();
    }
    emit sig_NoDevConn();
    if (first_A1_pass_done.exchange(true) && pause(idle_interval_ms))
        return State::stop;
    return State::A2;
}

void SM_A::tell_unaddressable(const DFU::ScanResult& scan, bool unaddressable)
{
    if (!unaddressable) {
        told_unaddressable = false;
    } else if (!told_unaddressable || unaddressable_serial != scan.devices.first().serial) {
        told_unaddressable = true;
        unaddressable_serial = scan.devices.first().serial;
        qInfo().noquote() << "A unit is listed whose serial cannot be read for certain, on bus path"
                          << scan.devices.first().path + ":" << Device::for_people(unaddressable_serial);
        emit sig_Unaddressable(unaddressable_serial);
    }
}

SM_A::State SM_A::enter_A2()
{
    emit sig_A2_entered();
    emit sig_scanning();
    const DFU::ScanResult scan = DFU::make_scan(only_serial);
    // Nothing is run with a serial the listing could not name: dfu-util's -S would
    // take another unit, or any.
    const bool unaddressable = scan.code == 0 && scan.devices.size() == 1 && scan.devices.first().ambiguous;
    tell_unaddressable(scan, unaddressable);
    report(scan.access_denied ? problem_no_permission
           : scan.devices.size() > 1 ? problem_several_units
           : scan.unknown_device     ? problem_unknown_device
           : unaddressable           ? problem_unaddressable
                                     : problem_none);
    if (scan.code != 0 || scan.devices.size() != 1 || unaddressable)
        return State::A0;
    const DFU::DeviceItem item = scan.devices.first();
    if (item.serial == last_serial)
        return State::A4;
    emit sig_readingInfo();
    emit sig_NoDevConn();
    last_serial = item.serial;
    qInfo().noquote() << "Reading the unit of serial" << Device::for_people(item.serial);
    // Nothing of the unit read before may carry over to this one.
    DFU::DeviceInfo fresh;
    const DFU::Result result = DFU::read_device_info(&item, &fresh);
    {
        const std::lock_guard<std::mutex> lock(mutex);
        info = fresh;
        info_serial = item.serial;
        ++connection;
    }
    if (result.code != 0) {
        emit sig_DeviceError(result.text);
        return State::A7;
    }
    emit sig_DevConn();
    return State::A4;
}

SM_A::State SM_A::enter_A4()
{
    emit sig_A4_entered();
    if (pause(poll_interval_ms, true)) // returns at once when a stop or command is there
        return State::stop;
    const Command taken = take_command();
    if (taken == cmd_none)
        return State::A2;
    // A command is carried out only on the unit it was given for, not on another one
    // plugged in during the pause: the same serial, and the same reading.
    const DFU::ScanResult scan = DFU::make_scan(only_serial);
    if (!same_unit_still_there(scan) || !still_the_judged_unit(scan.devices.first()))
        return State::A0;
    if (!begin_transfer())
        return State::stop;
    return taken == cmd_upload_and_compare ? State::A6 : State::A5;
}

SM_A::State SM_A::enter_A5()
{
    emit sig_A5_entered();
    emit sig_FwDownloading();
    const int code = DFU::download_FW_to_device(desired_FW_bin_path, last_serial);
    end_transfer();
    emit sig_FwDownloadResult(code);
    emit sig_FwDownloaded();
    return State::A0;
}

SM_A::State SM_A::enter_A6()
{
    emit sig_A6_entered();
    emit sig_FwUploading();
    const DFU::Check check = DFU::upload_and_check_FW_bin(desired_FW_bin_path, uploaded_FW_bin_path, last_serial);
    end_transfer();
    if (check.outcome == DFU::Check::matches) {
        qDebug() << "Uploaded FW matches";
        emit sig_FwUploadedMatches();
    } else if (check.outcome == DFU::Check::differs) {
        qDebug() << "Uploaded FW does not match";
        emit sig_FwUploadedDiffers();
    } else {
        qInfo() << "The uploaded FW could not be checked:" << check.reason_id << check.argument;
        emit sig_FwCheckNotMade(check.reason_id, check.argument);
    }
    return State::A2;
}

SM_A::State SM_A::enter_A7()
{
    emit sig_A7_entered();
    emit sig_scanning();
    // A faulty unit may stay connected for long: a stop must not wait for it to go.
    do {
        if (pause(poll_interval_ms))
            return State::stop;
    } while (same_unit_still_there(DFU::make_scan(only_serial)));
    return State::A0;
}

void SM_A::enable_debug_output()
{
    qInfo() << "SM_A: Adding connections to show debug output (state transitions)";
    const auto print = [](const char* name, int code) {
        const bool polling = qstrcmp(name, "NoDevConn") == 0 || qstrcmp(name, "scanning") == 0;
        if (!(last_printed_code.load() == 1 && polling))
            qDebug() << QString("SM_A: /sig_%1").arg(name);
        last_printed_code = code;
    };
    const auto show = [this, print](auto signal, const char* name, int code) {
        connect(this, signal, this, [print, name, code] { print(name, code); }, Qt::DirectConnection);
    };
    show(&SM_A::sig_NoDevConn, "NoDevConn", 1);
    show(&SM_A::sig_scanning, "scanning", 1);
    show(&SM_A::sig_readingInfo, "readingInfo", 0);
    show(&SM_A::sig_DevConn, "DevConn", 0);
    show(&SM_A::sig_FwDownloading, "FwDownloading", 0);
    show(&SM_A::sig_FwDownloaded, "FwDownloaded", 0);
    show(&SM_A::sig_FwUploading, "FwUploading", 0);
    show(&SM_A::sig_FwUploadedDiffers, "FwUploadedDiffers", 0);
    show(&SM_A::sig_FwUploadedMatches, "FwUploadedMatches", 0);
}
