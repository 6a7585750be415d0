#include "gui/log_window.h"

#include "machines/outcome_model.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QTextCursor>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

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
    record.time = QDateTime::currentDateTime();
    return record;
}

LogWindowDialog::LogWindowDialog(QWidget* parent)
    : QDialog(parent)
    , textEdit(new QTextBrowser(this))
    , clearButton(new QPushButton(tr("Clear"), this))
    , saveButton(new QPushButton(tr("Save Log…"), this))
    , hideButton(new QPushButton(tr("Hide Log"), this))
    , savedLabel(new QLabel(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textEdit);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    savedLabel->setTextFormat(Qt::PlainText);
    buttons->addWidget(savedLabel);
    buttons->addStretch(10);
    buttons->addWidget(clearButton);
    buttons->addWidget(saveButton);
    buttons->addWidget(hideButton);
    layout->addLayout(buttons);
    // Return presses none of them.
    for (QPushButton* button : {clearButton, saveButton, hideButton}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    // A long day's log must not grow the window's memory: its document keeps the latest lines
    // only, and no undo history of the appends.
    textEdit->document()->setUndoRedoEnabled(false);
    textEdit->document()->setMaximumBlockCount(shown_lines);
    connect(clearButton, &QPushButton::clicked, this, &LogWindowDialog::clear);
    connect(saveButton, &QPushButton::clicked, this, &LogWindowDialog::save);
    connect(hideButton, &QPushButton::clicked, this, &QDialog::hide);
    resize(600, 400);
    setWindowTitle(tr("Velmora Firmware Upgrade Tool – Log"));
    textEdit->setAccessibleName(tr("Log"));
    // Read line by line: each message is a paragraph of its own, which the text view's
    // accessible text interface hands out one at a time.
    textEdit->setAccessibleDescription(tr("The program's messages, one a line, the latest last"));
    // The dialog keeps its size in points: Qt scales its pixels with the screen (see main),
    // so it shows as many lines on a dense screen as on an ordinary one.
}

void LogWindowDialog::outputMessage(QtMsgType type, const QMessageLogContext& context, const QString& msg)
{
    outputRecord(make_LogRecord(type, context, msg));
}

namespace {

const char* console_format(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg: return "Debug: %s (%s:%u, %s)\n";
    case QtInfoMsg: return "Info: %s (%s:%u, %s)\n";
    case QtWarningMsg: return "Warning: %s (%s:%u, %s)\n";
    case QtCriticalMsg: return "Critical: %s (%s:%u, %s)\n";
    case QtFatalMsg: return "Fatal: %s (%s:%u, %s)\n";
    }
    return nullptr;
}

} // namespace

void print_LogRecord(const LogRecord& record)
{
    const char* format = console_format(record.type);
    if (!format)
        return;
    // The program's own messages carry no file or function; printed the way the C library prints them.
    std::fprintf(stderr, format, record.message.toLocal8Bit().constData(),
                 record.has_file ? record.file.constData() : "(null)", static_cast<unsigned>(record.line),
                 record.has_function ? record.function.constData() : "(null)");
    std::fflush(stderr);
}

void LogWindowDialog::outputRecord(const LogRecord& record)
{
    appendRecord(record);
    print_LogRecord(record);
    if (record.type == QtFatalMsg)
        std::abort();
}

void LogWindowDialog::appendRecord(const LogRecord& record)
{
    QString text;
    switch (record.type) {
    // In English whatever the window speaks: the log is for service.
    case QtDebugMsg: text = QString("Debug: %1").arg(record.message); break;
    case QtInfoMsg: text = record.message; break;
    case QtWarningMsg: text = QString("Warning: %1").arg(record.message); break;
    case QtCriticalMsg: text = QString("CRITICAL: %1").arg(record.message); break;
    case QtFatalMsg: text = QString("FATAL: %1").arg(record.message); break;
    default: return;
    }
    // Every line stamped, so that a saved log tells service when each thing happened.
    const QString stamp = record.time.toString("[hh:mm:ss.zzz] ");
    text = stamp + text.replace('\n', '\n' + stamp);
    if (current_piece.size() >= piece_size) {
        full_pieces.append(qCompress(current_piece));
        full_pieces.last().squeeze(); // qCompress leaves room for the uncompressed size
        current_piece.clear();
    }
    if (current_piece.capacity() == 0)
        current_piece.reserve(piece_size + 1024);
    if (!full_pieces.isEmpty() || !current_piece.isEmpty())
        current_piece += '\n';
    current_piece += text.toUtf8();
    // A hidden view is left alone: each line put into it would be an accessibility event,
    // and during an upgrade their flood makes a screen reader drop the statuses it should
    // speak. Its lines wait here, as many as it shows, until it is shown.
    if (!isVisible()) {
        unshown.append(text);
        if (unshown.size() > shown_lines)
            unshown.removeFirst();
        return;
    }
    show_in_view(text);
    textEdit->verticalScrollBar()->setValue(textEdit->verticalScrollBar()->maximum());
}

void LogWindowDialog::show_in_view(const QString& text)
{
    // A paragraph of plain text: what a unit or dfu-util printed is never taken as markup.
    QTextCursor cursor(textEdit->document());
    cursor.movePosition(QTextCursor::End);
    if (!textEdit->document()->isEmpty())
        cursor.insertBlock();
    cursor.insertText(text);
}

void LogWindowDialog::showEvent(QShowEvent* event)
{
    for (const QString& text : std::exchange(unshown, {}))
        show_in_view(text);
    QDialog::showEvent(event);
    // Opened on the latest lines, where what went wrong is.
    textEdit->verticalScrollBar()->setValue(textEdit->verticalScrollBar()->maximum());
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

QByteArray LogWindowDialog::whole_log() const
{
    QByteArray whole;
    for (const QByteArray& piece : full_pieces)
        whole += qUncompress(piece);
    whole += current_piece;
    return whole;
}

bool LogWindowDialog::has_log() const
{
    return !full_pieces.isEmpty() || !current_piece.isEmpty();
}

void LogWindowDialog::clear()
{
    textEdit->clear();
    unshown.clear();
    full_pieces.clear();
    current_piece.clear();
}

void LogWindowDialog::save()
{
    const QString name = QFileDialog::getSaveFileName(this, tr("Save Log Output"),
                                                      QString("%1/logfile.txt").arg(QDir::homePath()),
                                                      tr("Text Files (*.txt);;All Files (*)"));
    if (!name.isEmpty())
        save_to(name);
}

bool LogWindowDialog::save_to(const QString& name)
{
    // Only a plain file is a log: a device such as /dev/null, a folder or a FIFO would be
    // replaced by the save's rename (this may run as root), or swallow the log unseen.
    savedLabel->clear();
    struct stat status;
    if (::stat(QFile::encodeName(name).constData(), &status) == 0 && !S_ISREG(status.st_mode)) {
        refuse("log_notPlainFile", name);
        return false;
    }
    // Without a log (no -l), what the window shows.
    const QByteArray bytes = has_log() ? whole_log() : textEdit->toPlainText().toUtf8();
    // Written aside and put in place only when every byte is on disk: a full disk or a
    // failed write never leaves an empty or cut file that looks like a saved log.
    // Unbuffered, because a buffered flush takes a short write for success.
    QSaveFile file(name);
    bool saved = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (saved) {
        if (file.write(bytes) != bytes.size())
            file.cancelWriting();
        saved = file.commit();
    } else if (QFileInfo(name).isFile()) {
        // A folder that takes no new file (read-only, or immutable, which QSaveFile's own
        // fallback does not cover) still lets a writable file in it be written in place.
        QFile in_place(name);
        saved = in_place.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && in_place.write(bytes) == bytes.size();
    }
    if (!saved) {
        refuse("log_cannotWrite", name);
        return false;
    }
    Settings::log_shown(texts->text("log_saved").arg(name));
    savedLabel->setText(texts->display_text("log_saved").arg(name));
    return true;
}

void LogWindowDialog::refuse(const QString& text_id, const QString& name)
{
    const QString file = name.toHtmlEscaped();
    Settings::log_shown(plain_text(texts->text(text_id).arg(file)));
    QMessageBox::warning(this, tr("Error"), texts->display_text(text_id).arg(file), QMessageBox::Ok);
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
    // Printed at once, from this thread: a queued line would be lost if the program ended
    // before the GUI thread got to it. Only the window's copy waits for the GUI thread.
    print_LogRecord(record);
    if (type == QtFatalMsg)
        std::abort();
    QPointer<LogWindowDialog> target = dialog;
    QMetaObject::invokeMethod(dialog, [target, record] {
        if (target)
            target->appendRecord(record);
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
        // Beside the main window where the screen has room, else over it: never off screen.
        const QRect main = mainWindow->geometry();
        QScreen* screen = mainWindow->screen();
        const QRect room = screen ? screen->availableGeometry() : QRect(main.topLeft(), QSize(1 << 20, 1 << 20));
        const int x = std::max(room.left(), std::min(main.right() + 1, room.right() + 1 - dialog->width()));
        const int y = std::max(room.top(), std::min(main.top(), room.bottom() + 1 - dialog->height()));
        dialog->setGeometry(x, y, dialog->width(), dialog->height());
    }
}

namespace {
QPointer<LogWindow> receiver;
} // namespace

void LogWindow::receive_messages()
{
    receiver = this;
    qInstallMessageHandler(logWindowMessageHandler);
}

void logWindowMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg)
{
    if (receiver)
        receiver->outputMessage(type, context, msg);
}
