#include "device/fw_info.h"
#include "device/otp_info.h"
#include "dfu/dfu_util_parser.h"

#include <QRandomGenerator>
#include <QtTest>

// Random and mutated bytes for the decoders of what a unit and dfu-util hand us. Under the
// sanitizer build any read outside the input fails the run; here every outcome must be a
// record that keeps its invariants.
class TestFuzz final : public QObject {
    Q_OBJECT

    QRandomGenerator random{20261206};

    QByteArray random_bytes(int size)
    {
        QByteArray bytes(size, '\0');
        for (char& b : bytes)
            b = static_cast<char>(random.bounded(256));
        return bytes;
    }

    // Sprinkles markers of the block formats into the bytes, at any offset.
    QByteArray mutated(QByteArray bytes)
    {
        static const QByteArray markers[] = {QByteArray("\x11\x47\x23\x01", 4), QByteArray("\x12\x47\x23\x01", 4),
                                             QByteArray("\x13\x47\x23\x01", 4)};
        const int n = random.bounded(4);
        for (int i = 0; i < n && !bytes.isEmpty(); ++i) {
            const QByteArray& m = markers[random.bounded(3)];
            const int at = random.bounded(bytes.size());
            bytes.replace(at, qMin(m.size(), bytes.size() - at), m.left(bytes.size() - at));
        }
        if (random.bounded(3) == 0)
            bytes.truncate(random.bounded(bytes.size() + 1));
        return bytes;
    }

private slots:
    void initTestCase()
    {
        // The decoders log what they reject; thousands of lines would drown the report.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    }

    void otp_decoder()
    {
        for (int i = 0; i < 3000; ++i) {
            const QByteArray area = mutated(random_bytes(random.bounded(2) ? 512 : random.bounded(600)));
            const Device::OTP_Info info = Device::make_OTP_Info(area);
            QVERIFY(!(info.valid && info.blank));
            QVERIFY(!info.valid || Device::is_known(info.product.type));
            QVERIFY(QString(info).startsWith("OTP info:\nMarker "));
        }
    }

    void fw_decoder()
    {
        for (int i = 0; i < 3000; ++i) {
            QByteArray data = random_bytes(random.bounded(2) ? 2048 : random.bounded(2200));
            if (data.size() > 80 && random.bounded(2)) {
                // A well-framed block, so the detail loop runs over random fields.
                const int beg = random.bounded(data.size() - 76);
                const int pairs = random.bounded(qMax(1, (data.size() - beg - 76) / 64 + 1));
                data.replace(beg, 4, QByteArray("\x12\x47\x23\x01", 4));
                if (beg + 72 + 64 * pairs + 4 <= data.size())
                    data.replace(beg + 72 + 64 * pairs, 4, QByteArray("\x13\x47\x23\x01", 4));
            }
            const Device::FW_Info info = Device::make_FW_Info(mutated(data));
            QVERIFY(info.valid || info.details.isEmpty());
            for (const auto& detail : info.details)
                QVERIFY(!detail.first.isEmpty() && detail.first.size() <= 31 && !detail.second.isEmpty());
            QVERIFY(info.name.size() <= 31 && info.revision.size() <= 31);
        }
        const Device::FW_Info big = Device::make_FW_Info(random_bytes(64 * 1024));
        QVERIFY(big.details.size() <= 29);
    }

    void list_parser()
    {
        const QString good = "Found DFU: [0483:df11] ver=2200, devnum=5, cfg=1, intf=0, path=\"1-5\", alt=%1, "
                             "name=\"@Internal Flash  /0x08000000/04*016Kg\", serial=\"%2\"";
        for (int i = 0; i < 2000; ++i) {
            QString text;
            const int lines = random.bounded(12);
            for (int l = 0; l < lines; ++l) {
                switch (random.bounded(4)) {
                case 0:
                    text += good.arg(l).arg(random.bounded(2) ? "305F38713437" : "AB") + "\n";
                    break;
                case 1:
                    text += QString::fromLatin1(random_bytes(random.bounded(120))) + "\r\n";
                    break;
                case 2:
                    text += good.left(random.bounded(good.size())) + "\n";
                    break;
                default:
                    text += QString(good).replace("305F", QString(QChar(0))) + "\n";
                }
            }
            const DfuUtilParser parser(text);
            QVERIFY(parser.nr_of_devices == 0 || parser.nr_of_devices == parser.devices.size());
            QVERIFY(parser.status != DfuUtilParser::one_dfu_device || parser.devices.size() == 1);
            QVERIFY(!parser.status_as_string().isEmpty());
        }
        QString many;
        for (int i = 0; i < 5000; ++i)
            many += good.arg(i % 4).arg(i / 4 % 2 ? "AAAA" : "BBBB") + "\n";
        const DfuUtilParser parser(many);
        QCOMPARE(parser.status, DfuUtilParser::multiple_dfu_devices);
        QCOMPARE(parser.nr_of_devices, 1250);
    }
};

QTEST_GUILESS_MAIN(TestFuzz)
#include "tst_fuzz.moc"
