#include "test_support.h"

#include "dfu/dfu_util.h"
#include "dfu/firmware_transfer.h"
#include "files/files.h"
#include "files/support_misc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <map>
#include <memory>
#include <mutex>

namespace testsupport {

namespace {

// Runs a helper program to its end: true when it exited normally with status 0.
bool succeeds(const QString& program, const QStringList& arguments, int timeout_ms,
              const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
              QByteArray* output = nullptr)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    const bool done = process.waitForFinished(timeout_ms);
    if (output)
        *output = process.readAllStandardOutput();
    return done && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

std::mutex capture_mutex; // visible to the thread sanitizer, unlike QMutex
QVector<LogCapture::Entry> captured;
QtMessageHandler previous_handler = nullptr;

void capture_handler(QtMsgType type, const QMessageLogContext& context, const QString& msg)
{
    {
        const std::lock_guard<std::mutex> lock(capture_mutex);
        captured.append({type, msg});
    }
    if (previous_handler)
        previous_handler(type, context, msg);
}

} // namespace

QByteArray read_file(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    return succeeds(SYSTEM_PYTHON3, QStringList{QString(SOURCE_DIR) + "/tools/make_firmware.py"} + arguments, 60000);
}

QString simulator_script()
{
    return QString(SIMULATOR_DIR) + "/dfu-util_simulator.sh";
}

QString embedded_firmware_path()
{
    return QString(BUILD_DIR) + "/generated/firmware.bin";
}

LogCapture::LogCapture()
{
    const std::lock_guard<std::mutex> lock(capture_mutex);
    captured.clear();
    previous_handler = qInstallMessageHandler(capture_handler);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(previous_handler);
}

QVector<LogCapture::Entry> LogCapture::entries() const
{
    const std::lock_guard<std::mutex> lock(capture_mutex);
    return captured;
}

QStringList LogCapture::texts() const
{
    QStringList out;
    for (const Entry& e : entries())
        out << e.text;
    return out;
}

StateFolder::StateFolder(const char* variable)
    : variable(variable)
{
    qputenv(variable, dir.toUtf8());
}

StateFolder::~StateFolder()
{
    qunsetenv(variable);
}

QString SimulatorState::unit_dir(const QString& serial) const
{
    return dir + "/units/" + (serial.isEmpty() ? this->serial() : serial);
}

QString SimulatorState::serial() const
{
    const QStringList units = QDir(dir + "/units").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    return units.size() == 1 ? units.first() : QString();
}

bool SimulatorState::run(const QStringList& arguments, QByteArray* output) const
{
    return succeeds(simulator_script(), arguments, 120000, QProcessEnvironment::systemEnvironment(), output);
}

EmulatorState::EmulatorState()
    : StateFolder("VELMORA_EMU_DIR")
    , saved_preload(qgetenv("LD_PRELOAD"))
{
    qputenv("LD_PRELOAD", DFUSE_EMULATOR);
}

EmulatorState::~EmulatorState()
{
    qputenv("LD_PRELOAD", saved_preload); // empty, as good as none
}

bool EmulatorState::run(const QStringList& arguments) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("LD_PRELOAD");
    return succeeds(EMULATOR_COMMAND, arguments, 60000, env);
}

bool use_embedded_dfu_util()
{
    const QString exe = DFU::dfu_util::full_path();
    if (!QFileInfo::exists(exe) && !Files::extract_resources({Files::dfu_util_exe, Files::libusb_dylib}, true))
        return false;
    DFU::Command::path = Files::external_dir().path();
    return support_misc::mark_file_executable(exe);
}

Machines::Machines()
    : worker(Files::path_of(Files::desired_FW_fileName_dfu), Files::path_of(Files::desired_FW_fileName_bin),
             Files::path_of(Files::uploaded_FW_fileName_bin))
{
    worker.idle_interval_ms = worker.poll_interval_ms = 20;
    const QMetaObject& meta = SM_A::staticMetaObject;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
        if (meta.method(i).methodType() == QMetaMethod::Signal)
            connect(&worker, meta.method(i), this, metaObject()->method(metaObject()->indexOfSlot("record()")));
    for (QState* s : machine.findChildren<QState*>())
        connect(s, &QState::entered, this, [this, s] { seen << s->objectName().section(':', 0, 0); });
    model.attach(&worker, &machine);
    connect(&model, &OutcomeModel::changed, this, [this](const Outcome& outcome) {
        if (shown.value(shown.size() - 1) != status(outcome))
            shown << status(outcome);
    });
    connect(&machine, &QStateMachine::started, &worker, [this] { worker.start(); });
}

void Machines::record()
{
    seen << QString(sender()->metaObject()->method(senderSignalIndex()).name()).remove("sig_").remove("_entered");
}

void Machines::at_first_pause(std::function<void()> act)
{
    auto once = std::make_shared<std::once_flag>();
    connect(&worker, &SM_A::sig_A4_entered, &worker, [once, act] { std::call_once(*once, act); }, Qt::DirectConnection);
}

bool Machines::stop()
{
    machine.stop();
    worker.do_stop();
    model.stop_requested(worker.is_transferring());
    const bool ended = worker.wait(60000);
    QCoreApplication::sendPostedEvents(this); // what the worker said before it ended is recorded
    return ended;
}

void play(OutcomeModel& model, const QString& events)
{
    for (const QString& step : events.split(';', Qt::SkipEmptyParts)) {
        const QStringList w = step.trimmed().split(' ');
        DFU::DeviceInfo info;
        info.valid = true;
        info.type = info.OTP_info.product.type = w.value(2) == "R12" ? Device::Type::QUEL
                                               : w.value(2) == "ZX-8" ? Device::Type::KORV : Device::Type::unknown;
        info.FW_revision = w.value(3) == "-" ? QString() : QString(w.value(3)).replace('_', ' ');
        const int check = w.value(1) == "matches" ? DFU::Check::matches
            : w.value(1) == "differs"             ? DFU::Check::differs
                                                  : DFU::Check::not_made;
        const std::map<QString, std::function<void()>> events = {
            {"read", [&] { model.unit_read(info, w[1]); }},
            {"offered", [&] { model.offered(); }},
            {"other", [&] { model.other_product(); }},
            {"write", [&] { model.write_requested(); }},
            {"verify", [&] { model.verify_requested(); }},
            {"started", [&] { model.transfer_started(); }},
            {"progress", [&] { model.progress(w[1].toInt(), w[2].toInt()); }},
            {"silent", [&] { model.silence(w[1].toInt()); }},
            {"log", [&] { model.log_window = true; }},
            {"download", [&] { model.download_result(w[1].toInt()); }},
            {"check", [&] { model.check_result(check, w.value(2), w.value(3)); }},
            {"nounit", [&] { model.no_unit(); }},
            {"problem", [&] { model.problem(w[1].toInt()); }},
            {"unaddressable", [&] { model.unaddressable(QString(w[1]).replace("\\n", "\n")); }},
            {"reading", [&] { model.reading(); }},
            {"readfailed", [&] { model.read_failed(); }},
            {"restart", [&] { model.worker_restarted(); }},
            {"unusable", [&] { model.tool_unusable(w[1], {w[2]}, w.value(3), w.value(4)); }},
            {"stop", [&] { model.stop_requested(w[1] == "running"); }},
            {"finished", [&] { model.worker_finished(); }},
        };
        QVERIFY2(events.count(w[0]), qPrintable("unknown event " + w[0]));
        events.at(w[0])();
    }
}

Settings::Settings window_settings()
{
    Settings::Settings settings;
    settings.gui = Settings::make_GUI(":resources/settings_GUI.json");
    settings.desired_type = Device::Type::QUEL;
    settings.desired_revision = "C8";
    return settings;
}

} // namespace testsupport
