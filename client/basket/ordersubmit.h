#pragma once

// The rules of sending the basket as an order: the checks of "Gönder" in their order, the
// confirmation summary, the chosen cargo firm, and the address of the card-payment page.

#include <QString>
#include <QUrl>

namespace vk {
class MemTable;
}

// What "Gönder" looks at before anything is sent.
struct OrderChoices {
    bool hasSelectedLine = false; // SeciliSatirVarmi on the basket
    bool deliveryChosen = false;
    bool cargoTypeChosen = false;
    QString cargoFirm; // the firm list's text; the blank first entry is a single space
};

enum class OrderCheck { Passed, NoLine, NoDelivery, NoCargoType, NoCargoFirm };

// The first check that fails, in the order the user is told about them.
OrderCheck checkOrder(const OrderChoices& choices);
// The warning of a failed check; empty for Passed.
QString orderCheckMessage(OrderCheck check);

struct OrderSummary {
    QString user;       // sbilgi.ADI
    QString customer;   // sbilgi.CariAdi
    QString delivery;   // the chosen delivery option's text
    QString cargoType;  // the chosen cargo type's text
    QString amount;     // "Genel Toplam:" as shown
    QString cargoFirm;  // the chosen firm's text
    QString note;       // as typed
};
// Seven lines joined by CR LF, the captions padded so that the colons line up.
QString orderSummaryText(const OrderSummary& s);

// The first row of the cargo-firm table whose ADI is exactly name; -1 when there is none.
int cargoFirmRow(const vk::MemTable& kargo, const QString& name);

// The card-payment page for a customer and balance, every value percent-encoded as a query value
// so that "&", "#", spaces and Turkish letters in a name or a balance stay inside their value.
QUrl paymentPageUrl(const QString& host, int carino, const QString& cariAdi, const QString& balance);
