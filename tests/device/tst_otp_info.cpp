#include "device/otp_info.h"
#include "test_support.h"

#include <QTemporaryDir>
#include <QtTest>

using Device::Type;
using testsupport::LogCapture;

Q_DECLARE_METATYPE(Device::Type)

namespace {

const QByteArray marker("\x11\x47\x23\x01", 4);

QByteArray erased(int size)
{
    return QByteArray(size, '\xff');
}

QByteArray record(const char* product, const QByteArray& payload = QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08"))
{
    return marker + QByteArray(product, 4) + payload;
}

QByteArray area_with(const QByteArray& rec, int offset, int size = 512)
{
    QByteArray area = erased(size);
    area.replace(offset, rec.size(), rec);
    return area.left(size);
}

} // namespace

class TestOtpInfo final : public QObject {
    Q_OBJECT

private slots:
    void decoding_data()
    {
        QTest::addColumn<QByteArray>("area");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("blank");
        QTest::addColumn<Type>("type");
        QTest::addColumn<int>("type_code");
        QTest::addColumn<QString>("message");

        const QString none;
        const QString unused = "Device not used, has invalid info in its OTP info.";
        const auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
        row("erased") << erased(512) << false << true << Type::invalid << 0 << none;
        // A short read-out cannot tell a blank area from a failed read.
        row("empty") << QByteArray() << false << false << Type::invalid << 0 << none;
        row("short, erased") << erased(511) << false << false << Type::invalid << 0 << none;
        row("zeros, no marker") << QByteArray(512, '\0') << false << false << Type::invalid << 0 << none;
        row("QUEL at 0") << area_with(record("\x1e\xff\xff\xff"), 0) << true << false << Type::QUEL << 30 << none;
        row("QUEL at 496") << area_with(record("\x1e\xff\xff\xff"), 496) << true << false << Type::QUEL << 30 << none;
        row("marker at 8 hides a good one at 0") << area_with(record("\x04\xff\xff\xff"), 0).replace(8, 4, marker)
                                                << false << false << Type::invalid << 0 << none;
        QByteArray two = area_with(record("\x1e\xff\xff\xff"), 0);
        two.replace(16, 16, record("\x04\xff\xff\xff"));
        row("two records: the later one counts") << two << true << false << Type::KORV << 4 << none;
        row("misplaced last marker hides good records") << QByteArray(two).replace(40, 4, marker) << false << false
                                                       << Type::invalid << 0 << none;
        row("0x8c") << area_with(record("\x8c\xff\xff\xff"), 0) << true << false << Type::NOMI << 140 << none;
        row("0x23 reads as 0x2b") << area_with(record("\x23\xff\xff\xff"), 32) << true << false << Type::TALM << 43
                                  << none;
        row("unknown code 5") << area_with(record("\x05\xff\xff\xff"), 0) << false << false << Type::invalid << 5
                              << "Unknown device type according to OTP info,  \"ProductInfo: unknown (254) [05 ff ff ff]\"";
        row("code 0") << area_with(record("\x00\xff\xff\xff"), 0) << false << false << Type::invalid << 0 << unused;
        row("code 0xff") << area_with(record("\xff\xff\xff\xff"), 0) << false << false << Type::undefined << 255
                         << unused;
        row("odd extra bytes") << area_with(record("\x1e\x00\x00\x00"), 0) << true << false << Type::QUEL << 30
                               << none;
        row("marker in the last 3 bytes") << erased(509) + QByteArray("\x11\x47\x23") << false << false
                                          << Type::invalid << 0 << none;
        row("record cut by the end of a short read") << area_with(record("\x1e\xff\xff\xff"), 48, 56) << false
                                                    << false << Type::invalid << 0 << none;
        row("one byte") << QByteArray("\x11") << false << false << Type::invalid << 0 << none;
        row("with the lock bytes after 512") << area_with(record("\x1e\xff\xff\xff"), 0, 528) << true << false
                                             << Type::QUEL << 30 << none;
    }

    void decoding()
    {
        QFETCH(QByteArray, area);
        QFETCH(bool, valid);
        QFETCH(bool, blank);
        QFETCH(Type, type);
        QFETCH(int, type_code);
        QFETCH(QString, message);

        LogCapture log;
        const Device::OTP_Info info = Device::make_OTP_Info(area);
        QCOMPARE(info.valid, valid);
        QCOMPARE(info.blank, blank);
        QCOMPARE(info.product.type, type);
        QCOMPARE(info.product.type_code, type_code);
        QCOMPARE(log.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
        // The same read from a file; an empty read-out is no file at all, which is no blank record.
        QTemporaryDir dir;
        if (!area.isEmpty())
            testsupport::write_file(dir.filePath("otp.bin"), area);
        const Device::OTP_Info read = Device::make_OTP_Info(dir.filePath("otp.bin"));
        QCOMPARE(read.valid, valid);
        QCOMPARE(read.blank, blank);
        QCOMPARE(read.product.type, type);
    }
};

QTEST_GUILESS_MAIN(TestOtpInfo)
#include "tst_otp_info.moc"
