#pragma once

// The stock list's rules apart from its window: the search text's length, the wide and narrow
// layouts, and the price-information cell.

#include <QLocale>
#include <QString>

// A search needs at least three characters once the blanks around them are gone.
bool searchTextLongEnough(const QString& text);

// StokKolonDuzenle: the main window wider than 1152 pixels gets the wide layout.
struct StockListLayout {
    bool wide = false;
    int rowHeight = 100;
    bool priceColumns = false;  // "KDV Dahil Fiyat", "Net Fiyatı", "Liste Fiyatı" (LISTEFIYAT1)
    bool campaignPrice = false; // "Kampanyalı Fiyat"
    bool priceInfo = true;      // "Fiyat Bilgisi"
};
StockListLayout stockListLayout(int windowWidth, bool seesCampaigns);

// The lines of the "Fiyat Bilgisi" cell, each ending in a line break; the campaign line only
// when there is a campaign price.
QString priceInfoText(double listPrice, double campaignPrice, double netPrice, double vatPrice,
                      const QLocale& locale = QLocale());
// Its background as 0xRRGGBB: selected, or by the row's record index (counted from 0) odd or even.
quint32 priceInfoBackground(bool selected, int recordIndex);
