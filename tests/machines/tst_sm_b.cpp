#include "files/files.h"
#include "machines/sm_a.h"
#include "machines/sm_b.h"
#include "simulator/simulator.h"
#include "test_support.h"

#include <QtTest>

#include <atomic>
#include <memory>

using testsupport::SimulatorState;

// The presentation machine driven by the real worker over the simulator script.
class TestSM_B final : public QObject {
    Q_OBJECT

    std::unique_ptr<SimulatorState> state;
    std::unique_ptr<SM_A> worker;
    std::unique_ptr<SM_B> machine;
    QStringList states;  // B1, B2, ... in the order entered
    QStringList signals_; // the machine's own signals, in order
    QStringList worker_signals;

    void start(const QString& config)
    {
        QVERIFY(state->setup(config));
        worker = std::make_unique<SM_A>(Files::path_of(Files::desired_FW_fileName_dfu),
                                        Files::path_of(Files::desired_FW_fileName_bin),
                                        Files::path_of(Files::uploaded_FW_fileName_bin));
        worker->idle_interval_ms = 20;
        worker->poll_interval_ms = 20;
        machine = std::make_unique<SM_B>(worker.get(), Device::Type::QUEL, "C8");
        for (QState* s : {machine->B1, machine->B2, machine->B3, machine->B4, machine->B6, machine->B7, machine->B8,
                          machine->B9})
            connect(s, &QState::entered, this, [this, s] { states << s->objectName().left(2); });
        const auto record = [this](auto signal, const char* name) {
            connect(machine.get(), signal, this, [this, name] { signals_ << name; });
        };
        record(&SM_B::sig_UpgradeImpossible, "UpgradeImpossible");
        record(&SM_B::sig_UpgradePossible, "UpgradePossible");
        record(&SM_B::sig_DifferingRevision, "DifferingRevision");
        record(&SM_B::sig_DoDownload, "DoDownload");
        record(&SM_B::sig_UploadingVerifying, "UploadingVerifying");
        record(&SM_B::sig_FwMatches, "FwMatches");
        record(&SM_B::sig_FwDiffers, "FwDiffers");
        record(&SM_B::sig_DeviceConnected, "DeviceConnected");
        record(&SM_B::sig_InvalidProduct, "InvalidProduct");
        connect(worker.get(), &SM_A::sig_DevConn, this, [this] { worker_signals << "DevConn"; });
        connect(worker.get(), &SM_A::sig_FwDownloading, this, [this] { worker_signals << "FwDownloading"; });
        connect(worker.get(), &SM_A::sig_FwUploading, this, [this] { worker_signals << "FwUploading"; });
        connect(machine.get(), &QStateMachine::started, worker.get(), [this] { worker->start(); });
        machine->start();
    }

    bool in(QState* s) const { return machine->configuration().contains(s); }

private slots:
    void initTestCase()
    {
        simulator::setup_for_simulated_dfu_util(simulator::fast_progress);
        QVERIFY(Files::extract_resources({Files::desired_FW_bin, Files::desired_FW_dfu}, true));
    }

    void init()
    {
        state = std::make_unique<SimulatorState>();
        states.clear();
        signals_.clear();
        worker_signals.clear();
    }

    void cleanup()
    {
        if (machine)
            machine->stop();
        if (worker) {
            worker->do_stop();
            worker->wait();
        }
        machine.reset();
        worker.reset();
        state.reset();
    }

    // Each kind of unit is judged once and lands where it belongs. Where the upgrade is not
    // offered, a download asked for anyway (the A key enables the button) writes nothing.
    void judging_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QStringList>("entered");
        QTest::addColumn<QStringList>("emitted");
        const QStringList invalid{"UpgradeImpossible", "DeviceConnected", "InvalidProduct"};
        QTest::newRow("older revision") << "older_revision" << QStringList{"B1", "B2"}
                                        << QStringList{"UpgradeImpossible", "DeviceConnected", "UpgradePossible",
                                                       "DifferingRevision"};
        QTest::newRow("current, flash matches")
            << "current" << QStringList{"B1", "B4", "B6"}
            << QStringList{"UpgradeImpossible", "DeviceConnected", "UploadingVerifying", "FwMatches"};
        QTest::newRow("another product") << "other_product" << QStringList{"B1", "B8"} << invalid;
        QTest::newRow("unknown product") << "unknown_product" << QStringList{"B1", "B8"} << invalid;
        // Only a service build writes a unit with a blank OTP area.
        QTest::newRow("blank OTP area") << "blank_otp" << QStringList{"B1", "B9"}
                                        << QStringList{"UpgradeImpossible", "DeviceConnected", "UpgradeImpossible",
                                                       "DifferingRevision"};
    }

    void judging()
    {
        QFETCH(QString, config);
        QFETCH(QStringList, entered);
        QFETCH(QStringList, emitted);
        start(config);
        QTRY_VERIFY_WITH_TIMEOUT(states.endsWith(entered.last()), 20000);
        QCOMPARE(states, entered);
        QCOMPARE(signals_, emitted);
        if (entered.last() == "B2") {
            QCOMPARE(machine->device_info.FW_revision, QString("C7"));
            QCOMPARE(machine->device_info.OTP_info.product_name(), QString("R12"));
            return;
        }
        machine->do_download();
        QTest::qWait(300);
        QCOMPARE(states, entered);
        QCOMPARE(worker->get_command(), SM_A::cmd_none);
        QCOMPARE(worker_signals.count("FwDownloading"), 0);
    }

    void same_revision_differing_flash_then_install_again()
    {
        start("differing_flash");
        QTRY_VERIFY_WITH_TIMEOUT(in(machine->B7), 20000);
        QCOMPARE(states, (QStringList{"B1", "B4", "B7"}));
        QVERIFY(signals_.endsWith("FwDiffers"));
        QCOMPARE(signals_.mid(signals_.size() - 2, 1), QStringList{"UpgradePossible"});
        machine->do_download();
        QTRY_VERIFY_WITH_TIMEOUT(in(machine->B6), 30000);
        QCOMPARE(states, (QStringList{"B1", "B4", "B7", "B3", "B1", "B4", "B6"}));
    }

    void unplugging_returns_to_B1_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("reached");
        QTest::newRow("B2") << "older_revision" << "B2";
        QTest::newRow("B6") << "current" << "B6";
        QTest::newRow("B7") << "differing_flash" << "B7";
        QTest::newRow("B8") << "other_product" << "B8";
        QTest::newRow("B9") << "blank_otp" << "B9";
    }

    void unplugging_returns_to_B1()
    {
        QFETCH(QString, config);
        QFETCH(QString, reached);
        start(config);
        QTRY_VERIFY_WITH_TIMEOUT(states.endsWith(reached), 20000);
        signals_.clear();
        QVERIFY(state->run({"unplug"}));
        QTRY_VERIFY_WITH_TIMEOUT(in(machine->B1), 20000);
        QCOMPARE(signals_.first(), QString("UpgradeImpossible"));
        QVERIFY(machine->device_info.FW_revision.isEmpty());
        QVERIFY(!machine->device_info.valid);
    }

    // The unit goes while the worker pauses, and the download is clicked before the worker
    // notices: nothing is written, and the command does not wait for the next unit.
    void unplugging_during_the_download()
    {
        start("older_revision");
        QSemaphore clicked;
        testsupport::at_first_pause(*worker, [&clicked] { clicked.tryAcquire(1, 30000); });
        QTRY_VERIFY_WITH_TIMEOUT(in(machine->B2), 20000);
        QVERIFY(state->run({"unplug"}));
        machine->do_download();
        QVERIFY(in(machine->B3));
        clicked.release();
        QTRY_VERIFY_WITH_TIMEOUT(in(machine->B1), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(worker->get_command(), SM_A::cmd_none, 20000);
        QCOMPARE(worker_signals.count("FwDownloading"), 0);
    }

    void do_download_where_it_must_do_nothing()
    {
        start("no_unit");
        QTRY_VERIFY(in(machine->B1));
        machine->do_download();
        QTest::qWait(100);
        QCOMPARE(states, QStringList{"B1"});
        QCOMPARE(worker->get_command(), SM_A::cmd_none);
    }

    void a_pending_command_never_reaches_another_product_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QStringList>("entered");
        QTest::newRow("verification") << "current" << QStringList{"B1", "B4", "B1", "B8"};
        QTest::newRow("download") << "older_revision" << QStringList{"B1", "B2", "B3", "B1", "B8"};
    }

    void a_pending_command_never_reaches_another_product()
    {
        QFETCH(QString, config);
        QFETCH(QStringList, entered);
        testsupport::StagedUnit staged("other_product", "3472385A3036");
        QVERIFY(staged.ready());
        const QByteArray korv = testsupport::read_file(staged.unit_dir() + "/flash.bin");
        start(config);
        std::atomic<bool> swapped{false};
        if (config == "current") // the verification is commanded as soon as the unit is judged
            testsupport::at_first_pause(*worker, [&] { swapped = staged.swap_into(*state); });
        else {
            QTRY_VERIFY_WITH_TIMEOUT(in(machine->B2), 20000);
            swapped = staged.swap_into(*state);
            machine->do_download();
        }
        QTRY_VERIFY_WITH_TIMEOUT(in(machine->B8), 30000);
        QVERIFY(swapped);
        QCOMPARE(states, entered);
        QCOMPARE(worker_signals.count("FwUploading") + worker_signals.count("FwDownloading"), 0);
        QCOMPARE(worker->get_command(), SM_A::cmd_none);
        QVERIFY(!signals_.contains("UpgradePossible") || config != "current");
        QCOMPARE(testsupport::read_file(state->unit_dir("3472385A3036") + "/flash.bin"), korv);
    }

    void a_whole_upgrade()
    {
        start("older_revision");
        QTRY_VERIFY_WITH_TIMEOUT(in(machine->B2), 20000);
        machine->do_download();
        QTRY_VERIFY_WITH_TIMEOUT(in(machine->B6), 30000);
        QCOMPARE(states, (QStringList{"B1", "B2", "B3", "B1", "B4", "B6"}));
        QCOMPARE(signals_, (QStringList{"UpgradeImpossible", "DeviceConnected", "UpgradePossible", "DifferingRevision",
                                        "DoDownload", "UpgradeImpossible", "DeviceConnected", "UploadingVerifying",
                                        "FwMatches"}));
        QCOMPARE(machine->device_info.FW_revision, QString("C8"));
    }

    void debug_printers()
    {
        testsupport::LogCapture log;
        start("current");
        machine->enable_debug_output();
        QTRY_VERIFY_WITH_TIMEOUT(in(machine->B6), 20000);
        QVERIFY(log.texts().contains("SM_B: Add connections to show emitted signals"));
        QVERIFY(log.texts().contains("\"SM_B: entered B4: Uploading and verifying FW\""));
        QVERIFY(log.texts().contains("\"SM_B: /sig_FwMatches\""));
    }
};

QTEST_GUILESS_MAIN(TestSM_B)
#include "tst_sm_b.moc"
