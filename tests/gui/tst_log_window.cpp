#include "app/globals.h"
#include "gui/log_window.h"
#include "test_support.h"

#include <QDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <memory>
#include <cstdio>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// What the dialog echoes to standard error, caught in a file while it lives.
class StderrCapture {
public:
    StderrCapture()
    {
        std::fflush(stderr);
        saved = dup(2);
        std::FILE* f = std::fopen(qPrintable(dir.filePath("stderr")), "w");
        dup2(fileno(f), 2);
        std::fclose(f);
    }
    ~StderrCapture() { restore(); }
    QString text()
    {
        restore();
        return testsupport::read_file(dir.filePath("stderr"));
    }

private:
    void restore()
    {
        if (saved < 0)
            return;
        std::fflush(stderr);
        dup2(saved, 2);
        close(saved);
        saved = -1;
    }
    QTemporaryDir dir;
    int saved = -1;
};

// A folder that takes no new file while it lives; root is kept out by the immutable flag.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path)
        : path(path)
    {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        if (::geteuid() == 0)
            set_immutable(true);
    }
    ~ReadOnlyFolder()
    {
        if (::geteuid() == 0)
            set_immutable(false);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool takes_new_files() const
    {
        QFile probe(path + "/probe");
        if (!probe.open(QIODevice::WriteOnly))
            return false;
        probe.remove();
        return true;
    }

private:
    void set_immutable(bool on)
    {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        if (fd >= 0)
            ::close(fd);
    }
    QString path;
};

class TestLogWindow final : public QObject {
    Q_OBJECT

    // The log's text without the time stamp that begins every line (which it checks).
    static QString unstamped()
    {
        QStringList lines = logWindow->dialog->textEdit->toPlainText().split('\n');
        static const QRegularExpression stamp("^\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\] ");
        for (QString& line : lines) {
            if (!line.contains(stamp))
                return "unstamped line: " + line;
            line.remove(stamp);
        }
        return lines.join('\n');
    }

    QString last_paragraph() const
    {
        return unstamped().split('\n').last();
    }

private slots:
    void init()
    {
        logWindow = new LogWindow(nullptr);
        qInstallMessageHandler(logWindowMessageHandler);
    }

    void cleanup()
    {
        qInstallMessageHandler(nullptr);
        delete logWindow.data();
    }

    void the_dialog()
    {
        LogWindowDialog* dialog = logWindow->dialog;
        QCOMPARE(dialog->size(), QSize(600, 400));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->clearButton->text(), QString("clear"));
        QCOMPARE(dialog->saveButton->text(), QString("save output"));
        QCOMPARE(dialog->hideButton->text(), QString("hide log"));
        QCOMPARE(dialog->windowTitle(), QString::fromUtf8("Velmora Firmware Upgrade Tool \u2013 Log"));
        // The buttons sit at the right, in this order.
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QVERIFY(dialog->clearButton->x() > dialog->width() / 3);
        QVERIFY(dialog->clearButton->x() < dialog->saveButton->x());
        QVERIFY(dialog->saveButton->x() < dialog->hideButton->x());
        dialog->hide();
    }

    void the_five_forms_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("appended");
        QTest::addColumn<QString>("console");
        QTest::newRow("debug") << int(QtDebugMsg) << "Debug: hello" << "Debug: hello ((null):0, (null))\n";
        QTest::newRow("info") << int(QtInfoMsg) << "hello" << "Info: hello ((null):0, (null))\n";
        QTest::newRow("warning") << int(QtWarningMsg) << "Warning: hello" << "Warning: hello ((null):0, (null))\n";
        QTest::newRow("critical") << int(QtCriticalMsg) << "CRITICAL: hello" << "Critical: hello ((null):0, (null))\n";
    }

    void the_five_forms()
    {
        QFETCH(int, type);
        QFETCH(QString, appended);
        QFETCH(QString, console);
        StderrCapture err;
        const QMessageLogContext no_context;
        logWindowMessageHandler(static_cast<QtMsgType>(type), no_context, "hello");
        QCOMPARE(unstamped(), appended);
        QCOMPARE(err.text(), console);
    }

    void a_context_is_printed_when_there_is_one()
    {
        StderrCapture err;
        const QMessageLogContext context("file.cpp", 42, "void f()", "default");
        logWindow->outputMessage(QtInfoMsg, context, "with context");
        QCOMPARE(err.text(), QString("Info: with context (file.cpp:42, void f())\n"));
    }

    void messages_of_the_program_reach_the_dialog()
    {
        qInfo() << "Start " << QString("x");
        qDebug() << "a trace";
        QCOMPARE(unstamped(), QString("Start  \"x\"\nDebug: a trace"));
    }

    // Markup from a unit or from dfu-util is shown and saved as it was printed.
    void messages_are_plain_text()
    {
        qInfo().noquote() << "a<b>c</b> &amp;";
        qInfo().noquote() << "two\nlines";
        QCOMPARE(unstamped(), QString("a<b>c</b> &amp;\ntwo\nlines"));
    }

    void messages_from_another_thread_are_queued_to_the_dialog()
    {
        StderrCapture err;
        QThread* thread = QThread::create([] {
            for (int i = 0; i < 50; ++i)
                qInfo() << "from the worker" << i;
        });
        thread->start();
        QVERIFY(thread->wait(10000));
        delete thread;
        // On the console at once, before the GUI thread has taken a single one of them.
        QCOMPARE(err.text().count("Info: from the worker"), 50);
        QVERIFY(logWindow->dialog->textEdit->toPlainText().isEmpty());
        QTRY_COMPARE(logWindow->dialog->textEdit->toPlainText().split('\n').size(), 50);
        QCOMPARE(last_paragraph(), QString("from the worker 49"));
    }

    void no_log_window_drops_messages()
    {
        delete logWindow.data();
        QVERIFY(logWindow.isNull());
        StderrCapture err;
        qInfo() << "lost";
        QVERIFY(err.text().isEmpty());
        logWindow = new LogWindow(nullptr);
    }

    void escape_does_not_close_the_dialog()
    {
        logWindow->toggle_visibility(nullptr);
        QVERIFY(logWindow->dialog->isVisible());
        QTest::keyClick(logWindow->dialog, Qt::Key_Escape);
        QTest::keyClick(logWindow->dialog, Qt::Key_Return);
        QVERIFY(logWindow->dialog->isVisible());
        for (QPushButton* button : logWindow->dialog->findChildren<QPushButton*>())
            QVERIFY2(!button->autoDefault() && !button->isDefault(), qPrintable(button->text()));
        QTest::mouseClick(logWindow->dialog->hideButton, Qt::LeftButton);
        QVERIFY(!logWindow->dialog->isVisible());
    }

    void toggling_places_the_dialog_beside_the_main_window()
    {
        // Beside it where the screen has room, else over it; whole on the screen either way.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QMainWindow main;
        main.setGeometry(screen.left() + 10, screen.top() + 20, screen.width() - 620, 300);
        main.show();
        logWindow->toggle_visibility(&main);
        QCOMPARE(logWindow->dialog->geometry().topLeft(), QPoint(main.geometry().right(), main.geometry().top()));
        logWindow->toggle_visibility(&main);
        main.setGeometry(screen.left() + 100, screen.top() + 120, 665, 517);
        logWindow->toggle_visibility(&main);
        QVERIFY(logWindow->dialog->isVisible());
        QVERIFY(screen.contains(logWindow->dialog->geometry()));
        QVERIFY(logWindow->dialog->geometry().intersects(main.geometry()));
        QCOMPARE(logWindow->dialog->size(), QSize(600, 400));
        logWindow->toggle_visibility(&main);
        QVERIFY(!logWindow->dialog->isVisible());
        logWindow->dialog->close();
        QVERIFY(!logWindow->dialog->isVisible());
    }

    void clear_empties_the_log()
    {
        qInfo() << "something";
        QTest::mouseClick(logWindow->dialog->clearButton, Qt::LeftButton);
        QVERIFY(logWindow->dialog->textEdit->toPlainText().isEmpty());
        QVERIFY(logWindow->dialog->whole_log().isEmpty());
    }

    // A long day: the window keeps the latest lines, with no undo history of them; a save
    // still writes every line.
    void the_window_keeps_the_latest_lines_and_a_save_the_whole_log()
    {
        const int lines = LogWindowDialog::shown_lines + 500;
        {
            StderrCapture err;
            for (int i = 0; i < lines; ++i)
                qInfo().noquote() << "line" << i;
        }
        QTextDocument* shown = logWindow->dialog->textEdit->document();
        QCOMPARE(shown->blockCount(), LogWindowDialog::shown_lines);
        QVERIFY(!shown->isUndoRedoEnabled());
        QVERIFY(shown->firstBlock().text().endsWith("] line 500"));
        QVERIFY(shown->lastBlock().text().endsWith(QString("] line %1").arg(lines - 1)));
        QTemporaryDir dir;
        QVERIFY(logWindow->dialog->save_to(dir.filePath("log.txt")));
        const QList<QByteArray> saved = testsupport::read_file(dir.filePath("log.txt")).split('\n');
        QCOMPARE(saved.size(), lines);
        QVERIFY(saved.first().endsWith("] line 0"));
        QVERIFY(saved.last().endsWith(QString("] line %1").arg(lines - 1).toUtf8()));
    }

    // Saved in place of a plain file only: atomically where the folder takes a new file, else
    // written in place; never over a device, a folder or a FIFO.
    void where_a_log_is_saved_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("shown");
        const QString not_plain = "Shown: '%1' is not a plain file. The log output was not saved, and nothing was replaced.";
        QTest::newRow("a new file") << "new" << true << QString();
        QTest::newRow("an older file") << "older" << true << QString();
        QTest::newRow("a writable file in a read-only folder") << "in read-only folder" << true << QString();
        QTest::newRow("a new file in a read-only folder")
            << "new in read-only folder" << false
            << "Shown: File '%1' cannot be opened for writing. The log output could not be saved!";
        QTest::newRow("a device") << "device" << false << not_plain;
        QTest::newRow("a folder") << "folder" << false << not_plain;
        QTest::newRow("a FIFO") << "fifo" << false << not_plain;
    }

    void where_a_log_is_saved()
    {
        QFETCH(QString, kind);
        QFETCH(bool, saved);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        QString name = dir.filePath("log.txt");
        if (kind == "older" || kind == "in read-only folder")
            testsupport::write_file(name, "an older log, replaced");
        else if (kind == "device" && ::mknod(QFile::encodeName(name).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            QSKIP("making a device node needs root"); // never a real one: a fault would replace it
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(name));
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(name).constData(), 0600), 0);
        std::unique_ptr<ReadOnlyFolder> read_only;
        if (kind.endsWith("read-only folder")) {
            read_only = std::make_unique<ReadOnlyFolder>(dir.path());
            if (read_only->takes_new_files())
                QSKIP("no folder here refuses a new file");
        }
        struct stat before;
        QCOMPARE(::stat(QFile::encodeName(name).constData(), &before) == 0, kind != "new" && !kind.startsWith("new "));
        qInfo() << "first line";
        qWarning() << "second";
        QString box;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                box = message->windowTitle() + "|" + message->text();
                message->accept();
            }
        });
        closer.start(50);
        QCOMPARE(logWindow->dialog->save_to(name), saved);
        closer.stop();
        if (saved) {
            QVERIFY(box.isEmpty());
            QVERIFY(QRegularExpression("^\\[[0-9:.]{12}\\] first line\n\\[[0-9:.]{12}\\] Warning: second$")
                        .match(testsupport::read_file(name))
                        .hasMatch());
            return;
        }
        QVERIFY2(box.startsWith("Error|"), qPrintable(box));
        QVERIFY2(logWindow->dialog->whole_log().contains(shown.arg(name).toUtf8()),
                 logWindow->dialog->whole_log().constData());
        // Nothing replaced: the same thing of the same kind, or nothing, where the name points.
        struct stat after;
        if (kind.startsWith("new ")) {
            QVERIFY(!QFileInfo::exists(name));
        } else {
            QCOMPARE(::stat(QFile::encodeName(name).constData(), &after), 0);
            QCOMPARE(after.st_ino, before.st_ino);
            QCOMPARE(after.st_mode, before.st_mode);
        }
    }

    void save_writes_the_text()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("saved log.txt");
        testsupport::write_file(path, "an older file, replaced");
        qInfo() << "first line";
        qWarning() << "second";
        QString filter;
        QTimer::singleShot(200, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            filter = dialog->nameFilters().join(";;");
            // Typed as a user would: selectFile() leaves the proposed name in a save dialog.
            dialog->setDirectory(dir.path());
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText("saved log.txt");
            // The older file is to be replaced: yes to the question that follows.
            QTimer::singleShot(300, [] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                    box->button(QMessageBox::Yes)->click();
            });
            static_cast<QDialog*>(dialog)->accept();
        });
        QMetaObject::invokeMethod(logWindow->dialog, "save");
        QCOMPARE(filter, QString("Text Files (*.txt);;All Files (*)"));
        // The platform may add its own warnings about the file dialog after these.
        const QString saved = testsupport::read_file(path);
        QVERIFY2(QRegularExpression("^\\[[0-9:.]{12}\\] first line\n\\[[0-9:.]{12}\\] Warning: second").match(saved).hasMatch(),
                 qPrintable(saved));
    }

    void save_to_a_place_that_cannot_be_written_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("disk_full");
        QTest::newRow("cannot be created") << "/proc" << false;
        QTest::newRow("disk full") << QString() << true;
    }

    void save_to_a_place_that_cannot_be_written()
    {
        QFETCH(QString, folder);
        QFETCH(bool, disk_full);
        QTemporaryDir dir;
        if (folder.isEmpty())
            folder = dir.path();
        qInfo() << QString(4000, 'x');
        QString message;
        QTimer::singleShot(200, [folder, disk_full] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog) {
                dialog->setDirectory(folder);
                dialog->findChild<QLineEdit*>("fileNameEdit")->setText("velmora-log.txt");
                // A full disk, as the writing sees it: no file may grow past 100 bytes.
                if (disk_full) {
                    std::signal(SIGXFSZ, SIG_IGN);
                    const rlimit small{100, RLIM_INFINITY};
                    setrlimit(RLIMIT_FSIZE, &small);
                }
                static_cast<QDialog*>(dialog)->accept();
            }
        });
        QTimer::singleShot(600, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box) {
                message = box->windowTitle() + "|" + box->text();
                box->accept();
            }
        });
        QMetaObject::invokeMethod(logWindow->dialog, "save");
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &unlimited);
        QCOMPARE(message, "Error|<nobr>File '" + folder + "/velmora-log.txt'<br/>cannot be opened for writing.<br/><br/>"
                          "The log output could <b>not</b> be saved!</nobr>");
        // Never a cut or empty file that looks like a saved log.
        QVERIFY(!QFile::exists(folder + "/velmora-log.txt"));
    }
};

QTEST_MAIN(TestLogWindow)
#include "tst_log_window.moc"
