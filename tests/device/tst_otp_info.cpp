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

// The unit's record of what product it is, and the product's names as logged and shown.
class TestOtpInfo final : public QObject {
    Q_OBJECT

private slots:
    void decoding_data()
    {
        QTest::addColumn<QByteArray>("area");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("blank");
        QTest::addColumn<Type>("type");
        QTest::addColumn<QString>("product"); // as logged, then its short name
        QTest::addColumn<QString>("message");

        const QString none;
        const QString unused = "Device not used, has invalid info in its OTP info.";
        const QString no_product = "ProductInfo: invalid (0), N/A";
        const auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
        row("erased") << erased(512) << false << true << Type::invalid << no_product << none;
        // A short read-out cannot tell a blank area from a failed read.
        row("empty") << QByteArray() << false << false << Type::invalid << no_product << none;
        row("short, erased") << erased(511) << false << false << Type::invalid << no_product << none;
        row("zeros, no marker") << QByteArray(512, '\0') << false << false << Type::invalid << no_product << none;
        row("QUEL at 0") << area_with(record("\x1e\xff\xff\xff"), 0) << true << false << Type::QUEL
                         << "ProductInfo: QUEL (30), R12" << none;
        row("QUEL at 496") << area_with(record("\x1e\xff\xff\xff"), 496) << true << false << Type::QUEL
                           << "ProductInfo: QUEL (30), R12" << none;
        row("marker at 8 hides a good one at 0") << area_with(record("\x04\xff\xff\xff"), 0).replace(8, 4, marker)
                                                << false << false << Type::invalid << no_product << none;
        QByteArray two = area_with(record("\x1e\xff\xff\xff"), 0);
        two.replace(16, 16, record("\x04\xff\xff\xff"));
        row("two records: the later one counts") << two << true << false << Type::KORV << "ProductInfo: KORV (4), ZX-8"
                                                << none;
        row("misplaced last marker hides good records") << QByteArray(two).replace(40, 4, marker) << false << false
                                                       << Type::invalid << no_product << none;
        row("0x03") << area_with(record("\x03\xff\xff\xff"), 0) << true << false << Type::ZEPH
                    << "ProductInfo: ZEPH (3), ZX-7" << none;
        row("0x0b") << area_with(record("\x0b\xff\xff\xff"), 0) << true << false << Type::M5W
                    << "ProductInfo: M5W (11), M5 Works" << none;
        row("0x8c, one odd extra byte") << area_with(record("\x8c\xff\xfe\xff"), 0) << true << false << Type::NOMI
                                        << "ProductInfo: NOMI (140) [8c ff fe ff], N20/N20S" << none;
        row("0x23 reads as 0x2b") << area_with(record("\x23\xff\xff\xff"), 32) << true << false << Type::TALM
                                  << "ProductInfo: TALM (43), M5" << none;
        row("unknown code 5") << area_with(record("\x05\xff\xff\xff"), 0) << false << false << Type::invalid
                              << no_product
                              << "Unknown device type according to OTP info,  \"ProductInfo: unknown (254) [05 ff ff ff]\"";
        row("code 254, which names no product") << area_with(record("\xfe\xff\xff\xff"), 0) << false << false
                                                << Type::invalid << no_product
                                                << "Unknown device type according to OTP info,  \"ProductInfo: unknown "
                                                   "(254) [fe ff ff ff]\"";
        row("code 0") << area_with(record("\x00\xff\xff\xff"), 0) << false << false << Type::invalid << no_product
                      << unused;
        row("code 0xff") << area_with(record("\xff\xff\xff\xff"), 0) << false << false << Type::undefined
                         << "ProductInfo: undefined (255), ?" << unused;
        row("odd extra bytes") << area_with(record("\x1e\x00\x00\x00"), 0) << true << false << Type::QUEL
                               << "ProductInfo: QUEL (30) [1e 00 00 00], R12" << none;
        row("marker in the last 3 bytes") << erased(509) + QByteArray("\x11\x47\x23") << false << false
                                          << Type::invalid << no_product << none;
        row("record cut by the end of a short read") << area_with(record("\x1e\xff\xff\xff"), 48, 56) << false
                                                    << false << Type::invalid << no_product << none;
        row("with the lock bytes after 512") << area_with(record("\x1e\xff\xff\xff"), 0, 528) << true << false
                                             << Type::QUEL << "ProductInfo: QUEL (30), R12" << none;
    }

    void decoding()
    {
        QFETCH(QByteArray, area);
        QFETCH(bool, valid);
        QFETCH(bool, blank);
        QFETCH(Type, type);
        QFETCH(QString, product);
        QFETCH(QString, message);

        // Read from the bytes, and as the unit's upload file; an empty read-out is no file at
        // all, which is no blank record.
        QTemporaryDir dir;
        if (!area.isEmpty())
            testsupport::write_file(dir.filePath("otp.bin"), area);
        for (const QString& file : {QString(), dir.filePath("otp.bin")}) {
            LogCapture log;
            const Device::OTP_Info info = file.isEmpty() ? Device::make_OTP_Info(area) : Device::make_OTP_Info(file);
            QCOMPARE(info.valid, valid);
            QCOMPARE(info.blank, blank);
            QCOMPARE(info.product.type, type);
            QCOMPARE(QString(info.product) + ", " + info.product_name(), product);
            QCOMPARE(log.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
        }
    }

    // A firmware is of the unit's product whatever the other three bytes hold.
    void products_compare_by_type()
    {
        const auto make = [](const char* raw) { return Device::make_ProductInfo(Device::make_ProductInfoRaw(raw)); };
        QVERIFY(make("\x1e\xff\xff\xff") == make("\x1e\x00\x01\x02"));
        QVERIFY(!(make("\x1e\xff\xff\xff") == make("\x04\xff\xff\xff")));
    }
};

QTEST_GUILESS_MAIN(TestOtpInfo)
#include "tst_otp_info.moc"
