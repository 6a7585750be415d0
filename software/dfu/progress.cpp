#include "dfu/progress.h"

#include <cstring>

namespace DFU {

namespace {

// White space as dfu-util prints it: ASCII's.
bool is_space(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u == ' ' || (u >= '\t' && u <= '\r');
}

class Reader {
public:
    explicit Reader(const QByteArray& line) : at(line.constData()), end(line.constData() + line.size()) {}
    void spaces()
    {
        while (at < end && is_space(*at))
            ++at;
    }
    bool word(const char* text)
    {
        const auto n = static_cast<std::ptrdiff_t>(std::strlen(text));
        if (end - at < n || std::memcmp(at, text, static_cast<size_t>(n)) != 0)
            return false;
        at += n;
        return true;
    }
    // One to most digits; -1 for none or more.
    qint64 number(int most)
    {
        qint64 value = 0;
        int digits = 0;
        for (; at < end && *at >= '0' && *at <= '9'; ++at, ++digits)
            if (digits < most) // a longer run is no number of this form, and must not overflow
                value = value * 10 + (*at - '0');
        return digits >= 1 && digits <= most ? value : -1;
    }
    bool bar()
    {
        if (!word("["))
            return false;
        while (at < end && (*at == '=' || *at == ' '))
            ++at;
        return word("]");
    }
    bool space_then_more()
    {
        const char* before = at;
        spaces();
        return at > before;
    }
    bool done() const { return at == end; }

private:
    const char* at;
    const char* end;
};

} // namespace

// The form "Erase|Download|Upload [bar] N% M bytes", read by hand: a transfer prints a line for
// every block, and the runner reads them as they come.
Progress parse_progress_line(const QByteArray& line)
{
    Reader reader(line);
    reader.spaces();
    Phase phase = Phase::none;
    if (reader.word("Erase"))
        phase = Phase::erasing;
    else if (reader.word("Download"))
        phase = Phase::writing;
    else if (reader.word("Upload"))
        phase = Phase::reading;
    else
        return {};
    reader.spaces();
    if (!reader.bar())
        return {};
    reader.spaces();
    const qint64 percent = reader.number(3);
    if (percent < 0 || !reader.word("%") || !reader.space_then_more())
        return {};
    const qint64 bytes = reader.number(12);
    if (bytes < 0 || !reader.word(" bytes"))
        return {};
    reader.spaces();
    if (!reader.done())
        return {};
    Progress progress;
    progress.phase = phase;
    progress.percent = static_cast<int>(qMin<qint64>(percent, 100));
    progress.bytes = bytes;
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
