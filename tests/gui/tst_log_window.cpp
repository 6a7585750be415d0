#include "app/globals.h"
#include "gui/log_window.h"
#include "test_support.h"

#include <QDir>
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
#include <cstdio>
#include <sys/resource.h>
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
