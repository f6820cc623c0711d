#include "handlers/access.h"

#include "catalogue/discount.h"
#include "common/errors.h"
#include "server/baglantiu.h"
#include "store/store.h"

#include <cmath>

namespace vk::server {

namespace {

[[noreturn]] void refuse() {
    throw vk::Error(QStringLiteral("Bu işlem için yetkiniz yok"));
}

} // namespace

Caller callerActingFor(Store& store, const TSonucBilgisi* record, int carino) {
    if (!record)
        refuse();
    Sql user(store,
             QStringLiteral("SELECT k.sirano, k.tip, COALESCE(k.carino, 0)"
                            " FROM bilgisayar b"
                            " JOIN kullanici k ON k.sirano = b.kullanici_sirano"
                            " WHERE b.bilgisayarid = ? AND k.aktif = 1"),
             {record->BILGISAYARID()});
    user.exec();
    if (!user.next())
        refuse();
    Caller c;
    c.user = user.value(0).toInt();
    c.type = user.value(1).toInt();
    if (!c.representative() && user.value(2).toInt() != carino)
        refuse();
    Sql dealer(store,
               QStringLiteral("SELECT iskonto_sinifi FROM cari WHERE carino = ? AND aktif = 1"),
               {carino});
    const QVariant discountClass = dealer.exec().scalar();
    if (!discountClass.isValid())
        refuse();
    c.discountClass = discountClass.toInt();
    return c;
}

ArticleTerms articleTerms(double listPrice, double campaignPrice, int campaign,
                          const Rates& classRates, bool seesCampaigns) {
    ArticleTerms t;
    t.listPrice = listPrice;
    t.campaignPrice = seesCampaigns ? campaignPrice : 0;
    t.campaign = seesCampaigns ? campaign : 0;
    if (t.campaign > 0) {
        t.price = t.campaignPrice;
    } else {
        t.price = listPrice;
        t.rates = classRates;
    }
    return t;
}

QString discountText(bool campaign, double listPrice, double price, const Rates& rates) {
    if (!campaign)
        return discountRatesText(rates[0], rates[1], rates[2], rates[3]);
    if (listPrice <= 0)
        return QString();
    return QString::number(std::lround((listPrice - price) / listPrice * 100));
}

Article articleFor(Store& store, int stokno, const Caller& caller) {
    Sql q(store,
          QStringLiteral("SELECT s.barkod, s.adi, s.kdv, s.listefiyat, s.kampfiyat,"
                         " s.kampanya, COALESCE(si.ind1, ig.ind1, 0),"
                         " COALESCE(si.ind2, ig.ind2, 0), COALESCE(si.ind3, ig.ind3, 0),"
                         " COALESCE(si.ind4, ig.ind4, 0)"
                         " FROM stok s"
                         " LEFT JOIN stok_iskonto si ON si.stokno = s.stokno AND si.sinif = ?"
                         " LEFT JOIN iskonto_grup ig ON ig.anagrup = s.anagrup AND ig.sinif = ?"
                         " WHERE s.stokno = ? AND s.aktif = 1"),
          {caller.discountClass, caller.discountClass, stokno});
    q.exec();
    if (!q.next())
        throw vk::Error(QStringLiteral("Stok bulunamadı"));
    Article a;
    a.barkod = q.value(0).toString();
    a.adi = q.value(1).toString();
    a.kdv = q.value(2).toDouble();
    const Rates rates = {q.value(6).toDouble(), q.value(7).toDouble(), q.value(8).toDouble(),
                         q.value(9).toDouble()};
    a.terms = articleTerms(q.value(3).toDouble(), q.value(4).toDouble(), q.value(5).toInt(), rates,
                           caller.seesCampaigns());
    return a;
}

} // namespace vk::server
