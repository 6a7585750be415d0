#include "app/connections.h"

#include "app/globals.h"
#include "gui/log_window.h"
#include "gui/main_window.h"
#include "gui/outcome_view.h"
#include "gui/progress_bar.h"
#include "machines/outcome_model.h"
#include "machines/sm_a.h"
#include "machines/sm_b.h"

#include <QApplication>
#include <QDebug>
#include <QEvent>
#include <QShortcut>

#include <functional>
#include <memory>

namespace {

OutcomeModel* model = nullptr;

void reset_message_handler()
{
    qInstallMessageHandler(nullptr);
    qInfo() << "Msg-handler reset";
}

// A transfer that is cut short can leave a unit that does not start: the program waits
// for it, says so, and carries on once the worker has ended.
bool wait_for_transfer(std::function<void()> then)
{
    if (!sm_A->stop_after_transfer(qApp, std::move(then)))
        return false;
    if (model)
        model->stop_requested(true);
    return true;
}

void stop_worker()
{
    qInfo() << "Trying to stop sm_A";
    if (wait_for_transfer([] {}))
        return;
    if (model)
        model->stop_requested(false);
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

void add_connections(QApplication* /*app*/, OutcomeModel* outcome)
{
    model = outcome;
    ProgressBar* bar = mainWindow->progressBar;

    QObject::connect(mainWindow, &MainWindow::finished, mainWindow, reset_message_handler, Qt::DirectConnection);
    QObject::connect(mainWindow, &MainWindow::finished, sm_B, &QStateMachine::stop);
    QObject::connect(mainWindow, &MainWindow::finished, mainWindow, stop_worker, Qt::DirectConnection);
    QObject::connect(mainWindow->installButton, &QPushButton::clicked, sm_B, &SM_B::do_download);

    // The window only renders what the model holds.
    auto rendered = std::make_shared<Outcome>();
    rendered->kind = Outcome::Kind::stopped; // unlike anything: the first outcome is rendered whole
    const auto render = [rendered](const Outcome& outcome) {
        render_outcome(mainWindow, settings.gui, outcome, *rendered);
        *rendered = outcome;
    };
    QObject::connect(model, &OutcomeModel::changed, mainWindow, render);
    render(model->current());
    // After the model has taken the figure: what dfu-util printed beside what the bar shows.
    QObject::connect(sm_A, &SM_A::sig_Progress, bar, [bar](int, int percent, qint64 bytes) {
        if (bar->isVisible())
            qDebug().noquote() << QString("Progress: dfu-util %1% of %2 bytes, bar %3").arg(percent).arg(bytes).arg(bar->value());
    });

    mainWindow->installEventFilter(new CloseGuard(mainWindow));

    auto* main_shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), mainWindow);
    main_shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(main_shortcut, &QShortcut::activated, main_shortcut, toggle_log_window, Qt::DirectConnection);
    auto* log_shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), logWindow->dialog);
    log_shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(log_shortcut, &QShortcut::activated, log_shortcut, toggle_log_window, Qt::DirectConnection);
}
