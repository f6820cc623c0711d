#include "common/messagedialog.h"

#include <QApplication>
#include <QHash>
#include <QMessageBox>
#include <QPushButton>

namespace vk {

namespace {

QMessageBox::ButtonRole roleOf(DialogButton b) {
    switch (b) {
    case DialogButton::Yes:
    case DialogButton::YesToAll:
    case DialogButton::All:
        return QMessageBox::YesRole;
    case DialogButton::No:
    case DialogButton::NoToAll:
        return QMessageBox::NoRole;
    case DialogButton::OK:
    case DialogButton::Retry:
    case DialogButton::Ignore:
        return QMessageBox::AcceptRole;
    case DialogButton::Cancel:
    case DialogButton::Abort:
    case DialogButton::Close:
        return QMessageBox::RejectRole;
    case DialogButton::Help:
        return QMessageBox::HelpRole;
    }
    return QMessageBox::AcceptRole;
}

QMessageBox::Icon iconOf(DialogKind kind) {
    switch (kind) {
    case DialogKind::Warning:
        return QMessageBox::Warning;
    case DialogKind::Error:
        return QMessageBox::Critical;
    case DialogKind::Information:
        return QMessageBox::Information;
    case DialogKind::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// The button that closing the window (Escape, the close box) stands for.
DialogButton escapeOf(const DialogRequest& r) {
    for (DialogButton b : {DialogButton::Cancel, DialogButton::No, DialogButton::Close,
                           DialogButton::Abort, DialogButton::OK}) {
        if (r.buttons.contains(b))
            return b;
    }
    return r.focus;
}

} // namespace

DialogButton MessageDialogService::show(const DialogRequest& request) {
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    QMessageBox box(owner);
    box.setWindowTitle(request.plain ? QApplication::applicationDisplayName()
                                     : dialogTitle(request.kind));
    box.setText(request.message);
    box.setIcon(request.plain ? QMessageBox::NoIcon : iconOf(request.kind));
    box.setWindowModality(Qt::ApplicationModal);
    if (m_font)
        box.setFont(*m_font);

    QHash<QAbstractButton*, DialogButton> answers;
    QPushButton* focus = nullptr;
    QPushButton* escape = nullptr;
    const DialogButton escapeButton = escapeOf(request);
    for (DialogButton b : request.buttons.list()) {
        QPushButton* pb = box.addButton(dialogButtonText(b), roleOf(b));
        answers.insert(pb, b);
        if (b == request.focus)
            focus = pb;
        if (b == escapeButton)
            escape = pb;
    }
    if (focus) {
        box.setDefaultButton(focus);
        focus->setFocus();
    }
    if (escape)
        box.setEscapeButton(escape);

    if (!request.plain)
        QApplication::beep();
    box.exec();
    return answers.value(box.clickedButton(), escapeButton);
}

MessageDialogService& installMessageDialogs() {
    static MessageDialogService service;
    setDialogService(&service);
    return service;
}

} // namespace vk
