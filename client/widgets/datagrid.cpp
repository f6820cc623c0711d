#include "widgets/datagrid.h"

#include "common/numberformat.h"
#include "server/memtable.h"
#include "server/memtablemodel.h"
#include "widgets/appicons.h"
#include "widgets/datagrid_model.h"
#include "widgets/datagrid_parts.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace vk {

using namespace gridlook;

namespace {

constexpr int kSearchResetMs = 1000;
constexpr int kBestFitSample = 2000;

// Paints the view's top-left corner like the header strip.
class CornerPainter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint)
            return false;
        auto* w = static_cast<QWidget*>(watched);
        QPainter p(w);
        QLinearGradient g(0, 0, 0, w->height());
        g.setColorAt(0, kHeaderTop);
        g.setColorAt(1, kHeaderBottom);
        p.fillRect(w->rect(), g);
        p.setPen(kBorder);
        p.drawLine(w->rect().bottomLeft(), w->rect().bottomRight());
        p.drawLine(w->rect().topRight(), w->rect().bottomRight());
        return true;
    }
};

} // namespace

struct DataGrid::Private final : public GridHost {
    explicit Private(DataGrid* grid);

    // GridHost
    const GridColumn& gridColumn(int column) const override { return model->columns()[column]; }
    Qt::Alignment columnAlignment(int column) const override { return model->alignment(column); }
    bool columnFiltered(int column) const override { return proxy->isFiltered(column); }
    bool sortIndicator(int column, Qt::SortOrder* order) const override;
    int tableRowOf(const QModelIndex& index) const override {
        return index.isValid() ? proxy->mapToSource(index).row() : -1;
    }
    void filterButtonClicked(int column) override;
    void headerMenuRequested(const QPoint& globalPos) override;
    void rowMenuRequested(const QPoint& viewportPos, bool byKeyboard) override;
    bool viewKeyPressed(QKeyEvent* event) override;
    void viewFocusChanged() override;
    void localeChanged() override;

    bool attached() const { return source->table() != nullptr; }
    int currentColumn() const;
    int sourceRow(int proxyRow) const {
        return proxy->mapToSource(proxy->index(proxyRow, 0)).row();
    }
    void followTable(int tableRow);
    void syncFromTable();
    void onViewCurrent(const QModelIndex& current);
    void onSourceAboutToReset();
    void onSourceReset();
    void applySort(int column, const QString& field, Qt::SortOrder order);
    int initialSortColumn() const;
    void filtersChanged();
    void changeFilter(const QString& field, const std::function<void(ColumnFilter&)>& change);
    void noteChange();
    void scheduleFooter();
    void recomputeFooter();
    QString footerValue(const GridFooterItem& item) const;
    void incrementalSearch(const QString& typed);
    int searchColumn() const;
    int fitWidth(int column) const;
    void setWidth(int column, int width);
    void setVisible(int column, bool visible);

    DataGrid* q;
    MemTable* table = nullptr;
    MemTableModel* source = nullptr;
    GridModel* model = nullptr;
    GridProxy* proxy = nullptr;
    GridFrame* frame = nullptr;
    GridView* view = nullptr;
    GridHeader* header = nullptr;
    RowIndicator* indicator = nullptr;
    GridDelegate* delegate = nullptr;
    GridFooter* footer = nullptr;
    QPointer<QMenu> contextMenu;

    QList<int> widths; // per column; kept for hidden columns too
    bool togglingVisibility = false;

    QList<GridFooterItem> footerItems;
    QStringList footerTexts;
    bool footerDirty = true;
    QTimer footerTimer;

    int updateDepth = 0;
    bool changedDuringUpdate = false;
    bool currentPending = false;
    bool syncing = false;
    bool sourceChanging = false;

    bool sortingEnabled = true;
    bool sorted = false;
    Qt::SortOrder sortOrder = Qt::AscendingOrder;
    bool hasInitialSort = false;
    QString initialSortField;
    Qt::SortOrder initialSortOrder = Qt::AscendingOrder;

    QString searchText;
    QElapsedTimer searchClock;
    bool searching = false;
};

DataGrid::Private::Private(DataGrid* grid) : q(grid) {
    source = new MemTableModel(q);
    source->setLocale(q->locale());
    model = new GridModel(source, q);
    proxy = new GridProxy(model, q);
    proxy->setDynamicSortFilter(true);

    frame = new GridFrame(this, q);
    auto* outer = new QVBoxLayout(q);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    view = new GridView(this, frame);
    header = new GridHeader(this, view);
    indicator = new RowIndicator(view);
    view->setHorizontalHeader(header);
    view->setVerticalHeader(indicator);
    indicator->hide(); // shown on request
    view->setModel(proxy);
    delegate = new GridDelegate(this, view);
    view->setItemDelegate(delegate);
    view->setFrameShape(QFrame::NoFrame);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    view->setShowGrid(false); // the delegate draws lighter lines
    view->setAlternatingRowColors(true);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view->setFocusPolicy(Qt::StrongFocus);
    QPalette pal = view->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::AlternateBase, kAlternate);
    pal.setColor(QPalette::Text, kText);
    pal.setColor(QPalette::Highlight, kTurquoise);
    pal.setColor(QPalette::HighlightedText, Qt::white);
    view->setPalette(pal);
    if (auto* corner = view->findChild<QAbstractButton*>())
        corner->installEventFilter(new CornerPainter(view));

    const int textHeight = view->fontMetrics().height();
    header->setFixedHeight(textHeight + 12);
    const int row = std::max(22, textHeight + 8);
    indicator->setMinimumSectionSize(1);
    indicator->setDefaultSectionSize(row);

    footer = new GridFooter(view, frame);
    footer->setFixedHeight(std::max(row, textHeight + 10));
    footer->hide();
    auto* inner = new QVBoxLayout(frame);
    inner->setContentsMargins(1, 1, 1, 1);
    inner->setSpacing(0);
    inner->addWidget(view, 1);
    inner->addWidget(footer);
    q->setFocusProxy(view);
    q->setFocusPolicy(Qt::StrongFocus);

    footerTimer.setSingleShot(true);
    footerTimer.setInterval(0);
    QObject::connect(&footerTimer, &QTimer::timeout, q, [this] {
        if (footerDirty)
            recomputeFooter();
    });

    QObject::connect(source, &MemTableModel::currentChanged, q, [this](int tableRow) {
        if (syncing)
            return;
        if (updateDepth > 0) {
            currentPending = true;
            return;
        }
        followTable(tableRow);
    });
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, q,
                     [this](const QModelIndex& current) { onViewCurrent(current); });
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentColumnChanged, q,
                     [this] { view->viewport()->update(); });

    // The grid model's reset reaches the proxy first (it connected first), so these run after
    // the proxy has its new rows.
    QObject::connect(model, &QAbstractItemModel::modelAboutToBeReset, q,
                     [this] { onSourceAboutToReset(); });
    QObject::connect(model, &QAbstractItemModel::modelReset, q, [this] { onSourceReset(); });
    const auto structureAhead = [this] { sourceChanging = true; };
    const auto structureDone = [this] {
        sourceChanging = false;
        noteChange();
    };
    QObject::connect(model, &QAbstractItemModel::rowsAboutToBeInserted, q, structureAhead);
    QObject::connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, q, structureAhead);
    QObject::connect(model, &QAbstractItemModel::rowsInserted, q, structureDone);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, q, structureDone);
    QObject::connect(model, &QAbstractItemModel::dataChanged, q, [this] { noteChange(); });

    const auto contentChanged = [this] { scheduleFooter(); };
    QObject::connect(proxy, &QAbstractItemModel::modelReset, q, contentChanged);
    QObject::connect(proxy, &QAbstractItemModel::rowsInserted, q, contentChanged);
    QObject::connect(proxy, &QAbstractItemModel::rowsRemoved, q, contentChanged);
    QObject::connect(proxy, &QAbstractItemModel::layoutChanged, q, contentChanged);
    QObject::connect(proxy, &QAbstractItemModel::dataChanged, q, contentChanged);

    QObject::connect(header, &QHeaderView::sectionClicked, q, [this](int section) {
        if (!sortingEnabled)
            return;
        const bool again =
            sorted && model->sortKeyColumn() == section && sortOrder == Qt::AscendingOrder;
        applySort(section, {}, again ? Qt::DescendingOrder : Qt::AscendingOrder);
        if (view->currentIndex().isValid())
            view->scrollTo(view->currentIndex());
    });
    QObject::connect(header, &QHeaderView::sectionResized, q, [this](int logical, int, int size) {
        if (!togglingVisibility && logical < widths.size() && !header->isSectionHidden(logical))
            widths[logical] = size;
        footer->update();
    });
    QObject::connect(header, &QHeaderView::geometriesChanged, footer,
                     qOverload<>(&QWidget::update));
    QObject::connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, footer,
                     qOverload<>(&QWidget::update));
    // Double-clicking a section's edge fits that column the way bestFit does.
    QObject::disconnect(header, &QHeaderView::sectionHandleDoubleClicked, view, nullptr);
    QObject::connect(header, &QHeaderView::sectionHandleDoubleClicked, q,
                     [this](int logical) { setWidth(logical, fitWidth(logical)); });
    QObject::connect(view, &QAbstractItemView::doubleClicked, q, [this](const QModelIndex& i) {
        emit q->rowDoubleClicked(tableRowOf(i), model->columns()[i.column()].field);
    });
}

// --- focused row -------------------------------------------------------------------------------

int DataGrid::Private::currentColumn() const {
    const QModelIndex current = view->currentIndex();
    if (current.isValid() && !header->isSectionHidden(current.column()))
        return current.column();
    const int first = view->firstVisibleColumn();
    return first >= 0 ? first : (model->columnCount() > 0 ? 0 : -1);
}

void DataGrid::Private::followTable(int tableRow) {
    QModelIndex target;
    const int column = currentColumn();
    if (column >= 0 && tableRow >= 0 && tableRow < model->rowCount()) {
        const QModelIndex shown = proxy->mapFromSource(model->index(tableRow, column));
        if (shown.isValid())
            target = shown;
    }
    syncing = true;
    if (target.isValid()) {
        view->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
        view->scrollTo(target);
    } else if (view->currentIndex().isValid()) {
        view->selectionModel()->clear();
    }
    syncing = false;
}

void DataGrid::Private::syncFromTable() {
    if (attached())
        followTable(table->currentRow());
}

void DataGrid::Private::onViewCurrent(const QModelIndex& current) {
    indicator->viewport()->update();
    if (!searching)
        searchText.clear(); // moving by other means starts a new search
    const int tableRow = tableRowOf(current);
    // While the table itself inserts or removes, it sets its own current row afterwards.
    if (!syncing && !sourceChanging && tableRow >= 0 && attached()) {
        syncing = true;
        table->setCurrentRow(tableRow);
        syncing = false;
    }
    emit q->focusedRowChanged(tableRow);
}

// --- sorting -----------------------------------------------------------------------------------

bool DataGrid::Private::sortIndicator(int column, Qt::SortOrder* order) const {
    if (!sortingEnabled || !sorted || model->sortKeyColumn() != column)
        return false;
    *order = sortOrder;
    return true;
}

int DataGrid::Private::initialSortColumn() const {
    return initialSortField.isEmpty() ? -1 : q->columnIndex(initialSortField);
}

void DataGrid::Private::applySort(int column, const QString& field, Qt::SortOrder order) {
    const bool sameKey =
        model->sortKeyColumn() == column && (column >= 0 || model->sortKeyField() == field);
    const int proxyColumn = column >= 0 ? column : (model->columnCount() > 0 ? 0 : -1);
    if (sameKey && sorted && sortOrder == order && proxy->sortColumn() == proxyColumn)
        return;
    model->setSortKey(column, field);
    if (proxy->sortColumn() == proxyColumn && proxy->sortOrder() == order)
        proxy->resort();
    else
        proxy->sort(proxyColumn, order);
    sorted = true;
    sortOrder = order;
    header->viewport()->update();
}

void DataGrid::Private::onSourceAboutToReset() {
    // Give the proxy the initial key before it sorts the new rows.
    if (hasInitialSort) {
        const int column = initialSortColumn();
        model->setSortKey(column, column >= 0 ? QString() : initialSortField);
    }
}

void DataGrid::Private::onSourceReset() {
    noteChange();
    if (hasInitialSort) {
        const int column = initialSortColumn();
        const QString field = column >= 0 ? QString() : initialSortField;
        const int proxyColumn = column >= 0 ? column : (model->columnCount() > 0 ? 0 : -1);
        // Usually the proxy has just sorted the new rows by the key set before the reset.
        const bool ready = model->sortKeyColumn() == column && model->sortKeyField() == field &&
                           proxy->sortColumn() == proxyColumn &&
                           proxy->sortOrder() == initialSortOrder;
        sorted = ready;
        sortOrder = initialSortOrder;
        if (!ready)
            applySort(column, field, initialSortOrder);
        header->viewport()->update();
    }
    syncFromTable();
    if (!view->currentIndex().isValid())
        emit q->focusedRowChanged(-1); // a reset drops the focus without telling
    scheduleFooter();
}

void DataGrid::Private::noteChange() {
    // The first change of a batch stops the proxy re-sorting and re-filtering row by row;
    // endUpdate does both once.
    if (updateDepth > 0 && !changedDuringUpdate) {
        changedDuringUpdate = true;
        proxy->setDynamicSortFilter(false);
    }
}

// --- filters -----------------------------------------------------------------------------------

void DataGrid::Private::filtersChanged() {
    header->viewport()->update();
    scheduleFooter();
    if (!view->currentIndex().isValid())
        syncFromTable();
}

void DataGrid::Private::changeFilter(const QString& field,
                                     const std::function<void(ColumnFilter&)>& change) {
    const int column = q->columnIndex(field);
    if (column < 0)
        return;
    ColumnFilter f = proxy->filters().value(column);
    change(f);
    proxy->setFilter(column, f);
    filtersChanged();
}

void DataGrid::Private::filterButtonClicked(int column) {
    // The values a user can pick: those of the rows the other columns' filters let through.
    const ColumnFilter current = proxy->filters().value(column);
    QHash<QString, int> firstRow;
    const int rows = attached() ? model->rowCount() : 0;
    for (int r = 0; r < rows; ++r) {
        if (proxy->acceptsExcept(r, column)) {
            const QString text = model->cellText(r, column);
            if (!firstRow.contains(text))
                firstRow.insert(text, r);
        }
    }
    QList<QPair<QString, int>> values;
    values.reserve(firstRow.size());
    for (auto it = firstRow.begin(); it != firstRow.end(); ++it)
        values.append({it.key(), it.value()});
    std::sort(values.begin(), values.end(), [this, column](const auto& a, const auto& b) {
        if (a.first.isEmpty() != b.first.isEmpty())
            return a.first.isEmpty();
        return model->compareInColumn(a.second, b.second, column) < 0;
    });
    if (current.byValues) {
        // Picked values the rows no longer hold stay listed, so they can be unpicked.
        for (const QString& v : current.values) {
            if (!firstRow.contains(v))
                values.append({v, -1});
        }
    }

    const GridColumn& col = model->columns()[column];
    QList<FilterPopup::Entry> entries;
    entries.reserve(values.size());
    for (const auto& [text, r] : values) {
        QIcon icon;
        if (col.kind == GridColumn::Kind::Icon && r >= 0) {
            const QVariant raw = model->rawValue(r, column);
            icon = raw.isValid() && col.icons.contains(raw.toInt()) ? col.icons.value(raw.toInt())
                                                                    : col.iconFallback;
        }
        entries.append({text, icon});
    }
    const QString field = col.field.isEmpty() ? col.caption : col.field;
    const QString title = col.caption.isEmpty() ? col.field : col.caption;
    auto* popup = new FilterPopup(
        title, entries, current.text,
        current.byValues ? std::optional<QSet<QString>>(current.values) : std::nullopt,
        [this, field](const QString& text, const std::optional<QStringList>& picked) {
            changeFilter(field, [&](ColumnFilter& f) {
                f.text = text;
                f.byValues = picked.has_value();
                f.values = picked ? QSet<QString>(picked->begin(), picked->end()) : QSet<QString>();
            });
            view->setFocus();
        },
        q);
    const QRect button = header->filterButtonRect(column);
    const int sectionLeft = header->sectionViewportPosition(column);
    QPoint at = header->viewport()->mapToGlobal(QPoint(sectionLeft, header->height()));
    popup->resize(std::max(popup->width(), std::min(header->sectionSize(column), 420)),
                  popup->height());
    if (!button.isNull()) {
        const QPoint buttonRight = header->viewport()->mapToGlobal(button.bottomRight());
        if (at.x() + popup->width() < buttonRight.x())
            at.setX(buttonRight.x() - popup->width());
    }
    if (const QScreen* screen = QGuiApplication::screenAt(at)) {
        const QRect room = screen->availableGeometry();
        at.setX(
            std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - popup->width())));
        if (at.y() + popup->height() > room.bottom())
            at.setY(std::max(room.top(), at.y() - header->height() - popup->height()));
    }
    popup->move(at);
    popup->show();
}

// --- menus -------------------------------------------------------------------------------------

void DataGrid::Private::headerMenuRequested(const QPoint& globalPos) {
    auto* menu = new QMenu(q);
    menu->setObjectName(QStringLiteral("gridHeaderMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* clear = menu->addAction(appIcon(AppIcon::Clear), QStringLiteral("Filtreleri Kaldır"));
    clear->setEnabled(q->hasFilters());
    QObject::connect(clear, &QAction::triggered, q, [this] { q->clearFilters(); });

    const QList<GridColumn>& columns = model->columns();
    int shown = 0;
    for (const GridColumn& c : columns)
        shown += c.visible;
    bool section = false;
    for (int i = 0; i < columns.size(); ++i) {
        const GridColumn& c = columns[i];
        const QString name = c.caption.isEmpty() ? c.field : c.caption;
        if (!c.offered || name.isEmpty())
            continue;
        if (!section) {
            menu->addSection(QStringLiteral("Sütunlar"));
            section = true;
        }
        QAction* a = menu->addAction(name);
        a->setCheckable(true);
        a->setChecked(c.visible);
        a->setEnabled(!(c.visible && shown == 1)); // the last shown column stays
        QObject::connect(a, &QAction::toggled, q, [this, i](bool on) {
            if (i < model->columnCount())
                setVisible(i, on);
        });
    }
    menu->popup(globalPos);
}

void DataGrid::Private::rowMenuRequested(const QPoint& viewportPos, bool byKeyboard) {
    QPoint at = viewportPos;
    if (byKeyboard) {
        const QModelIndex current = view->currentIndex();
        if (!current.isValid())
            return;
        at = view->visualRect(current).center();
    } else {
        const QModelIndex under = view->indexAt(viewportPos);
        if (!under.isValid())
            return;
        view->setCurrentIndex(under);
    }
    if (contextMenu)
        contextMenu->popup(view->viewport()->mapToGlobal(at));
}

// --- keys --------------------------------------------------------------------------------------

bool DataGrid::Private::viewKeyPressed(QKeyEvent* event) {
    const Qt::KeyboardModifiers commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & commands)) {
        searchText.clear();
        const int row = q->focusedRow();
        if (row < 0)
            return false;
        emit q->rowDoubleClicked(row, q->focusedField());
        return true;
    }
    const QString text = event->text();
    const bool printable = !text.isEmpty() && !(event->modifiers() & commands) &&
                           text.at(0).isPrint() && (text.at(0) != u' ' || !searchText.isEmpty());
    if (printable) {
        incrementalSearch(text);
        return true;
    }
    searchText.clear();
    return false;
}

int DataGrid::Private::searchColumn() const {
    const int count = header->count();
    const int from = currentColumn();
    if (count == 0 || from < 0)
        return -1;
    const int start = header->visualIndex(from);
    for (int k = 0; k < count; ++k) {
        const int logical = header->logicalIndex((start + k) % count);
        if (!header->isSectionHidden(logical) && model->columns()[logical].searchable)
            return logical;
    }
    return -1;
}

void DataGrid::Private::incrementalSearch(const QString& typed) {
    if (!searchClock.isValid() || searchClock.elapsed() > kSearchResetMs)
        searchText.clear();
    searchClock.start();
    searchText += typed;
    const int column = searchColumn();
    const int rows = proxy->rowCount();
    if (column < 0 || rows == 0)
        return;
    const QString prefix = foldTurkish(searchText);
    const int start = std::max(0, view->currentIndex().row());
    for (int k = 0; k < rows; ++k) {
        const int r = (start + k) % rows;
        if (foldTurkish(model->cellText(sourceRow(r), column)).startsWith(prefix)) {
            const QModelIndex target = proxy->index(r, currentColumn());
            searching = true;
            view->setCurrentIndex(target);
            searching = false;
            view->scrollTo(target);
            return;
        }
    }
}

void DataGrid::Private::viewFocusChanged() {
    frame->setFocused(view->hasFocus());
    view->viewport()->update();
}

void DataGrid::Private::localeChanged() {
    source->setLocale(q->locale());
    scheduleFooter();
}

// --- footer ------------------------------------------------------------------------------------

void DataGrid::Private::scheduleFooter() {
    footerDirty = true;
    if (updateDepth == 0 && !footerItems.isEmpty())
        footerTimer.start();
}

QString DataGrid::Private::footerValue(const GridFooterItem& item) const {
    const int rows = proxy->rowCount();
    if (item.kind == GridFooterItem::Kind::Count)
        return QString::number(rows);
    const int f = table ? table->fieldIndex(item.field) : -1;
    if (f < 0)
        return {};
    const FieldDef& def = table->field(f);
    const bool integral = def.type == FieldType::Integer || def.type == FieldType::LargeInt;
    double sum = 0;
    qint64 integralSum = 0;
    if (attached()) {
        for (int r = 0; r < rows; ++r) {
            const QVariant& v = table->value(sourceRow(r), f);
            if (integral)
                integralSum += v.toLongLong();
            else
                sum += v.toDouble();
        }
    }
    const QLocale locale = q->locale();
    if (!def.displayFormat.isEmpty())
        return formatFloat(def.displayFormat, integral ? double(integralSum) : sum, locale);
    return integral ? QString::number(integralSum) : locale.toString(sum, 'g', 15);
}

void DataGrid::Private::recomputeFooter() {
    footerDirty = false;
    footerTexts.clear();
    QList<GridFooter::Cell> cells;
    for (const GridFooterItem& item : footerItems) {
        const QString text = footerValue(item);
        footerTexts.append(text);
        const int column = q->columnIndex(item.field);
        if (column >= 0)
            cells.append({column, text, model->alignment(column)});
    }
    footer->setCells(cells);
}

// --- widths and columns ------------------------------------------------------------------------

int DataGrid::Private::fitWidth(int column) const {
    const GridColumn& c = model->columns()[column];
    int width = header->captionWidth(column);
    switch (c.kind) {
    case GridColumn::Kind::Icon:
        return std::max(width, delegate->iconSize(QRect(0, 0, 100, q->rowHeight())).width() + 8);
    case GridColumn::Kind::CheckBox:
        return std::max(width, view->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 12);
    case GridColumn::Kind::Custom:
        if (!c.text)
            return std::max(width, header->sectionSize(column));
        break;
    case GridColumn::Kind::Text:
        break;
    }
    const QFontMetrics fm(view->font());
    const int rows = std::min(proxy->rowCount(), kBestFitSample);
    for (int r = 0; r < rows; ++r) {
        const QString text = model->cellText(sourceRow(r), column);
        if (!text.isEmpty())
            width = std::max(width, fm.horizontalAdvance(text) + 2 * kCellPadding + 3);
    }
    return width;
}

void DataGrid::Private::setWidth(int column, int width) {
    width = std::max(0, width);
    widths[column] = width;
    if (!header->isSectionHidden(column))
        header->resizeSection(column, width);
}

void DataGrid::Private::setVisible(int column, bool visible) {
    GridColumn& c = model->column(column);
    if (c.visible == visible && header->isSectionHidden(column) == !visible)
        return;
    c.visible = visible;
    togglingVisibility = true;
    header->setSectionHidden(column, !visible);
    if (visible)
        header->resizeSection(column, widths[column]);
    togglingVisibility = false;
    const QModelIndex current = view->currentIndex();
    if (!visible && current.isValid() && current.column() == column) {
        const int other = view->firstVisibleColumn();
        if (other >= 0)
            view->selectionModel()->setCurrentIndex(proxy->index(current.row(), other),
                                                    QItemSelectionModel::NoUpdate);
    }
    footer->update();
    emit q->columnVisibilityChanged(c.field.isEmpty() ? c.caption : c.field, visible);
}

// --- DataGrid ----------------------------------------------------------------------------------

DataGrid::DataGrid(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>(this)) {}

DataGrid::~DataGrid() {
    // The pieces call back into d; they go first.
    delete d->frame;
    delete d->proxy;
    delete d->model;
    delete d->source;
}

void DataGrid::setColumns(const QList<GridColumn>& columns) {
    // Filters and a column sort follow their fields into the new columns.
    QHash<QString, ColumnFilter> filters;
    for (auto it = d->proxy->filters().begin(); it != d->proxy->filters().end(); ++it) {
        const GridColumn& c = d->model->columns()[it.key()];
        filters.insert((c.field.isEmpty() ? c.caption : c.field).toLower(), *it);
    }
    QString sortedBy;
    if (d->sorted && d->model->sortKeyColumn() >= 0) {
        const GridColumn& c = d->model->columns()[d->model->sortKeyColumn()];
        sortedBy = c.field.isEmpty() ? c.caption : c.field;
    }
    d->proxy->setFilters({});
    d->proxy->sort(-1);
    d->sorted = false;
    d->model->setSortKey(-1, {});

    d->model->setColumns(columns);
    d->widths.clear();
    d->togglingVisibility = true;
    for (int i = 0; i < columns.size(); ++i) {
        d->widths.append(std::max(0, columns[i].designWidth));
        d->header->setSectionHidden(i, false);
        d->header->resizeSection(i, d->widths[i]);
        d->header->setSectionHidden(i, !columns[i].visible);
    }
    d->togglingVisibility = false;

    QHash<int, ColumnFilter> kept;
    for (auto it = filters.begin(); it != filters.end(); ++it) {
        const int column = columnIndex(it.key());
        if (column >= 0)
            kept.insert(column, *it);
    }
    d->proxy->setFilters(kept);
    if (d->hasInitialSort) {
        const int column = d->initialSortColumn();
        d->applySort(column, column >= 0 ? QString() : d->initialSortField, d->initialSortOrder);
    } else if (!sortedBy.isEmpty() && columnIndex(sortedBy) >= 0) {
        d->applySort(columnIndex(sortedBy), {}, d->sortOrder);
    }
    d->syncFromTable();
    d->filtersChanged();
}

int DataGrid::columnCount() const {
    return d->model->columnCount();
}

int DataGrid::columnIndex(const QString& field) const {
    const QList<GridColumn>& columns = d->model->columns();
    for (int i = 0; i < columns.size(); ++i) {
        const QString& key = columns[i].field.isEmpty() ? columns[i].caption : columns[i].field;
        if (!key.isEmpty() && key.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const GridColumn& DataGrid::column(int index) const {
    return d->model->columns()[index];
}

void DataGrid::setColumnVisible(const QString& field, bool visible) {
    const int column = columnIndex(field);
    if (column >= 0)
        d->setVisible(column, visible);
}

bool DataGrid::isColumnVisible(const QString& field) const {
    const int column = columnIndex(field);
    return column >= 0 && d->model->columns()[column].visible;
}

void DataGrid::setColumnOffered(const QString& field, bool offered) {
    const int column = columnIndex(field);
    if (column >= 0)
        d->model->column(column).offered = offered;
}

bool DataGrid::isColumnOffered(const QString& field) const {
    const int column = columnIndex(field);
    return column >= 0 && d->model->columns()[column].offered;
}

int DataGrid::columnWidth(const QString& field) const {
    const int column = columnIndex(field);
    if (column < 0)
        return -1;
    return d->header->isSectionHidden(column) ? d->widths[column] : d->header->sectionSize(column);
}

void DataGrid::setColumnWidth(const QString& field, int width) {
    const int column = columnIndex(field);
    if (column >= 0)
        d->setWidth(column, width);
}

void DataGrid::setTable(MemTable* table) {
    d->table = table;
    d->source->setTable(table);
}

MemTable* DataGrid::table() const {
    return d->table;
}

void DataGrid::detach() {
    d->source->setTable(nullptr);
}

void DataGrid::attach() {
    d->source->setTable(d->table);
}

bool DataGrid::isAttached() const {
    return d->attached();
}

void DataGrid::setHeaderHeight(int pixels) {
    d->header->setFixedHeight(std::max(0, pixels));
}

void DataGrid::setRowHeight(int pixels) {
    pixels = std::max(1, pixels);
    d->indicator->setDefaultSectionSize(pixels);
}

int DataGrid::rowHeight() const {
    return d->indicator->defaultSectionSize();
}

void DataGrid::setRowIndicator(bool shown) {
    d->indicator->setVisible(shown);
}

void DataGrid::setSortingEnabled(bool enabled) {
    d->sortingEnabled = enabled;
    d->header->viewport()->update();
}

void DataGrid::setInitialSort(const QString& field, Qt::SortOrder order) {
    d->hasInitialSort = !field.isEmpty();
    d->initialSortField = field;
    d->initialSortOrder = order;
    if (d->hasInitialSort) {
        const int column = d->initialSortColumn();
        d->applySort(column, column >= 0 ? QString() : field, order);
    }
}

void DataGrid::setFooter(const QList<GridFooterItem>& items) {
    d->footerItems = items;
    d->footer->setVisible(!items.isEmpty());
    d->recomputeFooter();
}

QString DataGrid::footerText(const QString& field) const {
    if (d->footerDirty)
        d->recomputeFooter();
    for (int i = 0; i < d->footerItems.size(); ++i) {
        if (d->footerItems[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return d->footerTexts.value(i);
    }
    return {};
}

void DataGrid::setValueFilter(const QString& field, const QStringList& displayTexts) {
    d->changeFilter(field, [&](ColumnFilter& f) {
        f.byValues = !displayTexts.isEmpty();
        f.values = QSet<QString>(displayTexts.begin(), displayTexts.end());
    });
}

void DataGrid::setTextFilter(const QString& field, const QString& contains) {
    d->changeFilter(field, [&](ColumnFilter& f) { f.text = contains; });
}

void DataGrid::clearFilters() {
    d->proxy->setFilters({});
    d->filtersChanged();
}

bool DataGrid::hasFilters() const {
    return !d->proxy->filters().isEmpty();
}

int DataGrid::shownRowCount() const {
    return d->proxy->rowCount();
}

int DataGrid::focusedRow() const {
    return d->tableRowOf(d->view->currentIndex());
}

void DataGrid::setFocusedRow(int tableRow) {
    if (d->attached() && tableRow >= 0 && tableRow < d->table->recordCount())
        d->table->setCurrentRow(tableRow);
}

QString DataGrid::focusedField() const {
    const int column = d->currentColumn();
    return column >= 0 ? d->model->columns()[column].field : QString();
}

void DataGrid::setFocusedField(const QString& field) {
    const QList<GridColumn>& columns = d->model->columns();
    for (int c = 0; c < columns.size(); ++c) {
        if (columns[c].field.compare(field, Qt::CaseInsensitive) != 0 || d->header->isSectionHidden(c))
            continue;
        const QModelIndex current = d->view->currentIndex();
        if (current.isValid())
            d->view->selectionModel()->setCurrentIndex(d->proxy->index(current.row(), c),
                                                       QItemSelectionModel::NoUpdate);
        return;
    }
}

QList<int> DataGrid::shownRows() const {
    QList<int> rows;
    const int n = d->proxy->rowCount();
    rows.reserve(n);
    for (int r = 0; r < n; ++r)
        rows.append(d->sourceRow(r));
    return rows;
}

void DataGrid::applyWeights(int availableWidth, int reduction) {
    const QList<GridColumn>& columns = d->model->columns();
    int total = 0;
    for (const GridColumn& c : columns) {
        if (c.visible)
            total += std::max(0, c.weight);
    }
    if (total <= 0)
        return;
    const int unit = std::max(0, (availableWidth - reduction) / total);
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].visible)
            d->setWidth(i, std::max(0, columns[i].weight) * unit);
    }
}

void DataGrid::bestFit() {
    for (int i = 0; i < d->model->columnCount(); ++i) {
        if (d->model->columns()[i].visible)
            d->setWidth(i, d->fitWidth(i));
    }
}

void DataGrid::beginUpdate() {
    if (d->updateDepth++ > 0)
        return;
    d->changedDuringUpdate = false;
    d->view->setUpdatesEnabled(false);
    d->footer->setUpdatesEnabled(false);
}

void DataGrid::endUpdate() {
    if (d->updateDepth == 0 || --d->updateDepth > 0)
        return;
    if (d->changedDuringUpdate) {
        d->changedDuringUpdate = false;
        d->proxy->setDynamicSortFilter(true); // sorts
        d->proxy->refilter();
    }
    if (d->currentPending) {
        d->currentPending = false;
        d->syncFromTable();
    }
    if (!d->view->currentIndex().isValid())
        d->syncFromTable();
    d->view->setUpdatesEnabled(true);
    d->footer->setUpdatesEnabled(true);
    if (d->footerDirty)
        d->recomputeFooter();
}

void DataGrid::setContextMenu(QMenu* menu) {
    d->contextMenu = menu;
}

QTableView* DataGrid::view() const {
    return d->view;
}

void DataGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

} // namespace vk
