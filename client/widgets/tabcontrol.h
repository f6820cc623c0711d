#pragma once

// The main window's page control: large tabs (120 × 45, a 32 × 32 icon, the title wrapped and
// centred) in as many rows as the width needs, with count captions ("12=Sepet" shows "Sepet"
// with a "(12)" badge in the top right corner).

#include <QIcon>
#include <QWidget>

class QStackedWidget;

namespace vk {

class TabControl : public QWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent = nullptr);
    ~TabControl() override;

    int addTab(QWidget* page, const QIcon& icon, const QString& caption);
    int count() const;
    QWidget* page(int index) const;
    int indexOf(const QWidget* page) const;

    // The caption may be a count caption "n=title".
    void setTabCaption(int index, const QString& caption);
    QString tabCaption(int index) const;
    void setTabVisible(int index, bool visible); // a hidden tab takes no place and cannot be chosen
    bool isTabVisible(int index) const;

    int currentIndex() const;
    QWidget* currentPage() const;
    void setCurrentIndex(int index);
    void setCurrentPage(QWidget* page);

    // Layout, for tests and for windows that need to know.
    static QSize tabSize(); // 120 × 45
    int rowCount() const;
    QRect tabRect(int index) const; // in this widget's coordinates; empty for hidden tabs

signals:
    void currentChanged(int index);
    void tabShown(int index);  // the page became the visible page
    void tabHidden(int index); // the page stopped being the visible page

private:
    class Bar;
    Bar* m_bar;
    QStackedWidget* m_stack;
};

} // namespace vk
