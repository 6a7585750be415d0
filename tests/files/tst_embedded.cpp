#include "device/fw_info.h"
#include "test_support.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QtEndian>
#include <QtTest>

// The files the program carries: the firmware in both forms and the bold font.
class TestEmbedded final : public QObject {
    Q_OBJECT

private slots:
    // The image the program writes is the one the generator makes, of the revision it offers,
    // with no OTP record to mistake for its own; the DfuSe file carries the same image.
    void firmware()
    {
        const QByteArray raw = testsupport::read_file(":resources/firmware.bin");
        QTemporaryDir dir;
        QVERIFY(testsupport::make_firmware({"image", "--bin", dir.filePath("a.bin")}));
        QCOMPARE(testsupport::read_file(dir.filePath("a.bin")), raw);
        const Device::FW_Info info = Device::make_FW_Info(raw);
        QCOMPARE(info.revision + info.name + QString::number(info.details.size()), QString("C8Quel3"));
        QCOMPARE(raw.indexOf(QByteArray("\x11\x47\x23\x01", 4)), -1);
        // Cortex-M vector table: stack pointer in SRAM, reset handler in flash with the thumb bit.
        QCOMPARE(qFromLittleEndian<quint32>(raw.constData()) & 0xff000000u, 0x20000000u);
        QCOMPARE(qFromLittleEndian<quint32>(raw.constData() + 4) & 0xfff00001u, 0x08000001u);
        const QByteArray dfu = testsupport::read_file(":resources/firmware.dfu");
        QVERIFY(dfu.startsWith("DfuSe") && dfu.right(16).mid(8, 3) == "UFD");
        QCOMPARE(dfu.mid(11 + 274 + 8, raw.size()), raw);
    }

    // The bold weight beside the regular one the window loads, and the licence both ship under.
    void bold_font()
    {
        const int id = QFontDatabase::addApplicationFont(":resources/VelmoraSans-Bold.otf");
        QCOMPARE(QFontDatabase::applicationFontFamilies(id), QStringList{"Velmora Sans"});
        QVERIFY(QFontDatabase().styles("Velmora Sans").contains("Bold"));
        QVERIFY(QFile::exists(QString(SOURCE_DIR) + "/software/resources/fonts/LICENSE-OFL.txt"));
    }
};

QTEST_MAIN(TestEmbedded)
#include "tst_embedded.moc"
