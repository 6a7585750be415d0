#include "files/files.h"
#include "machines/sm_a.h"
#include "simulator/simulator.h"
#include "test_support.h"

#include <QtTest>

#include <atomic>
#include <memory>

using testsupport::SimulatorState;
using testsupport::StagedUnit;

// The real worker over the real runner and the simulator script.
class TestSM_A final : public QObject {
    Q_OBJECT

    std::unique_ptr<SimulatorState> state;
    std::unique_ptr<testsupport::Machines> m;

    int count(const char* name) const { return m->count(name); }

    // The staged unit's flash begins with a ZX-8 image of that revision.
    void other_product_firmware(const StagedUnit& unit, const QString& revision)
    {
        const QString image = state->path() + "/image.bin";
        QVERIFY(testsupport::make_firmware({"image", "--bin", image, "--type", "0x04", "--rev", revision}));
        QByteArray flash = testsupport::read_file(unit.unit_dir() + "/flash.bin");
        flash.replace(0, 2048, testsupport::read_file(image).left(2048));
        testsupport::write_file(unit.unit_dir() + "/flash.bin", flash);
    }

private slots:
    void initTestCase()
    {
        simulator::setup_for_simulated_dfu_util(simulator::fast_progress);
        QVERIFY(Files::extract_resources({Files::desired_FW_bin, Files::desired_FW_dfu}, true));
    }

    void init()
    {
        state = std::make_unique<SimulatorState>();
        // Signals the last test's worker queued before it went are not this test's.
        m = std::make_unique<testsupport::Machines>();
    }

    void cleanup()
    {
        m.reset();
        state.reset();
    }

    // What the worker does with what it finds, over many scans: each unit read once and told
    // once, why no unit can be used told once, and a command given without a judged reading
    // never carried out.
    void finds_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("once"); // the worker's signals seen once; the others of these never
        QTest::addColumn<int>("problem");
        QTest::newRow("no unit") << "no_unit" << "" << int(SM_A::problem_none);
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
        QTRY_VERIFY_WITH_TIMEOUT(count("scanning") >= 2, 20000);
        m->worker.set_command(SM_A::cmd_download);
        QTest::qWait(600); // many scans
        if (once.isEmpty()) // dropped as the worker starts over
            QCOMPARE(m->worker.get_command(), SM_A::cmd_none);
        QVERIFY(m->stop());
        for (const char* name : {"readingInfo", "DevConn", "DeviceError", "FwDownloading"})
            QVERIFY2(count(name) == (once.contains(name) ? 1 : 0), name);
        QCOMPARE(problems, problem ? QList<int>{problem} : QList<int>{});
    }

    // A faulty unit, then others: each reading starts afresh.
    void each_unit_is_read_anew()
    {
        QVERIFY(state->setup("otp_upload_fails"));
        StagedUnit readable("older_revision", "AAAA00000001");
        StagedUnit mixed("current", "3472385A3036"); // its flash begins with another product's firmware
        QVERIFY(readable.ready() && mixed.ready());
        other_product_firmware(mixed, "B3");
        m->worker.start();
        QTRY_COMPARE_WITH_TIMEOUT(count("A7"), 1, 20000);
        // Unplugged and plugged in again: a new connection, told of again.
        QVERIFY(state->run({"unplug"}));
        QTRY_VERIFY_WITH_TIMEOUT(m->seen.lastIndexOf("A0") > m->seen.indexOf("A7"), 20000);
        QVERIFY(state->run({"plug"}));
        QTRY_COMPARE_WITH_TIMEOUT(count("DeviceError"), 2, 20000);
        // Swapped for another unit between two looks: the faulty one is gone, the new one read.
        QVERIFY(readable.swap_into(*state));
        QTRY_COMPARE_WITH_TIMEOUT(count("DevConn"), 1, 20000);
        QCOMPARE(m->worker.snapshot().info.FW_revision, QString("C7"));
        // Firmware of another product gets no revision: not the one of the unit read before it.
        QVERIFY(mixed.swap_into(*state));
        QTRY_COMPARE_WITH_TIMEOUT(count("DevConn"), 2, 20000);
        const DFU::DeviceInfo info = m->worker.snapshot().info;
        QCOMPARE(info.type, Device::Type::QUEL);
        QVERIFY(!info.FW_info.valid);
        QCOMPARE(info.FW_revision, QString());
    }

    // What stands behind the judged serial when the command comes: swapped in, under the same
    // serial, while the worker pauses with the judged unit. Anything but the very unit judged
    // is read anew, never written nor read back.
    void a_command_for_another_unit_is_dropped_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("after"); // the worker's signal that ends the story
        QTest::addColumn<int>("command");
        QTest::newRow("another product") << "other_product" << "DevConn" << int(SM_A::cmd_download);
        QTest::newRow("another product of the same revision") << "other_product C7" << "DevConn"
                                                              << int(SM_A::cmd_download);
        QTest::newRow("another product, to verify") << "other_product" << "DevConn" << int(SM_A::cmd_upload_and_compare);
        QTest::newRow("the same product, another revision") << "current" << "DevConn" << int(SM_A::cmd_download);
        QTest::newRow("unreadable at the re-check") << "otp_upload_fails" << "DeviceError" << int(SM_A::cmd_download);
    }

    void a_command_for_another_unit_is_dropped()
    {
        QFETCH(QString, config);
        QFETCH(QString, after);
        QFETCH(int, command);
        QVERIFY(state->setup(command == SM_A::cmd_download ? "older_revision" : "current"));
        const QString serial = state->serial();
        StagedUnit other(config.section(' ', 0, 0), serial);
        QVERIFY(other.ready());
        if (config.contains(' '))
            other_product_firmware(other, config.section(' ', 1));
        const QByteArray other_flash = testsupport::read_file(other.unit_dir() + "/flash.bin");
        std::atomic<bool> swapped{false};
        m->at_first_pause([&] {
            swapped = other.swap_into(*state);
            m->command(SM_A::Command(command));
        });
        m->worker.start();
        QTRY_COMPARE_WITH_TIMEOUT(count(qPrintable(after)), after == "DevConn" ? 2 : 1, 30000);
        QVERIFY(swapped);
        QCOMPARE(count("FwDownloading") + count("FwUploading"), 0);
        QCOMPARE(m->worker.get_command(), SM_A::cmd_none);
        QCOMPARE(testsupport::read_file(state->unit_dir(serial) + "/flash.bin"), other_flash);
    }
};

QTEST_GUILESS_MAIN(TestSM_A)
#include "tst_sm_a.moc"
