#include "simulator/simulator.h"

#include "dfu/dfu_util.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <utility>

namespace simulator {

bool use = false;

static const QString& simulator_dir()
{
    // An installed program keeps its simulator in share/ beside its bin/, wherever the package
    // was installed; a program run from its build tree uses the source tree's.
    static const QString dir = [] {
        const QString installed = QCoreApplication::applicationDirPath() + "/../share/velmora-fw-upgrade";
        if (QCoreApplication::instance() && QFileInfo::exists(installed + "/dfu-util_simulator.sh"))
            return QDir::cleanPath(installed);
        return QStringLiteral(VELMORA_SIMULATOR_DIR);
    }();
    return dir;
}

QString dfu_util_path(QString name)
{
    return simulator_dir() + "/" + name;
}

void setup_for_simulated_dfu_util(Setup setup)
{
    const bool fast = (setup & 1) != 0;
    // Both flash uploads share one word; the address after "-s" tells them apart.
    static const std::pair<DFU::CmdID, const char*> words[] = {
        {DFU::CmdID::list, "list"},
        {DFU::CmdID::version, "version"},
        {DFU::CmdID::upload_OTP, "upload_OTP"},
        {DFU::CmdID::upload_FW_Info, "upload_FW"},
        {DFU::CmdID::upload_FW, "upload_FW"},
        {DFU::CmdID::download_FW, "download_FW"},
        {DFU::CmdID::setup_prepared_config, "setup_prepared_config"},
    };
    // The real tool's arguments as they were before the first set-up: another set-up (a
    // faster one, say) starts from them, not from the simulator's doubled.
    static const std::map<DFU::CmdID, DFU::Command> real = DFU::commands;
    for (const auto& [id, word] : words) {
        DFU::Command& command = DFU::commands.at(id);
        QStringList arguments{"--dfu-util-command", word};
        if (fast)
            arguments << "--fast-progress";
        command.program = dfu_util_path("dfu-util_simulator.sh");
        command.arguments = arguments + real.at(id).arguments;
    }
}

int sim_setup_prepared_config(QString name)
{
    const DFU::Result result = DFU::run_command(DFU::CmdID::setup_prepared_config, {name});
    if (result.code != 0) {
        qInfo() << "Failed to setup simulation config " << name << "with code" << result.code;
        return result.code;
    }
    return 0;
}

bool python_found()
{
    const QString python = qEnvironmentVariable("VELMORA_PYTHON", "python3");
    const bool found = !QStandardPaths::findExecutable(python).isEmpty()
        || (python.contains('/') && QFileInfo(python).isExecutable());
    if (!found)
        qWarning() << "The simulator cannot run without" << python;
    return found;
}

} // namespace simulator
