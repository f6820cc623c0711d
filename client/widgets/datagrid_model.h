#pragma once

// The data grid's models: the configured columns over a MemTableModel, and the proxy that sorts
// and filters their rows. Private to the grid.

#include "server/memtablemodel.h"
#include "server/tabledata.h"
#include "widgets/datagrid.h"

#include <QAbstractTableModel>
#include <QCollator>
#include <QSet>
#include <QSortFilterProxyModel>

namespace vk {

// Text folded for case-insensitive matching: I, İ, ı and i are one letter, the rest lowercase.
QString foldTurkish(QStringView text);

// Orders two raw cells of a field: nulls first, numbers numerically, text by the collator.
int compareCells(const QVariant& a, const QVariant& b, FieldType type, const QCollator& collator);

// The collator of the grid's text order.
QCollator turkishCollator();

// One row per table row, one column per configured column (whether or not the table has its
// field); follows the source model's resets, inserts, removals and cell changes.
class GridModel final : public QAbstractTableModel {
public:
    explicit GridModel(MemTableModel* source, QObject* parent = nullptr);

    void setColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& columns() const { return m_columns; }
    GridColumn& column(int index) { return m_columns[index]; }
    MemTable* table() const { return m_source->table(); }

    int fieldOf(int column) const { return m_fieldOf.value(column, -1); } // -1: table lacks it
    bool isNumeric(int column) const;
    Qt::Alignment alignment(int column) const;
    // The text the filters, the search and the widths see (the display text, or a Custom
    // column's own text).
    QString cellText(int row, int column) const;
    const QVariant& rawValue(int row, int column) const;

    // The sort key: a column (its field's raw values, or a Custom column's text), else a field
    // of the table by name.
    void setSortKey(int column, const QString& field);
    int sortKeyColumn() const { return m_sortColumn; }
    const QString& sortKeyField() const { return m_sortField; }
    bool lessThan(int rowA, int rowB) const;
    // Orders two rows' cells in a column the way sorting would.
    int compareInColumn(int rowA, int rowB, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void rebind();

    MemTableModel* m_source;
    QList<GridColumn> m_columns;
    QList<int> m_fieldOf;
    int m_sortColumn = -1;
    QString m_sortField;
    int m_sortFieldIndex = -1;
    bool m_sortByText = false;
    QCollator m_collator;
};

// A column's filter: a set of display texts (when byValues) and a contains text.
struct ColumnFilter {
    bool byValues = false;
    QSet<QString> values; // "" stands for empty cells
    QString text;
    QString foldedText;
    bool isEmpty() const { return !byValues && text.isEmpty(); }
};

// Sorts with the grid model's key and keeps the rows every column filter accepts.
class GridProxy final : public QSortFilterProxyModel {
public:
    explicit GridProxy(GridModel* model, QObject* parent = nullptr);

    void setFilter(int column, const ColumnFilter& filter); // an empty filter removes it
    void setFilters(const QHash<int, ColumnFilter>& filters);
    const QHash<int, ColumnFilter>& filters() const { return m_filters; }
    bool isFiltered(int column) const { return m_filters.contains(column); }
    // Whether a table row passes every filter but the given column's.
    bool acceptsExcept(int sourceRow, int exceptColumn) const;
    // The sort key changed while column and order stayed: sorts again.
    void resort() { invalidate(); }
    // Cells changed unobserved (dynamic filtering was off): checks every row again.
    void refilter() { invalidateRowsFilter(); }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    GridModel* m_model;
    QHash<int, ColumnFilter> m_filters;
};

} // namespace vk
