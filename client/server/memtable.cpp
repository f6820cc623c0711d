#include "server/memtable.h"

#include "common/errors.h"
#include "common/numberformat.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <algorithm>

namespace vk {

MemTable::~MemTable() = default;

void MemTable::close() {
    for (MemTableListener* l : m_listeners)
        l->tableAboutToBeReset();
    m_data.clear();
    m_active = false;
    m_current = -1;
    m_eof = m_bof = true;
    for (MemTableListener* l : m_listeners)
        l->tableReset();
    notifyCurrent();
}

void MemTable::defineFields(const QList<FieldDef>& fields) {
    TableData d;
    d.fields = fields;
    d.columns.resize(fields.size());
    assign(std::move(d));
}

int MemTable::requireField(QStringView name) const {
    const int i = m_data.fieldIndex(name);
    if (i < 0)
        throw Error(QStringLiteral("%1: alan bulunamadı").arg(name));
    return i;
}

void MemTable::setDisplayFormat(int column, const QString& format) {
    if (m_data.fields[column].displayFormat == format)
        return;
    m_data.fields[column].displayFormat = format;
    for (MemTableListener* l : m_listeners)
        l->displayFormatChanged(column);
}

void MemTable::setValue(int row, int column, const QVariant& v) {
    m_data.columns[column][row] = v;
    for (MemTableListener* l : m_listeners)
        l->cellChanged(row, column);
}

int MemTable::appendRow(const QVariantList& values) {
    const int row = recordCount();
    for (MemTableListener* l : m_listeners)
        l->rowsAboutToBeInserted(row, row);
    for (int c = 0; c < fieldCount(); ++c)
        m_data.columns[c].append(c < values.size() ? values[c] : QVariant());
    ++m_data.rowCount;
    m_active = true;
    for (MemTableListener* l : m_listeners)
        l->rowsInserted();
    m_current = row;
    m_eof = m_bof = false;
    notifyCurrent();
    return row;
}

void MemTable::removeRow(int row) {
    for (MemTableListener* l : m_listeners)
        l->rowsAboutToBeRemoved(row, row);
    for (QVariantList& col : m_data.columns)
        col.removeAt(row);
    --m_data.rowCount;
    for (MemTableListener* l : m_listeners)
        l->rowsRemoved();
    if (m_data.rowCount == 0) {
        m_current = -1;
        m_eof = m_bof = true;
    } else {
        m_current = std::min(m_current, recordCount() - 1);
    }
    notifyCurrent();
}

void MemTable::clearRows() {
    TableData d;
    d.fields = m_data.fields;
    d.columns.resize(d.fields.size());
    assign(std::move(d));
}

void MemTable::assign(TableData data) {
    for (MemTableListener* l : m_listeners)
        l->tableAboutToBeReset();
    m_data = std::move(data);
    m_data.columns.resize(m_data.fields.size());
    m_active = true;
    m_current = m_data.rowCount > 0 ? 0 : -1;
    m_eof = m_bof = m_data.rowCount == 0;
    for (MemTableListener* l : m_listeners)
        l->tableReset();
    notifyCurrent();
}

void MemTable::setCurrentRow(int row) {
    if (m_data.rowCount == 0)
        return;
    m_current = std::clamp(row, 0, recordCount() - 1);
    m_eof = m_bof = false;
    notifyCurrent();
}

void MemTable::first() {
    setCurrentRow(0);
    m_bof = true;
    m_eof = m_data.rowCount == 0;
}

void MemTable::last() {
    setCurrentRow(recordCount() - 1);
    m_eof = true;
    m_bof = m_data.rowCount == 0;
}

void MemTable::next() {
    if (m_current + 1 < recordCount()) {
        setCurrentRow(m_current + 1);
    } else {
        m_eof = true;
    }
}

void MemTable::prior() {
    if (m_current > 0) {
        setCurrentRow(m_current - 1);
    } else {
        m_bof = true;
    }
}

QVariant MemTable::fieldValue(QStringView field) const {
    const int c = requireField(field);
    return m_current < 0 ? QVariant() : value(m_current, c);
}

void MemTable::setFieldValue(QStringView field, const QVariant& v) {
    const int c = requireField(field);
    if (m_current >= 0)
        setValue(m_current, c, v);
}

bool MemTable::rowMatches(int row, const QList<int>& columns, const QVariantList& values,
                          LocateOptions options) const {
    for (int i = 0; i < columns.size(); ++i) {
        const FieldDef& f = m_data.fields[columns[i]];
        const QVariant& cell = value(row, columns[i]);
        const QVariant& wanted = i < values.size() ? values[i] : QVariant();
        if (!cell.isValid() || !wanted.isValid() || wanted.isNull()) {
            if (cell.isValid() != (wanted.isValid() && !wanted.isNull()))
                return false;
            continue;
        }
        if (isNumeric(f.type)) {
            bool ok = false;
            const double w = wanted.toDouble(&ok);
            if (!ok || cell.toDouble() != w)
                return false;
        } else if (f.type == FieldType::String) {
            const Qt::CaseSensitivity cs =
                options.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
            const QString text = cell.toString();
            const QString w = wanted.toString();
            const bool match =
                options.partialKey ? text.startsWith(w, cs) : text.compare(w, cs) == 0;
            if (!match)
                return false;
        } else if (cell != wanted) {
            return false;
        }
    }
    return true;
}

bool MemTable::Locate(QStringView field, const QVariant& value, LocateOptions options) {
    return Locate(QStringList{field.toString()}, QVariantList{value}, options);
}

bool MemTable::Locate(const QStringList& fields, const QVariantList& values,
                      LocateOptions options) {
    QList<int> columns;
    for (const QString& f : fields)
        columns.append(requireField(f));
    for (int row = 0; row < recordCount(); ++row) {
        if (rowMatches(row, columns, values, options)) {
            setCurrentRow(row);
            return true;
        }
    }
    return false;
}

QString MemTable::displayText(int row, int column, const QLocale& locale) const {
    const QVariant& v = value(row, column);
    if (!v.isValid())
        return {};
    const FieldDef& f = m_data.fields[column];
    switch (f.type) {
    case FieldType::Float:
        if (!f.displayFormat.isEmpty())
            return formatFloat(f.displayFormat, v.toDouble(), locale);
        return locale.toString(v.toDouble(), 'g', 15);
    case FieldType::Integer:
    case FieldType::LargeInt:
        return QString::number(v.toLongLong());
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("Evet") : QStringLiteral("Hayır");
    case FieldType::Date:
        return locale.toString(v.toDate(), QLocale::ShortFormat);
    case FieldType::Time:
        return locale.toString(v.toTime(), QLocale::ShortFormat);
    case FieldType::DateTime: {
        const QDateTime dt = v.toDateTime();
        return locale.toString(dt.date(), QLocale::ShortFormat) + u' ' +
               locale.toString(dt.time(), QLocale::ShortFormat);
    }
    case FieldType::Blob:
        return {};
    case FieldType::String:
        break;
    }
    return v.toString();
}

void MemTable::addListener(MemTableListener* listener) {
    if (!m_listeners.contains(listener))
        m_listeners.append(listener);
}

void MemTable::removeListener(MemTableListener* listener) {
    m_listeners.removeAll(listener);
}

void MemTable::notifyCurrent() {
    for (MemTableListener* l : m_listeners)
        l->currentRowChanged(m_current);
}

void loadFromReader(MemTable& table, TableReader& reader) {
    TableData d;
    const int columns = reader.columnCount();
    for (int c = 0; c < columns; ++c) {
        FieldDef f = reader.column(c);
        f.displayFormat.clear();
        d.fields.append(std::move(f));
    }
    d.columns.resize(columns);
    while (reader.next()) {
        for (int c = 0; c < columns; ++c)
            d.columns[c].append(reader.value(c));
        ++d.rowCount;
    }
    table.assign(std::move(d));
}

void loadFromDataPacket(MemTable& table, DataPacket packet) {
    table.assign(packet.takeData());
}

std::optional<QByteArray> readStreamBytes(ByteStream* stream, qint64 announcedSize) {
    if (!stream || announcedSize == 0)
        return std::nullopt;
    constexpr qint64 kBlock = 1024;
    QByteArray bytes;
    char block[kBlock];
    for (;;) {
        const qint64 n = stream->read(block, kBlock);
        bytes.append(block, static_cast<qsizetype>(n));
        if (n < kBlock)
            break;
    }
    if (bytes.size() != announcedSize)
        return std::nullopt;
    return bytes;
}

} // namespace vk
