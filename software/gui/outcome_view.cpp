#include "gui/outcome_view.h"

#include "gui/main_window.h"
#include "gui/progress_bar.h"

#include <QDebug>
#include <QLabel>
#include <QStringList>

namespace {

QString caption_of(const Settings::GUI& gui, const QString& id)
{
    return id.isEmpty() ? QString() : gui.text(id);
}

void render_bar(ProgressBar* bar, const Settings::GUI& gui, const Outcome& outcome, const Outcome& before)
{
    const QString caption = caption_of(gui, outcome.bar_caption_id);
    const bool new_caption = outcome.bar_caption_id != before.bar_caption_id || outcome.bar != before.bar;
    if (new_caption && outcome.bar != Outcome::Bar::hidden)
        Settings::log_shown(Settings::bar_caption(caption));
    switch (outcome.bar) {
    case Outcome::Bar::hidden:
        bar->timer->stop();
        bar->hide();
        break;
    case Outcome::Bar::waiting:
        // Asked for, not begun: the bar shows where it starts and does not move.
        bar->timer->stop();
        bar->setFormat(caption);
        bar->setValue(bar->minimum());
        bar->show();
        break;
    case Outcome::Bar::moving: {
        if (before.bar != Outcome::Bar::moving)
            bar->startTransfer(caption, outcome.bar_caption_id == "bar_verifying" ? 0.5 : 90.0);
        const bool begun = before.bar != Outcome::Bar::moving;
        if ((begun && outcome.percent > 0)
            || (!begun && (outcome.bar_caption_id != before.bar_caption_id || outcome.percent != before.percent)))
            bar->showProgress(caption, outcome.percent);
        break;
    }
    case Outcome::Bar::full:
        bar->finishProgress();
        bar->setFormat(caption);
        bar->show();
        break;
    }
}

// A value shortened in its middle, as a long folder name is: its start and end tell most.
QString elided(const QString& value, int limit)
{
    if (value.size() <= limit)
        return value;
    const int head = (limit - 1) / 2;
    return value.left(head) + QChar(0x2026) + value.right(limit - 1 - head);
}

// The status line within the window: values that come from outside (a folder, a unit's name)
// are shortened until the text fits.
void show_status(MainWindow* window, const Outcome& outcome, const std::function<QString(const QString&)>& lookup,
                 const std::function<QString(const QString&)>& value)
{
    window->showStatus(status_html(outcome, lookup, value));
    QLabel* label = window->statusLabel;
    if (!label)
        return;
    // Wrapped: too wide for one line each.
    for (int limit = 48; limit >= 8 && label->wordWrap(); limit -= 8) {
        Outcome shorter = outcome;
        for (QString& argument : shorter.arguments)
            argument = elided(argument, limit);
        shorter.reason_argument = elided(shorter.reason_argument, limit);
        window->showStatus(status_html(shorter, lookup, value));
    }
}

} // namespace

void render_outcome(MainWindow* window, const Settings::GUI& gui, const Outcome& outcome, const Outcome& before)
{
    if (!window)
        return;
    const auto english = [&gui](const QString& id) { return gui.text(id); };
    const QString html = status_html(outcome, english);
    // The bar's caption is said before the status line that goes with it, as the user reads them.
    if (window->progressBar)
        render_bar(window->progressBar, gui, outcome, before);
    if (outcome.offer_install != window->downloadAllowed) {
        if (outcome.offer_install)
            window->enableDownload();
        else
            window->disableDownload();
    }
    // What is new is spoken by screen readers as one notification, as the user sees it: the
    // bar's phase, then the status line (once, when both say the same).
    QStringList news;
    const bool new_phase = outcome.bar_caption_id != before.bar_caption_id || before.bar == Outcome::Bar::hidden;
    if (window->progressBar && new_phase && outcome.bar != Outcome::Bar::hidden)
        news << window->progressBar->phase();
    const bool new_text = html != status_html(before, english);
    if (new_text || outcome.kind != before.kind) {
        show_status(window, outcome, [&gui](const QString& id) { return gui.display_text(id); },
                    [&gui](const QString& value) { return gui.display_arg(value); });
        Settings::log_shown(plain_text(html));
        if (new_text && window->statusLabel)
            news << window->statusLabel->accessibleName();
    }
    news.removeDuplicates();
    news.removeAll(QString());
    if (!news.isEmpty())
        window->announce(news.join(' '));
}
