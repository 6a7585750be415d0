#pragma once

#include <QDebug>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace Device {

// The codes are stored in OTP records and firmware images: never renumber them.
enum class Type : quint8 {
    invalid = 0,
    ZEPH = 3,
    KORV = 4,
    M5W = 11,
    QUEL = 30,
    DASK = 36,
    TALM = 43,
    VIRN = 132,
    NOMI = 140,
    unknown = 254,
    undefined = 255,
};

struct Product {
    Type type;
    QString id;
    QString code_name;
    // The names on the unit, one or more that the firmware serves alike ("N20", "N20S"); a
    // sentence joins them in its own language.
    QStringList names;
    QString name_full;
};

class Products : public std::vector<Product> {
public:
    using std::vector<Product>::vector;
    const_iterator find(Type type) const;
    const_iterator find(unsigned char code) const;
};

extern const Products products;

// Four bytes as they stand in an OTP record or a firmware-information block.
struct ProductInfoRaw {
    quint8 type_code = 0;
    std::array<quint8, 3> extra{{0xff, 0xff, 0xff}};
};

struct ProductInfo {
    Type type = Type::invalid;
    std::array<quint8, 3> extra{{0xff, 0xff, 0xff}};
    qint32 type_code = 0;

    QStringList product_names() const;
    // The names as one token for the log and the terminal's JSON: "N20/N20S".
    QString product_name() const;
    QString product_name_full() const;
    operator QString() const;
};

Type to_Type(unsigned char code);
bool is_valid(Type t);
bool is_known(Type t);

QString to_QString(Type t);

// "a ZX-8", "an R12": the article as the name is spoken, letter by letter.
QString with_article(const QString& name);

ProductInfo make_ProductInfo(ProductInfoRaw raw);
ProductInfoRaw make_ProductInfoRaw(const char* four_bytes);
bool operator==(const ProductInfo& a, const ProductInfo& b);

} // namespace Device
