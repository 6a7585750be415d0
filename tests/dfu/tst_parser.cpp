#include "dfu/dfu_util_parser.h"
#include "dfu/progress.h"
#include <QtTest>

Q_DECLARE_METATYPE(DfuUtilParser::Status)
Q_DECLARE_METATYPE(DFU::Phase)

namespace {

const char* const names[] = {"@Device Feature/0xFFFF0000/01*004 e", "@OTP Memory /0x1FFF7800/01*512 e,01*016 e",
                             "@Option Bytes  /0x1FFFC000/01*016 e",
                             "@Internal Flash  /0x08000000/04*016Kg,01*064Kg,07*128Kg"};

// The lines dfu-util 0.11 prints for one STM32 DfuSe bootloader, alternate settings 3 down to 0.
QString unit(const QString& serial, int lines = 4, const QString& kind = "DFU", const QString& ver = "2200",
             const QString& path = "1-5")
{
    QString text;
    for (int alt = lines - 1; alt >= 0; --alt)
        text += QString("Found %1: [0483:df11] ver=%2, devnum=5, cfg=1, intf=0, path=\"%3\", alt=%4, "
                        "name=\"%5\", serial=\"%6\"\n")
                    .arg(kind, ver, path)
                    .arg(alt)
                    .arg(names[alt % 4], serial);
    return text;
}

const QString banner = "dfu-util 0.11\n\nCopyright 2005-2009 Weston Schmidt, Harald Welte and OpenMoko Inc.\n";

} // namespace

class TestParser final : public QObject {
    Q_OBJECT

private slots:
    // What a listing holds: the status, and the serials in the order listed, each marked "?"
    // when it cannot be read for certain; the scan succeeds with exactly one unit.
    void parsing_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<DfuUtilParser::Status>("status");
        QTest::addColumn<QStringList>("serials");
        using P = DfuUtilParser;
        const auto row = [](const char* name, const QString& output, P::Status status, const QStringList& serials) {
            QTest::newRow(name) << output << status << serials;
        };
        const QString forged = "X\nFound DFU: [0483:df11] ver=2200, devnum=5, cfg=1, intf=0, path=\"1-5\", alt=0, "
                               "name=\"@Internal Flash\", serial=\"X";
        const QString one = unit("1234");
        row("empty", QString(), P::no_dfu_device, {});
        row("one unit", banner + unit("305F38713437"), P::one_dfu_device, {"305F38713437"});
        row("three interfaces", unit("305F38713437", 3), P::invalid_dfu_device, {"305F38713437"});
        row("two units", unit("AAAA") + unit("BBBB"), P::multiple_dfu_devices, {"AAAA", "BBBB"});
        // Told apart by their ports: neither may be taken for the one unit of that serial.
        row("two units of one serial", unit("AAAA", 4, "DFU", "2200", "1-5") + unit("AAAA", 4, "DFU", "2200", "1-6"),
            P::multiple_dfu_devices, {"AAAA", "AAAA"});
        row("serials differing in case", unit("abcd", 2) + unit("ABCD", 2), P::multiple_dfu_devices, {"abcd", "ABCD"});
        row("a serial in fixed text, as some bootloaders report", unit("STM32FxSTM32"), P::one_dfu_device,
            {"STM32FxSTM32"});
        row("CR LF line ends", QString(one).replace("\n", "\r\n"), P::one_dfu_device, {"1234"});
        row("no final line feed", one.chopped(1), P::one_dfu_device, {"1234"});
        row("other version ignored", unit("1234", 4, "DFU", "2201"), P::no_dfu_device, {});
        row("runtime interfaces ignored", unit("1234", 4, "Runtime"), P::no_dfu_device, {});
        row("leading spaces ignored", QString(one).replace("Found", " Found"), P::no_dfu_device, {});
        row("another product id ignored", QString(one).replace("df11", "df12"), P::no_dfu_device, {});
        // dfu-util prints the unit's serial between quotes as it is.
        row("a quote in the serial: still a unit, not addressable", unit("AB\"CD"), P::one_dfu_device, {"AB\"CD?"});
        row("a line break in the serial", unit("AB\nCD"), P::one_dfu_device, {"AB\nCD?"});
        row("a line break and CR LF line ends", unit("AB\nCD").replace("\n", "\r\n"), P::one_dfu_device,
            {"AB\r\nCD?"});
        row("no serial", unit(""), P::one_dfu_device, {"?"});
        row("a serial of bytes that are no UTF-8", unit(QString("AB") + QChar(QChar::ReplacementCharacter)),
            P::one_dfu_device, {QString("AB") + QChar(QChar::ReplacementCharacter) + "?"});
        row("a serial field in the serial", unit("A\", serial=\"B"), P::one_dfu_device, {"B?"});
        row("a carriage return is the serial's own", unit("AB\rUnit 999"), P::one_dfu_device, {"AB\rUnit 999"});
        row("a line forged after a line break: one unit, not addressable", unit(forged), P::invalid_dfu_device,
            {"X?"});
        row("a line forged for another path: two units", unit(QString(forged).replace("1-5", "1-9")),
            P::multiple_dfu_devices, {"X?", "X", "X?", "X", "X?", "X", "X?", "X"});
        row("a NUL in the middle", unit("1234", 2) + QString(QChar(0)) + "\n" + unit("1234", 2), P::one_dfu_device,
            {"1234"});
    }

    void parsing()
    {
        QFETCH(QString, output);
        QFETCH(DfuUtilParser::Status, status);
        QFETCH(QStringList, serials);
        const DfuUtilParser parser(output);
        QCOMPARE(parser.status, status);
        QStringList found;
        for (const DFU::DeviceItem& item : parser.devices) {
            found << item.serial + (item.ambiguous ? "?" : "");
            QVERIFY(QStringList({"1-5", "1-6", "1-9"}).contains(item.path));
        }
        QCOMPARE(found, serials);
        QCOMPARE(parser.nr_of_devices, serials.size());
        const DFU::ScanResult scan = DFU::scan_for_devices(output);
        QCOMPARE(scan.code, status == DfuUtilParser::one_dfu_device ? 0 : 1);
        QCOMPARE(scan.devices.size(), serials.size());
    }

    void progress_lines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<DFU::Phase>("phase");
        QTest::addColumn<int>("percent");
        QTest::addColumn<qint64>("bytes");
        const auto row = [](const char* name, const QByteArray& line, DFU::Phase phase, int percent, qint64 bytes) {
            QTest::newRow(name) << line << phase << percent << bytes;
        };
        using DFU::Phase;
        row("erase", "Erase   \t[====                     ]  16%       118784 bytes", Phase::erasing, 16, 118784);
        row("download, empty bar", "Download\t[                         ]   0%            0 bytes", Phase::writing, 0, 0);
        row("upload, full", "Upload\t[=========================] 100%       733656 bytes", Phase::reading, 100, 733656);
        row("beyond 100 %", "Upload\t[=========================] 180%  5 bytes", Phase::reading, 100, 5);
        row("cut short", "Download\t[====       ]  16%   1187", Phase::none, 0, 0);
        row("garbled bar", "Erase   \t[==#==]  16%   118784 bytes", Phase::none, 0, 0);
        row("an error line", "dfu-util: Error during download get_status", Phase::none, 0, 0);
        // Longer runs of digits than the form has: no figure, and no overflow reading them.
        row("a 13-digit count", "Upload\t[==] 50%  7777777777777 bytes", Phase::none, 0, 0);
        row("25 digits of percent", "Upload\t[]" + QByteArray(25, '7') + "% 5 bytes", Phase::none, 0, 0);
        row("12 digits, trailing spaces", "  Upload [] 7%\t999999999999 bytes \r\n", Phase::reading, 7, 999999999999);
    }

    void progress_lines()
    {
        QFETCH(QByteArray, line);
        QFETCH(DFU::Phase, phase);
        QFETCH(int, percent);
        QFETCH(qint64, bytes);
        const DFU::Progress progress = DFU::parse_progress_line(line);
        QCOMPARE(progress.phase, phase);
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
