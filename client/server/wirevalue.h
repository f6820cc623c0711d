#pragma once

// One parameter or result value as the wire carries it, and its JSON form per wire type. The
// client's commands and the application server's dispatcher share this codec.

#include "server/methodcatalogue.h"
#include "server/tabledata.h"
#include "server/transferrecord.h"

#include <QByteArray>
#include <QJsonArray>
#include <QString>

#include <memory>
#include <variant>

namespace vk {

using RecordPtr = std::unique_ptr<TransferRecord>;
using TablePtr = std::shared_ptr<TableData>;

// Null, String and Callback (QString), Int32 and Int64 (qint64), Double, Boolean, Record and
// Object (RecordPtr, empty for null), Table and DataPacket (TablePtr), Stream (QByteArray),
// JsonArray (QJsonArray).
using WireValue = std::variant<std::monostate, QString, qint64, double, bool, RecordPtr, TablePtr,
                               QByteArray, QJsonArray>;

// Reads one value of the given wire type. A value of another type raises ProtocolError whose
// text says what was expected and what came.
WireValue decodeWireValue(const QJsonValue& json, WireType type, const char* recordType,
                          UnmarshalContext& ctx);

// Writes one value of the given wire type; a value that does not fit the type is written as null.
void encodeWireValue(JsonWriter& w, const WireValue& value, WireType type, MarshalContext& ctx);

// Writes a record value without taking it over (used for inputs the caller still owns).
void encodeRecordValue(JsonWriter& w, const TransferRecord* record, MarshalContext& ctx);

} // namespace vk
