#include "gui/main_window.h"
#include "test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <csignal>
#include <sys/types.h>

using testsupport::SimulatorState;

namespace {

const QString title = "Velmora Firmware Upgrade Tool";
const QString unit_serial = "305F38713437";

// The real program under a real X server, watched through its own log on standard error.
class Program {
public:
    struct Options {
        QString emulator_dir;
        QString tmpdir;        // TMPDIR of the program; its own empty folder when not given
        QStringList wrapper;   // a program that starts this one, with its arguments
        QString path_first;    // a folder put first on PATH
        QString working_dir;
        QStringList environment; // NAME=value, set besides the usual
    };

    Program(const QString& display, const QStringList& arguments, const QString& emulator_dir = {})
        : Program(display, arguments, Options{emulator_dir, {}, {}, {}, {}, {}})
    {
    }

    Program(const QString& display, const QStringList& arguments, const Options& options)
    {
        const QString emulator_dir = options.emulator_dir;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!emulator_dir.isEmpty()) {
            // The program's dfu-util children find the emulated bootloader behind their libusb.
            env.insert("LD_PRELOAD", DFUSE_EMULATOR);
            env.insert("VELMORA_EMU_DIR", emulator_dir);
            env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
        }
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("TMPDIR", options.tmpdir.isEmpty() ? tmp.path() : options.tmpdir);
        if (!options.path_first.isEmpty())
            env.insert("PATH", options.path_first + ":" + env.value("PATH"));
        env.insert("VELMORA_SIM_FAST", "1");
        env.remove("XDG_RUNTIME_DIR");
        for (const QString& variable : options.environment)
            env.insert(variable.section('=', 0, 0), variable.section('=', 1));
        // Under AddressSanitizer: no leak check of the whole program at its exit. Its windows
        // live until then by design, and the X platform plugin's last allocations come from a
        // library already unloaded, so they cannot be told apart; the library's own code is
        // leak-checked by the other tests.
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
        process.setProcessEnvironment(env);
        if (!options.working_dir.isEmpty())
            process.setWorkingDirectory(options.working_dir);
        if (options.wrapper.isEmpty())
            process.start(PROGRAM, arguments);
        else
            process.start(options.wrapper.first(), options.wrapper.mid(1) + QStringList{PROGRAM} + arguments);
        timer.start();
    }

    ~Program()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    // Waits for a log line holding the fragment, after the given position in the log.
    bool wait_for(const QString& fragment, int timeout_ms = 30000, int after = 0)
    {
        QElapsedTimer waited;
        waited.start();
        for (;;) {
            read();
            if (log.indexOf(fragment, after) >= 0)
                return true;
            if (waited.elapsed() > timeout_ms || process.state() == QProcess::NotRunning) {
                read();
                return log.indexOf(fragment, after) >= 0;
            }
            process.waitForReadyRead(100);
        }
    }

    int position(const QString& fragment)
    {
        read();
        return log.indexOf(fragment);
    }

    bool contains(const QString& fragment)
    {
        return position(fragment) >= 0;
    }

    void read()
    {
        log += QString::fromLocal8Bit(process.readAllStandardError());
        process.readAllStandardOutput();
    }

    QTemporaryDir tmp;
    QProcess process;
    QString log;
    QElapsedTimer timer;
};

} // namespace

class TestEndToEnd final : public QObject {
    Q_OBJECT

    QProcess xvfb;
    QString display;
    QString shots;

    QString x(const QStringList& arguments, const QString& program = "xdotool")
    {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        // The emulated bootloader is for dfu-util: preloaded into a sanitizer build of a helper,
        // it keeps the helper from starting at all.
        env.remove("LD_PRELOAD");
        tool.setProcessEnvironment(env);
        tool.start(program, arguments);
        tool.waitForFinished(20000);
        return QString(tool.readAllStandardOutput()).trimmed();
    }

    QString main_window()
    {
        for (int i = 0; i < 200; ++i) {
            const QString ids = x({"search", "--onlyvisible", "--name", "^" + title + "$"});
            if (!ids.isEmpty())
                return ids.split('\n').first();
            QTest::qWait(100);
        }
        return {};
    }

    QPoint window_position(const QString& id)
    {
        const QRegularExpressionMatch m
            = QRegularExpression("Position: (\\d+),(\\d+)").match(x({"getwindowgeometry", id}));
        return m.hasMatch() ? QPoint(m.captured(1).toInt(), m.captured(2).toInt()) : QPoint(-1, -1);
    }

    QImage screenshot(const QString& name)
    {
        const QString path = shots + "/" + name + ".png";
        x({"screenshot", path}, X11_HELPER);
        return QImage(path);
    }

    void click_install(const QString& window)
    {
        const QPoint centre = MainWindow::button_rect(1.0).center();
        x({"mousemove", "--window", window, QString::number(centre.x()), QString::number(centre.y()), "click", "1"});
    }

    // The real program over an emulated unit with older firmware, with the given unit settings,
    // once it offers the upgrade; the unit's serial is that of the emulator's default.
    std::unique_ptr<Program> start_offered(testsupport::EmulatorState& emu, const QStringList& settings)
    {
        if (!emu.create(unit_serial, {"--rev", "C7", "--seed", "7"}) || !emu.set(unit_serial, settings))
            return nullptr;
        auto program = std::make_unique<Program>(display, QStringList{"-l"}, emu.path());
        if (!program->wait_for("MainWindow downloadMode: setEnabled true"))
            return nullptr;
        return program;
    }

    std::unique_ptr<Program> start(SimulatorState& state, const QString& config,
                                   const QStringList& arguments = {"-s", "-l"})
    {
        if (!state.setup(config))
            return nullptr;
        auto program = std::make_unique<Program>(display, arguments);
        return program;
    }

private slots:
    void initTestCase()
    {
        xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-dpi", "96", "-nolisten", "tcp"});
        QVERIFY(xvfb.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(xvfb.canReadLine() || (xvfb.waitForReadyRead(100) && xvfb.canReadLine()), 20000);
        display = ":" + QString(xvfb.readLine()).trimmed();
        shots = QString(BUILD_DIR) + "/screenshots";
        QDir().mkpath(shots);
    }

    void cleanupTestCase()
    {
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }

    void a_whole_upgrade_in_the_simulator()
    {
        SimulatorState state;
        auto program = start(state, "older_revision");
        QVERIFY(program);
        QVERIFY(program->wait_for("Result of execution test: status was ok and output: as expected"));
        QVERIFY(program->wait_for("Shown: Connected to an R12."));
        QVERIFY(program->wait_for("Shown: Connected to an R12 with firmware version C7"));
        QVERIFY(program->wait_for("MainWindow downloadMode: setEnabled true"));
        const QString window = main_window();
        QVERIFY(!window.isEmpty());
        QVERIFY(program->contains("Overriding width to  228")); // the window is at scale 1
        QTest::qWait(300);
        screenshot("upgrade-1-connected");

        click_install(window);
        QVERIFY(program->wait_for("Install clicked", 10000));
        QVERIFY(program->wait_for("Shown: Upgrading firmware"));
        QVERIFY(program->wait_for("SM_B: entered B3: Upgrading FW"));
        screenshot("upgrade-2-upgrading");
        QVERIFY(program->wait_for("SM_A: /sig_FwDownloaded"));
        const int downloaded = program->position("SM_A: /sig_FwDownloaded");
        QVERIFY(program->wait_for("SM_B: entered B1: No (DFU-SE) dev. conn.", 10000, downloaded));
        QVERIFY(program->wait_for("Shown: Firmware written. To check it, restart the unit in DFU mode", 10000,
                                  downloaded));
        screenshot("upgrade-3-restarting");
        QVERIFY(program->wait_for("SM_B: entered B4: Uploading and verifying FW", 30000, downloaded));
        QVERIFY(program->wait_for("Shown: Uploading & verifying", 10000, downloaded));
        QVERIFY(program->wait_for("Shown: Done. Disconnect USB cable.", 30000, downloaded));
        QVERIFY(program->wait_for("Shown: Connected to an R12 with firmware version C8", 10000, downloaded));
        QTest::qWait(300);
        const QImage done = screenshot("upgrade-4-done");
        // The bar is full: its green reaches the right end of the button's place.
        const QPoint origin = window_position(window);
        const QColor near_end = done.pixelColor(origin + QPoint(207 + 240, 417 + 20));
        QVERIFY2(near_end.green() > 200 && near_end.red() < 200 && near_end.blue() < 190,
                 qPrintable(near_end.name()));
        QVERIFY(!program->contains("FW differs"));
        QCOMPARE(testsupport::read_file(state.unit_dir() + "/flash.bin").left(733656),
                 testsupport::read_file(testsupport::embedded_firmware_path()));
    }

    void a_unit_with_the_image_is_done_at_once()
    {
        SimulatorState state;
        auto program = start(state, "current");
        QVERIFY(program->wait_for("Shown: Done. Disconnect USB cable."));
        QVERIFY(!program->contains("SM_B: entered B2"));
        QVERIFY(!program->contains("MainWindow downloadMode: setEnabled true"));
        screenshot("current-done");
    }

    // What went wrong and what to do next, in the status line, for each way it can go wrong.
    void every_outcome_is_named_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<bool>("install");
        QTest::addColumn<QString>("shown");
        QTest::newRow("verification failed") << "differing_flash" << false
                                             << "Shown: The unit does not hold this firmware: the check failed. "
                                                "Click the button to install it again.";
        QTest::newRow("download failed") << "download_fails" << true
                                         << "Shown: Writing the firmware failed (the log tells why). Keep the unit in "
                                            "DFU mode (steps 1 to 3) and install again.";
        QTest::newRow("more than one unit") << "two_units" << false
                                            << "Shown: More than one unit is connected. Disconnect all but the one "
                                               "to upgrade.";
        QTest::newRow("unreadable unit") << "otp_upload_fails" << false
                                         << "Shown: The unit's information cannot be read. Disconnect it, restart it "
                                            "in DFU mode (steps 1 to 3) and connect it again.";
        QTest::newRow("not answering") << "not_answering" << false
                                       << "Shown: The USB tool has not answered for 30 seconds. Disconnect the unit, "
                                          "wait a moment and connect it again.";
    }

    void every_outcome_is_named()
    {
        QFETCH(QString, config);
        QFETCH(bool, install);
        QFETCH(QString, shown);
        SimulatorState state;
        auto program = start(state, config);
        if (install) {
            QVERIFY(program->wait_for("MainWindow downloadMode: setEnabled true"));
            click_install(main_window());
            QVERIFY(program->wait_for("SM_A: /sig_FwDownloaded"));
            // dfu-util's own reason is in the log.
            QVERIFY(program->wait_for("dfu-util: Failed to write whole chunk", 10000,
                                      program->position("dfu-util on standard error:")));
            QVERIFY(program->wait_for("Shown: Writing the firmware failed"));
            // Still in DFU mode, the unit is read again: half written, it does not verify.
            QVERIFY(program->wait_for("SM_B: entered B7"));
            QVERIFY(program->wait_for(shown, 10000, program->position("SM_B: entered B7")));
        }
        QVERIFY(program->wait_for(shown, 45000));
        // It stays the last word while nothing else happens.
        QTest::qWait(1500);
        program->read();
        QCOMPARE(program->log.mid(program->log.lastIndexOf("Shown:")).section('(', 0, 0).trimmed(),
                 shown.section('(', 0, 0).trimmed());
        screenshot("outcome-" + config);
    }

    void a_unit_without_usb_permission()
    {
        testsupport::EmulatorState emu;
        QVERIFY(emu.create(unit_serial));
        QVERIFY(emu.set(unit_serial, {"open_denied=1"}));
        Program program(display, {"-l"}, emu.path());
        QVERIFY(program.wait_for("Shown: A unit is connected, but this user may not use it (USB permission). "
                                 "Install the udev rule (see the README), then reconnect the unit."));
        QVERIFY(program.contains("dfu-util on standard error: dfu-util: Cannot open DFU device 0483:df11"));
        screenshot("outcome-no-permission");
        QVERIFY(emu.set(unit_serial, {"open_denied=0"}));
        QVERIFY(program.wait_for("Shown: Connected to an R12 with firmware version C8"));
    }

    void units_that_must_never_be_offered_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("shown");
        const QString unidentified = "Shown: This unit cannot be identified (its product record is blank or unknown). "
                                     "It cannot be upgraded here: please contact service.";
        QTest::newRow("no unit") << "no_unit" << "SM_B: entered B1"
                                 << "Shown: The USB cable must have a 'Micro B' plug and a 'Type A' plug.";
        QTest::newRow("another product") << "other_product" << "SM_B: entered B8"
                                         << "Shown: Connected to a ZX-8. This tool upgrades R12 units only, so it "
                                            "cannot upgrade this one.";
        QTest::newRow("blank OTP area") << "blank_otp" << "SM_B: entered B9" << unidentified;
        QTest::newRow("unknown product") << "unknown_product" << "SM_B: entered B8" << unidentified;
    }

    // Neither the button nor the A key that enables it starts a bar or a write.
    void units_that_must_never_be_offered()
    {
        QFETCH(QString, config);
        QFETCH(QString, state);
        QFETCH(QString, shown);
        SimulatorState sim;
        auto program = start(sim, config);
        QVERIFY(program->wait_for(state));
        QVERIFY(program->wait_for(shown));
        QVERIFY(!program->contains("Connected to an N/A") && !program->contains("Connected to an ZX"));
        const QString window = main_window();
        click_install(window);
        QTest::qWait(1500);
        QVERIFY(!program->contains("MainWindow downloadMode: setEnabled true"));
        QVERIFY(!program->contains("Install clicked"));
        x({"windowfocus", "--sync", window});
        x({"key", "--window", window, "a"});
        QVERIFY(program->wait_for("MainWindow downloadMode: setEnabled true", 10000));
        click_install(window);
        QVERIFY(program->wait_for("Install clicked", 10000));
        QTest::qWait(1500);
        QVERIFY(!program->contains("SM_B: entered B3"));
        QVERIFY(!program->contains("Shown: Upgrading firmware"));
        QVERIFY(!program->contains("SM_A: /sig_FwDownloading"));
        screenshot("never-offered-" + config);
    }

    void device_texts_are_shown_as_text()
    {
        SimulatorState state;
        QVERIFY(state.setup("older_revision"));
        const QString image = state.path() + "/markup.bin";
        QVERIFY(testsupport::make_firmware({"image", "--bin", image, "--rev", "<b>C7</b>", "--seed", "7"}));
        QByteArray flash = testsupport::read_file(state.unit_dir() + "/flash.bin");
        flash.replace(0, 733656, testsupport::read_file(image).left(733656));
        testsupport::write_file(state.unit_dir() + "/flash.bin", flash);
        Program program(display, {"-s", "-l"});
        QVERIFY(program.wait_for("Shown: Connected to an R12 with firmware version <b>C7</b>"));
        screenshot("markup-revision");
    }

    void ctrl_l_opens_the_log_beside_the_window()
    {
        SimulatorState state;
        auto program = start(state, "no_unit");
        QVERIFY(program->wait_for("Starting sm_A"));
        const QString window = main_window();
        QVERIFY(!window.isEmpty());
        x({"windowfocus", "--sync", window});
        x({"key", "--window", window, "ctrl+l"});
        // The log dialog is the other window of the program, 600 x 400.
        QString dialog;
        for (int i = 0; i < 50 && dialog.isEmpty(); ++i) {
            QTest::qWait(100);
            const QStringList windows
                = x({"search", "--onlyvisible", "--pid", QString::number(program->process.processId()), ""})
                      .split('\n', Qt::SkipEmptyParts);
            for (const QString& id : windows)
                if (id != window && x({"getwindowgeometry", id}).contains("Geometry: 600x400"))
                    dialog = id;
        }
        QVERIFY(!dialog.isEmpty());
        // The 1280-pixel screen has no room beside the centred window: the log opens over it,
        // whole on the screen, its top at the window's.
        const QPoint main_pos = window_position(window);
        const QPoint log_pos = window_position(dialog);
        QCOMPARE(log_pos.x(), 1280 - 600);
        QVERIFY(log_pos.x() < main_pos.x() + 665);
        QCOMPARE(log_pos.y(), main_pos.y());
        QCOMPARE(x({"getwindowname", dialog}), QString::fromUtf8("Velmora Firmware Upgrade Tool \u2013 Log"));
        screenshot("log-window");
        x({"key", "--window", dialog, "ctrl+l"});
        QTRY_VERIFY_WITH_TIMEOUT(!x({"search", "--onlyvisible", "--pid", QString::number(program->process.processId()), ""}).contains(dialog), 5000);
    }

    void escape_stops_the_machines_and_the_window_stays()
    {
        SimulatorState state;
        auto program = start(state, "current");
        QVERIFY(program->wait_for("Shown: Done. Disconnect USB cable."));
        const QString window = main_window();
        x({"windowfocus", "--sync", window});
        x({"key", "--window", window, "Escape"});
        QVERIFY(program->wait_for("Msg-handler reset", 10000));
        QVERIFY(program->wait_for("Trying to stop sm_A", 10000));
        QVERIFY(program->position("Msg-handler reset") < program->position("Trying to stop sm_A"));
        QTest::qWait(1500);
        QVERIFY(!program->contains("Oops, SM_A not dead yet"));
        QCOMPARE(program->process.state(), QProcess::Running);
        QVERIFY(!x({"search", "--onlyvisible", "--name", title}).isEmpty());
    }

    void closing_the_window_ends_the_program()
    {
        SimulatorState state;
        auto program = start(state, "older_revision");
        QVERIFY(program->wait_for("MainWindow downloadMode: setEnabled true"));
        const QStringList dirs = QDir(program->tmp.path()).entryList({"upgrade_*"}, QDir::Dirs);
        QCOMPARE(dirs.size(), 1);
        QVERIFY(QFile::exists(program->tmp.path() + "/" + dirs.first() + "/dfu-util"));
        const QString window = main_window();
        QElapsedTimer closing;
        closing.start();
        x({"close", window}, X11_HELPER);
        QVERIFY(program->process.waitForFinished(20000));
        QVERIFY(closing.elapsed() >= 2000);
        QCOMPARE(program->process.exitStatus(), QProcess::NormalExit);
        program->read();
        QVERIFY2(program->process.exitCode() == 0, qPrintable(program->log.right(4000)));
        QVERIFY(program->contains("app.exec() returns:  0"));
        QVERIFY(program->contains("Waiting 2 s before deleting objects"));
        QVERIFY(QDir(program->tmp.path()).entryList({"upgrade_*"}, QDir::Dirs).isEmpty());
    }

    void the_real_dfu_util_without_a_unit()
    {
        Program program(display, {"-l"});
        QVERIFY(program.wait_for("Will use real device (i.e. no option 'use_simulator'.)"));
        QVERIFY(program.wait_for("Result of execution test: status was ok and output: as expected"));
        QVERIFY(program.contains("Start  \"" + program.tmp.path() + "/upgrade_"));
        QVERIFY(program.contains("/dfu-util\" (\"-V\")"));
        QVERIFY(program.wait_for("Starting sm_A"));
        QVERIFY(program.wait_for("Shown: The USB cable must have a 'Micro B' plug and a 'Type A' plug."));
        QTest::qWait(2000); // several scans
        QCOMPARE(program.process.state(), QProcess::Running);
        QVERIFY(!program.contains("SM_A: /sig_readingInfo"));
        QVERIFY(!program.contains("Exit with"));
        screenshot("real-no-unit");
    }

    void an_upgrade_over_the_real_dfu_util_data()
    {
        QTest::addColumn<bool>("pulled");
        QTest::newRow("to the end") << false;
        QTest::newRow("unit pulled mid-download") << true;
    }

    void an_upgrade_over_the_real_dfu_util()
    {
        QFETCH(bool, pulled);
        testsupport::EmulatorState emu;
        const QString serial = unit_serial;
        const auto started = start_offered(emu, pulled ? QStringList{"leave_delay_ms=1500", "vanish_on=write",
                                                                     "vanish_after=120"}
                                                       : QStringList{"leave_delay_ms=1500"});
        QVERIFY(started);
        Program& program = *started;
        QVERIFY(program.wait_for("Shown: Connected to an R12 with firmware version C7"));
        click_install(main_window());
        QVERIFY(program.wait_for("Shown: Upgrading firmware"));
        QVERIFY(program.wait_for("SM_A: /sig_FwDownloaded", 60000));
        if (!pulled) {
            QVERIFY(program.wait_for("Shown: Done. Disconnect USB cable.", 60000));
            screenshot("real-dfu-util-done");
            return;
        }
        QVERIFY(program.contains("Exit with 74 from"));
        QVERIFY(program.wait_for("Shown: Writing the firmware failed", 10000, program.position("SM_A: /sig_FwDownloaded")));
        QTest::qWait(1500);
        QVERIFY(emu.set(serial, {"vanish_on=none"}));
        QVERIFY(emu.run({"plug", serial}));
        QVERIFY(program.wait_for("SM_B: entered B7: FW in dev. differs", 60000));
        QVERIFY(program.wait_for("Shown: Writing the firmware failed", 10000, program.position("SM_B: entered B7")));
        QVERIFY(!program.contains("Done. Disconnect USB cable."));
        screenshot("real-dfu-util-pulled");
    }

    void signals_end_the_program_cleanly_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }

    void signals_end_the_program_cleanly()
    {
        QFETCH(int, number);
        SimulatorState state;
        auto program = start(state, "no_unit");
        QVERIFY(program->wait_for("Starting sm_A"));
        QCOMPARE(QDir(program->tmp.path()).entryList({"upgrade_*"}, QDir::Dirs).size(), 1);
        ::kill(pid_t(program->process.processId()), number);
        QVERIFY(program->process.waitForFinished(20000));
        program->read();
        QCOMPARE(program->process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program->process.exitCode(), 128 + number);
        QVERIFY(program->contains("Waiting 2 s before deleting objects"));
        QVERIFY(QDir(program->tmp.path()).entryList({"upgrade_*"}, QDir::Dirs).isEmpty());
    }

    // Run over a unit as slow as a real one, so that the stop comes in the middle of it.
    void a_transfer_is_never_cut_short_data()
    {
        QTest::addColumn<bool>("by_signal");
        QTest::newRow("Escape") << false;
        QTest::newRow("SIGTERM") << true;
    }

    void a_transfer_is_never_cut_short()
    {
        QFETCH(bool, by_signal);
        testsupport::EmulatorState emu;
        const auto started = start_offered(emu, {"pace_f4=1", "leave_delay_ms=60000"});
        QVERIFY(started);
        Program& program = *started;
        const QString window = main_window();
        click_install(window);
        QVERIFY(program.wait_for("SM_A: /sig_FwDownloading", 20000));
        QTest::qWait(1500); // erasing
        if (by_signal) {
            ::kill(pid_t(program.process.processId()), SIGTERM);
        } else {
            x({"windowfocus", "--sync", window});
            x({"key", "--window", window, "Escape"});
        }
        QVERIFY(program.wait_for("Shown: Finishing the transfer: keep the USB cable connected.", 10000));
        screenshot(by_signal ? "finishing-on-sigterm" : "finishing-on-escape");
        QVERIFY(!program.contains("SM_A: /sig_FwDownloaded"));
        QVERIFY(program.wait_for("SM_A: /sig_FwDownloaded", 60000));
        if (by_signal) {
            QVERIFY(program.process.waitForFinished(30000));
            QCOMPARE(program.process.exitCode(), 128 + SIGTERM);
        } else {
            QVERIFY(program.wait_for("Shown: Stopped.", 10000));
            QCOMPARE(program.process.state(), QProcess::Running);
            screenshot("stopped-after-escape");
            x({"close", window}, X11_HELPER);
            QVERIFY(program.process.waitForFinished(30000));
        }
        QVERIFY(!program.contains("Oops, SM_A not dead yet"));
        QVERIFY(program.contains("Exit with") == false);
        QCOMPARE(testsupport::read_file(emu.unit_dir() + "/flash.bin").left(733656),
                 testsupport::read_file(testsupport::embedded_firmware_path()));
        QVERIFY(QDir(program.tmp.path()).entryList({"upgrade_*"}, QDir::Dirs).isEmpty());
    }

    // The bar follows dfu-util's own progress over a unit as slow as a real one: never back,
    // never more than 10 points from what dfu-util printed last, full only once it has ended.
    void the_bar_shows_true_progress()
    {
        testsupport::EmulatorState emu;
        const auto started = start_offered(emu, {"pace_f4=1", "leave_delay_ms=1500"});
        QVERIFY(started);
        Program& program = *started;
        const QString window = main_window();
        click_install(window);
        QVERIFY(program.wait_for("Shown: Upgrading firmware: writing", 30000));
        // Looked at on the screen, too: the green part of the bar against dfu-util's figure.
        const QRegularExpression figure("Progress: dfu-util (\\d+)% of \\d+ bytes, bar (\\d+)");
        const auto last_figure = [&] {
            program.read();
            QRegularExpressionMatchIterator it = figure.globalMatch(program.log);
            int last = -1;
            while (it.hasNext())
                last = it.next().captured(1).toInt();
            return last;
        };
        // The screen may lag behind the program's record (much so under a sanitizer), never lead
        // it: no sample ahead of dfu-util, and the bar seen to move.
        int sampled = 0;
        int moved = 0;
        for (int i = 0; i < 40 && sampled < 3 && !program.contains("SM_A: /sig_FwDownloaded"); ++i) {
            const int before = last_figure();
            const QImage shot = screenshot("true-progress-" + QString::number(i));
            const int after = last_figure();
            const QPoint origin = window_position(window);
            int green = 0;
            for (int x = 209; x < 455; ++x) {
                const QColor c = shot.pixelColor(origin + QPoint(x, 421));
                green += c.green() > 200 && c.red() < 200 && c.blue() < 190;
            }
            const int shown = green * 100 / 246;
            if (before >= 10 && before <= 90) {
                QVERIFY2(shown <= after + 10,
                         qPrintable(QString("bar %1% on screen, dfu-util %2% .. %3%").arg(shown).arg(before).arg(after)));
                ++sampled;
                moved += shown >= 4;
            }
            QTest::qWait(700);
        }
        QVERIFY(sampled >= 2);
        QVERIFY(moved >= 1);
        QVERIFY(program.wait_for("Shown: Done. Disconnect USB cable.", 90000));
        // From the program's own record of every figure it set.
        QMap<QString, int> reached;
        const QStringList lines = program.log.split('\n');
        QString phase;
        int downloads_ended = 0;
        for (const QString& line : lines) {
            if (line.contains("Shown: Upgrading firmware: ") || line.contains("Shown: Uploading & verifying: "))
                phase = line.section("Shown: ", 1).section(' ', 0, 3);
            if (line.contains("SM_A: /sig_FwDownloaded"))
                ++downloads_ended;
            const QRegularExpressionMatch m = figure.match(line);
            if (!m.hasMatch())
                continue;
            const int printed = m.captured(1).toInt();
            const int bar = m.captured(2).toInt();
            QVERIFY2(bar >= reached.value(phase, 0), qPrintable(line));
            QVERIFY2(qAbs(bar - printed) <= 10, qPrintable(line));
            QVERIFY2(bar < 100, qPrintable(line)); // full only when the transfer has ended
            reached[phase] = bar;
        }
        QCOMPARE(reached.size(), 3); // erasing, writing, reading back
        QCOMPARE(downloads_ended, 1);
        const QImage done = screenshot("true-progress-done");
        const QColor near_end = done.pixelColor(window_position(window) + QPoint(207 + 240, 417 + 4));
        QVERIFY2(near_end.green() > 200 && near_end.red() < 200, qPrintable(near_end.name()));
    }

    // No dfu-util but the program's own, and nothing written outside its working folder.
    void an_unusable_temporary_folder_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("shown");
        QTest::newRow("missing") << "missing" << "Shown: No working folder can be made in";
        QTest::newRow("a plain file") << "file" << "Shown: No working folder can be made in";
        QTest::newRow("read-only") << "ro" << "Shown: No working folder can be made in";
        QTest::newRow("full") << "size=300k" << "Shown: The USB tool cannot be unpacked into";
        QTest::newRow("noexec") << "noexec" << "Shown: Programs cannot run from";
        QTest::newRow("another user's") << "nobody" << "Shown: The folder";
        QTest::newRow("writable by all") << "0777" << "Shown: The folder";
        // Not the folder, but found at the same moment and told the same way.
        QTest::newRow("simulator without python3") << "no python3"
                                                   << "Shown: The simulator (option -s) needs python3";
    }

    void an_unusable_temporary_folder()
    {
        QFETCH(QString, kind);
        QFETCH(QString, shown);
        QTemporaryDir scratch;
        const QString fake = scratch.filePath("bin");
        const QString marker = scratch.filePath("stray-dfu-util-ran");
        QDir().mkpath(fake);
        testsupport::write_file(fake + "/dfu-util", "#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n");
        QVERIFY(QFile::setPermissions(fake + "/dfu-util", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QString cwd = scratch.filePath("cwd");
        QDir().mkpath(cwd);

        Program::Options options;
        options.path_first = fake;
        options.working_dir = cwd;
        options.tmpdir = scratch.filePath("tmp");
        QStringList arguments{"-l"};
        if (kind == "file") {
            testsupport::write_file(options.tmpdir, "not a folder");
        } else if (kind == "nobody" || kind == "0777") {
            QDir().mkpath(options.tmpdir);
            QFile::setPermissions(options.tmpdir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                      | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
            if (kind == "nobody") {
                QProcess chown;
                chown.start("chown", {"nobody", options.tmpdir});
                if (!chown.waitForFinished(10000) || chown.exitCode() != 0)
                    QSKIP("handing a folder to another user needs root");
            }
        } else if (kind == "no python3") {
            QDir().mkpath(options.tmpdir);
            options.environment << "VELMORA_PYTHON=/nonexistent/python3";
            arguments << "-s";
        } else if (kind != "missing") {
            // A mount of its own, in a mount namespace of the program's own: gone with it.
            QDir().mkpath(options.tmpdir);
            QProcess probe;
            probe.start("unshare", {"-m", "mount", "-t", "tmpfs", "tmpfs", options.tmpdir});
            if (!probe.waitForFinished(10000) || probe.exitCode() != 0)
                QSKIP("mounting a file system needs root");
            options.wrapper = QStringList{"unshare", "-m", "sh", "-c",
                                          "mount -t tmpfs -o " + kind + " tmpfs \"$0\" && exec \"$@\"",
                                          options.tmpdir};
        }
        const QStringList in_root = QDir("/").entryList({"upgrade_*"}, QDir::AllEntries);
        Program program(display, arguments, options);
        QVERIFY(program.wait_for(shown));
        QVERIFY(program.wait_for("Starting sm_A"));
        QTest::qWait(1500); // several scans
        screenshot("unusable-tmpdir-" + QString(QTest::currentDataTag()).replace(' ', '-'));
        QVERIFY(!QFile::exists(marker));
        QVERIFY(QDir(cwd).isEmpty());
        QVERIFY(!QFile::exists("/uploaded_OTP.bin"));
        QCOMPARE(QDir("/").entryList({"upgrade_*"}, QDir::AllEntries), in_root);
        QVERIFY(!program.contains("Start  \"dfu-util\""));
    }
};

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_end_to_end.moc"
