#include "server/tabledata.h"

#include "common/errors.h"
#include "server/jsonkind.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QTime>

namespace vk {

bool fieldTypeOf(int dataType, FieldType* type) {
    switch (dataType) {
    case DbxType::AnsiString:
    case DbxType::WideString:
        *type = FieldType::String;
        return true;
    case DbxType::Date:
        *type = FieldType::Date;
        return true;
    case DbxType::Time:
        *type = FieldType::Time;
        return true;
    case DbxType::DateTime:
    case DbxType::TimeStamp:
        *type = FieldType::DateTime;
        return true;
    case DbxType::Boolean:
        *type = FieldType::Boolean;
        return true;
    case DbxType::Int8:
    case DbxType::UInt8:
    case DbxType::Int16:
    case DbxType::UInt16:
    case DbxType::Int32:
        *type = FieldType::Integer;
        return true;
    case DbxType::UInt32:
    case DbxType::Int64:
    case DbxType::UInt64:
        *type = FieldType::LargeInt;
        return true;
    case DbxType::Double:
    case DbxType::BCD:
    case DbxType::Currency:
    case DbxType::Single:
        *type = FieldType::Float;
        return true;
    case DbxType::Blob:
    case DbxType::Bytes:
    case DbxType::VarBytes:
    case DbxType::BinaryBlob:
        *type = FieldType::Blob;
        return true;
    default:
        return false;
    }
}

int dataTypeOf(FieldType type) {
    switch (type) {
    case FieldType::String:
        return DbxType::WideString;
    case FieldType::Integer:
        return DbxType::Int32;
    case FieldType::LargeInt:
        return DbxType::Int64;
    case FieldType::Float:
        return DbxType::Double;
    case FieldType::Boolean:
        return DbxType::Boolean;
    case FieldType::Date:
        return DbxType::Date;
    case FieldType::Time:
        return DbxType::Time;
    case FieldType::DateTime:
        return DbxType::TimeStamp;
    case FieldType::Blob:
        return DbxType::Blob;
    }
    return DbxType::WideString;
}

bool isNumeric(FieldType type) {
    return type == FieldType::Integer || type == FieldType::LargeInt || type == FieldType::Float;
}

FieldDef FieldDef::make(const QString& name, FieldType type, int size) {
    FieldDef f;
    f.name = name;
    f.type = type;
    f.dataType = dataTypeOf(type);
    f.size = size;
    return f;
}

int TableData::fieldIndex(QStringView name) const {
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void TableData::clear() {
    fields.clear();
    columns.clear();
    rowCount = 0;
}

namespace {

[[noreturn]] void fail(const QString& what) {
    throw ProtocolError(what);
}

int digits(const QChar* p, int n) {
    int v = 0;
    for (int i = 0; i < n; ++i) {
        const char16_t c = p[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        v = v * 10 + (c - u'0');
    }
    return v;
}

QDate parseDate(QStringView s) {
    if (s.size() < 10 || s[4] != u'-' || s[7] != u'-')
        return {};
    const int y = digits(s.data(), 4), m = digits(s.data() + 5, 2), d = digits(s.data() + 8, 2);
    if (y < 0 || m < 0 || d < 0)
        return {};
    return QDate(y, m, d);
}

// HH:mm:ss with an optional fraction of a second; the text must be the whole time.
QTime parseTime(QStringView s, bool* ok) {
    *ok = false;
    if (s.size() < 8 || s[2] != u':' || s[5] != u':')
        return {};
    const int h = digits(s.data(), 2), mi = digits(s.data() + 3, 2), se = digits(s.data() + 6, 2);
    if (h < 0 || mi < 0 || se < 0)
        return {};
    int ms = 0;
    if (s.size() > 8) {
        if (s[8] != u'.' || s.size() == 9)
            return {};
        const QStringView frac = s.mid(9);
        int scale = 100;
        for (QChar c : frac) {
            if (c < u'0' || c > u'9')
                return {};
            ms += (c.unicode() - u'0') * scale;
            scale /= 10;
        }
    }
    QTime t(h, mi, se, ms);
    *ok = t.isValid();
    return t;
}

[[noreturn]] void badCell(const FieldDef& f, qsizetype row, const QJsonValue& v) {
    fail(QStringLiteral("\"%1\" sütununun %2. satırı bu sütunun türünde değil (%3)")
             .arg(f.name)
             .arg(row + 1)
             .arg(QString::fromUtf8(jsonKindName(v))));
}

void decodeColumn(const FieldDef& f, const QJsonArray& cells, QVariantList& out) {
    out.reserve(cells.size());
    qsizetype row = 0;
    for (const auto v : cells) { // QJsonValueConstRef: no copy of the cell
        if (v.isNull()) {
            out.append(QVariant());
            ++row;
            continue;
        }
        switch (f.type) {
        case FieldType::String:
            if (!v.isString())
                badCell(f, row, v);
            out.append(v.toString());
            break;
        case FieldType::Integer: {
            qint32 i = 0;
            if (!jsonToInt32(v, &i))
                badCell(f, row, v);
            out.append(int(i));
            break;
        }
        case FieldType::LargeInt: {
            qint64 i = 0;
            if (!jsonToInt64(v, &i))
                badCell(f, row, v);
            out.append(i);
            break;
        }
        case FieldType::Float:
            if (!v.isDouble())
                badCell(f, row, v);
            out.append(v.toDouble());
            break;
        case FieldType::Boolean:
            if (!v.isBool())
                badCell(f, row, v);
            out.append(v.toBool());
            break;
        case FieldType::Date: {
            const QString s = v.toString();
            const QDate d = v.isString() && s.size() == 10 ? parseDate(s) : QDate();
            if (!d.isValid())
                badCell(f, row, v);
            out.append(d);
            break;
        }
        case FieldType::Time: {
            bool ok = false;
            const QTime t = v.isString() ? parseTime(v.toString(), &ok) : QTime();
            if (!ok)
                badCell(f, row, v);
            out.append(t);
            break;
        }
        case FieldType::DateTime: {
            const QString s = v.toString();
            const QDate d = v.isString() ? parseDate(s) : QDate();
            bool ok = d.isValid();
            QTime t(0, 0);
            if (ok && s.size() > 10) {
                ok = s[10] == u' ' || s[10] == u'T';
                if (ok)
                    t = parseTime(QStringView(s).mid(11), &ok);
            }
            if (!ok)
                badCell(f, row, v);
            out.append(QDateTime(d, t, Qt::UTC));
            break;
        }
        case FieldType::Blob: {
            if (!v.isArray())
                badCell(f, row, v);
            const QJsonArray bytes = v.toArray();
            QByteArray b;
            b.reserve(bytes.size());
            for (const auto byte : bytes) {
                qint32 x = -1;
                if (!jsonToInt32(byte, &x) || x < 0 || x > 255)
                    badCell(f, row, v);
                b.append(char(x));
            }
            out.append(b);
            break;
        }
        }
        ++row;
    }
}

FieldDef decodeDescriptor(const QJsonValue& value, int index) {
    const QJsonArray d = value.toArray();
    if (!value.isArray() || d.size() < 2 || !d.at(0).isString() || !d.at(1).isDouble())
        fail(QStringLiteral("%1. sütun tanımı geçersiz").arg(index + 1));
    FieldDef f;
    f.name = d.at(0).toString();
    if (f.name.isEmpty())
        fail(QStringLiteral("%1. sütunun adı boş").arg(index + 1));
    f.dataType = d.at(1).toInt();
    if (!fieldTypeOf(f.dataType, &f.type))
        fail(
            QStringLiteral("\"%1\" sütununun veri türü %2 bilinmiyor").arg(f.name).arg(f.dataType));
    f.subType = d.at(3).toInt();
    f.scale = d.at(4).toInt();
    f.size = d.at(5).toInt();
    f.precision = d.at(6).toInt();
    f.nullable = d.size() > 8 ? d.at(8).toBool() : true;
    f.hidden = d.at(9).toBool();
    return f;
}

} // namespace

TableData decodeTable(const QJsonValue& value) {
    if (!value.isObject())
        fail(QStringLiteral("tablo beklenirken %1 geldi").arg(QString::fromUtf8(jsonKindName(value))));
    const QJsonObject obj = value.toObject();
    const QJsonValue descriptors = obj.value(QLatin1StringView("table"));
    if (!descriptors.isArray())
        fail(QStringLiteral("tabloda sütun tanımları (\"table\") yok"));

    TableData t;
    QHash<QString, int> byName;
    const QJsonArray descs = descriptors.toArray();
    t.fields.reserve(descs.size());
    for (int i = 0; i < descs.size(); ++i) {
        FieldDef f = decodeDescriptor(descs.at(i), i);
        if (byName.contains(f.name))
            fail(QStringLiteral("\"%1\" sütunu iki kez tanımlanmış").arg(f.name));
        byName.insert(f.name, i);
        t.fields.append(std::move(f));
    }
    for (auto it = obj.constBegin(); it != obj.constEnd(); ++it) {
        if (it.key() != QLatin1StringView("table") && !byName.contains(it.key()))
            fail(QStringLiteral("\"%1\" sütununun tanımı yok").arg(it.key()));
    }

    t.columns.resize(t.fields.size());
    for (int i = 0; i < t.fields.size(); ++i) {
        const FieldDef& f = t.fields[i];
        const QJsonValue cells = obj.value(f.name);
        if (!cells.isArray())
            fail(QStringLiteral("\"%1\" sütununun değerleri yok").arg(f.name));
        const QJsonArray arr = cells.toArray();
        if (i == 0)
            t.rowCount = arr.size();
        else if (arr.size() != t.rowCount)
            fail(QStringLiteral("sütunların uzunlukları farklı (\"%1\": %2, \"%3\": %4)")
                     .arg(t.fields[0].name)
                     .arg(t.rowCount)
                     .arg(f.name)
                     .arg(arr.size()));
        decodeColumn(f, arr, t.columns[i]);
    }
    return t;
}

namespace {

void writeTwo(QString& s, int v) {
    s.append(QChar(u'0' + v / 10));
    s.append(QChar(u'0' + v % 10));
}

QString dateText(QDate d) {
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

QString timeText(QTime t, bool alwaysMs) {
    QString s;
    s.reserve(12);
    writeTwo(s, t.hour());
    s.append(u':');
    writeTwo(s, t.minute());
    s.append(u':');
    writeTwo(s, t.second());
    if (alwaysMs || t.msec() != 0)
        s.append(u'.' + QString::number(t.msec()).rightJustified(3, u'0'));
    return s;
}

void encodeCell(JsonWriter& w, const FieldDef& f, const QVariant& v) {
    if (!v.isValid() || v.isNull()) {
        w.null();
        return;
    }
    switch (f.type) {
    case FieldType::String:
        w.value(v.toString());
        break;
    case FieldType::Integer:
    case FieldType::LargeInt:
        w.value(v.toLongLong());
        break;
    case FieldType::Float:
        w.value(v.toDouble());
        break;
    case FieldType::Boolean:
        w.value(v.toBool());
        break;
    case FieldType::Date:
        w.value(dateText(v.toDate()));
        break;
    case FieldType::Time:
        w.value(timeText(v.toTime(), false));
        break;
    case FieldType::DateTime: {
        const QDateTime dt = v.toDateTime().toUTC();
        w.value(dateText(dt.date()) + u' ' + timeText(dt.time(), true));
        break;
    }
    case FieldType::Blob: {
        const QByteArray b = v.toByteArray();
        w.beginArray();
        for (char c : b)
            w.value(qint64(static_cast<unsigned char>(c)));
        w.endArray();
        break;
    }
    }
}

} // namespace

void encodeTable(JsonWriter& w, const TableData& table) {
    w.beginObject();
    w.key("table");
    w.beginArray();
    for (int i = 0; i < table.fields.size(); ++i) {
        const FieldDef& f = table.fields[i];
        w.beginArray();
        w.value(f.name);
        w.value(qint64(f.dataType));
        w.value(qint64(i));
        w.value(qint64(f.subType));
        w.value(qint64(f.scale));
        w.value(qint64(f.size));
        w.value(qint64(f.precision));
        w.value(qint64(0));
        w.value(f.nullable);
        w.value(f.hidden);
        w.value(qint64(0));
        w.value(false);
        w.value(false);
        w.endArray();
    }
    w.endArray();
    for (int i = 0; i < table.fields.size(); ++i) {
        const FieldDef& f = table.fields[i];
        w.key(f.name);
        w.beginArray();
        const QVariantList& cells = table.columns[i];
        for (qsizetype r = 0; r < table.rowCount; ++r)
            encodeCell(w, f, r < cells.size() ? cells[r] : QVariant());
        w.endArray();
    }
    w.endObject();
}

} // namespace vk
