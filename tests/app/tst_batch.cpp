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
        QTest::addColumn<QStringList>("out");   // standard output, sorted: "LETTER result/product/before/
                                                // after/written" per JSON object, "summary UNITS: COUNTS"
                                                // (upgraded ... stopped), or fragments of plain text
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("flash");     // per unit in order: image or kept

        const QStringList json{"--batch", "--json"};
        const QString older = "--rev C7 --seed 7";
        const QString korvid = "--otp 0x04 --type 0x04 --name Korvid --rev B3 --seed 4";
        // The time-out counts only while no unit is connected and none is served: the first
        // unit takes longer than it.
        QTest::newRow("three units in turn: upgraded, verified, refused")
            << "A " + older + " | pace_f4=1; B unplugged; C unplugged " + korvid
            << json + QStringList{"--units", "3", "--timeout", "4"}
            << "results 1; unplug A; plug B; results 2; unplug B; plug C"
            << QStringList{"305F38713437: Connected to an R12 with firmware version C7",
                           "305F38713437: Upgrading firmware: writing",
                           "305F38713437: Firmware written. To check it, restart the unit in its USB boot mode.",
                           "305F38713437: Done. Disconnect USB cable.",
                           "Unit 305F38713437: firmware version C7 replaced by version C8 and checked.",
                           "Unit 305F38713438: it already holds firmware version C8, checked without writing.",
                           "Unit 305F38713439: refused. Connected to a ZX-8. This tool upgrades R12 units only, so it "
                           "cannot upgrade this one.",
                           "3 units: 1 upgraded, 1 verified, 1 refused, 0 unreadable, 0 failed, 0 interrupted, 0 stopped."}
            << QStringList{"A upgraded/R12/C7/C8/written", "B verified/R12/C8/C8/", "C refused/ZX-8/B3/B3/",
                           "summary 3: 1 1 1 0 0 0 0"}
            << 3 << "image image kept";
        // Six units together, four at a time: each gets its own result, and nothing is written
        // on what was not read.
        QTest::newRow("a hub of six: upgraded, verified, refused, unreadable twice, interrupted")
            << "A " + older + "; B; C " + korvid + "; D " + older + " | upload_error=otp; E " + older
                   + " | vanish_on=write vanish_after=120; F " + older + " | upload_error=flash"
            << json + QStringList{"--jobs", "4", "--units", "6"} << ""
            << QStringList{"Unit 305F387134310: unreadable, nothing written. The unit's information cannot be read.",
                           "Unit 305F387134311: interrupted. The unit was disconnected while its firmware was written."}
            << QStringList{"A upgraded/R12/C7/C8/written", "B verified/R12/C8/C8/", "C refused/ZX-8/B3/B3/",
                           "D unreadable////", "E interrupted/R12/C7//written", "F unreadable/R12///",
                           "summary 6: 1 1 1 2 0 1 0"}
            << 2 << "image kept kept kept written kept";
        // Every running write is finished and every unit reported; the unit still waiting for
        // its turn (units start in the order of their serials: C, ...39, comes after ...310
        // and ...311) is reported stopped, untouched.
        const QString paced = " " + older + " | pace_f4=1 leave_delay_ms=60000";
        QTest::newRow("Ctrl-C while four units are written: all finished, then reported")
            << "A" + paced + "; B" + paced + "; C" + paced + "; D" + paced + "; E" + paced
            << json + QStringList{"--jobs", "4", "--units", "5"}
            << "await 305F38713437: Upgrading firmware: writing; await 305F38713438: Upgrading firmware: writing; "
               "await 305F387134310: Upgrading firmware: writing; await 305F387134311: Upgrading firmware: writing; "
               "group-signal 2"
            << QStringList{"Finishing the transfer: keep the USB cable connected.",
                           "Unit 305F387134310: stopped. The firmware was written, not checked yet.",
                           "5 units: 0 upgraded, 0 verified, 0 refused, 0 unreadable, 0 failed, 0 interrupted, 5 stopped."}
            << QStringList{"A stopped/R12/C7//written", "B stopped/R12/C7//written", "C stopped////",
                           "D stopped/R12/C7//written", "E stopped/R12/C7//written", "summary 5: 0 0 0 0 0 0 5"}
            << 128 + SIGINT << "image image kept image image";
        QTest::newRow("one at a time: pulled mid-write is interrupted; an unknown device and the next unit are "
                      "refused; the interruption is the status")
            << "A " + older + " | vanish_on=write vanish_after=120; B unplugged " + korvid + "; C " + older + " | alts=3"
            << json + QStringList{"--units", "3", "--jobs", "1"} << "results 2; plug B"
            << QStringList{"Unit 305F38713437: interrupted. The unit was disconnected while its firmware was written.",
                           "Unit 305F38713439: refused. A DFU device is connected, but it is not a flash unit in DFU "
                           "mode.",
                           "Unit 305F38713438: refused."}
            << QStringList{"A interrupted/R12/C7//written", "B refused/ZX-8/B3/B3/", "C refused////",
                           "summary 3: 0 0 2 0 0 1 0"}
            << 2 << "written kept kept";
        QTest::newRow("in the user's language for people; the log and the JSON in English")
            << "A " + older << QStringList{"LANG=de_DE.UTF-8", "--batch", "--json", "--verbose"} << ""
            << QStringList{"Shown: Firmware written. To check it, restart the unit in its USB boot mode.",
                           "305F38713437: Firmware geschrieben. Starten Sie das Blitzgerät zum Prüfen im DFU-Modus neu.",
                           "Shown: Unit 305F38713437: firmware version C7 replaced by version C8 and checked.",
                           "Blitzgerät 305F38713437: Firmware-Version C7 durch Version C8 ersetzt und geprüft.",
                           "1 Blitzgeräte: 1 aktualisiert, 0 geprüft"}
            << QStringList{"A upgraded/R12/C7/C8/written", "summary 1: 1 0 0 0 0 0 0"} << 0 << "image";
        QTest::newRow("no unit: the time-out counts; no window system")
            << "A unplugged" << QStringList{"-b", "--timeout", "3", "--verbose"} << "no-window-system"
            << QStringList{"Embedded dfu-util:"}
            << QStringList{"Waiting for units in DFU mode", "No unit came within 3 seconds.", "0 units: 0 upgraded"}
            << 4 << "kept";
        // Under a pseudo-terminal: a line per unit being served, redrawn in place, with the
        // counter under it; the result scrolls above.
        QTest::newRow("on a terminal: one updating line per unit")
            << "sim older_revision" << QStringList{"terminal", "-b", "-s"} << "" << QStringList{}
            << QStringList{"\r\033[2A\033[J", "305F38713437 R12   Upgrading firmware: writing",
                           "\nUpgraded 0, verified 0, refused 0, not done 0; serving 1, waiting 0",
                           "Unit 305F38713437: firmware version C7 replaced by version C8 and checked.",
                           "1 units: 1 upgraded, 0 verified, 0 refused"}
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
        while (waited.elapsed() < 120000 && program.state() != QProcess::NotRunning) {
            program.waitForReadyRead(100);
            out += program.readAllStandardOutput();
            err += program.readAllStandardError();
        }
        QVERIFY2(program.state() == QProcess::NotRunning, err.right(3000).constData());
        out += program.readAllStandardOutput();
        err += program.readAllStandardError();
        QCOMPARE(program.exitCode(), named ? 0 : 3);

        QVERIFY2(steering(out).isEmpty(), qPrintable(steering(out)));
        QVERIFY2(steering(err).isEmpty(), qPrintable(steering(err)));
        const QString revision = QString::fromLatin1(text.left(31));
        // The result lines, each whole on its line; the revision as it was shown is the
        // decoders' business.
        const auto result_line = [](const QString& serial, bool upgraded) {
            return QRegularExpression(upgraded ? "Unit " + QRegularExpression::escape(serial)
                                                     + ": firmware version [^\n]+ replaced by version C8 and checked\\.\n"
                                               : "Unit " + QRegularExpression::escape(serial) + ": refused\\. The unit's USB "
                                                     "serial number \\(\u201c" + QRegularExpression::escape(serial)
                                                     + "\u201d\\) cannot be read for certain\\. It is not read or written: "
                                                       "disconnect it\\.\n");
        };
        const QString said = QString::fromUtf8(json ? err : out);
        QVERIFY2(said.contains(result_line(shown, named)), qPrintable(shown + "\n" + said.right(3000)));
        QVERIFY2(said.contains(result_line("305F38713438", true)), qPrintable(said.right(3000)));
        if (json) {
            QMap<QString, QJsonObject> results;
            for (const QByteArray& line : out.trimmed().split('\n')) {
                const QJsonObject object = QJsonDocument::fromJson(line).object();
                results[object["summary"].toBool() ? QString("summary") : object["serial"].toString()] = object;
            }
            QCOMPARE(results.size(), 3);
            QCOMPARE(results["summary"]["units"].toInt(), 2);
            const QJsonObject a = results.value(listed);
            const QJsonObject b = results.value(serial_of("B"));
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
        if (arguments.value(0).startsWith("LANG=")) {
            for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
                env.remove(name);
            env.insert("LANG", arguments.takeFirst().section('=', 1));
        }
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
            QCOMPARE(err.contains("Embedded dfu-util:"), arguments.contains("--verbose"));
        int from = 0;
        for (const QString& text : said) {
            const int at = err.indexOf(text, from);
            QVERIFY2(at >= 0, qPrintable("not said (in order): " + text + "\n" + err.right(3000)));
            from = at + text.size();
        }
        if (arguments.contains("--json")) {
            // Nothing but one JSON object per unit, in the order they end, then the summary.
            QStringList results;
            const QStringList lines = stdout_text.split('\n', Qt::SkipEmptyParts);
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
                const QString letter(QChar('A' + letters.indexOf(object["serial"].toString())));
                results << letter + " "
                        + QStringList{object["result"].toString(), object["product"].toString(),
                                      object["revision_before"].toString(), object["revision_after"].toString(),
                                      object["written"].toBool() ? "written" : ""}
                              .join('/');
            }
            results.sort();
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
