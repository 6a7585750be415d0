#include "dfu/dfu_util.h"
#include "files/files.h"
#include "simulator/simulator.h"
#include "test_support.h"

#include <QtTest>

#include <map>
#include <memory>

using testsupport::EmulatorState;
using testsupport::SimulatorState;

// The rules of the presentation machine: which command it gives the worker in which state,
// each a row driven by the user's steps over the simulator script or over the embedded
// dfu-util and the emulated bootloader. What the user is told is the model's (tst_outcome_model).
class TestSM_B final : public QObject {
    Q_OBJECT

    const QString emu_serial = "305F38713437";
    std::map<DFU::CmdID, DFU::Command> real_commands;

private slots:
    void initTestCase()
    {
        real_commands = DFU::commands;
        QVERIFY(Files::extract_resources({Files::desired_FW_bin, Files::desired_FW_dfu}, true));
        // Silence is counted from a second here, and a silent transfer ended after three.
        DFU::silence_told_ms = DFU::run_timeout_ms = 1000;
        DFU::silent_child_limit_ms = 3000;
    }

    void rules_data()
    {
        QTest::addColumn<QString>("unit");  // "sim CONFIG", or "emu CREATE-OPTIONS | SETTINGS"
        // "await B2; await FwDownloaded; await TEXT; click; unplug; wait 300; release" (the worker
        // is held at its first pause with a unit read until then)
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("end");   // the state the machine ends in, if it stays there
        QTest::addColumn<int>("writes");    // the downloads the worker made

        QTest::newRow("another revision: written on the click")
            << "sim older_revision" << "await B2; click; await FwDownloaded" << "" << 1;
        QTest::newRow("the same revision: read back at once, never written") << "sim current" << "await B6" << "B6" << 0;
        QTest::newRow("a flash that differs: offered again")
            << "sim differing_flash" << "await B7; click; await FwDownloaded" << "" << 1;
        QTest::newRow("another product: never written, not even on the A key")
            << "sim other_product" << "await B8; click; wait 300" << "B8" << 0;
        QTest::newRow("an unknown product") << "sim unknown_product" << "await B8; click; wait 300" << "B8" << 0;
        QTest::newRow("a blank record") << "sim blank_otp" << "await B9; click; wait 300" << "B9" << 0;
        QTest::newRow("unplugged in the worker's pause, clicked before it notices: nothing written")
            << "sim older_revision" << "await B2; unplug; click; await B3; release; await B1" << "B1" << 0;
        QTest::newRow("unplugged mid-read-back: nothing offered")
            << "emu | vanish_on=upload vanish_after=20" << "await B10" << "" << 0;
        QTest::newRow("a write that hangs is ended")
            << "emu --rev C7 --seed 7 | hang=1" << "await B2; click; await No answer for 2 s; await stopped answering"
            << "" << 1;
    }

    void rules()
    {
        QFETCH(QString, unit);
        QFETCH(QString, steps);
        QFETCH(QString, end);
        QFETCH(int, writes);
        std::unique_ptr<SimulatorState> sim;
        std::unique_ptr<EmulatorState> emu;
        DFU::commands = real_commands;
        if (unit.startsWith("emu")) {
            QVERIFY(testsupport::use_embedded_dfu_util());
            emu = std::make_unique<EmulatorState>();
            QVERIFY(emu->create(emu_serial, unit.mid(3).section('|', 0, 0).split(' ', Qt::SkipEmptyParts)));
            QVERIFY(emu->set(emu_serial, unit.section('|', 1).trimmed().split(' ')));
        } else {
            DFU::Command::path.clear();
            simulator::setup_for_simulated_dfu_util(simulator::fast_progress);
            sim = std::make_unique<SimulatorState>();
            QVERIFY(sim->setup(unit.mid(4)));
        }
        testsupport::Machines m;
        QSemaphore held;
        if (steps.contains("release"))
            m.at_first_pause([&held] { held.tryAcquire(1, 30000); });
        m.machine.start();
        int from = 0; // an awaited state is looked for after the one awaited before
        for (const QString& step : steps.split(';')) {
            const QString word = step.trimmed().section(' ', 0, 0);
            const QString rest = step.trimmed().section(' ', 1);
            const QString told = m.states.join(' ') + "\n" + m.seen.join(' ') + "\n" + m.shown.join('\n');
            if (word == "await" && QRegularExpression("^B\\d+$").match(rest).hasMatch()) {
                QTRY_VERIFY2_WITH_TIMEOUT(m.states.indexOf(rest, from) >= 0, qPrintable(told), 30000);
                from = m.states.indexOf(rest, from) + 1;
            } else if (word == "await") {
                QTRY_VERIFY2_WITH_TIMEOUT(m.seen.contains(rest) || !m.shown.filter(rest).isEmpty(), qPrintable(told),
                                          30000);
            } else if (word == "click") {
                m.machine.do_download();
            } else if (word == "wait") {
                QTest::qWait(rest.toInt());
            } else if (word == "unplug") {
                QVERIFY(sim->run({word}));
            } else if (word == "release") {
                held.release();
            } else {
                QFAIL(qPrintable("unknown step " + step));
            }
        }
        if (!end.isEmpty())
            QCOMPARE(m.states.last(), end);
        // A command never waits for a unit to come.
        QTRY_COMPARE_WITH_TIMEOUT(m.worker.get_command(), SM_A::cmd_none, 20000);
        QVERIFY(m.stop());
        QCoreApplication::sendPostedEvents(); // what the worker said before it ended
        QCOMPARE(m.count("FwDownloading"), writes);
    }
};

QTEST_GUILESS_MAIN(TestSM_B)
#include "tst_sm_b.moc"
