#pragma once

// The one read-only grid every list of the program uses, over an in-memory table: columns bound
// by field name with captions, weights and design widths; shown, hidden and offered columns
// (a column chooser in the header's menu); a filter button in every header; incremental search
// by typing; whole-row selection; a row indicator; icon, check-box, word-wrapped and
// window-drawn cells; a footer with counts or sums; an initial sort; the weighted layout rule;
// detaching while the table is refilled; suspended repainting during walks.

#include <QColor>
#include <QHash>
#include <QIcon>
#include <QStyleOptionViewItem>
#include <QWidget>

#include <functional>
#include <memory>

class QMenu;
class QTableView;

namespace vk {

class MemTable;

struct GridColumn {
    enum class Kind { Text, Icon, CheckBox, Custom };

    QString field;   // the table's field name; an unbound (Custom) column may leave it empty
    QString caption; // the header text; a null caption shows the field name, "" shows nothing
    int weight = 1;
    int designWidth = 84;
    bool visible = true;
    bool offered = true; // listed in the column chooser
    Kind kind = Kind::Text;
    bool wordWrap = false;
    Qt::Alignment alignment = {}; // empty: numbers right, the rest left; always vertically centred
    bool searchable = true;       // incremental search may stop on it
    // Icon kind: the icon of each integer value; a value without an entry shows iconFallback.
    QHash<int, QIcon> icons;
    QIcon iconFallback;
    // Custom kind: draws the whole cell of a table row.
    std::function<void(QPainter*, const QStyleOptionViewItem&, int tableRow)> paint;
    // Custom kind: the text the filter, the incremental search and the export see.
    std::function<QString(int tableRow)> text;
};

struct GridFooterItem {
    enum class Kind { Count, Sum };
    QString field; // the column it stands under
    Kind kind = Kind::Count;
};

class DataGrid : public QWidget {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    // Columns, in display order. Fields the table lacks show empty cells.
    void setColumns(const QList<GridColumn>& columns);
    int columnCount() const;
    int columnIndex(const QString& field) const; // by field (or caption for unbound); -1 if none
    const GridColumn& column(int index) const;
    void setColumnVisible(const QString& field, bool visible);
    bool isColumnVisible(const QString& field) const;
    void setColumnOffered(const QString& field, bool offered);
    bool isColumnOffered(const QString& field) const;
    int columnWidth(const QString& field) const;
    void setColumnWidth(const QString& field, int width);

    // The table shown. Detached, the grid shows no rows and follows no changes; attaching again
    // shows the table as it is then (sort and filters stay).
    void setTable(MemTable* table);
    MemTable* table() const;
    void detach();
    void attach();
    bool isAttached() const;

    void setHeaderHeight(int pixels);
    void setRowHeight(int pixels);
    int rowHeight() const;
    void setRowIndicator(bool shown);
    void setSortingEnabled(bool enabled); // clicking a header sorts (on by default)
    // The order the rows come in after every fill (the field may be a hidden column).
    void setInitialSort(const QString& field, Qt::SortOrder order);
    void setFooter(const QList<GridFooterItem>& items);
    QString footerText(const QString& field) const;

    // Filters (the header buttons set them too).
    void setValueFilter(const QString& field, const QStringList& displayTexts);
    void setTextFilter(const QString& field, const QString& contains);
    void clearFilters();
    bool hasFilters() const;
    int shownRowCount() const; // rows after the filters

    // The focused row as a row of the table (-1 when there is none), and the focused column.
    int focusedRow() const;
    void setFocusedRow(int tableRow);
    QString focusedField() const;
    void setFocusedField(const QString& field); // a shown column; the row stays
    // The table rows in the order the grid shows them (sorted and filtered).
    QList<int> shownRows() const;

    // The weighted widths: every shown column gets weight × whole part of
    // (availableWidth − reduction) / sum of the shown columns' weights.
    void applyWeights(int availableWidth, int reduction);
    void bestFit(); // every column as wide as its header and its widest shown value
    // Repainting suspended while a walk or a refill changes many cells; calls nest.
    void beginUpdate();
    void endUpdate();

    void setContextMenu(QMenu* menu);
    QTableView* view() const;

signals:
    void rowDoubleClicked(int tableRow, const QString& field);
    void focusedRowChanged(int tableRow);
    void resized(); // the grid's size changed (windows apply their layout rules on it)
    // A column was shown or hidden (also from the column chooser); weights may need applying.
    void columnVisibilityChanged(const QString& field, bool visible);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace vk
