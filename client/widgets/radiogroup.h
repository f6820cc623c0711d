#pragma once

// A captioned group of radio buttons, each carrying an integer id; at most one is chosen, and
// "none chosen" is a state of its own (a cleared choice stays cleared until the user clicks).

#include <QGroupBox>
#include <QList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace vk {

class RadioGroup final : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(const QString& caption, QWidget* parent = nullptr);

    void clear();
    void addItem(const QString& text, int id);
    int count() const { return int(m_buttons.size()); }
    QString itemText(int index) const;
    int itemId(int index) const;

    int itemIndex() const; // -1 when none is chosen
    void setItemIndex(int index); // -1 clears the choice
    QString chosenText() const { return itemText(itemIndex()); }
    int chosenId() const { return itemId(itemIndex()); }
    QRadioButton* button(int index) const { return m_buttons.value(index); }
    int widthForTexts() const; // the width that shows every option's text whole

signals:
    void clicked(int index); // by the user, after the choice changed

private:
    QButtonGroup* m_group;
    QGridLayout* m_layout;
    QList<QRadioButton*> m_buttons;
    QList<int> m_ids;
};

} // namespace vk
