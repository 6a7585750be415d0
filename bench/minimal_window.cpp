// The floor of the start-up: the main window alone, built by the program's own code with the
// same picture, texts, button and circles and the no-unit text (so that it is the same to the
// pixel), without the machines, the working folder's tools or the dfu-util runs.
//   minimal_window
#include "device/fw_info.h"
#include "gui/fonts.h"
#include "gui/main_window.h"
#include "gui/outcome_view.h"
#include "texts/settings.h"
#include "machines/outcome_model.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // As the program starts its window.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    support::setup_fonts();
    const Device::FW_Info embedded = Device::make_FW_Info(QString(":resources/firmware.bin"));
    Settings::Settings settings;
    settings.gui = Settings::make_GUI(":resources/settings_GUI.json");
    settings.desired_type = embedded.product.type;
    settings.desired_revision = embedded.revision;
    MainWindow* window = MainWindow_factory(&settings, nullptr, false);
    window->setWindowTitle("Velmora Firmware Upgrade Tool");
    Outcome before;
    before.kind = Outcome::Kind::stopped;
    render_outcome(window, settings.gui, OutcomeModel("R12").current(), before);
    window->show();
    return app.exec();
}
