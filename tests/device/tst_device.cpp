#include "device/device_text.h"
#include "device/fw_info.h"
#include "device/otp_info.h"
#include "test_support.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using Device::Type;
using testsupport::LogCapture;

Q_DECLARE_METATYPE(Device::Type)

namespace {

const QByteArray start_marker("\x12\x47\x23\x01", 4);
const QByteArray end_marker("\x13\x47\x23\x01", 4);
const QByteArray otp_marker("\x11\x47\x23\x01", 4);

QByteArray field(const QByteArray& text)
{
    return text.leftJustified(32, '\0', true);
}

// A block with the given details; the end marker right after the last slot.
QByteArray block(const QList<QPair<QByteArray, QByteArray>>& details)
{
    QByteArray b = start_marker + QByteArray("\x1e\xff\xff\xff", 4) + field("Quel") + field("C8");
    for (const auto& [key, value] : details)
        b += field(key) + field(value);
    return b + end_marker;
}

QByteArray placed(const QByteArray& bytes, int offset, int size = 2048, char fill = '\x55')
{
    QByteArray data(size, fill);
    data.replace(offset, bytes.size(), bytes);
    return data.left(size);
}

// The OTP area as read out, with one record of that product at offset.
QByteArray area_with(const char* product, int offset, int size = 512)
{
    return placed(otp_marker + QByteArray(product, 4) + "\x01\x02\x03\x04\x05\x06\x07\x08", offset, size, '\xff');
}

} // namespace

// What a unit's flash and OTP area say of it, and how its texts are shown.
class TestDevice final : public QObject {
    Q_OBJECT

private slots:
    // A unit's text as people read it (terminal, log, window) and as JSON carries it.
    void device_text_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("json"); // the value as written, between its quotes
        const auto row = [](const char* name, const QString& text, const QString& shown, const QByteArray& json) {
            QTest::newRow(name) << text << shown << json;
        };
        const QString a62(62, 'A');
        row("terminal escapes", "AB\x1b]0;pwned\x07\x1b[2J\x1b[31mCD", "AB\\x1b]0;pwned\\x07\\x1b[2J\\x1b[31mCD",
            "AB\\u001b]0;pwned\\u0007\\u001b[2J\\u001b[31mCD");
        row("a carriage return that would overwrite the line, line feed and tab", "AB\rUnit 999: upgraded\n\tC",
            "AB\\rUnit 999: upgraded\\n\\tC", "AB\\rUnit 999: upgraded\\n\\tC");
        row("DEL and C1 controls", QString("A\x7f") + QChar(0x85) + QChar(0x9b) + "2J", "A\\x7f\\u0085\\u009b2J",
            "A\\u007f\\u0085\\u009b2J");
        row("bidirectional overrides, isolates and marks",
            QString("C7") + QChar(0x202e) + "8C" + QChar(0x2066) + QChar(0x200f) + QChar(0x061c) + QChar(0x2028),
            "C7\\u202e8C\\u2066\\u200f\\u061c\\u2028", "C7\\u202e8C\\u2066\\u200f\\u061c\\u2028");
        row("a backslash doubled: no escape can be faked", "A\\x1b", "A\\\\x1b", "A\\\\x1b");
        row("letters of any script kept", QString::fromUtf8("Grüße 日本 😀"), QString::fromUtf8("Grüße 日本 😀"),
            "Grüße 日本 😀");
        row("200 characters cut at 64 with a mark", QString(200, 'W'), QString(64, 'W') + QString::fromUtf8("…"),
            QByteArray(200, 'W'));
        row("an escape is never cut in two", a62 + "\x1b", a62 + QString::fromUtf8("…"), a62.toLatin1() + "\\u001b");
    }

    void device_text()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QByteArray, json);
        QCOMPARE(Device::for_people(text), shown);
        const QByteArray written
            = Device::json_for_people(QJsonDocument(QJsonObject{{"s", text}}).toJson(QJsonDocument::Compact));
        QCOMPARE(written, "{\"s\":\"" + json + "\"}");
        // Exact: the text comes back as the unit sent it.
        QCOMPARE(QJsonDocument::fromJson(written).object()["s"].toString(), text);
    }

    // Where the block lies and how long it is decide whether it is read; its fields end at a NUL.
    void fw_decoding_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("revision");
        QTest::addColumn<int>("details");

        const auto row = [](const char* name, const QByteArray& data, bool valid, const QString& revision = {},
                            int details = 0) { QTest::newRow(name) << data << valid << revision << details; };
        row("three details", placed(block({{"a", "1"}, {"b", "2"}, {"c", "3"}}), 428), true, "C8", 3);
        row("first value empty", placed(block({{"a", ""}, {"b", "2"}}), 0), true, "C8");
        row("second key empty: stop there", placed(block({{"a", "1"}, {"", "2"}, {"c", "3"}}), 0), true, "C8", 1);
        row("32 characters without terminator: empty", placed(block({}), 0).replace(40, 32, QByteArray(32, 'R')), true,
            "");
        row("end 100 after start", placed(start_marker, 10).replace(110, 4, end_marker), false);
        row("start at 1876, end at 1948", placed(block({}), 1876), true, "C8");
        row("start at 1877, end at 1949", placed(block({}), 1877), false);
        row("empty input", QByteArray(), false);
    }

    void fw_decoding()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, valid);
        QFETCH(QString, revision);
        QFETCH(int, details);

        const Device::FW_Info info = Device::make_FW_Info(data);
        QCOMPARE(info.valid, valid);
        QCOMPARE(info.revision, revision);
        QCOMPARE(info.details.size(), details);
        // The same read from a file; an empty one is no file at all.
        QTemporaryDir dir;
        if (!data.isEmpty())
            testsupport::write_file(dir.filePath("info.bin"), data);
        QCOMPARE(QString(Device::make_FW_Info(dir.filePath("info.bin"))), QString(info));
    }

    void otp_decoding_data()
    {
        QTest::addColumn<QByteArray>("area");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("blank");
        QTest::addColumn<Type>("type");
        QTest::addColumn<QString>("product"); // as logged, then its short name
        QTest::addColumn<QString>("message");

        const QString unused = "Device not used, has invalid info in its OTP info.";
        const QString unknown = "Unknown device type according to OTP info,  \"ProductInfo: unknown (254) [05 ff ff ff]\"";
        const auto row = [](const char* name, const QByteArray& area, bool valid, Type type,
                            const QString& product = "ProductInfo: invalid (0), N/A", const QString& message = {},
                            bool blank = false) {
            QTest::newRow(name) << area << valid << blank << type << product << message;
        };
        row("erased", QByteArray(512, '\xff'), false, Type::invalid, "ProductInfo: invalid (0), N/A", {}, true);
        // A short read-out cannot tell a blank area from a failed read.
        row("empty", QByteArray(), false, Type::invalid);
        row("QUEL at 496", area_with("\x1e\xff\xff\xff", 496), true, Type::QUEL, "ProductInfo: QUEL (30), R12");
        QByteArray two = area_with("\x1e\xff\xff\xff", 0);
        two.replace(16, 16, area_with("\x04\xff\xff\xff", 0, 16));
        row("two records: the later one counts", two, true, Type::KORV, "ProductInfo: KORV (4), ZX-8");
        row("misplaced last marker hides good records", QByteArray(two).replace(40, 4, otp_marker), false,
            Type::invalid);
        row("0x8c, one odd extra byte", area_with("\x8c\xff\xfe\xff", 0), true, Type::NOMI,
            "ProductInfo: NOMI (140) [8c ff fe ff], N20/N20S");
        row("0x23 reads as 0x2b", area_with("\x23\xff\xff\xff", 32), true, Type::TALM, "ProductInfo: TALM (43), M5");
        row("unknown code 5", area_with("\x05\xff\xff\xff", 0), false, Type::invalid, "ProductInfo: invalid (0), N/A",
            unknown);
        row("code 0xff", area_with("\xff\xff\xff\xff", 0), false, Type::undefined, "ProductInfo: undefined (255), ?",
            unused);
        row("record cut by the end of a short read", area_with("\x1e\xff\xff\xff", 48, 56), false, Type::invalid);
    }

    void otp_decoding()
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
};

QTEST_GUILESS_MAIN(TestDevice)
#include "tst_device.moc"
