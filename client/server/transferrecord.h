#pragma once

// Base of the records that travel as JSON objects, and the machinery that turns a field list
// into private fields, properties, marshalling and Kopyala.
//
// A record class lists its fields once, in wire order, as X(type, Name, default); the field is
// F##Name, the property is Name() / setName(). The JSON form is
//   {"type":"<unit>.<class>","id":N,"fields":{"F<Name>":value, ...}}
// with "id" counting from 1 within one message and {"type":...,"ref":N} for an object met again.

#include "common/errors.h"
#include "server/jsonwriter.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>

#include <memory>

namespace vk {

// Day number counted from 30 December 1899, the time of day as the fraction.
using TDate = double;

struct MarshalContext {
    int nextId = 1;
};

struct UnmarshalContext {
    QHash<qint64, QJsonObject> objects; // by "id", for resolving "ref"
};

class TransferRecord {
public:
    virtual ~TransferRecord() = default;

    virtual const char* unitName() const = 0;
    virtual const char* className() const = 0;
    QString typeName() const; // "<unit>.<class>", the "type" member on the wire

    virtual void writeFields(JsonWriter& w, MarshalContext& ctx) const = 0;
    virtual void readFields(const QJsonObject& fields, UnmarshalContext& ctx) = 0;

protected:
    TransferRecord() = default;
    TransferRecord(const TransferRecord&) = default;
    TransferRecord& operator=(const TransferRecord&) = default;
};

// Writes the record (or JSON null when there is none) into an open message.
void marshalRecord(JsonWriter& w, const TransferRecord* record, MarshalContext& ctx);
// The record as a message of its own.
QByteArray marshalRecord(const TransferRecord* record);

// Reads one record value. An empty expectedType accepts any known record type. JSON null gives
// no object. Anything that is not a record of the expected type raises ProtocolError.
std::unique_ptr<TransferRecord> unmarshalRecord(const QJsonValue& value, QStringView expectedType,
                                                UnmarshalContext& ctx);

// A fresh record of the named type ("<unit>.<class>"), or none for an unknown name.
std::unique_ptr<TransferRecord> createRecord(QStringView typeName);

template <class R> std::unique_ptr<R> unmarshal(const QJsonValue& value, UnmarshalContext& ctx) {
    auto any = unmarshalRecord(value, R::staticTypeName(), ctx);
    return std::unique_ptr<R>(static_cast<R*>(any.release()));
}

[[noreturn]] void throwFieldTypeError(const char* recordClass, const char* field,
                                      const char* expected);

// How one field type is written and read.
template <class T> struct FieldIO;

template <> struct FieldIO<QString> {
    static void write(JsonWriter& w, const QString& v, MarshalContext&) { w.value(v); }
    static void read(const QJsonValue& v, QString& out, UnmarshalContext&, const char* rec,
                     const char* field);
};

template <> struct FieldIO<qint32> {
    static void write(JsonWriter& w, qint32 v, MarshalContext&) { w.value(qint64(v)); }
    static void read(const QJsonValue& v, qint32& out, UnmarshalContext&, const char* rec,
                     const char* field);
};

template <> struct FieldIO<double> {
    static void write(JsonWriter& w, double v, MarshalContext&) { w.value(v); }
    static void read(const QJsonValue& v, double& out, UnmarshalContext&, const char* rec,
                     const char* field);
};

template <> struct FieldIO<bool> {
    static void write(JsonWriter& w, bool v, MarshalContext&) { w.value(v); }
    static void read(const QJsonValue& v, bool& out, UnmarshalContext&, const char* rec,
                     const char* field);
};

// An array of records, marshalled as a JSON array of record objects.
template <class R> struct FieldIO<QList<R>> {
    static void write(JsonWriter& w, const QList<R>& v, MarshalContext& ctx) {
        w.beginArray();
        for (const R& item : v)
            marshalRecord(w, &item, ctx);
        w.endArray();
    }
    static void read(const QJsonValue& v, QList<R>& out, UnmarshalContext& ctx, const char* rec,
                     const char* field) {
        out.clear();
        if (v.isNull())
            return;
        if (!v.isArray())
            throwFieldTypeError(rec, field, "dizi");
        const QJsonArray items = v.toArray();
        out.reserve(items.size());
        for (const QJsonValue& item : items) {
            auto r = unmarshal<R>(item, ctx);
            if (!r)
                throwFieldTypeError(rec, field, "kayıt dizisi");
            out.append(std::move(*r));
        }
    }
};

} // namespace vk

#define VK_RECORD_FIELD_DECL(type, name, def) type F##name = def;
#define VK_RECORD_PROPERTY(type, name, def)                                                        \
    const type& name() const {                                                                     \
        return F##name;                                                                            \
    }                                                                                              \
    void set##name(const type& value) {                                                            \
        F##name = value;                                                                           \
    }
#define VK_RECORD_WRITE(type, name, def)                                                           \
    w.key("F" #name);                                                                              \
    vk::FieldIO<type>::write(w, F##name, ctx);
#define VK_RECORD_READ(type, name, def)                                                            \
    {                                                                                              \
        const QJsonValue v_ = fields.value(QLatin1StringView("F" #name));                          \
        if (!v_.isUndefined())                                                                     \
            vk::FieldIO<type>::read(v_, F##name, ctx, className(), "F" #name);                     \
    }
#define VK_RECORD_COPY(type, name, def) F##name = source.F##name;
#define VK_RECORD_COUNT(type, name, def) +1

// The body of a record class: type name, properties, marshalling, and the private fields.
#define VK_RECORD(Class, unit, FIELDS)                                                             \
public:                                                                                            \
    static constexpr const char* kUnitName = unit;                                                 \
    static constexpr const char* kClassName = #Class;                                              \
    static constexpr int kFieldCount = 0 FIELDS(VK_RECORD_COUNT);                                  \
    static QString staticTypeName() {                                                              \
        return QStringLiteral(unit "." #Class);                                                    \
    }                                                                                              \
    const char* unitName() const override {                                                        \
        return kUnitName;                                                                          \
    }                                                                                              \
    const char* className() const override {                                                       \
        return kClassName;                                                                         \
    }                                                                                              \
    FIELDS(VK_RECORD_PROPERTY)                                                                     \
    void writeFields(vk::JsonWriter& w, vk::MarshalContext& ctx) const override {                  \
        (void)ctx;                                                                                 \
        FIELDS(VK_RECORD_WRITE)                                                                    \
    }                                                                                              \
    void readFields(const QJsonObject& fields, vk::UnmarshalContext& ctx) override {               \
        (void)ctx;                                                                                 \
        FIELDS(VK_RECORD_READ)                                                                     \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    FIELDS(VK_RECORD_FIELD_DECL)                                                                   \
public:

// Kopyala: copies every field of a record of the same class into this one.
#define VK_RECORD_KOPYALA(Class, FIELDS)                                                           \
    void Kopyala(const Class& source) {                                                            \
        FIELDS(VK_RECORD_COPY)                                                                     \
    }
