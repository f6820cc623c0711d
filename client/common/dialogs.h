#pragma once

// The standard message dialog as a replaceable service: the program installs the widget dialog,
// tests install one that records the request and answers it.

#include <QList>
#include <QString>

namespace vk {

// Message kinds; the values are the codes callers pass.
enum class DialogKind { Warning = 0, Error = 1, Information = 2, Question = 3 };

// Buttons; the values are also the focus codes.
enum class DialogButton {
    Yes = 0,
    No = 1,
    OK = 2,
    Cancel = 3,
    Abort = 4,
    Retry = 5,
    Ignore = 6,
    All = 7,
    NoToAll = 8,
    YesToAll = 9,
    Help = 10,
    Close = 11,
};

class DialogButtons {
public:
    constexpr DialogButtons() = default;
    constexpr DialogButtons(DialogButton b) : m_bits(bit(b)) {}
    constexpr DialogButtons operator|(DialogButtons o) const { return fromBits(m_bits | o.m_bits); }
    constexpr bool contains(DialogButton b) const { return (m_bits & bit(b)) != 0; }
    constexpr bool isEmpty() const { return m_bits == 0; }
    QList<DialogButton> list() const; // in the order the dialog shows them
    constexpr bool operator==(const DialogButtons&) const = default;

private:
    static constexpr unsigned bit(DialogButton b) { return 1u << static_cast<int>(b); }
    static constexpr DialogButtons fromBits(unsigned bits) {
        DialogButtons d;
        d.m_bits = bits;
        return d;
    }
    unsigned m_bits = 0;
};

constexpr DialogButtons operator|(DialogButton a, DialogButton b) {
    return DialogButtons(a) | DialogButtons(b);
}

struct DialogRequest {
    QString message;
    DialogKind kind = DialogKind::Information;
    DialogButtons buttons = DialogButton::OK;
    DialogButton focus = DialogButton::OK;
    bool plain = false; // a plain message box: the program's title, no icon, OK only
};

// A plain message box with the text, through the installed service.
void showPlainMessage(const QString& message);

QString dialogTitle(DialogKind kind);     // "Uyarı", "Hata", "Bilgi", "Soru"
QString dialogButtonText(DialogButton b); // "Evet", "Hayır", "Tamam", …

class DialogService {
public:
    virtual ~DialogService() = default;
    // Shows the dialog modally and returns the button that closed it.
    virtual DialogButton show(const DialogRequest& request) = 0;
};

// The installed service. Without one, messages go to standard error and the focus button is the
// answer (a program without a user interface).
DialogService& dialogService();
// Installs a service (not owned); nullptr restores the default. Returns the previous one.
DialogService* setDialogService(DialogService* service);

} // namespace vk
