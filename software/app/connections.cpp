#include "app/connections.h"

#include "app/globals.h"
#include "gui/log_window.h"
#include "gui/main_window.h"
#include "gui/progress_bar.h"
#include "machines/sm_a.h"
#include "machines/sm_b.h"

#include <QApplication>
#include <QDebug>
#include <QShortcut>
#include <QTextDocumentFragment>

namespace {

QString product_name()
{
    return sm_B->device_info.OTP_info.product_name();
}

// What the window tells the user goes into the log as well, so that service staff reading a
// saved log know what the user saw.
void tell(const QString& what)
{
    qInfo().noquote() << "Shown:" << what;
}

void show_status(const QString& text)
{
    if (mainWindow && mainWindow->statusLabel)
        mainWindow->statusLabel->setText(text);
    tell(QTextDocumentFragment::fromHtml(text).toPlainText());
}

void show_revision_text()
{
    const QString& revision = sm_B->device_info.FW_revision;
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

void stop_worker()
{
    qInfo() << "Trying to stop sm_A";
    sm_A->do_stop();
    if (!sm_A->wait(1000)) {
        qWarning() << "Oops, SM_A not dead yet";
        sm_A->terminate();
        sm_A->wait();
    }
}

void toggle_log_window()
{
    if (logWindow)
        logWindow->toggle_visibility(mainWindow.data());
}

} // namespace

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
        show_status(settings.gui.text("status_noDev"));
        bar->setFormat("This text should not be visible!");
        bar->hide();
    });
    QObject::connect(mainWindow->installButton, &QPushButton::clicked, sm_B, &SM_B::do_download);
    QObject::connect(sm_B, &SM_B::sig_DoDownload, sm_B, [bar] {
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

    auto* main_shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), mainWindow);
    main_shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(main_shortcut, &QShortcut::activated, main_shortcut, toggle_log_window, Qt::DirectConnection);
    auto* log_shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), logWindow->dialog);
    log_shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(log_shortcut, &QShortcut::activated, log_shortcut, toggle_log_window, Qt::DirectConnection);
}
