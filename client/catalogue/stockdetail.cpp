#include "catalogue/stockdetail.h"

#include "catalogue/discount.h"
#include "common/utils.h"
#include "server/memtable.h"

#include <algorithm>
#include <cmath>

namespace {

double number(const vk::MemTable& t, const char* field) {
    const int c = t.fieldIndex(QString::fromLatin1(field));
    return c < 0 || t.currentRow() < 0 ? 0.0 : t.value(t.currentRow(), c).toDouble();
}

QString text(const vk::MemTable& t, const char* field) {
    const int c = t.fieldIndex(QString::fromLatin1(field));
    return c < 0 || t.currentRow() < 0 ? QString() : t.displayText(t.currentRow(), c);
}

} // namespace

DetailValues detailValues(DetailMode mode, const vk::MemTable& t, const vk::UserType& user) {
    DetailValues v;
    v.barkod = text(t, "BARKOD");
    v.finishkod = text(t, "FINISHKOD");
    v.marka = text(t, "MARKA");
    v.model = text(t, "MODEL");
    v.pictureFromServer = mode == DetailMode::NewStock || mode == DetailMode::Campaign;
    v.priceEditable = user.isRepresentative() && mode != DetailMode::Campaign;

    if (mode == DetailMode::BasketLine) {
        v.adi = text(t, "STOKADI");
        v.stokno = int(number(t, "STOKNO"));
        v.kdvoran = number(t, "KDV");
        v.ind1 = number(t, "INDIRIMORANI1");
        v.ind2 = number(t, "INDIRIMORANI2");
        v.ind3 = number(t, "INDIRIMORANI3");
        v.ind4 = number(t, "INDIRIMORANI4");
        v.discountLabel = QStringLiteral("İndirim: %") + text(t, "INDIRIMYAZI");
        v.birimfiyat = number(t, "BIRIMFIYAT");
        v.indtutar = number(t, "INDIRIMTUTAR");
        v.kdvdahiltutar = IkiHaneYuvarla(number(t, "NETBIRIMFIYAT") * (v.kdvoran / 100 + 1));
        v.kdvlifiyat = v.kdvdahiltutar;
        v.quantity = std::trunc(number(t, "MIKTAR"));
        return v;
    }

    v.adi = text(t, "ADI");
    v.stokno = int(number(t, "STOK_STOKNO"));
    const int k = int(number(t, "K"));
    auto fillPlain = [&] {
        v.kdvoran = number(t, "KDV");
        v.ind1 = number(t, "IND1");
        v.ind2 = number(t, "IND2");
        v.ind3 = number(t, "IND3");
        v.ind4 = number(t, "IND4");
        v.birimfiyat = number(t, "FIYAT");
        v.indtutar = number(t, "NETFIYAT");
        v.kdvlifiyat = number(t, "KDVDAHIL");
    };
    auto campaignVariant = [&] {
        v.priceLabel = QStringLiteral("Kampanyalı Fiyat:");
        v.discountLabel = QStringLiteral("Kampanyalı ") + text(t, "INDIRIMYAZI");
    };
    switch (mode) {
    case DetailMode::StockList:
        // A negative campaign flag leaves amounts, rates and labels as they start.
        if (k >= 0) {
            fillPlain();
            v.kdvdahiltutar = number(t, "KDVDAHIL");
            if (k == 0)
                v.discountLabel = QStringLiteral("İndirim: %") + text(t, "INDIRIMYAZI");
            else
                campaignVariant();
        }
        break;
    case DetailMode::NewStock:
        fillPlain();
        v.discountLabel = QStringLiteral("İndirim:  % ") + text(t, "INDIRIMYAZI");
        v.kdvdahiltutar = IkiHaneYuvarla(number(t, "NETFIYAT") * (v.kdvoran / 100 + 1));
        if (k > 0) {
            campaignVariant();
            v.kdvdahiltutar = number(t, "KDVDAHIL");
        }
        break;
    case DetailMode::Campaign:
        fillPlain();
        campaignVariant();
        v.kdvdahiltutar = number(t, "KDVDAHIL");
        break;
    case DetailMode::BasketLine: break;
    }
    return v;
}

double tutarHesapla(double quantity, double kdvlifiyat) {
    return IkiHaneYuvarla(quantity * kdvlifiyat);
}

DetailAmounts yenidenHesapla(double birimfiyat, int quantity, double kdvoran, double ind1,
                             double ind2, double ind3, double ind4) {
    const double gross = birimfiyat * quantity;
    const DiscountChain c = IndirimHesapla(gross, ind1, ind2, ind3, ind4, quantity);
    DetailAmounts a;
    a.indtutar = c.discountAmount;
    a.kdvdahiltutar = IkiHaneYuvarla(c.netUnitPrice * (1 + kdvoran / 100));
    a.geneltutar = IkiHaneYuvarla(a.kdvdahiltutar * quantity);
    return a;
}

int wholeQuantity(const QString& text, const QLocale& locale) {
    bool ok = false;
    const double v = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return 1;
    return int(std::clamp(std::trunc(v), -1e9, 1e9));
}

double clampQuantity(double quantity) {
    return std::clamp(quantity, 1.0, 10000.0);
}
