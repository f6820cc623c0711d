#include "server/wirevalue.h"

#include "server/jsonkind.h"

#include <QJsonDocument>

#include <limits>

namespace vk {

namespace {

[[noreturn]] void mismatch(WireType type, const QJsonValue& v) {
    throw ProtocolError(
        QStringLiteral("%1 beklenirken %2 geldi")
            .arg(QString::fromUtf8(wireTypeName(type)), QString::fromUtf8(jsonKindName(v))));
}

} // namespace

WireValue decodeWireValue(const QJsonValue& json, WireType type, const char* recordType,
                          UnmarshalContext& ctx) {
    switch (type) {
    case WireType::Void:
        break;
    case WireType::String:
    case WireType::Callback:
        if (json.isNull())
            return QString();
        if (!json.isString())
            mismatch(type, json);
        return json.toString();
    case WireType::Int32: {
        qint32 i = 0;
        if (!jsonToInt32(json, &i))
            mismatch(type, json);
        return qint64(i);
    }
    case WireType::Int64: {
        qint64 i = 0;
        if (!jsonToInt64(json, &i))
            mismatch(type, json);
        return i;
    }
    case WireType::Double:
        if (!json.isDouble())
            mismatch(type, json);
        return json.toDouble();
    case WireType::Boolean:
        if (!json.isBool())
            mismatch(type, json);
        return json.toBool();
    case WireType::Record:
        return unmarshalRecord(json, QString::fromLatin1(recordType), ctx);
    case WireType::Object:
        return unmarshalRecord(json, QStringView(), ctx);
    case WireType::Table:
    case WireType::DataPacket:
        return std::make_shared<TableData>(decodeTable(json));
    case WireType::Stream: {
        if (json.isNull())
            return QByteArray();
        if (!json.isArray())
            mismatch(type, json);
        const QJsonArray bytes = json.toArray();
        QByteArray out;
        out.reserve(bytes.size());
        for (const auto b : bytes) {
            qint32 x = -1;
            if (!jsonToInt32(b, &x) || x < 0 || x > 255)
                throw ProtocolError(
                    QStringLiteral("akışta bayt olmayan değer (%1. öğe)").arg(out.size() + 1));
            out.append(char(x));
        }
        return out;
    }
    case WireType::JsonArray:
        if (!json.isArray())
            mismatch(type, json);
        return json.toArray();
    }
    throw ProtocolError(QStringLiteral("beklenmeyen değer"));
}

void encodeRecordValue(JsonWriter& w, const TransferRecord* record, MarshalContext& ctx) {
    marshalRecord(w, record, ctx);
}

void encodeWireValue(JsonWriter& w, const WireValue& value, WireType type, MarshalContext& ctx) {
    switch (type) {
    case WireType::Void:
        w.null();
        return;
    case WireType::String:
    case WireType::Callback:
        if (const auto* s = std::get_if<QString>(&value))
            w.value(*s);
        else
            w.null();
        return;
    case WireType::Int32:
    case WireType::Int64:
        if (const auto* i = std::get_if<qint64>(&value))
            w.value(*i);
        else
            w.null();
        return;
    case WireType::Double:
        if (const auto* d = std::get_if<double>(&value))
            w.value(*d);
        else if (const auto* i = std::get_if<qint64>(&value))
            w.value(double(*i));
        else
            w.null();
        return;
    case WireType::Boolean:
        if (const auto* b = std::get_if<bool>(&value))
            w.value(*b);
        else
            w.null();
        return;
    case WireType::Record:
    case WireType::Object: {
        const auto* r = std::get_if<RecordPtr>(&value);
        marshalRecord(w, r ? r->get() : nullptr, ctx);
        return;
    }
    case WireType::Table:
    case WireType::DataPacket: {
        const auto* t = std::get_if<TablePtr>(&value);
        if (t && *t)
            encodeTable(w, **t);
        else
            encodeTable(w, TableData());
        return;
    }
    case WireType::Stream: {
        w.beginArray();
        if (const auto* b = std::get_if<QByteArray>(&value)) {
            for (char c : *b)
                w.value(qint64(static_cast<unsigned char>(c)));
        }
        w.endArray();
        return;
    }
    case WireType::JsonArray:
        if (const auto* a = std::get_if<QJsonArray>(&value))
            w.rawValue(QJsonDocument(*a).toJson(QJsonDocument::Compact));
        else
            w.rawValue(QByteArrayLiteral("[]"));
        return;
    }
}

} // namespace vk
