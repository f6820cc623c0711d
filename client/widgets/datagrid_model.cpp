#include "widgets/datagrid_model.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace vk {

namespace {

const QVariant kNull;

bool isNullCell(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

template <typename T> int threeWay(const T& a, const T& b) {
    return (b < a) - (a < b);
}

} // namespace

QString foldTurkish(QStringView text) {
    QString folded;
    folded.reserve(text.size());
    for (const QChar c : text) {
        // Catalogue texts are often upper-case ASCII ("DISK" for "DİSK"): every dotted and dotless
        // i meets every other, so a dealer typing "disk" finds it.
        if (c == u'I' || c == QChar(0x0130) || c == QChar(0x0131))
            folded.append(u'i');
        else
            folded.append(c.toLower());
    }
    return folded;
}

int compareCells(const QVariant& a, const QVariant& b, FieldType type, const QCollator& collator) {
    const bool nullA = isNullCell(a), nullB = isNullCell(b);
    if (nullA || nullB)
        return nullA == nullB ? 0 : (nullA ? -1 : 1);
    switch (type) {
    case FieldType::Integer:
    case FieldType::LargeInt:
        return threeWay(a.toLongLong(), b.toLongLong());
    case FieldType::Float:
        return threeWay(a.toDouble(), b.toDouble());
    case FieldType::Boolean:
        return threeWay(int(a.toBool()), int(b.toBool()));
    case FieldType::Date:
        return threeWay(a.toDate(), b.toDate());
    case FieldType::Time:
        return threeWay(a.toTime(), b.toTime());
    case FieldType::DateTime:
        return threeWay(a.toDateTime(), b.toDateTime());
    case FieldType::Blob:
        return 0;
    case FieldType::String:
        break;
    }
    return collator.compare(a.toString(), b.toString());
}

QCollator turkishCollator() {
    return QCollator(QLocale(QLocale::Turkish, QLocale::Turkey));
}

// --- GridModel ---------------------------------------------------------------------------------

GridModel::GridModel(MemTableModel* source, QObject* parent)
    : QAbstractTableModel(parent), m_source(source), m_collator(turkishCollator()) {
    connect(source, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(source, &QAbstractItemModel::modelReset, this, [this] {
        rebind();
        endResetModel();
    });
    connect(source, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex&, int first, int last) { beginInsertRows({}, first, last); });
    connect(source, &QAbstractItemModel::rowsInserted, this, [this] { endInsertRows(); });
    connect(source, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) { beginRemoveRows({}, first, last); });
    connect(source, &QAbstractItemModel::rowsRemoved, this, [this] { endRemoveRows(); });
    // A cell change may show in any column (a Custom column's text may read other fields), and
    // the whole row lets the proxy re-check its filters and its place.
    connect(source, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                if (m_columns.isEmpty())
                    return;
                emit dataChanged(index(topLeft.row(), 0),
                                 index(bottomRight.row(), int(m_columns.size()) - 1));
            });
}

void GridModel::setColumns(const QList<GridColumn>& columns) {
    beginResetModel();
    m_columns = columns;
    rebind();
    endResetModel();
}

void GridModel::rebind() {
    const MemTable* t = table();
    m_fieldOf.clear();
    for (const GridColumn& c : m_columns)
        m_fieldOf.append(t && !c.field.isEmpty() ? t->fieldIndex(c.field) : -1);
    m_sortByText = false;
    m_sortFieldIndex = -1;
    if (m_sortColumn >= 0 && m_sortColumn < m_columns.size()) {
        m_sortFieldIndex = m_fieldOf[m_sortColumn];
        const GridColumn& c = m_columns[m_sortColumn];
        m_sortByText = m_sortFieldIndex < 0 && c.kind == GridColumn::Kind::Custom && c.text;
    } else if (t && !m_sortField.isEmpty()) {
        m_sortFieldIndex = t->fieldIndex(m_sortField);
    }
}

bool GridModel::isNumeric(int column) const {
    const int f = fieldOf(column);
    return f >= 0 && vk::isNumeric(table()->field(f).type);
}

Qt::Alignment GridModel::alignment(int column) const {
    const GridColumn& c = m_columns[column];
    if (c.alignment & Qt::AlignHorizontal_Mask)
        return (c.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
    if (c.kind == GridColumn::Kind::Icon || c.kind == GridColumn::Kind::CheckBox)
        return Qt::AlignCenter;
    return (isNumeric(column) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

QString GridModel::cellText(int row, int column) const {
    const GridColumn& c = m_columns[column];
    if (c.kind == GridColumn::Kind::Custom && c.text)
        return c.text(row);
    const int f = fieldOf(column);
    if (f < 0)
        return {};
    return m_source->data(m_source->index(row, f), Qt::DisplayRole).toString();
}

const QVariant& GridModel::rawValue(int row, int column) const {
    const int f = fieldOf(column);
    return f < 0 ? kNull : table()->value(row, f);
}

void GridModel::setSortKey(int column, const QString& field) {
    m_sortColumn = column;
    m_sortField = column >= 0 ? QString() : field;
    rebind();
}

bool GridModel::lessThan(int rowA, int rowB) const {
    if (m_sortByText)
        return m_collator.compare(cellText(rowA, m_sortColumn), cellText(rowB, m_sortColumn)) < 0;
    if (m_sortFieldIndex < 0)
        return false;
    const MemTable* t = table();
    return compareCells(t->value(rowA, m_sortFieldIndex), t->value(rowB, m_sortFieldIndex),
                        t->field(m_sortFieldIndex).type, m_collator) < 0;
}

int GridModel::compareInColumn(int rowA, int rowB, int column) const {
    const int f = fieldOf(column);
    if (f < 0)
        return m_collator.compare(cellText(rowA, column), cellText(rowB, column));
    const MemTable* t = table();
    return compareCells(t->value(rowA, f), t->value(rowB, f), t->field(f).type, m_collator);
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_source->rowCount();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !table())
        return {};
    const int row = index.row(), column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return cellText(row, column);
    case Qt::AccessibleTextRole:
        if (m_columns[column].kind == GridColumn::Kind::CheckBox)
            return rawValue(row, column).toInt() == 1 ? QStringLiteral("İşaretli")
                                                      : QStringLiteral("İşaretsiz");
        return cellText(row, column);
    case Qt::EditRole:
    case MemTableModel::RawValueRole:
        return rawValue(row, column);
    case MemTableModel::FieldNameRole:
        return m_columns[column].field;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignment(column));
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    const GridColumn& c = m_columns[section];
    switch (role) {
    case Qt::DisplayRole:
        return c.caption.isNull() ? c.field : c.caption;
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return c.caption.isEmpty() ? c.field : c.caption;
    case MemTableModel::FieldNameRole:
        return c.field;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignment(section));
    default:
        return {};
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

// --- GridProxy ---------------------------------------------------------------------------------

GridProxy::GridProxy(GridModel* model, QObject* parent)
    : QSortFilterProxyModel(parent), m_model(model) {
    setSourceModel(model);
}

void GridProxy::setFilter(int column, const ColumnFilter& filter) {
    if (filter.isEmpty()) {
        if (m_filters.remove(column) == 0)
            return;
    } else {
        ColumnFilter f = filter;
        f.foldedText = foldTurkish(f.text);
        m_filters.insert(column, f);
    }
    invalidateRowsFilter();
}

void GridProxy::setFilters(const QHash<int, ColumnFilter>& filters) {
    if (filters.isEmpty() && m_filters.isEmpty())
        return;
    m_filters.clear();
    for (auto it = filters.begin(); it != filters.end(); ++it) {
        if (it->isEmpty())
            continue;
        ColumnFilter f = *it;
        f.foldedText = foldTurkish(f.text);
        m_filters.insert(it.key(), f);
    }
    invalidateRowsFilter();
}

bool GridProxy::acceptsExcept(int sourceRow, int exceptColumn) const {
    for (auto it = m_filters.begin(); it != m_filters.end(); ++it) {
        if (it.key() == exceptColumn || it.key() >= m_model->columnCount())
            continue;
        const QString text = m_model->cellText(sourceRow, it.key());
        if (it->byValues && !it->values.contains(text))
            return false;
        if (!it->foldedText.isEmpty() && !foldTurkish(text).contains(it->foldedText))
            return false;
    }
    return true;
}

bool GridProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (sourceParent.isValid())
        return false;
    return m_filters.isEmpty() || acceptsExcept(sourceRow, -1);
}

bool GridProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    return m_model->lessThan(left.row(), right.row());
}

} // namespace vk
