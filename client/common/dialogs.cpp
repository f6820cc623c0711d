#include "common/dialogs.h"

#include <cstdio>

namespace vk {

QList<DialogButton> DialogButtons::list() const {
    QList<DialogButton> out;
    for (int b = static_cast<int>(DialogButton::Yes); b <= static_cast<int>(DialogButton::Close);
         ++b) {
        if (contains(static_cast<DialogButton>(b)))
            out.append(static_cast<DialogButton>(b));
    }
    return out;
}

QString dialogTitle(DialogKind kind) {
    switch (kind) {
    case DialogKind::Warning:
        return QStringLiteral("Uyarı");
    case DialogKind::Error:
        return QStringLiteral("Hata");
    case DialogKind::Information:
        return QStringLiteral("Bilgi");
    case DialogKind::Question:
        return QStringLiteral("Soru");
    }
    return {};
}

QString dialogButtonText(DialogButton b) {
    switch (b) {
    case DialogButton::Yes:
        return QStringLiteral("Evet");
    case DialogButton::No:
        return QStringLiteral("Hayır");
    case DialogButton::OK:
        return QStringLiteral("Tamam");
    case DialogButton::Cancel:
        return QStringLiteral("Vazgeç");
    case DialogButton::Abort:
        return QStringLiteral("İptal");
    case DialogButton::Retry:
        return QStringLiteral("Tekrar");
    case DialogButton::Ignore:
        return QStringLiteral("Atla");
    case DialogButton::All:
        return QStringLiteral("Tümü");
    case DialogButton::NoToAll:
        return QStringLiteral("Tümüne Hayır");
    case DialogButton::YesToAll:
        return QStringLiteral("Tümüne Evet");
    case DialogButton::Help:
        return QStringLiteral("Yardım");
    case DialogButton::Close:
        return QStringLiteral("Kapat");
    }
    return {};
}

namespace {

class ConsoleDialogService final : public DialogService {
public:
    DialogButton show(const DialogRequest& request) override {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(dialogTitle(request.kind)),
                     qUtf8Printable(request.message));
        return request.focus;
    }
};

ConsoleDialogService g_console;
DialogService* g_service = nullptr;

} // namespace

void showPlainMessage(const QString& message) {
    DialogRequest r;
    r.message = message;
    r.plain = true;
    dialogService().show(r);
}

DialogService& dialogService() {
    return g_service ? *g_service : g_console;
}

DialogService* setDialogService(DialogService* service) {
    DialogService* previous = g_service;
    g_service = service;
    return previous;
}

} // namespace vk
