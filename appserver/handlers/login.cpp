#include "handlers/handlers.h"

#include "dispatcher.h"
#include "server/baglantiu.h"
#include "store/store.h"

namespace vk::server {

int expectedClientVersion(Store& store) {
    Sql q(store, QStringLiteral("SELECT deger FROM ayar WHERE anahtar = 'beklenen_versiyon'"));
    bool ok = false;
    const int v = q.exec().scalar().toString().toInt(&ok);
    return ok ? v : 6;
}

namespace {

// The login record of a workstation: who uses it, for which dealer, with which representative.
// An unknown workstation gets a record with FVarmi false; the expected version is always set,
// because the client checks the version before anything else.
void buyukGetir(Call& c) {
    const QString id = c.text(0);
    auto record = std::make_unique<TSonucBilgisi>();
    record->setBILGISAYARID(id);
    record->setVersion(expectedClientVersion(c.store()));

    Sql q(c.store(),
          QStringLiteral(
              "SELECT k.sirano, k.adi, k.sifre, k.tip, k.aktif, k.mail, COALESCE(k.carino, 0),"
              " COALESCE(ca.cariadi, ''), COALESCE(ca.carikod, ''),"
              " COALESCE(s.satici_no, 0), COALESCE(s.adi, ''), COALESCE(s.telefon, ''),"
              " COALESCE(s.mail, '')"
              " FROM bilgisayar b"
              " JOIN kullanici k ON k.sirano = b.kullanici_sirano"
              " LEFT JOIN cari ca ON ca.carino = k.carino"
              " LEFT JOIN satici s ON s.satici_no ="
              "   CASE WHEN k.tip IN (1, 2) AND k.satici_no IS NOT NULL THEN k.satici_no"
              "        ELSE ca.satici_no END"
              " WHERE b.bilgisayarid = ?"),
          {id});
    q.exec();
    if (q.next()) {
        record->setVarmi(true);
        record->setSirano(q.value(0).toInt());
        record->setADI(q.value(1).toString());
        record->setSIFRE(q.value(2).toString());
        record->setMusteriTipi(q.value(3).toInt());
        record->setAKTIF(q.value(4).toInt());
        record->setKullanicimail(q.value(5).toString());
        record->setCARINO(q.value(6).toInt());
        record->setCariAdi(q.value(7).toString());
        record->setcarikod(q.value(8).toString());
        record->setSaticiNo(q.value(9).toInt());
        record->setSaticiAdi(q.value(10).toString());
        record->setSaticiTelefon(q.value(11).toString());
        record->setSaticiMail(q.value(12).toString());
    }
    c.setResult(RecordPtr(std::move(record)));
}

} // namespace

void registerLoginHandlers(Dispatcher& d) {
    d.add(MethodId::BuyukGetir, buyukGetir);
}

} // namespace vk::server
