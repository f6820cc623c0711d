#include "server/transferrecord.h"

#include "server/jsonkind.h"

#include <limits>

namespace vk {

namespace {} // namespace

QString TransferRecord::typeName() const {
    return QString::fromLatin1(unitName()) + u'.' + QString::fromLatin1(className());
}

void throwFieldTypeError(const char* recordClass, const char* field, const char* expected) {
    throw ProtocolError(QStringLiteral("%1 kaydının %2 alanı %3 olmalı")
                            .arg(QString::fromLatin1(recordClass), QString::fromLatin1(field),
                                 QString::fromUtf8(expected)));
}

void FieldIO<QString>::read(const QJsonValue& v, QString& out, UnmarshalContext&, const char* rec,
                            const char* field) {
    if (v.isString())
        out = v.toString();
    else if (v.isNull())
        out.clear();
    else
        throwFieldTypeError(rec, field, "metin");
}

void FieldIO<qint32>::read(const QJsonValue& v, qint32& out, UnmarshalContext&, const char* rec,
                           const char* field) {
    if (!jsonToInt32(v, &out))
        throwFieldTypeError(rec, field, "32 bitlik tamsayı");
}

void FieldIO<double>::read(const QJsonValue& v, double& out, UnmarshalContext&, const char* rec,
                           const char* field) {
    if (!v.isDouble())
        throwFieldTypeError(rec, field, "sayı");
    out = v.toDouble();
}

void FieldIO<bool>::read(const QJsonValue& v, bool& out, UnmarshalContext&, const char* rec,
                         const char* field) {
    if (!v.isBool())
        throwFieldTypeError(rec, field, "mantıksal değer");
    out = v.toBool();
}

void marshalRecord(JsonWriter& w, const TransferRecord* record, MarshalContext& ctx) {
    if (!record) {
        w.null();
        return;
    }
    w.beginObject();
    w.key("type");
    w.value(record->typeName());
    w.key("id");
    w.value(qint64(ctx.nextId++));
    w.key("fields");
    w.beginObject();
    record->writeFields(w, ctx);
    w.endObject();
    w.endObject();
}

QByteArray marshalRecord(const TransferRecord* record) {
    JsonWriter w;
    MarshalContext ctx;
    marshalRecord(w, record, ctx);
    return w.take();
}

std::unique_ptr<TransferRecord> unmarshalRecord(const QJsonValue& value, QStringView expectedType,
                                                UnmarshalContext& ctx) {
    if (value.isNull())
        return nullptr;
    const QString expected =
        expectedType.isEmpty() ? QStringLiteral("kayıt") : expectedType.toString();
    if (!value.isObject())
        throw ProtocolError(QStringLiteral("%1 beklenirken %2 geldi")
                                .arg(expected, QString::fromUtf8(jsonKindName(value))));
    const QJsonObject obj = value.toObject();
    const QJsonValue typeValue = obj.value(QLatin1StringView("type"));
    if (!typeValue.isString())
        throw ProtocolError(QStringLiteral("%1 nesnesinde \"type\" yok").arg(expected));
    const QString type = typeValue.toString();
    if (!expectedType.isEmpty() && type != expectedType)
        throw ProtocolError(QStringLiteral("%1 beklenirken %2 geldi").arg(expected, type));

    QJsonObject fields;
    const QJsonValue ref = obj.value(QLatin1StringView("ref"));
    if (!ref.isUndefined()) {
        const qint64 refId = ref.toInteger(-1);
        const auto it = ctx.objects.constFind(refId);
        if (it == ctx.objects.constEnd())
            throw ProtocolError(
                QStringLiteral("%1 için çözülemeyen ref %2").arg(type, QString::number(refId)));
        if (it->value(QLatin1StringView("type")).toString() != type)
            throw ProtocolError(
                QStringLiteral("ref %1 başka türde bir nesneyi gösteriyor").arg(refId));
        fields = it->value(QLatin1StringView("fields")).toObject();
    } else {
        const QJsonValue fieldsValue = obj.value(QLatin1StringView("fields"));
        if (!fieldsValue.isObject())
            throw ProtocolError(QStringLiteral("%1 nesnesinde \"fields\" yok").arg(type));
        fields = fieldsValue.toObject();
        const QJsonValue id = obj.value(QLatin1StringView("id"));
        if (id.isDouble())
            ctx.objects.insert(id.toInteger(), obj);
    }

    std::unique_ptr<TransferRecord> record = createRecord(type);
    if (!record)
        throw ProtocolError(QStringLiteral("bilinmeyen kayıt türü %1").arg(type));
    record->readFields(fields, ctx);
    return record;
}

} // namespace vk
