#include "device/fw_info.h"
#include "test_support.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QtEndian>
#include <QtTest>

// The files the program carries: the firmware in both forms, the fonts, the picture.
class TestEmbedded final : public QObject {
    Q_OBJECT

    QByteArray raw;

private slots:
    void initTestCase() { raw = testsupport::read_file(":resources/firmware.bin"); }

    // The block the program reads a unit's firmware by, once, after the vector table; the
    // DfuSe file carries the same image.
    void images()
    {
        QCOMPARE(raw.size(), 733656);
        QCOMPARE(raw.indexOf(QByteArray("\x12\x47\x23\x01", 4)), 428);
        QCOMPARE(raw.indexOf(QByteArray("\x13\x47\x23\x01", 4)), 428 + 264);
        QCOMPARE(raw.indexOf(QByteArray("\x11\x47\x23\x01", 4)), -1); // no OTP record to mistake
        const Device::FW_Info info = Device::make_FW_Info(raw);
        QCOMPARE(info.revision + info.name + QString::number(info.details.size()), QString("C8Quel3"));
        // Cortex-M vector table: stack pointer in SRAM, reset handler in flash with the thumb bit.
        QCOMPARE(qFromLittleEndian<quint32>(raw.constData()) & 0xff000000u, 0x20000000u);
        QCOMPARE(qFromLittleEndian<quint32>(raw.constData() + 4) & 0xfff00001u, 0x08000001u);
        const QByteArray dfu = testsupport::read_file(":resources/firmware.dfu");
        QVERIFY(dfu.startsWith("DfuSe") && dfu.right(16).mid(8, 3) == "UFD");
        QCOMPARE(dfu.mid(11 + 274 + 8, raw.size()), raw);
    }

    void generator_is_deterministic_and_makes_variants()
    {
        QTemporaryDir dir;
        QVERIFY(testsupport::make_firmware({"image", "--bin", dir.filePath("a.bin")}));
        QCOMPARE(testsupport::read_file(dir.filePath("a.bin")), raw);
        QVERIFY(testsupport::make_firmware({"image", "--bin", dir.filePath("b.bin"), "--rev", "C7", "--seed", "7"}));
        const Device::FW_Info older = Device::make_FW_Info(dir.filePath("b.bin"));
        QCOMPARE(older.revision, QString("C7"));
        QCOMPARE(older.product.type, Device::Type::QUEL);
        QVERIFY(testsupport::read_file(dir.filePath("b.bin")) != raw);
    }

    void fonts_are_velmora_sans()
    {
        for (const char* name : {":resources/VelmoraSans-Regular.otf", ":resources/VelmoraSans-Bold.otf"}) {
            const int id = QFontDatabase::addApplicationFont(name);
            QVERIFY2(id >= 0, name);
            QCOMPARE(QFontDatabase::applicationFontFamilies(id), QStringList{"Velmora Sans"});
        }
        QVERIFY(QFontDatabase().styles("Velmora Sans").contains("Bold"));
        QVERIFY(QFile::exists(QString(SOURCE_DIR) + "/software/resources/fonts/LICENSE-OFL.txt"));
        const QImage background(":resources/background.jpg");
        QCOMPARE(background.size(), QSize(665, 517));
        QCOMPARE(QImage(":resources/background@2x.jpg").size(), QSize(1330, 1034)); // for dense screens
    }
};

QTEST_MAIN(TestEmbedded)
#include "tst_embedded.moc"
