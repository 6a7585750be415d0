#include "dfu/dfu_util_parser.h"
#include "dfu/progress.h"
#include "test_support.h"

#include <QtTest>

using testsupport::LogCapture;

Q_DECLARE_METATYPE(DfuUtilParser::Status)

namespace {

const char* const names[] = {"@Device Feature/0xFFFF0000/01*004 e", "@OTP Memory /0x1FFF7800/01*512 e,01*016 e",
                             "@Option Bytes  /0x1FFFC000/01*016 e",
                             "@Internal Flash  /0x08000000/04*016Kg,01*064Kg,07*128Kg"};

// The lines dfu-util 0.11 prints for one STM32 DfuSe bootloader, alternate settings 3 down to 0.
QString unit(const QString& serial, int lines = 4, const QString& kind = "DFU", const QString& ver = "2200")
{
    QString text;
    for (int alt = lines - 1; alt >= 0; --alt)
        text += QString("Found %1: [0483:df11] ver=%2, devnum=5, cfg=1, intf=0, path=\"1-5\", alt=%3, "
                        "name=\"%4\", serial=\"%5\"\n")
                    .arg(kind, ver)
                    .arg(alt)
                    .arg(names[alt % 4], serial);
    return text;
}

const QString banner = "dfu-util 0.11\n\nCopyright 2005-2009 Weston Schmidt, Harald Welte and OpenMoko Inc.\n";

} // namespace

class TestParser final : public QObject {
    Q_OBJECT

private slots:
    void parsing_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<DfuUtilParser::Status>("status");
        QTest::addColumn<QStringList>("serials");
        QTest::addColumn<int>("nr");
        QTest::addColumn<int>("code");

        using P = DfuUtilParser;
        QTest::newRow("empty") << QString() << P::no_dfu_device << QStringList{} << 0 << 1;
        QTest::newRow("banner only") << banner << P::no_dfu_device << QStringList{} << 0 << 1;
        QTest::newRow("one unit") << banner + unit("305F38713437") << P::one_dfu_device
                                  << QStringList{"305F38713437"} << 1 << 0;
        QTest::newRow("three interfaces") << unit("305F38713437", 3) << P::invalid_dfu_device
                                          << QStringList{"305F38713437"} << 1 << 1;
        QTest::newRow("five interfaces") << unit("305F38713437", 4) + unit("305F38713437", 1) << P::invalid_dfu_device
                                         << QStringList{"305F38713437"} << 1 << 1;
        QTest::newRow("two units") << unit("AAAA") + unit("BBBB") << P::multiple_dfu_devices
                                   << QStringList{"AAAA", "BBBB"} << 2 << 1;
        QTest::newRow("A, B, A") << unit("AAAA", 1) + unit("BBBB", 1) + unit("AAAA", 1) << P::multiple_dfu_devices
                                 << QStringList{"AAAA", "BBBB", "AAAA"} << 3 << 1;
        QTest::newRow("serials differing in case") << unit("abcd", 2) + unit("ABCD", 2) << P::multiple_dfu_devices
                                                   << QStringList{"abcd", "ABCD"} << 2 << 1;
        QTest::newRow("a serial in fixed text, as some bootloaders report")
            << unit("STM32FxSTM32") << P::one_dfu_device << QStringList{"STM32FxSTM32"} << 1 << 0;
        QTest::newRow("a serial with spaces") << unit("UNIT 7") << P::one_dfu_device << QStringList{"UNIT 7"} << 1 << 0;
        QTest::newRow("lower-case serial kept as printed") << unit("305f38713437") << P::one_dfu_device
                                                          << QStringList{"305f38713437"} << 1 << 0;
        QTest::newRow("CR LF line ends") << QString(unit("1234")).replace("\n", "\r\n") << P::one_dfu_device
                                         << QStringList{"1234"} << 1 << 0;
        QTest::newRow("no final line feed") << unit("1234").chopped(1) << P::one_dfu_device << QStringList{"1234"} << 1
                                            << 0;
        QTest::newRow("other version ignored") << unit("1234", 4, "DFU", "2201") << P::no_dfu_device << QStringList{}
                                               << 0 << 1;
        QTest::newRow("runtime interfaces ignored") << unit("1234", 4, "Runtime") << P::no_dfu_device
                                                    << QStringList{} << 0 << 1;
        QTest::newRow("lower-case found ignored") << QString(unit("1234")).replace("Found DFU", "found DFU")
                                                  << P::no_dfu_device << QStringList{} << 0 << 1;
        QTest::newRow("leading spaces ignored") << QString(unit("1234")).replace("Found", " Found") << P::no_dfu_device
                                                << QStringList{} << 0 << 1;
        QTest::newRow("another product id ignored") << QString(unit("1234")).replace("df11", "df12")
                                                    << P::no_dfu_device << QStringList{} << 0 << 1;
        QTest::newRow("a NUL in the middle") << unit("1234", 2) + QString(QChar(0)) + "\n" + unit("1234", 2)
                                             << P::one_dfu_device << QStringList{"1234"} << 1 << 0;
    }

    void parsing()
    {
        QFETCH(QString, output);
        QFETCH(DfuUtilParser::Status, status);
        QFETCH(QStringList, serials);
        QFETCH(int, nr);
        QFETCH(int, code);

        const DfuUtilParser parser(output);
        QCOMPARE(parser.status, status);
        QStringList found;
        for (const DFU::DeviceItem& item : parser.devices)
            found << item.serial;
        QCOMPARE(found, serials);
        QCOMPARE(parser.nr_of_devices, nr);

        const DFU::ScanResult scan = DFU::scan_for_devices(output);
        QCOMPARE(scan.code, code);
        QCOMPARE(scan.devices.size(), serials.size());
    }

    void progress_lines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("phase");
        QTest::addColumn<int>("percent");
        QTest::addColumn<qint64>("bytes");
        const int none = int(DFU::Phase::none);
        QTest::newRow("erase") << QByteArray("Erase   \t[====                     ]  16%       118784 bytes")
                               << int(DFU::Phase::erasing) << 16 << qint64(118784);
        QTest::newRow("download, empty bar") << QByteArray("Download\t[                         ]   0%            0 bytes")
                                             << int(DFU::Phase::writing) << 0 << qint64(0);
        QTest::newRow("upload, full") << QByteArray("Upload\t[=========================] 100%       733656 bytes")
                                      << int(DFU::Phase::reading) << 100 << qint64(733656);
        QTest::newRow("beyond 100 %") << QByteArray("Upload\t[=========================] 180%  5 bytes")
                                      << int(DFU::Phase::reading) << 100 << qint64(5);
        QTest::newRow("cut short") << QByteArray("Download\t[====       ]  16%   1187") << none << 0 << qint64(0);
        QTest::newRow("garbled bar") << QByteArray("Erase   \t[==#==]  16%   118784 bytes") << none << 0 << qint64(0);
        QTest::newRow("an error line") << QByteArray("dfu-util: Error during download get_status") << none << 0
                                       << qint64(0);
        QTest::newRow("done") << QByteArray("Erase    done.") << none << 0 << qint64(0);
        QTest::newRow("empty") << QByteArray() << none << 0 << qint64(0);
        // Longer runs of digits than the form has: no figure, and no overflow reading them.
        QTest::newRow("a 13-digit count") << QByteArray("Upload\t[==] 50%  7777777777777 bytes") << none << 0
                                          << qint64(0);
        QTest::newRow("25 digits of percent") << QByteArray("Upload\t[]" + QByteArray(25, '7') + "% 5 bytes")
                                              << none << 0 << qint64(0);
        QTest::newRow("12 digits, trailing spaces") << QByteArray("  Upload [] 7%\t999999999999 bytes \r\n")
                                                    << int(DFU::Phase::reading) << 7 << qint64(999999999999);
    }

    void progress_lines()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, phase);
        QFETCH(int, percent);
        QFETCH(qint64, bytes);
        const DFU::Progress progress = DFU::parse_progress_line(line);
        QCOMPARE(int(progress.phase), phase);
        QCOMPARE(progress.percent, percent);
        QCOMPARE(progress.bytes, bytes);
    }

    // Output arrives in pieces cut anywhere; a line counts once it has ended.
    void progress_in_pieces()
    {
        const QByteArray output = "Opening DFU capable USB device...\n\rErase   \t[                         ]   0%     "
                                  "       0 bytes\rErase   \t[=========================] 100%         5000 bytes\n"
                                  "Erase    done.\n\rDownload\t[==========               ]  40%         2048 bytes"
                                  "dfu-util: Error during download\n\rDownload\t[====================     ]  81%  "
                                  "       4096 bytes\rDownload\t[===";
        for (const int cut : {1, 7, 64, 1000}) {
            DFU::ProgressParser parser;
            QVector<DFU::Progress> found;
            for (int at = 0; at < output.size(); at += cut)
                found += parser.feed(output.mid(at, cut));
            QStringList seen;
            for (const DFU::Progress& p : found)
                seen << QString("%1:%2").arg(int(p.phase)).arg(p.percent);
            // The line with the error glued to it is no progress line; the last one has not ended.
            QCOMPARE(seen, (QStringList{"1:0", "1:100", "2:81"}));
        }
        // Output without line ends is dropped once it is longer than any line: what follows
        // is read as a line of its own, not glued to it.
        DFU::ProgressParser endless;
        QVERIFY(endless.feed(QByteArray(100000, '=')).isEmpty());
        QCOMPARE(endless.feed("Upload\t[=] 4%  2 bytes\n").size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestParser)
#include "tst_parser.moc"
