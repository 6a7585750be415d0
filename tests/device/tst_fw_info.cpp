#include "device/device_text.h"
#include "device/fw_info.h"
#include "test_support.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using Device::Type;

namespace {

const QByteArray start_marker("\x12\x47\x23\x01", 4);
const QByteArray end_marker("\x13\x47\x23\x01", 4);

QByteArray field(const QByteArray& text)
{
    return text.leftJustified(32, '\0', true);
}

// A block with the given details; the end marker right after the last slot.
QByteArray block(const QList<QPair<QByteArray, QByteArray>>& details, const char* product = "\x1e\xff\xff\xff",
                 const QByteArray& name = "Quel", const QByteArray& rev = "C8")
{
    QByteArray b = start_marker + QByteArray(product, 4) + field(name) + field(rev);
    for (const auto& [key, value] : details)
        b += field(key) + field(value);
    return b + end_marker;
}

QByteArray placed(const QByteArray& bytes, int offset, int size = 2048)
{
    QByteArray data(size, '\x55');
    data.replace(offset, bytes.size(), bytes);
    return data.left(size);
}

} // namespace

class TestFwInfo final : public QObject {
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
        row("a plain serial as it is", "305F38713437", "305F38713437", "305F38713437");
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
        const QString replaced = QString("A") + QChar(QChar::ReplacementCharacter);
        row("a byte that is no UTF-8 as the replacement character", QString::fromUtf8("A\xff"), replaced,
            replaced.toUtf8());
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
    void decoding_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("revision");
        QTest::addColumn<int>("details");

        const auto row = [](const char* name, const QByteArray& data, bool valid, const QString& revision = {},
                            int details = 0) { QTest::newRow(name) << data << valid << revision << details; };
        row("no details, markers 72 apart", placed(block({}), 0), true, "C8");
        row("three details", placed(block({{"a", "1"}, {"b", "2"}, {"c", "3"}}), 428), true, "C8", 3);
        row("second key empty: stop there", placed(block({{"a", "1"}, {"", "2"}, {"c", "3"}}), 0), true, "C8", 1);
        row("first value empty", placed(block({{"a", ""}, {"b", "2"}}), 0), true, "C8");
        row("empty name and revision still valid", placed(block({}, "\x1e\xff\xff\xff", "", ""), 0), true, "");
        row("31-character revision", placed(block({}, "\x1e\xff\xff\xff", "Quel", QByteArray(31, 'R')), 0), true,
            QString(31, 'R'));
        row("32 characters without terminator: empty", placed(block({}), 0).replace(40, 32, QByteArray(32, 'R')), true,
            "");
        row("end 100 after start", placed(start_marker, 10).replace(110, 4, end_marker), false);
        row("end before start", placed(end_marker, 20).replace(200, 4, start_marker), false);
        row("only the start marker", placed(start_marker, 5), false);
        row("only the end marker", placed(end_marker, 7), false);
        row("start at 1948 is the last allowed", placed(block({}), 1948, 1948 + 76), false);
        row("start at 1876, end at 1948", placed(block({}), 1876), true, "C8");
        row("start at 1877, end at 1949", placed(block({}), 1877), false);
        row("end marker in the last bytes, no room", QByteArray(3, '\0') + start_marker + QByteArray(10, '\0') + end_marker,
            false);
        row("marker cut by the end", QByteArray(10, '\0') + start_marker.left(3), false);
    }

    void decoding()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, valid);
        QFETCH(QString, revision);
        QFETCH(int, details);

        const Device::FW_Info info = Device::make_FW_Info(data);
        QCOMPARE(info.valid, valid);
        QCOMPARE(info.revision, revision);
        QCOMPARE(info.details.size(), details);
        if (!valid)
            QCOMPARE(QString(info), QString("FW info:\n\tInvalid"));
    }

    // As logged with a unit's reading: the details in columns.
    void text_form()
    {
        const Device::FW_Info info = Device::make_FW_Info(
            placed(block({{"Build time", "2026-11-20"}, {"GIT rev", "abc"}}, "\x1e\x01\xff\xff"), 100));
        QCOMPARE(QString(info),
                 QString("FW info:\n"
                         "  Type: ProductInfo: QUEL (30) [1e 01 ff ff]\n"
                         "  Name: Quel\n"
                         "  Rev.: C8\n"
                         "  Details:\n"
                         "    Build time                     : 2026-11-20                     \n"
                         "    GIT rev                        : abc                            "));
    }
};

QTEST_GUILESS_MAIN(TestFwInfo)
#include "tst_fw_info.moc"
