#pragma once

// Tables as they cross the wire: column descriptors and column-major cells, and their JSON form
//   {"table":[[Name,DataType,Ordinal,SubType,Scale,Size,Precision,ChildPosition,Nullable,
//              Hidden,ParameterDirection,ValueParameter,Literal],...], "<Name>":[cells],...}

#include "server/jsonwriter.h"

#include <QJsonValue>
#include <QList>
#include <QString>
#include <QVariant>

#include <vector>

namespace vk {

// The wire's column data type codes.
namespace DbxType {
enum : int {
    AnsiString = 1,
    Date = 2,
    Blob = 3,
    Boolean = 4,
    Int16 = 5,
    Int32 = 6,
    Double = 7,
    BCD = 8,
    Bytes = 9,
    Time = 10,
    DateTime = 11,
    UInt16 = 12,
    UInt32 = 13,
    VarBytes = 15,
    Int64 = 18,
    UInt64 = 19,
    TimeStamp = 24,
    Currency = 25,
    WideString = 26,
    Single = 27,
    Int8 = 28,
    UInt8 = 29,
    BinaryBlob = 33,
};
}

// The client-side kind of a column. Cells hold QString, int, qint64, double, bool, QDate, QTime,
// QDateTime (wall-clock time kept in UTC so that nothing shifts it) or QByteArray; a null cell is
// an invalid QVariant.
enum class FieldType : unsigned char {
    String,
    Integer,
    LargeInt,
    Float,
    Boolean,
    Date,
    Time,
    DateTime,
    Blob
};

// The column kind of a wire data type code, or false for a code this system does not know.
bool fieldTypeOf(int dataType, FieldType* type);
// The wire code a column of this kind is sent with.
int dataTypeOf(FieldType type);
bool isNumeric(FieldType type);

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int dataType = DbxType::WideString;
    int subType = 0;
    int scale = 0;
    int size = 0;
    int precision = 0;
    bool nullable = true;
    bool hidden = false;
    QString displayFormat; // "#,###,##0.00" style; empty shows the value plainly

    static FieldDef make(const QString& name, FieldType type, int size = 0);
};

struct TableData {
    QList<FieldDef> fields;
    std::vector<QVariantList> columns; // one list per field, each rowCount long
    qsizetype rowCount = 0;

    int fieldIndex(QStringView name) const; // case-insensitive; -1 when absent
    void clear();
};

// Decodes a table or data packet reply value. Every inconsistency raises ProtocolError.
TableData decodeTable(const QJsonValue& value);
void encodeTable(JsonWriter& w, const TableData& table);

} // namespace vk
