#include "widgets/tabcontrol.h"

#include "common/countcaption.h"

#include <QEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace vk {

namespace {

constexpr int kTabWidth = 120;
constexpr int kTabHeight = 45;
constexpr int kIconSize = 32;
constexpr int kIconLeft = 5;
constexpr int kTextInset = 5; // above and below the title, and between icon and title
constexpr int kBadgeInset = 2;
constexpr int kAccentLine = 3;
constexpr qreal kCornerRadius = 4.0;

const QColor kBadgeColor(30, 180, 223);
const QColor kAccent(0x1A, 0xA6, 0xB7);
const QColor kBorder(0xAE, 0xB8, 0xBF);
const QColor kInactiveTop(0xF2, 0xF4, 0xF5);
const QColor kInactiveBottom(0xD9, 0xDE, 0xE2);
const QColor kHoverTop(0xFA, 0xFB, 0xFC);
const QColor kHoverBottom(0xE6, 0xEA, 0xED);
const QColor kCurrentTop(0xFF, 0xFF, 0xFF);
const QColor kCurrentBottom(0xF7, 0xFA, 0xFB);
const QColor kFocusFrame(0x12, 0x7F, 0x8C);

// A rectangle with rounded top corners and a square bottom.
QPainterPath topRoundedPath(const QRectF& r, qreal radius) {
    QPainterPath path;
    path.moveTo(r.left(), r.bottom());
    path.lineTo(r.left(), r.top() + radius);
    path.arcTo(QRectF(r.left(), r.top(), 2 * radius, 2 * radius), 180, -90);
    path.lineTo(r.right() - radius, r.top());
    path.arcTo(QRectF(r.right() - 2 * radius, r.top(), 2 * radius, 2 * radius), 90, -90);
    path.lineTo(r.right(), r.bottom());
    return path;
}

} // namespace

// The tab strip: holds the tabs, lays them out in rows, paints them and takes the input. The
// control's public functions forward to it.
class TabControl::Bar : public QWidget {
public:
    struct Tab {
        QWidget* page = nullptr;
        QIcon icon;
        QString caption;
        TSonuc parsed;
        bool visible = true;
    };

    Bar(TabControl* control, QStackedWidget* stack);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return rowsFor(width) * kTabHeight; }

    int visibleCount() const;
    int rowsFor(int width) const;
    // Every tab's rectangle for a strip of this width (empty for hidden tabs).
    const std::vector<QRect>& rectsFor(int width) const;
    int tabAt(const QPoint& pos) const;
    int nextVisible(int from, int step, bool wrap) const;

    void select(int index);
    void tabsChanged();
    void removeAt(int index);
    void syncShown();

    std::vector<Tab> tabs;
    int current = -1;
    int hover = -1;
    int shown = -1; // the page tabShown was last reported for

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void paintTab(QPainter& p, int index, const QRect& r) const;

    TabControl* m_control;
    QStackedWidget* m_stack;
    mutable std::vector<QRect> m_rects;
    mutable int m_rectsWidth = -1;
};

TabControl::Bar::Bar(TabControl* control, QStackedWidget* stack)
    : QWidget(control), m_control(control), m_stack(stack) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    // The control's show and hide decide whether its current page is visible; a click the
    // control receives over the strip selects like a click on the strip.
    control->installEventFilter(this);
}

QSize TabControl::Bar::sizeHint() const {
    const int n = std::max(1, visibleCount());
    return {n * kTabWidth, kTabHeight};
}

QSize TabControl::Bar::minimumSizeHint() const {
    return {kTabWidth, visibleCount() > 0 ? kTabHeight : 0};
}

int TabControl::Bar::visibleCount() const {
    return int(std::count_if(tabs.begin(), tabs.end(), [](const Tab& t) { return t.visible; }));
}

int TabControl::Bar::rowsFor(int width) const {
    const int perRow = std::max(1, width / kTabWidth);
    return (visibleCount() + perRow - 1) / perRow;
}

const std::vector<QRect>& TabControl::Bar::rectsFor(int width) const {
    if (width == m_rectsWidth && m_rects.size() == tabs.size())
        return m_rects;
    const int perRow = std::max(1, width / kTabWidth);
    m_rects.assign(tabs.size(), QRect());
    int slot = 0;
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        if (!tabs[i].visible)
            continue;
        m_rects[i] =
            QRect((slot % perRow) * kTabWidth, (slot / perRow) * kTabHeight, kTabWidth, kTabHeight);
        ++slot;
    }
    m_rectsWidth = width;
    return m_rects;
}

int TabControl::Bar::tabAt(const QPoint& pos) const {
    const auto& rects = rectsFor(width());
    for (std::size_t i = 0; i < rects.size(); ++i) {
        if (rects[i].contains(pos))
            return int(i);
    }
    return -1;
}

int TabControl::Bar::nextVisible(int from, int step, bool wrap) const {
    const int n = int(tabs.size());
    if (n == 0)
        return -1;
    int i = from;
    for (int k = 0; k < n; ++k) {
        i += step;
        if (i < 0 || i >= n) {
            if (!wrap)
                return -1;
            i = (i + n) % n;
        }
        if (tabs[std::size_t(i)].visible)
            return i;
    }
    return -1;
}

void TabControl::Bar::select(int index) {
    if (index == current)
        return;
    if (index >= 0 && (index >= int(tabs.size()) || !tabs[std::size_t(index)].visible))
        return;
    current = index;
    if (index >= 0) {
        m_stack->setCurrentIndex(index);
        m_stack->show();
    } else {
        m_stack->hide();
    }
    update();
    syncShown();
    emit m_control->currentChanged(index);
}

void TabControl::Bar::tabsChanged() {
    m_rectsWidth = -1;
    updateGeometry();
    update();
}

void TabControl::Bar::removeAt(int index) {
    tabs.erase(tabs.begin() + index);
    if (shown == index)
        shown = -1; // the page is gone: nothing left to report as hidden
    else if (shown > index)
        --shown;
    hover = -1;
    tabsChanged();
    if (current > index) {
        --current; // the same page, one place earlier
    } else if (current == index) {
        const int next = nextVisible(index - 1, 1, true);
        current = -2; // force select() to act even when the next tab has the same index
        select(next);
    }
}

void TabControl::Bar::syncShown() {
    const int now = m_control->isVisible() ? current : -1;
    if (now == shown)
        return;
    const int before = shown;
    shown = now;
    if (before >= 0)
        emit m_control->tabHidden(before);
    if (now >= 0)
        emit m_control->tabShown(now);
}

bool TabControl::Bar::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int i = tabAt(help->pos());
        if (i >= 0)
            QToolTip::showText(help->globalPos(), tabs[std::size_t(i)].parsed.baslik, this,
                               rectsFor(width())[std::size_t(i)]);
        else
            QToolTip::hideText();
        return true;
    }
    if (event->type() == QEvent::Leave && hover >= 0) {
        hover = -1;
        update();
    }
    return QWidget::event(event);
}

bool TabControl::Bar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_control) {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Hide:
            syncShown();
            break;
        case QEvent::MouseButtonPress: {
            auto* me = static_cast<QMouseEvent*>(event);
            const QPoint local = mapFrom(m_control, me->position().toPoint());
            if (me->button() == Qt::LeftButton && rect().contains(local)) {
                const int i = tabAt(local);
                if (i >= 0)
                    select(i);
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TabControl::Bar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const auto& rects = rectsFor(width());
    // The line the rows stand on; the current tab covers it where it joins its page.
    p.setPen(kBorder);
    for (int row = 1, rows = rowsFor(width()); row <= rows; ++row)
        p.drawLine(QPointF(0, row * kTabHeight - 0.5), QPointF(width(), row * kTabHeight - 0.5));
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        if (tabs[i].visible && int(i) != current)
            paintTab(p, int(i), rects[i]);
    }
    if (current >= 0)
        paintTab(p, current, rects[std::size_t(current)]);
}

void TabControl::Bar::paintTab(QPainter& p, int index, const QRect& r) const {
    const Tab& tab = tabs[std::size_t(index)];
    const bool isCurrent = index == current;
    const bool isHover = index == hover && isEnabled();

    // Inactive tabs stand a little lower and narrower than the current one.
    const QRectF shape = isCurrent ? QRectF(r).adjusted(0.5, 0.5, -0.5, 0.0)
                                   : QRectF(r).adjusted(1.5, 2.5, -1.5, -0.5);
    const QPainterPath path = topRoundedPath(shape, kCornerRadius);
    QLinearGradient fill(shape.topLeft(), shape.bottomLeft());
    if (isCurrent) {
        fill.setColorAt(0, kCurrentTop);
        fill.setColorAt(1, kCurrentBottom);
    } else if (isHover) {
        fill.setColorAt(0, kHoverTop);
        fill.setColorAt(1, kHoverBottom);
    } else {
        fill.setColorAt(0, kInactiveTop);
        fill.setColorAt(1, kInactiveBottom);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBorder, 1.0));
    p.drawPath(path);
    if (isCurrent) {
        // Open towards the page, with the accent along the top edge.
        p.setPen(QPen(kCurrentBottom, 1.0));
        p.drawLine(QPointF(shape.left() + 0.5, shape.bottom() - 0.5),
                   QPointF(shape.right() - 0.5, shape.bottom() - 0.5));
        p.save();
        p.setClipRect(QRect(r.left(), r.top(), r.width(), kAccentLine));
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawPath(topRoundedPath(QRectF(r), kCornerRadius));
        p.restore();
    }

    const QIcon::Mode mode = !isEnabled() ? QIcon::Disabled
                             : isHover    ? QIcon::Active
                                          : QIcon::Normal;
    const QRect iconRect(r.left() + kIconLeft, r.top() + (r.height() - kIconSize) / 2, kIconSize,
                         kIconSize);
    tab.icon.paint(&p, iconRect, Qt::AlignCenter, mode);

    QFont titleFont = font();
    if (isCurrent)
        titleFont.setWeight(QFont::DemiBold);
    p.setFont(titleFont);
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const int textLeft = tab.icon.isNull() ? r.left() + kTextInset : iconRect.right() + 1;
    const QRect textRect(textLeft, r.top() + kTextInset, r.right() - kTextInset - textLeft + 1,
                         r.height() - 2 * kTextInset);
    p.drawText(textRect, Qt::AlignCenter | Qt::TextWordWrap, tab.parsed.baslik);

    if (tab.parsed.sayi > 0) {
        QFont badgeFont = font();
        badgeFont.setBold(true);
        p.setFont(badgeFont);
        p.setPen(kBadgeColor);
        p.drawText(r.adjusted(kBadgeInset, kBadgeInset, -kBadgeInset, -kBadgeInset),
                   Qt::AlignRight | Qt::AlignTop, QStringLiteral("(%1)").arg(tab.parsed.sayi));
    }

    if (isCurrent && hasFocus()) {
        p.setPen(QPen(kFocusFrame, 1.0, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(r).adjusted(3.5, 5.5, -3.5, -3.5), 2, 2);
    }
}

void TabControl::Bar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int i = tabAt(event->position().toPoint());
    if (i >= 0)
        select(i);
}

void TabControl::Bar::mouseMoveEvent(QMouseEvent* event) {
    const int i = tabAt(event->position().toPoint());
    if (i != hover) {
        hover = i;
        update();
    }
    QWidget::mouseMoveEvent(event);
}

void TabControl::Bar::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    int target = -1;
    switch (event->key()) {
    case Qt::Key_Left:
        target = nextVisible(current, -1, false);
        break;
    case Qt::Key_Right:
        target = nextVisible(current, 1, false);
        break;
    case Qt::Key_Home:
        target = nextVisible(-1, 1, false);
        break;
    case Qt::Key_End:
        target = nextVisible(int(tabs.size()), -1, false);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (target >= 0)
        select(target);
    event->accept();
}

void TabControl::Bar::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void TabControl::Bar::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

TabControl::TabControl(QWidget* parent)
    : QWidget(parent), m_bar(nullptr), m_stack(new QStackedWidget(this)) {
    m_bar = new Bar(this, m_stack);
    m_stack->hide(); // until there is a page to show
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar, 0);
    layout->addWidget(m_stack, 1);

    // A page deleted (or taken away) by its owner loses its tab.
    connect(m_stack, &QStackedWidget::widgetRemoved, this, [this](int index) {
        if (index >= 0 && index < count() && m_stack->indexOf(page(index)) < 0)
            m_bar->removeAt(index);
    });

    const auto cycle = [this](int step) {
        const int next = m_bar->nextVisible(m_bar->current, step, true);
        if (next >= 0)
            setCurrentIndex(next);
    };
    const auto addShortcut = [this, cycle](QKeyCombination keys, int step) {
        auto* shortcut = new QShortcut(QKeySequence(keys), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [cycle, step] { cycle(step); });
    };
    addShortcut(Qt::CTRL | Qt::Key_Tab, 1);
    // Shift+Tab arrives as Backtab from most keyboards, as Tab from some.
    addShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1);
    addShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1);
    addShortcut(Qt::CTRL | Qt::Key_PageDown, 1);
    addShortcut(Qt::CTRL | Qt::Key_PageUp, -1);
}

TabControl::~TabControl() {
    // The pages go with the stack; their tabs need no bookkeeping and no reports any more.
    removeEventFilter(m_bar);
    disconnect(m_stack, nullptr, this, nullptr);
}

int TabControl::addTab(QWidget* page, const QIcon& icon, const QString& caption) {
    if (page == nullptr)
        return -1;
    if (const int existing = indexOf(page); existing >= 0)
        return existing;
    m_stack->addWidget(page);
    Bar::Tab tab;
    tab.page = page;
    tab.icon = icon;
    tab.caption = caption;
    tab.parsed = parseCountCaption(caption);
    m_bar->tabs.push_back(std::move(tab));
    m_bar->tabsChanged();
    const int index = count() - 1;
    if (m_bar->current < 0)
        m_bar->select(index);
    else
        m_stack->setCurrentIndex(m_bar->current); // adding must not switch the visible page
    return index;
}

int TabControl::count() const {
    return int(m_bar->tabs.size());
}

QWidget* TabControl::page(int index) const {
    if (index < 0 || index >= count())
        return nullptr;
    return m_bar->tabs[std::size_t(index)].page;
}

int TabControl::indexOf(const QWidget* page) const {
    const auto& tabs = m_bar->tabs;
    const auto it = std::find_if(tabs.begin(), tabs.end(),
                                 [page](const Bar::Tab& t) { return t.page == page; });
    return it == tabs.end() ? -1 : int(it - tabs.begin());
}

void TabControl::setTabCaption(int index, const QString& caption) {
    if (index < 0 || index >= count())
        return;
    Bar::Tab& tab = m_bar->tabs[std::size_t(index)];
    tab.caption = caption;
    tab.parsed = parseCountCaption(caption);
    m_bar->update();
}

QString TabControl::tabCaption(int index) const {
    if (index < 0 || index >= count())
        return {};
    return m_bar->tabs[std::size_t(index)].caption;
}

void TabControl::setTabVisible(int index, bool visible) {
    if (index < 0 || index >= count())
        return;
    Bar::Tab& tab = m_bar->tabs[std::size_t(index)];
    if (tab.visible == visible)
        return;
    tab.visible = visible;
    if (!visible && m_bar->hover == index)
        m_bar->hover = -1;
    m_bar->tabsChanged();
    if (!visible && m_bar->current == index) {
        int next = m_bar->nextVisible(index, 1, false);
        if (next < 0)
            next = m_bar->nextVisible(index, -1, false);
        m_bar->select(next);
    } else if (visible && m_bar->current < 0) {
        m_bar->select(index);
    }
}

bool TabControl::isTabVisible(int index) const {
    return index >= 0 && index < count() && m_bar->tabs[std::size_t(index)].visible;
}

int TabControl::currentIndex() const {
    return m_bar->current;
}

QWidget* TabControl::currentPage() const {
    return page(m_bar->current);
}

void TabControl::setCurrentIndex(int index) {
    if (!isTabVisible(index))
        return;
    m_bar->select(index);
}

void TabControl::setCurrentPage(QWidget* page) {
    setCurrentIndex(indexOf(page));
}

QSize TabControl::tabSize() {
    return {kTabWidth, kTabHeight};
}

int TabControl::rowCount() const {
    return m_bar->rowsFor(width());
}

QRect TabControl::tabRect(int index) const {
    if (!isTabVisible(index))
        return {};
    // The strip spans the control's width; before the first layout its position is the origin.
    return m_bar->rectsFor(width())[std::size_t(index)].translated(m_bar->pos());
}

} // namespace vk
