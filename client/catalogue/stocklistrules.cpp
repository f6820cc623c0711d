#include "catalogue/stocklistrules.h"

#include "common/numberformat.h"

namespace {
const QString kAmount = QStringLiteral("#,###,##0.00");
}

bool searchTextLongEnough(const QString& text) {
    return text.trimmed().size() >= 3;
}

StockListLayout stockListLayout(int windowWidth, bool seesCampaigns) {
    StockListLayout l;
    l.wide = windowWidth > 1152;
    l.rowHeight = l.wide ? 60 : 100;
    l.priceColumns = l.wide;
    l.campaignPrice = l.wide && seesCampaigns;
    l.priceInfo = !l.wide;
    return l;
}

QString priceInfoText(double listPrice, double campaignPrice, double netPrice, double vatPrice,
                      const QLocale& locale) {
    const QString br = QStringLiteral("\r\n");
    QString text = QStringLiteral("Liste Fiyatı: ") + vk::formatFloat(kAmount, listPrice, locale) + br;
    if (campaignPrice > 0)
        text += QStringLiteral("Kampanyalı Fiyat: ") + vk::formatFloat(kAmount, campaignPrice, locale) + br;
    text += QStringLiteral("NetFiyat: ") + vk::formatFloat(kAmount, netPrice, locale) + br;
    text += QStringLiteral("KDV li Fiyat: ") + vk::formatFloat(kAmount, vatPrice, locale) + br;
    return text;
}

quint32 priceInfoBackground(bool selected, int recordIndex) {
    if (selected)
        return 0xD5E8FF; // 213, 232, 255
    return recordIndex % 2 == 1 ? 0xFBFBF3 : 0xF2F6FB; // 251, 251, 243 and 242, 246, 251
}
