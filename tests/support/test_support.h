#pragma once

#include "texts/settings.h"
#include "machines/outcome_model.h"
#include "machines/sm_a.h"
#include "machines/sm_b.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>
#include <QtGlobal>

#include <functional>

namespace testsupport {

QByteArray read_file(const QString& path);
void write_file(const QString& path, const QByteArray& bytes);
// Runs tools/make_firmware.py with the given arguments; true on success.
bool make_firmware(const QStringList& arguments);
QString simulator_script();
QString embedded_firmware_path(); // the image the build embeds, as generated

// Collects every message the code under test logs, for as long as it lives.
class LogCapture {
public:
    struct Entry {
        QtMsgType type;
        QString text;
    };
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QVector<Entry> entries() const;
    QStringList texts() const;
    int count(const QString& fragment) const { return texts().filter(fragment).size(); }
};

// A fresh folder for the state of simulated or emulated units, named in the environment by
// variable for the scripts and the children of this process, removed with the variable.
class StateFolder {
public:
    QString path() const { return dir; }

protected:
    explicit StateFolder(const char* variable);
    ~StateFolder();
    const QTemporaryDir temp;
    const QString dir = temp.path();
    const char* const variable;
};

// Units of the simulator script.
class SimulatorState : public StateFolder {
public:
    SimulatorState() : StateFolder("VELMORA_SIM_DIR") {}
    // Runs the script (the word and arguments as from a terminal); true on exit code 0.
    bool run(const QStringList& arguments, QByteArray* output = nullptr) const;
    bool setup(const QString& config) const { return run({"setup_prepared_config", config}); }
    // The unit of that serial; without one, the one unit there is.
    QString unit_dir(const QString& serial = {}) const;
    // Each prepared configuration has a serial of its own: that of the one unit, if one.
    QString serial() const;
};

// Units of the emulated DfuSe bootloader, preloaded into every dfu-util this process starts.
class EmulatorState : public StateFolder {
public:
    EmulatorState();
    ~EmulatorState();
    QString unit_dir(const QString& serial = "305F38713437") const { return dir + "/units/" + serial; }
    // dfuse-emu.sh with these arguments; true on exit code 0.
    bool run(const QStringList& arguments) const;
    bool create(const QString& serial, const QStringList& options = {}) const
    {
        return run(QStringList{"create", serial} + options);
    }
    bool set(const QString& serial, const QStringList& pairs) const { return run(QStringList{"set", serial} + pairs); }

private:
    const QByteArray saved_preload;
};

// Extracts the embedded dfu-util with its libusb and points the command table at it.
bool use_embedded_dfu_util();

// The worker, the presentation machine and the model of what the user is told, wired as the
// program wires them; what each does is recorded as it arrives in the test's thread.
class Machines final : public QObject {
    Q_OBJECT

public:
    Machines();
    ~Machines() override { stop(); }
    SM_A worker;
    SM_B machine{&worker, Device::Type::QUEL, "C8"};
    OutcomeModel model{"R12"};
    Settings::GUI gui = Settings::make_GUI(":resources/settings_GUI.json");
    QStringList seen;  // the worker's signals ("DevConn", "A4" ...) and the states entered ("B2" ...), in order
    QStringList shown; // the status lines, in English, as they changed
    QString status(const Outcome& o) const { return plain_text(status_html(o, [this](auto& t) { return gui.text(t); })); }
    // Runs act once, on the worker's own thread, as it first enters its pause with a unit read:
    // what act does (a swap of units, a command) lands before the worker takes any command.
    void at_first_pause(std::function<void()> act);
    // Stops as Escape does; true once the worker has ended (all it said then recorded).
    bool stop();

private slots:
    void record();
};

// Feeds the model the events the machines announce, each a word with its values: "read A R12 C7"
// (serial, product, revision; "-" for none, "_" within a revision for a space), "offered",
// "other", "write", "verify", "started", "progress 2 40" (phase, percent), "silent 5" (seconds),
// "download 0" (exit code), "check matches" (or differs, or not_made with a reason and its
// value), "nounit", "problem 3", "unaddressable SERIAL", "reading", "readfailed", "restart",
// "unusable TEXT VALUE REASON VALUE", "log" (started with a log window), "stop running" (or
// idle), "finished"; separated by ';'.
void play(OutcomeModel& model, const QString& events);

// The settings the program builds for the embedded firmware (an R12 at C8), for tests of the
// window.
Settings::Settings window_settings();

} // namespace testsupport
