#pragma once

// The in-memory table that every list of the program binds to: typed columns, rows, a current
// row, Locate, and a display format per column. Grids see it through MemTableModel.

#include "server/results.h"
#include "server/tabledata.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QVariant>

#include <optional>

namespace vk {

// Told about every change, so that a model can forward it to its views.
class MemTableListener {
public:
    virtual ~MemTableListener() = default;
    virtual void tableAboutToBeReset() {}
    virtual void tableReset() {}
    virtual void rowsAboutToBeInserted(int /*first*/, int /*last*/) {}
    virtual void rowsInserted() {}
    virtual void rowsAboutToBeRemoved(int /*first*/, int /*last*/) {}
    virtual void rowsRemoved() {}
    virtual void cellChanged(int /*row*/, int /*column*/) {}
    virtual void displayFormatChanged(int /*column*/) {}
    virtual void currentRowChanged(int /*row*/) {}
};

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false; // a text value matches the beginning of the cell
};

class MemTable {
public:
    MemTable() = default;
    ~MemTable();
    MemTable(const MemTable&) = delete;
    MemTable& operator=(const MemTable&) = delete;

    // Structure. A closed table has no fields and no rows.
    bool active() const { return m_active; }
    void close();
    void defineFields(const QList<FieldDef>& fields); // opens the table empty with these fields
    const QList<FieldDef>& fields() const { return m_data.fields; }
    int fieldCount() const { return static_cast<int>(m_data.fields.size()); }
    const FieldDef& field(int column) const { return m_data.fields[column]; }
    int fieldIndex(QStringView name) const { return m_data.fieldIndex(name); } // -1 when absent
    // The column of a field that must exist; raises vk::Error naming the field otherwise.
    int requireField(QStringView name) const;
    void setDisplayFormat(int column, const QString& format);

    // Content.
    int recordCount() const { return static_cast<int>(m_data.rowCount); }
    bool isEmpty() const { return m_data.rowCount == 0; }
    const QVariant& value(int row, int column) const { return m_data.columns[column][row]; }
    QVariant value(int row, QStringView field) const { return value(row, requireField(field)); }
    void setValue(int row, int column, const QVariant& v);
    void setValue(int row, QStringView field, const QVariant& v) {
        setValue(row, requireField(field), v);
    }
    int appendRow(const QVariantList& values = {}); // missing values are null; returns the row
    void removeRow(int row);
    void clearRows(); // keeps the fields

    // Replaces fields and rows at once; the table is open afterwards, the current row is the first.
    void assign(TableData data);
    const TableData& data() const { return m_data; }

    // Cursor. The current row is -1 only when the table is empty.
    int currentRow() const { return m_current; }
    void setCurrentRow(int row);
    void first();
    void last();
    void next();  // past the last row sets eof() and stays on the last row
    void prior(); // before the first row sets bof() and stays on the first row
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    QVariant fieldValue(QStringView field) const; // of the current row; null when empty
    void setFieldValue(QStringView field, const QVariant& v);

    // Moves to the first row whose fields equal the values; stays put and answers false otherwise.
    bool Locate(QStringView field, const QVariant& value, LocateOptions options = {});
    bool Locate(const QStringList& fields, const QVariantList& values, LocateOptions options = {});

    // The cell as a grid shows it, under the given locale.
    QString displayText(int row, int column, const QLocale& locale = QLocale()) const;

    void addListener(MemTableListener* listener);
    void removeListener(MemTableListener* listener);

private:
    bool rowMatches(int row, const QList<int>& columns, const QVariantList& values,
                    LocateOptions options) const;
    void notifyCurrent();

    TableData m_data;
    bool m_active = false;
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
    QList<MemTableListener*> m_listeners;
};

// The caller-side conversions of call results:
// a row reader is copied into the table (columns from the reader, then every row);
void loadFromReader(MemTable& table, TableReader& reader);
// a data packet replaces the table's whole content, also when it holds no rows;
void loadFromDataPacket(MemTable& table, DataPacket packet);
// a stream is read in 1024-byte blocks until a read returns fewer; the bytes are used only when
// the announced size is non-zero and exactly that many arrived (a size of 0 is not read at all).
std::optional<QByteArray> readStreamBytes(ByteStream* stream, qint64 announcedSize);

} // namespace vk
