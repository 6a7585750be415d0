#include "app/connections.h"

#include "app/globals.h"
#include "device/product.h"
#include "dfu/progress.h"
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

// The product as the status line names it, with its article: "a ZX-8", "an R12". A unit
// whose record names no product of the catalogue has no name to give.
QString product_name()
{
    const Device::ProductInfo& product = sm_B->device_info.OTP_info.product;
    if (!Device::is_known(product.type))
        return "a unit of unknown type";
    // Names come from the unit: text, never markup.
    return Device::with_article(product.product_name()).toHtmlEscaped();
}

// What the user is told while no unit is in use, besides "no unit": kept across the worker's
// rounds, each until what it speaks of is over.
struct Notes {
    int problem = SM_A::problem_none;  // what the scan sees: several units, no permission...
    bool read_failed = false;           // until that unit is gone
    QString after_download;             // until a unit is connected again
    bool download_failed = false;       // until the next download, or a verified unit
} notes;

// What the window tells the user goes into the log as well, so that service staff reading a
// saved log know what the user saw.
void tell(const QString& what)
{
    qInfo().noquote() << "Shown:" << QString(what).replace('\n', ' ');
}

void show_status(const QString& text)
{
    if (mainWindow)
        mainWindow->showStatus(settings.gui.localize(text));
    tell(QTextDocumentFragment::fromHtml(text).toPlainText());
}

// The no-unit text, or what is known about why no unit is in use.
void show_no_unit_text()
{
    if (!unusable_tool_text.isEmpty())
        show_status(unusable_tool_text);
    else if (notes.problem == SM_A::problem_several_units)
        show_status(settings.gui.text("status_severalUnits"));
    else if (notes.problem == SM_A::problem_no_permission)
        show_status(settings.gui.text("status_noPermission"));
    else if (notes.problem == SM_A::problem_not_answering)
        show_status(settings.gui.text("status_notAnswering"));
    else if (notes.read_failed)
        show_status(settings.gui.text("status_readFailed"));
    else if (!notes.after_download.isEmpty())
        show_status(notes.after_download);
    else
        show_status(settings.gui.text("status_noDev"));
}

bool in(QState* state)
{
    return sm_B && sm_B->configuration().contains(state);
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

static void add_outcome_connections(ProgressBar* bar)
{
    // In place of the Part's texts where they leave the user without a reason or a next step;
    // connected after them, so that these are what the status line keeps.
    QObject::connect(sm_B->B2, &QState::entered, sm_B, [] {
        if (notes.download_failed)
            show_status(settings.gui.text("status_downloadFailed"));
    }, Qt::DirectConnection);
    // A new download, or a unit verified, ends what a failed download left to say.
    for (QState* over : {sm_B->B3, sm_B->B6})
        QObject::connect(over, &QState::entered, sm_B, [] { notes.download_failed = false; }, Qt::DirectConnection);
    QObject::connect(sm_B->B7, &QState::entered, sm_B, [] {
        show_status(settings.gui.text(notes.download_failed ? "status_downloadFailed" : "status_verifyFailed"));
    }, Qt::DirectConnection);
    QObject::connect(sm_B->B8, &QState::entered, sm_B, [] {
        const QString desired = Device::ProductInfo{settings.desired_type}.product_name();
        if (Device::is_known(sm_B->device_info.type))
            show_status(settings.gui.text("status_otherProduct").arg(product_name(), desired.toHtmlEscaped()));
        else
            show_status(settings.gui.text("status_unidentified"));
    }, Qt::DirectConnection);
    QObject::connect(sm_B->B9, &QState::entered, sm_B, [] { show_status(settings.gui.text("status_unidentified")); },
                     Qt::DirectConnection);
    QObject::connect(sm_B, &SM_B::sig_DeviceConnected, sm_B, [] { notes.after_download.clear(); },
                     Qt::DirectConnection);

    // What the worker finds out while no unit is in use.
    QObject::connect(sm_A, &SM_A::sig_Problem, bar, [](int problem) {
        notes.problem = problem;
        if (in(sm_B->B1))
            show_no_unit_text();
    });
    QObject::connect(sm_A, &SM_A::sig_DeviceError, bar, [](const QString&) {
        notes.read_failed = true;
        if (in(sm_B->B1))
            show_no_unit_text();
    });
    // After a failed read the worker waits for the unit to go; then it starts over in A0.
    QObject::connect(sm_A, &SM_A::sig_A0_entered, bar, [] {
        if (!notes.read_failed)
            return;
        notes.read_failed = false;
        if (in(sm_B->B1))
            show_no_unit_text();
    });
    QObject::connect(sm_A, &SM_A::sig_FwDownloadResult, bar, [bar](int code) {
        notes.download_failed = code != 0;
        notes.after_download = settings.gui.text(code == 0 ? "status_written" : "status_downloadFailed");
        if (code == 0)
            bar->finishProgress();
    });
    QObject::connect(sm_A, &SM_A::sig_Progress, bar, [bar](int phase, int percent, qint64 bytes) {
        if (!in(sm_B->B3) && !in(sm_B->B4))
            return;
        const char* id = phase == int(DFU::Phase::erasing) ? "bar_erasing"
            : phase == int(DFU::Phase::writing)            ? "bar_writing"
                                                           : "bar_reading";
        const QString caption = settings.gui.text(id);
        if (caption != bar->format())
            tell(QString(caption).replace("%p%", "").trimmed());
        bar->showProgress(caption, percent);
        qDebug().noquote() << QString("Progress: dfu-util %1% of %2 bytes, bar %3").arg(percent).arg(bytes).arg(bar->value());
    });
}

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
    // dfu-util reports its progress, which the bar shows; the timed fill stands in only for
    // a child that reports none.
    QObject::connect(sm_B->B3, &QState::entered, sm_B, [bar] {
        bar->startTransfer("Upgrading firmware", 90.0);
        tell("Upgrading firmware");
    }, Qt::DirectConnection);
    QObject::connect(sm_B, &SM_B::sig_UploadingVerifying, sm_B, [bar] {
        bar->startTransfer("Uploading & verifying", 0.5);
        tell("Uploading & verifying");
    }, Qt::DirectConnection);
    QObject::connect(sm_B, &SM_B::sig_FwMatches, sm_B, [bar] {
        bar->finishProgress(); // stops its timers, full
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

    add_outcome_connections(bar);

    mainWindow->installEventFilter(new CloseGuard(mainWindow));

    auto* main_shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), mainWindow);
    main_shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(main_shortcut, &QShortcut::activated, main_shortcut, toggle_log_window, Qt::DirectConnection);
    auto* log_shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), logWindow->dialog);
    log_shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(log_shortcut, &QShortcut::activated, log_shortcut, toggle_log_window, Qt::DirectConnection);
}
