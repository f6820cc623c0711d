#include "catalogue/discount.h"

#include "common/utils.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

DiscountChain IndirimHesapla(double gross, double ind1, double ind2, double ind3, double ind4,
                             double quantity) {
    double t = gross;
    for (double rate : {ind1, ind2, ind3, ind4}) {
        if (rate > 0)
            t = t - t * rate / 100;
    }
    DiscountChain r;
    r.discountAmount = gross - t;
    r.net = IkiHaneYuvarla(t);
    r.netUnitPrice = quantity != 0 ? IkiHaneYuvarla(r.net / quantity) : 0.0;
    return r;
}

QString discountRatesText(double ind1, double ind2, double ind3, double ind4) {
    static const QLocale turkish(QLocale::Turkish);
    QString text;
    for (double rate : {ind1, ind2, ind3, ind4}) {
        if (!(rate > 0))
            continue;
        if (!text.isEmpty())
            text.append(u'+');
        const double r = IkiHaneYuvarla(rate);
        // Whole rates, nearly all of them, need no locale.
        if (r == std::floor(r) && r < 1e15)
            text.append(QString::number(qint64(r)));
        else
            text.append(turkish.toString(r, 'g', 15));
    }
    return text;
}

LineAmounts basketLineAmounts(double miktar, double birimFiyat, double kdv, double ind1,
                              double ind2, double ind3, double ind4) {
    LineAmounts a;
    a.tutar = IkiHaneYuvarla(miktar * birimFiyat);
    const DiscountChain c = IndirimHesapla(a.tutar, ind1, ind2, ind3, ind4, miktar);
    a.netTutar = c.net;
    a.indirimTutar = IkiHaneYuvarla(a.tutar - a.netTutar);
    a.netBirimFiyat = c.netUnitPrice;
    a.vergiTutari = IkiHaneYuvarla(a.netTutar * kdv / 100);
    return a;
}
