#include "widgets/marquee.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextOption>
#include <QTimerEvent>

#include <algorithm>
#include <cmath>
#include <memory>

namespace vk {

namespace {

// Qt's rich text reads FONT's COLOR, FACE and SIZE but not BGCOLOR: pass it on as a style.
QString withFontBackgrounds(const QString& html) {
    static const QRegularExpression fontTag(QStringLiteral("<font\\b[^>]*>"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression bgcolor(
        QStringLiteral("\\bbgcolor\\s*=\\s*(\"[^\"]*\"|'[^']*'|[^\\s>]+)"),
        QRegularExpression::CaseInsensitiveOption);
    QString out;
    qsizetype last = 0;
    for (auto it = fontTag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch tag = it.next();
        out += html.mid(last, tag.capturedStart() - last);
        QString text = tag.captured();
        const QRegularExpressionMatch bg = bgcolor.match(text);
        if (bg.hasMatch()) {
            QString value = bg.captured(1);
            if (value.startsWith(u'"') || value.startsWith(u'\''))
                value = value.mid(1, value.size() - 2);
            text.replace(bg.capturedStart(), bg.capturedLength(),
                         QStringLiteral("style=\"background-color:%1\"").arg(value));
        }
        out += text;
        last = tag.capturedEnd();
    }
    out += html.mid(last);
    return out;
}

} // namespace

struct Marquee::Item {
    QString html; // empty for a picture
    QPixmap pixmap;
    QSize size; // in device-independent pixels, measured by rebuild()
};

Marquee::Marquee(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

Marquee::~Marquee() = default;

void Marquee::clear() {
    m_items.clear();
    m_offset = 0;
    rebuild();
}

void Marquee::addHtmlItem(const QString& html) {
    Item item;
    item.html = withFontBackgrounds(html);
    m_items.push_back(std::move(item));
    rebuild();
}

void Marquee::addPixmapItem(const QPixmap& pixmap) {
    Item item;
    item.pixmap = pixmap;
    m_items.push_back(std::move(item));
    rebuild();
}

int Marquee::itemCount() const {
    return int(m_items.size());
}

void Marquee::start() {
    m_running = true;
    if (isVisible() && m_timer == 0)
        m_timer = startTimer(kStepMs, Qt::PreciseTimer);
}

void Marquee::stop() {
    m_running = false;
    if (m_timer != 0) {
        killTimer(m_timer);
        m_timer = 0;
    }
}

bool Marquee::isActive() const {
    return m_running;
}

int Marquee::contentWidth() const {
    int width = 0;
    for (const Item& item : m_items)
        width += item.size.width();
    if (!m_items.empty())
        width += kItemGap * (int(m_items.size()) - 1);
    return width;
}

int Marquee::offset() const {
    return m_offset;
}

// Lays the items out once into m_strip: height of the tallest, each one centred in it.
void Marquee::rebuild() {
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = palette();
    // Plain text in the ticker's text colour, as a label would draw it.
    context.palette.setColor(QPalette::Text, palette().color(QPalette::WindowText));
    std::vector<std::unique_ptr<QTextDocument>> docs(m_items.size());
    int stripHeight = 0;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        Item& item = m_items[i];
        if (item.html.isEmpty() && !item.pixmap.isNull()) {
            item.size = item.pixmap.deviceIndependentSize().toSize();
        } else if (!item.html.isEmpty()) {
            auto doc = std::make_unique<QTextDocument>();
            doc->setDefaultFont(font());
            doc->setDocumentMargin(0);
            QTextOption option;
            option.setWrapMode(QTextOption::NoWrap);
            doc->setDefaultTextOption(option);
            doc->setHtml(item.html);
            item.size =
                QSize(int(std::ceil(doc->idealWidth())), int(std::ceil(doc->size().height())));
            docs[i] = std::move(doc);
        } else {
            item.size = QSize();
        }
        stripHeight = std::max(stripHeight, item.size.height());
    }

    const int width = contentWidth();
    const qreal dpr = devicePixelRatioF();
    if (width <= 0 || stripHeight <= 0) {
        m_strip = QPixmap();
    } else {
        m_strip = QPixmap(QSize(width, stripHeight) * dpr);
        m_strip.setDevicePixelRatio(dpr);
        m_strip.fill(Qt::transparent);
        QPainter p(&m_strip);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        int x = 0;
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            const Item& item = m_items[i];
            const int y = (stripHeight - item.size.height()) / 2;
            if (docs[i]) {
                p.save();
                p.translate(x, y);
                docs[i]->documentLayout()->draw(&p, context);
                p.restore();
            } else if (!item.pixmap.isNull()) {
                p.drawPixmap(QRect(QPoint(x, y), item.size), item.pixmap);
            }
            x += item.size.width() + kItemGap;
        }
    }
    m_offset %= contentWidth() + kRepeatGap;
    updateGeometry();
    update();
}

QSize Marquee::sizeHint() const {
    // One line of the widget's font with a little air; taller items are centred and cut.
    return {200, fontMetrics().height() + 8};
}

void Marquee::paintEvent(QPaintEvent*) {
    if (!m_strip.isNull() && !qFuzzyCompare(m_strip.devicePixelRatio(), devicePixelRatioF()))
        rebuild(); // moved to a screen of another density
    QPainter p(this);
    p.fillRect(rect(), palette().brush(backgroundRole()));
    if (m_strip.isNull())
        return;
    const int period = contentWidth() + kRepeatGap;
    const int y = (height() - int(m_strip.deviceIndependentSize().height())) / 2;
    for (int x = -m_offset; x < width(); x += period)
        p.drawPixmap(x, y, m_strip);
}

void Marquee::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_timer) {
        QWidget::timerEvent(event);
        return;
    }
    if (m_items.empty())
        return;
    m_offset = (m_offset + 1) % (contentWidth() + kRepeatGap);
    update();
}

void Marquee::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        rebuild();
}

void Marquee::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_running && m_timer == 0)
        m_timer = startTimer(kStepMs, Qt::PreciseTimer);
}

void Marquee::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (m_timer != 0) {
        killTimer(m_timer);
        m_timer = 0;
    }
}

} // namespace vk
