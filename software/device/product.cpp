#include "device/product.h"

#include <algorithm>

namespace Device {

const Products products = {
    {Type::invalid, "invalid", "Invalid", {"N/A"}, "N/A"},
    {Type::undefined, "undefined", "Undefined", {"?"}, "?"},
    {Type::ZEPH, "ZEPH", "Zephon", {"ZX-7"}, "ZX-7 LinkSync"},
    {Type::KORV, "KORV", "Korvid", {"ZX-8"}, "Velmora ZX-8"},
    {Type::TALM, "TALM", "Talmor", {"M5"}, "M5 LinkSync"},
    {Type::M5W, "M5W", "M5w", {"M5 Works"}, "M5 Works"},
    {Type::VIRN, "VIRN", "Virnis", {"R4S"}, "Velmora R4 & R4S"},
    {Type::QUEL, "QUEL", "Quel", {"R12"}, "Velmora R12"},
    {Type::DASK, "DASK", "Dask", {"R3"}, "Velmora R3"},
    {Type::NOMI, "NOMI", "Nomiral", {"N20", "N20S"}, "Velmora N20S & N20 series"},
    {Type::unknown, "unknown", "Unknown", {"unknown"}, "unknown"},
};

Products::const_iterator Products::find(Type type) const
{
    return std::find_if(begin(), end(), [type](const Product& p) { return p.type == type; });
}

Products::const_iterator Products::find(unsigned char code) const
{
    return std::find_if(begin(), end(), [code](const Product& p) { return static_cast<unsigned char>(p.type) == code; });
}

Type to_Type(unsigned char code)
{
    const auto it = products.find(code);
    return it == products.end() ? Type::unknown : it->type;
}

bool is_valid(Type t)
{
    return static_cast<quint8>(static_cast<quint8>(t) - 1) < 254;
}

bool is_known(Type t)
{
    return static_cast<quint8>(static_cast<quint8>(t) - 1) < 253;
}

QString to_QString(Type t)
{
    const auto it = products.find(t);
    return it == products.end() ? QString("impossible type") : it->id;
}

ProductInfo make_ProductInfo(ProductInfoRaw raw)
{
    ProductInfo info;
    info.type = to_Type(raw.type_code);
    info.extra = raw.extra;
    info.type_code = raw.type_code;
    return info;
}

ProductInfoRaw make_ProductInfoRaw(const char* four_bytes)
{
    ProductInfoRaw raw;
    raw.type_code = static_cast<quint8>(four_bytes[0]);
    for (int i = 0; i < 3; ++i)
        raw.extra[i] = static_cast<quint8>(four_bytes[i + 1]);
    return raw;
}

bool operator==(const ProductInfo& a, const ProductInfo& b)
{
    return a.type == b.type;
}

QStringList ProductInfo::product_names() const
{
    const auto it = products.find(type);
    return it == products.end() ? QStringList() : it->names;
}

QString ProductInfo::product_name() const
{
    return product_names().join('/');
}

QString ProductInfo::product_name_full() const
{
    const auto it = products.find(type);
    return it == products.end() ? QString() : it->name_full;
}

ProductInfo::operator QString() const
{
    QString text = QString("ProductInfo: %1 (%2)").arg(to_QString(type)).arg(static_cast<int>(type));
    const bool odd_extra = std::any_of(extra.begin(), extra.end(), [](quint8 b) { return b != 0xff; });
    if (type == Type::unknown || odd_extra) {
        const auto hex = [](int value) { return QString("%1").arg(value, 2, 16, QChar('0')); };
        text += QString(" [%1 %2 %3 %4]").arg(hex(type_code), hex(extra[0]), hex(extra[1]), hex(extra[2]));
    }
    return text;
}

QString with_article(const QString& name)
{
    // Product names are read letter by letter: F, H, L, M, N, R, S and X are spoken with a
    // vowel first ("an M5"), like the vowels themselves.
    const QString first = name.left(1).toUpper();
    return (QString("AEFHILMNORSX").contains(first) && !first.isEmpty() ? "an " : "a ") + name;
}

} // namespace Device
