#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDialog>
#include <QMainWindow>
#include <QObject>
#include <QPushButton>
#include <QString>
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

    // Appends to the window and prints on standard error; a fatal record ends the process.
    void outputRecord(const LogRecord& record);
    void appendRecord(const LogRecord& record);

public slots:
    void outputMessage(QtMsgType type, const QMessageLogContext& context, const QString& msg);

protected slots:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void save();
};

class LogWindow : public QObject {
    Q_OBJECT

public:
    explicit LogWindow(QObject* parent = nullptr);
    ~LogWindow() override;

    LogWindowDialog* dialog;

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
