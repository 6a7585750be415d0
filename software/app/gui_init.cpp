#include "app/gui_init.h"

#include "app/command_line.h"
#include "app/connections.h"
#include "app/exit_signals.h"
#include "app/globals.h"
#include "app/start_up.h"
#include "gui/fonts.h"
#include "texts/language.h"
#include "gui/log_window.h"
#include "gui/main_window.h"
#include "machines/sm_a.h"
#include "machines/sm_b.h"
#include "simulator/simulator.h"

#include <QApplication>
#include <QDebug>
#include <QProcessEnvironment>
#include <QThread>

QPointer<LogWindow> logWindow;
QPointer<MainWindow> mainWindow;
SM_A* sm_A = nullptr;
SM_B* sm_B = nullptr;
Settings::Settings settings;

void GUI_init()
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    // First, so that even the usage text speaks the user's language.
    const QString wanted = language::choose(QProcessEnvironment::systemEnvironment());
    const bool spoken = language::install(wanted);
    parse_arguments(app);
    support::setup_fonts();
    // A language whose letters no installed font has would be boxes on the screen: English then.
    const bool drawn = !spoken
        || support::draws(language::native_name(wanted)
                          + QCoreApplication::translate("MainWindow", "Velmora Firmware Upgrade Tool"));
    if (!drawn)
        language::install("en");
    logWindow = new LogWindow(nullptr);
    if (use_log_window())
        logWindow->receive_messages();
    const ToolProblem problem = prepare_dfu_util();
    if (!spoken)
        qWarning().noquote() << "The translation for" << wanted << "cannot be loaded: the window speaks English";
    if (!drawn)
        qWarning().noquote() << "No installed font has the letters of" << wanted + ", so the window speaks English:"
                             << "install the package" << language::font_package(wanted);
    settings = make_settings();
    logWindow->dialog->texts = &settings.gui;

    if (!use_log_window())
        logWindow->dialog->textEdit->setPlainText(settings.gui.display_text("log_hint"));

    mainWindow = MainWindow_factory(&settings, nullptr, simulator::use);
    mainWindow->setWindowTitle(QCoreApplication::translate("MainWindow", "Velmora Firmware Upgrade Tool"));

    const Machines machines = make_machines(settings, problem);
    sm_A = machines.worker;
    sm_B = machines.machine;
    add_connections(app, machines.model);
    install_exit_signal_handlers([](int number) { request_exit(128 + number); });
    start_machines(machines);
    mainWindow->show();
}

int GUI_cleanup(int code)
{
    qInfo() << "app.exec() returns: " << code;
    if (sm_B)
        sm_B->stop();
    if (sm_A)
        sm_A->do_stop();
    qInfo() << "Waiting 2 s before deleting objects";
    QThread::sleep(2);
    delete sm_A;
    sm_A = nullptr;
    delete sm_B;
    sm_B = nullptr;
    return code;
}
