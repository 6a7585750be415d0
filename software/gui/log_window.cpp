#include "gui/log_window.h"

#include "app/globals.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTextStream>
#include <QThread>
#include <QVBoxLayout>

#include <cstdio>
#include <cstdlib>

LogRecord make_LogRecord(QtMsgType type, const QMessageLogContext& context, const QString& msg)
{
    LogRecord record;
    record.type = type;
    record.message = msg;
    record.has_file = context.file != nullptr;
    record.has_function = context.function != nullptr;
    record.file = context.file;
    record.function = context.function;
    record.line = context.line;
    return record;
}

LogWindowDialog::LogWindowDialog(QWidget* parent)
    : QDialog(parent)
    , textEdit(new QTextBrowser(this))
    , clearButton(new QPushButton("clear", this))
    , saveButton(new QPushButton("save output", this))
    , hideButton(new QPushButton("hide log", this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textEdit);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch(10);
    buttons->addWidget(clearButton);
    buttons->addWidget(saveButton);
    buttons->addWidget(hideButton);
    layout->addLayout(buttons);
    connect(clearButton, &QPushButton::clicked, textEdit, &QTextBrowser::clear);
    connect(saveButton, &QPushButton::clicked, this, &LogWindowDialog::save);
    connect(hideButton, &QPushButton::clicked, this, &QDialog::hide);
    resize(600, 400);
}

void LogWindowDialog::outputMessage(QtMsgType type, const QMessageLogContext& context, const QString& msg)
{
    outputRecord(make_LogRecord(type, context, msg));
}

void LogWindowDialog::outputRecord(const LogRecord& record)
{
    const QByteArray local = record.message.toLocal8Bit();
    // The program's own messages carry no file or function; printed the way the C library prints them.
    const char* file = record.has_file ? record.file.constData() : "(null)";
    const char* function = record.has_function ? record.function.constData() : "(null)";
    const unsigned line = static_cast<unsigned>(record.line);
    switch (record.type) {
    case QtDebugMsg:
        textEdit->append(tr("Debug: %1").arg(record.message));
        std::fprintf(stderr, "Debug: %s (%s:%u, %s)\n", local.constData(), file, line, function);
        break;
    case QtInfoMsg:
        textEdit->append(tr("%1").arg(record.message));
        std::fprintf(stderr, "Info: %s (%s:%u, %s)\n", local.constData(), file, line, function);
        break;
    case QtWarningMsg:
        textEdit->append(tr("Warning: %1").arg(record.message));
        std::fprintf(stderr, "Warning: %s (%s:%u, %s)\n", local.constData(), file, line, function);
        break;
    case QtCriticalMsg:
        textEdit->append(tr("CRITICAL: %1").arg(record.message));
        std::fprintf(stderr, "Critical: %s (%s:%u, %s)\n", local.constData(), file, line, function);
        break;
    case QtFatalMsg:
        textEdit->append(tr("FATAL: %1").arg(record.message));
        std::fprintf(stderr, "Fatal: %s (%s:%u, %s)\n", local.constData(), file, line, function);
        std::abort();
    }
}

void LogWindowDialog::keyPressEvent(QKeyEvent* event)
{
    // Escape must not close the log and Return must not press a button.
    event->ignore();
}

void LogWindowDialog::closeEvent(QCloseEvent* event)
{
    event->accept();
}

void LogWindowDialog::save()
{
    const QString name = QFileDialog::getSaveFileName(this, tr("Save Log Output"),
                                                      tr("%1/logfile.txt").arg(QDir::homePath()),
                                                      tr("Text Files (*.txt);;All Files (*)"));
    if (name.isEmpty())
        return;
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        QMessageBox::warning(this, tr("Error"),
                             tr("<nobr>File '%1'<br/>cannot be opened for writing.<br/><br/>"
                                "The log output could <b>not</b> be saved!</nobr>")
                                 .arg(name),
                             QMessageBox::Ok);
        return;
    }
    QTextStream out(&file);
    out << textEdit->toPlainText();
    file.close();
}

LogWindow::LogWindow(QObject* parent)
    : QObject(parent)
    , dialog(new LogWindowDialog(nullptr))
{
    connect(this, &LogWindow::sendMessage, dialog, &LogWindowDialog::outputMessage, Qt::DirectConnection);
}

LogWindow::~LogWindow()
{
    delete dialog;
}

void LogWindow::outputMessage(QtMsgType type, const QMessageLogContext& context, const QString& msg)
{
    if (QThread::currentThread() == dialog->thread()) {
        emit sendMessage(type, context, msg);
        return;
    }
    // The context is only valid during this call: copy what the dialog needs and queue it.
    const LogRecord record = make_LogRecord(type, context, msg);
    if (type == QtFatalMsg) {
        // A queued call would never run: the process ends here, and widgets belong to the GUI thread.
        std::fprintf(stderr, "Fatal: %s (%s:%u, %s)\n", msg.toLocal8Bit().constData(),
                     context.file ? context.file : "(null)", static_cast<unsigned>(context.line),
                     context.function ? context.function : "(null)");
        std::abort();
    }
    QPointer<LogWindowDialog> target = dialog;
    QMetaObject::invokeMethod(dialog, [target, record] {
        if (target)
            target->outputRecord(record);
    }, Qt::QueuedConnection);
}

void LogWindow::toggle_visibility(QMainWindow* mainWindow)
{
    if (dialog->isVisible()) {
        dialog->hide();
        return;
    }
    dialog->show();
    if (mainWindow) {
        const QRect main = mainWindow->geometry();
        dialog->setGeometry(main.right(), main.top(), dialog->width(), dialog->height());
    }
}

void logWindowMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg)
{
    if (logWindow)
        logWindow->outputMessage(type, context, msg);
}
