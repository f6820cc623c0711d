#pragma once

// A horizontal ticker: items (simple HTML text or pictures) scroll to the left by one pixel every
// 10 ms, 5 pixels apart, with 100 pixels before the content repeats.

#include <QPixmap>
#include <QWidget>

#include <vector>

namespace vk {

class Marquee : public QWidget {
    Q_OBJECT
public:
    explicit Marquee(QWidget* parent = nullptr);
    ~Marquee() override;

    void clear();
    // HTML of the ticker's subset: FONT (FACE, SIZE, COLOR, BGCOLOR), B, STRONG, I, U, S,
    // STRIKE, SUP, SUB, SMALL, BIG, A (HREF), IMG (SRC, WIDTH, HEIGHT, HSPACE, VSPACE).
    void addHtmlItem(const QString& html);
    void addPixmapItem(const QPixmap& pixmap);
    int itemCount() const;

    void start();
    void stop();
    bool isActive() const;

    int contentWidth() const; // all items with their gaps, before the repeat gap
    int offset() const;       // how far the content has scrolled
    QSize sizeHint() const override;

    static constexpr int kStepMs = 10;
    static constexpr int kItemGap = 5;
    static constexpr int kRepeatGap = 100;

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Item;
    void rebuild();

    std::vector<Item> m_items;
    QPixmap m_strip; // the items drawn once; painting only copies from it
    int m_offset = 0;
    int m_timer = 0;
    bool m_running = false;
};

} // namespace vk
