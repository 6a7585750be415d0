#include "dfu/dfu_util.h"
#include "files/files.h"
#include "simulator/simulator.h"
#include "test_support.h"

#include <QtTest>

#include <atomic>
#include <map>
#include <memory>

using testsupport::EmulatorState;
using testsupport::SimulatorState;

namespace {

const QString emu_serial = "305F38713437";

// The worker, the presentation machine and the model of what the user is told, wired as the
// program wires them, over whatever answers in dfu-util's place; recording what happens.
struct Machines {
    SM_A worker{Files::path_of(Files::desired_FW_fileName_dfu), Files::path_of(Files::desired_FW_fileName_bin),
                Files::path_of(Files::uploaded_FW_fileName_bin)};
    SM_B machine{&worker, Device::Type::QUEL, "C8"};
    OutcomeModel model{"R12"};
    Settings::GUI gui = Settings::make_GUI(":resources/settings_GUI.json");
    QStringList states; // "B1", "B2" ... as entered
    int downloads = 0;
    QStringList shown;  // status lines and bar captions ("bar: ..."), in English, as they changed
    QString last_status;
    QString last_bar;

    Machines()
    {
        worker.idle_interval_ms = worker.poll_interval_ms = 20;
        for (QState* s : {machine.B1, machine.B2, machine.B3, machine.B4, machine.B6, machine.B7, machine.B8,
                          machine.B9, machine.B10})
            QObject::connect(s, &QState::entered, &machine, [this, s] { states << s->objectName().section(':', 0, 0); });
        QObject::connect(&worker, &SM_A::sig_FwDownloading, &machine, [this] { ++downloads; });
        model.attach(&worker, &machine);
        const auto tell = [this](const Outcome& outcome) {
            const QString status = plain_text(status_html(outcome, [this](const QString& id) { return gui.text(id); }));
            if (status != last_status)
                shown << status;
            last_status = status;
            const QString bar = outcome.bar == Outcome::Bar::hidden
                ? QString()
                : "bar: " + gui.text(outcome.bar_caption_id).replace("%p%", "").trimmed();
            if (!bar.isEmpty() && bar != last_bar)
                shown << bar;
            last_bar = bar;
        };
        tell(model.current());
        QObject::connect(&model, &OutcomeModel::changed, &machine, tell);
        QObject::connect(&machine, &QStateMachine::started, &worker, [this] { worker.start(); });
    }
    ~Machines() { stop(); }
    // Stops as Escape does; true once the worker has ended.
    bool stop()
    {
        machine.stop();
        worker.do_stop();
        model.stop_requested(worker.is_transferring());
        return worker.wait(60000);
    }
};

} // namespace

// Stories of a unit, each a row: the worker, the presentation machine and the model of what the
// user is told, over the simulator script or over the embedded dfu-util and the emulated
// bootloader, driven by the user's steps.
class TestSM_B final : public QObject {
    Q_OBJECT

    std::map<DFU::CmdID, DFU::Command> real_commands;
    int run_timeout = 0;
    int silent_limit = 0;

private slots:
    void initTestCase()
    {
        real_commands = DFU::commands;
        run_timeout = DFU::run_timeout_ms;
        silent_limit = DFU::silent_child_limit_ms;
        QVERIFY(Files::extract_resources({Files::desired_FW_bin, Files::desired_FW_dfu}, true));
    }

    void cleanup()
    {
        DFU::commands = real_commands;
        DFU::Command::path.clear();
        DFU::run_timeout_ms = run_timeout;
        DFU::silent_child_limit_ms = silent_limit;
        DFU::silence_told_ms = 5000;
    }

    void scenarios_data()
    {
        QTest::addColumn<QString>("unit");  // "sim CONFIG", or "emu CREATE-OPTIONS | SETTINGS"
        // "await B2; click; await B6; unplug; plug; setup CONFIG; set K=V; release" (the worker is held
        // at its first pause with a unit read until then)
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("shown"); // fragments, in this order among what the user was told
        QTest::addColumn<QStringList>("never");
        QTest::addColumn<QString>("end");   // the state the machine ends in
        QTest::addColumn<QString>("flash"); // "image": holds the embedded image; "kept": never written; "": not looked at

        const QString c7 = "Connected to an R12 with firmware version C7";
        const QString c8 = "Connected to an R12 with firmware version C8";
        const QString written = "Firmware written. To check it";
        const QString failed = "Writing the firmware failed";
        const QString differs = "The firmware on the unit differs from the one in this program";
        const QString unplugged = "The unit was disconnected during the write";
        const QString done = "bar: Done. Disconnect USB cable.";
        const QString unidentified = "This unit cannot be identified";

        QTest::newRow("a whole upgrade")
            << "sim older_revision" << "await B2; click; await B6"
            << QStringList{"Waiting for a unit", c7, "bar: Upgrading firmware", written, c8,
                           "bar: Checking the firmware", "the firmware was written and checked. Done.", done}
            << QStringList{differs, "not answered", "No answer"} << "B6" << "image";
        QTest::newRow("the embedded firmware: verified at once")
            << "sim current" << "await B6"
            << QStringList{"Connected to an R12.", c8, "it already holds this firmware, nothing was written", done}
            << QStringList{"bar: Upgrading"} << "B6" << "image";
        QTest::newRow("a flash that differs is offered again")
            << "sim differing_flash" << "await B7; click; await B6" << QStringList{differs, "bar: Upgrading", done}
            << QStringList{failed} << "B6" << "image";
        QTest::newRow("a failed write is told, and again of that unit")
            << "sim download_fails" << "await B2; click; await B3; await B1; await B7"
            << QStringList{failed, failed} << QStringList{written, done} << "B7" << "";
        QTest::newRow("but not of the next unit")
            << "sim download_fails" << "await B2; click; await B3; await B1; await B7; setup older_revision; await B2"
            << QStringList{failed, c7} << QStringList{written, done} << "B2" << "";
        QTest::newRow("another product is never offered, not even when asked")
            << "sim other_product" << "await B8; click; wait 300"
            << QStringList{"Connected to a ZX-8. This tool upgrades R12 units only"} << QStringList{"bar: "} << "B8"
            << "kept";
        QTest::newRow("an unknown product") << "sim unknown_product" << "await B8; click; wait 300"
                                            << QStringList{unidentified} << QStringList{"bar: "} << "B8" << "kept";
        QTest::newRow("a blank record") << "sim blank_otp" << "await B9; click; wait 300" << QStringList{unidentified}
                                        << QStringList{"bar: "} << "B9" << "kept";
        QTest::newRow("several units") << "sim two_units" << "await More than one unit"
                                       << QStringList{"More than one unit is connected"} << QStringList{"Connected"}
                                       << "B1" << "";
        QTest::newRow("a DFU device of another kind")
            << "sim three_interfaces" << "await it is not a flash unit"
            << QStringList{"A DFU device is connected, but it is not a flash unit in DFU mode."}
            << QStringList{"Connected"} << "B1" << "";
        QTest::newRow("an unreadable unit") << "sim otp_upload_fails" << "await cannot be read"
                                            << QStringList{"A unit is connected: reading", "information cannot be read"}
                                            << QStringList{"Connected"} << "B1" << "";
        QTest::newRow("a hanging unit: reading, then not answering")
            << "sim not_answering" << "await has not answered"
            << QStringList{"A unit is connected: reading", "The USB tool has not answered for 30 seconds."}
            << QStringList{"Connected"} << "B1" << "";
        QTest::newRow("unplugged: waiting again") << "sim older_revision" << "await B2; unplug; await B1"
                                                  << QStringList{c7, "Waiting for a unit"} << QStringList{} << "B1"
                                                  << "";
        QTest::newRow("unplugged in the worker's pause, clicked before it notices: nothing written")
            << "sim older_revision" << "await B2; unplug; click; await B3; release; await B1"
            << QStringList{c7, "Waiting for a unit"} << QStringList{written, failed} << "B1" << "kept";
        QTest::newRow("over the real dfu-util") << "emu --rev C7 --seed 7 | leave_delay_ms=300"
                                                << "await B2; click; await B6"
                                                << QStringList{c7, "bar: Upgrading firmware: erasing",
                                                               "bar: Upgrading firmware: writing", written, c8,
                                                               "bar: Checking firmware: reading back", done}
                                                << QStringList{failed, differs} << "B6" << "image";
        QTest::newRow("unplugged mid-write, back: the failed write, never done")
            << "emu --rev C7 --seed 7 | leave_delay_ms=300 vanish_on=write vanish_after=40"
            << "await B2; click; await B3; await B1; set vanish_on=none; plug; await B7"
            << QStringList{unplugged, unplugged} << QStringList{done, written, failed} << "B7" << "";
        QTest::newRow("unplugged mid-read-back: the check could not be made, nothing offered")
            << "emu | vanish_on=upload vanish_after=20" << "await B10; wait 300"
            << QStringList{"bar: Checking the firmware",
                           "The firmware could not be checked: the unit was disconnected while it was read."}
            << QStringList{differs, "bar: Done"} << "" << "image";
        QTest::newRow("a write that hangs: not answering, then ended")
            << "emu --rev C7 --seed 7 | hang=1" << "await B2; click; await No answer for 2 s; await stopped answering; wait 1500"
            << QStringList{"bar: Upgrading firmware", "No answer for 1 s from the unit: keep the USB cable connected.",
                           "No answer for 2 s", "The unit stopped answering, so the write was ended before it was complete."}
            << QStringList{written, done, "cannot be read"} << "" << "";
    }

    void scenarios()
    {
        QFETCH(QString, unit);
        QFETCH(QString, steps);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, never);
        QFETCH(QString, end);
        QFETCH(QString, flash);

        const bool emulated = unit.startsWith("emu");
        std::unique_ptr<SimulatorState> sim;
        std::unique_ptr<EmulatorState> emu;
        QString flash_file;
        if (emulated) {
            QVERIFY(testsupport::use_embedded_dfu_util());
            emu = std::make_unique<EmulatorState>();
            const QString create = unit.mid(3).section('|', 0, 0).trimmed();
            const QString settings = unit.section('|', 1).trimmed();
            QVERIFY(emu->create(emu_serial, create.split(' ', Qt::SkipEmptyParts)));
            if (!settings.isEmpty())
                QVERIFY(emu->set(emu_serial, settings.split(' ')));
            flash_file = emu->unit_dir(emu_serial) + "/flash.bin";
        } else {
            simulator::setup_for_simulated_dfu_util(simulator::fast_progress);
            sim = std::make_unique<SimulatorState>();
            QVERIFY(sim->setup(unit.mid(4)));
            flash_file = sim->unit_dir() + "/flash.bin";
        }
        // Silence is counted from a second here, and a silent transfer ended after three.
        DFU::silence_told_ms = 1000;
        DFU::run_timeout_ms = 1000;
        DFU::silent_child_limit_ms = 3000;
        const QByteArray before = testsupport::read_file(flash_file);

        Machines machines;
        QSemaphore held;
        if (steps.contains("release"))
            testsupport::at_first_pause(machines.worker, [&held] { held.tryAcquire(1, 30000); });
        machines.machine.start();
        int from = 0; // an awaited state is looked for after the one awaited before
        for (const QString& step : steps.split(';')) {
            const QString word = step.trimmed().section(' ', 0, 0);
            const QString rest = step.trimmed().section(' ', 1);
            if (word == "await" && QRegularExpression("^B\\d+$").match(rest).hasMatch()) {
                QTRY_VERIFY2_WITH_TIMEOUT(machines.states.indexOf(rest, from) >= 0, qPrintable(machines.states.join(' ')),
                                          30000);
                from = machines.states.indexOf(rest, from) + 1;
            } else if (word == "await") {
                QTRY_VERIFY2_WITH_TIMEOUT(!machines.shown.filter(rest).isEmpty(), qPrintable(machines.shown.join('\n')),
                                          30000);
            } else if (word == "click") {
                machines.machine.do_download();
            } else if (word == "wait") {
                QTest::qWait(rest.toInt());
            } else if (word == "unplug" || word == "plug") {
                QVERIFY(emulated ? emu->run({word, emu_serial}) : sim->run({word}));
            } else if (word == "set") {
                QVERIFY(emu->set(emu_serial, rest.split(' ')));
            } else if (word == "release") {
                held.release();
            } else if (word == "setup") {
                QVERIFY(sim->setup(rest));
            } else {
                QFAIL(qPrintable("unknown step " + step));
            }
        }
        if (!end.isEmpty())
            QCOMPARE(machines.states.last(), end);
        // A command never waits for a unit to come.
        QTRY_COMPARE_WITH_TIMEOUT(machines.worker.get_command(), SM_A::cmd_none, 20000);
        const QStringList told = machines.shown;
        QVERIFY(machines.stop());
        int at = 0;
        for (const QString& fragment : shown) {
            while (at < told.size() && !told[at].contains(fragment))
                ++at;
            QVERIFY2(at < told.size(), qPrintable(fragment + "\n  not in order in:\n" + told.join('\n')));
            ++at;
        }
        for (const QString& fragment : never)
            QVERIFY2(told.filter(fragment).isEmpty(), qPrintable(fragment + "\n  was shown in:\n" + told.join('\n')));
        const QByteArray after = testsupport::read_file(flash_file);
        if (flash == "image")
            QCOMPARE(after.left(733656), testsupport::read_file(testsupport::embedded_firmware_path()));
        else if (flash == "kept")
            QVERIFY(machines.downloads == 0 && (after == before || after.isEmpty())); // empty: unplugged
    }
};

QTEST_GUILESS_MAIN(TestSM_B)
#include "tst_sm_b.moc"
