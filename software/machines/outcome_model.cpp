#include "machines/outcome_model.h"

#include "device/device_text.h"
#include "device/product.h"
#include "dfu/dfu_util.h"
#include "dfu/firmware_transfer.h"
#include "dfu/progress.h"
#include "files/support_misc.h"
#include "machines/sm_a.h"
#include "machines/sm_b.h"

#include <QDebug>
#include <QRegularExpression>
#include <QState>

using Kind = Outcome::Kind;

bool Outcome::operator==(const Outcome& other) const
{
    return kind == other.kind && text_id == other.text_id && arguments == other.arguments
        && reason_id == other.reason_id && reason_argument == other.reason_argument
        && offer_install == other.offer_install && bar == other.bar && bar_caption_id == other.bar_caption_id
        && percent == other.percent;
}

QString status_html(const Outcome& outcome, const std::function<QString(const QString&)>& lookup,
                    const std::function<QString(const QString&)>& value)
{
    if (outcome.text_id.isEmpty())
        return {};
    QString text = lookup(outcome.text_id);
    QStringList values;
    for (const QString& argument : outcome.arguments)
        values << (value ? value(argument) : argument).toHtmlEscaped();
    if (!outcome.reason_id.isEmpty()) {
        QString reason = lookup(outcome.reason_id);
        // Only a reason that has a place for its value is given one: Qt warns of the others.
        if (reason.contains("%1"))
            reason = reason.arg(value ? value(outcome.reason_argument) : outcome.reason_argument);
        values << reason.toHtmlEscaped();
    }
    return support_misc::fill_placeholders(text, values);
}

QString plain_text(const QString& html)
{
    static const QRegularExpression line_break("<br\\s*/?>", QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tag("<[^>]*>");
    static const QRegularExpression spaces("\\s+");
    QString text = html;
    text.replace(line_break, " ").replace(tag, "");
    text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&#39;", "'").replace("&amp;", "&");
    return text.replace(spaces, " ").trimmed();
}

QString product_text(const QStringList& names)
{
    QString text = names.value(0);
    for (int i = 1; i < names.size(); ++i)
        text = QString("%1 or %2").arg(text, names[i]);
    return text;
}

QString shown_revision(const QString& revision)
{
    // The text comes from the unit: a revision that reads like a sentence ("C8. Done.") must
    // not put words on screen that the program did not say.
    static const QRegularExpression token("^[A-Za-z0-9.\\-]{1,16}$");
    return token.match(revision).hasMatch() ? revision : QString();
}

namespace {

// An outcome of a text that takes no value of the unit.
Outcome told(Kind kind, const QString& text_id)
{
    Outcome outcome;
    outcome.kind = kind;
    outcome.text_id = text_id;
    return outcome;
}

bool silent_end(const Outcome& outcome)
{
    return outcome.kind == Kind::write_interrupted
        || (outcome.kind == Kind::check_not_made && outcome.reason_id == "reason_silent");
}

} // namespace

OutcomeModel::OutcomeModel(QString desired_product, QObject* parent)
    : QObject(parent)
    , desired_product(std::move(desired_product))
{
    qRegisterMetaType<Outcome>("Outcome");
    show_no_unit();
}

void OutcomeModel::show(Outcome next)
{
    if (next == now)
        return;
    now = std::move(next);
    emit changed(now);
}

void OutcomeModel::tool_unusable(const QString& text_id, const QStringList& arguments, const QString& reason_id,
                                 const QString& reason_argument)
{
    unusable = Outcome();
    unusable.kind = Kind::tool_unusable;
    unusable.text_id = text_id;
    unusable.arguments = arguments;
    unusable.reason_id = reason_id;
    unusable.reason_argument = reason_argument;
    if (!in_use && !stopping)
        show_no_unit();
}

void OutcomeModel::show_no_unit()
{
    if (unusable.kind == Kind::tool_unusable)
        show(unusable);
    else if (worker_problem == SM_A::problem_several_units)
        show(told(Kind::several_units, "status_severalUnits"));
    else if (worker_problem == SM_A::problem_no_permission)
        show(told(Kind::no_permission, "status_noPermission"));
    else if (worker_problem == SM_A::problem_unknown_device)
        show(told(Kind::unknown_device, "status_unknownDevice"));
    else if (worker_problem == SM_A::problem_unaddressable) {
        Outcome outcome = told(Kind::unaddressable, "status_serialUnsafe");
        outcome.arguments << Device::for_people(unaddressable_serial);
        show(outcome);
    }
    else if (worker_problem == SM_A::problem_not_answering)
        show(told(Kind::not_answering, "status_notAnswering"));
    // A transfer ended for silence leaves a unit that is likely to fail its next reading: what
    // happened, and what to do, must stay said rather than give way to that.
    else if (silent_end(after_write))
        show(after_write);
    else if (unit_unreadable)
        show(told(Kind::read_failed, "status_readFailed"));
    else if (unit_reading)
        show(told(Kind::reading, "status_reading"));
    else if (after_write.kind != Kind::waiting)
        show(after_write);
    else
        show(told(Kind::waiting, "status_noDev"));
}

Outcome OutcomeModel::unit_outcome(Kind kind, const QString& text_id) const
{
    Outcome outcome = told(kind, text_id);
    outcome.arguments << unit.product;
    return outcome;
}

Outcome OutcomeModel::revision_outcome(Kind kind) const
{
    if (unit.revision.isEmpty())
        return unit_outcome(kind, "status_devRevUnknown");
    Outcome outcome = unit_outcome(kind, "status_devRev");
    outcome.arguments << unit.revision;
    return outcome;
}

Outcome OutcomeModel::write_failed_outcome(const QString& code) const
{
    // The reason is said on screen; the log window, where there is one, tells more.
    Outcome outcome = told(Kind::write_failed, log_window ? "status_downloadFailedLog" : "status_downloadFailed");
    outcome.reason_id = "reason_uploadFailed";
    outcome.reason_argument = code;
    return outcome;
}

bool OutcomeModel::transferring() const
{
    return (now.kind == Kind::writing || now.kind == Kind::verifying || now.kind == Kind::transfer_silent
            || now.kind == Kind::finishing)
        && now.bar == Outcome::Bar::moving;
}

void OutcomeModel::problem(int problem)
{
    // A transfer's silence is counted aloud from its first seconds (silence()).
    if (problem == SM_A::problem_not_answering && transferring())
        return;
    worker_problem = problem;
    if (!in_use && !stopping)
        show_no_unit();
}

void OutcomeModel::unaddressable(const QString& serial)
{
    unaddressable_serial = serial;
    if (!in_use && !stopping)
        show_no_unit();
}

void OutcomeModel::reading()
{
    unit_reading = true;
    if (!in_use && !stopping)
        show_no_unit();
}

void OutcomeModel::read_failed()
{
    unit_reading = false;
    unit_unreadable = true;
    if (!in_use && !stopping)
        show_no_unit();
}

void OutcomeModel::worker_restarted()
{
    // The worker starts over once the unreadable unit has gone.
    unit_reading = false;
    unit_unreadable = false;
    if (!in_use && !stopping)
        show_no_unit();
}

void OutcomeModel::no_unit()
{
    in_use = false;
    unit = Unit();
    if (!stopping)
        show_no_unit();
}

void OutcomeModel::unit_read(const DFU::DeviceInfo& info, const QString& serial)
{
    in_use = true;
    unit_reading = false;
    unit = Unit();
    unit.serial = serial;
    unit.known_type = Device::is_known(info.OTP_info.product.type);
    // The unknown one in the words of the settings file's "product_unknown", which the window
    // gives in its language.
    unit.product = unit.known_type ? Device::with_article(product_text(info.OTP_info.product.product_names()))
                                   : QString("a unit of unknown type");
    unit.revision = shown_revision(info.FW_revision);
    if (unit.revision != info.FW_revision)
        qInfo().noquote() << "The unit's revision is not shown as it stands:" << Device::for_people(info.FW_revision);
    // A failed write is told again only of the unit it failed on, and only at its next reading.
    if (serial == written_serial
        && (after_write.kind == Kind::write_failed || after_write.kind == Kind::write_interrupted))
        unit.write_note = after_write;
    unit.written_here = serial == written_serial && after_write.kind == Kind::written;
    after_write = Outcome();
    written_serial.clear();
    if (!stopping)
        show(unit_outcome(Kind::connected, "status_devConn"));
}

void OutcomeModel::offered()
{
    if (stopping)
        return;
    Outcome outcome = unit.write_note.kind != Kind::waiting ? unit.write_note : revision_outcome(Kind::offered);
    outcome.offer_install = true;
    show(outcome);
}

void OutcomeModel::blank_record()
{
    if (stopping)
        return;
    Outcome outcome = told(Kind::unidentified, "status_unidentified");
    // Only a service build writes a unit that names no product.
    outcome.offer_install = have_service_build();
    show(outcome);
}

void OutcomeModel::other_product()
{
    if (stopping)
        return;
    if (!unit.known_type) {
        blank_record();
        return;
    }
    Outcome outcome = unit_outcome(Kind::other_product, "status_otherProduct");
    outcome.arguments << desired_product;
    show(outcome);
}

void OutcomeModel::write_requested()
{
    if (stopping)
        return;
    Outcome outcome = revision_outcome(Kind::writing);
    outcome.bar = Outcome::Bar::waiting;
    outcome.bar_caption_id = "bar_upgrading";
    show(outcome);
}

void OutcomeModel::verify_requested()
{
    if (stopping)
        return;
    Outcome outcome = revision_outcome(Kind::verifying);
    outcome.bar = Outcome::Bar::waiting;
    outcome.bar_caption_id = "bar_verifying";
    show(outcome);
}

void OutcomeModel::transfer_started()
{
    // Only what was asked for: a write the worker begins after a stop is not one the user
    // sees as running (none begins then).
    if (stopping || (now.kind != Kind::writing && now.kind != Kind::verifying))
        return;
    Outcome outcome = now;
    outcome.bar = Outcome::Bar::moving;
    outcome.percent = 0;
    show(outcome);
}

void OutcomeModel::progress(int phase, int percent)
{
    if (!transferring())
        return;
    Outcome outcome = now;
    if (outcome.kind == Kind::transfer_silent)
        outcome = revision_outcome(phase == int(DFU::Phase::reading) ? Kind::verifying : Kind::writing);
    outcome.bar = Outcome::Bar::moving;
    outcome.bar_caption_id = phase == int(DFU::Phase::erasing) ? "bar_erasing"
        : phase == int(DFU::Phase::writing)                    ? "bar_writing"
                                                               : "bar_reading";
    // A new phase starts its bar afresh; within one it never goes back.
    const bool same_phase = outcome.bar_caption_id == now.bar_caption_id;
    outcome.percent = qBound(0, same_phase ? qMax(percent, now.percent) : percent, 99);
    show(outcome);
}

void OutcomeModel::silence(int seconds)
{
    if (!transferring() || now.kind == Kind::finishing)
        return;
    Outcome silent = now;
    silent.kind = Kind::transfer_silent;
    silent.text_id = "status_transferSilent";
    silent.arguments = QStringList{QString::number(seconds)};
    show(silent);
}

void OutcomeModel::transfer_over(Kind result, Outcome next)
{
    transfer_result = result;
    if (worker_problem == SM_A::problem_not_answering)
        worker_problem = SM_A::problem_none; // that silence was the transfer's, and it is over
    if (stopping)
        return;
    show(std::move(next));
}

void OutcomeModel::download_result(int code)
{
    const Outcome note = code == 0                  ? told(Kind::written, "status_written")
        : code == DFU::code_ended_hung ? told(Kind::write_interrupted, "status_writeInterrupted")
        : code == DFU::code_unit_gone  ? told(Kind::write_failed, "status_writeUnplugged")
                                       : write_failed_outcome(QString::number(code));
    after_write = note;
    written_serial = unit.serial;
    transfer_over(note.kind, note);
}

void OutcomeModel::check_result(int outcome, const QString& reason_id, const QString& reason_argument)
{
    Outcome next;
    if (outcome == DFU::Check::matches) {
        // Done is said in the status line too, and whether this program wrote what was checked.
        next = unit_outcome(Kind::verified, unit.written_here ? "status_upgradedDone" : "status_alreadyCurrent");
        next.bar = Outcome::Bar::full;
        next.bar_caption_id = "bar_done";
        next.percent = 100;
    } else if (outcome == DFU::Check::differs) {
        next = unit.write_note.kind != Kind::waiting ? unit.write_note
            : told(Kind::verify_failed, unit.written_here ? "status_writtenDiffers" : "status_verifyFailed");
        next.kind = Kind::verify_failed;
        next.offer_install = true;
    } else {
        next = told(Kind::check_not_made, "status_checkNotMade");
        next.reason_id = reason_id;
        next.reason_argument = reason_argument;
        // Nothing is known of the flash until the unit is read again: said until then.
        after_write = next;
        written_serial = unit.serial;
    }
    transfer_over(next.kind, next);
}

void OutcomeModel::stop_requested(bool running)
{
    if (stopping)
        return;
    stopping = true;
    if (running) {
        Outcome outcome = now;
        outcome.kind = Kind::finishing;
        outcome.text_id = "status_finishing";
        outcome.arguments.clear();
        outcome.reason_id.clear();
        outcome.offer_install = false;
        // The worker has begun the transfer, whether or not its start has reached us yet.
        outcome.bar = Outcome::Bar::moving;
        if (outcome.bar_caption_id.isEmpty())
            outcome.bar_caption_id = "bar_upgrading";
        transfer_result = Kind::waiting;
        show(outcome);
        return;
    }
    // What the last transfer left on screen ("written, not checked yet") is kept in the stop.
    transfer_result = now.kind;
    worker_finished();
}

void OutcomeModel::worker_finished()
{
    if (!stopping || now.kind == Kind::stopped)
        return;
    Outcome outcome;
    outcome.kind = Kind::stopped;
    const auto result_id = [this]() -> QString {
        switch (transfer_result) {
        case Kind::written: return "result_written";
        case Kind::write_failed: return "result_writeFailed";
        case Kind::write_interrupted: return "result_writeInterrupted";
        case Kind::verified: return "result_verified";
        case Kind::verify_failed: return "result_verifyFailed";
        case Kind::check_not_made: return "result_checkNotMade";
        default: return {};
        }
    };
    if ((now.kind == Kind::finishing || now.kind == transfer_result) && !result_id().isEmpty()) {
        outcome.text_id = "status_stoppedAfter";
        outcome.reason_id = result_id();
    } else {
        outcome.text_id = "status_stopped";
    }
    show(outcome);
}

void OutcomeModel::attach(SM_A* worker, SM_B* machine)
{
    connect(worker, &SM_A::sig_Unaddressable, this, &OutcomeModel::unaddressable);
    connect(worker, &SM_A::sig_Problem, this, &OutcomeModel::problem);
    connect(worker, &SM_A::sig_readingInfo, this, &OutcomeModel::reading);
    connect(worker, &SM_A::sig_DeviceError, this, [this] { read_failed(); });
    connect(worker, &SM_A::sig_A0_entered, this, &OutcomeModel::worker_restarted);
    connect(worker, &SM_A::sig_FwDownloading, this, &OutcomeModel::transfer_started);
    connect(worker, &SM_A::sig_FwUploading, this, &OutcomeModel::transfer_started);
    connect(worker, &SM_A::sig_Progress, this, [this](int phase, int percent, qint64) { progress(phase, percent); });
    connect(worker, &SM_A::sig_Silent, this, &OutcomeModel::silence);
    connect(worker, &SM_A::sig_FwDownloadResult, this, &OutcomeModel::download_result);
    connect(worker, &SM_A::sig_FwUploadedMatches, this, [this] { check_result(DFU::Check::matches); });
    connect(worker, &SM_A::sig_FwUploadedDiffers, this, [this] { check_result(DFU::Check::differs); });
    connect(worker, &SM_A::sig_FwCheckNotMade, this,
            [this](const QString& reason, const QString& argument) { check_result(DFU::Check::not_made, reason, argument); });
    connect(worker, &QThread::finished, this, &OutcomeModel::worker_finished);

    connect(machine->B1, &QState::entered, this, &OutcomeModel::no_unit);
    connect(machine, &SM_B::sig_DeviceConnected, this,
            [this, machine] { unit_read(machine->device_info, machine->device_serial); });
    connect(machine->B2, &QState::entered, this, &OutcomeModel::offered);
    connect(machine->B3, &QState::entered, this, &OutcomeModel::write_requested);
    connect(machine->B4, &QState::entered, this, &OutcomeModel::verify_requested);
    connect(machine->B8, &QState::entered, this, &OutcomeModel::other_product);
    connect(machine->B9, &QState::entered, this, &OutcomeModel::blank_record);
}
