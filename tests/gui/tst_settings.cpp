#include "gui/settings.h"
#include "test_support.h"

#include <QImage>
#include <QtTest>

using testsupport::LogCapture;

class TestSettings final : public QObject {
    Q_OBJECT

    Settings::GUI embedded;

private slots:
    void initTestCase()
    {
        embedded = Settings::make_GUI(":resources/settings_GUI.json");
    }

    // The file the window is built from: no id twice, every status text in the status line's
    // style, and the circle on the red TEST button of the picture, which step 2 names.
    void the_embedded_settings()
    {
        QVERIFY(embedded.valid);
        QSet<QString> ids;
        for (const Settings::LabelData& label : embedded.labels) {
            QVERIFY2(!ids.contains(label.id), qPrintable(label.id));
            ids << label.id;
            if (label.id.startsWith("status_"))
                QVERIFY(label.text.startsWith("<span style=\"color:#000000; font-size:9pt\">"));
        }
        QCOMPARE(QString(embedded.circles.at(0)), QString("Circle 'TEST button': (283,355), r=15, w=15, color=#60ff4040"));
        QVERIFY(embedded.text("7b").contains("pushing the TEST button"));
        const QColor face = QImage(":resources/background.jpg").pixelColor(embedded.circles[0].center);
        QVERIFY2(face.red() > 120 && face.green() < 90 && face.blue() < 90, qPrintable(face.name()));
    }

    void label_conversions_data()
    {
        QTest::addColumn<QString>("json");
        QTest::addColumn<QString>("text_form");
        QTest::newRow("defaults") << "{}" << "Label '': (-1,-1) {} font='':-1: ''";
        QTest::newRow("create as a string counts as false")
            << "{\"id\":\"a\",\"create\":\"true\"}" << "Label 'a': (-1,-1) {no-create} font='':-1: ''";
        QTest::newRow("both false") << "{\"id\":\"b\",\"create\":false,\"white\":false}"
                                    << "Label 'b': (-1,-1) {not-white no-create} font='':-1: ''";
        QTest::newRow("white false") << "{\"id\":\"c\",\"white\":false}" << "Label 'c': (-1,-1) {not-white} font='':-1: ''";
        QTest::newRow("x 0 kept") << "{\"id\":\"d\",\"position\":{\"x\":0,\"y\":100}}" << "Label 'd': (0,100) {} font='':-1: ''";
        QTest::newRow("position not an object") << "{\"position\":[1,2]}" << "Label '': (-1,-1) {} font='':-1: ''";
        QTest::newRow("x not a number") << "{\"position\":{\"x\":\"5\"}}" << "Label '': (0,-1) {} font='':-1: ''";
        QTest::newRow("size and font") << "{\"id\":\"e\",\"size\":14,\"font\":\"Mono\",\"text\":\"t\"}"
                                       << "Label 'e': (-1,-1) {} font='Mono':14: 't'";
        QTest::newRow("size not a number") << "{\"size\":\"big\"}" << "Label '': (-1,-1) {} font='':0: ''";
        QTest::newRow("id not a string") << "{\"id\":7,\"text\":false}" << "Label '': (-1,-1) {} font='':-1: ''";
        QTest::newRow("placeholders in the text stay") << "{\"id\":\"%1\",\"text\":\"%1 %2\"}"
                                                       << "Label '%1': (-1,-1) {} font='':-1: '%1 %2'";
    }

    void label_conversions()
    {
        QFETCH(QString, json);
        QFETCH(QString, text_form);
        const Settings::GUI gui(QString("{\"labels\":[%1]}").arg(json));
        QCOMPARE(gui.labels.size(), size_t(1));
        QCOMPARE(QString(gui.labels[0]), text_form);
    }

    // Circles as read: what is no object or no colour gives the defaults; the first of two ids.
    void circles_and_odd_elements()
    {
        const Settings::GUI gui("{\"circles\":[{}, {\"name\":\"n\",\"center\":{\"x\":3},\"color\":\"red\"}, 5, "
                                "{\"color\":\"#12345678\"}, {\"color\":\"no colour\"}], \"labels\":[\"x\", 3, "
                                "{\"id\":\"a\",\"text\":\"one\ntwo\"}, {\"id\":\"a\",\"text\":\"second\"}]}");
        QCOMPARE(gui.circles.size(), size_t(5));
        QCOMPARE(QString(gui.circles[1]), QString("Circle 'n': (3,0), r=0, w=0, color=#ffff0000"));
        QCOMPARE(gui.circles[3].color.alpha(), 0x12);
        for (const int i : {0, 2, 4})
            QVERIFY(!gui.circles[i].color.isValid());
        QCOMPARE(gui.labels.size(), size_t(4));
        QCOMPARE(QString(gui.labels[0]), QString("Label '': (-1,-1) {} font='':-1: ''"));
        QCOMPARE(gui.text("a"), QString("one\ntwo")); // raw line breaks stay
        QCOMPARE(gui.label("a"), &gui.labels[2]);
    }

    void missing_labels_warn_and_give_empty_text()
    {
        const Settings::GUI gui("{\"labels\":[]}");
        LogCapture log;
        QCOMPARE(gui.label("status_noDev"), nullptr);
        QCOMPARE(gui.text("status_noDev"), QString());
        QCOMPARE(gui.text("x").arg("filled"), QString());
        QCOMPARE(log.texts().first(), QString("No matching label with id \"status_noDev\" found"));
        QCOMPARE(log.entries().first().type, QtWarningMsg);
        QCOMPARE(log.count("No matching label with id"), 3);
    }

    void text_that_is_not_json()
    {
        for (const char* text : {"", "not json", "[1,2]", "{\"labels\": "}) {
            const Settings::GUI gui{QString(text)};
            QVERIFY(gui.valid);
            QVERIFY(gui.labels.empty());
            QVERIFY(gui.circles.empty());
        }
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
