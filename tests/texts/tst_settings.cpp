#include "texts/language.h"
#include "texts/settings.h"
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

    // The records as read from a settings file (UTF-8, up to a NUL), in their text form: what is
    // missing or not of the right type gives the default (x 0 kept, not taken for a missing one).
    // A file that cannot be read throws.
    void conversions()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("settings_GUI.json");
        // Past the NUL, "{" would break the JSON if it were read.
        const char json[] = "{\"circles\":[{\"name\":\"n\",\"center\":{\"x\":3},\"color\":\"red\"}],\"labels\":[{},"
                            "{\"id\":\"e\",\"position\":{\"x\":0},\"size\":14,\"font\":\"Mono\",\"text\":\"caf\u00e9\","
                            "\"create\":false,\"white\":false},"
                            "{\"id\":7,\"position\":[1,2],\"size\":\"big\",\"white\":false}]}\0{";
        testsupport::write_file(path, QByteArray(json, sizeof json - 1));
        const Settings::GUI gui = Settings::make_GUI(path);
        QCOMPARE(QString(gui), "GUI settings:\n\tCircle 'n': (3,0), r=0, w=0, color=#ffff0000\n"
                               "\tLabel '': (-1,-1) {} font='':-1: ''\n"
                               "\tLabel 'e': (0,-1) {not-white no-create} font='Mono':14: 'caf\u00e9'\n"
                               "\tLabel '': (-1,-1) {not-white} font='':0: ''\n");
        // A text asked for by an id the file lacks is empty, with a warning.
        LogCapture log;
        QCOMPARE(gui.text("status_noDev") + gui.display_text("status_noDev"), QString());
        const QString warning = "No matching label with id \"status_noDev\" found";
        QCOMPARE(log.texts(), QStringList({warning, warning}));
        QCOMPARE(log.entries().first().type, QtWarningMsg);
        QVERIFY_EXCEPTION_THROWN(Settings::make_GUI(folder.filePath("missing.json")), QString);
    }

    // Whatever the locale variables say, one language for the whole window.
    void the_language_comes_from_the_environment_data()
    {
        QTest::addColumn<QStringList>("variables"); // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        QTest::addColumn<QString>("chosen");
        QTest::newRow("simplified Chinese") << QStringList{"", "", "", "zh_CN.UTF-8"} << "zh_CN";
        QTest::newRow("Chinese of Singapore: simplified") << QStringList{"", "", "", "zh_SG.UTF-8"} << "zh_CN";
        QTest::newRow("traditional Chinese") << QStringList{"", "", "", "zh_TW.UTF-8"} << "en";
        QTest::newRow("LANGUAGE under C.UTF-8") << QStringList{"de", "", "", "C.UTF-8"} << "en";
        QTest::newRow("LC_ALL first") << QStringList{"", "es_ES.UTF-8", "it_IT", "de_DE"} << "es";
        QTest::newRow("LANGUAGE, first unknown") << QStringList{"xx:it", "", "", "en_US.UTF-8"} << "it";
        QTest::newRow("LANGUAGE, English first") << QStringList{"en_GB:de", "", "", "de_DE.UTF-8"} << "en";
        QTest::newRow("LANGUAGE under C") << QStringList{"de", "C", "", ""} << "en";
        QTest::newRow("LANGUAGE under POSIX") << QStringList{"fr", "", "POSIX", "de_DE"} << "en";
    }

    void the_language_comes_from_the_environment()
    {
        QFETCH(QStringList, variables);
        QFETCH(QString, chosen);
        QProcessEnvironment environment;
        const char* names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
        for (int i = 0; i < 4; ++i)
            environment.insert(names[i], variables[i]);
        QCOMPARE(language::choose(environment), chosen);
    }

    // The window's texts in its language, filled with the same values; the log's in English.
    void texts_in_the_window_language_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("shown");
        const QString span = "<span style=\"color:#000000; font-size:9pt\">%1</span>";
        QTest::newRow("revision") << "de" << span.arg("Connected to an R12 with firmware version C7")
                                  << span.arg("Blitzgerät R12 angeschlossen, Firmware-Version C7");
        QTest::newRow("two product names, joined in the language")
            << "de" << span.arg("Connected to an N20 or N20S.") << span.arg("Blitzgerät N20 oder N20S angeschlossen.");
        QTest::newRow("bar caption") << "zh_CN" << "Upgrading firmware: writing %p%" << "升级中：写入 %p%";
        QTest::newRow("no text of the file") << "it" << "Anything else" << "Anything else";
    }

    void texts_in_the_window_language()
    {
        QFETCH(QString, language);
        QFETCH(QString, english);
        QFETCH(QString, shown);
        QVERIFY(language::install(language));
        QCOMPARE(embedded.localize(english), shown);
        QCOMPARE(embedded.text("8b2"), QString("4. Click here to start upgrade"));
        QVERIFY(embedded.display_text("8b2") != embedded.text("8b2"));
        QVERIFY(language::install("en"));
    }

    // Every text of the program and of the settings file has a finished translation in every
    // language, with the same placeholders: checked against the files as the update command
    // makes them, so that a text added without its translations fails here.
    void every_text_has_a_finished_translation()
    {
        QTemporaryDir copy;
        const auto file_of = [](const QString& folder, const QString& code) { return folder + "/velmora_" + code + ".ts"; };
        for (const QString& code : language::available())
            QVERIFY(QFile::copy(file_of(SOURCE_DIR "/software/resources/translations", code), file_of(copy.path(), code)));
        QProcess update;
        update.start(QString(SOURCE_DIR) + "/tools/update-translations.sh", {copy.path()});
        QVERIFY(update.waitForFinished(120000));
        QVERIFY2(update.exitCode() == 0, update.readAllStandardError().constData());

        static const QRegularExpression placeholder("%(\\d|p%)");
        const auto placeholders = [](const QString& text) {
            QStringList found;
            for (auto it = placeholder.globalMatch(text); it.hasNext();)
                found << it.next().captured();
            found.sort();
            return found;
        };
        QStringList lacking;
        for (const QString& code : language::available()) {
            QFile file(file_of(copy.path(), code));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QXmlStreamReader xml(&file);
            QString source;
            int messages = 0;
            while (!xml.atEnd()) {
                if (xml.readNext() != QXmlStreamReader::StartElement)
                    continue;
                if (xml.name() == QLatin1String("source"))
                    source = xml.readElementText();
                if (xml.name() != QLatin1String("translation"))
                    continue;
                ++messages;
                const bool unfinished = !xml.attributes().value("type").isEmpty();
                const QString translation = xml.readElementText();
                if (unfinished || translation.trimmed().isEmpty() || placeholders(translation) != placeholders(source))
                    lacking << code + ": " + source.left(60);
            }
            QVERIFY(!xml.hasError() && messages > 50);
        }
        QVERIFY2(lacking.isEmpty(), qPrintable(lacking.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
