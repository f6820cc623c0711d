#include "basket/ordersubmit.h"

#include "server/memtable.h"

#include <QStringList>

OrderCheck checkOrder(const OrderChoices& choices) {
    if (!choices.hasSelectedLine)
        return OrderCheck::NoLine;
    if (!choices.deliveryChosen)
        return OrderCheck::NoDelivery;
    if (!choices.cargoTypeChosen)
        return OrderCheck::NoCargoType;
    if (choices.cargoFirm.isEmpty() || choices.cargoFirm == QStringLiteral(" "))
        return OrderCheck::NoCargoFirm;
    return OrderCheck::Passed;
}

QString orderCheckMessage(OrderCheck check) {
    switch (check) {
    case OrderCheck::Passed:
        return {};
    case OrderCheck::NoLine:
        return QStringLiteral("Gönderilecek Parça Yok ");
    case OrderCheck::NoDelivery:
        return QStringLiteral("Lütfen Teslim Durumu Seçiniz !");
    case OrderCheck::NoCargoType:
        return QStringLiteral("Lütfen Kargo Türünü Seçiniz !");
    case OrderCheck::NoCargoFirm:
        return QStringLiteral("Lütfen Kargo  Seçiniz !");
    }
    return {};
}

QString orderSummaryText(const OrderSummary& s) {
    return QStringList{QStringLiteral("Kullanıcı: ") + s.user,
                       QStringLiteral("Cari     : ") + s.customer,
                       QStringLiteral("Teslim   : ") + s.delivery,
                       QStringLiteral("Kargo    : ") + s.cargoType,
                       QStringLiteral("Tutar    : ") + s.amount,
                       QStringLiteral("Kargo    : ") + s.cargoFirm,
                       QStringLiteral("Açıklama : ") + s.note}
        .join(QStringLiteral("\r\n"));
}

int cargoFirmRow(const vk::MemTable& kargo, const QString& name) {
    const int adi = kargo.fieldIndex(u"ADI");
    if (adi < 0)
        return -1;
    for (int row = 0; row < kargo.recordCount(); ++row) {
        if (kargo.value(row, adi).toString() == name)
            return row;
    }
    return -1;
}

QUrl paymentPageUrl(const QString& host, int carino, const QString& cariAdi,
                    const QString& balance) {
    const QByteArray query = "carino=" + QByteArray::number(carino) +
                             "&sube=MERKEZ&firmasi=" + QUrl::toPercentEncoding(cariAdi) +
                             "&bakiye=" + QUrl::toPercentEncoding(balance);
    return QUrl::fromEncoded("https://" + QUrl::toPercentEncoding(host, ".:-[]") +
                                 "/Ravlokart.html?" + query,
                             QUrl::StrictMode);
}
