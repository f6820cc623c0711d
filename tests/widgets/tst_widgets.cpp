// The reusable widgets: the tab control's rows, hidden tabs, page reports, keys, clicks and count
// badge; the drawn icons and logo; the ticker's layout and scrolling; the busy indicator.

#include "widgets/appicons.h"
#include "widgets/busyindicator.h"
#include "widgets/marquee.h"
#include "widgets/tabcontrol.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>

using vk::AppIcon;
using vk::TabControl;

namespace {

// A tab control with n plain pages, captions "Sayfa 0", "Sayfa 1", ...
std::unique_ptr<TabControl> makeTabs(int n, int width = 600) {
    auto tc = std::make_unique<TabControl>();
    for (int i = 0; i < n; ++i)
        tc->addTab(new QLabel, vk::appIcon(AppIcon::Basket), QStringLiteral("Sayfa %1").arg(i));
    tc->resize(width, 300);
    return tc;
}

void showActive(QWidget& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

// The widget under a point of the tab control, and the point in its coordinates.
std::pair<QWidget*, QPoint> hit(TabControl& tc, QPoint pos) {
    QWidget* w = tc.childAt(pos);
    if (w == nullptr)
        return {&tc, pos};
    return {w, w->mapFrom(&tc, pos)};
}

int badgePixels(const QImage& image, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - 30) <= 8 && std::abs(c.green() - 180) <= 8 &&
                std::abs(c.blue() - 223) <= 8)
                ++n;
        }
    }
    return n;
}

bool hasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
        }
    }
    return false;
}

// The smallest rectangle holding every pixel that is not fully transparent.
QRect inkBounds(const QImage& image) {
    QRect r;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                r |= QRect(x, y, 1, 1);
        }
    }
    return r;
}

QPixmap solidPixmap(QSize size, qreal dpr = 1.0) {
    QPixmap pm(size);
    pm.fill(Qt::darkCyan);
    pm.setDevicePixelRatio(dpr);
    return pm;
}

} // namespace

class WidgetsTest : public QObject {
    Q_OBJECT

private slots:
    void tabRows_data();
    void tabRows();
    void tabBarFollowsWidth();
    void hiddenTabs();
    void hidingCurrentTabMovesOn();
    void shownAndHiddenReports();
    void keyboard_data();
    void keyboard();
    void clickSelects();
    void countBadge_data();
    void countBadge();

    void iconsDraw();
    void stateIconsDiffer();
    void logoFits_data();
    void logoFits();

    void marqueeContentWidth();
    void marqueeScrollsAndWraps();
    void marqueeEmptyPaintsBackground();

    void busyIndicator();
};

void WidgetsTest::tabRows_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("tabs");
    QTest::addColumn<int>("rows");
    QTest::newRow("600 px, nine tabs") << 600 << 9 << 2;
    QTest::newRow("just too narrow for nine") << 1079 << 9 << 2;
    QTest::newRow("exactly nine wide") << 1080 << 9 << 1;
    QTest::newRow("wider") << 1400 << 9 << 1;
    QTest::newRow("narrower than a tab") << 100 << 3 << 3;
    QTest::newRow("no tabs") << 600 << 0 << 0;
}

void WidgetsTest::tabRows() {
    QFETCH(int, width);
    QFETCH(int, tabs);
    QFETCH(int, rows);
    auto tc = makeTabs(tabs, width);
    QCOMPARE(tc->rowCount(), rows);
    const int perRow = std::max(1, width / 120);
    for (int i = 0; i < tabs; ++i) {
        const QRect expected(QPoint((i % perRow) * 120, (i / perRow) * 45), TabControl::tabSize());
        QCOMPARE(tc->tabRect(i), expected);
    }
}

void WidgetsTest::tabBarFollowsWidth() {
    // The pages start right under the last row, and move when the rows change.
    auto tc = makeTabs(9, 600);
    tc->show();
    QVERIFY(QTest::qWaitForWindowExposed(tc.get()));
    QWidget* page = tc->currentPage();
    QTRY_COMPARE(page->mapTo(tc.get(), QPoint(0, 0)).y(), 2 * 45);
    tc->resize(1200, 300);
    QTRY_COMPARE(tc->rowCount(), 1);
    QTRY_COMPARE(page->mapTo(tc.get(), QPoint(0, 0)).y(), 45);
    tc->setTabVisible(8, false);
    tc->resize(600, 300);
    QTRY_COMPARE(page->mapTo(tc.get(), QPoint(0, 0)).y(), 2 * 45);
    for (int i = 5; i < 8; ++i)
        tc->setTabVisible(i, false);
    QTRY_COMPARE(page->mapTo(tc.get(), QPoint(0, 0)).y(), 45);
}

void WidgetsTest::hiddenTabs() {
    auto tc = makeTabs(6, 600);
    QCOMPARE(tc->rowCount(), 2);
    tc->setTabVisible(1, false);
    QVERIFY(!tc->isTabVisible(1));
    QVERIFY(tc->tabRect(1).isEmpty());
    QCOMPARE(tc->tabRect(2).topLeft(), QPoint(120, 0)); // moves into the hidden tab's place
    QCOMPARE(tc->tabRect(5).topLeft(), QPoint(480, 0));
    QCOMPARE(tc->rowCount(), 1);

    QSignalSpy changed(tc.get(), &TabControl::currentChanged);
    tc->setCurrentIndex(1);
    tc->setCurrentPage(tc->page(1));
    QCOMPARE(tc->currentIndex(), 0);
    QCOMPARE(changed.count(), 0);

    tc->setTabVisible(1, true);
    QCOMPARE(tc->tabRect(1).topLeft(), QPoint(120, 0));
    tc->setCurrentIndex(1);
    QCOMPARE(tc->currentIndex(), 1);
    QCOMPARE(tc->currentPage(), tc->page(1));
}

void WidgetsTest::hidingCurrentTabMovesOn() {
    auto tc = makeTabs(5);
    tc->setTabVisible(2, false);
    tc->setCurrentIndex(1);
    QSignalSpy changed(tc.get(), &TabControl::currentChanged);

    tc->setTabVisible(1, false); // the next visible one, skipping the hidden tab
    QCOMPARE(tc->currentIndex(), 3);
    tc->setCurrentIndex(4);
    tc->setTabVisible(4, false); // the last one falls back to the one before
    QCOMPARE(tc->currentIndex(), 3);
    QCOMPARE(changed.count(), 3);
    QCOMPARE(changed.at(0).at(0).toInt(), 3);

    tc->setTabVisible(0, false);
    tc->setTabVisible(3, false);
    QCOMPARE(tc->currentIndex(), -1);
    QCOMPARE(tc->currentPage(), nullptr);
    tc->setTabVisible(2, true); // a tab coming back while none is chosen becomes current
    QCOMPARE(tc->currentIndex(), 2);
}

void WidgetsTest::shownAndHiddenReports() {
    TabControl tc;
    tc.resize(600, 300);
    QStringList log; // "+i" for tabShown(i), "-i" for tabHidden(i), in order
    connect(&tc, &TabControl::tabShown, this,
            [&log](int i) { log << QStringLiteral("+%1").arg(i); });
    connect(&tc, &TabControl::tabHidden, this,
            [&log](int i) { log << QStringLiteral("-%1").arg(i); });
    const auto reports = [&log] { return std::exchange(log, {}); };

    tc.addTab(new QLabel, QIcon(), QStringLiteral("Bir"));
    QCOMPARE(reports(), QStringList{}); // the page cannot be seen yet
    tc.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tc));
    QCOMPARE(reports(), QStringList{QStringLiteral("+0")});

    tc.addTab(new QLabel, QIcon(), QStringLiteral("İki"));
    tc.addTab(new QLabel, QIcon(), QStringLiteral("Üç"));
    QCOMPARE(reports(), QStringList{});
    QCOMPARE(tc.currentIndex(), 0);

    tc.setCurrentIndex(2);
    tc.setCurrentIndex(2);
    QCOMPARE(reports(), (QStringList{QStringLiteral("-0"), QStringLiteral("+2")}));

    tc.setTabVisible(2, false);
    QCOMPARE(reports(), (QStringList{QStringLiteral("-2"), QStringLiteral("+1")}));

    tc.hide();
    QCOMPARE(reports(), QStringList{QStringLiteral("-1")});
    tc.show();
    QCOMPARE(reports(), QStringList{QStringLiteral("+1")});

    // A page deleted by its owner takes its tab along; the visible page stays.
    delete tc.page(0);
    QCOMPARE(tc.count(), 2);
    QCOMPARE(tc.currentIndex(), 0);
    QCOMPARE(tc.tabCaption(0), QStringLiteral("İki"));
    QCOMPARE(reports(), QStringList{});

    // The first tab of a control already on screen is reported at once.
    TabControl shownEmpty;
    connect(&shownEmpty, &TabControl::tabShown, this,
            [&log](int i) { log << QStringLiteral("+%1").arg(i); });
    shownEmpty.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shownEmpty));
    shownEmpty.addTab(new QLabel, QIcon(), QStringLiteral("Bir"));
    QCOMPARE(reports(), QStringList{QStringLiteral("+0")});
}

void WidgetsTest::keyboard_data() {
    QTest::addColumn<bool>("onPage"); // keys typed in a page's editor rather than on the bar
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("expected");
    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    // Tab 2 is hidden throughout.
    QTest::newRow("right skips hidden") << false << 1 << int(Qt::Key_Right) << none << 3;
    QTest::newRow("right stops at end") << false << 4 << int(Qt::Key_Right) << none << 4;
    QTest::newRow("left skips hidden") << false << 3 << int(Qt::Key_Left) << none << 1;
    QTest::newRow("left stops at start") << false << 0 << int(Qt::Key_Left) << none << 0;
    QTest::newRow("home") << false << 3 << int(Qt::Key_Home) << none << 0;
    QTest::newRow("end") << false << 1 << int(Qt::Key_End) << none << 4;
    QTest::newRow("ctrl+tab skips hidden") << true << 1 << int(Qt::Key_Tab) << ctrl << 3;
    QTest::newRow("ctrl+tab wraps") << true << 4 << int(Qt::Key_Tab) << ctrl << 0;
    QTest::newRow("ctrl+shift+tab skips hidden")
        << true << 3 << int(Qt::Key_Backtab) << ctrlShift << 1;
    QTest::newRow("ctrl+shift+tab wraps") << true << 0 << int(Qt::Key_Backtab) << ctrlShift << 4;
    QTest::newRow("ctrl+shift+tab as tab") << true << 3 << int(Qt::Key_Tab) << ctrlShift << 1;
    QTest::newRow("ctrl+pgdown") << true << 1 << int(Qt::Key_PageDown) << ctrl << 3;
    QTest::newRow("ctrl+pgup wraps") << true << 0 << int(Qt::Key_PageUp) << ctrl << 4;
    QTest::newRow("ctrl+tab on the bar") << false << 4 << int(Qt::Key_Tab) << ctrl << 0;
}

void WidgetsTest::keyboard() {
    QFETCH(bool, onPage);
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, expected);

    TabControl tc;
    QList<QLineEdit*> editors;
    for (int i = 0; i < 5; ++i) {
        auto* page = new QWidget;
        editors.append(new QLineEdit(page));
        tc.addTab(page, QIcon(), QStringLiteral("Sayfa %1").arg(i));
    }
    tc.resize(700, 300);
    tc.setTabVisible(2, false);
    tc.setCurrentIndex(start);
    showActive(tc);

    QWidget* target = nullptr;
    if (onPage) {
        target = editors.at(start);
    } else {
        target = hit(tc, tc.tabRect(start).center()).first;
        QCOMPARE(target->focusPolicy(), Qt::StrongFocus);
    }
    target->setFocus();
    QTRY_VERIFY(target->hasFocus());
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(tc.currentIndex(), expected);
}

void WidgetsTest::clickSelects() {
    auto tc = makeTabs(7, 600);
    tc->setTabVisible(1, false);
    showActive(*tc);
    QSignalSpy changed(tc.get(), &TabControl::currentChanged);

    const auto [bar, pos] = hit(*tc, tc->tabRect(6).center());
    QTest::mouseClick(bar, Qt::LeftButton, {}, pos);
    QCOMPARE(tc->currentIndex(), 6);
    QCOMPARE(tc->currentPage(), tc->page(6));
    QVERIFY(tc->currentPage()->isVisible());

    // A click handed to the control itself at a tab's place selects as well.
    QTest::mouseClick(tc.get(), Qt::LeftButton, {}, tc->tabRect(3).center());
    QCOMPARE(tc->currentIndex(), 3);
    // Right of the last tab of the second row nothing is hit.
    QTest::mouseClick(tc.get(), Qt::LeftButton, {}, QPoint(590, 60));
    QCOMPARE(tc->currentIndex(), 3);
    QCOMPARE(changed.count(), 2);
}

void WidgetsTest::countBadge_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("badge");
    QTest::newRow("count") << QStringLiteral("7=Sepet") << true;
    QTest::newRow("big count") << QStringLiteral("128=Sepet") << true;
    QTest::newRow("zero") << QStringLiteral("0=Sepet") << false;
    QTest::newRow("no count") << QStringLiteral("Sepet") << false;
    QTest::newRow("not a number") << QStringLiteral("x=Sepet") << false;
}

void WidgetsTest::countBadge() {
    QFETCH(QString, caption);
    QFETCH(bool, badge);
    TabControl tc;
    tc.addTab(new QLabel, vk::appIcon(AppIcon::StockList), QStringLiteral("Stok Listesi"));
    tc.addTab(new QLabel, vk::appIcon(AppIcon::Basket), QStringLiteral("3=Sepet"));
    tc.resize(600, 200);
    tc.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tc));
    tc.setTabCaption(1, caption); // a caption changed later is shown as well
    QCOMPARE(tc.tabCaption(1), caption);

    // Both the current and an inactive tab show the badge alike.
    for (int current : {0, 1}) {
        tc.setCurrentIndex(current);
        const QImage image = tc.grab().toImage();
        const QRect r = tc.tabRect(1);
        const QRect corner(r.right() - 45, r.top() + 3, 44, 18);
        QCOMPARE(badgePixels(image, corner) > 0, badge);
        QCOMPARE(badgePixels(image, tc.tabRect(0)), 0);
    }
}

void WidgetsTest::iconsDraw() {
    QList<QIcon> icons;
    for (int i = int(AppIcon::StockList); i <= int(AppIcon::Lock); ++i)
        icons.append(vk::appIcon(AppIcon(i)));
    for (int code = 0; code <= 6; ++code)
        icons.append(vk::stockStateIcon(code));
    icons.append(vk::stockStateIcon(42));
    for (qsizetype i = 0; i < icons.size(); ++i) {
        const QIcon& icon = icons.at(i);
        QVERIFY2(!icon.isNull(), qPrintable(QString::number(i)));
        const QPixmap pm = icon.pixmap(32, 32);
        QCOMPARE(pm.size(), QSize(32, 32));
        QVERIFY2(hasInk(pm.toImage()), qPrintable(QString::number(i)));
        // Drawn afresh at a larger size rather than blown up.
        QCOMPARE(icon.pixmap(64, 64).size(), QSize(64, 64));
        QVERIFY(hasInk(icon.pixmap(64, 64).toImage()));
    }
}

void WidgetsTest::stateIconsDiffer() {
    QList<QImage> images;
    for (int code = 0; code <= 6; ++code)
        images.append(vk::stockStateIcon(code).pixmap(32, 32).toImage());
    images.append(vk::stockStateIcon(7).pixmap(32, 32).toImage());
    for (qsizetype a = 0; a < images.size(); ++a) {
        for (qsizetype b = a + 1; b < images.size(); ++b)
            QVERIFY2(images.at(a) != images.at(b),
                     qPrintable(QStringLiteral("%1 = %2").arg(a).arg(b)));
    }
    QCOMPARE(vk::stockStateIcon(-1).pixmap(32, 32).toImage(), images.last());
}

void WidgetsTest::logoFits_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("heightBound"); // the size's height limits the logo, not its width
    QTest::newRow("wide strip") << QSize(600, 60) << true;
    QTest::newRow("square") << QSize(200, 200) << false;
}

void WidgetsTest::logoFits() {
    QFETCH(QSize, size);
    QFETCH(bool, heightBound);
    const QImage logo = vk::logoPixmap(size).toImage();
    QCOMPARE(logo.size(), size);
    QCOMPARE(qAlpha(logo.pixel(0, 0)), 0);
    const QRect ink = inkBounds(logo);
    QVERIFY(!ink.isEmpty());
    if (heightBound) {
        QVERIFY2(ink.height() >= size.height() - 3, qPrintable(QString::number(ink.height())));
        QVERIFY(ink.width() < size.width() - 20);
    } else {
        QVERIFY2(ink.width() >= size.width() - 4, qPrintable(QString::number(ink.width())));
        QVERIFY(ink.height() < size.height() / 2);
    }
    // Centred in the free direction.
    QVERIFY(std::abs(ink.center().x() - size.width() / 2) <= 2);
    QVERIFY(std::abs(ink.center().y() - size.height() / 2) <= 2);
}

void WidgetsTest::marqueeContentWidth() {
    const QString first = QStringLiteral("<b>Yeni</b> kampanya");
    const QString second = QStringLiteral("<font size=5 color=red>İNDİRİM</font>");
    const auto widthOf = [](const QString& html) {
        vk::Marquee m;
        m.addHtmlItem(html);
        return m.contentWidth();
    };
    const int w1 = widthOf(first);
    const int w2 = widthOf(second);
    QVERIFY(w1 > 0);
    QVERIFY(w2 > 0);

    vk::Marquee m;
    QCOMPARE(m.contentWidth(), 0);
    m.addHtmlItem(first);
    m.addHtmlItem(second);
    m.addPixmapItem(solidPixmap(QSize(60, 20), 2.0)); // 30 px wide on screen
    QCOMPARE(m.itemCount(), 3);
    QCOMPARE(m.contentWidth(), w1 + w2 + 30 + 2 * vk::Marquee::kItemGap);

    // A larger font lays the text out again.
    QFont big = m.font();
    big.setPixelSize(40);
    m.setFont(big);
    QVERIFY(m.contentWidth() > w1 + w2 + 30 + 2 * vk::Marquee::kItemGap);

    m.clear();
    QCOMPARE(m.itemCount(), 0);
    QCOMPARE(m.contentWidth(), 0);
}

void WidgetsTest::marqueeScrollsAndWraps() {
    vk::Marquee m;
    m.resize(300, 40);
    m.addPixmapItem(solidPixmap(QSize(4, 10)));
    const int period = m.contentWidth() + vk::Marquee::kRepeatGap;
    m.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m));
    QTest::qWait(50);
    QCOMPARE(m.offset(), 0); // not started yet

    m.start();
    QVERIFY(m.isActive());
    int previous = 0;
    bool wrapped = false;
    bool inRange = true;
    const auto watch = [&] {
        const int now = m.offset();
        inRange = inRange && now >= 0 && now < period;
        wrapped = wrapped || now < previous;
        previous = now;
        return wrapped;
    };
    QTRY_VERIFY_WITH_TIMEOUT(watch(), 10000);
    QVERIFY(inRange);

    // Hidden, it does not move; shown again, it goes on.
    m.hide();
    const int whileHidden = m.offset();
    QTest::qWait(80);
    QCOMPARE(m.offset(), whileHidden);
    m.show();
    QTRY_VERIFY(m.offset() != whileHidden);

    m.stop();
    QVERIFY(!m.isActive());
    const int stopped = m.offset();
    QTest::qWait(80);
    QCOMPARE(m.offset(), stopped);
}

void WidgetsTest::marqueeEmptyPaintsBackground() {
    vk::Marquee m;
    m.resize(120, 40);
    m.addHtmlItem(QStringLiteral("<b>geçici</b>"));
    m.clear();
    const QImage image = m.grab().toImage();
    const QColor background = m.palette().color(m.backgroundRole());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(image.pixelColor(x, y).rgb(), background.rgb());
    }
}

void WidgetsTest::busyIndicator() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* busy = new vk::BusyIndicator(&window);
    layout->addWidget(busy);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!busy->isVisible());
    QVERIFY(!busy->isRunning());

    busy->start();
    QVERIFY(busy->isVisible());
    QVERIFY(busy->isRunning());
    const QImage before = busy->grab().toImage();
    QTRY_VERIFY(busy->grab().toImage() != before); // it turns

    busy->stop();
    QVERIFY(!busy->isVisible());
    QVERIFY(!busy->isRunning());
}

QTEST_MAIN(WidgetsTest)
#include "tst_widgets.moc"
