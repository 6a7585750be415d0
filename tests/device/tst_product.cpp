#include "device/product.h"

#include <QtTest>

#include <iomanip>
#include <sstream>

using Device::Type;

Q_DECLARE_METATYPE(Device::Type)

class TestProduct final : public QObject {
    Q_OBJECT

private slots:
    void catalogue_rows_in_order()
    {
        QCOMPARE(Device::products.size(), size_t(11));
        const int codes[] = {0, 255, 3, 4, 43, 11, 132, 30, 36, 140, 254};
        for (size_t i = 0; i < Device::products.size(); ++i)
            QCOMPARE(static_cast<int>(Device::products[i].type), codes[i]);
        const Device::Product& quel = *Device::products.find(Type::QUEL);
        QCOMPARE(quel.id, QString("QUEL"));
        QCOMPARE(quel.code_name, QString("Quel"));
        QCOMPARE(quel.name, QString("R12"));
        QCOMPARE(quel.name_full, QString("Velmora R12"));
    }

    void to_Type_from_a_code_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<Type>("type");
        QTest::newRow("0") << 0 << Type::invalid;
        QTest::newRow("3") << 3 << Type::ZEPH;
        QTest::newRow("4") << 4 << Type::KORV;
        QTest::newRow("5") << 5 << Type::unknown;
        QTest::newRow("11") << 11 << Type::M5W;
        QTest::newRow("30") << 30 << Type::QUEL;
        QTest::newRow("35 (0x23)") << 0x23 << Type::unknown;
        QTest::newRow("43") << 43 << Type::TALM;
        QTest::newRow("140") << 140 << Type::NOMI;
        QTest::newRow("254") << 254 << Type::unknown;
        QTest::newRow("255") << 255 << Type::undefined;
    }

    void to_Type_from_a_code()
    {
        QFETCH(int, code);
        QFETCH(Type, type);
        QCOMPARE(Device::to_Type(static_cast<unsigned char>(code)), type);
    }

    void to_Type_from_a_text_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Type>("type");
        QTest::newRow("empty") << QString() << Type::invalid;
        QTest::newRow("QUEL") << "QUEL" << Type::QUEL;
        QTest::newRow("quel, case matters") << "quel" << Type::unknown;
        QTest::newRow("unknown, its own row") << "unknown" << Type::unknown;
        QTest::newRow("undefined") << "undefined" << Type::undefined;
        QTest::newRow("M5W") << "M5W" << Type::M5W;
        QTest::newRow("R12 is a name, not an id") << "R12" << Type::unknown;
    }

    void to_Type_from_a_text()
    {
        QFETCH(QString, text);
        QFETCH(Type, type);
        QCOMPARE(Device::to_Type(text), type);
    }

    void valid_and_known()
    {
        for (int code = 0; code < 256; ++code) {
            const Type t = static_cast<Type>(code);
            QCOMPARE(Device::is_valid(t), code != 0 && code != 255);
            QCOMPARE(Device::is_known(t), code != 0 && code != 254 && code != 255);
        }
    }

    void texts_of_a_type()
    {
        QCOMPARE(Device::to_QString(Type::TALM), QString("TALM"));
        QCOMPARE(Device::to_QString(static_cast<Type>(77)), QString("impossible type"));
        QCOMPARE(Device::to_string(Type::NOMI), std::string("NOMI"));
        std::ostringstream out;
        out << std::setw(6) << std::left << Type::KORV << "|";
        QCOMPARE(out.str(), std::string("KORV  |"));
        QString text;
        QDebug(&text) << Type::QUEL << QString("q");
        QCOMPARE(text, QString("QUEL \"q\" "));
    }

    void product_info_text_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<Type>("type");
        QTest::addColumn<int>("type_code");
        QTest::addColumn<QString>("text");
        QTest::newRow("QUEL") << QByteArray("\x1e\xff\xff\xff") << Type::QUEL << 30 << "ProductInfo: QUEL (30)";
        QTest::newRow("unknown code 5") << QByteArray("\x05\xff\xff\xff") << Type::unknown << 5
                                        << "ProductInfo: unknown (254) [05 ff ff ff]";
        QTest::newRow("odd extra bytes") << QByteArray("\x1e\x01\x02\x03") << Type::QUEL << 30
                                         << "ProductInfo: QUEL (30) [1e 01 02 03]";
        QTest::newRow("one odd extra byte") << QByteArray("\x8c\xff\xfe\xff") << Type::NOMI << 140
                                            << "ProductInfo: NOMI (140) [8c ff fe ff]";
        QTest::newRow("erased") << QByteArray("\xff\xff\xff\xff") << Type::undefined << 255
                                << "ProductInfo: undefined (255)";
        QTest::newRow("code 254") << QByteArray("\xfe\xff\xff\xff") << Type::unknown << 254
                                  << "ProductInfo: unknown (254) [fe ff ff ff]";
    }

    void product_info_text()
    {
        QFETCH(QByteArray, raw);
        QFETCH(Type, type);
        QFETCH(int, type_code);
        QFETCH(QString, text);
        const Device::ProductInfo info = Device::make_ProductInfo(Device::make_ProductInfoRaw(raw.constData()));
        QCOMPARE(info.type, type);
        QCOMPARE(info.type_code, type_code);
        QCOMPARE(QString(info), text);
        QString logged;
        QDebug(&logged) << info;
        QCOMPARE(logged, text + " ");
    }

    void default_product_info()
    {
        const Device::ProductInfo info;
        QCOMPARE(QString(info), QString("ProductInfo: invalid (0)"));
        QCOMPARE(info.product_name(), QString("N/A"));
        QCOMPARE(info.product_name_full(), QString("N/A"));
    }

    void equality_compares_the_type_only()
    {
        const auto a = Device::make_ProductInfo(Device::make_ProductInfoRaw("\x1e\xff\xff\xff"));
        const auto b = Device::make_ProductInfo(Device::make_ProductInfoRaw("\x1e\x00\x01\x02"));
        const auto c = Device::make_ProductInfo(Device::make_ProductInfoRaw("\x04\xff\xff\xff"));
        const auto d = Device::make_ProductInfo(Device::make_ProductInfoRaw("\x05\xff\xff\xff"));
        const auto e = Device::make_ProductInfo(Device::make_ProductInfoRaw("\x06\xff\xff\xff"));
        QVERIFY(a == b);
        QVERIFY(!(a == c));
        QVERIFY(d == e); // two unknown codes are one type
    }

    void product_names()
    {
        Device::ProductInfo talm;
        talm.type = Type::TALM;
        QCOMPARE(talm.product_name(), QString("M5"));
        QCOMPARE(talm.product_name_full(), QString("M5 LinkSync"));
        Device::ProductInfo forced;
        forced.type = static_cast<Type>(200);
        QCOMPARE(forced.product_name(), QString());
        QCOMPARE(forced.product_name_full(), QString());
        QCOMPARE(QString(forced), QString("ProductInfo: impossible type (200)"));
    }
};

QTEST_GUILESS_MAIN(TestProduct)
#include "tst_product.moc"
