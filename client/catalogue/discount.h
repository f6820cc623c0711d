#pragma once

// The price arithmetic of articles and basket lines: the chain of four discount rates and the
// amounts derived from it. The client shows these, the server computes its lines with them.

#include <QString>

// IndirimHesapla: the rates are applied one after another to what is left (a rate of 0 or less
// is skipped). The discount amount is not rounded; net and net unit price are (two decimals).
struct DiscountChain {
    double discountAmount = 0; // gross − what is left
    double net = 0;            // what is left, rounded
    double netUnitPrice = 0;   // net / quantity, rounded; 0 when the quantity is 0
};
DiscountChain IndirimHesapla(double gross, double ind1, double ind2, double ind3, double ind4,
                             double quantity);

// The rates as the lists show them: "25+10+5" or "12,5" (rates above 0, shortest Turkish
// decimal form), "" when none.
QString discountRatesText(double ind1, double ind2, double ind3, double ind4);

// A basket line's amounts from what it holds.
struct LineAmounts {
    double tutar = 0;         // quantity × unit price, rounded
    double indirimTutar = 0;  // tutar − nettutar
    double netTutar = 0;      // tutar after the discount chain, rounded
    double netBirimFiyat = 0; // nettutar / quantity, rounded
    double vergiTutari = 0;   // nettutar × VAT rate, rounded
};
LineAmounts basketLineAmounts(double miktar, double birimFiyat, double kdv, double ind1,
                              double ind2, double ind3, double ind4);
