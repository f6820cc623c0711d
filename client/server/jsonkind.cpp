#include "server/jsonkind.h"

#include <limits>

namespace vk {

const char* jsonKindName(const QJsonValue& v) {
    switch (v.type()) {
    case QJsonValue::Null:
        return "null";
    case QJsonValue::Bool:
        return "mantıksal değer";
    case QJsonValue::Double:
        return "sayı";
    case QJsonValue::String:
        return "metin";
    case QJsonValue::Array:
        return "dizi";
    case QJsonValue::Object:
        return "nesne";
    case QJsonValue::Undefined:
        break;
    }
    return "değer yok";
}

bool jsonToInt64(const QJsonValue& v, qint64* out) {
    constexpr qint64 kNotInteger = std::numeric_limits<qint64>::min();
    const qint64 i = v.isDouble() ? v.toInteger(kNotInteger) : kNotInteger;
    if (i == kNotInteger)
        return false;
    *out = i;
    return true;
}

bool jsonToInt32(const QJsonValue& v, qint32* out) {
    qint64 i = 0;
    if (!jsonToInt64(v, &i) || i < std::numeric_limits<qint32>::min() ||
        i > std::numeric_limits<qint32>::max())
        return false;
    *out = static_cast<qint32>(i);
    return true;
}

} // namespace vk
