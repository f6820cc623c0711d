#include "server/memtablemodel.h"

namespace vk {

MemTableModel::MemTableModel(QObject* parent) : QAbstractTableModel(parent) {}

MemTableModel::~MemTableModel() {
    if (m_table)
        m_table->removeListener(this);
}

void MemTableModel::setTable(MemTable* table) {
    if (table == m_table)
        return;
    beginResetModel();
    if (m_table)
        m_table->removeListener(this);
    m_table = table;
    if (m_table)
        m_table->addListener(this);
    endResetModel();
}

void MemTableModel::setLocale(const QLocale& locale) {
    m_locale = locale;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

int MemTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_table ? 0 : m_table->recordCount();
}

int MemTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_table ? 0 : m_table->fieldCount();
}

QVariant MemTableModel::data(const QModelIndex& index, int role) const {
    if (!m_table || !index.isValid())
        return {};
    const int row = index.row(), column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return m_table->displayText(row, column, m_locale);
    case Qt::EditRole:
    case RawValueRole:
        return m_table->value(row, column);
    case Qt::TextAlignmentRole:
        if (isNumeric(m_table->field(column).type))
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant MemTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!m_table || orientation != Qt::Horizontal || section < 0 ||
        section >= m_table->fieldCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole || role == FieldNameRole)
        return m_table->field(section).name;
    return {};
}

void MemTableModel::tableAboutToBeReset() {
    beginResetModel();
}

void MemTableModel::tableReset() {
    endResetModel();
}

void MemTableModel::rowsAboutToBeInserted(int first, int last) {
    beginInsertRows({}, first, last);
}

void MemTableModel::rowsInserted() {
    endInsertRows();
}

void MemTableModel::rowsAboutToBeRemoved(int first, int last) {
    beginRemoveRows({}, first, last);
}

void MemTableModel::rowsRemoved() {
    endRemoveRows();
}

void MemTableModel::cellChanged(int row, int column) {
    const QModelIndex i = index(row, column);
    emit dataChanged(i, i);
}

void MemTableModel::displayFormatChanged(int column) {
    if (rowCount() > 0)
        emit dataChanged(index(0, column), index(rowCount() - 1, column), {Qt::DisplayRole});
}

void MemTableModel::currentRowChanged(int row) {
    emit currentChanged(row);
}

} // namespace vk
