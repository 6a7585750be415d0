#include "gui/main_window.h"
#include "test_support.h"

#include <QColor>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

#include <csignal>
#include <sys/types.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

using testsupport::EmulatorState;
using testsupport::SimulatorState;

namespace {

// Units by letter: A is the emulator's usual serial.
QString serial_of(const QString& letter)
{
    return "305F3871343" + QString::number(7 + letter.at(0).unicode() - 'A');
}

// What may reach people: text with line feeds and tabs, and nothing that steers a terminal or
// reorders a line (controls, DEL, C1, bidirectional marks, overrides and isolates); valid UTF-8.
QString steering(const QByteArray& bytes)
{
    static const QRegularExpression steers("[\\x00-\\x08\\x0b-\\x1f\\x7f-\\x9f\\x{61c}\\x{200e}\\x{200f}"
                                           "\\x{2028}-\\x{202e}\\x{2066}-\\x{2069}]");
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() != bytes)
        return "bytes that are no UTF-8";
    const int at = text.indexOf(steers);
    return at < 0 ? QString()
                  : QString("U+%1 in: %2").arg(text.at(at).unicode(), 4, 16, QChar('0')).arg(text.mid(at - 200, 260));
}

// The real program, read through its standard error (its log, and the bench's lines for
// people) and its standard output.
struct Program {
    QTemporaryDir tmp;
    QProcess process;
    QByteArray err;
    QByteArray out;

    // Without DISPLAY among the pairs (NAME=value), no window system at all; LANG alone names
    // the language.
    void start(const QStringList& command, const QStringList& environment)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
            env.remove(name);
        env.insert("TMPDIR", tmp.path());
        env.insert("VELMORA_SIM_FAST", "1");
        // Under AddressSanitizer: no leak check of the whole program at its exit. Its windows
        // live until then by design, and the X platform plugin's last allocations come from a
        // library already unloaded, so they cannot be told apart; the library's own code is
        // leak-checked by the other tests.
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":verify_asan_link_order=0:detect_leaks=0");
        for (const QString& pair : environment) {
            if (pair.startsWith("LANG="))
                for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
                    env.remove(name);
            env.insert(pair.section('=', 0, 0), pair.section('=', 1));
        }
        process.setProcessEnvironment(env);
        process.start(command.first(), command.mid(1));
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

    // Reads until done() holds, the program ends or the time is up.
    bool wait(const std::function<bool()>& done, int timeout_ms = 90000)
    {
        QElapsedTimer waited;
        waited.start();
        for (read(); !done() && waited.elapsed() < timeout_ms && process.state() != QProcess::NotRunning; read())
            process.waitForReadyRead(100);
        read();
        return done();
    }

    void read()
    {
        err += process.readAllStandardError();
        out += process.readAllStandardOutput();
    }

    QString log() const { return QString::fromUtf8(err); }
};

// Starts an X server of that screen and density: its display, or none.
QString start_x(QProcess& server, const QString& screen, const QString& dpi)
{
    server.start("Xvfb", {"-displayfd", "1", "-screen", "0", screen, "-dpi", dpi, "-nolisten", "tcp"});
    QElapsedTimer waited;
    waited.start();
    while (!server.canReadLine() && waited.elapsed() < 20000 && server.state() != QProcess::NotRunning)
        server.waitForReadyRead(100);
    return server.canReadLine() ? ":" + QString(server.readLine()).trimmed() : QString();
}

// The units of a row: "sim CONFIG" in the simulator, else ";"-separated "LETTER [unplugged]
// [create options] [| settings]" of the emulated bootloader, where the setting usb_serial=HEX
// gives the bytes of the unit's USB serial. Their serials and flash files, in order.
bool make_units(const QString& units, std::unique_ptr<SimulatorState>& sim, std::unique_ptr<EmulatorState>& emu,
                QStringList& serials, QStringList& flashes)
{
    if (units.startsWith("sim ")) {
        sim = std::make_unique<SimulatorState>();
        if (!sim->setup(units.mid(4)))
            return false;
        flashes << sim->unit_dir() + "/flash.bin";
        return true;
    }
    emu = std::make_unique<EmulatorState>(); // preloaded into this process's children from now on
    for (const QString& unit : units.split(';')) {
        QStringList words = unit.section('|', 0, 0).split(' ', Qt::SkipEmptyParts);
        QStringList settings = unit.section('|', 1).split(' ', Qt::SkipEmptyParts);
        const QString serial = serial_of(words.takeFirst());
        const bool unplugged = words.removeAll("unplugged") > 0;
        if (!emu->create(serial, words))
            return false;
        for (const QString& hex : settings.filter(QRegularExpression("^usb_serial="))) {
            testsupport::write_file(emu->unit_dir(serial) + "/usb_serial", QByteArray::fromHex(hex.mid(11).toLatin1()));
            settings.removeAll(hex);
        }
        if ((!settings.isEmpty() && !emu->set(serial, settings)) || (unplugged && !emu->run({"unplug", serial})))
            return false;
        serials << serial;
        flashes << emu->unit_dir(serial) + "/flash.bin";
    }
    return true;
}

} // namespace

class TestEndToEnd final : public QObject {
    Q_OBJECT

    QProcess xvfb;
    QString display;
    Display* connection = nullptr; // the test's own to the usual X server

    QString x(const QStringList& arguments)
    {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        // The emulated bootloader is for dfu-util: preloaded into a sanitizer build of a helper,
        // it keeps the helper from starting at all.
        env.remove("LD_PRELOAD");
        tool.setProcessEnvironment(env);
        tool.start("xdotool", arguments);
        tool.waitForFinished(20000);
        return QString(tool.readAllStandardOutput()).trimmed();
    }

private slots:
    void initTestCase()
    {
        display = start_x(xvfb, "1280x1024x24", "96");
        connection = XOpenDisplay(qPrintable(display));
        QVERIFY(connection);
    }

    void cleanupTestCase()
    {
        XCloseDisplay(connection);
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }

    // Stories of the whole program, its window and its bench, each a row: the units, the user's
    // steps, what was said (in order), what never was, what the bench wrote as results, how the
    // program ends, and the flash of each unit.
    void stories_data()
    {
        QTest::addColumn<QString>("units");    // as make_units() takes them, or "none", or "tmpdir missing",
                                               // or "tmpdir OPTIONS" (a file system mounted with those)
        QTest::addColumn<QStringList>("arguments"); // NAME=value first: its environment (DPI=N: a screen of
                                                    // that density); "terminal" first: under a pseudo-terminal;
                                                    // with -b, --batch or --help: without a display
        QTest::addColumn<QString>("steps");    // ";"-separated: await TEXT, click, key KEY, close,
                                               // signal N, group-signal N, bar-full, unplug [L],
                                               // plug [L], set K=V, wait MS, no-gl, no-window-system,
                                               // size TITLE WxH, key TITLE KEY, focus, hear TEXT, restart
        QTest::addColumn<QStringList>("said"); // on standard error (the window's log), in this order
        QTest::addColumn<QStringList>("never");
        QTest::addColumn<QStringList>("out");  // standard output: "LETTER result/product/before/after/written"
                                               // per JSON object (the serial for a letter unknown), "summary
                                               // UNITS: COUNTS" (upgraded ... stopped), or fragments of text
        QTest::addColumn<int>("exit");         // -1: still running at the end
        QTest::addColumn<QString>("flash");    // per unit in order: image, kept or written (neither)

        const QStringList sim{"-s", "-l"};
        const QStringList real{"-l"};
        const QStringList none;
        const QString offered = "MainWindow downloadMode: setEnabled true";
        const QString finishing = "Finishing the transfer: keep the USB cable connected.";
        const QString done = "Shown: Done. Disconnect USB cable.";
        const QString older = " --rev C7 --seed 7";

        // The window.
        QTest::newRow("a whole upgrade")
            << "A" + older + " | pace_f4=1 leave_delay_ms=1500" << real
            << "await " + offered + "; click; await " + done + "; wait 500; bar-full; close"
            << QStringList{"Shown: Connected to an R12 with firmware version C7", "Install clicked",
                           "Shown: Firmware written. To check it, restart the unit in DFU mode", done,
                           "app.exec() returns:  0"}
            << QStringList{"FW differs", "differs from the one", "Oops", "Exit with", "not answered"} << none << 0
            << "image";
        QTest::newRow("the embedded firmware is done at once, in German: the log stays English")
            << "sim current" << QStringList{"LANG=de_DE.UTF-8"} + sim << "await " + done + "; no-gl"
            << QStringList{"Language shown: Deutsch (de)", done} << QStringList{offered, "Shown: Upgrading"} << none
            << -1 << "image";
        QTest::newRow("no USB permission, then the rule")
            << "A | open_denied=1" << real << "await may not use it; set open_denied=0; await " + done
            << QStringList{"dfu-util on standard error: dfu-util: Cannot open DFU device 0483:df11",
                           "Shown: A unit is connected, but this user may not use it (USB permission). Install the "
                           "udev rule (see 'man velmora-fw-upgrade'), then reconnect the unit.", done}
            << none << none << -1 << "";
        QTest::newRow("Escape with nothing running: stopped, and nothing after")
            << "sim older_revision" << sim
            << "await " + offered + "; key Escape; await Shown: Stopped.; unplug; wait 1500"
            << QStringList{"Msg-handler reset", "Trying to stop sm_A", "MainWindow downloadMode: setEnabled false",
                           "Shown: Stopped. To go on, close the window and start the program again."}
            << QStringList{"Oops, SM_A not dead yet"} << none << -1 << "";
        // The window closed, then Escape, while the unit is written: the write is finished, and
        // then the program ends.
        QTest::newRow("close and Escape during a write: finished, then ended")
            << "A" + older + " | pace_f4=1 leave_delay_ms=60000" << real
            << "await " + offered + "; click; await SM_A: /sig_FwDownloading; wait 1500; close; await " + finishing
               + "; key Escape"
            << QStringList{"Shown: " + finishing, "The transfer has ended", "app.exec() returns:  0"}
            << QStringList{"Exit with", "Oops"} << none << 0 << "image";
        // Without a font for its letters a language would be boxes: English instead, and the log
        // names the package that brings them. A signal ends the idle window: SIGTERM, SIGHUP here,
        // SIGINT below.
        for (const QString language : {"ja_JP", "zh_CN"}) {
            const int number = language == "ja_JP" ? SIGHUP : SIGTERM;
            QTest::newRow(qPrintable(QString("no CJK font, %1; signal %2").arg(language).arg(number)))
                << "sim no_unit"
                << QStringList{"LANG=" + language + ".UTF-8",
                               "FONTCONFIG_FILE=" SOURCE_DIR "/tests/support/fonts-without-cjk.conf"} + sim
                << QString("await Shown: Waiting; signal %1").arg(number)
                << QStringList{"Language shown: English (en)",
                               "No installed font has the letters of " + language.left(2).replace("zh", "zh_CN")
                                   + ", so the window speaks English: install the package fonts-noto-cjk",
                               "Shown: Waiting for a unit in DFU mode", "Waiting 2 s before deleting objects"}
                << QStringList{"Language shown: 日本語", "Language shown: 中文"} << none << 128 + number << "";
        }
        // A working folder that cannot be used, and the simulator without python3: told, and no
        // dfu-util ever started. The header still names what this program installs: read where
        // it is embedded.
        const QString scans = "await Starting sm_A; wait 1500";
        const QStringList no_tool{"Start  \"dfu-util\""};
        QTest::newRow("TMPDIR missing") << "tmpdir missing" << real << scans
                                        << QStringList{"Rev.: C8", "Shown: No working folder can be made in"} << no_tool
                                        << none << -1 << "";
        QTest::newRow("TMPDIR full") << "tmpdir size=300k" << real << scans
                                     << QStringList{"Shown: The USB tool cannot be unpacked into"} << no_tool << none << -1 << "";
        QTest::newRow("TMPDIR noexec") << "tmpdir noexec" << real << scans
                                       << QStringList{"Shown: Programs cannot run from"} << no_tool << none << -1 << "";
        QTest::newRow("the simulator without python3; signal 2")
            << "sim no_unit" << QStringList{"VELMORA_PYTHON=/nonexistent/python3"} + sim << scans + "; signal 2"
            << QStringList{"Shown: The simulator (option -s) needs python3", "Waiting 2 s before deleting objects"}
            << no_tool << none << 128 + SIGINT << "";
        // Qt scales the window to the screen once: 1330 x 1034 device pixels at twice the density
        // (QT_SCALE_FACTOR=2: the window test's second run); the log keeps its size in points, and
        // Ctrl-L in either window shows or hides it.
        QTest::newRow("192 dpi")
            << "sim older_revision" << QStringList{"DPI=192"} + sim
            << "await " + offered + "; wait 300; size ^Velmora.*Tool$ 1330x1034; key ctrl+l; size Log$ 1200x800; "
               "key Log$ ctrl+l; size Log$ 0x0"
            << QStringList{} << QStringList{} << none << -1 << "";

        // The bench.
        const QStringList json{"--batch", "--json"};
        const QString korvid = " --otp 0x04 --type 0x04 --name Korvid --rev B3 --seed 4";
        // The time-out counts only while no unit is connected and none is served: the first
        // unit takes longer than it. Another unit plugged in where the first comes back is
        // served as itself.
        QTest::newRow("bench: three units in turn: upgraded, verified, refused")
            << "A" + older + " | pace_f4=1; B unplugged; C unplugged" + korvid
            << json + QStringList{"--units", "3", "--timeout", "4"}
            << "await Unit 305F38713437: firmware version; unplug A; plug B; await Unit 305F38713438: it already; "
               "unplug B; plug C"
            << QStringList{"305F38713437: Firmware written. To check it, restart the unit in its USB boot mode.",
                           "Unit 305F38713437: firmware version C7 replaced by version C8 and checked.",
                           "Unit 305F38713438: it already holds firmware version C8, checked without writing.",
                           "Unit 305F38713439: refused. Connected to a ZX-8. This tool upgrades R12 units only, so it "
                           "cannot upgrade this one.",
                           "3 units: 1 upgraded, 1 verified, 1 refused, 0 unreadable, 0 failed, 0 interrupted, 0 stopped."}
            << none << QStringList{"A upgraded/R12/C7/C8/written", "B verified/R12/C8/C8/", "C refused/ZX-8/B3/B3/",
                                   "summary 3: 1 1 1 0 0 0 0"}
            << 3 << "image image kept";
        // The written unit stays away; another, whose flash never passes for its, plugged in where
        // it should come back is served as itself, and the written one is checked once it is back.
        QTest::newRow("bench: another unit where the written one comes back")
            << "A" + older + " | pace_f4=1 leave_delay_ms=60000; B unplugged" + korvid
            << json + QStringList{"--units", "2"}
            << "await 305F38713437: Firmware written; plug B; await Unit 305F38713438: refused; wait 1000; plug A"
            << QStringList{"Unit 305F38713438: refused.",
                           "Unit 305F38713437: firmware version C7 replaced by version C8 and checked."}
            << none << QStringList{"A upgraded/R12/C7/C8/written", "B refused/ZX-8/B3/B3/", "summary 2: 1 0 1 0 0 0 0"}
            << 3 << "image kept";
        // Six units together, four at a time: each gets its own result, and nothing is written
        // on what was not read.
        QTest::newRow("bench: a hub of six: upgraded, verified, refused, unreadable twice, interrupted")
            << "A" + older + "; B; C" + korvid + "; D" + older + " | upload_error=otp; E" + older
                   + " | vanish_on=write vanish_after=120; F" + older + " | upload_error=flash"
            << json + QStringList{"--jobs", "4", "--units", "6"} << ""
            << QStringList{"Unit 305F387134310: unreadable, nothing written. The unit's information cannot be read.",
                           "Unit 305F387134311: interrupted. The unit was disconnected while its firmware was written."}
            << none << QStringList{"A upgraded/R12/C7/C8/written", "B verified/R12/C8/C8/", "C refused/ZX-8/B3/B3/",
                                   "D unreadable////", "E interrupted/R12/C7//written", "F unreadable/R12///",
                                   "summary 6: 1 1 1 2 0 1 0"}
            << 2 << "image kept kept kept written kept";
        // Every running write is finished and every unit reported; the unit still waiting for
        // its turn (units start in the order of their serials: C, ...39, comes after ...310
        // and ...311) is reported stopped, untouched.
        const QString paced = older + " | pace_f4=1 leave_delay_ms=60000";
        QTest::newRow("bench: Ctrl-C while four units are written: all finished, then reported")
            << "A" + paced + "; B" + paced + "; C" + paced + "; D" + paced + "; E" + paced
            << json + QStringList{"--jobs", "4", "--units", "5"}
            << "await 305F38713437: Upgrading firmware: writing; await 305F38713438: Upgrading firmware: writing; "
               "await 305F387134310: Upgrading firmware: writing; await 305F387134311: Upgrading firmware: writing; "
               "group-signal 2"
            << QStringList{finishing, "Unit 305F387134310: stopped. The firmware was written, not checked yet.",
                           "5 units: 0 upgraded, 0 verified, 0 refused, 0 unreadable, 0 failed, 0 interrupted, 5 stopped."}
            << none << QStringList{"A stopped/R12/C7//written", "B stopped/R12/C7//written", "C stopped////",
                                   "D stopped/R12/C7//written", "E stopped/R12/C7//written", "summary 5: 0 0 0 0 0 0 5"}
            << 128 + SIGINT << "image image kept image image";
        QTest::newRow("bench: one at a time: pulled mid-write is interrupted; an unknown device and the next unit "
                      "are refused; the interruption is the status")
            << "A" + older + " | vanish_on=write vanish_after=120; B unplugged" + korvid + "; C" + older + " | alts=3"
            << json + QStringList{"--units", "3", "--jobs", "1"} << "await Unit 305F38713439: refused; plug B"
            << QStringList{"Unit 305F38713437: interrupted. The unit was disconnected while its firmware was written.",
                           "Unit 305F38713439: refused. A DFU device is connected, but it is not a flash unit in DFU mode.",
                           "Unit 305F38713438: refused."}
            << none << QStringList{"A interrupted/R12/C7//written", "B refused/ZX-8/B3/B3/", "C refused////",
                                   "summary 3: 0 0 2 0 0 1 0"}
            << 2 << "written kept kept";
        QTest::newRow("bench: in the user's language for people; the log and the JSON in English")
            << "A" + older << QStringList{"LANG=de_DE.UTF-8", "--batch", "--json", "--verbose"} << ""
            << QStringList{"305F38713437: Firmware-Update: Schreiben",
                           "305F38713437: Firmware geschrieben. Starten Sie das Blitzgerät zum Prüfen im DFU-Modus neu.",
                           "Shown: Unit 305F38713437: firmware version C7 replaced by version C8 and checked.",
                           "Blitzgerät 305F38713437: Firmware-Version C7 durch Version C8 ersetzt und geprüft.",
                           "1 Blitzgeräte: 1 aktualisiert, 0 geprüft"}
            << none << QStringList{"A upgraded/R12/C7/C8/written", "summary 1: 1 0 0 0 0 0 0"} << 0 << "image";
        QTest::newRow("bench: no unit: the time-out counts; no window system")
            << "A unplugged" << QStringList{"-b", "--timeout", "3", "--verbose"} << "no-window-system"
            << QStringList{"Embedded dfu-util:"} << none
            << QStringList{"Waiting for units in DFU mode", "No unit came within 3 seconds.", "0 units: 0 upgraded"}
            << 4 << "kept";
        QTest::newRow("bench: a unit pulled mid-write, then the time-out: the interruption is the status")
            << "A" + older + " | vanish_on=write vanish_after=120" << QStringList{"-b", "--units", "2", "--timeout", "3"}
            << "" << none << none
            << QStringList{"Unit 305F38713437: interrupted.", "No unit came within 3 seconds.", "1 units: 0 upgraded"}
            << 2 << "written";
        // Under a pseudo-terminal: a line per unit being served, redrawn in place, with the
        // counter under it; the result scrolls above.
        QTest::newRow("bench: on a terminal: one updating line per unit")
            << "sim older_revision" << QStringList{"terminal", "-b", "-s"} << "" << none << none
            << QStringList{"\r\033[2A\033[J", "305F38713437 R12   Upgrading firmware: writing",
                           "\nUpgraded 0, verified 0, refused 0, not done 0; serving 1, waiting 0",
                           "Unit 305F38713437: firmware version C7 replaced by version C8 and checked.",
                           "1 units: 1 upgraded, 0 verified, 0 refused"}
            << 0 << "";
        QTest::newRow("bench: no working folder: said, and the end")
            << "tmpdir missing" << QStringList{"-b"} << "" << none << none
            << QStringList{"No working folder can be made in"} << 2 << "";
        QTest::newRow("--help") << "none" << QStringList{"--help"} << "" << none << none
                                << QStringList{"Usage: velmora-fw-upgrade", "Exit status: 0"} << 0 << "";

        // A unit's own texts (tst_device proves how each kind of character is written): escaped in
        // the lines for people, exact in the JSON, nothing that steers a terminal on either stream
        // (with the whole log), and a unit whose serial the listing cannot name for certain is
        // refused and never written. A text field holds 31 bytes.
        const QByteArray steers = "AB\x1b]0;x\x07\x1b[2J\x9b" "2J\rUnit 9: done";
        const QString texts = " --rev-hex " + steers.toHex() + " --name-hex " + steers.toHex();
        const QStringList verbose{"--batch", "--timeout", "60", "--verbose"};
        QTest::newRow("bench: a unit's own texts, plain: escaped")
            << "A" + texts + " | usb_serial=" + steers.toHex() << verbose << "" << none << none
            << QStringList{"Unit AB\\x1b]0;x\\x07\\x1b[2J?2J\\rUnit 9: done: firmware version "
                           "AB\\x1b]0;x\\x07\\x1b[2J\\u009b2J\\rUnit 9: done replaced by version C8 and checked."}
            << 0 << "image";
        const QString forged = "AB\nUnit 9: upgraded";
        QTest::newRow("bench: a unit's own texts, JSON: exact; a serial that cannot be named is refused")
            << "A" + older + " | usb_serial=" + forged.toLatin1().toHex() + "; B" + texts
            << verbose + QStringList{"--json", "--units", "2"} << ""
            << QStringList{"Unit AB\\nUnit 9: upgraded: refused. The unit's USB serial number (\u201cAB\\nUnit 9: "
                           "upgraded\u201d)"}
            << none
            << QStringList{forged + " refused////", "B upgraded/R12/" + QString::fromLatin1(steers) + "/C8/written",
                           "summary 2: 1 0 1 0 0 0 0"}
            << 3 << "kept image";

        // What Orca, the screen reader, says of the window, in a headless desktop of its own
        // whose X server resets and loses the accessibility bus's address
        // (tests/support/orca-session.sh). The window is given the focus as a window manager
        // gives it: after its first notification, which needs none, so that the order of what is
        // said is known; Return is pressed once the button is said, as a user does.
        const QStringList orca{"orca", "-l"};
        QTest::newRow("screen reader: an upgrade")
            << "A" + older + " | pace_f4=1 leave_delay_ms=1500" << orca
            << "hear notification Connected to an R12 with firmware version C7; focus; hear Velmora Firmware Upgrade Tool "
               "frame; hear 1. Turn off the device 2. Hold the rightmost button; hear 4. Click here to start upgrade push "
               "button; key Return; hear notification Upgrading firmware: writing; hear notification Checking "
               "firmware: reading back; hear notification Done. "
               "Disconnect USB cable." << none << none << none << -1 << "image";
        QTest::newRow("screen reader: every start joins the bus") << "sim no_unit" << orca + QStringList{"-s"}
            << QString("hear notification Waiting for a unit in DFU mode; restart; ").repeated(19) + "hear notification Waiting"
            << none << none << none << -1 << "";
    }

    void stories()
    {
        QFETCH(QString, units);
        QFETCH(QStringList, arguments);
        QFETCH(QString, steps);
        QFETCH(QStringList, said);
        QFETCH(QStringList, never);
        QFETCH(QStringList, out);
        QFETCH(int, exit);
        QFETCH(QString, flash);

        // The X server: the usual one, one of a density of its own, or Orca's desktop; each
        // ends with the row, also when a check fails (Orca ends only when it is told to).
        QProcess server;
        QTemporaryDir desk;
        const QString usual = display;
        const auto back = qScopeGuard([&] {
            display = usual;
            if (QFile::exists(desk.filePath("pid")))
                QProcess::execute("kill", {QString(testsupport::read_file(desk.filePath("pid"))).trimmed()});
            else
                server.terminate();
            server.waitForFinished(60000);
        });
        Program program;
        QStringList environment;
        while (arguments.value(0).contains('='))
            environment << arguments.takeFirst();
        const bool bench = !arguments.filter(QRegularExpression("^(-b|--batch|--help)$")).isEmpty();
        std::unique_ptr<SimulatorState> sim;
        std::unique_ptr<EmulatorState> emu;
        QStringList serials;
        QStringList flash_files;
        if (units != "none" && !units.startsWith("tmpdir"))
            QVERIFY(make_units(units, sim, emu, serials, flash_files));
        QList<QByteArray> before;
        for (const QString& file : flash_files)
            before << testsupport::read_file(file);
        // No dfu-util but the program's own ever runs, and nothing is written outside its
        // working folder.
        QTemporaryDir scratch;
        const QString marker = scratch.filePath("stray-dfu-util-ran");
        const QString cwd = scratch.filePath("cwd");
        QVERIFY(QDir().mkpath(scratch.filePath("bin")) && QDir().mkpath(cwd));
        testsupport::write_file(scratch.filePath("bin/dfu-util"), "#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n");
        QVERIFY(QFile::setPermissions(scratch.filePath("bin/dfu-util"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        environment << "PATH=" + scratch.filePath("bin") + ":" + qgetenv("PATH");
        program.process.setWorkingDirectory(cwd);
        // A process group of its own, as a program started from a terminal has.
        QStringList command{"setsid", PROGRAM};
        if (arguments.value(0) == "terminal")
            command = QStringList{"script", "-qec", PROGRAM + (" " + arguments.mid(1).join(' ')), "/dev/null"};
        if (units.startsWith("tmpdir")) {
            const QString tmpdir = scratch.filePath("tmp");
            environment << "TMPDIR=" + tmpdir;
            const QString kind = units.section(' ', 1);
            if (kind != "missing") {
                // A mount of its own, in a mount namespace of the program's own: gone with it.
                QVERIFY(QDir().mkpath(tmpdir));
                QProcess probe;
                probe.start("unshare", {"-m", "mount", "-t", "tmpfs", "tmpfs", tmpdir});
                if (!probe.waitForFinished(10000) || probe.exitCode() != 0)
                    QSKIP("mounting a file system needs root");
                command = QStringList{"unshare", "-m", "sh", "-c",
                                      "mount -t tmpfs -o " + kind + " tmpfs \"$0\" && exec setsid \"$@\"", tmpdir, PROGRAM};
            }
        }
        const QStringList in_root = QDir("/").entryList({"upgrade_*"}, QDir::AllEntries);
        // A screen of that density, 3840 x 2160, for the program and the X tools.
        const QString dpi = environment.filter(QRegularExpression("^DPI=")).value(0);
        if (!dpi.isEmpty()) {
            environment.removeAll(dpi);
            display = start_x(server, "3840x2160x24", dpi.mid(4));
            QVERIFY(!display.isEmpty());
        }
        if (arguments.value(0) == "orca") {
            arguments.removeFirst();
            server.start("/usr/bin/dbus-run-session", {"--", SOURCE_DIR "/tests/support/orca-session.sh", desk.path()});
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(desk.filePath("session")), 60000);
            QStringList session = QString(testsupport::read_file(desk.filePath("session"))).split('\n', Qt::SkipEmptyParts);
            display = session.takeFirst().section('=', 1);
            environment << session << "QT_ACCESSIBILITY=1";
        }
        // What Orca said, as its own record of what it decided to say; each line to hear is
        // looked for after the one heard before, from the program's start.
        QStringList spoken;
        int heard = 0;
        const auto hear = [&](const QString& fragment) {
            static const QRegularExpression speech("SPEECH OUTPUT: '(.*)' ?\\{");
            spoken.clear();
            for (const QString& line : QString(testsupport::read_file(desk.filePath("orca.log"))).split('\n'))
                if (const QRegularExpressionMatch match = speech.match(line); match.hasMatch())
                    spoken << match.captured(1);
            for (int i = heard; i < spoken.size(); ++i)
                if (spoken[i].contains(fragment))
                    return i + 1;
            return 0;
        };
        if (!bench)
            environment << "DISPLAY=" + display << "QT_QPA_PLATFORM=xcb";
        hear({});
        heard = int(spoken.size());
        program.start(command.first() == "script" ? command : command + arguments, environment);
        QVERIFY(program.process.waitForStarted(10000));
        QString window;
        for (const QString& step : steps.split(';', Qt::SkipEmptyParts)) {
            const QString word = step.trimmed().section(' ', 0, 0);
            const QString rest = step.trimmed().section(' ', 1);
            const pid_t pid = pid_t(program.process.processId());
            if (window.isEmpty() && QStringList{"click", "key", "focus", "close", "bar-full"}.contains(word))
                window = x({"search", "--sync", "--onlyvisible", "--name", "^Velmora Firmware Upgrade Tool$"})
                             .section('\n', 0, 0);
            if (word == "await") {
                QVERIFY2(program.wait([&] { return program.log().contains(rest) || program.out.contains(rest.toUtf8()); }, 120000),
                         qPrintable(rest + "\n" + program.log().right(3000)));
            } else if (word == "hear") {
                int next = 0;
                QTRY_VERIFY2_WITH_TIMEOUT((program.read(), next = hear(rest)) > 0,
                                          qPrintable("not said: " + rest + "\nSaid:\n" + spoken.mid(heard).join('\n')
                                                     + "\nThe program's log ends:\n" + program.log().right(3000)),
                                          60000);
                heard = next;
            } else if (word == "restart") {
                // Ended and started again, in the same desktop.
                program.process.terminate();
                QVERIFY(program.process.waitForFinished(90000));
                hear({});
                heard = int(spoken.size());
                program.start(command + arguments, environment);
            } else if (word == "click") {
                const QPoint centre = MainWindow::button_rect(1.0).center();
                x({"mousemove", "--window", window, QString::number(centre.x()), QString::number(centre.y()), "click", "1"});
            } else if (word == "key") {
                // To the main window, or to the one of the title given first.
                const QString to
                    = rest.contains(' ') ? x({"search", "--onlyvisible", "--name", rest.section(' ', 0, 0)}).section('\n', 0, 0) : window;
                x({"windowfocus", "--sync", to});
                x({"key", "--window", to, rest.section(' ', -1)});
            } else if (word == "focus") {
                x({"windowfocus", "--sync", window});
            } else if (word.endsWith("signal")) {
                ::kill(word == "signal" ? pid : -pid, rest.toInt());
            } else if (word == "close") {
                // As a window manager's close button asks it: the program sees a request, not a
                // destroyed window.
                XEvent event{};
                event.xclient = {ClientMessage, 0, False, connection, window.toULong(),
                                 XInternAtom(connection, "WM_PROTOCOLS", False), 32, {}};
                event.xclient.data.l[0] = long(XInternAtom(connection, "WM_DELETE_WINDOW", False));
                QVERIFY(XSendEvent(connection, event.xclient.window, False, NoEventMask, &event));
                XFlush(connection);
            } else if (word == "bar-full") {
                // The bar is full: its green reaches the right end of the button's place.
                XImage* image = XGetImage(connection, window.toULong(), 207 + 240, 417 + 20, 1, 1, AllPlanes, ZPixmap);
                QVERIFY(image);
                const QColor near_end(QRgb(XGetPixel(image, 0, 0)));
                XDestroyImage(image);
                QVERIFY2(near_end.green() > 200 && near_end.red() < 200 && near_end.blue() < 190,
                         qPrintable(near_end.name()));
            } else if (word == "size") {
                // The window of that title shown with that size; 0x0: not shown.
                const auto shown = [&] {
                    const QString id = x({"search", "--onlyvisible", "--name", rest.section(' ', 0, 0)}).section('\n', 0, 0);
                    return id.isEmpty() ? QString("Geometry: 0x0") : x({"getwindowgeometry", id});
                };
                QTRY_VERIFY_WITH_TIMEOUT(shown().contains("Geometry: " + rest.section(' ', 1)), 10000);
            } else if (word == "unplug" || word == "plug") {
                QVERIFY(sim ? sim->run({word}) : emu->run({word, serial_of(rest.isEmpty() ? "A" : rest)}));
            } else if (word == "set") {
                QVERIFY(emu->set(serials.first(), rest.split(' ')));
            } else if (word == "wait") {
                QTest::qWait(rest.toInt());
            } else if (word == "no-gl" || word == "no-window-system") {
                // The window draws without OpenGL, so no Mesa driver is loaded for it; the bench
                // has neither a platform plugin nor any connection to a display.
                const QString maps = QString(testsupport::read_file(QString("/proc/%1/maps").arg(pid)));
                QVERIFY2(!maps.isEmpty() && !maps.contains("GLX_mesa") && !maps.contains("/dri/") && !maps.contains("_dri.so")
                             && (word == "no-gl" || (!maps.contains("/platforms/") && !maps.contains("XcbQpa"))),
                         qPrintable(maps));
            } else {
                QFAIL(qPrintable("unknown step " + step));
            }
        }
        if (exit >= 0) {
            QVERIFY2(program.wait([&] { return program.process.state() == QProcess::NotRunning; }, 120000),
                     qPrintable(program.log().right(3000)));
            QCOMPARE(program.process.exitStatus(), QProcess::NormalExit);
            QVERIFY2(program.process.exitCode() == exit,
                     qPrintable(QString::number(program.process.exitCode()) + "\n" + program.log().right(3000)));
            QVERIFY(QDir(program.tmp.path()).entryList({"upgrade_*"}, QDir::Dirs).isEmpty());
        } else {
            QCOMPARE(program.process.state(), QProcess::Running);
        }
        program.read();
        const QString log = program.log();
        int at = 0;
        for (const QString& fragment : said) {
            at = log.indexOf(fragment, at);
            QVERIFY2(at >= 0, qPrintable(fragment + "\n  not in order in:\n" + log.right(6000)));
            at += fragment.size();
        }
        for (const QString& fragment : never)
            QVERIFY2(!log.contains(fragment), qPrintable(fragment));
        // The bench's log reaches standard error only when asked for; nothing from a unit
        // steers the terminal.
        if (arguments.contains("-b") || arguments.contains("--batch"))
            QCOMPARE(log.contains("Embedded dfu-util:"), arguments.contains("--verbose"));
        if (bench && command.first() != "script") {
            QVERIFY2(steering(program.out).isEmpty(), qPrintable(steering(program.out)));
            QVERIFY2(steering(program.err).isEmpty(), qPrintable(steering(program.err)));
        }
        const QString out_text = QString::fromUtf8(program.out);
        // No text reaches people with its placeholder unfilled.
        QVERIFY2(!out_text.contains("%p"), qPrintable(out_text));
        if (arguments.contains("--json")) {
            // Nothing but one JSON object per unit, in the order they end, then the summary.
            QStringList results;
            const QStringList lines = out_text.split('\n', Qt::SkipEmptyParts);
            for (const QString& line : lines) {
                const QJsonObject object = QJsonDocument::fromJson(line.toUtf8()).object();
                QVERIFY2(!object.isEmpty(), qPrintable(line));
                if (object["summary"].toBool()) {
                    QCOMPARE(line, lines.last());
                    QStringList counts;
                    for (const char* name : {"upgraded", "verified", "refused", "unreadable", "failed", "interrupted", "stopped"})
                        counts << QString::number(object[name].toInt(-1));
                    results << QString("summary %1: %2").arg(object["units"].toInt()).arg(counts.join(' '));
                    continue;
                }
                QVERIFY(object["seconds"].isDouble() && object["serial"].isString() && object["reason"].isString()
                        && object["written"].isBool());
                const int unit = serials.indexOf(object["serial"].toString());
                results << (unit >= 0 ? QString(QChar('A' + unit)) : object["serial"].toString()) + " "
                        + QStringList{object["result"].toString(), object["product"].toString(),
                                      object["revision_before"].toString(), object["revision_after"].toString(),
                                      object["written"].toBool() ? "written" : ""}
                              .join('/');
            }
            results.sort();
            out.sort();
            QCOMPARE(results, out);
        } else {
            for (const QString& text : out)
                QVERIFY2(out_text.contains(text), qPrintable(text + "\n" + out_text));
        }
        QVERIFY(!QFile::exists(marker));
        QVERIFY2(QDir(cwd).isEmpty(), qPrintable(QDir(cwd).entryList().join(' ')));
        QVERIFY(!QFile::exists("/uploaded_OTP.bin"));
        QCOMPARE(QDir("/").entryList({"upgrade_*"}, QDir::AllEntries), in_root);
        const QByteArray image = testsupport::read_file(testsupport::embedded_firmware_path());
        const QStringList flashes = flash.split(' ', Qt::SkipEmptyParts);
        for (int i = 0; i < flashes.size(); ++i) {
            const QByteArray now = testsupport::read_file(flash_files[i]);
            if (flashes[i] == "image")
                QVERIFY2(now.left(image.size()) == image, qPrintable(flash_files[i]));
            else if (flashes[i] == "kept")
                QVERIFY2(now == before[i], qPrintable(flash_files[i]));
            else
                QVERIFY2(now != before[i] && now.left(image.size()) != image, qPrintable(flash_files[i]));
        }
    }
};

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_end_to_end.moc"
