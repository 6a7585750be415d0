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

    void the_embedded_labels()
    {
        QVERIFY(embedded.valid);
        struct Row {
            const char* id;
            int x, y;
            bool create;
            const char* words;
        };
        const Row rows[] = {
            {"2", 37, 32, true, "Firmware upgrade"},
            {"4", 400, 32, true, "Firmware version:"},
            {"5", 37, 270, true, "Follow the steps below\nto upgrade your product."},
            {"7a", 37, 320, true, "1. Turn off the device"},
            {"7b", 37, 350, true,
             "2. Hold the rightmost button\n    under the display while\n    pushing the TEST button\n    for 1 second"},
            {"9", 37, 428, true, "3. Connect USB cable"},
            {"8b2", -1, -1, false, "4. Click here to start upgrade"},
            {"status_noDev", 37, 483, true, "The USB cable must have a 'Micro B' plug and a 'Type A' plug."},
            {"status_devConn", -1, -1, false, "Connected to %1."},
            {"status_devRev", -1, -1, false, "Connected to %1 with firmware version %2"},
            {"status_devRevUnknown", -1, -1, false, "Connected to %1 with unknown firmware version."},
            {"status_finishing", -1, -1, false, "keep the USB cable connected"},
            {"status_stopped", -1, -1, false, "Stopped."},
            {"status_noWorkDir", -1, -1, false, "No working folder can be made in %1."},
            {"status_noExtract", -1, -1, false, "cannot be unpacked into %1"},
            {"status_toolBroken", -1, -1, false, "cannot run from %1: %2."},
            {"status_written", -1, -1, false, "restart the unit in DFU mode"},
            {"status_downloadFailed", -1, -1, false, "install again"},
            {"status_verifyFailed", -1, -1, false, "install it again"},
            {"status_otherProduct", -1, -1, false, "This tool upgrades %2 units only"},
            {"status_unidentified", -1, -1, false, "cannot be identified"},
            {"status_severalUnits", -1, -1, false, "More than one unit"},
            {"status_noPermission", -1, -1, false, "udev rule"},
            {"status_readFailed", -1, -1, false, "cannot be read"},
            {"status_notAnswering", -1, -1, false, "not answered for 30 seconds"},
            {"reason_cannotStart", -1, -1, false, "cannot be started"},
            {"reason_exitCode", -1, -1, false, "code %1"},
            {"reason_wrongVersion", -1, -1, false, "not the version"},
            {"bar_erasing", -1, -1, false, "erasing %p%"},
            {"bar_writing", -1, -1, false, "writing %p%"},
            {"bar_reading", -1, -1, false, "reading back %p%"},
            {"log_hint", -1, -1, false, "velmora-fw-upgrade -l"},
            {"app_name", 480, 387, false, ""},
            {"sim_mode", 480, 407, false, "Simulator mode"},
            {"debug_mode", 480, 427, false, "Debug mode"},
        };
        QCOMPARE(embedded.labels.size(), std::size(rows));
        for (size_t i = 0; i < std::size(rows); ++i) {
            const Settings::LabelData& label = embedded.labels[i];
            QCOMPARE(label.id, QString(rows[i].id));
            QCOMPARE(label.x, rows[i].x);
            QCOMPARE(label.y, rows[i].y);
            QCOMPARE(label.create, rows[i].create);
            QVERIFY2(label.text.contains(rows[i].words), rows[i].id);
            QCOMPARE(label.size, -1);
            QVERIFY(label.font.isEmpty());
            QVERIFY(label.white);
        }
        QVERIFY(embedded.text("2").contains("<span style=\"color:#FFFFFF; font-weight:bold;\">Firmware upgrade</span>"));
        QVERIFY(embedded.text("2").contains("<span style=\"font-weight:bold\">%1</span>"));
        QVERIFY(embedded.text("2").contains("\n<br>\n"));
        QVERIFY(embedded.text("4").startsWith("<span style=\"font-size:20pt\">"));
        for (const char* status : {"status_noDev", "status_devConn", "status_devRev", "status_devRevUnknown",
                                   "status_finishing", "status_stopped", "status_noWorkDir", "status_noExtract",
                                   "status_toolBroken", "status_written", "status_downloadFailed",
                                   "status_verifyFailed", "status_otherProduct", "status_unidentified",
                                   "status_severalUnits", "status_noPermission", "status_readFailed",
                                   "status_notAnswering"})
            QVERIFY(embedded.text(status).startsWith("<span style=\"color:#000000; font-size:9pt\">"));
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
