#pragma once

// A small animated busy indicator, hidden while idle.

#include <QWidget>

namespace vk {

class BusyIndicator : public QWidget {
    Q_OBJECT
public:
    explicit BusyIndicator(QWidget* parent = nullptr);
    ~BusyIndicator() override;

    void start(); // shows and animates
    void stop();  // stops and hides
    bool isRunning() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void updateTimer();

    bool m_running = false;
    int m_timer = 0;
    int m_step = 0;
};

} // namespace vk
