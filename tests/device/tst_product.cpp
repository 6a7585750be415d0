#include "device/product.h"

#include <QtTest>

using Device::Type;

Q_DECLARE_METATYPE(Device::Type)

class TestProduct final : public QObject {
    Q_OBJECT

private slots:
    void types_from_codes()
    {
        const QList<QPair<int, Type>> codes = {{0, Type::invalid},    {3, Type::ZEPH},      {4, Type::KORV},
                                               {5, Type::unknown},    {11, Type::M5W},      {30, Type::QUEL},
                                               {0x23, Type::unknown}, {43, Type::TALM},     {140, Type::NOMI},
                                               {254, Type::unknown},  {255, Type::undefined}};
        for (const auto& [code, type] : codes)
            QCOMPARE(Device::to_Type(static_cast<unsigned char>(code)), type);
        for (int code = 0; code < 256; ++code) {
            const Type t = static_cast<Type>(code);
            QCOMPARE(Device::is_valid(t), code != 0 && code != 255);
            QCOMPARE(Device::is_known(t), code != 0 && code != 254 && code != 255);
        }
    }

    // As logged: the id and code, and the four bytes as read where they are not the usual.
    void product_info_text_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<Type>("type");
        QTest::addColumn<int>("type_code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("names"); // short, full
        QTest::newRow("QUEL") << QByteArray("\x1e\xff\xff\xff") << Type::QUEL << 30 << "ProductInfo: QUEL (30)"
                              << "R12, Velmora R12";
        QTest::newRow("TALM, as 0x2b") << QByteArray("\x2b\xff\xff\xff") << Type::TALM << 43 << "ProductInfo: TALM (43)"
                                       << "M5, M5 LinkSync";
        QTest::newRow("unknown code 5") << QByteArray("\x05\xff\xff\xff") << Type::unknown << 5
                                        << "ProductInfo: unknown (254) [05 ff ff ff]" << "unknown, unknown";
        QTest::newRow("odd extra bytes") << QByteArray("\x1e\x01\x02\x03") << Type::QUEL << 30
                                         << "ProductInfo: QUEL (30) [1e 01 02 03]" << "R12, Velmora R12";
        QTest::newRow("one odd extra byte") << QByteArray("\x8c\xff\xfe\xff") << Type::NOMI << 140
                                            << "ProductInfo: NOMI (140) [8c ff fe ff]"
                                            << "N20/N20S, Velmora N20S & N20 series";
        QTest::newRow("erased") << QByteArray("\xff\xff\xff\xff") << Type::undefined << 255
                                << "ProductInfo: undefined (255)" << "?, ?";
        QTest::newRow("code 254") << QByteArray("\xfe\xff\xff\xff") << Type::unknown << 254
                                  << "ProductInfo: unknown (254) [fe ff ff ff]" << "unknown, unknown";
    }

    void product_info_text()
    {
        QFETCH(QByteArray, raw);
        QFETCH(Type, type);
        QFETCH(int, type_code);
        QFETCH(QString, text);
        QFETCH(QString, names);
        const Device::ProductInfo info = Device::make_ProductInfo(Device::make_ProductInfoRaw(raw.constData()));
        QCOMPARE(info.type, type);
        QCOMPARE(info.type_code, type_code);
        QCOMPARE(QString(info), text);
        QCOMPARE(info.product_name() + ", " + info.product_name_full(), names);
    }

    void names_and_equality()
    {
        const auto make = [](const char* raw) { return Device::make_ProductInfo(Device::make_ProductInfoRaw(raw)); };
        QVERIFY(make("\x1e\xff\xff\xff") == make("\x1e\x00\x01\x02")); // the type only
        QVERIFY(!(make("\x1e\xff\xff\xff") == make("\x04\xff\xff\xff")));
        QVERIFY(make("\x05\xff\xff\xff") == make("\x06\xff\xff\xff")); // two unknown codes are one type

        QCOMPARE(Device::ProductInfo{Type::invalid}.product_name_full(), QString("N/A"));
        QCOMPARE(Device::ProductInfo{static_cast<Type>(200)}.product_name(), QString());
        QCOMPARE(Device::to_QString(Type::TALM), QString("TALM"));
        QCOMPARE(QString(Device::ProductInfo{static_cast<Type>(200)}), QString("ProductInfo: impossible type (200)"));
    }
};

QTEST_GUILESS_MAIN(TestProduct)
#include "tst_product.moc"
