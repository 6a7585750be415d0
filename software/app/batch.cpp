#include "app/batch.h"

#include "app/command_line.h"
#include "app/exit_signals.h"
#include "app/start_up.h"
#include "device/product.h"
#include "machines/outcome_model.h"
#include "machines/sm_a.h"
#include "machines/sm_b.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

using Kind = Outcome::Kind;

enum class Result { none, upgraded, verified, refused, failed, stopped };

const char* token(Result result)
{
    switch (result) {
    case Result::upgraded: return "upgraded";
    case Result::verified: return "verified";
    case Result::refused: return "refused";
    case Result::failed: return "failed";
    case Result::stopped: return "stopped";
    case Result::none: break;
    }
    return "";
}

// One unit from its first reading to its result.
struct Unit {
    QString serial;
    QString product;
    QString revision_before;
    QString revision_after;
    bool write_asked = false;
    Result result = Result::none;
    QString reason;
    QElapsedTimer taken;
};

// Where the words for people go: one updating line per transfer on a terminal, else lines
// with the time in front.
class Talk {
public:
    Talk(FILE* stream, bool terminal) : stream(stream), terminal(terminal) {}

    // A status line, said once however often the model repeats it.
    void line(const QString& text)
    {
        if (text.isEmpty() || text == last_line)
            return;
        end_progress();
        last_line = text;
        qInfo().noquote() << "Shown:" << text;
        write(text + "\n");
    }

    void progress(const QString& caption, int percent)
    {
        const QString text = QString(caption).replace("%p", QString::number(percent));
        if (text == last_progress || text == last_line)
            return;
        if (caption != last_caption)
            qInfo().noquote() << "Shown:" << text;
        if (terminal) {
            write("\r\033[K" + text);
            in_progress = true;
        } else if (caption != last_caption || percent / 10 != last_tenth) {
            write(text + "\n");
        }
        last_progress = text;
        last_caption = caption;
        last_tenth = percent / 10;
    }

private:
    void end_progress()
    {
        if (in_progress)
            write("\n");
        in_progress = false;
        last_progress.clear();
        last_caption.clear();
        last_tenth = -1;
    }

    void write(const QString& text)
    {
        const bool stamped = !terminal && text != "\n";
        const QByteArray bytes = (stamped ? QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm:ss ") + text : text).toUtf8();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
        std::fflush(stream);
    }

    FILE* stream;
    bool terminal;
    bool in_progress = false;
    QString last_line;
    QString last_progress;
    QString last_caption;
    int last_tenth = -1;
};

class Bench : public QObject {
public:
    Bench(SM_A* worker, SM_B* machine, OutcomeModel* model, const Settings::GUI& gui, const BatchOptions& options,
          FILE* results, Talk* talk)
        : worker(worker), machine(machine), model(model), gui(gui), options(options), results(results), talk(talk)
    {
        timeout.setSingleShot(true);
        timeout.setInterval(options.timeout_s * 1000);
        connect(&timeout, &QTimer::timeout, this, &Bench::timed_out);
        connect(model, &OutcomeModel::changed, this, &Bench::changed);
        // The unit's own record as the machine judged it, before the model says anything of it.
        connect(machine, &SM_B::sig_DeviceConnected, this, &Bench::unit_read);
        // The worker reads a unit again right after writing it; a pass of its scan without
        // the unit in between means it was taken away and connected again.
        connect(worker, &SM_A::sig_FwDownloadResult, this, [this] { scans_since_write = 0; });
        connect(worker, &SM_A::sig_A1_entered, this, [this] { ++scans_since_write; });
        wait_for_unit();
    }

    int exit_code() const
    {
        if (signal_number)
            return 128 + signal_number;
        if (failed)
            return 2;
        if (refused)
            return 3;
        if (no_unit_came)
            return 4;
        return 0;
    }

    void signal_received(int number)
    {
        if (signal_number)
            return;
        signal_number = number;
        timeout.stop();
        // Asked first, so that no transfer can begin after the look below.
        worker->do_stop();
        if (worker->is_transferring()) {
            talk->line(text("status_finishing"));
            connect(worker, &QThread::finished, this, &Bench::end_after_signal, Qt::QueuedConnection);
            return;
        }
        end_after_signal();
    }

private:
    enum class Phase { awaiting_unit, serving, awaiting_return, awaiting_removal, ended };

    QString text(const QString& id) const { return plain_text(gui.text(id)); }
    QString said(const Outcome& outcome) const { return told_in_english(outcome, gui); }

    void wait_for_unit()
    {
        phase = Phase::awaiting_unit;
        if (options.timeout_s > 0)
            timeout.start();
    }

    void unit_read()
    {
        const DFU::DeviceInfo& info = machine->device_info;
        const QString serial = machine->device_serial;
        const QString revision = info.FW_revision;
        if (phase == Phase::awaiting_return && serial == unit.serial) {
            timeout.stop();
            unit.revision_after = revision;
            phase = Phase::serving;
            return;
        }
        if (phase == Phase::awaiting_removal && serial == last_serial && scans_since_write <= 1)
            return;
        if (phase == Phase::awaiting_return)
            finish(Result::failed, text("reason_notBack"));
        if (phase == Phase::ended)
            return;
        timeout.stop();
        unit = Unit();
        unit.taken.start();
        unit.serial = serial;
        unit.product = Device::is_known(info.OTP_info.product.type) ? info.OTP_info.product.product_name() : QString();
        unit.revision_before = revision;
        unit.revision_after = revision;
        phase = Phase::serving;
    }

    void changed(const Outcome& outcome)
    {
        if (phase == Phase::ended)
            return;
        // A terminal keeps every line: a silence is said once, not each second it goes on.
        const bool counting = outcome.kind == Kind::transfer_silent && told_kind == Kind::transfer_silent;
        told_kind = outcome.kind;
        if (counting)
            return;
        if (outcome.bar == Outcome::Bar::moving && !outcome.bar_caption_id.isEmpty()
            && outcome.kind != Kind::transfer_silent) {
            talk->progress(gui.text(outcome.bar_caption_id), outcome.percent);
        } else {
            talk->line(said(outcome));
            if (outcome.bar != Outcome::Bar::hidden && !outcome.bar_caption_id.isEmpty())
                talk->line(text(outcome.bar_caption_id));
        }

        switch (outcome.kind) {
        case Kind::waiting:
            unit_gone();
            break;
        case Kind::offered:
        case Kind::verify_failed:
            if (phase != Phase::serving)
                break;
            if (unit.write_asked) {
                finish(Result::failed, said(outcome));
            } else if (!signal_number) {
                unit.write_asked = true;
                // After the machine has settled in the state that offers it, as a click comes.
                QMetaObject::invokeMethod(machine, &SM_B::do_download, Qt::QueuedConnection);
            }
            break;
        case Kind::written:
            if (phase == Phase::serving) {
                phase = Phase::awaiting_return;
                if (options.timeout_s > 0)
                    timeout.start();
            }
            break;
        case Kind::write_failed:
        case Kind::write_interrupted:
        case Kind::check_not_made:
            if (phase == Phase::serving)
                finish(Result::failed, said(outcome));
            break;
        case Kind::verified:
            if (phase == Phase::serving)
                finish(unit.write_asked ? Result::upgraded : Result::verified, {});
            break;
        case Kind::other_product:
        case Kind::unidentified:
            if (phase == Phase::serving)
                finish(Result::refused, said(outcome));
            break;
        default:
            break;
        }
    }

    void unit_gone()
    {
        if (phase == Phase::serving)
            finish(Result::failed, text("reason_gone"));
        else if (phase == Phase::awaiting_removal)
            wait_for_unit();
    }

    void timed_out()
    {
        if (phase == Phase::awaiting_return) {
            finish(Result::failed, text("reason_notBack"));
            return;
        }
        if (phase != Phase::awaiting_unit)
            return;
        no_unit_came = true;
        talk->line(QString(gui.text("batch_timeout")).arg(options.timeout_s));
        end();
    }

    void end_after_signal()
    {
        // Only a write the unit has taken is told: one asked for has not begun once stopped.
        if (phase == Phase::serving || phase == Phase::awaiting_return)
            finish(Result::stopped, phase == Phase::awaiting_return ? text("result_written") : QString(), false);
        end();
    }

    // The unit's result, said and written as one JSON object; then the next unit, or the end.
    void finish(Result result, const QString& reason, bool go_on = true)
    {
        timeout.stop();
        unit.result = result;
        unit.reason = reason;
        if (result == Result::failed)
            failed = true;
        if (result == Result::refused)
            refused = true;
        const double seconds = unit.taken.isValid() ? unit.taken.elapsed() / 1000.0 : 0.0;
        const QString id = result == Result::upgraded ? "batch_upgraded"
            : result == Result::verified               ? "batch_verified"
            : result == Result::refused                ? "batch_refused"
            : result == Result::failed                 ? "batch_failed"
                                                       : "batch_stopped";
        const bool good = result == Result::upgraded || result == Result::verified;
        talk->line(gui.text(id).arg(unit.serial, good ? unit.revision_after : unit.reason).trimmed());
        if (options.json) {
            QJsonObject object;
            const auto or_null = [](const QString& value) { return value.isEmpty() ? QJsonValue() : QJsonValue(value); };
            object["serial"] = unit.serial;
            object["product"] = or_null(unit.product);
            object["revision_before"] = or_null(unit.revision_before);
            object["revision_after"] = or_null(unit.revision_after);
            object["result"] = token(result);
            object["reason"] = unit.reason;
            object["seconds"] = qRound(seconds * 10) / 10.0;
            const QByteArray json = QJsonDocument(object).toJson(QJsonDocument::Compact);
            std::fprintf(results, "%s\n", json.constData());
            std::fflush(results);
        }
        qInfo().noquote() << "Unit" << unit.serial << "ends:" << token(result) << unit.reason;
        last_serial = unit.serial;
        ++handled;
        if (!go_on)
            return;
        if (signal_number || (options.units > 0 && handled >= options.units)) {
            end();
            return;
        }
        talk->line(text("batch_next"));
        phase = Phase::awaiting_removal;
    }

    void end()
    {
        if (phase == Phase::ended)
            return;
        phase = Phase::ended;
        timeout.stop();
        QCoreApplication::exit(exit_code());
    }

    SM_A* worker;
    SM_B* machine;
    OutcomeModel* model;
    const Settings::GUI& gui;
    BatchOptions options;
    FILE* results;
    Talk* talk;
    QTimer timeout;
    Phase phase = Phase::awaiting_unit;
    Kind told_kind = Kind::waiting;
    Unit unit;
    QString last_serial;
    int handled = 0;
    int scans_since_write = 2;
    int signal_number = 0;
    bool failed = false;
    bool refused = false;
    bool no_unit_came = false;
};

// Without --verbose, the log's debug and info lines stay out of what people read.
void quiet_handler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    std::fprintf(stderr, "velmora-fw-upgrade: %s\n", qPrintable(message));
    if (type == QtFatalMsg)
        std::abort();
}

} // namespace

int run_batch(QCoreApplication* app)
{
    const BatchOptions options = batch_options();
    // Standard output carries only what this face writes there: the machines' own trace
    // lines go to the log (standard error with --verbose), and nowhere without it.
    std::fflush(stdout);
    const int out_fd = dup(STDOUT_FILENO);
    const int trace_fd = options.verbose ? dup(STDERR_FILENO) : open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (out_fd < 0 || trace_fd < 0 || dup2(trace_fd, STDOUT_FILENO) < 0) {
        std::fprintf(stderr, "velmora-fw-upgrade: standard output cannot be set up\n");
        return 1;
    }
    close(trace_fd);
    fcntl(out_fd, F_SETFD, FD_CLOEXEC);
    FILE* out = fdopen(out_fd, "w");
    FILE* people = options.json ? stderr : out;
    Talk talk(people, isatty(fileno(people)) == 1);

    if (!options.verbose)
        qInstallMessageHandler(quiet_handler);
    parse_arguments(app);
    const ToolProblem problem = prepare_dfu_util();
    const Settings::Settings settings = make_settings();
    const Machines machines = make_machines(settings, problem);
    SM_A* worker = machines.worker;
    SM_B* machine = machines.machine;
    // A bench cannot wait for a tool that will never run: said once, and the end.
    if (!problem.text_id.isEmpty()) {
        talk.line(told_in_english(machines.model->current(), settings.gui));
        delete worker;
        delete machine;
        std::fclose(out);
        return 2;
    }

    int code = 0;
    {
        Bench bench(worker, machine, machines.model, settings.gui, options, out, &talk);
        install_exit_signal_handlers([&bench](int number) { bench.signal_received(number); });
        talk.line(told_in_english(machines.model->current(), settings.gui));
        start_machines(machines);
        code = app->exec();
        qInfo() << "Batch ends with" << code;
        machine->stop();
        worker->do_stop();
        worker->wait();
        install_exit_signal_handlers({});
    }
    delete worker;
    delete machine;
    std::fclose(out);
    return code;
}
