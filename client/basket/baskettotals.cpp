#include "basket/baskettotals.h"

#include "common/utils.h"
#include "server/memtable.h"

BasketTotals SepetToplamHesapla(const vk::MemTable& sepet) {
    BasketTotals t;
    const int sec = sepet.fieldIndex(u"SEC");
    const int tutar = sepet.fieldIndex(u"TUTAR");
    const int indirim = sepet.fieldIndex(u"INDIRIMTUTAR");
    const int vergi = sepet.fieldIndex(u"VERGITUTARI");
    if (sepet.active() && sec >= 0) {
        for (int row = 0; row < sepet.recordCount(); ++row) {
            if (sepet.value(row, sec).toInt() != 1)
                continue;
            auto cell = [&](int c) { return c < 0 ? 0.0 : sepet.value(row, c).toDouble(); };
            t.toplam = IkiHaneYuvarla(t.toplam + cell(tutar));
            t.indirim = IkiHaneYuvarla(t.indirim + cell(indirim));
            t.vergi = IkiHaneYuvarla(t.vergi + cell(vergi));
        }
    }
    t.araToplam = IkiHaneYuvarla(t.toplam - t.indirim);
    t.genelToplam = IkiHaneYuvarla(t.araToplam + t.vergi);
    t.showIndirim = t.indirim > 1;
    t.showVergi = t.vergi > 1;
    return t;
}

bool SeciliSatirVarmi(const vk::MemTable& sepet) {
    const int sec = sepet.fieldIndex(u"SEC");
    if (!sepet.active() || sec < 0)
        return false;
    for (int row = 0; row < sepet.recordCount(); ++row) {
        if (sepet.value(row, sec).toInt() == 1)
            return true;
    }
    return false;
}

bool basketUsesWeights(int screenWidth) {
    return screenWidth > 1152;
}
