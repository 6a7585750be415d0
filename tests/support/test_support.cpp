#include "test_support.h"

#include "dfu/dfu_util.h"
#include "files/files.h"
#include "files/support_misc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <atomic>
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

// A fresh folder that outlives its QTemporaryDir: the state classes remove it themselves.
QString fresh_dir(const char* pattern)
{
    QTemporaryDir temp(QDir::tempPath() + pattern);
    temp.setAutoRemove(false);
    return temp.path();
}

QStringList subfolders(const QString& path)
{
    return QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
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
    const std::lock_guard<std::mutex> lock(capture_mutex);
    captured.clear();
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

SimulatorState::SimulatorState()
    : dir(fresh_dir("/velmora-sim-test-XXXXXX"))
{
    qputenv("VELMORA_SIM_DIR", dir.toUtf8());
}

SimulatorState::~SimulatorState()
{
    QDir(dir).removeRecursively();
    qunsetenv("VELMORA_SIM_DIR");
}

QString SimulatorState::unit_dir(const QString& serial) const
{
    return dir + "/units/" + (serial.isEmpty() ? this->serial() : serial);
}

QString SimulatorState::serial() const
{
    const QStringList units = subfolders(dir + "/units");
    return units.size() == 1 ? units.first() : QString();
}

bool SimulatorState::run(const QStringList& arguments, QByteArray* output) const
{
    return succeeds(simulator_script(), arguments, 120000, QProcessEnvironment::systemEnvironment(), output);
}

StagedUnit::StagedUnit(const QString& config, const QString& serial)
    : serial(serial)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VELMORA_SIM_DIR", stage.path());
    prepared = succeeds(simulator_script(), {"setup_prepared_config", config}, 60000, env);
}

QString StagedUnit::unit_dir() const
{
    return stage.path() + "/units/" + subfolders(stage.path() + "/units").value(0);
}

bool StagedUnit::swap_into(const SimulatorState& state)
{
    const QStringList staged = subfolders(stage.path() + "/units");
    if (!prepared || staged.size() != 1)
        return false;
    // The units directory itself stays, or the script would take the state for new.
    const QDir units(state.path() + "/units");
    for (const QString& old : subfolders(units.path()))
        QDir(units.filePath(old)).removeRecursively();
    return QDir().rename(stage.path() + "/units/" + staged.first(), units.filePath(serial));
}

EmulatorState::EmulatorState()
    : dir(fresh_dir("/velmora-emu-test-XXXXXX"))
    , saved_preload(qgetenv("LD_PRELOAD"))
{
    qputenv("VELMORA_EMU_DIR", dir.toUtf8());
    qputenv("LD_PRELOAD", DFUSE_EMULATOR);
}

EmulatorState::~EmulatorState()
{
    QDir(dir).removeRecursively();
    qunsetenv("VELMORA_EMU_DIR");
    if (saved_preload.isEmpty())
        qunsetenv("LD_PRELOAD");
    else
        qputenv("LD_PRELOAD", saved_preload);
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
        connect(s, &QState::entered, this, [this, s] { states << s->objectName().section(':', 0, 0); });
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

QString Machines::status(const Outcome& outcome) const
{
    return plain_text(status_html(outcome, [this](const QString& id) { return gui.text(id); }));
}

QString Machines::bar(const Outcome& outcome)
{
    const QString caption = outcome.bar_caption_id, percent = QString::number(outcome.percent);
    switch (outcome.bar) {
    case Outcome::Bar::hidden: return "hidden";
    case Outcome::Bar::waiting: return "waiting " + caption;
    case Outcome::Bar::moving: return "moving " + caption + " " + percent;
    case Outcome::Bar::full: return "full " + caption + " " + percent;
    }
    return {};
}

void Machines::command(SM_A::Command c)
{
    worker.evaluated(worker.snapshot().connection);
    worker.set_command(c);
}

void Machines::at_first_pause(std::function<void()> act)
{
    auto done = std::make_shared<std::atomic<bool>>(false);
    connect(
        &worker, &SM_A::sig_A4_entered, &worker,
        [done, act = std::move(act)] {
            if (!done->exchange(true))
                act();
        },
        Qt::DirectConnection);
}

bool Machines::stop()
{
    machine.stop();
    worker.do_stop();
    model.stop_requested(worker.is_transferring());
    return worker.wait(60000);
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
