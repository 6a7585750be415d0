#include "dfu/dfu_util.h"
#include "files/files.h"
#include "machines/sm_a.h"
#include "simulator/simulator.h"
#include "test_support.h"

#include <QtTest>

#include <atomic>
#include <memory>

using testsupport::SimulatorState;

// Names the worker's signals as they arrive in the test's thread, in order.
class Recorder final : public QObject {
    Q_OBJECT

public:
    QStringList order;

public slots:
    void seen() { order << QString(sender()->metaObject()->method(senderSignalIndex()).name()).remove("sig_").remove("_entered"); }
};

// The real worker over the real runner and the simulator script.
class TestSM_A final : public QObject {
    Q_OBJECT

    std::unique_ptr<SimulatorState> state;
    std::unique_ptr<SM_A> worker;
    std::unique_ptr<Recorder> recorder;
    QStringList& order() { return recorder->order; }

    void make_worker(int poll_ms = 20)
    {
        worker = std::make_unique<SM_A>(Files::path_of(Files::desired_FW_fileName_dfu),
                                        Files::path_of(Files::desired_FW_fileName_bin),
                                        Files::path_of(Files::uploaded_FW_fileName_bin));
        worker->idle_interval_ms = 20;
        worker->poll_interval_ms = poll_ms;
        const QMetaObject& meta = SM_A::staticMetaObject;
        const QMetaMethod seen = recorder->metaObject()->method(recorder->metaObject()->indexOfSlot("seen()"));
        for (const char* name : {"NoDevConn()", "DevConn()", "scanning()", "readingInfo()", "DeviceError(QString)",
                                 "FwDownloading()", "FwDownloaded()", "FwUploading()", "FwUploadedDiffers()",
                                 "FwUploadedMatches()", "A0_entered()", "A1_entered()", "A2_entered()", "A4_entered()",
                                 "A5_entered()", "A6_entered()", "A7_entered()"})
            connect(worker.get(), meta.method(meta.indexOfSignal(QByteArray("sig_") + name)), recorder.get(), seen);
    }

    int count(const char* name) { return order().count(name); }

    // Escape's stop, from wherever the worker is.
    void stops()
    {
        QVERIFY(!worker->is_stopping());
        worker->do_stop();
        QVERIFY(worker->is_stopping());
        QVERIFY(worker->wait(10000));
    }

    // As the presentation machine does after judging the unit it was told of.
    void command(SM_A::Command c)
    {
        worker->evaluated(worker->snapshot().connection);
        worker->set_command(c);
    }

private slots:
    void initTestCase()
    {
        simulator::setup_for_simulated_dfu_util(simulator::fast_progress);
        QVERIFY(Files::extract_resources({Files::desired_FW_bin, Files::desired_FW_dfu}, true));
        qRegisterMetaType<SM_A::Command>();
    }

    void init()
    {
        state = std::make_unique<SimulatorState>();
        // Signals the last test's worker queued before it went are not this test's.
        recorder = std::make_unique<Recorder>();
    }

    void cleanup()
    {
        worker.reset();
        state.reset();
        recorder.reset();
    }

    // Polling without a unit: never a reading, a command given meanwhile dropped as the worker
    // starts over, and the debug printer tells a run of polling once.
    void no_unit()
    {
        QVERIFY(state->setup("no_unit"));
        make_worker();
        worker->start();
        QTRY_VERIFY_WITH_TIMEOUT(count("A0") >= 2, 20000);
        worker->set_command(SM_A::cmd_download);
        QTRY_VERIFY_WITH_TIMEOUT(count("A0") >= 4, 20000);
        QCOMPARE(worker->get_command(), SM_A::cmd_none);
        stops();
        QCOMPARE(count("DevConn") + count("readingInfo"), 0);
        QCOMPARE(order().mid(0, 5), (QStringList{"A0", "A1", "NoDevConn", "A2", "scanning"}));
        QVERIFY(count("NoDevConn") >= 3);
    }

    void one_unit_is_read_once()
    {
        QVERIFY(state->setup("older_revision"));
        make_worker();
        worker->start();
        QTRY_VERIFY_WITH_TIMEOUT(count("A4") >= 5, 20000);
        QCOMPARE(count("DevConn"), 1);
        QCOMPARE(count("readingInfo"), 1);
        const int read = order().indexOf("readingInfo");
        QCOMPARE(order().mid(read, 4), (QStringList{"readingInfo", "NoDevConn", "DevConn", "A4"}));
        QCOMPARE(order().mid(read + 4, 3), (QStringList{"A2", "scanning", "A4"}));
        const SM_A::Snapshot snapshot = worker->snapshot();
        QVERIFY(snapshot.info.valid);
        QCOMPARE(snapshot.info.type, Device::Type::QUEL);
        QCOMPARE(snapshot.info.FW_revision, QString("C7"));
        stops();
    }

    // A unit whose firmware belongs to another product gets no revision: not the one of the
    // unit read before it.
    void each_reading_starts_afresh()
    {
        QVERIFY(state->setup("older_revision"));
        testsupport::StagedUnit mixed("current", "3472385A3036");
        QVERIFY(mixed.ready());
        const QString korv = state->path() + "/korv.bin";
        QVERIFY(testsupport::make_firmware({"image", "--bin", korv, "--type", "0x04", "--rev", "B3"}));
        QByteArray flash = testsupport::read_file(mixed.unit_dir() + "/flash.bin");
        flash.replace(0, 2048, testsupport::read_file(korv).left(2048));
        testsupport::write_file(mixed.unit_dir() + "/flash.bin", flash);
        make_worker();
        worker->start();
        QTRY_COMPARE_WITH_TIMEOUT(count("DevConn"), 1, 20000);
        QCOMPARE(worker->snapshot().info.FW_revision, QString("C7"));
        QVERIFY(mixed.swap_into(*state));
        QTRY_COMPARE_WITH_TIMEOUT(count("DevConn"), 2, 20000);
        const DFU::DeviceInfo info = worker->snapshot().info;
        QCOMPARE(info.type, Device::Type::QUEL);
        QVERIFY(!info.FW_info.valid);
        QCOMPARE(info.FW_revision, QString());
    }

    void a_unit_that_cannot_be_read_is_reported_once()
    {
        QVERIFY(state->setup("otp_upload_fails"));
        make_worker();
        // Received in this thread: a QSignalSpy would record straight from the worker's.
        QStringList errors;
        connect(worker.get(), &SM_A::sig_DeviceError, this, [&errors](const QString& text) { errors << text; });
        worker->start();
        QTRY_COMPARE_WITH_TIMEOUT(errors.count(), 1, 20000);
        QVERIFY(errors.first().contains("dfu-util 0.11"));
        QTRY_COMPARE_WITH_TIMEOUT(count("A7"), 1, 5000);
        QTest::qWait(600); // many rescans of the faulty unit
        QCOMPARE(errors.count(), 1);
        const int faulty = order().indexOf("A7");
        QCOMPARE(order().mid(faulty), (QStringList{"A7", "scanning"}));
        QCOMPARE(count("DevConn"), 0);

        QVERIFY(state->run({"unplug"}));
        QTRY_VERIFY_WITH_TIMEOUT(order().lastIndexOf("A0") > faulty, 20000);
        QCOMPARE(errors.count(), 1);
        // Plugged in again: a new connection, told of again.
        QVERIFY(state->run({"plug"}));
        QTRY_VERIFY_WITH_TIMEOUT(order().lastIndexOf("A7") > faulty, 20000);
        QCOMPARE(errors.count(), 2);
        // Swapped for another unit between two looks: the faulty one is gone, the new one read.
        testsupport::StagedUnit readable("older_revision", "AAAA00000001");
        QVERIFY(readable.ready() && readable.swap_into(*state));
        QTRY_COMPARE_WITH_TIMEOUT(count("DevConn"), 1, 20000);
        stops();
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
        testsupport::StagedUnit other(config.section(' ', 0, 0), serial);
        QVERIFY(other.ready());
        if (config.contains(' ')) { // its firmware of the revision judged
            const QString image = state->path() + "/image.bin";
            QVERIFY(testsupport::make_firmware({"image", "--bin", image, "--type", "0x04", "--rev", config.section(' ', 1)}));
            QByteArray flash = testsupport::read_file(other.unit_dir() + "/flash.bin");
            testsupport::write_file(other.unit_dir() + "/flash.bin", flash.replace(0, 2048, testsupport::read_file(image).left(2048)));
        }
        const QByteArray other_flash = testsupport::read_file(other.unit_dir() + "/flash.bin");
        make_worker();
        std::atomic<bool> swapped{false};
        testsupport::at_first_pause(*worker, [&] {
            swapped = other.swap_into(*state);
            this->command(SM_A::Command(command));
        });
        worker->start();
        const int ends = after == "DevConn" ? 2 : 1;
        QTRY_COMPARE_WITH_TIMEOUT(count(qPrintable(after)), ends, 30000);
        QVERIFY(swapped);
        QCOMPARE(count("FwDownloading") + count("FwUploading"), 0);
        QCOMPARE(worker->get_command(), SM_A::cmd_none);
        QCOMPARE(testsupport::read_file(state->unit_dir(serial) + "/flash.bin"), other_flash);
    }

    // The unit went and came back, and was read anew, before the command judged on its earlier
    // reading came: the new reading has not been judged, so nothing is carried out.
    void a_command_for_an_earlier_reading_is_dropped()
    {
        QVERIFY(state->setup("older_revision"));
        make_worker();
        worker->start();
        QTRY_COMPARE_WITH_TIMEOUT(count("DevConn"), 1, 20000);
        worker->evaluated(worker->snapshot().connection);
        QVERIFY(state->run({"unplug"}));
        QTRY_VERIFY_WITH_TIMEOUT(order().lastIndexOf("A0") > order().indexOf("DevConn"), 20000);
        QVERIFY(state->run({"plug"}));
        QTRY_COMPARE_WITH_TIMEOUT(count("DevConn"), 2, 20000);
        worker->set_command(SM_A::cmd_download);
        const int pauses = count("A4");
        QTRY_VERIFY_WITH_TIMEOUT(count("A4") >= pauses + 2, 20000);
        QCOMPARE(count("FwDownloading"), 0);
        QCOMPARE(worker->get_command(), SM_A::cmd_none);
    }
};

QTEST_GUILESS_MAIN(TestSM_A)
#include "tst_sm_a.moc"
