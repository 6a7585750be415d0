#include "gui/main_window.h"
#include "test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
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
        QStringList environment; // NAME=value, set for the program
    };

    Program(const QString& display, const QStringList& arguments, const Options& options = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!options.emulator_dir.isEmpty()) {
            // The program's dfu-util children find the emulated bootloader behind their libusb.
            env.insert("LD_PRELOAD", DFUSE_EMULATOR);
            env.insert("VELMORA_EMU_DIR", options.emulator_dir);
            env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
        }
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("TMPDIR", options.tmpdir.isEmpty() ? tmp.path() : options.tmpdir);
        if (!options.path_first.isEmpty())
            env.insert("PATH", options.path_first + ":" + env.value("PATH"));
        env.insert("VELMORA_SIM_FAST", "1");
        env.remove("XDG_RUNTIME_DIR");
        for (const QString& pair : options.environment)
            env.insert(pair.section('=', 0, 0), pair.section('=', 1));
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
    }

    // Ended as a logout ends it, not killed: an instrumented build then writes its coverage.
    ~Program()
    {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(90000)) {
                process.kill();
                process.waitForFinished(5000);
            }
        }
    }

    // Waits for a log line holding the fragment.
    bool wait_for(const QString& fragment, int timeout_ms = 30000)
    {
        QElapsedTimer waited;
        waited.start();
        for (read(); !log.contains(fragment); read()) {
            if (waited.elapsed() > timeout_ms || process.state() == QProcess::NotRunning) {
                read();
                return log.contains(fragment);
            }
            process.waitForReadyRead(100);
        }
        return true;
    }

    void read()
    {
        log += QString::fromLocal8Bit(process.readAllStandardError());
        process.readAllStandardOutput();
    }

    QTemporaryDir tmp;
    QProcess process;
    QString log;
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

    QImage screenshot(const QString& name)
    {
        const QString path = shots + "/" + name + ".png";
        x({"screenshot", path}, X11_HELPER);
        return QImage(path);
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

    // Stories of the whole program, each a row: the unit, the user's steps, what the log says
    // the window showed (in order), what it never showed, how the program ends, and the flash.
    void scenarios_data()
    {
        QTest::addColumn<QString>("unit");      // "sim CONFIG | ENV", "emu CREATE-OPTIONS | SETTINGS", "none", or
                                                // "tmpdir missing" or mounted with those options
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("steps");     // ";"-separated: await TEXT, click, key KEY, signal N,
                                                // group-signal N, close, shot NAME, bar-full, bar-followed,
                                                // unplug, plug, set K=V, wait MS, no-gl, window WxH, log WxH,
                                                // log-key KEY
        QTest::addColumn<QStringList>("shown"); // in this order in the log
        QTest::addColumn<QStringList>("never");
        QTest::addColumn<int>("exit");          // -1: still running at the end
        QTest::addColumn<QString>("flash");     // "image", "kept" or ""

        const QStringList sim{"-s", "-l"};
        const QStringList real{"-l"};
        const QString offered = "MainWindow downloadMode: setEnabled true";
        const QString finishing = "Shown: Finishing the transfer: keep the USB cable connected.";
        const QString done = "Shown: Done. Disconnect USB cable.";
        const QString f4 = "emu --rev C7 --seed 7 | pace_f4=1 leave_delay_ms=60000";

        QTest::newRow("a whole upgrade in the simulator")
            << "sim older_revision" << sim
            << "await " + offered + "; shot upgrade-1-connected; key Return; await Shown: Upgrading firmware; "
               "shot upgrade-2-upgrading; await Shown: Firmware written; shot upgrade-3-restarting; await " + done +
               "; wait 300; shot upgrade-4-done; bar-full; close"
            << QStringList{"Language shown: English (en)",
                           "Result of execution test: status was ok and output: as expected",
                           "Shown: Waiting for a unit in DFU mode: do steps 1 to 3.", "Shown: Connected to an R12.",
                           "Shown: Connected to an R12 with firmware version C7", "Install clicked",
                           "Shown: Upgrading firmware", "Shown: Firmware written. To check it, restart the unit in DFU mode",
                           "Shown: Checking the firmware", done,
                           "Shown: Connected to an R12: the firmware was written and checked. Done. Disconnect USB cable.",
                           "app.exec() returns:  0"}
            << QStringList{"FW differs", "differs from the one", "Oops"} << 0 << "image";
        QTest::newRow("the embedded firmware is done at once, in German: the log stays English")
            << "sim current | LANG=de_DE.UTF-8 LANGUAGE= LC_ALL= LC_MESSAGES=" << sim
            << "await " + done + "; no-gl; shot current-done" << QStringList{"Language shown: Deutsch (de)", done}
            << QStringList{offered, "Shown: Upgrading"} << -1 << "image";
        QTest::newRow("no USB permission, then the rule") << "emu | open_denied=1" << real
                                                          << "await may not use it; shot outcome-no-permission; "
                                                             "set open_denied=0; await " + done
                                                          << QStringList{"dfu-util on standard error: dfu-util: Cannot "
                                                                         "open DFU device 0483:df11",
                                                                         "Shown: A unit is connected, but this user may "
                                                                         "not use it (USB permission). Install the udev "
                                                                         "rule (see 'man velmora-fw-upgrade'), then "
                                                                         "reconnect the unit.",
                                                                         done}
                                                          << QStringList{} << -1 << "";
        QTest::newRow("the real dfu-util without a unit")
            << "none" << real << "await Shown: Waiting; wait 2000; shot real-no-unit"
            << QStringList{"Will use real device", "/dfu-util\" (\"-V\")",
                           "Result of execution test: status was ok and output: as expected",
                           "Shown: Waiting for a unit in DFU mode", "Starting sm_A"}
            << QStringList{"SM_A: /sig_readingInfo", "Exit with", "Start  \"dfu-util\""} << -1 << "";
        QTest::newRow("an upgrade over the real dfu-util, paced as a real unit")
            << "emu --rev C7 --seed 7 | pace_f4=1 leave_delay_ms=1500" << real
            << "await " + offered + "; click; await " + done + "; wait 500; bar-followed; shot real-dfu-util-done"
            << QStringList{"Shown: Upgrading firmware: erasing", "Shown: Upgrading firmware: writing",
                           "Shown: Firmware written", "Shown: Checking firmware: reading back", done}
            << QStringList{"Exit with", "not answered"} << -1 << "image";
        QTest::newRow("Escape with nothing running: stopped, and nothing after")
            << "sim older_revision" << sim
            << "await " + offered + "; key Escape; await Shown: Stopped.; unplug; wait 1500; shot stopped-idle"
            << QStringList{"Msg-handler reset", "Trying to stop sm_A", "MainWindow downloadMode: setEnabled false",
                           "Shown: Stopped. To go on, close the window and start the program again."}
            << QStringList{"Oops, SM_A not dead yet"} << -1 << "";
        const QString writing = "await " + offered + "; click; await SM_A: /sig_FwDownloading; wait 1500; ";
        QTest::newRow("Escape during a write: finished, then stopped")
            << f4 << real
            << writing + "key Escape; await " + finishing + "; shot finishing-on-escape; await program has stopped; "
               "shot stopped-after-escape; close"
            << QStringList{finishing, "Shown: The firmware was written, not checked yet. The program has stopped. To go "
                                      "on, close the window and start the program again.", "app.exec() returns:  0"}
            << QStringList{"Exit with", "Oops"} << 0 << "image";
        QTest::newRow("closed during a write: finished, then ended")
            << f4 << real << writing + "close; await " + finishing
            << QStringList{finishing, "The transfer has ended", "app.exec() returns:  0"} << QStringList{"Exit with"} << 0
            << "image";
        QTest::newRow("Ctrl-C in the terminal during a write")
            << f4 << real << writing + "group-signal 2; await " + finishing
            << QStringList{finishing, "The transfer has ended"} << QStringList{"Exit with"} << 128 + SIGINT << "image";
        // Without a font for its letters a language would be boxes: English instead, and the log
        // names the package that brings them.
        for (const QString language : {"ja_JP", "zh_CN"})
            QTest::newRow(qPrintable("no CJK font, " + language))
                << "sim no_unit | LANG=" + language + ".UTF-8 LANGUAGE= LC_ALL= LC_MESSAGES= FONTCONFIG_FILE=" SOURCE_DIR
                   "/tests/support/fonts-without-cjk.conf"
                << sim << "await Shown: Waiting; shot no-cjk-font-" + language
                << QStringList{"Language shown: English (en)",
                               "No installed font has the letters of " + language.left(2).replace("zh", "zh_CN")
                                   + ", so the window speaks English: install the package fonts-noto-cjk",
                               "Shown: Waiting for a unit in DFU mode"}
                << QStringList{"Language shown: 日本語", "Language shown: 中文"} << -1 << "";
        // A working folder that cannot be used, and the simulator without python3: told, and no
        // dfu-util ever started.
        const QString scans = "await Starting sm_A; wait 1500; shot unusable-";
        const QStringList no_tool{"Start  \"dfu-util\""};
        // The header still names what this program installs: read where it is embedded.
        QTest::newRow("TMPDIR missing") << "tmpdir missing" << real << scans + "missing"
                                        << QStringList{"Rev.: C8", "Shown: No working folder can be made in"} << no_tool
                                        << -1 << "";
        QTest::newRow("TMPDIR full") << "tmpdir size=300k" << real << scans + "full"
                                     << QStringList{"Shown: The USB tool cannot be unpacked into"} << no_tool << -1 << "";
        QTest::newRow("TMPDIR noexec") << "tmpdir noexec" << real << scans + "noexec"
                                       << QStringList{"Shown: Programs cannot run from"} << no_tool << -1 << "";
        QTest::newRow("the simulator without python3")
            << "sim no_unit | VELMORA_PYTHON=/nonexistent/python3" << sim << scans + "no-python3"
            << QStringList{"Shown: The simulator (option -s) needs python3"} << no_tool << -1 << "";
        // Qt scales the window to the screen once: 1330 x 1034 device pixels at twice the density
        // however that is asked for (QT_SCALE_FACTOR=2: the window test's second run), wholly on
        // the screen; the log keeps its size in points, and Ctrl-L in either window shows or hides it.
        for (const QString variable : {"", "QT_AUTO_SCREEN_SCALE_FACTOR=1"})
            QTest::newRow(qPrintable(("192 dpi " + variable).trimmed()))
                << "sim older_revision | DPI=192 " + variable << sim
                << "await " + offered + "; wait 300; window 1330x1034; shot dense; key ctrl+l; log 1200x800; log-key ctrl+l; log 0x0"
                << QStringList{} << QStringList{} << -1 << "";
        for (const int number : {SIGTERM, SIGINT, SIGHUP})
            QTest::newRow(qPrintable(QString("signal %1 while idle").arg(number)))
                << "sim no_unit" << sim << QString("await Starting sm_A; signal %1").arg(number)
                << QStringList{"Waiting 2 s before deleting objects"} << QStringList{} << 128 + number << "";
    }

    void scenarios()
    {
        QFETCH(QString, unit);
        QFETCH(QStringList, arguments);
        QFETCH(QString, steps);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, never);
        QFETCH(int, exit);
        QFETCH(QString, flash);

        SimulatorState sim;
        // Only where a row has an emulated unit: it preloads itself into this process's children.
        std::unique_ptr<testsupport::EmulatorState> emulated;
        if (unit.startsWith("emu"))
            emulated = std::make_unique<testsupport::EmulatorState>();
        testsupport::EmulatorState* emu = emulated.get();
        Program::Options options;
        QString flash_file;
        if (unit.startsWith("sim")) {
            QVERIFY(sim.setup(unit.mid(4).section('|', 0, 0).trimmed()));
            options.environment = unit.section('|', 1).trimmed().split(' ', Qt::SkipEmptyParts);
            flash_file = sim.unit_dir() + "/flash.bin";
        } else if (unit.startsWith("emu")) {
            const QString create = unit.mid(3).section('|', 0, 0).trimmed();
            const QString settings = unit.section('|', 1).trimmed();
            QVERIFY(emu->create(unit_serial, create.split(' ', Qt::SkipEmptyParts)));
            if (!settings.isEmpty())
                QVERIFY(emu->set(unit_serial, settings.split(' ')));
            options.emulator_dir = emu->path();
            flash_file = emu->unit_dir() + "/flash.bin";
        }
        // No dfu-util but the program's own ever runs, and nothing is written outside its
        // working folder.
        QTemporaryDir scratch;
        const QString marker = scratch.filePath("stray-dfu-util-ran");
        options.path_first = scratch.filePath("bin");
        options.working_dir = scratch.filePath("cwd");
        QVERIFY(QDir().mkpath(options.path_first) && QDir().mkpath(options.working_dir));
        testsupport::write_file(options.path_first + "/dfu-util", "#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n");
        QVERIFY(QFile::setPermissions(options.path_first + "/dfu-util", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        // A process group of its own, as a program started from a terminal has.
        options.wrapper = QStringList{"setsid"};
        if (unit.startsWith("tmpdir")) {
            options.tmpdir = scratch.filePath("tmp");
            const QString kind = unit.section(' ', 1);
            if (kind != "missing") {
                // A mount of its own, in a mount namespace of the program's own: gone with it.
                QVERIFY(QDir().mkpath(options.tmpdir));
                QProcess probe;
                probe.start("unshare", {"-m", "mount", "-t", "tmpfs", "tmpfs", options.tmpdir});
                if (!probe.waitForFinished(10000) || probe.exitCode() != 0)
                    QSKIP("mounting a file system needs root");
                options.wrapper = QStringList{"unshare", "-m", "sh", "-c",
                                              "mount -t tmpfs -o " + kind + " tmpfs \"$0\" && exec setsid \"$@\"",
                                              options.tmpdir};
            }
        }
        const QByteArray before = flash_file.isEmpty() ? QByteArray() : testsupport::read_file(flash_file);
        const QStringList in_root = QDir("/").entryList({"upgrade_*"}, QDir::AllEntries);
        // A screen of that density, 3840 x 2160, for the program and the X tools.
        QProcess dense;
        const QString usual = display;
        const auto back = qScopeGuard([&] {
            display = usual;
            dense.terminate();
            dense.waitForFinished(5000);
        });
        const QString dpi = options.environment.filter(QRegularExpression("^DPI=")).value(0);
        if (!dpi.isEmpty()) {
            options.environment.removeAll(dpi);
            dense.start("Xvfb", {"-displayfd", "1", "-screen", "0", "3840x2160x24", "-dpi", dpi.mid(4), "-nolisten", "tcp"});
            QVERIFY(dense.waitForStarted(10000));
            QTRY_VERIFY_WITH_TIMEOUT(dense.canReadLine() || (dense.waitForReadyRead(100) && dense.canReadLine()), 20000);
            display = ":" + QString(dense.readLine()).trimmed();
        }
        Program program(display, arguments, options);
        QString window;
        const QString tag = QString(QTest::currentDataTag());
        for (const QString& step : steps.split(';')) {
            const QString word = step.trimmed().section(' ', 0, 0);
            const QString rest = step.trimmed().section(' ', 1);
            const pid_t pid = pid_t(program.process.processId());
            if (window.isEmpty() && word != "await" && word != "signal" && word != "group-signal" && word != "wait")
                window = main_window();
            if (word == "await") {
                QVERIFY2(program.wait_for(rest, 90000), qPrintable(rest + "\n" + program.log.right(3000)));
            } else if (word == "click") {
                const QPoint centre = MainWindow::button_rect(1.0).center();
                x({"mousemove", "--window", window, QString::number(centre.x()), QString::number(centre.y()), "click", "1"});
            } else if (word == "key") {
                x({"windowfocus", "--sync", window});
                x({"key", "--window", window, rest});
            } else if (word == "signal") {
                ::kill(pid, rest.toInt());
            } else if (word == "group-signal") {
                ::kill(-pid, rest.toInt());
            } else if (word == "close") {
                x({"close", window}, X11_HELPER);
            } else if (word == "shot") {
                screenshot(rest);
            } else if (word == "bar-full") {
                // The bar is full: its green reaches the right end of the button's place.
                const QImage shot = screenshot(tag + "-bar");
                const QRegularExpressionMatch at
                    = QRegularExpression("Position: (\\d+),(\\d+)").match(x({"getwindowgeometry", window}));
                const QPoint origin(at.captured(1).toInt(), at.captured(2).toInt());
                const QColor near_end = shot.pixelColor(origin + QPoint(207 + 240, 417 + 20));
                QVERIFY2(near_end.green() > 200 && near_end.red() < 200 && near_end.blue() < 190,
                         qPrintable(near_end.name()));
            } else if (word == "bar-followed") {
                // The bar followed dfu-util's own figures, as the program recorded each: never
                // back within a phase, never 10 points off, full only once the transfer ended.
                static const QRegularExpression figure("Progress: dfu-util (\\d+)% of \\d+ bytes, bar (\\d+)");
                QMap<QString, int> reached;
                QString phase;
                for (const QString& line : program.log.split('\n')) {
                    if (line.contains("Shown: Upgrading firmware: ") || line.contains("Shown: Checking firmware: "))
                        phase = line.section("Shown: ", 1).section(' ', 0, 3);
                    const QRegularExpressionMatch m = figure.match(line);
                    const int bar = m.captured(2).toInt();
                    QVERIFY2(!m.hasMatch() || (bar >= reached.value(phase) && qAbs(bar - m.captured(1).toInt()) <= 10 && bar < 100),
                             qPrintable(line));
                    if (m.hasMatch())
                        reached[phase] = bar;
                }
                QCOMPARE(reached.size(), 3); // erasing, writing, reading back
                QCOMPARE(program.log.count("SM_A: /sig_FwDownloaded"), 1); // one write
            } else if (word == "window") {
                // Of that size, and wholly on the screen.
                const QString geometry = x({"getwindowgeometry", window});
                const QRegularExpressionMatch m = QRegularExpression("Position: (\\d+),(\\d+).*Geometry: (\\d+x\\d+)",
                                                                     QRegularExpression::DotMatchesEverythingOption).match(geometry);
                const QStringList screen = x({"getdisplaygeometry"}).split(' ');
                QCOMPARE(m.captured(3), rest);
                const QRect placed(QPoint(m.captured(1).toInt(), m.captured(2).toInt()), QSize(rest.section('x', 0, 0).toInt(), rest.section('x', 1).toInt()));
                QVERIFY2(QRect(0, 0, screen.value(0).toInt(), screen.value(1).toInt()).contains(placed), qPrintable(geometry));
            } else if (word == "log") {
                // The log window shown with that size; 0x0: hidden.
                const auto shown = [&] {
                    const QString id = x({"search", "--onlyvisible", "--name", "Log$"}).section('\n', 0, 0);
                    return id.isEmpty() ? QString("Geometry: 0x0") : x({"getwindowgeometry", id});
                };
                QTRY_VERIFY_WITH_TIMEOUT(shown().contains("Geometry: " + rest), 10000);
            } else if (word == "log-key") {
                const QString log = x({"search", "--onlyvisible", "--name", "Log$"}).section('\n', 0, 0);
                x({"windowfocus", "--sync", log});
                x({"key", "--window", log, rest});
            } else if (word == "unplug" || word == "plug") {
                QVERIFY(unit.startsWith("emu") ? emu->run({word, unit_serial}) : sim.run({word}));
            } else if (word == "set") {
                QVERIFY(emu->set(unit_serial, rest.split(' ')));
            } else if (word == "wait") {
                QTest::qWait(rest.toInt());
            } else if (word == "no-gl") {
                // The window draws without OpenGL, so no Mesa driver is loaded for it.
                const QString maps = QString(testsupport::read_file(QString("/proc/%1/maps").arg(pid)));
                QVERIFY2(!maps.isEmpty() && !maps.contains("GLX_mesa") && !maps.contains("_dri.so"), qPrintable(maps));
            } else {
                QFAIL(qPrintable("unknown step " + step));
            }
        }
        if (exit >= 0) {
            QVERIFY2(program.process.waitForFinished(90000), qPrintable(program.log.right(3000)));
            QCOMPARE(program.process.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.process.exitCode(), exit);
            QVERIFY(QDir(program.tmp.path()).entryList({"upgrade_*"}, QDir::Dirs).isEmpty());
        } else {
            QCOMPARE(program.process.state(), QProcess::Running);
        }
        program.read();
        int at = 0;
        for (const QString& fragment : shown) {
            at = program.log.indexOf(fragment, at);
            QVERIFY2(at >= 0, qPrintable(fragment + "\n  not in order in:\n" + program.log.right(6000)));
            at += fragment.size();
        }
        for (const QString& fragment : never)
            QVERIFY2(!program.log.contains(fragment), qPrintable(fragment));
        QVERIFY(!QFile::exists(marker));
        QVERIFY2(QDir(options.working_dir).isEmpty(), qPrintable(QDir(options.working_dir).entryList().join(' ')));
        QVERIFY(!QFile::exists("/uploaded_OTP.bin"));
        QCOMPARE(QDir("/").entryList({"upgrade_*"}, QDir::AllEntries), in_root);
        if (flash == "image")
            QCOMPARE(testsupport::read_file(flash_file).left(733656),
                     testsupport::read_file(testsupport::embedded_firmware_path()));
        else if (flash == "kept")
            QCOMPARE(testsupport::read_file(flash_file), before);
    }

    // What Orca, the screen reader, says of the window, as its own record of what it decided
    // to say (lines "SPEECH OUTPUT: '…'"), in a headless desktop of its own whose X server
    // resets and loses the accessibility bus's address (tests/support/orca-session.sh). Each
    // row: the unit, how often the program starts, the line after which Return is pressed
    // (as a user does once the button is said), and what is said, in order, at each start.
    void a_screen_reader_speaks_every_state_data()
    {
        QTest::addColumn<QString>("unit"); // as in scenarios: "sim CONFIG" or "emu CREATE | SETTINGS"
        QTest::addColumn<int>("starts");
        QTest::addColumn<QString>("press");
        QTest::addColumn<QStringList>("spoken"); // fragments of the lines, in this order
        const QString emu = "emu --rev C7 --seed 7 | pace_f4=1 leave_delay_ms=1500";
        const QString button = "4. Click here to start upgrade push button";
        QTest::newRow("an upgrade over the emulated bootloader")
            << emu << 1 << button
            << QStringList{"notification Connected to an R12 with firmware version C7", "Velmora Firmware Upgrade Tool frame",
                           "1. Turn off the device 2. Hold the rightmost button", button,
                           "notification Upgrading firmware: writing", "notification Checking firmware: reading back",
                           "notification Done. Disconnect USB cable."};
        QTest::newRow("a failed write") << emu + " write_error=1" << 1 << button
                                        << QStringList{button, "notification Writing the firmware failed"};
        QTest::newRow("another product refused")
            << "sim other_product" << 1 << "" << QStringList{"This tool upgrades R12 units only"};
        QTest::newRow("every start joins the bus")
            << "sim no_unit" << 20 << "" << QStringList{"notification Waiting for a unit in DFU mode"};
    }

    void a_screen_reader_speaks_every_state()
    {
        QFETCH(QString, unit);
        QFETCH(int, starts);
        QFETCH(QString, press);
        QFETCH(QStringList, spoken);
        QTemporaryDir desk;
        QProcess session;
        session.setProcessEnvironment(QProcessEnvironment()); // a clean one, as a login gives
        session.start("/usr/bin/dbus-run-session",
                      {"--", QString(SOURCE_DIR) + "/tests/support/orca-session.sh", desk.path()});
        // The desktop ends itself, also when a check fails (Orca ends only when it is told to).
        const auto end = qScopeGuard([&] {
            QProcess::execute("kill", {QString(testsupport::read_file(desk.filePath("pid"))).trimmed()});
            session.waitForFinished(60000);
        });
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(desk.filePath("session")), 60000);
        QStringList environment = QString(testsupport::read_file(desk.filePath("session"))).split('\n', Qt::SkipEmptyParts);
        const QString orca_display = environment.first().section('=', 1);
        environment.removeFirst();
        environment << "QT_ACCESSIBILITY=1";
        const auto xdotool = [&](const QStringList& arguments) {
            QProcess tool;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("DISPLAY", orca_display);
            env.remove("LD_PRELOAD");
            tool.setProcessEnvironment(env);
            tool.start("xdotool", arguments);
            tool.waitForFinished(20000);
            return QString(tool.readAllStandardOutput()).trimmed();
        };
        QStringList said;
        const auto transcript = [&] {
            said.clear();
            static const QRegularExpression speech("SPEECH OUTPUT: '(.*)' ?\\{");
            for (const QString& line : QString(testsupport::read_file(desk.filePath("orca.log"))).split('\n'))
                if (const QRegularExpressionMatch match = speech.match(line); match.hasMatch())
                    said << match.captured(1);
            return said.size();
        };
        const auto heard = [&](int from, const QString& fragment) {
            transcript();
            for (int i = from; i < said.size(); ++i)
                if (said[i].contains(fragment))
                    return i + 1;
            return 0;
        };
        const auto focus = [&] {
            xdotool({"search", "--sync", "--onlyvisible", "--name", "^" + title + "$", "windowfocus", "--sync"});
        };

        for (int start = 0; start < starts; ++start) {
            SimulatorState sim;
            std::unique_ptr<testsupport::EmulatorState> emu;
            Program::Options options;
            options.environment = environment;
            if (unit.startsWith("sim")) {
                QVERIFY(sim.setup(unit.mid(4)));
            } else {
                emu = std::make_unique<testsupport::EmulatorState>();
                QVERIFY(emu->create(unit_serial, unit.mid(3).section('|', 0, 0).split(' ', Qt::SkipEmptyParts)));
                QVERIFY(emu->set(unit_serial, unit.section('|', 1).split(' ', Qt::SkipEmptyParts)));
                options.emulator_dir = emu->path();
            }
            int at = transcript();
            Program program(orca_display, unit.startsWith("sim") ? QStringList{"-s", "-l"} : QStringList{"-l"}, options);
            // The window is given the focus as a window manager gives it: here after its first
            // notification, which needs none, so that the order of what is said is known.
            const bool focus_later = spoken.first().startsWith("notification");
            if (!focus_later)
                focus();
            for (const QString& fragment : spoken) {
                int next = 0;
                QTRY_VERIFY2_WITH_TIMEOUT((program.read(), next = heard(at, fragment)) > 0,
                                          qPrintable(QString("start %1: not said: %2\nSaid:\n%3\nThe program's log ends:\n%4")
                                                         .arg(start + 1)
                                                         .arg(fragment, said.mid(at).join('\n'), program.log.right(3000))),
                                          60000);
                at = next;
                if (focus_later && fragment == spoken.first())
                    focus();
                if (fragment == press)
                    xdotool({"key", "Return"});
            }
            if (start == 0)
                qInfo().noquote() << "Orca said:\n " << said.join("\n  ");
        }
    }
};

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_end_to_end.moc"
