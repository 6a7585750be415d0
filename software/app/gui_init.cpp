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

#include <QAccessible>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDebug>
#include <QEvent>
#include <QProcessEnvironment>
#include <QThread>

QPointer<LogWindow> logWindow;
QPointer<MainWindow> mainWindow;
SM_A* sm_A = nullptr;
SM_B* sm_B = nullptr;
Settings::Settings settings;

namespace {

// Holds back the accessibility bridge's call to itself while it finds its bus.
class PrematureSwitch : public QObject {
public:
    using QObject::QObject;
    int held = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MetaCall && watched
            && qstrcmp(watched->metaObject()->className(), "QSpiAccessibleBridge") == 0) {
            ++held;
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// Qt 5.15's accessibility bridge, when the X server has no bus address on its root window
// (a server that has reset has lost it), asks the session bus for it, and queues a call to
// itself that switches it on once it is known to be wanted: a call that comes before the
// answer. Switched on without its bus, the bridge stays off that bus for good, and a screen
// reader never sees the window (four starts in five). Here that call is held back while
// the answer is waited for (asked once more: the bus keeps the order of the replies) and
// handed over; the answer switches the bridge on, on its bus.
void join_accessibility_bus()
{
    QDBusConnection session = QDBusConnection::sessionBus();
    const QString bus = "org.a11y.Bus";
    if (!session.isConnected() || !session.interface()->isServiceRegistered(bus))
        return;
    PrematureSwitch filter;
    qApp->installEventFilter(&filter);
    QAccessible::isActive(); // makes the bridge, which asks for the address
    const QDBusMessage address = session.call(
        QDBusMessage::createMethodCall(bus, "/org/a11y/bus", bus, "GetAddress"), QDBus::Block, 3000);
    if (address.type() == QDBusMessage::ReplyMessage)
        QCoreApplication::sendPostedEvents();
    else
        qInfo().noquote() << "The accessibility bus does not answer:" << address.errorMessage();
    qApp->removeEventFilter(&filter);
    qInfo().noquote() << (QAccessible::isActive() ? "On the accessibility bus" : "Not on the accessibility bus")
                      << QString("(the bridge's early switch held back %1 time(s))").arg(filter.held);
}

} // namespace

void GUI_init()
{
    join_accessibility_bus();
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
