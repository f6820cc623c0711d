#include "widgets/busyindicator.h"

#include <QPainter>
#include <QTimerEvent>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vk {

namespace {

constexpr int kDots = 12;
constexpr int kStepMs = 80;
const QColor kTurquoise(0x1A, 0xA6, 0xB7);

} // namespace

BusyIndicator::BusyIndicator(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    hide();
}

BusyIndicator::~BusyIndicator() = default;

void BusyIndicator::start() {
    m_running = true;
    show();
    updateTimer();
}

void BusyIndicator::stop() {
    m_running = false;
    hide();
    updateTimer();
}

bool BusyIndicator::isRunning() const {
    return m_running;
}

QSize BusyIndicator::sizeHint() const {
    return {24, 24};
}

// The timer ticks only while the spinner runs and can be seen.
void BusyIndicator::updateTimer() {
    const bool animate = m_running && isVisible();
    if (animate && m_timer == 0) {
        m_timer = startTimer(kStepMs);
    } else if (!animate && m_timer != 0) {
        killTimer(m_timer);
        m_timer = 0;
    }
}

void BusyIndicator::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateTimer();
}

void BusyIndicator::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    updateTimer();
}

void BusyIndicator::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_timer) {
        QWidget::timerEvent(event);
        return;
    }
    m_step = (m_step + 1) % kDots;
    update();
}

void BusyIndicator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(width(), height());
    const qreal dot = side / 7.0;
    const qreal radius = side / 2.0 - dot / 2.0 - 0.5;
    p.translate(width() / 2.0, height() / 2.0);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < kDots; ++i) {
        // The head dot is solid; the ones behind it fade out.
        const int age = (m_step - i + kDots) % kDots;
        QColor c = kTurquoise;
        c.setAlphaF(float(std::max(0.15, 1.0 - age / double(kDots - 2))));
        p.setBrush(c);
        const qreal angle = 2.0 * std::numbers::pi * i / kDots - std::numbers::pi / 2.0;
        const qreal size = dot * (age == 0 ? 1.15 : 1.0);
        p.drawEllipse(QPointF(radius * std::cos(angle), radius * std::sin(angle)), size / 2.0,
                      size / 2.0);
    }
}

} // namespace vk
