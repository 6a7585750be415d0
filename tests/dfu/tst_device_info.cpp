#include "dfu/device_info.h"
#include "dfu/firmware_transfer.h"
#include "files/files.h"
#include "simulator/simulator.h"
#include "test_support.h"

#include <QFileInfo>
#include <QtTest>

using Device::Type;
using testsupport::LogCapture;
using testsupport::SimulatorState;

Q_DECLARE_METATYPE(Device::Type)

// Reading units through the real runner and the simulator script, for every configuration.
class TestDeviceInfo final : public QObject {
    Q_OBJECT

    QString desired() const { return Files::path_of(Files::desired_FW_fileName_bin); }
    QString uploaded() const { return Files::path_of(Files::uploaded_FW_fileName_bin); }

private slots:
    void initTestCase()
    {
        simulator::setup_for_simulated_dfu_util(simulator::fast_progress);
        QVERIFY(Files::extract_resources({Files::desired_FW_bin}, true));
    }

    void reading_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<int>("scan_code");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<Type>("type");
        QTest::addColumn<bool>("blank");
        QTest::addColumn<QString>("revision");
        QTest::addColumn<bool>("fw_valid");
        QTest::addColumn<QString>("text_end");

        QTest::newRow("older_revision") << "older_revision" << 0 << 0 << true << Type::QUEL << false << "C7" << true
                                        << "";
        QTest::newRow("current") << "current" << 0 << 0 << true << Type::QUEL << false << "C8" << true << "";
        QTest::newRow("differing_flash") << "differing_flash" << 0 << 0 << true << Type::QUEL << false << "C8" << true
                                         << "";
        QTest::newRow("other_product") << "other_product" << 0 << 0 << true << Type::KORV << false << "B3" << true
                                       << "";
        QTest::newRow("blank_otp") << "blank_otp" << 0 << 0 << true << Type::invalid << true << "" << false
                                   << "FW assumed invalid because of product type mismatch.\nOTP contains"
                                      "ProductInfo: invalid (0)\nwhereas FW contains\nFW info:\n  Type: "
                                      "ProductInfo: QUEL (30)\n  Name: Quel\n  Rev.: C7\n  Details:";
        QTest::newRow("unknown_product") << "unknown_product" << 0 << 0 << true << Type::invalid << false << ""
                                         << false << "";
        QTest::newRow("otp_upload_fails") << "otp_upload_fails" << 0 << 74 << false << Type::invalid << false << ""
                                          << false << "";
        QTest::newRow("two_units") << "two_units" << 1 << 74 << false << Type::invalid << false << "" << false << "";
        QTest::newRow("three_interfaces") << "three_interfaces" << 1 << 0 << true << Type::QUEL << false << "C7"
                                          << true << "";
        QTest::newRow("no_unit") << "no_unit" << 1 << 74 << false << Type::invalid << false << "" << false << "";
    }

    void reading()
    {
        QFETCH(QString, config);
        QFETCH(int, scan_code);
        QFETCH(int, code);
        QFETCH(bool, valid);
        QFETCH(Type, type);
        QFETCH(bool, blank);
        QFETCH(QString, revision);
        QFETCH(bool, fw_valid);
        QFETCH(QString, text_end);

        SimulatorState state;
        QVERIFY(state.setup(config));
        QCOMPARE(DFU::make_scan().code, scan_code);

        const DFU::DeviceItem item{state.serial()};
        DFU::DeviceInfo info;
        LogCapture log;
        const DFU::Result result = DFU::read_device_info(&item, &info);
        QCOMPARE(result.code, code);
        QCOMPARE(info.valid, valid);
        QCOMPARE(info.type, type);
        QCOMPARE(info.OTP_info.blank, blank);
        QCOMPARE(info.FW_revision, revision);
        QCOMPARE(info.FW_info.valid, fw_valid);
        if (!text_end.isEmpty()) {
            QVERIFY2(result.text.contains(text_end), qPrintable(result.text));
            QVERIFY(log.contains("OTP is blank.\n"));
        }
        if (code == 0 && fw_valid) {
            QVERIFY(log.contains("DeviceInfo:\n\tDevice type:\t"));
            QVERIFY(log.contains("FW info:\n  Type:"));
        }
        if (config == "otp_upload_fails")
            QCOMPARE(QString(info), QString("DeviceInfo:\nInvalid"));
    }

    void another_products_firmware_on_a_unit()
    {
        SimulatorState state;
        QVERIFY(state.setup("current"));
        // A KORV firmware in a QUEL unit's flash.
        const QString korv = state.path() + "/korv.bin";
        QVERIFY(testsupport::make_firmware({"image", "--bin", korv, "--type", "0x04", "--rev", "B3"}));
        QCOMPARE(DFU::download_FW_to_device(korv), 0);
        QTRY_COMPARE_WITH_TIMEOUT(DFU::make_scan().code, 0, 10000);

        const DFU::DeviceItem item{state.serial()};
        DFU::DeviceInfo info;
        info.FW_revision = "before";
        const DFU::Result result = DFU::read_device_info(&item, &info);
        QCOMPARE(result.code, 0);
        QVERIFY(info.valid);
        QCOMPARE(info.type, Type::QUEL);
        QCOMPARE(info.FW_revision, QString("before"));
        QVERIFY(!info.FW_info.valid);
        QVERIFY(result.text.endsWith("FW assumed invalid because of product type mismatch.\nOTP contains"
                                     "ProductInfo: QUEL (30)\nwhereas FW contains\nFW info:\n  Type: ProductInfo: "
                                     "KORV (4)\n  Name: Quel\n  Rev.: B3\n  Details:\n    Build time"
                                     "                     : 2026-11-20 14:03:12            \n    RMI rev"
                                     "                        : 4.2.1                          \n    GIT rev"
                                     "                        : 9f3c2a71                       "));
    }

    void a_failed_read_leaves_the_record_alone()
    {
        SimulatorState state;
        QVERIFY(state.setup("otp_upload_fails"));
        DFU::DeviceInfo info;
        info.valid = true;
        info.FW_revision = "kept";
        const DFU::DeviceItem item{state.serial()};
        const DFU::Result result = DFU::read_device_info(&item, &info);
        QCOMPARE(result.code, 74);
        QVERIFY(info.valid);
        QCOMPARE(info.FW_revision, QString("kept"));
    }

    void stale_upload_files_are_deleted_first()
    {
        SimulatorState state;
        QVERIFY(state.setup("no_unit"));
        const QString otp = Files::path_of(Files::uploaded_OTP_fileName_bin);
        const QString info_file = Files::path_of(Files::uploaded_FW_info_fileName_bin);
        testsupport::write_file(otp, QByteArray("\x11\x47\x23\x01\x1e\xff\xff\xff", 8) + QByteArray(504, '\xff'));
        testsupport::write_file(info_file, testsupport::read_file(desired()).left(2048));
        DFU::DeviceInfo info;
        const DFU::DeviceItem item{"x"};
        QCOMPARE(DFU::read_device_info(&item, &info).code, 74);
        QVERIFY(!QFileInfo::exists(otp));
        QVERIFY(!DFU::read_FW_Info(&item).valid);
        QVERIFY(!QFileInfo::exists(info_file));

        testsupport::write_file(uploaded(), testsupport::read_file(desired()));
        QVERIFY(!DFU::upload_and_check_FW_bin(desired(), uploaded()).flash_matches());
        QVERIFY(!QFileInfo::exists(uploaded()));
    }

    // What the read-back shows: a flash that matches, one that differs, or nothing at all.
    void checks_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("image"); // "", or "empty" / "missing" for the program's own copy
        QTest::addColumn<QString>("check");
        QTest::newRow("current") << "current" << "" << "matches";
        QTest::newRow("one byte differs within the image") << "differing_flash" << "" << "differs";
        QTest::newRow("differs only beyond the image") << "differs_beyond_image" << "" << "matches";
        QTest::newRow("older revision") << "older_revision" << "" << "differs";
        QTest::newRow("a failed write") << "download_fails" << "" << "differs";
        QTest::newRow("no unit: no check") << "no_unit" << "" << "not_made reason_uploadFailed 74";
        QTest::newRow("two units: no check") << "two_units" << "" << "not_made reason_uploadFailed 74";
        QTest::newRow("an empty image runs nothing") << "current" << "empty" << "not_made reason_noImage ";
        QTest::newRow("a missing image runs nothing") << "current" << "missing" << "not_made reason_noImage ";
    }

    void checks()
    {
        QFETCH(QString, config);
        QFETCH(QString, image);
        QFETCH(QString, check);
        SimulatorState state;
        QVERIFY(state.setup(config));
        if (config == "download_fails")
            QCOMPARE(DFU::download_FW_to_device(desired()), 74);
        QString wanted = desired();
        if (!image.isEmpty()) {
            wanted = Files::path_of(image + ".bin");
            if (image == "empty")
                testsupport::write_file(wanted, {});
        }
        LogCapture log;
        const DFU::Check made = DFU::upload_and_check_FW_bin(wanted, uploaded());
        const char* const outcomes[] = {"matches", "differs", "not_made"};
        const QString got = made.outcome == DFU::Check::not_made
            ? QString("not_made %1 %2").arg(made.reason_id, made.argument)
            : QString(outcomes[made.outcome]);
        QCOMPARE(got, check);
        if (!image.isEmpty())
            QVERIFY(log.texts().isEmpty());
    }

    void upload_uses_the_image_length()
    {
        SimulatorState state;
        QVERIFY(state.setup("current"));
        LogCapture log;
        QCOMPARE(DFU::upload_FW_from_device(uploaded(), 2048), 0);
        QCOMPARE(DFU::size_of_binary_file(uploaded()), 2048);
        QVERIFY(log.texts().first().endsWith(
            "\"-d\", \"0483\", \"-a\", \"0\", \"-s\", \"0x08000000:2048\", \"-U\", \"" + uploaded() + "\")"));
        // The same bytes as the firmware-information read.
        const DFU::DeviceItem item{state.serial()};
        QCOMPARE(DFU::read_FW_Info(&item).revision, QString("C8"));
        QCOMPARE(testsupport::read_file(Files::path_of(Files::uploaded_FW_info_fileName_bin)),
                 testsupport::read_file(uploaded()));
    }

    void comparing_files()
    {
        const QString a = Files::path_of("a.bin");
        const QString b = Files::path_of("b.bin");
        const QString e1 = Files::path_of("e1.bin");
        const QString e2 = Files::path_of("e2.bin");
        testsupport::write_file(a, "same bytes");
        testsupport::write_file(b, "same bytes");
        testsupport::write_file(e1, {});
        testsupport::write_file(e2, {});
        QVERIFY(DFU::compare_FW_bin_files(a, b));
        QVERIFY(!DFU::compare_FW_bin_files(e1, e2));
        QVERIFY(!DFU::compare_FW_bin_files(Files::path_of("none"), b));
        QVERIFY(!DFU::compare_FW_bin_files(a, Files::path_of("none")));
        testsupport::write_file(b, "same bytes, longer");
        QVERIFY(!DFU::compare_FW_bin_files(a, b));
        testsupport::write_file(b, "same bytez");
        QVERIFY(!DFU::compare_FW_bin_files(a, b));
        QCOMPARE(DFU::size_of_binary_file(a), 10);
        QCOMPARE(DFU::size_of_binary_file(Files::path_of("none")), -1);
        // Compared block by block: the last byte of a later block counts as much as the first.
        QByteArray image(200000, 'x');
        testsupport::write_file(a, image);
        testsupport::write_file(b, image);
        QVERIFY(DFU::compare_FW_bin_files(a, b));
        image[199999] = 'y';
        testsupport::write_file(b, image);
        QVERIFY(!DFU::compare_FW_bin_files(a, b));
    }

    void desired_firmware_is_read_once()
    {
        LogCapture log;
        const Device::FW_Info& first = DFU::desired_FW_Info();
        QCOMPARE(first.revision, QString("C8"));
        QCOMPARE(first.product.type, Type::QUEL);
        QFile::remove(desired());
        const Device::FW_Info& second = DFU::desired_FW_Info();
        QCOMPARE(&first, &second);
        QCOMPARE(second.revision, QString("C8"));
        QCOMPARE(log.count("Reading desired FW_Info from "), 1);
        QVERIFY(!DFU::read_FW_Info_from_desired_FW().valid);
        QVERIFY(Files::extract_resources({Files::desired_FW_bin}, true));
    }

    void text_form_of_a_device_info()
    {
        DFU::DeviceInfo info;
        QCOMPARE(QString(info), QString("DeviceInfo:\nInvalid"));
        info.valid = true;
        info.type = Type::QUEL;
        info.FW_revision = "C7";
        QCOMPARE(QString(info), QString("DeviceInfo:\n\tDevice type:\t30\n\tFW_revision:\tC7\n"));
        QString logged;
        QDebug(&logged) << info << QString("q");
        QCOMPARE(logged, QString("DeviceInfo:\n\tDevice type:\t30\n\tFW_revision:\tC7\n \"q\" "));
    }
};

QTEST_GUILESS_MAIN(TestDeviceInfo)
#include "tst_device_info.moc"
