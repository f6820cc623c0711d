#pragma once

// The stock detail's rules apart from its dialog: what each of the four modes fills in from its
// source row, and the recalculations as the quantity or a price changes.

#include "common/usertype.h"

#include <QString>

namespace vk {
class MemTable;
}

enum class DetailMode { BasketLine, StockList, NewStock, Campaign };

struct DetailValues {
    QString barkod, adi, finishkod, marka, model;
    int stokno = 0;
    double kdvoran = 0;
    double ind1 = 0, ind2 = 0, ind3 = 0, ind4 = 0;
    double kdvlifiyat = 0;
    QString priceLabel = QStringLiteral("Fiyat:");
    QString discountLabel = QStringLiteral("İndirim:");
    double birimfiyat = 0;
    double indtutar = 0;
    double kdvdahiltutar = 0;
    double quantity = 1;         // as the source has it; the dialog brings it into 1..10000
    bool priceEditable = false;  // the unit price may be typed over
    bool pictureFromServer = false;
};

// The values of the source table's current row for a mode.
DetailValues detailValues(DetailMode mode, const vk::MemTable& source, const vk::UserType& user);

// TutarHesapla: the total for the quantity at the VAT-inclusive price.
double tutarHesapla(double quantity, double kdvlifiyat);

// YenidenHesapla: the discount amount, the VAT-inclusive unit price and the total for a unit
// price and a whole-number quantity.
struct DetailAmounts {
    double indtutar = 0;
    double kdvdahiltutar = 0;
    double geneltutar = 0;
};
DetailAmounts yenidenHesapla(double birimfiyat, int quantity, double kdvoran, double ind1,
                             double ind2, double ind3, double ind4);

// The quantity box: its whole-number value (1 when the text is not a number), and a value
// brought into 1..10000.
int wholeQuantity(const QString& text, const QLocale& locale = QLocale());
double clampQuantity(double quantity);
