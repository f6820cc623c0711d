// The data grid: column binding and captions, the column chooser, filters (by values, by text,
// from the header popup) across refills, sorting (Turkish text, numbers, nulls, the initial
// order), the focused row through sort and filter, the footer, the layout rules, detaching,
// incremental search, the drawn cells, activation and a large table.

#include "server/memtable.h"
#include "widgets/datagrid.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <memory>

using vk::DataGrid;
using vk::FieldDef;
using vk::FieldType;
using vk::GridColumn;
using vk::GridFooterItem;
using vk::MemTable;

namespace {

GridColumn col(const QString& field, const QString& caption = QString()) {
    GridColumn c;
    c.field = field;
    c.caption = caption;
    return c;
}

QList<GridColumn> partColumns() {
    return {col(QStringLiteral("KOD"), QStringLiteral("Kod")),
            col(QStringLiteral("AD"), QStringLiteral("Ad")),
            col(QStringLiteral("MARKA"), QStringLiteral("Marka")),
            col(QStringLiteral("FIYAT"), QStringLiteral("Fiyat"))};
}

void defineParts(MemTable& t) {
    FieldDef price = FieldDef::make(QStringLiteral("FIYAT"), FieldType::Float);
    price.displayFormat = QStringLiteral("#,###,##0.00");
    t.defineFields({FieldDef::make(QStringLiteral("KOD"), FieldType::String, 20),
                    FieldDef::make(QStringLiteral("AD"), FieldType::String, 60),
                    FieldDef::make(QStringLiteral("MARKA"), FieldType::String, 30), price,
                    FieldDef::make(QStringLiteral("ADET"), FieldType::Integer),
                    FieldDef::make(QStringLiteral("DURUM"), FieldType::Integer),
                    FieldDef::make(QStringLiteral("SECILI"), FieldType::Integer)});
}

// Five parts whose names and makers need Turkish rules to sort and match; the last is current.
void appendParts(MemTable& t) {
    const auto s = [](const char* text) { return QString::fromUtf8(text); };
    t.appendRow({s("P-300"), s("Şanzıman yağı"), s("Ilgaz"), 1234.5, 3, 1, 1});
    t.appendRow({s("P-100"), s("Fren balatası"), s("İnci"), 250.0, 10, 2, 0});
    t.appendRow({s("P-200"), s("Çamurluk"), s("Ilgaz"), 99.9, 1, 7, 0});
    t.appendRow({s("P-400"), s("Ayna"), s("Kartal"), QVariant(), 5, 1, 1});
    t.appendRow({s("P-050"), s("ısı sensörü"), QVariant(), 10.0, 0, 0, 0});
}

// A grid over the parts table, shown so that geometry and painting are real.
struct Parts {
    explicit Parts(const QList<GridColumn>& columns = partColumns()) {
        defineParts(table);
        appendParts(table);
        grid.setColumns(columns);
        grid.setTable(&table);
        grid.resize(640, 320);
        grid.show();
        if (!QTest::qWaitForWindowExposed(&grid))
            qFatal("the grid was not shown");
    }
    QStringList shownCodes() const {
        QStringList codes;
        for (int r : grid.shownRows())
            codes.append(table.value(r, QStringLiteral("KOD")).toString());
        return codes;
    }
    QHeaderView* header() const { return grid.view()->horizontalHeader(); }
    QAbstractItemModel* model() const { return grid.view()->model(); }
    QPoint cellCenter(int shownRow, int column) const {
        return grid.view()->visualRect(model()->index(shownRow, column)).center();
    }
    void clickHeader(int column) const {
        const QPoint at(header()->sectionViewportPosition(column) + 12, header()->height() / 2);
        QTest::mouseClick(header()->viewport(), Qt::LeftButton, {}, at);
    }
    void clickFilterButton(int column) const {
        const QPoint at(header()->sectionViewportPosition(column) + header()->sectionSize(column) -
                            10,
                        header()->height() / 2);
        QTest::mouseClick(header()->viewport(), Qt::LeftButton, {}, at);
    }

    MemTable table;
    DataGrid grid;
};

QStringList codes(const char* list) {
    return QString::fromUtf8(list).split(u' ');
}

void typeText(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}

QIcon solidIcon(const QColor& color) {
    QPixmap pm(16, 16);
    pm.fill(color);
    return QIcon(pm);
}

int pixelsNear(const QImage& image, const QRect& area, const QColor& color, int tolerance = 12) {
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - color.red()) <= tolerance &&
                std::abs(c.green() - color.green()) <= tolerance &&
                std::abs(c.blue() - color.blue()) <= tolerance)
                ++n;
        }
    }
    return n;
}

int darkPixels(const QImage& image, const QRect& area) {
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += qGray(image.pixel(x, y)) < 110;
    return n;
}

} // namespace

class DataGridTest : public QObject {
    Q_OBJECT

private slots:
    void bindsColumnsByFieldNameWithCaptions();
    void columnChooserListsOfferedColumnsOnly();
    void valueAndTextFiltersCombineAndSurviveRefill();
    void filterPopupOffersValuesAndApplies();
    void headerClickSorts_data();
    void headerClickSorts();
    void sortingCanBeTurnedOff();
    void initialSortIsReappliedAfterRefill();
    void focusedRowMapsThroughSortAndFilter();
    void keysMoveAndEnterActivates();
    void doubleClickCarriesTableRowAfterSort();
    void rightClickFocusesRowAndPopsMenu();
    void footerCountsAndSumsShownRows();
    void applyWeights_data();
    void applyWeights();
    void bestFitMakesLongValueFit();
    void detachIgnoresRefillUntilAttach();
    void incrementalSearchJumpsAndSkipsUnsearchable();
    void iconCheckBoxAndIndicatorPaint();
    void updatesNestAndSettleOnceAtEnd();
    void largeTablePaintsOnlyVisibleRows();
};

void DataGridTest::bindsColumnsByFieldNameWithCaptions() {
    // Field names in any case; a field the table lacks; null and empty captions.
    GridColumn icon = col(QStringLiteral("durum"), QStringLiteral(""));
    Parts p({col(QStringLiteral("ad")), col(QStringLiteral("YOK"), QStringLiteral("Yok")),
             col(QStringLiteral("Kod"), QStringLiteral("Kod")), icon});
    QCOMPARE(p.model()->columnCount(), 4);
    QCOMPARE(p.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("ad"));
    QCOMPARE(p.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Yok"));
    QCOMPARE(p.model()->headerData(3, Qt::Horizontal).toString(), QString());
    // The empty caption still gives the column a name for assistive tools.
    QCOMPARE(p.model()->headerData(3, Qt::Horizontal, Qt::AccessibleTextRole).toString(),
             QStringLiteral("durum"));

    const QModelIndex first = p.model()->index(0, 0);
    QCOMPARE(first.data().toString(), QString::fromUtf8("Şanzıman yağı"));
    QCOMPARE(p.model()->index(0, 1).data().toString(), QString());
    QCOMPARE(p.model()->index(0, 2).data().toString(), QStringLiteral("P-300"));
    QCOMPARE(p.grid.columnIndex(QStringLiteral("KOD")), 2);
    QCOMPARE(p.grid.columnIndex(QStringLiteral("ADET")), -1);
}

void DataGridTest::columnChooserListsOfferedColumnsOnly() {
    QList<GridColumn> columns = partColumns();
    columns[2].visible = false; // Marka: offered, hidden
    columns[3].offered = false; // Fiyat: never in the chooser
    Parts p(columns);
    QVERIFY(p.header()->isSectionHidden(2));
    QSignalSpy visibility(&p.grid, &DataGrid::columnVisibilityChanged);

    const QPoint at(10, p.header()->height() / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, p.header()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(p.header()->viewport(), &event);
    auto* menu = p.grid.findChild<QMenu*>(QStringLiteral("gridHeaderMenu"));
    QVERIFY(menu);
    QHash<QString, QAction*> byText;
    for (QAction* a : menu->actions())
        byText.insert(a->text(), a);
    QVERIFY(byText.contains(QStringLiteral("Filtreleri Kaldır")));
    QVERIFY(byText.contains(QStringLiteral("Sütunlar")));
    QVERIFY(byText.value(QStringLiteral("Kod"))->isChecked());
    QVERIFY(!byText.value(QStringLiteral("Marka"))->isChecked());
    QVERIFY(!byText.contains(QStringLiteral("Fiyat")));

    byText.value(QStringLiteral("Marka"))->trigger();
    QVERIFY(p.grid.isColumnVisible(QStringLiteral("MARKA")));
    QVERIFY(!p.header()->isSectionHidden(2));
    QCOMPARE(p.grid.columnWidth(QStringLiteral("MARKA")), 84); // its design width comes back
    byText.value(QStringLiteral("Kod"))->trigger();
    QVERIFY(p.header()->isSectionHidden(0));
    QCOMPARE(visibility.count(), 2);
    QCOMPARE(visibility.at(1).at(0).toString(), QStringLiteral("KOD"));
    menu->close();
}

void DataGridTest::valueAndTextFiltersCombineAndSurviveRefill() {
    Parts p;
    p.grid.setValueFilter(QStringLiteral("MARKA"), {QStringLiteral("Ilgaz"), QString()});
    QCOMPARE(p.shownCodes(), codes("P-300 P-200 P-050"));
    // "ISI" meets "ısı" only under Turkish casing.
    p.grid.setTextFilter(QStringLiteral("AD"), QStringLiteral("ISI"));
    QCOMPARE(p.shownCodes(), codes("P-050"));
    p.grid.setTextFilter(QStringLiteral("AD"), QString::fromUtf8("YAĞ"));
    QCOMPARE(p.shownCodes(), codes("P-300"));
    QVERIFY(p.grid.hasFilters());

    // A refill, also detached, meets the same filters.
    p.grid.detach();
    p.table.clearRows();
    appendParts(p.table);
    p.table.appendRow(
        {QStringLiteral("P-900"), QString::fromUtf8("Yağ pompası"), QStringLiteral("Ilgaz"), 5.0});
    p.grid.attach();
    QCOMPARE(p.shownCodes(), codes("P-300 P-900"));
    QCOMPARE(p.grid.shownRowCount(), 2);

    p.grid.clearFilters();
    QVERIFY(!p.grid.hasFilters());
    QCOMPARE(p.grid.shownRowCount(), 6);
}

void DataGridTest::filterPopupOffersValuesAndApplies() {
    Parts p;
    p.grid.setTextFilter(QStringLiteral("AD"), QStringLiteral("a")); // hides "ısı sensörü"
    p.clickFilterButton(2);
    auto* popup = p.grid.findChild<QFrame*>(QStringLiteral("gridFilterPopup"));
    QVERIFY(popup);
    QVERIFY(popup->isVisible());
    auto* list = popup->findChild<QListView*>(QStringLiteral("filterValues"));
    QVERIFY(list);
    // The distinct makers of the rows the other filter leaves, in Turkish order.
    QStringList texts;
    for (int r = 0; r < list->model()->rowCount(); ++r)
        texts.append(list->model()->index(r, 0).data().toString());
    QCOMPARE(texts, (QStringList{QStringLiteral("Ilgaz"), QString::fromUtf8("İnci"),
                                 QStringLiteral("Kartal")}));

    auto* all = popup->findChild<QCheckBox*>(QStringLiteral("filterAll"));
    QPushButton* apply = nullptr;
    for (QPushButton* b : popup->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Uygula"))
            apply = b;
    QVERIFY(all && apply);
    all->click(); // none picked: nothing to apply
    QVERIFY(!apply->isEnabled());
    all->click();
    QVERIFY(apply->isEnabled());
    list->model()->setData(list->model()->index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
    QCOMPARE(all->checkState(), Qt::PartiallyChecked);
    apply->click();
    QTRY_VERIFY(!p.grid.findChild<QFrame*>(QStringLiteral("gridFilterPopup")));
    QCOMPARE(p.shownCodes(), codes("P-100 P-400"));
    QVERIFY(p.grid.hasFilters());

    // Text typed in the popup narrows the list and becomes the column's text filter.
    p.clickFilterButton(1);
    popup = p.grid.findChild<QFrame*>(QStringLiteral("gridFilterPopup"));
    QVERIFY(popup);
    auto* edit = popup->findChild<QLineEdit*>(QStringLiteral("filterText"));
    QCOMPARE(edit->text(), QStringLiteral("a"));
    edit->setText(QStringLiteral("FREN"));
    QCOMPARE(popup->findChild<QListView*>(QStringLiteral("filterValues"))->model()->rowCount(), 1);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(p.shownCodes(), codes("P-100"));
}

void DataGridTest::headerClickSorts_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("ascending");
    QTest::newRow("Turkish text") << 1 << codes("P-400 P-200 P-100 P-050 P-300");
    QTest::newRow("numbers, null first") << 3 << codes("P-400 P-050 P-200 P-100 P-300");
    QTest::newRow("I before İ, null first, stable") << 2 << codes("P-050 P-300 P-200 P-100 P-400");
}

void DataGridTest::headerClickSorts() {
    QFETCH(int, column);
    QFETCH(QStringList, ascending);
    Parts p;
    p.clickHeader(column);
    QCOMPARE(p.shownCodes(), ascending);
    p.clickHeader(column);
    QStringList descending = ascending;
    std::reverse(descending.begin(), descending.end());
    if (column == 2) // equal makers keep their order both ways
        std::swap(descending[2], descending[3]);
    QCOMPARE(p.shownCodes(), descending);
}

void DataGridTest::sortingCanBeTurnedOff() {
    Parts p;
    p.grid.setSortingEnabled(false);
    p.clickHeader(0);
    QCOMPARE(p.shownCodes(), codes("P-300 P-100 P-200 P-400 P-050"));
}

void DataGridTest::initialSortIsReappliedAfterRefill() {
    // ADET is a field of the table the grid does not show.
    Parts p;
    p.grid.setInitialSort(QStringLiteral("ADET"), Qt::DescendingOrder);
    QCOMPARE(p.shownCodes(), codes("P-100 P-400 P-300 P-200 P-050"));
    p.clickHeader(0);
    QCOMPARE(p.shownCodes(), codes("P-050 P-100 P-200 P-300 P-400"));

    defineParts(p.table); // a fill from scratch, attached
    appendParts(p.table);
    QCOMPARE(p.shownCodes(), codes("P-100 P-400 P-300 P-200 P-050"));

    // Also by a hidden column, after a detached refill.
    QList<GridColumn> columns = partColumns();
    columns[3].visible = false;
    p.grid.setColumns(columns);
    p.grid.setInitialSort(QStringLiteral("FIYAT"), Qt::AscendingOrder);
    p.grid.detach();
    p.table.clearRows();
    appendParts(p.table);
    p.grid.attach();
    QCOMPARE(p.shownCodes(), codes("P-400 P-050 P-200 P-100 P-300"));
}

void DataGridTest::focusedRowMapsThroughSortAndFilter() {
    Parts p;
    QSignalSpy focused(&p.grid, &DataGrid::focusedRowChanged);
    p.clickHeader(3); // by price: P-400 P-050 P-200 P-100 P-300
    p.grid.setTextFilter(QStringLiteral("KOD"), QStringLiteral("P-"));
    p.grid.setValueFilter(QStringLiteral("MARKA"),
                          {QStringLiteral("Ilgaz"), QString::fromUtf8("İnci")});
    QCOMPARE(p.shownCodes(), codes("P-200 P-100 P-300"));

    QTest::mouseClick(p.grid.view()->viewport(), Qt::LeftButton, {}, p.cellCenter(1, 2));
    QCOMPARE(p.grid.focusedRow(), 1); // P-100
    QCOMPARE(p.table.currentRow(), 1);
    const QModelIndexList selected = p.grid.view()->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().row(), 1);
    QCOMPARE(p.grid.focusedField(), QStringLiteral("MARKA"));
    QCOMPARE(focused.last().at(0).toInt(), 1);

    p.table.setCurrentRow(0); // P-300, last shown
    QCOMPARE(p.grid.focusedRow(), 0);
    QCOMPARE(p.grid.view()->currentIndex().row(), 2);
    p.grid.setFocusedRow(2);
    QCOMPARE(p.table.currentRow(), 2);
    QCOMPARE(p.grid.view()->currentIndex().row(), 0);
    p.table.setCurrentRow(3); // filtered out
    QCOMPARE(p.grid.focusedRow(), -1);
}

void DataGridTest::keysMoveAndEnterActivates() {
    Parts p;
    QSignalSpy activated(&p.grid, &DataGrid::rowDoubleClicked);
    QWidget* view = p.grid.view();
    p.clickHeader(0); // P-050 P-100 P-200 P-300 P-400
    QTest::keyClick(view, Qt::Key_Home);
    QCOMPARE(p.grid.focusedRow(), 4);
    QTest::keyClick(view, Qt::Key_Down);
    QCOMPARE(p.grid.focusedRow(), 1);
    QTest::keyClick(view, Qt::Key_End);
    QCOMPARE(p.grid.focusedRow(), 3);
    QCOMPARE(p.table.currentRow(), 3);
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.at(0).at(0).toInt(), 3);
    QCOMPARE(activated.at(0).at(1).toString(), QStringLiteral("KOD"));
}

void DataGridTest::doubleClickCarriesTableRowAfterSort() {
    Parts p;
    QSignalSpy activated(&p.grid, &DataGrid::rowDoubleClicked);
    p.clickHeader(3); // P-400 P-050 ...
    QWidget* viewport = p.grid.view()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, p.cellCenter(1, 1));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, p.cellCenter(1, 1));
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.at(0).at(0).toInt(), 4); // P-050
    QCOMPARE(activated.at(0).at(1).toString(), QStringLiteral("AD"));
}

void DataGridTest::rightClickFocusesRowAndPopsMenu() {
    Parts p;
    QMenu menu;
    menu.addAction(QStringLiteral("Sepete Ekle"));
    p.grid.setContextMenu(&menu);
    const QPoint at = p.cellCenter(2, 1);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at,
                            p.grid.view()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(p.grid.view()->viewport(), &event);
    QCOMPARE(p.grid.focusedRow(), 2);
    QVERIFY(menu.isVisible());
    menu.close();
}

void DataGridTest::footerCountsAndSumsShownRows() {
    Parts p;
    p.grid.setLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
    p.grid.setFooter({{QStringLiteral("KOD"), GridFooterItem::Kind::Count},
                      {QStringLiteral("FIYAT"), GridFooterItem::Kind::Sum},
                      {QStringLiteral("ADET"), GridFooterItem::Kind::Sum}});
    QCOMPARE(p.grid.footerText(QStringLiteral("KOD")), QStringLiteral("5"));
    QCOMPARE(p.grid.footerText(QStringLiteral("FIYAT")), QStringLiteral("1.594,40"));
    QCOMPARE(p.grid.footerText(QStringLiteral("ADET")), QStringLiteral("19")); // not a column

    p.table.setValue(2, 3, 100.1);
    QCOMPARE(p.grid.footerText(QStringLiteral("FIYAT")), QStringLiteral("1.594,60"));
    p.grid.setValueFilter(QStringLiteral("MARKA"), {QStringLiteral("Ilgaz")});
    QCOMPARE(p.grid.footerText(QStringLiteral("KOD")), QStringLiteral("2"));
    QCOMPARE(p.grid.footerText(QStringLiteral("FIYAT")), QStringLiteral("1.334,60"));
    p.grid.setTextFilter(QStringLiteral("AD"), QString::fromUtf8("ş"));
    QCOMPARE(p.grid.footerText(QStringLiteral("KOD")), QStringLiteral("1"));
    QCOMPARE(p.grid.footerText(QStringLiteral("FIYAT")), QStringLiteral("1.234,50"));
    p.grid.detach();
    QCOMPARE(p.grid.footerText(QStringLiteral("FIYAT")), QStringLiteral("0,00"));
}

void DataGridTest::applyWeights_data() {
    QTest::addColumn<QList<int>>("weights");
    QTest::addColumn<QList<bool>>("visible");
    QTest::addColumn<int>("available");
    QTest::addColumn<QList<int>>("widths");
    const QList<int> w{2, 1, 0, 3};
    const QList<bool> all{true, true, true, true};
    QTest::newRow("1152") << w << all << 1152 << QList<int>{374, 187, 0, 561};
    QTest::newRow("1153 truncates") << w << all << 1153 << QList<int>{374, 187, 0, 561};
    QTest::newRow("1151") << w << all << 1151 << QList<int>{372, 186, 0, 558};
    QTest::newRow("hidden column left out")
        << w << QList<bool>{true, true, true, false} << 1152 << QList<int>{748, 374, 0, 84};
    QTest::newRow("no weights: unchanged")
        << QList<int>{0, 0, 0, 0} << all << 1152 << QList<int>{84, 84, 84, 84};
}

void DataGridTest::applyWeights() {
    QFETCH(QList<int>, weights);
    QFETCH(QList<bool>, visible);
    QFETCH(int, available);
    QFETCH(QList<int>, widths);
    QList<GridColumn> columns = partColumns();
    for (int i = 0; i < columns.size(); ++i) {
        columns[i].weight = weights[i];
        columns[i].visible = visible[i];
    }
    Parts p(columns);
    p.grid.applyWeights(available, 30);
    for (int i = 0; i < columns.size(); ++i)
        QCOMPARE(p.grid.columnWidth(columns[i].field), widths[i]);
}

void DataGridTest::bestFitMakesLongValueFit() {
    Parts p;
    const QString longName = QString::fromUtf8("Ön tampon bağlantı braketi sağ, uzun model");
    p.table.setValue(1, 1, longName);
    p.grid.bestFit();
    const int needed = p.grid.view()->fontMetrics().horizontalAdvance(longName);
    QVERIFY(p.grid.columnWidth(QStringLiteral("AD")) > needed);
    QVERIFY(p.grid.columnWidth(QStringLiteral("AD")) < needed + 40);
    // A short column still fits its caption and filter button.
    const int kod = p.grid.columnWidth(QStringLiteral("KOD"));
    QVERIFY(kod >= p.grid.view()->fontMetrics().horizontalAdvance(QStringLiteral("P-300")) + 10);
}

void DataGridTest::detachIgnoresRefillUntilAttach() {
    Parts p;
    QSignalSpy resets(p.model(), &QAbstractItemModel::modelReset);
    QSignalSpy inserts(p.model(), &QAbstractItemModel::rowsInserted);
    p.grid.detach();
    QVERIFY(!p.grid.isAttached());
    QCOMPARE(p.model()->rowCount(), 0);
    resets.clear();
    p.table.close();
    defineParts(p.table);
    p.table.appendRow({QStringLiteral("Y-1"), QStringLiteral("Yeni")});
    p.table.appendRow({QStringLiteral("Y-2"), QStringLiteral("Yeni 2")});
    p.table.setCurrentRow(0);
    QCOMPARE(p.model()->rowCount(), 0);
    QCOMPARE(resets.count(), 0);
    QCOMPARE(inserts.count(), 0);

    p.grid.attach();
    QCOMPARE(resets.count(), 1);
    QCOMPARE(p.shownCodes(), codes("Y-1 Y-2"));
    QCOMPARE(p.grid.focusedRow(), 0);
    QCOMPARE(p.model()->index(1, 1).data().toString(), QStringLiteral("Yeni 2"));
}

void DataGridTest::incrementalSearchJumpsAndSkipsUnsearchable() {
    QList<GridColumn> columns = partColumns();
    columns[0].searchable = false;
    Parts p(columns);
    QWidget* view = p.grid.view();
    QCOMPARE(p.grid.focusedRow(), 4); // the focused column is KOD, not searchable: AD is searched
    typeText(view, QStringLiteral("fr"));
    QCOMPARE(p.grid.focusedRow(), 1); // wrapped past the end
    QTest::keyClick(view, Qt::Key_Home);
    typeText(view, QStringLiteral("ISI"));
    QCOMPARE(p.grid.focusedRow(), 4);
    QTest::keyClick(view, Qt::Key_Home);
    typeText(view, QStringLiteral("P-1")); // KOD would find P-100
    QCOMPARE(p.grid.focusedRow(), 0);

    // The search starts at the focused row, here in the MARKA column.
    QTest::mouseClick(p.grid.view()->viewport(), Qt::LeftButton, {}, p.cellCenter(1, 2));
    typeText(view, QStringLiteral("ıl"));
    QCOMPARE(p.grid.focusedRow(), 2);
    QTest::keyClick(view, Qt::Key_Home);

    // Typing goes on from the match; after a pause it starts afresh. Every i meets every I:
    // "i" finds "Ilgaz" (wrapping), "in" then "İnci".
    typeText(view, QStringLiteral("ka"));
    QCOMPARE(p.grid.focusedRow(), 3);
    typeText(view, QStringLiteral("i"));
    QCOMPARE(p.grid.focusedRow(), 3);
    QTest::qWait(1100);
    typeText(view, QStringLiteral("i"));
    QCOMPARE(p.grid.focusedRow(), 0);
    typeText(view, QStringLiteral("n"));
    QCOMPARE(p.grid.focusedRow(), 1);
}

void DataGridTest::iconCheckBoxAndIndicatorPaint() {
    const QColor magenta(255, 0, 255), green(0, 200, 0);
    GridColumn state = col(QStringLiteral("DURUM"), QStringLiteral(""));
    state.kind = GridColumn::Kind::Icon;
    state.icons.insert(1, solidIcon(magenta));
    state.iconFallback = solidIcon(green);
    GridColumn picked = col(QStringLiteral("SECILI"), QStringLiteral("Seç"));
    picked.kind = GridColumn::Kind::CheckBox;
    Parts p({state, picked, col(QStringLiteral("AD"))});
    p.grid.setRowIndicator(true);
    p.table.setCurrentRow(1);

    QTableView* view = p.grid.view();
    const QImage image = view->viewport()->grab().toImage();
    const auto cell = [&](int row, int column) {
        return view->visualRect(p.model()->index(row, column));
    };
    QVERIFY(pixelsNear(image, cell(0, 0), magenta) > 50); // DURUM 1
    QCOMPARE(pixelsNear(image, cell(0, 0), green), 0);
    QVERIFY(pixelsNear(image, cell(2, 0), green) > 50); // DURUM 7: the fallback
    QCOMPARE(pixelsNear(image, cell(2, 0), magenta), 0);
    QCOMPARE(pixelsNear(image, cell(0, 0).adjusted(0, 0, -cell(0, 0).width() / 2 - 9, 0), magenta),
             0); // centred
    // SECILI 1 shows a check mark; 0 an empty box.
    QVERIFY(darkPixels(image, cell(0, 1)) > darkPixels(image, cell(2, 1)) + 5);

    // The row indicator marks the focused row.
    QHeaderView* rows = view->verticalHeader();
    QVERIFY(rows->isVisible());
    const QImage marks = rows->viewport()->grab().toImage();
    const int y1 = rows->sectionViewportPosition(1);
    const QColor mark(0x12, 0x83, 0x92);
    QVERIFY(pixelsNear(marks, QRect(0, y1, rows->width(), rows->sectionSize(1)), mark, 30) > 4);
    QCOMPARE(pixelsNear(marks, QRect(0, 0, rows->width(), rows->sectionSize(0)), mark, 30), 0);

    // Clicking a check box changes nothing.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell(2, 1).center());
    QCOMPARE(p.grid.focusedRow(), 2);
    QCOMPARE(p.table.value(2, 6).toInt(), 0);
}

void DataGridTest::updatesNestAndSettleOnceAtEnd() {
    Parts p;
    p.grid.setLocale(QLocale::c());
    p.grid.setFooter({{QStringLiteral("FIYAT"), GridFooterItem::Kind::Sum}});
    p.clickHeader(3); // by price
    p.grid.setTextFilter(QStringLiteral("KOD"), QStringLiteral("P-"));
    p.grid.beginUpdate();
    p.grid.beginUpdate();
    // A walk rewrites the prices from the highest down, and renames one part out of the filter.
    for (int r = 0; r < p.table.recordCount(); ++r)
        p.table.setValue(r, 3, 1000.0 - r);
    p.table.setValue(1, 0, QStringLiteral("X-100"));
    p.grid.endUpdate();
    QVERIFY(!p.grid.view()->updatesEnabled());
    p.grid.endUpdate();
    QVERIFY(p.grid.view()->updatesEnabled());
    QCOMPARE(p.shownCodes(), codes("P-050 P-400 P-200 P-300"));
    QCOMPARE(p.grid.footerText(QStringLiteral("FIYAT")), QStringLiteral("3,991.00"));
}

void DataGridTest::largeTablePaintsOnlyVisibleRows() {
    constexpr int kRows = 50000;
    vk::TableData data;
    data.fields = {FieldDef::make(QStringLiteral("KOD"), FieldType::String, 20),
                   FieldDef::make(QStringLiteral("FIYAT"), FieldType::Float)};
    data.columns.resize(2);
    for (int i = 0; i < kRows; ++i) {
        data.columns[0].append(QStringLiteral("K%1").arg(kRows - i, 6, 10, QChar(u'0')));
        data.columns[1].append(double(i % 977));
    }
    data.rowCount = kRows;
    MemTable table;
    table.assign(std::move(data));

    int painted = 0, texts = 0, lowestPaintedRow = kRows;
    GridColumn probe = col(QString(), QStringLiteral("Özel"));
    probe.kind = GridColumn::Kind::Custom;
    probe.paint = [&](QPainter*, const QStyleOptionViewItem&, int tableRow) {
        ++painted;
        lowestPaintedRow = std::min(lowestPaintedRow, tableRow);
    };
    probe.text = [&](int) {
        ++texts;
        return QString();
    };
    DataGrid grid;
    grid.setColumns({col(QStringLiteral("KOD")), col(QStringLiteral("FIYAT")), probe});
    grid.setFooter({{QStringLiteral("FIYAT"), GridFooterItem::Kind::Sum}});
    grid.resize(500, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setTable(&table);
    QCOMPARE(grid.shownRowCount(), kRows);

    QHeaderView* header = grid.view()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 10, header->height() / 2));
    QCOMPARE(grid.shownRows().constFirst(), kRows - 1); // K000001

    texts = 0;
    painted = 0;
    grid.view()->verticalScrollBar()->setValue(grid.view()->verticalScrollBar()->maximum());
    grid.view()->viewport()->grab();
    const int visibleRows = grid.view()->viewport()->height() / grid.rowHeight() + 2;
    QVERIFY(painted > 0);
    QVERIFY2(painted <= visibleRows, qPrintable(QString::number(painted)));
    QCOMPARE(lowestPaintedRow, 0); // the bottom row after sorting is the table's first (K050000)
    QCOMPARE(texts, 0);
}

QTEST_MAIN(DataGridTest)
#include "tst_datagrid.moc"
