#pragma once

// The widget implementation of the standard message dialog: Turkish title and button captions,
// the requested button focused, centred on the window that owns it.

#include "common/dialogs.h"

#include <QFont>

#include <optional>

namespace vk {

class MessageDialogService final : public DialogService {
public:
    void setMessageFont(const QFont& font) { m_font = font; }
    DialogButton show(const DialogRequest& request) override;

private:
    std::optional<QFont> m_font;
};

// Installs one process-wide widget dialog service and returns it (for setting its font).
MessageDialogService& installMessageDialogs();

} // namespace vk
