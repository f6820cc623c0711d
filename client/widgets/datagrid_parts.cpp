#include "widgets/datagrid_parts.h"

#include "server/memtablemodel.h"
#include "widgets/appicons.h"
#include "widgets/datagrid_model.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTextLayout>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

namespace vk {

using namespace gridlook;

namespace {

void fillHeaderGradient(QPainter* p, const QRect& r, bool hover) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, hover ? kHeaderHoverTop : kHeaderTop);
    g.setColorAt(1, hover ? kHeaderHoverBottom : kHeaderBottom);
    p->fillRect(r, g);
}

// A funnel: a wide top narrowing to a short stem.
void drawFunnel(QPainter* p, const QRect& button, bool filtered, bool hot) {
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    if (hot || filtered) {
        const QRectF back = QRectF(button).adjusted(1.5, 3.5, -1.5, -3.5);
        p->setPen(QPen(hot ? kTurquoise : kTurquoise.lighter(150), 1));
        p->setBrush(filtered ? QColor(0xDC, 0xF2, 0xF5) : QColor(0xEE, 0xF8, 0xF9));
        p->drawRoundedRect(back, 3, 3);
    }
    const QPointF c = QRectF(button).center();
    const qreal w = 9, h = 9;
    const qreal left = c.x() - w / 2, top = c.y() - h / 2;
    QPainterPath path;
    path.moveTo(left, top);
    path.lineTo(left + w, top);
    path.lineTo(left + w * 0.62, top + h * 0.48);
    path.lineTo(left + w * 0.62, top + h);
    path.lineTo(left + w * 0.38, top + h * 0.82);
    path.lineTo(left + w * 0.38, top + h * 0.48);
    path.closeSubpath();
    if (filtered) {
        p->setPen(QPen(kTurquoiseDark, 1));
        p->setBrush(kTurquoise);
    } else {
        p->setPen(QPen(hot ? kHeaderText : kMuted, 1));
        p->setBrush(hot ? QColor(Qt::white) : QColor(0xF4, 0xF6, 0xF7));
    }
    p->drawPath(path);
    p->restore();
}

void drawSortArrow(QPainter* p, const QRect& area, Qt::SortOrder order) {
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    p->setPen(Qt::NoPen);
    p->setBrush(kHeaderText);
    const QPointF c = QRectF(area).center();
    QPolygonF tri;
    if (order == Qt::AscendingOrder)
        tri << QPointF(c.x() - 4, c.y() + 2) << QPointF(c.x() + 4, c.y() + 2)
            << QPointF(c.x(), c.y() - 2.5);
    else
        tri << QPointF(c.x() - 4, c.y() - 2) << QPointF(c.x() + 4, c.y() - 2)
            << QPointF(c.x(), c.y() + 2.5);
    p->drawPolygon(tri);
    p->restore();
}

// Word-wrapped text in as many lines as the cell has room for, the last one elided; the block
// is centred vertically.
void drawWrapped(QPainter* p, const QRect& r, Qt::Alignment align, const QString& text,
                 const QFont& font) {
    const QFontMetrics fm(font);
    const int lineHeight = fm.lineSpacing();
    const int room = std::max(1, r.height() / lineHeight);
    QStringList lines;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(r.width());
        if (lines.size() == room - 1) {
            QString rest = text.mid(line.textStart()).simplified();
            lines.append(fm.elidedText(rest, Qt::ElideRight, r.width()));
            break;
        }
        lines.append(text.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
    int y = r.top() + (r.height() - int(lines.size()) * lineHeight) / 2;
    const int flags = int(align & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
    for (const QString& line : lines) {
        p->drawText(QRect(r.left(), y, r.width(), lineHeight), flags, line);
        y += lineHeight;
    }
}

} // namespace

// --- GridView ----------------------------------------------------------------------------------

GridView::GridView(GridHost* host, QWidget* parent) : QTableView(parent), m_host(host) {}

int GridView::firstVisibleColumn() const {
    const QHeaderView* h = horizontalHeader();
    int fallback = -1;
    for (int v = 0; v < h->count(); ++v) {
        const int logical = h->logicalIndex(v);
        if (h->isSectionHidden(logical))
            continue;
        if (h->sectionSize(logical) > 0)
            return logical;
        if (fallback < 0)
            fallback = logical;
    }
    return fallback;
}

QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // Home and End go to the first and last row, staying in the column.
    if (action == MoveHome || action == MoveEnd) {
        const int rows = model() ? model()->rowCount() : 0;
        const int column =
            currentIndex().isValid() ? currentIndex().column() : firstVisibleColumn();
        if (rows == 0 || column < 0)
            return {};
        return model()->index(action == MoveHome ? 0 : rows - 1, column);
    }
    return QTableView::moveCursor(action, modifiers);
}

QItemSelectionModel::SelectionFlags GridView::selectionCommand(const QModelIndex& index,
                                                               const QEvent*) const {
    // The selection is always the focused row: no Ctrl toggling, no empty selection.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}

void GridView::keyPressEvent(QKeyEvent* event) {
    if (m_host->viewKeyPressed(event))
        return;
    QTableView::keyPressEvent(event);
}

void GridView::contextMenuEvent(QContextMenuEvent* event) {
    m_host->rowMenuRequested(event->pos(), event->reason() == QContextMenuEvent::Keyboard);
    event->accept();
}

void GridView::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    m_host->viewFocusChanged();
}

void GridView::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    m_host->viewFocusChanged();
}

// --- GridHeader --------------------------------------------------------------------------------

GridHeader::GridHeader(GridHost* host, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), m_host(host) {
    setMouseTracking(true);
    setSectionsClickable(true);
    setSectionsMovable(false);
    setHighlightSections(false);
    setSortIndicatorShown(false); // the grid keeps its own sort state and draws the arrow
    setStretchLastSection(false);
    setMinimumSectionSize(0);
    setSectionResizeMode(QHeaderView::Interactive);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QRect GridHeader::filterButtonRect(int logicalIndex) const {
    if (logicalIndex < 0 || logicalIndex >= count() || isSectionHidden(logicalIndex))
        return {};
    const int w = sectionSize(logicalIndex);
    if (w < kFilterButtonWidth + 4)
        return {};
    const int x = sectionViewportPosition(logicalIndex);
    return {x + w - kFilterButtonWidth - 1, 0, kFilterButtonWidth, height()};
}

int GridHeader::captionWidth(int logicalIndex) const {
    const QString text =
        model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
    const int textWidth = text.isEmpty() ? 0 : fontMetrics().horizontalAdvance(text) + 2;
    return textWidth + 2 * kCellPadding + kSortArrowWidth + kFilterButtonWidth;
}

int GridHeader::filterButtonAt(const QPoint& pos) const {
    const int logical = logicalIndexAt(pos);
    return logical >= 0 && filterButtonRect(logical).contains(pos) ? logical : -1;
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid())
        return;
    painter->save();
    const bool hover = logicalIndex == m_hover;
    fillHeaderGradient(painter, rect, hover && !m_hoverButton);
    painter->setPen(kHeaderSeparator);
    painter->drawLine(rect.topRight() + QPoint(0, 3), rect.bottomRight() - QPoint(0, 3));
    painter->setPen(kBorder);
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());

    const QRect button = filterButtonRect(logicalIndex);
    int right = (button.isNull() ? rect.right() - kCellPadding : button.left() - 1);
    Qt::SortOrder order = Qt::AscendingOrder;
    if (m_host->sortIndicator(logicalIndex, &order) && right - rect.left() > kSortArrowWidth) {
        drawSortArrow(painter,
                      QRect(right - kSortArrowWidth, rect.top(), kSortArrowWidth, rect.height()),
                      order);
        right -= kSortArrowWidth;
    }

    const QString text = model()->headerData(logicalIndex, Qt::Horizontal).toString();
    const QRect textRect(rect.left() + kCellPadding, rect.top() + 1,
                         right - rect.left() - kCellPadding, rect.height() - 2);
    if (!text.isEmpty() && textRect.width() > 4) {
        painter->setPen(kHeaderText);
        painter->setFont(font());
        const Qt::Alignment align =
            (m_host->columnAlignment(logicalIndex) & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
        const QFontMetrics& fm = painter->fontMetrics();
        // Wrapping helps only when every word fits; a word cut at both ends reads as another word.
        const bool twoLines = textRect.height() >= 2 * fm.lineSpacing();
        bool wordsFit = true;
        for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            wordsFit = wordsFit && fm.horizontalAdvance(word) <= textRect.width();
        if (fm.horizontalAdvance(text) > textRect.width() && twoLines && wordsFit) {
            painter->drawText(textRect, int(align) | Qt::TextWordWrap, text);
        } else {
            painter->drawText(textRect, int(align),
                              fm.elidedText(text, Qt::ElideRight, textRect.width()));
        }
    }
    if (!button.isNull()) {
        drawFunnel(painter, button, m_host->columnFiltered(logicalIndex), hover && m_hoverButton);
    }
    painter->restore();
}

void GridHeader::paintEvent(QPaintEvent* event) {
    QHeaderView::paintEvent(event);
    // The strip right of the last column looks like an empty section.
    const int end = length() - offset();
    if (end < viewport()->width()) {
        QPainter p(viewport());
        const QRect r(end, 0, viewport()->width() - end, viewport()->height());
        fillHeaderGradient(&p, r, false);
        p.setPen(kBorder);
        p.drawLine(r.bottomLeft(), r.bottomRight());
    }
}

void GridHeader::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const int button = filterButtonAt(event->position().toPoint());
        if (button >= 0) {
            m_pressedButton = button;
            event->accept();
            return;
        }
    }
    QHeaderView::mousePressEvent(event);
}

void GridHeader::mouseReleaseEvent(QMouseEvent* event) {
    if (m_pressedButton >= 0) {
        const int pressed = std::exchange(m_pressedButton, -1);
        if (filterButtonAt(event->position().toPoint()) == pressed)
            m_host->filterButtonClicked(pressed);
        event->accept();
        return;
    }
    QHeaderView::mouseReleaseEvent(event);
}

void GridHeader::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const int hover = logicalIndexAt(pos);
    const bool onButton = hover >= 0 && filterButtonRect(hover).contains(pos);
    if (hover != m_hover || onButton != m_hoverButton) {
        m_hover = hover;
        m_hoverButton = onButton;
        viewport()->update();
    }
    if (m_pressedButton >= 0)
        return;
    QHeaderView::mouseMoveEvent(event);
}

void GridHeader::contextMenuEvent(QContextMenuEvent* event) {
    m_host->headerMenuRequested(event->globalPos());
    event->accept();
}

bool GridHeader::viewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::Leave:
        if (m_hover >= 0) {
            m_hover = -1;
            m_hoverButton = false;
            viewport()->update();
        }
        break;
    case QEvent::ToolTip: {
        auto* help = static_cast<QHelpEvent*>(event);
        const int logical = logicalIndexAt(help->pos());
        if (logical < 0)
            break;
        QString tip;
        if (filterButtonRect(logical).contains(help->pos()))
            tip = m_host->columnFiltered(logical) ? QStringLiteral("Filtre uygulanmış (değiştir)")
                                                  : QStringLiteral("Filtrele");
        else
            tip = model()->headerData(logical, Qt::Horizontal, Qt::ToolTipRole).toString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    default:
        break;
    }
    return QHeaderView::viewportEvent(event);
}

// --- RowIndicator ------------------------------------------------------------------------------

namespace {
const QColor kIndicatorBack(0xEE, 0xF1, 0xF3);
}

RowIndicator::RowIndicator(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setHighlightSections(false);
    setFixedWidth(kIndicatorWidth);
}

void RowIndicator::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    painter->fillRect(rect, kIndicatorBack);
    painter->setPen(kBorder);
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->setPen(kGridLine.darker(104));
    painter->drawLine(rect.bottomLeft(), rect.bottomRight() - QPoint(1, 0));
    const QItemSelectionModel* selection = selectionModel();
    if (selection && selection->currentIndex().isValid() &&
        selection->currentIndex().row() == logicalIndex) {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(kTurquoiseDark);
        const QPointF c = QRectF(rect).center();
        painter->drawPolygon(QPolygonF()
                             << QPointF(c.x() - 2.5, c.y() - 4.5) << QPointF(c.x() + 2.5, c.y())
                             << QPointF(c.x() - 2.5, c.y() + 4.5));
    }
    painter->restore();
}

void RowIndicator::paintEvent(QPaintEvent* event) {
    QHeaderView::paintEvent(event);
    const int end = length() - offset();
    if (end < viewport()->height()) {
        QPainter p(viewport());
        const QRect r(0, end, viewport()->width(), viewport()->height() - end);
        p.fillRect(r, kIndicatorBack);
        p.setPen(kBorder);
        p.drawLine(r.topRight(), r.bottomRight());
    }
}

// --- GridDelegate ------------------------------------------------------------------------------

GridDelegate::GridDelegate(GridHost* host, GridView* view)
    : QStyledItemDelegate(view), m_host(host), m_view(view) {}

QSize GridDelegate::iconSize(const QRect& cell) const {
    QSize size = m_view->iconSize();
    if (!size.isValid() || size.isEmpty())
        size = QSize(16, 16);
    const int room = std::max(8, cell.height() - 4);
    return size.boundedTo(QSize(room, room));
}

void GridDelegate::paintBackground(QPainter* painter, const QStyleOptionViewItem& option,
                                   bool focusedCell) const {
    QColor back;
    if (option.state & QStyle::State_Selected)
        back =
            m_view->hasFocus() ? (focusedCell ? kTurquoiseDark : kTurquoise) : kInactiveSelection;
    else if (option.features & QStyleOptionViewItem::Alternate)
        back = kAlternate;
    else
        back = option.palette.color(QPalette::Base);
    painter->fillRect(option.rect, back);
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const GridColumn& column = m_host->gridColumn(index.column());
    QStyleOptionViewItem opt(option);
    opt.index = index;
    opt.state &= ~QStyle::State_HasFocus;
    const bool selected = opt.state & QStyle::State_Selected;
    const bool strong = selected && m_view->hasFocus();
    const bool focusedCell = strong && index.column() == m_view->currentIndex().column();
    paintBackground(painter, opt, focusedCell);
    const QColor ink = strong ? QColor(Qt::white) : opt.palette.color(QPalette::Text);
    const Qt::Alignment align = m_host->columnAlignment(index.column());
    opt.displayAlignment = align;

    switch (column.kind) {
    case GridColumn::Kind::Text: {
        const QString text = index.data(Qt::DisplayRole).toString();
        if (text.isEmpty())
            break;
        const QRect r = opt.rect.adjusted(kCellPadding, 1, -kCellPadding, -1);
        painter->setPen(ink);
        painter->setFont(opt.font);
        if (column.wordWrap) {
            drawWrapped(painter, r, align, text, opt.font);
        } else {
            painter->drawText(r, int(align),
                              opt.fontMetrics.elidedText(text, Qt::ElideRight, r.width()));
        }
        break;
    }
    case GridColumn::Kind::Icon: {
        const QVariant v = index.data(MemTableModel::RawValueRole);
        const auto it = v.isValid() && !v.isNull() ? column.icons.constFind(v.toInt())
                                                   : column.icons.constEnd();
        const QIcon& icon = it != column.icons.constEnd() ? *it : column.iconFallback;
        if (!icon.isNull()) {
            const QRect r = QStyle::alignedRect(opt.direction, align, iconSize(opt.rect),
                                                opt.rect.adjusted(2, 0, -2, 0));
            icon.paint(painter, r, Qt::AlignCenter);
        }
        break;
    }
    case GridColumn::Kind::CheckBox: {
        const QStyle* style = m_view->style();
        QStyleOptionViewItem check(opt);
        const int w = style->pixelMetric(QStyle::PM_IndicatorWidth, &opt, m_view);
        const int h = style->pixelMetric(QStyle::PM_IndicatorHeight, &opt, m_view);
        check.rect =
            QStyle::alignedRect(opt.direction, align, QSize(w, h), opt.rect.adjusted(2, 0, -2, 0));
        check.state = QStyle::State_Enabled;
        check.state |= index.data(MemTableModel::RawValueRole).toInt() == 1 ? QStyle::State_On
                                                                            : QStyle::State_Off;
        style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, m_view);
        break;
    }
    case GridColumn::Kind::Custom:
        if (column.paint) {
            // Tell the painter the colours the cell has.
            QColor back = kAlternate;
            if (selected)
                back = strong ? (focusedCell ? kTurquoiseDark : kTurquoise) : kInactiveSelection;
            else if (!(opt.features & QStyleOptionViewItem::Alternate))
                back = opt.palette.color(QPalette::Base);
            opt.palette.setColor(QPalette::Highlight, back);
            opt.palette.setColor(QPalette::HighlightedText, ink);
            painter->save();
            painter->setClipRect(opt.rect);
            column.paint(painter, opt, m_host->tableRowOf(index));
            painter->restore();
        }
        break;
    }

    painter->save();
    painter->setPen(kGridLine);
    painter->drawLine(opt.rect.topRight(), opt.rect.bottomRight());
    painter->drawLine(opt.rect.bottomLeft(), opt.rect.bottomRight());
    painter->restore();
}

bool GridDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                             const QStyleOptionViewItem& option, const QModelIndex& index) {
    // A text cell too narrow for its text shows it whole as a tooltip.
    if (event->type() != QEvent::ToolTip || !index.isValid() ||
        m_host->gridColumn(index.column()).kind != GridColumn::Kind::Text)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = index.data(Qt::DisplayRole).toString();
    const int room = option.rect.width() - 2 * kCellPadding;
    const bool cut =
        m_host->gridColumn(index.column()).wordWrap
            ? option.fontMetrics.boundingRect(QRect(0, 0, room, 10000), Qt::TextWordWrap, text)
                      .height() > option.rect.height()
            : option.fontMetrics.horizontalAdvance(text) > room;
    if (!text.isEmpty() && cut) {
        QToolTip::showText(event->globalPos(), text, view);
        return true;
    }
    QToolTip::hideText();
    return true;
}

// --- GridFooter --------------------------------------------------------------------------------

GridFooter::GridFooter(GridView* view, QWidget* parent) : QWidget(parent), m_view(view) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GridFooter::setCells(const QList<Cell>& cells) {
    m_cells = cells;
    update();
}

QSize GridFooter::sizeHint() const {
    return {100, fontMetrics().height() + 10};
}

void GridFooter::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0xEC, 0xEF, 0xF1));
    g.setColorAt(1, QColor(0xE1, 0xE6, 0xE9));
    p.fillRect(rect(), g);
    p.setPen(kBorder);
    p.drawLine(0, 0, width(), 0);

    const QHeaderView* header = m_view->horizontalHeader();
    const QWidget* viewport = m_view->viewport();
    const int x0 = viewport->mapTo(window(), QPoint(0, 0)).x() - mapTo(window(), QPoint(0, 0)).x();
    p.setClipRect(QRect(x0, 1, viewport->width(), height() - 1));
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    const QFontMetrics fm(bold);
    for (const Cell& cell : m_cells) {
        if (cell.column < 0 || cell.column >= header->count() ||
            header->isSectionHidden(cell.column))
            continue;
        const QRect section(x0 + header->sectionViewportPosition(cell.column), 1,
                            header->sectionSize(cell.column), height() - 1);
        if (section.width() <= 0)
            continue;
        p.setPen(kHeaderSeparator);
        p.drawLine(section.topLeft(), section.bottomLeft());
        p.drawLine(section.topRight(), section.bottomRight());
        const QRect r = section.adjusted(kCellPadding, 0, -kCellPadding, 0);
        p.setPen(kHeaderText);
        p.drawText(r, int((cell.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter),
                   fm.elidedText(cell.text, Qt::ElideRight, r.width()));
    }
}

// --- GridFrame ---------------------------------------------------------------------------------

GridFrame::GridFrame(GridHost* host, QWidget* parent) : QFrame(parent), m_host(host) {
    setFrameShape(QFrame::NoFrame);
}

void GridFrame::setFocused(bool focused) {
    if (focused == m_focused)
        return;
    m_focused = focused;
    update();
}

void GridFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(m_focused ? kTurquoise : kBorder);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void GridFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LocaleChange)
        m_host->localeChanged();
    QFrame::changeEvent(event);
}

// --- FilterPopup -------------------------------------------------------------------------------

namespace {

constexpr int kValueRole = Qt::UserRole + 1;

// Narrows the value list to the entries containing the typed text.
class EntryFilter final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setNeedle(const QString& text) {
        m_needle = foldTurkish(text.trimmed());
        invalidateRowsFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        return m_needle.isEmpty() ||
               foldTurkish(sourceModel()->index(row, 0, parent).data().toString())
                   .contains(m_needle);
    }

private:
    QString m_needle;
};

// A click anywhere on an entry toggles its check.
class ToggleDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        switch (event->type()) {
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton ||
                !option.rect.contains(mouse->position().toPoint()))
                return false;
            const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
            return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return false;
        default:
            return QStyledItemDelegate::editorEvent(event, model, option, index);
        }
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 4);
    }
};

} // namespace

FilterPopup::FilterPopup(const QString& title, const QList<Entry>& entries, const QString& text,
                         const std::optional<QSet<QString>>& checked, ApplyFn apply,
                         QWidget* parent)
    : QFrame(parent, Qt::Popup), m_applyFn(std::move(apply)) {
    setObjectName(QStringLiteral("gridFilterPopup"));
    setAttribute(Qt::WA_DeleteOnClose);
    setStyleSheet(
        QStringLiteral("#gridFilterPopup { background: white; border: 1px solid #AEB8BF; }"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->setSpacing(6);
    if (!title.isEmpty()) {
        auto* heading = new QLabel(title, this);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        heading->setStyleSheet(QStringLiteral("color: #3C4650;"));
        layout->addWidget(heading);
    }

    auto* searchRow = new QHBoxLayout;
    auto* searchLabel = new QLabel(QStringLiteral("Ara:"), this);
    m_edit = new QLineEdit(text, this);
    m_edit->setObjectName(QStringLiteral("filterText"));
    m_edit->setClearButtonEnabled(true);
    m_edit->setPlaceholderText(QStringLiteral("içeren metin"));
    searchLabel->setBuddy(m_edit);
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_edit, 1);
    layout->addLayout(searchRow);

    m_all = new QCheckBox(QStringLiteral("(Tümü)"), this);
    m_all->setObjectName(QStringLiteral("filterAll"));
    layout->addWidget(m_all);

    m_items = new QStandardItemModel(this);
    QList<QStandardItem*> items;
    items.reserve(entries.size());
    for (const Entry& e : entries) {
        auto* item = new QStandardItem(e.icon, e.text.isEmpty() ? QStringLiteral("(Boş)") : e.text);
        item->setData(e.text, kValueRole);
        item->setEditable(false);
        item->setCheckable(true);
        item->setCheckState(!checked || checked->contains(e.text) ? Qt::Checked : Qt::Unchecked);
        items.append(item);
    }
    if (!items.isEmpty())
        m_items->appendColumn(items);
    auto* narrowed = new EntryFilter(this);
    narrowed->setSourceModel(m_items);
    narrowed->setNeedle(text);

    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("filterValues"));
    m_list->setModel(narrowed);
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setItemDelegate(new ToggleDelegate(m_list));
    m_list->setAccessibleName(QStringLiteral("Değerler"));
    layout->addWidget(m_list, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_apply = new QPushButton(QStringLiteral("Uygula"), this);
    m_apply->setDefault(true);
    auto* clear = new QPushButton(appIcon(AppIcon::Clear), QStringLiteral("Temizle"), this);
    buttons->addWidget(m_apply);
    buttons->addWidget(clear);
    layout->addLayout(buttons);

    connect(m_edit, &QLineEdit::textChanged, narrowed, &EntryFilter::setNeedle);
    connect(m_items, &QStandardItemModel::itemChanged, this, [this] {
        if (!m_bulk)
            syncAllBox();
    });
    connect(m_all, &QCheckBox::clicked, this, [this] {
        // Partly or not checked: check everything; all checked: uncheck everything.
        int checkedCount = 0;
        for (int r = 0; r < m_items->rowCount(); ++r)
            checkedCount += m_items->item(r)->checkState() == Qt::Checked;
        setAllChecked(checkedCount < m_items->rowCount());
    });
    connect(m_apply, &QPushButton::clicked, this, &FilterPopup::apply);
    connect(clear, &QPushButton::clicked, this, [this] {
        m_applyFn(QString(), std::nullopt);
        close();
    });
    syncAllBox();
    m_edit->setFocus();
    resize(250, 330);
}

void FilterPopup::setAllChecked(bool checked) {
    m_bulk = true;
    for (int r = 0; r < m_items->rowCount(); ++r)
        m_items->item(r)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    m_bulk = false;
    syncAllBox();
}

void FilterPopup::syncAllBox() {
    const int total = m_items->rowCount();
    int checkedCount = 0;
    for (int r = 0; r < total; ++r)
        checkedCount += m_items->item(r)->checkState() == Qt::Checked;
    m_all->setCheckState(checkedCount == total ? Qt::Checked
                         : checkedCount == 0   ? Qt::Unchecked
                                               : Qt::PartiallyChecked);
    m_apply->setEnabled(checkedCount > 0 || total == 0);
}

void FilterPopup::apply() {
    QStringList values;
    bool all = true;
    for (int r = 0; r < m_items->rowCount(); ++r) {
        const QStandardItem* item = m_items->item(r);
        if (item->checkState() == Qt::Checked)
            values.append(item->data(kValueRole).toString());
        else
            all = false;
    }
    if (m_items->rowCount() > 0 && values.isEmpty())
        return;
    m_applyFn(m_edit->text().trimmed(), all ? std::nullopt : std::optional<QStringList>(values));
    close();
}

void FilterPopup::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        apply();
        return;
    default:
        QFrame::keyPressEvent(event);
    }
}

} // namespace vk
