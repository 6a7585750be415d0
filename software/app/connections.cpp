#include "app/connections.h"

#include "app/globals.h"
#include "gui/log_window.h"
#include "gui/main_window.h"
#include "gui/progress_bar.h"
#include "machines/sm_a.h"
#include "machines/sm_b.h"

#include <QApplication>
#include <QDebug>
#include <QEvent>
#include <QLabel>
#include <QShortcut>
#include <QTextDocumentFragment>

#include <functional>
#include <vector>

namespace {

// Names and revisions come from the unit: text, never markup.
QString product_name()
{
    return sm_B->device_info.OTP_info.product_name().toHtmlEscaped();
}

// What the window tells the user goes into the log as well, so that service staff reading a
// saved log know what the user saw.
void tell(const QString& what)
{
    qInfo().noquote() << "Shown:" << QString(what).replace('\n', ' ');
}

void show_status(const QString& text)
{
    if (mainWindow && mainWindow->statusLabel) {
        QLabel* label = mainWindow->statusLabel;
        label->setText(text);
        // Some texts take two lines: the label grows to hold them, never shrinks.
        label->resize(label->size().expandedTo(label->sizeHint()));
    }
    tell(QTextDocumentFragment::fromHtml(text).toPlainText());
}

// Shown in place of the no-unit text when no unit can ever be reached.
void show_no_unit_text()
{
    show_status(unusable_tool_text.isEmpty() ? settings.gui.text("status_noDev") : unusable_tool_text);
}

void show_revision_text()
{
    const QString revision = sm_B->device_info.FW_revision.toHtmlEscaped();
    if (!revision.isEmpty())
        show_status(settings.gui.text("status_devRev").arg(product_name(), revision));
    else
        show_status(settings.gui.text("status_devRevUnknown").arg(product_name()));
}

void reset_message_handler()
{
    qInstallMessageHandler(nullptr);
    qInfo() << "Msg-handler reset";
}

// A transfer that is cut short can leave a unit that does not start: the program waits
// for it, says so, and carries on once the worker has ended.
bool wait_for_transfer(std::function<void()> then)
{
    sm_A->do_stop();
    if (!sm_A->is_transferring())
        return false;
    show_status(settings.gui.text("status_finishing"));
    static bool waiting = false;
    static std::vector<std::function<void()>> afterwards;
    afterwards.push_back(std::move(then));
    if (!waiting) {
        waiting = true;
        QObject::connect(sm_A, &QThread::finished, qApp, [] {
            qInfo() << "The transfer has ended";
            waiting = false;
            const auto steps = std::move(afterwards);
            afterwards.clear();
            for (const auto& step : steps)
                step();
        }, Qt::QueuedConnection);
    }
    return true;
}

void stop_worker()
{
    qInfo() << "Trying to stop sm_A";
    const bool deferred = wait_for_transfer([] {
        ProgressBar* bar = mainWindow ? mainWindow->progressBar : nullptr;
        if (bar) {
            bar->timer->stop();
            bar->hide();
        }
        // Nothing answers the button any more.
        if (mainWindow)
            mainWindow->disableDownload();
        show_status(settings.gui.text("status_stopped"));
    });
    if (deferred)
        return;
    // Only an idle worker that does not answer is ended by force; no transfer can begin now.
    if (!sm_A->wait(1000)) {
        qWarning() << "Oops, SM_A not dead yet";
        sm_A->terminate();
        sm_A->wait();
    }
}

// Closing the window during a transfer ends the program only once the transfer is over.
class CloseGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Close || !sm_A || !sm_A->is_transferring())
            return QObject::eventFilter(watched, event);
        event->ignore();
        request_exit(0);
        return true;
    }
};

void toggle_log_window()
{
    if (logWindow)
        logWindow->toggle_visibility(mainWindow.data());
}

} // namespace

void request_exit(int code)
{
    qInfo() << "Ending the program with" << code;
    const bool deferred = sm_A && sm_A->isRunning() && wait_for_transfer([code] {
        QCoreApplication::exit(code);
    });
    if (!deferred)
        QCoreApplication::exit(code);
}

void add_connections(QApplication* /*app*/)
{
    ProgressBar* bar = mainWindow->progressBar;

    QObject::connect(mainWindow, &MainWindow::finished, mainWindow, reset_message_handler, Qt::DirectConnection);
    QObject::connect(mainWindow, &MainWindow::finished, sm_B, &QStateMachine::stop);
    QObject::connect(mainWindow, &MainWindow::finished, mainWindow, stop_worker, Qt::DirectConnection);
    QObject::connect(sm_B, &SM_B::sig_UpgradeImpossible, mainWindow, &MainWindow::disableDownload);
    QObject::connect(sm_B, &SM_B::sig_UpgradePossible, mainWindow, &MainWindow::enableDownload);
    QObject::connect(sm_B, &SM_B::sig_DeviceConnected, sm_B, [] {
        show_status(settings.gui.text("status_devConn").arg(product_name()));
    }, Qt::DirectConnection);
    QObject::connect(sm_B, &SM_B::sig_DifferingRevision, sm_B, show_revision_text, Qt::DirectConnection);
    QObject::connect(sm_B, &SM_B::sig_UpgradeImpossible, mainWindow, [bar] {
        show_no_unit_text();
        bar->setFormat("This text should not be visible!");
        bar->hide();
    });
    QObject::connect(mainWindow->installButton, &QPushButton::clicked, sm_B, &SM_B::do_download);
    // The bar starts with the state that writes, not with the click: a click or the A key
    // in a state that allows no download changes nothing the user sees.
    QObject::connect(sm_B->B3, &QState::entered, sm_B, [bar] {
        bar->startAutoProgress("Upgrading firmware", 90.0);
        tell("Upgrading firmware");
    }, Qt::DirectConnection);
    QObject::connect(sm_B, &SM_B::sig_UploadingVerifying, sm_B, [bar] {
        bar->startAutoProgress("Uploading & verifying", 0.5);
        tell("Uploading & verifying");
    }, Qt::DirectConnection);
    QObject::connect(sm_B, &SM_B::sig_FwMatches, sm_B, [bar] {
        bar->timer->stop();
        bar->setValue(bar->maximum());
        bar->setFormat("Done. Disconnect USB cable.");
        tell("Done. Disconnect USB cable.");
        show_revision_text();
    }, Qt::DirectConnection);
    QObject::connect(sm_B, &SM_B::sig_FwDiffers, sm_B, [bar] {
        show_revision_text();
        bar->timer->stop();
        bar->setValue(bar->minimum());
        bar->setFormat("FW differs");
        bar->hide();
    }, Qt::DirectConnection);

    mainWindow->installEventFilter(new CloseGuard(mainWindow));

    auto* main_shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), mainWindow);
    main_shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(main_shortcut, &QShortcut::activated, main_shortcut, toggle_log_window, Qt::DirectConnection);
    auto* log_shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), logWindow->dialog);
    log_shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(log_shortcut, &QShortcut::activated, log_shortcut, toggle_log_window, Qt::DirectConnection);
}
