#pragma once

#include <QByteArray>
#include <QVector>

namespace DFU {

// What dfu-util is doing in a transfer, as its own progress lines tell.
enum class Phase : int { none = 0, erasing = 1, writing = 2, reading = 3 };

struct Progress {
    Phase phase = Phase::none;
    int percent = 0; // 0 to 100
    qint64 bytes = 0;
};

// One line that dfu-util redraws with carriage returns while it transfers, such as
// "Erase   \t[====                     ]  16%       117760 bytes"; anything else is phase none.
Progress parse_progress_line(const QByteArray& line);

// Takes a child's output as it arrives, in pieces cut anywhere.
class ProgressParser {
public:
    // The progress lines the piece completes, in order.
    QVector<Progress> feed(const QByteArray& piece);

private:
    QByteArray pending; // what follows the last line end
};

} // namespace DFU
