#include "widgets/radiogroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

#include <algorithm>

namespace vk {

namespace {
constexpr int kFrameWidth = 2; // the group frame on either side
}

RadioGroup::RadioGroup(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent), m_group(new QButtonGroup(this)), m_layout(new QGridLayout(this)) {
    m_layout->setContentsMargins(8, 4, 4, 4);
    m_layout->setVerticalSpacing(2);
    m_layout->setRowStretch(64, 1); // the buttons stay at the top
    connect(m_group, &QButtonGroup::idClicked, this, [this](int index) { emit clicked(index); });
}

void RadioGroup::clear() {
    for (QRadioButton* b : std::as_const(m_buttons)) {
        m_group->removeButton(b);
        delete b;
    }
    m_buttons.clear();
    m_ids.clear();
}

void RadioGroup::addItem(const QString& text, int id) {
    auto* b = new QRadioButton(text, this);
    b->setToolTip(text);
    const int index = int(m_buttons.size());
    m_group->addButton(b, index);
    m_layout->addWidget(b, index, 0);
    m_buttons.append(b);
    m_ids.append(id);
}

QString RadioGroup::itemText(int index) const {
    return index >= 0 && index < m_buttons.size() ? m_buttons[index]->text() : QString();
}

int RadioGroup::itemId(int index) const {
    return index >= 0 && index < m_ids.size() ? m_ids[index] : -1;
}

int RadioGroup::widthForTexts() const {
    int widest = fontMetrics().horizontalAdvance(title()) + 16;
    for (const QRadioButton* b : m_buttons)
        widest = std::max(widest, b->sizeHint().width());
    const QMargins m = m_layout->contentsMargins();
    return widest + m.left() + m.right() + 2 * kFrameWidth;
}

int RadioGroup::itemIndex() const {
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (index >= 0 && index < m_buttons.size()) {
        m_buttons[index]->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; let go of it for the moment.
    m_group->setExclusive(false);
    for (QRadioButton* b : std::as_const(m_buttons))
        b->setChecked(false);
    m_group->setExclusive(true);
}

} // namespace vk
