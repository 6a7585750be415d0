#include "dfu/dfu_util.h"
#include "files/files.h"
#include "machines/sm_a.h"
#include "simulator/simulator.h"
#include "test_support.h"

#include <QtTest>

#include <map>
#include <memory>

using testsupport::SimulatorState;

// The worker over the real runner and the simulator script, and the presentation machine that
// gives it its commands: what each of them decides.
class TestSM_A final : public QObject {
    Q_OBJECT

    std::map<DFU::CmdID, DFU::Command> real_commands;
    std::unique_ptr<SimulatorState> state;
    std::unique_ptr<testsupport::Machines> m;

private slots:
    void initTestCase()
    {
        real_commands = DFU::commands;
        QVERIFY(Files::extract_resources({Files::desired_FW_bin, Files::desired_FW_dfu}, true));
    }

    void init()
    {
        // The last test's worker stops before its simulator state (and the variable naming it) goes.
        m.reset();
        state.reset();
        DFU::commands = real_commands;
        DFU::Command::path.clear();
        simulator::setup_for_simulated_dfu_util(simulator::fast_progress);
        state = std::make_unique<SimulatorState>();
        // Signals the last test's worker queued before it went are not this test's.
        m = std::make_unique<testsupport::Machines>();
    }

    // What the worker does with what it finds, over many scans: each unit read once and told
    // once, why no unit can be used told once, and a command given without a judged reading
    // never carried out.
    void finds_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("once"); // the worker's signals seen once; the others of these never
        QTest::addColumn<int>("problem");
        QTest::newRow("several units") << "two_units" << "" << int(SM_A::problem_several_units);
        QTest::newRow("a DFU device of another kind") << "three_interfaces" << "" << int(SM_A::problem_unknown_device);
        QTest::newRow("one unit") << "older_revision" << "readingInfo DevConn" << int(SM_A::problem_none);
        QTest::newRow("an unreadable unit") << "otp_upload_fails" << "readingInfo DeviceError" << int(SM_A::problem_none);
    }

    void finds()
    {
        QFETCH(QString, config);
        QFETCH(QString, once);
        QFETCH(int, problem);
        QVERIFY(state->setup(config));
        QList<int> problems;
        connect(&m->worker, &SM_A::sig_Problem, this, [&problems](int p) { problems << p; });
        m->worker.start();
        QTRY_VERIFY_WITH_TIMEOUT(m->seen.count("scanning") >= 2, 20000);
        m->worker.set_command(SM_A::cmd_download);
        QTest::qWait(600); // many scans
        if (once.isEmpty()) // dropped as the worker starts over
            QCOMPARE(m->worker.get_command(), SM_A::cmd_none);
        QVERIFY(m->stop());
        for (const char* name : {"readingInfo", "DevConn", "DeviceError", "FwDownloading"})
            QVERIFY2(m->seen.count(name) == (once.contains(name) ? 1 : 0), name);
        QCOMPARE(problems, problem ? QList<int>{problem} : QList<int>{});
    }

    // The presentation machine's rules (which command it gives the worker in which state) and the
    // worker's that take steps of the user: each a row over the simulator script or over the
    // embedded dfu-util and the emulated bootloader. Last: it shortens dfu-util's time-outs for
    // the rest of the run.
    void rules_data()
    {
        QTest::addColumn<QString>("unit");  // "sim CONFIG", or "emu CREATE-OPTIONS | SETTINGS"
        // "await B2; await FwDownloaded; await TEXT; click; unplug; wait 300; release" (a state or a
        // worker's signal awaited after the one before; the worker is held at its first pause with
        // a unit read until release); "swap CONFIG [REVISION of a ZX-8 firmware in its flash |
        // another SERIAL]" in place of the held unit; "revision [R]": what the worker read last
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("writes");    // the downloads the worker made

        QTest::newRow("the same revision: read back at once, never written")
            << "sim current" << "await B4; await B6" << 0;
        QTest::newRow("a flash that differs: offered again")
            << "sim differing_flash" << "await B7; click; await FwDownloaded" << 1;
        // Clicked while the worker is held: a command the click gave is taken, re-checked and
        // carried out before the worker's next scan, not raced by the stop at the end.
        QTest::newRow("another product: never written, not even on the A key")
            << "sim other_product" << "await B8; click; wait 300; release; await A2" << 0;
        QTest::newRow("a blank record") << "sim blank_otp" << "await B9; click; wait 300; release; await A2" << 0;
        // What stands behind the judged serial when the command comes, swapped in while the worker
        // is held: anything but the very unit judged is read anew, afresh, never written.
        const QString older = "sim older_revision";
        const QString swap = "await B2; swap %1; click; await B3; release; await DevConn; revision %2";
        QTest::newRow("another product of the same revision") << older << swap.arg("other_product C7", "C7") << 0;
        QTest::newRow("the same product, another revision") << older << swap.arg("current", "C8") << 0;
        QTest::newRow("another product's firmware: no revision") << older << swap.arg("current B3", "") << 0;
        QTest::newRow("a unit of the same revision, another serial")
            << older << swap.arg("older_revision AAAA00000001", "C7") << 0;
        QTest::newRow("unreadable at the re-check")
            << older << "await B2; swap otp_upload_fails; click; await B3; release; await DeviceError; revision" << 0;
        QTest::newRow("an unreadable unit, gone: the worker starts over")
            << "sim otp_upload_fails" << "await A7; unplug; await A0" << 0;
        QTest::newRow("unplugged mid-read-back: nothing offered")
            << "emu | vanish_on=upload vanish_after=20" << "await B10" << 0;
        QTest::newRow("a write that hangs is ended")
            << "emu --rev C7 --seed 7 | hang=1" << "await B2; click; await No answer for 2 s; await stopped answering"
            << 1;
    }

    void rules()
    {
        QFETCH(QString, unit);
        QFETCH(QString, steps);
        QFETCH(int, writes);
        // Silence is counted from a second here, and a silent transfer ended after three.
        DFU::silence_told_ms = DFU::run_timeout_ms = 1000;
        DFU::silent_child_limit_ms = 3000;
        std::unique_ptr<testsupport::EmulatorState> emu;
        if (unit.startsWith("emu")) {
            DFU::commands = real_commands;
            QVERIFY(testsupport::use_embedded_dfu_util());
            emu = std::make_unique<testsupport::EmulatorState>();
            QVERIFY(emu->create("305F38713437", unit.mid(3).section('|', 0, 0).split(' ', Qt::SkipEmptyParts)));
            QVERIFY(emu->set("305F38713437", unit.section('|', 1).trimmed().split(' ')));
        } else {
            QVERIFY(state->setup(unit.mid(4)));
        }
        QSemaphore held;
        if (steps.contains("release"))
            m->at_first_pause([&held] { held.tryAcquire(1, 30000); });
        m->machine.start();
        int from = 0;
        for (const QString& step : steps.split(';')) {
            const QString word = step.trimmed().section(' ', 0, 0);
            const QString rest = step.trimmed().section(' ', 1);
            if (word == "await") {
                QTRY_VERIFY2_WITH_TIMEOUT(m->seen.indexOf(rest, from) >= 0 || !m->shown.filter(rest).isEmpty(),
                                          qPrintable(m->seen.join(' ') + "\n" + m->shown.join('\n')), 30000);
                from = std::max(from, m->seen.indexOf(rest, from) + 1);
            } else if (word == "click") {
                m->machine.do_download();
            } else if (word == "wait") {
                QTest::qWait(rest.toInt());
            } else if (word == "unplug") {
                QVERIFY(state->run({word}));
            } else if (word == "swap") {
                const QString other = rest.section(' ', 1), serial = other.size() > 4 ? other : state->serial();
                const QString image = state->path() + "/image.bin", flash = state->unit_dir(serial) + "/flash.bin";
                QVERIFY(state->setup(rest.section(' ', 0, 0)));
                QVERIFY(QDir().rename(state->unit_dir(), state->unit_dir(serial)));
                if (!other.isEmpty() && other != serial) {
                    QVERIFY(testsupport::make_firmware({"image", "--bin", image, "--type", "0x04", "--rev", other}));
                    const QByteArray begins = testsupport::read_file(image).left(2048);
                    testsupport::write_file(flash, testsupport::read_file(flash).replace(0, 2048, begins));
                }
            } else if (word == "revision") {
                const DFU::DeviceInfo info = m->worker.snapshot().info; // nothing of the judged reading left
                QCOMPARE(info.FW_revision, rest);
                QCOMPARE(info.FW_info.valid, !rest.isEmpty());
            } else if (word == "release") {
                held.release();
            } else {
                QFAIL(qPrintable("unknown step " + step));
            }
        }
        // A command never waits for a unit to come.
        QTRY_COMPARE_WITH_TIMEOUT(m->worker.get_command(), SM_A::cmd_none, 20000);
        QVERIFY(m->stop());
        QCOMPARE(m->seen.count("FwDownloading"), writes);
    }
};

QTEST_GUILESS_MAIN(TestSM_A)
#include "tst_sm_a.moc"
