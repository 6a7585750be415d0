#pragma once

#include "dfu/device_info.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class SM_A;
class SM_B;

// The one thing the user must be told now, as the window and the terminal both render it:
// a status text with what fills it, whether the install button is offered, and the bar.
struct Outcome {
    enum class Kind {
        waiting,           // no unit: steps 1 to 3
        tool_unusable,     // no dfu-util can be run at all
        several_units,
        no_permission,
        unknown_device,    // a DFU device that is not the bootloader this tool knows
        unaddressable,     // a unit whose serial the listing cannot name for certain: refused
        reading,           // a unit was found and is being read
        not_answering,     // reading a unit has taken 30 s
        read_failed,
        connected,         // read, not judged yet
        offered,           // the upgrade is offered
        writing,           // asked for, or under way (running)
        transfer_silent,   // a write or read-back has printed nothing for a few seconds
        written,           // until the unit is read again
        write_failed,
        write_interrupted, // a hung write was ended
        verifying,         // asked for, or under way (running)
        verified,
        verify_failed,     // the flash was shown to differ
        check_not_made,    // the flash could not be read back: nothing is known
        other_product,
        unidentified,
        finishing,         // stopping, once the running transfer is over
        stopped,
    };
    enum class Bar { hidden, waiting, moving, full };

    Kind kind = Kind::waiting;
    QString text_id;        // the status line's settings text
    QStringList arguments;  // %1, %2 ... of it, plain text
    QString reason_id;      // a settings text that fills the last placeholder, if any
    QString reason_argument;
    bool offer_install = false;
    Bar bar = Bar::hidden;
    QString bar_caption_id;
    int percent = 0;

    bool operator==(const Outcome& other) const;
    bool operator!=(const Outcome& other) const { return !(*this == other); }
};

// The status text with its placeholders filled; lookup gives a settings text by id (in English
// for the log and the terminal, translated for the screen), and value, if given, turns each
// value into the same language. Values are escaped: device texts are text, never markup.
QString status_html(const Outcome& outcome, const std::function<QString(const QString&)>& lookup,
                    const std::function<QString(const QString&)>& value = {});
// Rich text as one line of plain text: tags dropped, line breaks as spaces, entities decoded.
QString plain_text(const QString& html);
// Product names as a sentence names them, in the English of the settings file's
// "product_either" ("N20 or N20S"), which the window gives in its language.
QString product_text(const QStringList& names);
// A unit's revision text as it may be shown: a short plain token, else empty (unknown).
QString shown_revision(const QString& revision);

// Takes the machines' events and holds what the user must be told. Everything it keeps of a
// unit belongs to one reading of that unit, and is dropped when another is read.
class OutcomeModel : public QObject {
    Q_OBJECT

public:
    explicit OutcomeModel(QString desired_product, QObject* parent = nullptr);

    const Outcome& current() const { return now; }
    // The serial of the unit the outcome speaks of; empty when none.
    QString serial() const { return unit.serial; }
    // Connects the worker's and the presentation machine's events.
    void attach(SM_A* worker, SM_B* machine);

    // Start-up found that no dfu-util can be run: said instead of every no-unit text.
    void tool_unusable(const QString& text_id, const QStringList& arguments, const QString& reason_id = {},
                       const QString& reason_argument = {});

    // Events, each as one of the machines announces it.
    void problem(int problem);
    void unaddressable(const QString& serial);
    void reading();
    void read_failed();
    void worker_restarted();
    void no_unit();
    void unit_read(const DFU::DeviceInfo& info, const QString& serial);
    void offered();
    void blank_record();
    void other_product();
    void write_requested();
    void verify_requested();
    void transfer_started();
    void progress(int phase, int percent);
    // The running transfer has printed nothing for this many seconds (said once a second).
    void silence(int seconds);
    void download_result(int code);
    void check_result(int outcome, const QString& reason_id = {}, const QString& reason_argument = {});
    void stop_requested(bool transferring);
    void worker_finished();

    // Whether the user has a log window to read (-l): only then does a status point to it.
    bool log_window = false;

signals:
    void changed(const Outcome& outcome);

private:
    struct Unit {
        QString serial;
        QString product;   // with its article, as the status line names it
        QString revision;  // as it may be shown; empty: unknown
        bool known_type = false;
        // A failed or cut-off write of this very unit, said again when it is judged.
        Outcome write_note;
        // The last write of this program to this very unit went through: its check is of that write.
        bool written_here = false;
    };

    void show(Outcome next);
    void show_no_unit();
    Outcome unit_outcome(Outcome::Kind kind, const QString& text_id) const;
    Outcome revision_outcome(Outcome::Kind kind) const;
    Outcome write_failed_outcome(const QString& reason_argument) const;
    bool transferring() const;
    void transfer_over(Outcome::Kind result, Outcome next);

    QString desired_product;
    Outcome now;
    Outcome unusable;      // kind tool_unusable once start-up has said so
    int worker_problem = 0;
    QString unaddressable_serial; // as far as the listing could read it
    bool unit_reading = false;
    bool unit_unreadable = false;
    bool in_use = false;   // a unit is judged or worked on (the machine is out of its no-unit state)
    Unit unit;
    // What the last write left to say until a unit is read again, and of which unit.
    Outcome after_write;
    QString written_serial;
    Outcome::Kind transfer_result = Outcome::Kind::waiting;
    bool stopping = false;
};
