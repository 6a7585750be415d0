#pragma once

#include "texts/settings.h"

#include <QByteArray>
#include <QDateTime>
#include <QDialog>
#include <QMainWindow>
#include <QObject>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTextBrowser>

// One message as the dialog needs it; plain values, so it can be queued to the GUI thread.
struct LogRecord {
    QtMsgType type = QtDebugMsg;
    QString message;
    QByteArray file;
    QByteArray function;
    int line = 0;
    QDateTime time; // when it was logged, not when the window got it
    bool has_file = false;
    bool has_function = false;
};

class LogWindowDialog : public QDialog {
    Q_OBJECT

public:
    explicit LogWindowDialog(QWidget* parent = nullptr);

    QTextBrowser* textEdit;
    QPushButton* clearButton;
    QPushButton* saveButton;
    QPushButton* hideButton;
    // Where the last save went, said beside the buttons once it is done.
    QLabel* savedLabel;

    // The window shows this many of the latest lines; older ones are dropped from it, not from
    // the log, which a save writes whole.
    static constexpr int shown_lines = 200;
    // The whole log since the last "clear", as saved: UTF-8, one line per message line.
    QByteArray whole_log() const;
    bool has_log() const;
    // Saves the log under name; false, after telling the user, when it was not saved.
    bool save_to(const QString& name);
    // The texts a refusal to save is told in; the window's are loaded after this dialog
    // exists, and only the main window saves a log, so they are there by then.
    const Settings::GUI* texts = nullptr;

    // Appends to the window and prints on standard error; a fatal record ends the process.
    void outputRecord(const LogRecord& record);
    void appendRecord(const LogRecord& record);

public slots:
    void outputMessage(QtMsgType type, const QMessageLogContext& context, const QString& msg);

protected slots:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void save();

private:
    void clear();
    // Tells the user, by the settings' text text_id about the file name, why nothing was saved.
    void refuse(const QString& text_id, const QString& name);
    void show_in_view(const QString& text);

    // The latest lines logged while the window was hidden, for the view once it is shown.
    QStringList unshown;

    // The whole log: the pieces of about piece_size that are full, each compressed (a day of
    // units logs some 14 KB an upgrade, which compresses about tenfold), and the piece being
    // written, plain.
    static constexpr int piece_size = 8192;
    QList<QByteArray> full_pieces;
    QByteArray current_piece;
};

class LogWindow : public QObject {
    Q_OBJECT

public:
    explicit LogWindow(QObject* parent = nullptr);
    ~LogWindow() override;

    LogWindowDialog* dialog;
    // From now on every message of the program goes to this window (and standard error).
    void receive_messages();

signals:
    void sendMessage(QtMsgType type, const QMessageLogContext& context, const QString& msg);

public slots:
    // Safe from any thread.
    void outputMessage(QtMsgType type, const QMessageLogContext& context, const QString& msg);
    void toggle_visibility(QMainWindow* mainWindow);
};

void logWindowMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg);

// The console line of a record, on standard error.
void print_LogRecord(const LogRecord& record);
LogRecord make_LogRecord(QtMsgType type, const QMessageLogContext& context, const QString& msg);
