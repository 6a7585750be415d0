#include "app/batch.h"

#include "app/command_line.h"
#include "app/exit_signals.h"
#include "app/start_up.h"
#include "device/device_text.h"
#include "device/product.h"
#include "dfu/dfu_util_parser.h"
#include "machines/outcome_model.h"
#include "machines/sm_a.h"
#include "machines/sm_b.h"
#include "texts/language.h"
#include "simulator/simulator.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSet>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <functional>
#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

using Kind = Outcome::Kind;

enum class Result { none, upgraded, verified, refused, unreadable, failed, interrupted, stopped };
constexpr Result all_results[] = {Result::upgraded, Result::verified, Result::refused, Result::unreadable,
                                  Result::failed, Result::interrupted, Result::stopped};

const char* token(Result result)
{
    switch (result) {
    case Result::upgraded: return "upgraded";
    case Result::verified: return "verified";
    case Result::refused: return "refused";
    case Result::unreadable: return "unreadable";
    case Result::failed: return "failed";
    case Result::interrupted: return "interrupted";
    case Result::stopped: return "stopped";
    case Result::none: break;
    }
    return "";
}

Result result_of(const QString& name)
{
    for (const Result result : all_results)
        if (name == token(result))
            return result;
    return Result::none;
}

// One unit from its first reading to its result.
struct Unit {
    QString serial;
    QString product;
    QString revision_before;
    QString revision_after; // only as read after the write, or as it stands when nothing was written
    bool written = false;   // a write was begun: the flash is not what it was
    Result result = Result::none;
    QString reason;
    double seconds = 0;
};

// A unit's result as people read it.
QString unit_line(const Unit& unit, const Settings::GUI& gui)
{
    const auto shown = [](const QString& revision) {
        return revision.isEmpty() ? QString("?") : Device::for_people(revision);
    };
    const QString serial = Device::for_people(unit.serial);
    switch (unit.result) {
    case Result::upgraded:
        return gui.text("batch_upgraded").arg(serial, shown(unit.revision_before), shown(unit.revision_after));
    case Result::verified:
        return gui.text("batch_verified").arg(serial, shown(unit.revision_after));
    default:
        break;
    }
    const QString id = QString("batch_") + token(unit.result);
    return gui.text(id).arg(serial, unit.reason).trimmed();
}

// A unit's result as a bench reads it.
QJsonObject unit_json(const Unit& unit)
{
    const auto or_null = [](const QString& value) { return value.isEmpty() ? QJsonValue() : QJsonValue(value); };
    QJsonObject object;
    object["serial"] = unit.serial;
    object["product"] = or_null(unit.product);
    object["revision_before"] = or_null(unit.revision_before);
    object["revision_after"] = or_null(unit.revision_after);
    object["written"] = unit.written;
    object["result"] = token(unit.result);
    object["reason"] = unit.reason;
    object["seconds"] = qRound(unit.seconds * 10) / 10.0;
    return object;
}

Unit unit_from_json(const QJsonObject& object)
{
    Unit unit;
    unit.serial = object["serial"].toString();
    unit.product = object["product"].toString();
    unit.revision_before = object["revision_before"].toString();
    unit.revision_after = object["revision_after"].toString();
    unit.written = object["written"].toBool();
    unit.result = result_of(object["result"].toString());
    unit.reason = object["reason"].toString();
    unit.seconds = object["seconds"].toDouble();
    return unit;
}

void write_json(FILE* stream, const QJsonObject& object)
{
    const QByteArray json = Device::json_for_people(QJsonDocument(object).toJson(QJsonDocument::Compact));
    std::fprintf(stream, "%s\n", json.constData());
    std::fflush(stream);
}

void write_text(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

// A text for people in the user's language; the log keeps the English it was made in.
using ForPeople = std::function<QString(const QString&)>;

// What a run that serves one unit tells the run that started it, on standard error, a line
// each: "=" a status line, "%" the percent and the progress line, "+" the unit's product.
class Relay {
public:
    Relay(FILE* stream, ForPeople people) : stream(stream), people(std::move(people)) {}

    // A status line, said once however often the model repeats it.
    void line(const QString& text)
    {
        if (text.isEmpty() || text == last_line)
            return;
        last_line = text;
        last_progress.clear();
        Settings::log_shown(text);
        write_text(stream, "=" + people(text) + "\n");
    }

    void progress(const QString& caption, int percent)
    {
        const QString text = Settings::bar_caption(caption, percent);
        if (text == last_progress || text == last_line)
            return;
        if (caption != last_caption) {
            Settings::log_shown(text);
            // Put in the user's language once a phase: matching it against the file's texts is
            // not work for every percent.
            people_caption = people(caption);
        }
        last_progress = text;
        last_caption = caption;
        write_text(stream, "%" + QString::number(percent) + " " + Settings::bar_caption(people_caption, percent) + "\n");
    }

    void product(const QString& name) { write_text(stream, "+" + name + "\n"); }

private:
    FILE* stream;
    ForPeople people;
    QString last_line;
    QString last_progress;
    QString last_caption;
    QString people_caption; // last_caption in the user's language
};

// The status line of an outcome as the bench says it: where the window points to its steps,
// the bench says what to do with the unit.
QString bench_words(const Outcome& outcome, const Settings::GUI& gui)
{
    static const QStringList own{"status_written", "status_downloadFailed", "status_readFailed",
                                 "status_writeInterrupted", "status_checkNotMade"};
    Outcome bench = outcome;
    if (own.contains(outcome.text_id))
        bench.text_id = "bench_" + outcome.text_id.mid(QString("status_").size());
    return told_in_english(bench, gui);
}

// Serves the one unit of --serial, over the same worker, presentation machine and outcome
// model as the window, and writes its result as one JSON object.
class Serving : public QObject {
public:
    Serving(SM_A* worker, SM_B* machine, OutcomeModel* model, const Settings::GUI& gui, const BatchOptions& options,
            FILE* results, Relay* relay)
        : worker(worker), machine(machine), gui(gui), options(options), results(results), relay(relay)
    {
        unit.serial = options.serial;
        taken.start();
        not_back.setSingleShot(true);
        not_back.setInterval(options.timeout_s * 1000);
        connect(&not_back, &QTimer::timeout, this, [this] {
            if (phase == Phase::awaiting_return)
                finish(Result::failed, text("reason_notBack"));
        });
        connect(model, &OutcomeModel::changed, this, &Serving::changed);
        // The unit's own record as the machine judged it, before the model says anything of it.
        connect(machine, &SM_B::sig_DeviceConnected, this, &Serving::unit_read);
        connect(worker, &SM_A::sig_readingInfo, this, &Serving::reading);
        connect(worker, &SM_A::sig_DeviceError, this, &Serving::unreadable);
        connect(worker, &SM_A::sig_A0_entered, this, &Serving::scan_again);
        connect(worker, &SM_A::sig_FwDownloadResult, this, [this] { unit.written = true; });
        // Listed, but not with the interfaces of the bootloader this tool knows: never read.
        connect(worker, &SM_A::sig_Problem, this, [this](int problem) {
            if (problem == SM_A::problem_unknown_device && phase == Phase::awaiting_unit)
                finish(Result::refused, text("bench_unknownDevice"));
        });
    }

    int exit_code() const
    {
        if (signal_number)
            return 128 + signal_number;
        switch (unit.result) {
        case Result::upgraded:
        case Result::verified: return 0;
        case Result::refused: return 3;
        default: return 2;
        }
    }

    void signal_received(int number)
    {
        if (signal_number)
            return;
        signal_number = number;
        not_back.stop();
        if (worker->stop_after_transfer(this, [this] { end_after_signal(); }))
            relay->line(text("status_finishing"));
        else
            end_after_signal();
    }

private:
    enum class Phase { awaiting_unit, serving, after_failed_write, awaiting_return, ended };

    QString text(const QString& id) const { return plain_text(gui.text(id)); }
    QString said(const Outcome& outcome) const { return bench_words(outcome, gui); }

    void reading()
    {
        if (phase == Phase::awaiting_unit)
            missed = 0;
        // Read again after a failed write: it was there all along, and the write failed.
        if (phase == Phase::after_failed_write)
            finish(Result::failed, failure);
    }

    void scan_again()
    {
        // The worker starts over each time its scan finds no unit: the unit went between the
        // hub's listing and its reading, or during a write that then failed.
        if (phase == Phase::awaiting_unit && ++missed >= 3)
            finish(Result::unreadable, text("reason_goneBeforeRead"));
        else if (phase == Phase::after_failed_write && ++missed >= 2)
            finish(Result::interrupted, text("reason_goneWriting"));
    }

    void unreadable()
    {
        if (phase != Phase::awaiting_unit && phase != Phase::awaiting_return)
            return;
        const DFU::DeviceInfo info = worker->snapshot().info;
        if (phase == Phase::awaiting_unit)
            note_product(info);
        finish(Result::unreadable, text("bench_readFailed"));
    }

    void note_product(const DFU::DeviceInfo& info)
    {
        unit.product = info.valid && Device::is_known(info.OTP_info.product.type) ? info.OTP_info.product.product_name()
                                                                                    : QString();
        if (!unit.product.isEmpty())
            relay->product(unit.product);
    }

    void unit_read()
    {
        const QString revision = machine->device_info.FW_revision;
        if (phase == Phase::awaiting_return) {
            not_back.stop();
            unit.revision_after = revision;
            phase = Phase::serving;
            return;
        }
        if (phase != Phase::awaiting_unit)
            return;
        note_product(machine->device_info);
        unit.revision_before = revision;
        unit.revision_after = revision;
        phase = Phase::serving;
    }

    void changed(const Outcome& outcome)
    {
        if (phase == Phase::ended || phase == Phase::awaiting_unit)
            return;
        // Piped, every line stays: a silence is said once, not each second it goes on.
        const bool counting = outcome.kind == Kind::transfer_silent && told_kind == Kind::transfer_silent;
        told_kind = outcome.kind;
        if (counting)
            return;
        if (outcome.bar == Outcome::Bar::moving && !outcome.bar_caption_id.isEmpty()
            && outcome.kind != Kind::transfer_silent) {
            relay->progress(gui.text(outcome.bar_caption_id), outcome.percent);
        } else {
            relay->line(said(outcome));
            if (outcome.bar != Outcome::Bar::hidden && !outcome.bar_caption_id.isEmpty())
                relay->line(text(outcome.bar_caption_id));
        }
        if (phase == Phase::serving)
            serve(outcome);
    }

    // What the unit being served comes to, from what the window would say.
    void serve(const Outcome& outcome)
    {
        switch (outcome.kind) {
        case Kind::waiting:
            finish(Result::interrupted, text("reason_gone"));
            break;
        case Kind::offered:
        case Kind::verify_failed:
            if (write_asked) {
                finish(Result::failed, said(outcome));
            } else if (!signal_number) {
                write_asked = true;
                // After the machine has settled in the state that offers it, as a click comes.
                QMetaObject::invokeMethod(machine, &SM_B::do_download, Qt::QueuedConnection);
            }
            break;
        case Kind::written:
            // Whatever is read from now on is read after the write.
            unit.revision_after.clear();
            phase = Phase::awaiting_return;
            if (options.timeout_s > 0)
                not_back.start();
            break;
        case Kind::write_failed:
            // Failed, or cut by the unit's going: the next scan tells which.
            unit.revision_after.clear();
            failure = said(outcome);
            missed = 0;
            phase = Phase::after_failed_write;
            break;
        case Kind::write_interrupted:
            unit.revision_after.clear();
            finish(Result::interrupted, said(outcome));
            break;
        case Kind::check_not_made:
            finish(outcome.reason_id == "reason_silent" ? Result::interrupted
                       : unit.written                  ? Result::failed
                                                       : Result::unreadable,
                   said(outcome));
            break;
        case Kind::verified:
            finish(unit.written ? Result::upgraded : Result::verified, {});
            break;
        case Kind::other_product:
        case Kind::unidentified:
            finish(Result::refused, said(outcome));
            break;
        default:
            break;
        }
    }

    void end_after_signal()
    {
        // Only a write the unit has taken is told: one asked for has not begun once stopped.
        if (phase != Phase::ended)
            finish(Result::stopped, unit.written ? text("result_written") : QString());
    }

    void finish(Result result, const QString& reason)
    {
        if (phase == Phase::ended)
            return;
        phase = Phase::ended;
        not_back.stop();
        unit.result = result;
        unit.reason = reason;
        unit.seconds = taken.elapsed() / 1000.0;
        write_json(results, unit_json(unit));
        qInfo().noquote() << "Unit" << Device::for_people(unit.serial) << "ends:" << token(result) << unit.reason;
        QCoreApplication::exit(exit_code());
    }

    SM_A* worker;
    SM_B* machine;
    const Settings::GUI& gui;
    BatchOptions options;
    FILE* results;
    Relay* relay;
    QTimer not_back;
    QElapsedTimer taken;
    Phase phase = Phase::awaiting_unit;
    Unit unit;
    QString failure;
    Kind told_kind = Kind::waiting;
    int missed = 0;
    bool write_asked = false;
    int signal_number = 0;
};

// Where the words for people go. On a terminal: a line per unit being served, updated in
// place, with a counter line under them and finished units scrolling above; else lines with
// the time in front, each naming its unit.
class Board {
public:
    Board(FILE* stream, bool terminal, ForPeople people)
        : stream(stream), terminal(terminal), people(std::move(people))
    {
    }

    // A line of the run itself, or a unit's result, in English (the units' own lines come in
    // the user's language from their runs).
    void note(const QString& text)
    {
        if (text.isEmpty())
            return;
        Settings::log_shown(text);
        if (terminal)
            scrolled << people(text);
        else
            write_text(stream, stamped(people(text)));
        draw();
    }

    // The counter under the units' lines, in English.
    void counter(const QString& text)
    {
        counter_line = people(text);
        draw();
    }

    void status(const QString& serial, const QString& text)
    {
        Row& row = rows[serial];
        row.phase = text;
        row.percent = -1;
        if (!terminal)
            write_text(stream, stamped(Device::for_people(serial) + ": " + text));
        draw();
    }

    void progress(const QString& serial, int percent, const QString& text)
    {
        Row& row = rows[serial];
        const QString caption = QString(text).remove(QRegularExpression("\\s*\\d+%$"));
        if (!terminal && (caption != row.caption || percent / 10 != row.percent / 10))
            write_text(stream, stamped(Device::for_people(serial) + ": " + text));
        row.phase = text;
        row.caption = caption;
        row.percent = percent;
        draw();
    }

    void product(const QString& serial, const QString& name)
    {
        rows[serial].product = name;
        draw();
    }

    void started(const QString& serial)
    {
        rows[serial].taken.start();
        draw();
    }

    void ended(const QString& serial)
    {
        rows.remove(serial);
        draw();
    }

    // Redrawn with the seconds each unit has taken.
    void draw()
    {
        if (!terminal)
            return;
        QString out;
        if (drawn > 0)
            out += QString("\r\033[%1A\033[J").arg(drawn);
        // Written once and never redrawn: a long one may wrap.
        for (const QString& line : qAsConst(scrolled))
            out += line + "\n";
        scrolled.clear();
        drawn = 0;
        for (auto row = rows.cbegin(); row != rows.cend(); ++row) {
            const QString tail = QString(" %1s").arg(row->taken.isValid() ? row->taken.elapsed() / 1000 : 0, 4);
            const QString head = QString("%1 %2 ").arg(Device::for_people(row.key()), -12).arg(row->product, -5);
            out += head + fitted(row->phase, head.size() + tail.size(), true) + tail + "\n";
            ++drawn;
        }
        if (!counter_line.isEmpty() && (drawn > 0 || !finished_once)) {
            out += fitted(counter_line, 0) + "\n";
            ++drawn;
        }
        write_text(stream, out);
    }

    // The last counter stays as it was, above the run's closing lines.
    void close() { finished_once = true; }

private:
    struct Row {
        QString product;
        QString phase;
        QString caption;
        int percent = -1;
        QElapsedTimer taken;
    };

    static QString stamped(const QString& text)
    {
        return QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm:ss ") + text + "\n";
    }

    // Within 80 columns, beside what else stands on the line; padded to its room, so that
    // what follows stands in one column.
    static QString fitted(const QString& text, int beside, bool padded = false)
    {
        const int room = 79 - beside;
        if (text.size() > room)
            return text.left(room - 1) + QChar(0x2026);
        return padded ? text.leftJustified(room) : text;
    }

    FILE* stream;
    bool terminal;
    ForPeople people;
    QMap<QString, Row> rows;
    QStringList scrolled;
    QString counter_line;
    int drawn = 0;
    bool finished_once = false;
};

// Serves every unit on the hub: a run of this program per unit, pinned to the unit's serial,
// up to --jobs at the same time. A unit's fault, hang or crash stays with its own run.
class Hub : public QObject {
public:
    Hub(const Settings::GUI& gui, const BatchOptions& options, FILE* results, Board* board)
        : gui(gui), options(options), results(results), board(board)
    {
        scanning.setInterval(500);
        connect(&scanning, &QTimer::timeout, this, &Hub::scan);
        ticking.setInterval(1000);
        connect(&ticking, &QTimer::timeout, this, [this] { this->board->draw(); });
        timeout.setSingleShot(true);
        timeout.setInterval(options.timeout_s * 1000);
        connect(&timeout, &QTimer::timeout, this, &Hub::timed_out);
    }

    void start()
    {
        board->note(text("batch_waiting"));
        scanning.start();
        ticking.start();
        scan();
    }

    int exit_code() const
    {
        if (signal_number)
            return 128 + signal_number;
        if (counts.value(Result::failed) + counts.value(Result::unreadable) + counts.value(Result::interrupted) > 0)
            return 2;
        if (counts.value(Result::refused) > 0)
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
        scanning.stop();
        timeout.stop();
        // A signal sent to this run alone reaches every unit's run too; one sent to the
        // process group reaches them twice, and each answers only the first.
        for (Child* child : qAsConst(running))
            ::kill(pid_t(child->process.processId()), number);
        if (!running.isEmpty())
            board->note(text("status_finishing"));
        settle();
    }

private:
    struct Child {
        QProcess process;
        QString serial;
        QByteArray out;
        QByteArray err;
    };

    QString text(const QString& id) const { return plain_text(gui.text(id)); }

    void scan()
    {
        const DFU::ScanResult scan = DFU::make_scan();
        if (scan.listing_failed)
            return;
        QMap<QString, int> listed;
        QSet<QString> unsafe; // a serial the listing could not read for certain: never addressed
        for (const DFU::DeviceItem& item : scan.devices) {
            ++listed[item.serial];
            if (item.ambiguous)
                unsafe << item.serial;
        }
        if (scan.access_denied != access_denied) {
            access_denied = scan.access_denied;
            if (access_denied)
                board->note(text("status_noPermission"));
        }
        // A unit served is left alone until it is taken away: missed by two listings in a row,
        // not by one that a busy hub may answer without it. One that went before its turn is
        // forgotten.
        for (auto it = served.begin(); it != served.end();) {
            it.value() = listed.contains(it.key()) ? 0 : it.value() + 1;
            it = it.value() >= 2 ? served.erase(it) : std::next(it);
        }
        for (auto it = waiting.begin(); it != waiting.end();) {
            if (listed.contains(*it)) {
                ++it;
            } else {
                --taken;
                it = waiting.erase(it);
            }
        }
        for (auto it = listed.cbegin(); it != listed.cend(); ++it) {
            const QString& serial = it.key();
            if (served.contains(serial) || running.contains(serial) || waiting.contains(serial))
                continue;
            if (options.units > 0 && taken >= options.units)
                break;
            if (it.value() > 1 || serial.isEmpty() || unsafe.contains(serial)) {
                // Nothing done to one unit could be told from what is done to the other.
                for (int i = 0; i < it.value(); ++i) {
                    ++taken;
                    Unit unit;
                    unit.serial = serial;
                    unit.result = Result::refused;
                    unit.reason = unsafe.contains(serial) ? text("status_serialUnsafe").arg(Device::for_people(serial))
                                  : text(serial.isEmpty() ? "reason_noSerial" : "reason_sameSerial");
                    record(unit);
                }
                served.insert(serial, 0);
                continue;
            }
            ++taken;
            waiting << serial;
        }
        present = !listed.isEmpty();
        settle();
    }

    // Starts what may start, and ends the run when nothing is left to do.
    void settle()
    {
        while (!signal_number && running.size() < options.jobs && !waiting.isEmpty())
            serve(waiting.takeFirst());
        if (signal_number && running.isEmpty()) {
            // Units that waited for their turn are reported too: nothing was done to them.
            for (const QString& serial : qAsConst(waiting)) {
                Unit unit;
                unit.serial = serial;
                unit.result = Result::stopped;
                record(unit);
            }
            waiting.clear();
            end();
            return;
        }
        if (options.units > 0 && handled >= options.units && running.isEmpty()) {
            end();
            return;
        }
        // Counts only while no unit is connected and none is served.
        const bool idle = running.isEmpty() && waiting.isEmpty() && !present;
        if (!idle)
            timeout.stop();
        else if (options.timeout_s > 0 && !timeout.isActive() && !signal_number)
            timeout.start();
        show_counter();
    }

    void serve(const QString& serial)
    {
        auto* child = new Child;
        child->serial = serial;
        running.insert(serial, child);
        QStringList arguments{"--batch", "--serial", serial, "--json"};
        if (options.timeout_s > 0)
            arguments << "--timeout" << QString::number(options.timeout_s);
        if (options.verbose)
            arguments << "--verbose";
        arguments << (simulator::use ? "-s" : "-S");
        child->process.setStandardInputFile(QProcess::nullDevice());
        connect(&child->process, &QProcess::readyReadStandardOutput, this,
                [child] { child->out += child->process.readAllStandardOutput(); });
        connect(&child->process, &QProcess::readyReadStandardError, this, [this, child] { heard(child); });
        connect(&child->process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
                [this, child] { child_ended(child); });
        connect(&child->process, &QProcess::errorOccurred, this, [this, child](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                child_ended(child);
        });
        qInfo().noquote() << "Serving the unit of serial" << Device::for_people(serial);
        board->started(serial);
        child->process.start(QCoreApplication::applicationFilePath(), arguments);
    }

    void heard(Child* child)
    {
        child->err += child->process.readAllStandardError();
        for (int end = child->err.indexOf('\n'); end >= 0; end = child->err.indexOf('\n')) {
            const QString line = QString::fromUtf8(child->err.left(end));
            child->err.remove(0, end + 1);
            if (line.startsWith('=')) {
                board->status(child->serial, line.mid(1));
            } else if (line.startsWith('%')) {
                board->progress(child->serial, line.mid(1).section(' ', 0, 0).toInt(), line.section(' ', 1));
            } else if (line.startsWith('+')) {
                board->product(child->serial, line.mid(1));
            } else if (!line.isEmpty()) {
                // The unit's own log and warnings, named by its serial.
                std::fprintf(stderr, "%s: %s\n", qPrintable(Device::for_people(child->serial)), qPrintable(line));
            }
        }
    }

    void child_ended(Child* child)
    {
        if (!running.contains(child->serial) || running.value(child->serial) != child)
            return;
        running.remove(child->serial);
        child->out += child->process.readAllStandardOutput();
        heard(child);
        Unit unit;
        for (const QByteArray& line : child->out.split('\n')) {
            const QJsonObject object = QJsonDocument::fromJson(line).object();
            if (object["serial"].toString() == child->serial && result_of(object["result"].toString()) != Result::none)
                unit = unit_from_json(object);
        }
        if (unit.result == Result::none) {
            // The unit's run ended without its result (a crash, or a kill): nothing is known.
            unit.serial = child->serial;
            unit.result = Result::failed;
            const bool crashed = child->process.exitStatus() == QProcess::CrashExit;
            unit.reason = text("reason_childEnded").arg(crashed ? QString("crash") : QString::number(child->process.exitCode()));
        }
        board->ended(child->serial);
        served.insert(child->serial, 0);
        record(unit);
        child->process.disconnect(this);
        // Deleted once the process object's own signal is over.
        QTimer::singleShot(0, this, [child] { delete child; });
        settle();
    }

    // A unit's result, said and written as one JSON object.
    void record(const Unit& unit)
    {
        counts[unit.result] += 1;
        ++handled;
        board->note(unit_line(unit, gui));
        if (options.json)
            write_json(results, unit_json(unit));
        qInfo().noquote() << "Unit" << Device::for_people(unit.serial) << "ends:" << token(unit.result) << unit.reason;
    }

    void show_counter()
    {
        board->counter(gui.text("batch_counter")
                           .arg(counts.value(Result::upgraded))
                           .arg(counts.value(Result::verified))
                           .arg(counts.value(Result::refused))
                           .arg(handled - counts.value(Result::upgraded) - counts.value(Result::verified)
                                - counts.value(Result::refused))
                           .arg(running.size())
                           .arg(waiting.size()));
    }

    void timed_out()
    {
        no_unit_came = true;
        board->note(gui.text("batch_timeout").arg(options.timeout_s));
        end();
    }

    void end()
    {
        if (ended)
            return;
        ended = true;
        scanning.stop();
        ticking.stop();
        timeout.stop();
        show_counter();
        board->close();
        board->draw();
        QString summary = gui.text("batch_summary").arg(handled);
        for (const Result result : all_results)
            summary = summary.arg(counts.value(result));
        board->note(summary);
        if (options.json) {
            QJsonObject object;
            object["summary"] = true;
            object["units"] = handled;
            for (const Result result : all_results)
                object[token(result)] = counts.value(result);
            write_json(results, object);
        }
        QCoreApplication::exit(exit_code());
    }

    const Settings::GUI& gui;
    BatchOptions options;
    FILE* results;
    Board* board;
    QTimer scanning;
    QTimer ticking;
    QTimer timeout;
    QMap<QString, Child*> running;
    QStringList waiting;
    QMap<QString, int> served; // by serial: the listings in a row that missed it
    QMap<Result, int> counts;
    int taken = 0;
    int handled = 0;
    int signal_number = 0;
    bool present = false;
    bool access_denied = false;
    bool no_unit_came = false;
    bool ended = false;
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

// Standard output carries only what this face writes there: the machines' own trace
// lines go to the log (standard error with --verbose), and nowhere without it. Answers
// the stream for this face's own lines, or null.
FILE* take_standard_output(bool verbose)
{
    std::fflush(stdout);
    const int out_fd = dup(STDOUT_FILENO);
    const int trace_fd = verbose ? dup(STDERR_FILENO) : open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (out_fd < 0 || trace_fd < 0 || dup2(trace_fd, STDOUT_FILENO) < 0) {
        std::fprintf(stderr, "velmora-fw-upgrade: standard output cannot be set up\n");
        return nullptr;
    }
    close(trace_fd);
    fcntl(out_fd, F_SETFD, FD_CLOEXEC);
    return fdopen(out_fd, "w");
}

int serve_one_unit(QCoreApplication* app, const Machines& machines, const Settings::Settings& settings,
                   const BatchOptions& options, FILE* out, const ForPeople& people_words)
{
    Relay relay(stderr, people_words);
    Serving serving(machines.worker, machines.machine, machines.model, settings.gui, options, out, &relay);
    install_exit_signal_handlers([&serving](int number) { serving.signal_received(number); });
    // A run that serves the hub and is killed leaves no unit's run behind for long: each
    // is told as by SIGTERM, finishes its running transfer and ends.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() == 1)
        raise(SIGTERM);
    start_machines(machines);
    const int code = app->exec();
    machines.machine->stop();
    machines.worker->do_stop();
    machines.worker->wait();
    install_exit_signal_handlers({});
    return code;
}

int serve_the_hub(QCoreApplication* app, const Settings::Settings& settings, const BatchOptions& options,
                  FILE* out, FILE* people, const ForPeople& people_words)
{
    Board board(people, isatty(fileno(people)) == 1, people_words);
    Hub hub(settings.gui, options, out, &board);
    install_exit_signal_handlers([&hub](int number) { hub.signal_received(number); });
    hub.start();
    const int code = app->exec();
    install_exit_signal_handlers({});
    return code;
}

} // namespace

int run_batch(QCoreApplication* app)
{
    const BatchOptions options = batch_options();
    FILE* out = take_standard_output(options.verbose);
    if (!out)
        return 1;
    FILE* people = options.json ? stderr : out;

    if (!options.verbose)
        qInstallMessageHandler(quiet_handler);
    parse_arguments(app);
    // The words for people in the user's language, as the window has them; the log and the
    // JSON stay English.
    language::install(language::choose(QProcessEnvironment::systemEnvironment()));
    const ToolProblem problem = prepare_dfu_util();
    const Settings::Settings settings = make_settings();
    const ForPeople people_words = [&settings](const QString& english) { return settings.gui.localize(english, plain_text); };
    Machines machines = make_machines(settings, problem);
    machines.worker->only_serial = options.serial;
    int code = 2;
    if (!problem.text_id.isEmpty()) {
        // A bench cannot wait for a tool that will never run: said once, and the end.
        const QString why = told_in_english(machines.model->current(), settings.gui);
        if (options.one_unit) {
            Unit unit;
            unit.serial = options.serial;
            unit.result = Result::failed;
            unit.reason = why;
            write_json(out, unit_json(unit));
        } else {
            Board(people, false, people_words).note(why);
        }
    } else if (options.one_unit) {
        code = serve_one_unit(app, machines, settings, options, out, people_words);
    } else {
        // The units are served by runs of their own: this one only lists the hub.
        delete machines.worker;
        delete machines.machine;
        machines.worker = nullptr;
        machines.machine = nullptr;
        code = serve_the_hub(app, settings, options, out, people, people_words);
    }
    qInfo() << "Batch ends with" << code;
    delete machines.worker;
    delete machines.machine;
    std::fclose(out);
    return code;
}
