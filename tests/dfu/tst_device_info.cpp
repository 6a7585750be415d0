#include "dfu/device_info.h"
#include "dfu/dfu_util.h"
#include "dfu/firmware_transfer.h"
#include "files/files.h"
#include "simulator/simulator.h"
#include "test_support.h"

#include <QtTest>

using Device::Type;
using testsupport::LogCapture;
using testsupport::SimulatorState;

Q_DECLARE_METATYPE(Device::Type)

// Reading units through the real runner and the simulator script, for every configuration.
class TestDeviceInfo final : public QObject {
    Q_OBJECT

    QString desired() const { return Files::path_of(Files::desired_FW_fileName_bin); }

private slots:
    void initTestCase()
    {
        simulator::setup_for_simulated_dfu_util(simulator::fast_progress);
        QVERIFY(Files::extract_resources({Files::desired_FW_bin}, true));
    }

    void reading_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<int>("code");
        QTest::addColumn<Type>("type"); // Type::invalid for a record not read at all
        QTest::addColumn<QString>("revision");
        QTest::addColumn<bool>("fw_valid");
        const auto row = [](const char* config, int code, Type type, const char* revision, bool fw_valid) {
            QTest::newRow(config) << config << code << type << revision << fw_valid;
        };
        row("older_revision", 0, Type::QUEL, "C7", true);
        // Firmware of another product than the record names: its revision is not taken.
        row("blank_otp", 0, Type::invalid, "stale", false);
        row("unknown_product", 0, Type::invalid, "stale", false);
        // A failed read leaves the record alone.
        row("otp_upload_fails", 74, Type::invalid, "stale", false);
        // A record read, but not the firmware's: a failed read too, never an unknown revision.
        row("info_upload_fails", 74, Type::QUEL, "stale", false);
    }

    void reading()
    {
        QFETCH(QString, config);
        QFETCH(int, code);
        QFETCH(Type, type);
        QFETCH(QString, revision);
        QFETCH(bool, fw_valid);
        SimulatorState state;
        QVERIFY(state.setup(config));
        const DFU::DeviceItem item{state.serial(), false, {}};
        DFU::DeviceInfo info;
        info.FW_revision = "stale";
        const DFU::Result result = DFU::read_device_info(&item, &info);
        QCOMPARE(result.code, code);
        QCOMPARE(info.valid, code == 0 || type != Type::invalid); // the record was read
        QCOMPARE(info.type, type);
        QCOMPARE(info.FW_revision, revision);
        QCOMPARE(info.FW_info.valid, fw_valid);
    }

    // What the read-back shows: a flash that matches, one that differs, or nothing at all.
    void checks_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("image"); // "", "empty" for the program's own copy
        QTest::addColumn<QString>("check");
        QTest::newRow("differs only beyond the image") << "differs_beyond_image" << "" << "matches";
        QTest::newRow("a failed write") << "download_fails" << "" << "differs";
        QTest::newRow("no unit: no check, the unit named as gone") << "no_unit" << "" << "not_made reason_unitGone";
        QTest::newRow("two units: no check") << "two_units" << "" << "not_made reason_uploadFailed 74";
        QTest::newRow("an empty image runs nothing") << "current" << "empty" << "not_made reason_noImage";
    }

    void checks()
    {
        QFETCH(QString, config);
        QFETCH(QString, image);
        QFETCH(QString, check);
        SimulatorState state;
        QVERIFY(state.setup(config));
        // A write that fails is told by its code, one with no unit as the unit gone.
        if (config == "download_fails" || config == "no_unit")
            QCOMPARE(DFU::download_FW_to_device(desired()), config == "no_unit" ? DFU::code_unit_gone : 74);
        const QString wanted = image == "empty" ? Files::path_of("empty.bin") : desired();
        if (image == "empty")
            testsupport::write_file(wanted, {});
        LogCapture log;
        const DFU::Check made = DFU::upload_and_check_FW_bin(wanted, Files::path_of(Files::uploaded_FW_fileName_bin));
        const char* const outcomes[] = {"matches", "differs", "not_made"};
        QCOMPARE(QString("%1 %2 %3").arg(outcomes[made.outcome], made.reason_id, made.argument).trimmed(), check);
        if (wanted != desired())
            QVERIFY(log.texts().isEmpty());
    }

    void comparing_files_data()
    {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b"); // "missing": no such file
        QTest::addColumn<int>("outcome"); // of DFU::Check
        QByteArray image(200000, 'x');
        QTest::newRow("two empty files: nothing compared") << QByteArray() << QByteArray() << int(DFU::Check::not_made);
        QTest::newRow("a missing file: nothing compared") << QByteArray("same bytes") << QByteArray("missing") << int(DFU::Check::not_made);
        QTest::newRow("longer") << QByteArray("same bytes") << QByteArray("same bytes, longer") << int(DFU::Check::differs);
        // Compared block by block: the last byte of a later block counts as much as the first.
        QTest::newRow("the last byte of a later block") << image << QByteArray(image).replace(199999, 1, "y") << int(DFU::Check::differs);
    }

    void comparing_files()
    {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(int, outcome);
        const QString first = Files::path_of("a.bin");
        const QString second = Files::path_of("b.bin");
        testsupport::write_file(first, a);
        QFile::remove(second);
        if (b != "missing")
            testsupport::write_file(second, b);
        QCOMPARE(int(DFU::compare_FW_bin_files(first, second)), outcome);
        QCOMPARE(DFU::size_of_binary_file(second), b == "missing" ? -1 : b.size());
    }

    // Read once: the working copy may be gone when it is asked for again.
    void desired_firmware_is_read_once()
    {
        const QString revision = DFU::desired_FW_Info().revision;
        QFile::remove(desired());
        LogCapture log;
        QCOMPARE(DFU::desired_FW_Info().revision, revision);
        QVERIFY(log.texts().isEmpty());
        QVERIFY(Files::extract_resources({Files::desired_FW_bin}, true));
    }
};

QTEST_GUILESS_MAIN(TestDeviceInfo)
#include "tst_device_info.moc"
