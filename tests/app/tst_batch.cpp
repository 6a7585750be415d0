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
                           "Unit 305F38713437: stopped. The firmware was written, not checked yet."}
            << QStringList{"stopped/R12/C7/C7"} << 128 + SIGINT << "image";
        QTest::newRow("pulled mid-write: failed; the next unit is served, refused: the failure is the status")
            << "A " + older + " | vanish_on=write vanish_after=120; B unplugged " + korvid
            << json + QStringList{"--units", "2"} << "results 1; plug B"
            << QStringList{"Unit 305F38713437: failed. The unit was disconnected during the write", "Unit 305F38713438: refused."}
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
                           "\r\033[KChecking the firmware: reading back"}
            << 0 << "";
        QTest::newRow("no working folder: said, and the end")
            << "tmpdir /proc/no-such-folder" << QStringList{"-b"} << "" << QStringList{}
            << QStringList{"No working folder can be made in /proc/no-such-folder."} << 2 << "";
        QTest::newRow("--help") << "" << QStringList{"--help"} << "" << QStringList{}
                                << QStringList{"Usage: velmora-fw-upgrade", "Exit status: 0"} << 0 << "";
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
