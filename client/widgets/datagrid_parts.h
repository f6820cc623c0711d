#pragma once

// The data grid's pieces: its table view, column header with filter buttons, row indicator,
// cell painter, footer, frame and filter popup. Private to the grid.

#include "widgets/datagrid.h"

#include <QFrame>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>

#include <optional>

class QCheckBox;
class QLineEdit;
class QListView;
class QPushButton;
class QStandardItemModel;

namespace vk {

class GridModel;
class GridProxy;

// What the pieces ask of the grid.
class GridHost {
public:
    virtual ~GridHost() = default;
    virtual const GridColumn& gridColumn(int column) const = 0;
    virtual Qt::Alignment columnAlignment(int column) const = 0;
    virtual bool columnFiltered(int column) const = 0;
    virtual bool sortIndicator(int column, Qt::SortOrder* order) const = 0; // false: none
    virtual int tableRowOf(const QModelIndex& index) const = 0;
    virtual void filterButtonClicked(int column) = 0;
    virtual void headerMenuRequested(const QPoint& globalPos) = 0;
    virtual void rowMenuRequested(const QPoint& viewportPos, bool byKeyboard) = 0;
    virtual bool viewKeyPressed(QKeyEvent* event) = 0; // true: handled
    virtual void viewFocusChanged() = 0;
    virtual void localeChanged() = 0;
};

namespace gridlook {
inline const QColor kTurquoise(0x1A, 0xA6, 0xB7);
inline const QColor kTurquoiseDark(0x12, 0x83, 0x92);
inline const QColor kInactiveSelection(0xBF, 0xE6, 0xEB);
inline const QColor kBorder(0xAE, 0xB8, 0xBF);
inline const QColor kGridLine(0xE1, 0xE6, 0xEA);
inline const QColor kHeaderTop(0xF7, 0xF8, 0xF9);
inline const QColor kHeaderBottom(0xDF, 0xE4, 0xE7);
inline const QColor kHeaderHoverTop(0xFD, 0xFE, 0xFE);
inline const QColor kHeaderHoverBottom(0xE8, 0xEC, 0xEE);
inline const QColor kHeaderSeparator(0xC5, 0xCD, 0xD2);
inline const QColor kHeaderText(0x3C, 0x46, 0x50);
inline const QColor kMuted(0x8A, 0x96, 0xA0);
inline const QColor kText(0x22, 0x2A, 0x30);
inline const QColor kAlternate(0xF4, 0xF7, 0xF9);
constexpr int kCellPadding = 5;
constexpr int kFilterButtonWidth = 16;
constexpr int kSortArrowWidth = 11;
constexpr int kIndicatorWidth = 14;
} // namespace gridlook

// The table view: whole-row single selection, Home/End by rows, the keys the grid takes first.
class GridView final : public QTableView {
public:
    GridView(GridHost* host, QWidget* parent);

    int firstVisibleColumn() const;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString&) override {} // the grid searches its own way
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    GridHost* m_host;
};

// The column header: gradient sections, captions, the sort arrow and a filter button in each.
class GridHeader final : public QHeaderView {
public:
    GridHeader(GridHost* host, QWidget* parent);

    // The filter button's area of a section, in viewport coordinates (empty when too narrow).
    QRect filterButtonRect(int logicalIndex) const;
    int captionWidth(int logicalIndex) const; // what a caption needs to show whole

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int filterButtonAt(const QPoint& pos) const;

    GridHost* m_host;
    int m_hover = -1;
    bool m_hoverButton = false;
    int m_pressedButton = -1;
};

// The narrow row header: no numbers, a small triangle on the focused row.
class RowIndicator final : public QHeaderView {
public:
    explicit RowIndicator(QWidget* parent);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void paintEvent(QPaintEvent* event) override;
};

// Paints every kind of cell, the grid lines and the focused cell.
class GridDelegate final : public QStyledItemDelegate {
public:
    GridDelegate(GridHost* host, GridView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
    QSize iconSize(const QRect& cell) const;

private:
    void paintBackground(QPainter* painter, const QStyleOptionViewItem& option,
                         bool focusedCell) const;

    GridHost* m_host;
    GridView* m_view;
};

// The footer row under the columns: one text under the column of each footer item.
class GridFooter final : public QWidget {
public:
    struct Cell {
        int column = -1;
        QString text;
        Qt::Alignment alignment;
    };

    GridFooter(GridView* view, QWidget* parent);
    void setCells(const QList<Cell>& cells);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    GridView* m_view;
    QList<Cell> m_cells;
};

// Holds view and footer, draws the border (turquoise while the grid has focus) and passes
// locale changes on.
class GridFrame final : public QFrame {
public:
    GridFrame(GridHost* host, QWidget* parent);
    void setFocused(bool focused);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    GridHost* m_host;
    bool m_focused = false;
};

// The popup of a header's filter button: a contains text, a checklist of the column's values
// and the buttons that apply or clear the column's filter.
class FilterPopup final : public QFrame {
public:
    struct Entry {
        QString text; // "" for empty cells
        QIcon icon;
    };
    // values: the texts to keep, or nullopt for all of them.
    using ApplyFn = std::function<void(const QString& text, const std::optional<QStringList>&)>;

    FilterPopup(const QString& title, const QList<Entry>& entries, const QString& text,
                const std::optional<QSet<QString>>& checked, ApplyFn apply, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setAllChecked(bool checked);
    void syncAllBox();
    void apply();

    QStandardItemModel* m_items;
    QLineEdit* m_edit;
    QListView* m_list;
    QCheckBox* m_all;
    QPushButton* m_apply;
    ApplyFn m_applyFn;
    bool m_bulk = false;
};

} // namespace vk
