#include "handlers/access.h"
#include "handlers/handlers.h"

#include "catalogue/discount.h"
#include "common/numberformat.h"
#include "dispatcher.h"
#include "server/baglantiu.h"
#include "store/store.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <vector>

namespace vk::server {

namespace {

constexpr double kMaxQuantity = 10000;

QString now() {
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

void checkQuantity(double miktar) {
    if (!(miktar > 0 && miktar <= kMaxQuantity))
        throw vk::Error(QStringLiteral("Miktar 0'dan büyük ve en çok 10000 olmalı"));
}

// The price and rates a representative sends; SepetEkle2 and SepetGuncelle2 carry them at the
// same places.
ArticleTerms sentTerms(const Call& c) {
    ArticleTerms t;
    t.price = c.real(7);
    t.rates = {c.real(8), c.real(11), c.real(12), c.real(13)};
    if (!(t.price >= 0))
        throw vk::Error(QStringLiteral("Fiyat 0'dan küçük olamaz"));
    for (double r : t.rates) {
        if (!(r >= 0 && r <= 100))
            throw vk::Error(QStringLiteral("İndirim oranları 0 ile 100 arasında olmalı"));
    }
    return t;
}

void writeLog(Store& store, int carino, int user, const QString& islem, const QString& aciklama) {
    Sql(store,
        QStringLiteral("INSERT INTO sepet_log(zaman, carino, kullanici_sirano, islem, aciklama)"
                       " VALUES (?, ?, ?, ?, ?)"),
        {now(), carino, user, islem, aciklama})
        .exec();
}

struct Column {
    const char* name;
    FieldType type;
};

constexpr Column kBasketColumns[] = {
    {"SEC", FieldType::Integer},         {"VERILISTARIHI", FieldType::DateTime},
    {"SIRANO", FieldType::Integer},      {"SIPARISNO", FieldType::Integer},
    {"CARINO", FieldType::Integer},      {"TARIH", FieldType::Date},
    {"AKTAR", FieldType::Integer},       {"STOKNO", FieldType::Integer},
    {"BARKOD", FieldType::String},       {"FINISHKOD", FieldType::String},
    {"OEMNO", FieldType::String},        {"STOKADI", FieldType::String},
    {"MIKTAR", FieldType::Float},        {"BIRIMFIYAT", FieldType::Float},
    {"TUTAR", FieldType::Float},         {"INDIRIMYAZI", FieldType::String},
    {"INDIRIMORANI1", FieldType::Float}, {"INDIRIMORANI2", FieldType::Float},
    {"INDIRIMORANI3", FieldType::Float}, {"INDIRIMTUTAR", FieldType::Float},
    {"NETBIRIMFIYAT", FieldType::Float}, {"KDV", FieldType::Float},
    {"VERGITUTARI", FieldType::Float},   {"NETTUTAR", FieldType::Float},
    {"KUR", FieldType::String},          {"KURTL", FieldType::Float},
    {"VERENIDNO", FieldType::Integer},   {"SAAT", FieldType::String},
    {"TESLIMID", FieldType::Integer},    {"KARGOID", FieldType::Integer},
    {"ACIKLAMA", FieldType::String},     {"IDNO", FieldType::Integer},
    {"VERENSIRANO", FieldType::Integer}, {"VEREN", FieldType::String},
    {"CARIKOD", FieldType::String},      {"CARIADI", FieldType::String},
    {"OEM1", FieldType::String},         {"OEM2", FieldType::String},
    {"OEM3", FieldType::String},         {"OEM4", FieldType::String},
    {"STOK_STOKNO", FieldType::Integer}, {"URETICIKODU", FieldType::String},
    {"DIGERADI", FieldType::String},     {"DPKOD", FieldType::String},
    {"MARKA", FieldType::String},        {"MODEL", FieldType::String},
    {"ANAGRUP", FieldType::String},      {"OZELKOD", FieldType::String},
    {"PKOD", FieldType::String},         {"DURUM", FieldType::Integer},
    {"KALAN", FieldType::Float},         {"INDIRIMORANI4", FieldType::Float},
};

// The basket lines of a dealer with their amounts, in the order they were put in.
void sepetVer2(Call& c) {
    auto table = std::make_shared<TableData>();
    for (const Column& col : kBasketColumns)
        table->fields.append(FieldDef::make(QString::fromLatin1(col.name), col.type));
    table->columns.resize(std::size(kBasketColumns));

    Sql q(c.store(),
          QStringLiteral(
              "SELECT b.sec, b.zaman, b.sirano, b.carino, b.stokno, b.barkod, s.finishkod,"
              " s.oemno, b.stokadi, b.miktar, b.birimfiyat, b.ilkfiyat, b.kampanya, b.ind1,"
              " b.ind2, b.ind3, b.ind4, b.kdv, COALESCE(b.veren_sirano, 0), COALESCE(k.adi, ''),"
              " ca.carikod, ca.cariadi, s.oem1, s.oem2, s.oem3, s.oem4, s.ureticikodu,"
              " s.digeradi, s.dpkod, s.marka, s.model, s.anagrup, s.ozelkod, s.pkod, s.durum,"
              " s.kalan"
              " FROM sepet b"
              " JOIN stok s ON s.stokno = b.stokno"
              " JOIN cari ca ON ca.carino = b.carino"
              " LEFT JOIN kullanici k ON k.sirano = b.veren_sirano"
              " WHERE b.carino = ? ORDER BY b.sirano"),
          {c.int32(0)});
    q.exec();
    while (q.next()) {
        const QDateTime zaman =
            QDateTime(QDate::fromString(q.value(1).toString().left(10), Qt::ISODate),
                      QTime::fromString(q.value(1).toString().mid(11), Qt::ISODate), Qt::UTC);
        const double miktar = q.value(9).toDouble();
        const double fiyat = q.value(10).toDouble();
        const double kdv = q.value(17).toDouble();
        const Rates rates = {q.value(13).toDouble(), q.value(14).toDouble(), q.value(15).toDouble(),
                             q.value(16).toDouble()};
        const LineAmounts a =
            basketLineAmounts(miktar, fiyat, kdv, rates[0], rates[1], rates[2], rates[3]);
        const QVariant veren = q.value(18);
        const QVariantList row = {
            q.value(0),
            zaman,
            q.value(2),
            0,
            q.value(3),
            zaman.date(),
            0,
            q.value(4),
            q.value(5),
            q.value(6),
            q.value(7),
            q.value(8),
            miktar,
            fiyat,
            a.tutar,
            discountText(q.value(12).toInt() > 0, q.value(11).toDouble(), fiyat, rates),
            rates[0],
            rates[1],
            rates[2],
            a.indirimTutar,
            a.netBirimFiyat,
            kdv,
            a.vergiTutari,
            a.netTutar,
            QStringLiteral("TL"),
            1.0,
            veren,
            zaman.time().toString(QStringLiteral("HH:mm")),
            0,
            0,
            QString(),
            0,
            veren,
            q.value(19),
            q.value(20),
            q.value(21),
            q.value(22),
            q.value(23),
            q.value(24),
            q.value(25),
            q.value(4),
            q.value(26),
            q.value(27),
            q.value(28),
            q.value(29),
            q.value(30),
            q.value(31),
            q.value(32),
            q.value(33),
            q.value(34),
            q.value(35).toDouble(),
            rates[3],
        };
        for (size_t i = 0; i < std::size(kBasketColumns); ++i)
            table->columns[i].append(row[qsizetype(i)]);
        ++table->rowCount;
    }
    c.setResult(table);
}

// Puts an article in a dealer's basket, or adds to its line there. Dealers buy on the
// catalogue's terms whatever they send; a representative's price and rates stand. Whether the
// line is a campaign's is the catalogue's word, not the caller's.
void sepetEkle2(Call& c) {
    const int carino = c.int32(1);
    const int stokno = c.int32(2);
    const double miktar = c.real(5);
    c.store().write([&] {
        const Caller caller = callerActingFor(c.store(), c.record<TSonucBilgisi>(0), carino);
        checkQuantity(miktar);
        const Article article = articleFor(c.store(), stokno, caller);
        ArticleTerms t = article.terms;
        if (caller.representative()) {
            const ArticleTerms sent = sentTerms(c);
            t.price = sent.price;
            t.rates = sent.rates;
        }
        Sql line(c.store(),
                 QStringLiteral("SELECT sirano, miktar FROM sepet"
                                " WHERE carino = ? AND stokno = ?"
                                " ORDER BY sirano LIMIT 1"),
                 {carino, stokno});
        line.exec();
        if (line.next()) {
            const int sirano = line.value(0).toInt();
            const double sum = line.value(1).toDouble() + miktar;
            checkQuantity(sum);
            Sql(c.store(),
                QStringLiteral("UPDATE sepet SET miktar = ?, birimfiyat = ?, ilkfiyat = ?,"
                               " ind1 = ?, ind2 = ?, ind3 = ?, ind4 = ?, kampanya = ?, kdv = ?"
                               " WHERE sirano = ?"),
                {sum, t.price, t.listPrice, t.rates[0], t.rates[1], t.rates[2], t.rates[3],
                 t.campaign, article.kdv, sirano})
                .exec();
            return;
        }
        Sql(c.store(),
            QStringLiteral("INSERT INTO sepet(carino, stokno, barkod, stokadi, miktar, kdv,"
                           " birimfiyat, ilkfiyat, ind1, ind2, ind3, ind4, kampanya,"
                           " veren_sirano, sec, zaman)"
                           " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?,"
                           " COALESCE((SELECT sirano FROM kullanici WHERE sirano = ?), ?), 1, ?)"),
            {carino, stokno, article.barkod, article.adi, miktar, article.kdv, t.price, t.listPrice,
             t.rates[0], t.rates[1], t.rates[2], t.rates[3], t.campaign, c.int32(9), caller.user,
             now()})
            .exec();
    });
    c.setResult(qint64(1));
}

// Changes a line's quantity; a representative's price and rates too.
void sepetGuncelle2(Call& c) {
    const int carino = c.int32(1);
    const int sirano = c.int32(10);
    const double miktar = c.real(5);
    c.store().write([&] {
        const Caller caller = callerActingFor(c.store(), c.record<TSonucBilgisi>(0), carino);
        Sql line(c.store(), QStringLiteral("SELECT 1 FROM sepet WHERE sirano = ? AND carino = ?"),
                 {sirano, carino});
        if (!line.exec().scalar().isValid())
            throw vk::Error(
                QStringLiteral("Sepet satırı bulunamadı; başka bir oturumda silinmiş olabilir."));
        checkQuantity(miktar);
        if (caller.representative()) {
            const ArticleTerms t = sentTerms(c);
            Sql(c.store(),
                QStringLiteral("UPDATE sepet SET miktar = ?, birimfiyat = ?, ind1 = ?, ind2 = ?,"
                               " ind3 = ?, ind4 = ? WHERE sirano = ?"),
                {miktar, t.price, t.rates[0], t.rates[1], t.rates[2], t.rates[3], sirano})
                .exec();
        } else {
            Sql(c.store(), QStringLiteral("UPDATE sepet SET miktar = ? WHERE sirano = ?"),
                {miktar, sirano})
                .exec();
        }
    });
    c.setResult(qint64(1));
}

void sepetSecimGuncelle(Call& c) {
    const int secim = c.int32(1);
    if (secim != 0 && secim != 1)
        throw vk::Error(QStringLiteral("Seçim 0 ya da 1 olmalı"));
    c.store().write([&] {
        Sql(c.store(), QStringLiteral("UPDATE sepet SET sec = ? WHERE sirano = ?"),
            {secim, c.int32(0)})
            .exec();
    });
}

void sepetSatirSil(Call& c) {
    const auto* bilgi = c.record<TSonucBilgisi>(0);
    const int carino = bilgi ? bilgi->CARINO() : 0;
    bool deleted = false;
    c.store().write([&] {
        const Caller caller = callerActingFor(c.store(), bilgi, carino);
        Sql del(c.store(), QStringLiteral("DELETE FROM sepet WHERE sirano = ? AND carino = ?"),
                {c.int32(1), carino});
        deleted = del.exec().rowsAffected() > 0;
        if (deleted)
            writeLog(c.store(), carino, caller.user, QStringLiteral("satir_sil"), c.text(2));
    });
    c.setResult(qint64(deleted ? 1 : 0));
}

void sepetHepsiniSil(Call& c) {
    const auto* bilgi = c.record<TSonucBilgisi>(0);
    const int carino = bilgi ? bilgi->CARINO() : 0;
    c.store().write([&] {
        const Caller caller = callerActingFor(c.store(), bilgi, carino);
        Sql del(c.store(), QStringLiteral("DELETE FROM sepet WHERE carino = ?"), {carino});
        const int lines = del.exec().rowsAffected();
        writeLog(c.store(), carino, caller.user, QStringLiteral("hepsini_sil"),
                 QStringLiteral("%1 satır").arg(lines));
    });
    c.setResult(qint64(1));
}

// Invoices are paid off oldest first by everything the dealer paid; what is left of those due
// before today is overdue.
void cariVadeGunGecmismiBul(Call& c) {
    Sql q(c.store(),
          QStringLiteral("SELECT borc, alacak, vade_tarihi FROM cari_hareket"
                         " WHERE carino = ? ORDER BY tarih, hareket_no"),
          {c.int32(0)});
    q.exec();
    struct Invoice {
        double amount;
        QDate due;
    };
    std::vector<Invoice> invoices;
    double credit = 0;
    while (q.next()) {
        credit += q.value(1).toDouble();
        const double borc = q.value(0).toDouble();
        const QDate due = QDate::fromString(q.value(2).toString(), Qt::ISODate);
        if (borc > 0 && due.isValid())
            invoices.push_back({borc, due});
    }
    const QDate today = QDate::currentDate();
    double overdue = 0;
    QDate oldest;
    for (const Invoice& inv : invoices) {
        const double paid = std::min(credit, inv.amount);
        credit -= paid;
        const double open = inv.amount - paid;
        if (open > 0 && inv.due < today) {
            overdue += open;
            if (!oldest.isValid() || inv.due < oldest)
                oldest = inv.due;
        }
    }
    if (overdue <= 0.005) {
        c.setResult(QString());
        return;
    }
    c.setResult(QStringLiteral("Vadesi geçmiş %1 TL borcunuz bulunmaktadır (en eski %2 gün).")
                    .arg(vk::formatFloat(u"#,###,##0.00", overdue, QLocale(QLocale::Turkish)))
                    .arg(oldest.daysTo(today)));
}

} // namespace

void registerBasketHandlers(Dispatcher& d) {
    d.add(MethodId::SepetVer2, sepetVer2);
    d.add(MethodId::SepetEkle2, sepetEkle2);
    d.add(MethodId::SepetGuncelle2, sepetGuncelle2);
    d.add(MethodId::SepetSecimGuncelle, sepetSecimGuncelle);
    d.add(MethodId::SepetSatirSil, sepetSatirSil);
    d.add(MethodId::SepetHepsiniSil, sepetHepsiniSil);
    d.add(MethodId::CariVadeGunGecmismiBul, cariVadeGunGecmismiBul);
}

} // namespace vk::server
