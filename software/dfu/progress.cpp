#include "dfu/progress.h"

#include <QRegularExpression>

namespace DFU {

Progress parse_progress_line(const QByteArray& line)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*(Erase|Download|Upload)\\s*\\[[= ]*\\]\\s*(\\d{1,3})%\\s+(\\d{1,12}) bytes\\s*$"));
    const QRegularExpressionMatch match = form.match(QString::fromLatin1(line));
    if (!match.hasMatch())
        return {};
    Progress progress;
    const QString word = match.captured(1);
    progress.phase = word == "Erase" ? Phase::erasing : word == "Download" ? Phase::writing : Phase::reading;
    progress.percent = qMin(match.captured(2).toInt(), 100);
    progress.bytes = match.captured(3).toLongLong();
    return progress;
}

QVector<Progress> ProgressParser::feed(const QByteArray& piece)
{
    // A progress line ends where dfu-util draws the next one (\r) or moves on (\n).
    constexpr int longest_line = 4096;
    QVector<Progress> found;
    // What is pending holds no line end: only the new piece is searched, or output that
    // comes a byte at a time would be searched again and again.
    const int searched = pending.size();
    pending += piece;
    int start = 0;
    int cr = pending.indexOf('\r', searched);
    int lf = pending.indexOf('\n', searched);
    while (cr >= 0 || lf >= 0) {
        const int end = cr < 0 ? lf : lf < 0 ? cr : qMin(cr, lf);
        const Progress progress = parse_progress_line(pending.mid(start, end - start));
        if (progress.phase != Phase::none)
            found << progress;
        start = end + 1;
        if (cr >= 0 && cr < start)
            cr = pending.indexOf('\r', start);
        if (lf >= 0 && lf < start)
            lf = pending.indexOf('\n', start);
    }
    pending.remove(0, start);
    // Output without line ends is no progress line; it must not grow without bound.
    if (pending.size() > longest_line)
        pending.clear();
    return found;
}

} // namespace DFU
