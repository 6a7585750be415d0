#include "gui/settings.h"
#include "test_support.h"

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

    // The file the window is built from: labels placed where the layout puts them, every
    // status text in the status line's style, and no id twice.
    void the_embedded_labels()
    {
        QVERIFY(embedded.valid);
        const QMap<QString, QPoint> placed = {
            {"2", {37, 32}},   {"4", {400, 32}},   {"5", {37, 270}},          {"7a", {37, 320}},
            {"7b", {37, 350}}, {"9", {37, 428}},   {"status_noDev", {37, 483}}, {"app_name", {480, 387}},
            {"sim_mode", {480, 407}}, {"debug_mode", {480, 427}}};
        QSet<QString> ids;
        for (const Settings::LabelData& label : embedded.labels) {
            QVERIFY2(!ids.contains(label.id), qPrintable(label.id));
            ids << label.id;
            QCOMPARE(QPoint(label.x, label.y), placed.value(label.id, QPoint(-1, -1)));
            QCOMPARE(label.create, placed.contains(label.id) && !label.id.endsWith("_mode") && label.id != "app_name");
            QVERIFY(label.size == -1 && label.font.isEmpty() && label.white);
            if (label.id.startsWith("status_"))
                QVERIFY(label.text.startsWith("<span style=\"color:#000000; font-size:9pt\">"));
        }
        QCOMPARE(ids.size(), 38);
        QVERIFY(embedded.text("2").contains("<span style=\"font-weight:bold\">%1</span>"));
        QVERIFY(embedded.text("status_devRev").contains("Connected to %1 with firmware version %2"));
    }

    void the_embedded_circles()
    {
        QCOMPARE(embedded.circles.size(), size_t(2));
        QCOMPARE(QString(embedded.circles[0]), QString("Circle 'On button': (283,355), r=15, w=15, color=#60ff4040"));
        QCOMPARE(QString(embedded.circles[1]),
                 QString("Circle 'Menu button D': (386,316), r=13, w=13, color=#60ff4040"));
        const QColor c = embedded.circles[0].color;
        QCOMPARE(c.alpha(), 96);
        QCOMPARE(c.red(), 255);
        QCOMPARE(c.green(), 64);
        QCOMPARE(c.blue(), 64);
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

    void circle_conversions()
    {
        const Settings::GUI gui("{\"circles\":[{}, {\"name\":\"n\",\"center\":{\"x\":3},\"color\":\"red\"}, 5, {\"color\":\"#12345678\"}, {\"color\":\"no colour\"}]}");
        QCOMPARE(gui.circles.size(), size_t(5));
        QCOMPARE(QString(gui.circles[0]).left(30), QString("Circle '': (0,0), r=0, w=0, co"));
        QVERIFY(!gui.circles[0].color.isValid());
        QCOMPARE(QString(gui.circles[1]), QString("Circle 'n': (3,0), r=0, w=0, color=#ffff0000"));
        QVERIFY(!gui.circles[2].color.isValid());
        QCOMPARE(gui.circles[3].color.alpha(), 0x12);
        QVERIFY(!gui.circles[4].color.isValid());
    }

    void elements_that_are_not_objects_give_defaults()
    {
        const Settings::GUI gui("{\"labels\":[\"x\", 3, {\"id\":\"y\"}], \"circles\":{\"not\":\"an array\"}}");
        QCOMPARE(gui.labels.size(), size_t(3));
        QCOMPARE(gui.labels[0].id, QString());
        QCOMPARE(gui.labels[0].x, -1);
        QVERIFY(gui.labels[0].create);
        QCOMPARE(gui.labels[2].id, QString("y"));
        QVERIFY(gui.circles.empty());
    }

    void duplicate_ids_give_the_first()
    {
        const Settings::GUI gui("{\"labels\":[{\"id\":\"a\",\"text\":\"first\"},{\"id\":\"a\",\"text\":\"second\"}]}");
        QCOMPARE(gui.text("a"), QString("first"));
        QCOMPARE(gui.label("a"), &gui.labels[0]);
    }

    void raw_line_breaks_stay_in_the_text()
    {
        const Settings::GUI gui("{\"labels\":[{\"id\":\"m\",\"text\":\"one\ntwo\"}]}");
        QCOMPARE(gui.text("m"), QString("one\ntwo"));
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
        QCOMPARE(QString(Settings::GUI{}), QString("GUI settings:\n\tInvalid"));
        QCOMPARE(QString(Settings::GUI{QString("{}")}), QString("GUI settings:\n"));
    }

    void gui_text_form_lists_circles_then_labels()
    {
        const QStringList lines = QString(embedded).split('\n');
        QCOMPARE(lines[0], QString("GUI settings:"));
        QVERIFY(lines[1].startsWith("\tCircle 'On button'"));
        QVERIFY(lines[2].startsWith("\tCircle 'Menu button D'"));
        QVERIFY(lines[3].startsWith("\tLabel '2': (37,32) {} font='':-1: '<span"));
        QString logged;
        QDebug(&logged) << embedded;
        QVERIFY(logged.startsWith("GUI settings:\n\tCircle"));
    }

    void a_settings_file_that_cannot_be_read_throws()
    {
        try {
            Settings::make_GUI(":resources/missing.json");
            QFAIL("no exception");
        } catch (const QString& error) {
            QCOMPARE(error, QString("Couldn't open file: :resources/missing.json"));
        }
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
