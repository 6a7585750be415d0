#include "device/fw_info.h"
#include "test_support.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QtEndian>
#include <QtTest>

// The DFU suffix CRC: CRC-32 (reflected, polynomial 0xEDB88320) without the final inversion.
static quint32 dfu_crc(const QByteArray& bytes)
{
    quint32 crc = 0xffffffffu;
    for (const char c : bytes) {
        crc ^= static_cast<quint8>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return crc;
}

// The files the program carries: the firmware in both forms, the fonts, the picture.
class TestEmbedded final : public QObject {
    Q_OBJECT

    QByteArray raw;
    QByteArray dfu;

private slots:
    void initTestCase()
    {
        raw = testsupport::read_file(":resources/firmware.bin");
        dfu = testsupport::read_file(":resources/firmware.dfu");
    }

    // The block the program reads a unit's firmware by, once, after the vector table.
    void raw_image_layout()
    {
        QCOMPARE(raw.size(), 733656);
        QCOMPARE(raw.indexOf(QByteArray("\x12\x47\x23\x01", 4)), 428);
        QCOMPARE(raw.indexOf(QByteArray("\x13\x47\x23\x01", 4)), 428 + 264);
        QCOMPARE(raw.count(QByteArray("\x12\x47\x23\x01", 4)) + raw.count(QByteArray("\x13\x47\x23\x01", 4)), 2);
        QCOMPARE(raw.indexOf(QByteArray("\x11\x47\x23\x01", 4)), -1);
        QCOMPARE(raw.mid(432, 68), QByteArray("\x1e\xff\xff\xff") + QByteArray("Quel").leftJustified(32, '\0')
                                       + QByteArray("C8").leftJustified(32, '\0'));
        // Cortex-M vector table: stack pointer in SRAM, reset handler in flash with the thumb bit.
        QCOMPARE(qFromLittleEndian<quint32>(raw.constData()) & 0xff000000u, 0x20000000u);
        QCOMPARE(qFromLittleEndian<quint32>(raw.constData() + 4) & 0xfff00001u, 0x08000001u);
        QCOMPARE(Device::make_FW_Info(raw).details.size(), 3);
    }

    void dfuse_file_holds_the_same_image()
    {
        QCOMPARE(dfu.size(), 733965);
        QCOMPARE(dfu.left(5), QByteArray("DfuSe"));
        QCOMPARE(int(dfu[5]), 1);
        QCOMPARE(qFromLittleEndian<quint32>(dfu.constData() + 6), quint32(dfu.size() - 16));
        QCOMPARE(int(dfu[10]), 1);
        QCOMPARE(dfu.mid(11, 6), QByteArray("Target"));
        const int element = 11 + 274;
        QCOMPARE(qFromLittleEndian<quint32>(dfu.constData() + element), 0x08000000u);
        QCOMPARE(qFromLittleEndian<quint32>(dfu.constData() + element + 4), quint32(raw.size()));
        QCOMPARE(dfu.mid(element + 8, raw.size()), raw);
        const QByteArray suffix = dfu.right(16);
        QCOMPARE(qFromLittleEndian<quint16>(suffix.constData() + 2), quint16(0xdf11));
        QCOMPARE(qFromLittleEndian<quint16>(suffix.constData() + 4), quint16(0x0483));
        QCOMPARE(suffix.mid(8, 3), QByteArray("UFD"));
        QCOMPARE(int(suffix[11]), 16);
        QCOMPARE(qFromLittleEndian<quint32>(suffix.constData() + 12), dfu_crc(dfu.left(dfu.size() - 4)));
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
