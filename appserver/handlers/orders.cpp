#include "handlers/access.h"
#include "handlers/handlers.h"

#include "common/numberformat.h"
#include "dispatcher.h"
#include "server/baglantiu.h"
#include "store/store.h"

#include <QDateTime>
#include <QLocale>

#include <initializer_list>

namespace vk::server {

namespace {

QString now() {
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

struct Column {
    const char* name;
    FieldType type;
};

// A table with the given columns filled from the statement's columns in the same order.
TablePtr tableOf(Store& store, std::initializer_list<Column> columns, const QString& statement,
                 std::initializer_list<QVariant> values = {}) {
    auto table = std::make_shared<TableData>();
    for (const Column& col : columns)
        table->fields.append(FieldDef::make(QString::fromLatin1(col.name), col.type));
    table->columns.resize(columns.size());
    Sql q(store, statement, values);
    q.exec();
    while (q.next()) {
        int i = 0;
        for (const Column& col : columns) {
            const QVariant v = q.value(i);
            table->columns[size_t(i)].append(
                col.type == FieldType::Integer ? QVariant(v.toInt()) : QVariant(v.toString()));
            ++i;
        }
        ++table->rowCount;
    }
    return table;
}

// Delivery options, by position: the id, then the name.
void teslimVer(Call& c) {
    c.setResult(tableOf(c.store(), {{"ID", FieldType::Integer}, {"ADI", FieldType::String}},
                        QStringLiteral("SELECT id, adi FROM teslim_sekli ORDER BY sira, id")));
}

// Cargo types, by position: the id, then the name.
void kargoVer(Call& c) {
    c.setResult(tableOf(c.store(), {{"ID", FieldType::Integer}, {"ADI", FieldType::String}},
                        QStringLiteral("SELECT id, adi FROM kargo_turu ORDER BY sira, id")));
}

// The cargo firms of one cargo type with the warning shown when one is picked.
void kargolarVer(Call& c) {
    c.setResult(tableOf(
        c.store(),
        {{"ADI", FieldType::String}, {"SIRANO", FieldType::Integer}, {"UYARI", FieldType::String}},
        QStringLiteral("SELECT adi, sirano, uyari FROM kargo_firma"
                       " WHERE kargo_turu_id = ? ORDER BY sira, sirano"),
        {c.int32(0)}));
}

bool exists(Store& store, const QString& statement, int id) {
    return Sql(store, statement, {id}).exec().scalar().isValid();
}

// Whether the delivery option, the cargo type, the firm of that type and the ordering user are
// all known.
bool choicesHold(Store& store, int teslim, int kargoTuru, int kargoFirma, int veren) {
    if (!exists(store, QStringLiteral("SELECT 1 FROM teslim_sekli WHERE id = ?"), teslim) ||
        !exists(store, QStringLiteral("SELECT 1 FROM kargo_turu WHERE id = ?"), kargoTuru) ||
        !exists(store, QStringLiteral("SELECT 1 FROM kullanici WHERE sirano = ?"), veren))
        return false;
    Sql firm(store, QStringLiteral("SELECT kargo_turu_id FROM kargo_firma WHERE sirano = ?"),
             {kargoFirma});
    const QVariant type = firm.exec().scalar();
    return type.isValid() && type.toInt() == kargoTuru;
}

// Turns the dealer's selected basket lines into one order and takes them out of the basket;
// unselected lines stay. The basket's prices are the ones the order keeps. Nothing selected, or
// a choice that is not known, answers false and changes nothing. The selection is read inside
// the write transaction, so the same basket sent twice at once makes one order.
void siparisKaydet(Call& c) {
    const int carino = c.int32(1);
    const int teslim = c.int32(2);
    const int kargoTuru = c.int32(3);
    const QString aciklama = c.text(4);
    const int veren = c.int32(5);
    const int kargoFirma = c.int32(6);
    bool saved = false;
    c.store().write([&] {
        Store& store = c.store();
        const Caller caller = callerActingFor(store, c.record<TSonucBilgisi>(0), carino);
        if (!choicesHold(store, teslim, kargoTuru, kargoFirma, veren))
            return;
        if (!exists(store, QStringLiteral("SELECT 1 FROM sepet WHERE carino = ? AND sec = 1"),
                    carino))
            return;

        Sql order(store,
                  QStringLiteral("INSERT INTO siparis(carino, tarih, veren_sirano, teslim_id,"
                                 " kargo_turu_id, kargo_firma_id, aciklama, durum, kur, kurtl)"
                                 " VALUES (?, ?, ?, ?, ?, ?, ?, 2, 'TL', 1)"),
                  {carino, now(), veren, teslim, kargoTuru, kargoFirma, aciklama});
        const qint64 idno = order.exec().lastInsertId();
        Sql lines(store,
                  QStringLiteral("INSERT INTO siparis_satir(idno, sepet_sirano, stokno, barkod,"
                                 " stokadi, miktar, teslimedilen, iptal, birimfiyat, ilkfiyat,"
                                 " ind1, ind2, ind3, ind4, kdv, kampanya, veren_sirano)"
                                 " SELECT ?, sirano, stokno, barkod, stokadi, miktar, 0, 0,"
                                 " birimfiyat, ilkfiyat, ind1, ind2, ind3, ind4, kdv, kampanya,"
                                 " veren_sirano"
                                 " FROM sepet WHERE carino = ? AND sec = 1 ORDER BY sirano"),
                  {idno, carino});
        const int count = lines.exec().rowsAffected();
        // What dealers have ordered and not yet received grows by the new open lines.
        Sql(store,
            QStringLiteral("UPDATE stok SET alinansiparis = alinansiparis +"
                           " (SELECT SUM(miktar) FROM siparis_satir l"
                           "  WHERE l.idno = ? AND l.stokno = stok.stokno)"
                           " WHERE stokno IN (SELECT stokno FROM siparis_satir WHERE idno = ?)"),
            {idno, idno})
            .exec();
        Sql(store, QStringLiteral("DELETE FROM sepet WHERE carino = ? AND sec = 1"), {carino})
            .exec();
        Sql(store,
            QStringLiteral("INSERT INTO sepet_log(zaman, carino, kullanici_sirano, islem, aciklama)"
                           " VALUES (?, ?, ?, 'siparis', ?)"),
            {now(), carino, caller.user,
             QStringLiteral("Sipariş %1, %2 satır").arg(idno).arg(count)})
            .exec();
        saved = true;
    });
    c.setResult(saved);
}

// The dealer's balance, debit less credit over the statement, as the client shows amounts.
void cariDurumVer(Call& c) {
    const int carino = c.int32(0);
    Sql q(c.store(),
          QStringLiteral("SELECT (SELECT COALESCE(SUM(borc), 0) - COALESCE(SUM(alacak), 0)"
                         " FROM cari_hareket WHERE carino = c.carino)"
                         " FROM cari c WHERE c.carino = ?"),
          {carino});
    const QVariant balance = q.exec().scalar();
    if (!balance.isValid())
        throw vk::Error(QStringLiteral("Cari bulunamadı"));
    c.setResult(vk::formatFloat(u"#,###,##0.00", balance.toDouble(), QLocale(QLocale::Turkish)));
}

} // namespace

void registerOrderHandlers(Dispatcher& d) {
    d.add(MethodId::TeslimVer, teslimVer);
    d.add(MethodId::KargoVer, kargoVer);
    d.add(MethodId::KargolarVer, kargolarVer);
    d.add(MethodId::SiparisKaydet, siparisKaydet);
    d.add(MethodId::CariDurumVer, cariDurumVer);
}

} // namespace vk::server
