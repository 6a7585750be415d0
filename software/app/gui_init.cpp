#include "app/gui_init.h"

#include "app/command_line.h"
#include "app/connections.h"
#include "app/exit_signals.h"
#include "app/globals.h"
#include "device/fw_info.h"
#include "dfu/device_info.h"
#include "dfu/dfu_util.h"
#include "files/files.h"
#include "files/support_misc.h"
#include "gui/fonts.h"
#include "gui/log_window.h"
#include "gui/main_window.h"
#include "machines/sm_a.h"
#include "machines/sm_b.h"
#include "simulator/simulator.h"

#include <QApplication>
#include <QDebug>
#include <QSysInfo>
#include <QTextDocumentFragment>
#include <QThread>

QPointer<LogWindow> logWindow;
QPointer<MainWindow> mainWindow;
SM_A* sm_A = nullptr;
SM_B* sm_B = nullptr;
Settings::Settings settings;
QString unusable_tool_text;

// The first lines of every log: what service needs to know before anything else.
static void log_header()
{
    const Device::FW_Info embedded = Device::make_FW_Info(QString(":resources/firmware.bin"));
    const QString banner = DFU::dfu_util::expected_output_of_execution_test;
    qInfo().noquote() << "Velmora Firmware Upgrade Tool" << QCoreApplication::applicationVersion();
    qInfo().noquote() << "Embedded firmware:" << embedded.product.product_name() << "(" + Device::to_QString(embedded.product.type) + ")"
                      << "revision" << embedded.revision;
    qInfo().noquote() << "Embedded dfu-util:" << banner.left(banner.indexOf('\n'));
    qInfo().noquote() << "System:" << QSysInfo::prettyProductName() << "kernel" << QSysInfo::kernelVersion()
                      << QSysInfo::currentCpuArchitecture();
}

void GUI_init()
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    parse_arguments(app);
    support::setup_fonts();
    logWindow = new LogWindow(nullptr);
    if (use_log_window())
        qInstallMessageHandler(logWindowMessageHandler);
    log_header();

    if (simulator::use)
        qInfo() << "Will use simulator (i.e. option 'use_simulator).";
    else
        qInfo() << "Will use real device (i.e. no option 'use_simulator'.)";
    if (simulator::use)
        simulator::setup_for_simulated_dfu_util(simulator::standard);
    else
        DFU::Command::path = Files::tool_dir();

    qInfo() << "Compiled for platform (OS):" << support_misc::compiled_for_platform() << "with 'DEBUG'"
            << (support_misc::compiled_w_DEBUG ? "defined" : "not defined");

    // Without its own dfu-util and a working folder the program runs none at all: not one
    // found elsewhere, and none that writes its files anywhere else.
    QString problem = Files::prepare_working_folder();
    if (problem.isEmpty() && simulator::use && !simulator::python_found())
        problem = "status_noPython";
    if (!problem.isEmpty())
        DFU::refuse_runs("the working folder or the files in it cannot be used");
    QString reason;
    int reason_code = 0;
    if (!DFU::dfu_util::execution_test() && problem.isEmpty()) {
        problem = "status_toolBroken";
        DFU::refuse_runs("the execution test failed");
        const DFU::Result test = DFU::dfu_util::last_execution_test();
        reason = test.code == -1 ? "reason_cannotStart" : test.code != 0 ? "reason_exitCode" : "reason_wrongVersion";
        reason_code = test.code;
    }

    const Device::FW_Info& desired = DFU::desired_FW_Info();
    qInfo().noquote() << "Desired (embedded)" << desired;

    Settings::Settings built;
    built.gui = Settings::make_GUI(":resources/settings_GUI.json");
    built.desired_type = desired.product.type;
    built.desired_revision = desired.revision;
    settings = std::move(built);
    if (!problem.isEmpty()) {
        unusable_tool_text = settings.gui.text(problem);
        if (unusable_tool_text.contains("%1"))
            unusable_tool_text = unusable_tool_text.arg(Files::temporary_base().toHtmlEscaped());
        if (!reason.isEmpty())
            unusable_tool_text = unusable_tool_text.arg(settings.gui.text(reason).arg(reason_code).toHtmlEscaped());
        qWarning().noquote() << "No unit can be reached:" << QTextDocumentFragment::fromHtml(unusable_tool_text).toPlainText();
    }

    if (!use_log_window())
        logWindow->dialog->textEdit->setPlainText(settings.gui.text("log_hint"));

    mainWindow = MainWindow_factory(&settings, nullptr, simulator::use);
    mainWindow->setWindowTitle("Velmora Firmware Upgrade Tool");

    sm_A = new SM_A(Files::path_of(Files::desired_FW_fileName_dfu), Files::path_of(Files::desired_FW_fileName_bin),
                    Files::path_of(Files::uploaded_FW_fileName_bin), nullptr);
    sm_A->idle_interval_ms = 500;
    sm_A->poll_interval_ms = 1000;
    sm_A->enable_debug_output();

    sm_B = new SM_B(sm_A, settings.desired_type, settings.desired_revision);
    sm_B->enable_debug_output();

    add_connections(app);
    install_exit_signal_handlers();

    QObject::connect(sm_B, &QStateMachine::started, sm_B, [] {
        qInfo() << "Starting sm_A";
        sm_A->start(QThread::InheritPriority);
    }, Qt::DirectConnection);
    sm_B->start();
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
