#include "test_support.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/types.h>

namespace {

// Units by letter: the first is the emulator's usual serial.
QString serial_of(const QString& letter)
{
    return "305F3871343" + QString::number(7 + letter.at(0).unicode() - 'A');
}

// What may reach people: text with line feeds and tabs, and nothing that steers a terminal or
// reorders a line (controls, DEL, C1, bidirectional marks, overrides and isolates); valid UTF-8.
QString steering(const QByteArray& bytes)
{
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() != bytes)
        return "bytes that are no UTF-8";
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if ((u < 0x20 && u != '\n' && u != '\t') || (u >= 0x7f && u <= 0x9f) || u == 0x061c || u == 0x200e
            || u == 0x200f || (u >= 0x2028 && u <= 0x202e) || (u >= 0x2066 && u <= 0x2069))
            return QString("U+%1 in: %2").arg(u, 4, 16, QChar('0')).arg(text.mid(text.indexOf(c) - 200, 260));
    }
    return {};
}

} // namespace

// The terminal face of the real program, without a display, over the emulated bootloader or
// the simulator: each row a bench story, its steps, what was said, the JSON results, the exit
// status and the flash of every unit.
class TestBatch final : public QObject {
    Q_OBJECT

private slots:
    void bench_data()
    {
        QTest::addColumn<QString>("units");     // "sim CONFIG", "tmpdir PATH", or ";"-separated "LETTER
                                                // [unplugged] [create options] [| settings]"
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("steps");     // ";"-separated: results N, await TEXT, unplug L, plug L,
                                                // group-signal N, no-window-system
        QTest::addColumn<QStringList>("said");  // on standard error, in this order
        QTest::addColumn<QStringList>("out");   // standard output: "result/product/before/after" per JSON
                                                // object, or fragments of plain text
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("flash");     // per unit in order: image or kept

        const QStringList json{"--batch", "--json"};
        const QString older = "--rev C7 --seed 7";
        const QString korvid = "--otp 0x04 --type 0x04 --name Korvid --rev B3 --seed 4";
        QTest::newRow("three units in turn: upgraded, verified, refused")
            << "A " + older + "; B unplugged; C unplugged " + korvid
            << json + QStringList{"--units", "3"}
            << "results 1; unplug A; plug B; results 2; unplug B; plug C"
            << QStringList{"Connected to an R12 with firmware version C7", "Upgrading firmware: writing",
                           "Firmware written. To check it, restart the unit in DFU mode",
                           "Done. Disconnect USB cable.", "Unit 305F38713437: upgraded to firmware version C8 and checked.",
                           "Disconnect the unit, then connect the next one.",
                           "Unit 305F38713438: it already holds firmware version C8, checked without writing.",
                           "Unit 305F38713439: refused. Connected to a ZX-8. This tool upgrades R12 units only, so it "
                           "cannot upgrade this one."}
            << QStringList{"upgraded/R12/C7/C8", "verified/R12/C8/C8", "refused/ZX-8/B3/B3"} << 3
            << "image image kept";
        QTest::newRow("Ctrl-C during the first write: finished, then reported")
            << "A " + older + " | pace_f4=1 leave_delay_ms=60000" << json
            << "await Upgrading firmware: writing; group-signal 2"
            << QStringList{"Finishing the transfer: keep the USB cable connected.",
                           "Unit 305F38713437: stopped. The firmware was written."}
            << QStringList{"stopped/R12/C7/C7"} << 128 + SIGINT << "image";
        QTest::newRow("pulled mid-write: failed; the next unit is served, refused: the failure is the status")
            << "A " + older + " | vanish_on=write vanish_after=120; B unplugged " + korvid
            << json + QStringList{"--units", "2"} << "results 1; plug B"
            << QStringList{"Unit 305F38713437: failed. Writing the firmware failed", "Unit 305F38713438: refused."}
            << QStringList{"failed/R12/C7/C7", "refused/ZX-8/B3/B3"} << 2 << "written kept";
        QTest::newRow("several units: named, none written, none came; no window system")
            << "A " + older + "; B " + older << QStringList{"-b", "--timeout", "4", "--verbose"}
            << "await More than one unit; no-window-system" << QStringList{"SM_A: /sig_NoDevConn"}
            << QStringList{"Waiting for a unit in DFU mode", "More than one unit is connected.", "No unit came within 4 seconds."}
            << 4 << "kept kept";
        // Under a pseudo-terminal: the transfer's phases and percent overwrite one line, untimed.
        QTest::newRow("on a terminal: one updating line per transfer")
            << "sim older_revision" << QStringList{"terminal", "-b", "-s"} << "" << QStringList{}
            << QStringList{"\nConnected to an R12 with firmware version C7\r\n", "\r\033[KUpgrading firmware: erasing 0%\r\033[K",
                           "\r\033[KUpgrading firmware: writing", "%\r\nFirmware written.",
                           "\r\033[KChecking firmware: reading back"}
            << 0 << "";
        QTest::newRow("no working folder: said, and the end")
            << "tmpdir /proc/no-such-folder" << QStringList{"-b"} << "" << QStringList{}
            << QStringList{"No working folder can be made in /proc/no-such-folder."} << 2 << "";
        QTest::newRow("--help") << "" << QStringList{"--help"} << "" << QStringList{}
                                << QStringList{"Usage: velmora-fw-upgrade", "Exit status: 0"} << 0 << "";
    }

    // A unit's own texts, each as its USB serial (unit A, with them as its revision and product
    // name too) and as the revision and product name of a unit with a plain serial (B), served in
    // turn by both faces of the terminal: nothing that steers a terminal reaches standard output
    // or standard error (with the whole log), the JSON holds each text exactly, every unit gets
    // its result, and a unit the listing could not name is refused and never written.
    void hostile_texts_data()
    {
        QTest::addColumn<QByteArray>("text"); // the bytes the unit sends
        QTest::addColumn<QString>("listed");  // the serial as dfu-util lists it (ASCII, "?" for others)
        QTest::addColumn<QString>("shown");   // the serial in the results' lines
        QTest::addColumn<bool>("named");      // the listing names unit A for certain: it is upgraded
        QTest::addColumn<bool>("json");
        // With and without --json by turns: the words for people are the same, only their stream differs.
        bool json = false;
        const auto row = [&json](const char* name, const QByteArray& text, const QString& listed, const QString& shown,
                                 bool named) {
            json = !json;
            QTest::newRow(qPrintable(QString(name) + (json ? " (json)" : " (plain)")))
                << text << listed << shown << named << json;
        };
        row("escape sequences", "AB\x1b]0;pwned-title\x07\x1b[2J\x1b[31mCD", "AB\x1b]0;pwned-title\x07\x1b[2J\x1b[31mCD",
            "AB\\x1b]0;pwned-title\\x07\\x1b[2J\\x1b[31mCD", true);
        row("a carriage return", "AB\rUnit 999: upgraded", "AB\rUnit 999: upgraded", "AB\\rUnit 999: upgraded", true);
        row("a line feed", "AB\nUnit 999: upgraded", "AB\nUnit 999: upgraded", "AB\\nUnit 999: upgraded", false);
        row("bells", "AB\x07\x07" "CD", "AB\x07\x07" "CD", "AB\\x07\\x07CD", true);
        row("C1 controls", "A\x9b" "2J\x85" "B", "A?2J?B", "A?2J?B", true);
        row("bidirectional overrides", "C7\xe2\x80\xae" "8C\xe2\x81\xa6x\xe2\x81\xa9", "C7?8C?x?", "C7?8C?x?", true);
        row("a quote", "AB\"CD", "AB\"CD", "AB\"CD", false);
        row("200 characters", QByteArray(200, 'W'), QString(126, 'W'), QString(64, 'W') + QString::fromUtf8("…"),
            true);
        row("bytes that are no UTF-8", "AB\xff\xfe\xed\xa0\x80" "CD", "AB?????CD", "AB?????CD", true);
    }

    void hostile_texts()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, listed);
        QFETCH(QString, shown);
        QFETCH(bool, named);
        QFETCH(bool, json);
        testsupport::EmulatorState emu;
        const QString hex = text.left(31).toHex(); // a text field holds 31 bytes
        for (const char* letter : {"A", "B"}) {
            QVERIFY(emu.create(serial_of(letter), {"--rev-hex", hex, "--name-hex", hex}));
            QVERIFY(emu.set(serial_of(letter), {"leave_delay_ms=100"}));
        }
        testsupport::write_file(emu.unit_dir(serial_of("A")) + "/usb_serial", text);
        QVERIFY(emu.run({"unplug", serial_of("B")}));
        const QByteArray before = testsupport::read_file(emu.unit_dir(serial_of("A")) + "/flash.bin");

        QTemporaryDir tmp;
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.insert("TMPDIR", tmp.path());
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":verify_asan_link_order=0:detect_leaks=0");
        program.setProcessEnvironment(env);
        QStringList arguments{"--batch", "--units", "2", "--timeout", "60", "--verbose"};
        if (json)
            arguments << "--json";
        program.start(PROGRAM, arguments);
        QVERIFY(program.waitForStarted(10000));
        QByteArray out;
        QByteArray err;
        QElapsedTimer waited;
        waited.start();
        const QByteArray next = "Disconnect the unit, then connect the next one.";
        while (!(out + err).contains(next) && waited.elapsed() < 120000 && program.state() != QProcess::NotRunning) {
            program.waitForReadyRead(100);
            out += program.readAllStandardOutput();
            err += program.readAllStandardError();
        }
        QVERIFY2((out + err).contains(next), err.right(3000).constData());
        QVERIFY(emu.run({"unplug", serial_of("A")}));
        QVERIFY(emu.run({"plug", serial_of("B")}));
        QVERIFY2(program.waitForFinished(120000), err.right(3000).constData());
        out += program.readAllStandardOutput();
        err += program.readAllStandardError();
        QCOMPARE(program.exitCode(), named ? 0 : 3);

        QVERIFY2(steering(out).isEmpty(), qPrintable(steering(out)));
        QVERIFY2(steering(err).isEmpty(), qPrintable(steering(err)));
        const QString revision = QString::fromLatin1(text.left(31));
        const QString unit_a = named ? QString("Unit %1: upgraded to firmware version C8 and checked.").arg(shown)
                                     : QString("Unit %1: refused. The unit's USB serial number (\u201c%1\u201d) cannot be "
                                               "read for certain. It is not read or written: disconnect it.").arg(shown);
        const QString said = QString::fromUtf8(json ? err : out);
        QVERIFY2(said.contains(unit_a + "\n"), qPrintable(unit_a + "\n" + said.right(3000)));
        QVERIFY2(said.contains("Unit 305F38713438: upgraded to firmware version C8 and checked.\n"), qPrintable(said));
        if (json) {
            const QList<QByteArray> lines = out.trimmed().split('\n');
            QCOMPARE(lines.size(), 2);
            const QJsonObject a = QJsonDocument::fromJson(lines[0]).object();
            const QJsonObject b = QJsonDocument::fromJson(lines[1]).object();
            QCOMPARE(a["serial"].toString(), listed);
            QCOMPARE(a["result"].toString(), QString(named ? "upgraded" : "refused"));
            QCOMPARE(a["revision_before"].toString(), named ? revision : QString());
            QCOMPARE(b["serial"].toString(), serial_of("B"));
            QCOMPARE(b["result"].toString(), QString("upgraded"));
            QCOMPARE(b["revision_before"].toString(), revision);
        }
        const QByteArray image = testsupport::read_file(testsupport::embedded_firmware_path());
        const QByteArray flash_a = testsupport::read_file(emu.unit_dir(serial_of("A")) + "/flash.bin");
        QVERIFY(named ? flash_a.left(image.size()) == image : flash_a == before);
        QVERIFY(testsupport::read_file(emu.unit_dir(serial_of("B")) + "/flash.bin").left(image.size()) == image);
    }

    void bench()
    {
        QFETCH(QString, units);
        QFETCH(QStringList, arguments);
        QFETCH(QString, steps);
        QFETCH(QStringList, said);
        QFETCH(QStringList, out);
        QFETCH(int, exit);
        QFETCH(QString, flash);

        std::unique_ptr<testsupport::SimulatorState> sim;
        std::unique_ptr<testsupport::EmulatorState> emu;
        QStringList letters;
        QList<QByteArray> before;
        QString tmpdir;
        if (units.startsWith("tmpdir")) {
            tmpdir = units.section(' ', 1);
        } else if (units.startsWith("sim")) {
            sim = std::make_unique<testsupport::SimulatorState>();
            QVERIFY(sim->setup(units.mid(4)));
        } else if (!units.isEmpty()) {
            emu = std::make_unique<testsupport::EmulatorState>();
            for (const QString& unit : units.split(';')) {
                QStringList words = unit.section('|', 0, 0).split(' ', Qt::SkipEmptyParts);
                const QString serial = serial_of(words.takeFirst());
                const bool unplugged = words.removeAll("unplugged") > 0;
                QVERIFY(emu->create(serial, words));
                const QString settings = unit.section('|', 1).trimmed();
                if (!settings.isEmpty())
                    QVERIFY(emu->set(serial, settings.split(' ')));
                if (unplugged)
                    QVERIFY(emu->run({"unplug", serial}));
                letters << serial;
                before << testsupport::read_file(emu->unit_dir(serial) + "/flash.bin");
            }
        }

        QTemporaryDir tmp;
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        env.insert("TMPDIR", tmpdir.isEmpty() ? tmp.path() : tmpdir);
        env.insert("VELMORA_SIM_FAST", "1");
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":verify_asan_link_order=0:detect_leaks=0");
        program.setProcessEnvironment(env);
        // A process group of its own, as a program started from a terminal has.
        if (arguments.value(0) == "terminal") {
            arguments.removeFirst();
            program.start("script", {"-qec", QStringList{PROGRAM, arguments.join(' ')}.join(' '), "/dev/null"});
        } else {
            program.start("setsid", QStringList{PROGRAM} + arguments);
        }
        QVERIFY(program.waitForStarted(10000));
        QString err;
        QString stdout_text;
        const auto read = [&] {
            err += QString::fromUtf8(program.readAllStandardError());
            stdout_text += QString::fromUtf8(program.readAllStandardOutput());
        };
        const auto wait_until = [&](const std::function<bool()>& done) {
            QElapsedTimer waited;
            waited.start();
            while (!done() && waited.elapsed() < 120000 && program.state() != QProcess::NotRunning) {
                program.waitForReadyRead(100);
                read();
            }
            read();
            return done();
        };
        for (const QString& step : steps.split(';', Qt::SkipEmptyParts)) {
            const QString word = step.trimmed().section(' ', 0, 0);
            const QString rest = step.trimmed().section(' ', 1);
            if (word == "results") {
                QVERIFY2(wait_until([&] { return stdout_text.count('\n') >= rest.toInt(); }), qPrintable(err.right(3000)));
            } else if (word == "await") {
                QVERIFY2(wait_until([&] { return err.contains(rest) || stdout_text.contains(rest); }),
                         qPrintable(rest + "\n" + err.right(3000)));
            } else if (word == "unplug" || word == "plug") {
                QVERIFY(emu->run({word, serial_of(rest)}));
            } else if (word == "group-signal") {
                ::kill(-pid_t(program.processId()), rest.toInt());
            } else if (word == "no-window-system") {
                // Neither a platform plugin nor any connection to a display.
                const QString maps = QString(testsupport::read_file(QString("/proc/%1/maps").arg(program.processId())));
                QVERIFY(!maps.isEmpty());
                QVERIFY2(!maps.contains("/platforms/") && !maps.contains("XcbQpa") && !maps.contains("/dri/"),
                         qPrintable(maps));
            } else {
                QFAIL(qPrintable("unknown step " + step));
            }
        }
        QVERIFY2(program.waitForFinished(120000), qPrintable(err.right(3000)));
        read();
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QVERIFY2(program.exitCode() == exit, qPrintable(QString::number(program.exitCode()) + "\n" + err.right(3000)));

        // The log reaches standard error only when asked for.
        if (arguments.contains("-b") || arguments.contains("--batch"))
            QCOMPARE(err.contains("SM_A: /sig_NoDevConn"), arguments.contains("--verbose"));
        int from = 0;
        for (const QString& text : said) {
            const int at = err.indexOf(text, from);
            QVERIFY2(at >= 0, qPrintable("not said (in order): " + text + "\n" + err.right(3000)));
            from = at + text.size();
        }
        if (arguments.contains("--json")) {
            // Nothing but one JSON object per unit.
            QStringList results;
            for (const QString& line : stdout_text.split('\n', Qt::SkipEmptyParts)) {
                const QJsonObject object = QJsonDocument::fromJson(line.toUtf8()).object();
                QVERIFY2(!object.isEmpty(), qPrintable(line));
                QVERIFY(object["seconds"].isDouble() && object["serial"].isString() && object["reason"].isString());
                results << QStringList{object["result"].toString(), object["product"].toString(),
                                       object["revision_before"].toString(), object["revision_after"].toString()}
                               .join('/');
            }
            QCOMPARE(results, out);
        } else {
            for (const QString& text : out)
                QVERIFY2(stdout_text.contains(text), qPrintable(text + "\n" + stdout_text));
        }

        const QByteArray image = testsupport::read_file(testsupport::embedded_firmware_path());
        const QStringList flashes = flash.split(' ', Qt::SkipEmptyParts);
        for (int i = 0; i < flashes.size(); ++i) {
            const QByteArray now = testsupport::read_file(emu->unit_dir(letters[i]) + "/flash.bin");
            if (flashes[i] == "image")
                QVERIFY2(now.left(image.size()) == image, qPrintable(letters[i]));
            else if (flashes[i] == "kept")
                QVERIFY2(now == before[i], qPrintable(letters[i]));
            else
                QVERIFY2(now != before[i] && now.left(image.size()) != image, qPrintable(letters[i]));
        }
        QVERIFY(QDir(tmp.path()).entryList({"upgrade_*"}, QDir::Dirs).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestBatch)

#include "tst_batch.moc"
