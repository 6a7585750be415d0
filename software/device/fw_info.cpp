#include "device/fw_info.h"

#include "device/device_text.h"

#include <QFile>

namespace Device {

namespace {
const QByteArray start_marker("\x12\x47\x23\x01", 4);
const QByteArray end_marker("\x13\x47\x23\x01", 4);
constexpr int field_size = 32;
constexpr int header_size = 72;
constexpr int pair_size = 64;
// Flash is read back in 2048 bytes; a block must end within them.
constexpr int last_marker_offset = 1948;
} // namespace

QString get_string(const QByteArray& data, int offset)
{
    if (offset < 0 || offset >= data.size())
        return {};
    const QByteArray field = data.mid(offset, field_size);
    const int nul = field.indexOf('\0');
    if (nul < 0)
        return field.size() == field_size ? QString() : QString::fromLatin1(field);
    return QString::fromLatin1(field.left(nul));
}

FW_Info make_FW_Info(QByteArray data)
{
    FW_Info info;
    const int beg = data.indexOf(start_marker);
    const int end = data.indexOf(end_marker);
    if (beg < 0 || end < 0) {
        qDebug() << "index_beg = " << beg << "index_end = " << end;
        return info;
    }
    if (beg > last_marker_offset || end > last_marker_offset)
        return info;
    const int d = end - beg;
    if (d < header_size || (d - header_size) % pair_size != 0) {
        qDebug() << "index_beg = " << beg << "index_end = " << end << "nr_of_pair_bytes =" << d - header_size;
        return info;
    }

    info.product = make_ProductInfo(make_ProductInfoRaw(data.constData() + beg + 4));
    info.name = get_string(data, beg + 8);
    info.revision = get_string(data, beg + 40);
    const int pairs = (d - header_size) / pair_size;
    for (int j = 0; j < pairs; ++j) {
        const QString key = get_string(data, beg + header_size + pair_size * j);
        const QString value = get_string(data, beg + header_size + field_size + pair_size * j);
        if (key.isEmpty() || value.isEmpty())
            break;
        info.details.append({key, value});
    }
    info.valid = true;
    return info;
}

FW_Info make_FW_Info(QString path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FW_Info{};
    return make_FW_Info(file.readAll());
}

FW_Info::operator QString() const
{
    QString text = "FW info:\n";
    if (!valid)
        return text + "\tInvalid";
    text += QString("  Type: %1\n").arg(QString(product));
    text += "  Name: " + for_people(name) + "\n";
    text += "  Rev.: " + for_people(revision) + "\n";
    text += "  Details:";
    for (const auto& [key, value] : details)
        text += "\n    " + for_people(key).leftJustified(31) + ": " + for_people(value).leftJustified(31);
    return text;
}

QDebug operator<<(QDebug debug, const FW_Info& info)
{
    const QDebugStateSaver saver(debug);
    debug.noquote() << QString(info);
    return debug;
}

} // namespace Device
