#include "texts/language.h"
#include "gui/log_window.h"
#include "test_support.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTextBlock>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// What the dialog echoes to standard error, caught in a file until text() is asked.
class StderrCapture {
public:
    StderrCapture()
    {
        QVERIFY(file.open());
        std::fflush(stderr);
        dup2(file.handle(), 2);
    }
    ~StderrCapture() { text(); }
    QString text()
    {
        std::fflush(stderr);
        dup2(saved, 2);
        return testsupport::read_file(file.fileName());
    }

private:
    QTemporaryFile file;
    const int saved = dup(2);
};

namespace {
QPointer<LogWindow> logWindow;
Settings::Settings settings;
} // namespace

class TestLogWindow final : public QObject {
    Q_OBJECT

    // Opens a window without the offscreen platform's own warning about it in the log.
    static void quietly(const std::function<void()>& opening)
    {
        const QtMessageHandler handler = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        opening();
        qInstallMessageHandler(handler);
    }

    static void open() { quietly([] { logWindow->dialog->show(); }); }

    // The log's text as the opened window has it, without the time stamp that begins every
    // line (which it checks).
    static QString unstamped()
    {
        open();
        static const QRegularExpression stamp("^\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\] ", QRegularExpression::MultilineOption);
        QString text = logWindow->dialog->textEdit->toPlainText();
        return text.count(stamp) == text.count('\n') + 1 ? text.remove(stamp) : "unstamped lines in [" + text + "]";
    }

    // A folder that takes no new file; root is kept out by the immutable flag.
    static void set_read_only(const QString& path, bool on)
    {
        if (!on && ::geteuid() == 0)
            QProcess::execute("chattr", {"-i", path});
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | (on ? QFile::Permissions() : QFile::WriteOwner));
        if (on && ::geteuid() == 0)
            QProcess::execute("chattr", {"+i", path});
    }

private slots:
    void initTestCase()
    {
        settings = testsupport::window_settings();
    }

    void init()
    {
        logWindow = new LogWindow(nullptr);
        logWindow->dialog->texts = &settings.gui;
        logWindow->receive_messages();
    }

    void cleanup()
    {
        delete logWindow.data();
        qInfo() << "a message after the window is gone, as at the program's end, goes nowhere";
        qInstallMessageHandler(nullptr);
    }

    // Every line stamped, and plain text: markup from a unit or from dfu-util is shown as
    // printed; on the console as well, of whatever kind, and at once: a line from a worker's
    // thread is printed before the window's thread takes it (it would be lost at an end then).
    void what_the_view_shows_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("worker"); // said on a thread of its own
        QTest::newRow("markup, two lines") << int(QtCriticalMsg) << "a<b>c</b> &amp;\ntwo lines" << false;
        QTest::newRow("from a worker") << int(QtDebugMsg) << "from the worker" << true;
    }

    void what_the_view_shows()
    {
        QFETCH(int, type);
        QFETCH(QString, message);
        QFETCH(bool, worker);
        open();
        StderrCapture err;
        const auto say = [&] {
            logWindowMessageHandler(QtMsgType(type), QMessageLogContext("file.cpp", 42, "void f()", "default"), message);
        };
        const std::unique_ptr<QThread> thread(QThread::create(say));
        if (worker)
            thread->start();
        else
            say();
        QVERIFY(thread->wait(10000)); // at once where it never started
        QVERIFY(err.text().contains(message));
        QCOMPARE(logWindow->dialog->textEdit->toPlainText().isEmpty(), worker);
        QTRY_VERIFY2(unstamped().endsWith(message) && unstamped().count('\n') == message.count('\n'),
                     qPrintable(unstamped()));
    }

    // Beside the main window where the screen has room, else over it; never off the screen.
    // Escape and Return leave it open.
    void toggling_places_the_dialog_data()
    {
        QTest::addColumn<QRect>("main"); // from the screen's top left
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QTest::newRow("beside") << QRect(10, 20, screen.width() - 620, 300);
        QTest::newRow("no room beside: over it") << QRect(screen.width() - 665, 20, 665, 300);
        QTest::newRow("low: raised") << QRect(10, screen.height() - 300, 100, 280);
    }

    void toggling_places_the_dialog()
    {
        QFETCH(QRect, main);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QMainWindow window;
        window.setGeometry(main.translated(screen.topLeft()));
        window.show();
        logWindow->toggle_visibility(&window);
        const QRect placed = logWindow->dialog->geometry();
        QVERIFY(screen.contains(placed));
        const bool room_beside = window.geometry().right() + placed.width() <= screen.right() + 1;
        QCOMPARE(placed.intersected(window.geometry()).width() > 1, !room_beside); // its frame's column aside
        QTest::keyClick(logWindow->dialog, Qt::Key_Escape);
        QTest::keyClick(logWindow->dialog, Qt::Key_Return);
        QVERIFY(logWindow->dialog->isVisible());
        logWindow->toggle_visibility(&window);
        QVERIFY(!logWindow->dialog->isVisible());
    }

    // A long day: the window keeps the latest lines, with no undo history of them; a save
    // still writes every line, also of the pieces kept compressed, until Clear empties both.
    // The hidden window's view is left alone (each line put into it would be an event for
    // screen readers, a flood during an upgrade), and it shows the latest lines once opened.
    void the_window_keeps_the_latest_lines_and_a_save_the_whole_log()
    {
        const int lines = LogWindowDialog::shown_lines + 500;
        {
            StderrCapture err;
            for (int i = 0; i < lines; ++i)
                qInfo().noquote() << "line" << i;
        }
        QTextDocument* shown = logWindow->dialog->textEdit->document();
        QVERIFY(shown->isEmpty());
        open();
        QCOMPARE(shown->blockCount(), LogWindowDialog::shown_lines);
        QVERIFY(!shown->isUndoRedoEnabled());
        QVERIFY(shown->firstBlock().text().endsWith("] line 500"));
        QVERIFY(shown->lastBlock().text().endsWith(QString("] line %1").arg(lines - 1)));
        // Saved the Save button's way: a name typed into its dialog, once the dialog is up (on a
        // busy machine that may take longer than any fixed wait).
        QTemporaryDir dir;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (auto* refusal = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                refusal->reject(); // not saved after all: the check of the file tells
            if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                // Typed as a user would: selectFile() leaves the proposed name in a save dialog.
                files->setDirectory(dir.path());
                files->findChild<QLineEdit*>("fileNameEdit")->setText("saved log.txt");
                static_cast<QDialog*>(files)->accept();
            }
        });
        answer.start(50);
        quietly([] { QTest::mouseClick(logWindow->dialog->saveButton, Qt::LeftButton); });
        const QList<QByteArray> saved = testsupport::read_file(dir.filePath("saved log.txt")).split('\n');
        // Every line, in order, across the pieces the log is kept in.
        QCOMPARE(saved.size(), lines);
        for (int i = 0; i < lines; ++i)
            QVERIFY2(saved[i].endsWith(QString("] line %1").arg(i).toUtf8()), saved[i].constData());
        QTest::mouseClick(logWindow->dialog->clearButton, Qt::LeftButton);
        QVERIFY(shown->isEmpty() && logWindow->dialog->whole_log().isEmpty());
        QTest::mouseClick(logWindow->dialog->hideButton, Qt::LeftButton);
        QVERIFY(!logWindow->dialog->isVisible());
    }

    // Saved in place of a plain file only: atomically where the folder takes a new file, else
    // written in place; never over a device, a folder or a FIFO; never a cut or empty file
    // that looks like a saved log. A refusal is a box in the window's language, and the log
    // says in English what it showed.
    void where_a_log_is_saved_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("shown"); // the text the user is shown; log_saved: saved
        QTest::newRow("a writable file in a read-only folder") << "in read-only folder" << "log_saved";
        QTest::newRow("a new file on a full disk") << "new on a full disk" << "log_cannotWrite";
        QTest::newRow("a FIFO, the window in German") << "fifo de" << "log_notPlainFile";
    }

    void where_a_log_is_saved()
    {
        QFETCH(QString, kind);
        QFETCH(QString, shown);
        const bool saved = shown == "log_saved";
        QTemporaryDir dir;
        const QString name = dir.filePath("log.txt");
        const bool read_only = kind == "in read-only folder";
        if (read_only) {
            testsupport::write_file(name, "an older log, replaced");
            set_read_only(dir.path(), true);
        } else if (kind.startsWith("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(name).constData(), 0600), 0);
        }
        const auto restore = qScopeGuard([&] {
            if (read_only)
                set_read_only(dir.path(), false);
            language::install("en");
        });
        if (read_only && QFile(dir.filePath("probe")).open(QIODevice::WriteOnly))
            QSKIP("no folder here refuses a new file");
        struct stat before, after;
        QCOMPARE(::stat(QFile::encodeName(name).constData(), &before) == 0, !kind.startsWith("new"));
        qInfo() << QString(4000, 'x');
        qWarning() << "second";
        QString box;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                box = message->text();
                message->accept();
            }
        });
        closer.start(50);
        // A full disk, as the writing sees it: no file may grow past 100 bytes.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{100, RLIM_INFINITY}, unlimited{RLIM_INFINITY, RLIM_INFINITY};
        if (kind.endsWith("full disk"))
            setrlimit(RLIMIT_FSIZE, &small);
        if (kind.endsWith(" de"))
            QVERIFY(language::install("de"));
        const bool result = logWindow->dialog->save_to(name);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        QCOMPARE(result, saved);
        QCOMPARE(box, saved ? QString() : settings.gui.display_text(shown).arg(name));
        QCOMPARE(logWindow->dialog->savedLabel->text().contains(name), saved); // said beside the buttons
        const QString told = "Shown: " + plain_text(settings.gui.text(shown).arg(name));
        QVERIFY2(logWindow->dialog->whole_log().contains(told.toUtf8()), qPrintable(told));
        if (saved) {
            QVERIFY(QRegularExpression("^\\[[0-9:.]{12}\\] \"x{4000}\"\n\\[[0-9:.]{12}\\] Warning: second$")
                        .match(testsupport::read_file(name))
                        .hasMatch());
        } else if (kind.startsWith("new ")) { // nothing replaced: nothing, or the same thing, where the name points
            QVERIFY(!QFileInfo::exists(name));
        } else {
            QCOMPARE(::stat(QFile::encodeName(name).constData(), &after), 0);
            QVERIFY(after.st_ino == before.st_ino && after.st_mode == before.st_mode);
        }
    }
};

QTEST_MAIN(TestLogWindow)
#include "tst_log_window.moc"
