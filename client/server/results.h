#pragma once

// Results of server calls that are more than a value: row readers, data packets, byte streams,
// and the callback reference a call may carry.

#include "server/tabledata.h"

#include <QByteArray>

#include <memory>

namespace vk {

// A complete table held as one value; assigning it to an in-memory table replaces that table's
// whole content. Copies share the rows.
class DataPacket {
public:
    DataPacket() = default;
    explicit DataPacket(std::shared_ptr<TableData> data) : m_data(std::move(data)) {}

    bool isNull() const { return !m_data; }
    const TableData* data() const { return m_data.get(); }
    // The rows, moved out when this is their only holder, copied otherwise.
    TableData takeData();

private:
    std::shared_ptr<TableData> m_data;
};

// Forward-only reader over the rows of a table result.
class TableReader {
public:
    explicit TableReader(std::shared_ptr<const TableData> data) : m_data(std::move(data)) {}

    int columnCount() const { return static_cast<int>(m_data->fields.size()); }
    const FieldDef& column(int i) const { return m_data->fields[i]; }
    QString columnName(int i) const { return m_data->fields[i].name; }

    bool next(); // moves to the next row; false after the last
    QVariant value(int column) const;
    const TableData& table() const { return *m_data; }

private:
    std::shared_ptr<const TableData> m_data;
    qsizetype m_row = -1;
};

// A byte stream read in blocks.
class ByteStream {
public:
    explicit ByteStream(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    qint64 size() const { return m_bytes.size(); }
    qint64 read(char* buffer, qint64 count); // bytes copied; 0 at the end
    int readCount() const { return m_reads; }

private:
    QByteArray m_bytes;
    qint64 m_pos = 0;
    int m_reads = 0;
};

// A client callback reference as a call passes it: the callback's name on the client's channel.
class DSCallback {
public:
    explicit DSCallback(QString name) : m_name(std::move(name)) {}
    virtual ~DSCallback() = default;
    const QString& name() const { return m_name; }

private:
    QString m_name;
};

} // namespace vk
