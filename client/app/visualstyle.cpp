#include "app/visualstyle.h"

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QStyleFactory>

namespace vk {

void applyVisualStyle(QApplication& app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QColor turquoise(palette::kTurquoise);
    const QColor greyDark(palette::kGreyDark);
    QPalette p;
    p.setColor(QPalette::Window, QColor(0xF2F4F5));
    p.setColor(QPalette::WindowText, greyDark);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(0xF2F6FB));
    p.setColor(QPalette::Text, QColor(0x222A30));
    p.setColor(QPalette::Button, QColor(palette::kGreyLight));
    p.setColor(QPalette::ButtonText, greyDark);
    p.setColor(QPalette::Highlight, turquoise);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(palette::kTurquoiseDark));
    p.setColor(QPalette::ToolTipBase, QColor(0xFFFFF0));
    p.setColor(QPalette::ToolTipText, greyDark);
    p.setColor(QPalette::PlaceholderText, QColor(palette::kGreyMid));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(palette::kGreyMid));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(palette::kGreyMid));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(palette::kGreyMid));
    app.setPalette(p);

    app.setStyleSheet(QStringLiteral(
        "QPushButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FDFEFE,"
        " stop:1 #DDE3E6); border: 1px solid #AEB8BF; border-radius: 4px; padding: 5px 14px;"
        " color: #3C4650; }"
        "QPushButton:hover { border-color: #1AA6B7; }"
        "QPushButton:pressed { background: #CFE9EC; }"
        "QPushButton:focus { border: 2px solid #1AA6B7; padding: 4px 13px; }"
        "QPushButton:default { border-color: #128392; }"
        "QPushButton:disabled { color: #8A96A0; background: #EEF1F2; border-color: #CCD3D8; }"
        "QLineEdit, QPlainTextEdit, QTextEdit, QSpinBox, QDoubleSpinBox, QComboBox {"
        " border: 1px solid #AEB8BF; border-radius: 3px; padding: 3px; background: white;"
        " selection-background-color: #1AA6B7; }"
        "QLineEdit:focus, QPlainTextEdit:focus, QTextEdit:focus, QSpinBox:focus,"
        " QDoubleSpinBox:focus, QComboBox:focus { border: 2px solid #1AA6B7; padding: 2px; }"
        "QGroupBox { border: 1px solid #C5CDD2; border-radius: 4px; margin-top: 12px;"
        " padding-top: 6px; font-weight: bold; color: #3C4650; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 4px; }"
        "QToolButton { border: 1px solid transparent; border-radius: 4px; padding: 2px; }"
        "QToolButton:hover { border-color: #1AA6B7; background: #E3F4F6; }"
        "QToolButton:pressed { background: #CFE9EC; }"
        "QMenu { background: white; border: 1px solid #AEB8BF; }"
        "QMenu::item { padding: 6px 28px 6px 28px; }"
        "QMenu::item:selected { background: #1AA6B7; color: white; }"
        "QMenu::item:disabled { color: #8A96A0; }"
        "QMenu::separator { height: 1px; background: #D5DBDF; margin: 4px 8px; }"
        "QProgressBar { border: 1px solid #AEB8BF; border-radius: 3px; background: white;"
        " text-align: center; color: #3C4650; }"
        "QProgressBar::chunk { background: #1AA6B7; }"
        "QCheckBox { color: #3C4650; }"
        "QToolTip { border: 1px solid #AEB8BF; }"));
}

} // namespace vk
