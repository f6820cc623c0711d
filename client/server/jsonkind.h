#pragma once

// Small checks shared by every reader of wire JSON.

#include <QJsonValue>

namespace vk {

// What a JSON value is, in Turkish, for error texts ("metin", "sayı", …).
const char* jsonKindName(const QJsonValue& v);

// The value as a whole number of the given width; false for anything else (text, fractions,
// out of range).
bool jsonToInt32(const QJsonValue& v, qint32* out);
bool jsonToInt64(const QJsonValue& v, qint64* out);

} // namespace vk
