#include "app/start_up.h"

#include "app/command_line.h"
#include "device/fw_info.h"
#include "dfu/device_info.h"
#include "dfu/dfu_util.h"
#include "files/files.h"
#include "files/support_misc.h"
#include "texts/language.h"
#include "machines/outcome_model.h"
#include "machines/sm_a.h"
#include "machines/sm_b.h"
#include "simulator/simulator.h"

#include <QCoreApplication>
#include <QDebug>
#include <QSysInfo>

namespace {

// The first lines of every log: what service needs to know before anything else.
void log_header()
{
    const Device::FW_Info embedded = Device::make_FW_Info(QString(":resources/firmware.bin"));
    const QString banner = DFU::dfu_util::expected_output_of_execution_test;
    qInfo().noquote() << "Velmora Firmware Upgrade Tool" << QCoreApplication::applicationVersion();
    qInfo().noquote() << "Embedded firmware:" << embedded.product.product_name() << "(" + Device::to_QString(embedded.product.type) + ")"
                      << "revision" << embedded.revision;
    qInfo().noquote() << "Embedded dfu-util:" << banner.left(banner.indexOf('\n'));
    qInfo().noquote() << "System:" << QSysInfo::prettyProductName() << "kernel" << QSysInfo::kernelVersion()
                      << QSysInfo::currentCpuArchitecture();
    // The log is in English whatever the window says: service needs to know what that is.
    qInfo().noquote() << "Language shown:" << language::native_name(language::current()) + " (" + language::current() + ")";
}

} // namespace

ToolProblem prepare_dfu_util()
{
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
    ToolProblem problem;
    problem.where = Files::temporary_base();
    problem.text_id = Files::prepare_working_folder();
    if (problem.text_id.isEmpty() && simulator::use && !simulator::python_found())
        problem.text_id = "status_noPython";
    if (!problem.text_id.isEmpty())
        DFU::refuse_runs("the working folder or the files in it cannot be used");
    if (!DFU::dfu_util::execution_test() && problem.text_id.isEmpty()) {
        // The package's own copy is broken where it is installed, and no TMPDIR mends that.
        const bool installed = Files::tools_installed() && !simulator::use;
        problem.text_id = installed ? "status_toolBrokenInstalled" : "status_toolBroken";
        if (installed)
            problem.where = DFU::Command::path + "/dfu-util";
        DFU::refuse_runs("the execution test failed");
        const DFU::Result test = DFU::dfu_util::last_execution_test();
        problem.reason_id = test.code == -1 ? (installed ? "reason_cannotStartInstalled" : "reason_cannotStart")
            : test.code != 0               ? "reason_exitCode"
                                           : "reason_wrongVersion";
        problem.reason_code = test.code;
    }

    qInfo().noquote() << "Desired (embedded)" << DFU::desired_FW_Info();
    return problem;
}

Settings::Settings make_settings()
{
    const Device::FW_Info& desired = DFU::desired_FW_Info();
    Settings::Settings built;
    built.gui = Settings::make_GUI(":resources/settings_GUI.json");
    built.desired_type = desired.product.type;
    built.desired_revision = desired.revision;
    return built;
}

QString told_in_english(const Outcome& outcome, const Settings::GUI& gui)
{
    return plain_text(status_html(outcome, [&gui](const QString& id) { return gui.text(id); }));
}

Machines make_machines(const Settings::Settings& settings, const ToolProblem& problem)
{
    Machines made;
    made.worker = new SM_A(Files::path_of(Files::desired_FW_fileName_dfu), Files::path_of(Files::desired_FW_fileName_bin),
                           Files::path_of(Files::uploaded_FW_fileName_bin), nullptr);
    made.worker->idle_interval_ms = 500;
    made.worker->poll_interval_ms = 1000;
    made.worker->enable_debug_output();
    made.machine = new SM_B(made.worker, settings.desired_type, settings.desired_revision);
    made.machine->enable_debug_output();
    made.model = new OutcomeModel(product_text(Device::ProductInfo{settings.desired_type}.product_names()), made.machine);
    made.model->log_window = use_log_window();
    if (!problem.text_id.isEmpty()) {
        made.model->tool_unusable(problem.text_id, {problem.where}, problem.reason_id,
                                  QString::number(problem.reason_code));
        qWarning().noquote() << "No unit can be reached:" << told_in_english(made.model->current(), settings.gui);
    }
    made.model->attach(made.worker, made.machine);
    return made;
}

void start_machines(const Machines& machines)
{
    SM_A* worker = machines.worker;
    QObject::connect(machines.machine, &QStateMachine::started, machines.machine, [worker] {
        qInfo() << "Starting sm_A";
        worker->start(QThread::InheritPriority);
    }, Qt::DirectConnection);
    machines.machine->start();
}
