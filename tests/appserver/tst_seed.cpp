// The demo data generator: the same options give the same bytes, the data holds together the way
// the client reads it, and it is only ever written into an empty store.

#include "common/errors.h"
#include "common/utils.h"
#include "seed/demoseed.h"
#include "store/sqlitestore.h"
#include "store/store.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using namespace vk::server;

namespace {

const QDate kToday(2026, 12, 1);

DemoSeedOptions smallOptions(quint64 seed = 7) {
    DemoSeedOptions o;
    o.articles = 300;
    o.seed = seed;
    o.today = kToday;
    return o;
}

QVariant scalar(Store& store, const QString& sql) {
    return Sql(store, sql).exec().scalar();
}

qint64 number(Store& store, const QString& sql) {
    return scalar(store, sql).toLongLong();
}

QSet<QString> texts(Store& store, const QString& sql) {
    QSet<QString> set;
    Sql q(store, sql);
    q.exec();
    while (q.next())
        set.insert(q.value(0).toString());
    return set;
}

// Every row of every table ordered by all its columns (so by its key first), BLOBs included.
QByteArray digest(Store& store) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const QSet<QString> tableSet =
        texts(store, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    QStringList tables(tableSet.begin(), tableSet.end());
    tables.sort();
    for (const QString& table : tables) {
        Sql columns(store, QStringLiteral("SELECT COUNT(*) FROM pragma_table_info(?)"), {table});
        const int n = columns.exec().scalar().toInt();
        QStringList order;
        for (int i = 1; i <= n; ++i)
            order.append(QString::number(i));
        Sql rows(store,
                 QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(table, order.join(u',')));
        rows.exec();
        hash.addData(table.toUtf8());
        while (rows.next()) {
            for (int i = 0; i < n; ++i) {
                const QVariant v = rows.value(i);
                hash.addData(QByteArray::number(v.isNull() ? -1 : v.typeId()));
                hash.addData(v.typeId() == QMetaType::QByteArray ? v.toByteArray()
                                                                 : v.toString().toUtf8());
                hash.addData(QByteArrayView("\x1f"));
            }
        }
    }
    return hash.result();
}

QSet<QString> set(std::initializer_list<const char*> items) {
    QSet<QString> out;
    for (const char* s : items)
        out.insert(QString::fromUtf8(s));
    return out;
}

// Whether the seed refused with its own message (a storage failure on the way does not count).
bool refused(Store& store, const DemoSeedOptions& options) {
    try {
        seedDemo(store, options);
    } catch (const StoreError& e) {
        qWarning("storage error instead of a refusal: %s", e.what());
        return false;
    } catch (const vk::Error& e) {
        return !e.text().isEmpty();
    }
    return false;
}

bool near(double a, double b) {
    return std::fabs(a - b) < 0.005;
}

} // namespace

class SeedTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<SqliteStore> m_store; // seeded once with smallOptions()
    QStringList m_progress;
    int m_files = 0;

    std::unique_ptr<SqliteStore> freshStore() {
        auto s =
            std::make_unique<SqliteStore>(m_dir.filePath(QStringLiteral("s%1.db").arg(++m_files)));
        s->migrate();
        return s;
    }

    Store& store() { return *m_store; }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_store = freshStore();
        DemoSeedOptions o = smallOptions();
        o.progress = [this](const QString& line) { m_progress.append(line); };
        seedDemo(*m_store, o);
    }

    void sameOptionsGiveSameData() {
        const QByteArray seeded = digest(store());
        auto again = freshStore();
        seedDemo(*again, smallOptions());
        QCOMPARE(digest(*again), seeded);

        auto other = freshStore();
        seedDemo(*other, smallOptions(8));
        QVERIFY(digest(*other) != seeded);
    }

    void reportsProgress() {
        QVERIFY(!m_progress.isEmpty());
        // The server's kill test waits for the catalogue step to begin.
        QVERIFY(m_progress.filter(QStringLiteral("stoklar yazılıyor (300)")).size() == 1);
    }

    void catalogue() {
        QCOMPARE(number(store(), QStringLiteral("SELECT COUNT(*) FROM stok")), 300);
        QCOMPARE(texts(store(), QStringLiteral("SELECT DISTINCT durum FROM stok")),
                 set({"0", "1", "2", "3", "4", "5", "6"}));
        QCOMPARE(texts(store(), QStringLiteral("SELECT DISTINCT CAST(kdv AS INTEGER) FROM stok")),
                 set({"1", "10", "20"}));
        QCOMPARE(number(store(), QStringLiteral("SELECT COUNT(DISTINCT barkod) FROM stok")), 300);
        const QRegularExpression code(QStringLiteral("^VLK-\\d{6}$"));
        for (const QString& c : texts(store(), QStringLiteral("SELECT barkod FROM stok")))
            QVERIFY2(code.match(c).hasMatch(), qPrintable(c));

        // Amounts and stock agree with the state of each article.
        QCOMPARE(number(store(), QStringLiteral(
                                     "SELECT COUNT(*) FROM stok WHERE listefiyat < 50"
                                     " OR listefiyat > 15000 OR listefiyat <> ROUND(listefiyat, 2)"
                                     " OR (kampanya = 0 AND kampfiyat <> 0)"
                                     " OR (kampanya = 1 AND (kampfiyat < listefiyat * 0.795"
                                     "     OR kampfiyat > listefiyat * 0.905))"
                                     " OR (durum = 0 AND kalan <> 0) OR (durum = 1 AND kalan <= 0)"
                                     " OR oemno <> oem1 OR adi <> UPPER(adi)")),
                 0);
        QVERIFY(number(store(), QStringLiteral("SELECT COUNT(*) FROM stok WHERE kampanya = 1")) >
                0);
        QVERIFY(number(store(), QStringLiteral("SELECT COUNT(*) FROM stok WHERE yeni = 1")) > 0);

        // What dealers are still waiting for is what the order lines leave open.
        QCOMPARE(
            number(store(),
                   QStringLiteral("SELECT COUNT(*) FROM stok s WHERE s.alinansiparis <> COALESCE("
                                  " (SELECT SUM(miktar - teslimedilen - iptal) FROM siparis_satir l"
                                  "  WHERE l.stokno = s.stokno), 0)")),
            0);

        // The picture flag marks exactly the articles with a picture, and each is a real JPEG.
        QCOMPARE(number(store(), QStringLiteral("SELECT COUNT(*) FROM stok_resim")), 150);
        QCOMPARE(number(store(),
                        QStringLiteral(
                            "SELECT COUNT(*) FROM stok WHERE resimvar <>"
                            " EXISTS(SELECT 1 FROM stok_resim r WHERE r.stokno = stok.stokno)")),
                 0);
        Sql pictures(store(), QStringLiteral("SELECT stokno, resim FROM stok_resim"));
        pictures.exec();
        while (pictures.next()) {
            const QByteArray jpeg = pictures.value(1).toByteArray();
            QVERIFY2(jpeg.size() >= 1200 && jpeg.startsWith("\xFF\xD8"),
                     qPrintable(pictures.value(0).toString()));
        }

        // A discount chain for every main group and class, class 1 never below class 3.
        QCOMPARE(number(store(), QStringLiteral("SELECT COUNT(*) FROM iskonto_grup")),
                 3 * number(store(), QStringLiteral("SELECT COUNT(DISTINCT anagrup) FROM stok")));
        QCOMPARE(number(store(),
                        QStringLiteral("SELECT COUNT(*) FROM iskonto_grup a JOIN iskonto_grup c"
                                       " ON c.anagrup = a.anagrup AND a.sinif = 1 AND c.sinif = 3"
                                       " WHERE a.ind1 < c.ind1")),
                 0);
    }

    void people() {
        QVERIFY(number(store(), QStringLiteral("SELECT COUNT(*) FROM cari")) >= 40);
        QCOMPARE(texts(store(), QStringLiteral("SELECT DISTINCT tip FROM kullanici")),
                 set({"1", "2", "3", "4"}));
        QCOMPARE(
            number(store(), QStringLiteral("SELECT COUNT(*) FROM cari WHERE vergino NOT GLOB"
                                           " '[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]'"
                                           " OR satici_no IS NULL OR vade NOT IN (30, 45, 60, 90)"
                                           " OR iskonto_sinifi NOT BETWEEN 1 AND 3")),
            0);

        const QList<DemoLogin> logins = demoLogins();
        QCOMPARE(logins.size(), 5);
        for (const DemoLogin& l : logins) {
            Sql q(store(),
                  QStringLiteral("SELECT k.tip, k.sifre, k.aktif, k.carino, k.satici_no"
                                 " FROM bilgisayar b JOIN kullanici k"
                                 " ON k.sirano = b.kullanici_sirano"
                                 " WHERE b.bilgisayarid = ? AND k.adi = ?"),
                  {QStringLiteral("DEMO-") + l.user, l.user});
            q.exec();
            QVERIFY2(q.next(), qPrintable(l.user));
            QCOMPARE(q.value(0).toInt(), l.type);
            QCOMPARE(q.value(1).toString(), l.password);
            QCOMPARE(q.value(2).toInt(), l.user == u"PASIF" ? 0 : 1);
            QVERIFY2(!q.value(3).isNull(), qPrintable(l.user));
            QCOMPARE(q.value(4).isNull(), l.type >= 3); // representatives have their own record
            QVERIFY(!l.note.isEmpty());
        }
        // The representative acts by default for one of his own dealers.
        QCOMPARE(number(store(),
                        QStringLiteral(
                            "SELECT COUNT(*) FROM kullanici k JOIN cari c ON c.carino = k.carino"
                            " WHERE k.adi = 'TEMSILCI' AND c.satici_no = k.satici_no")),
                 1);
        // Only the one account that shows the lower-case refusal is not typed in upper case.
        QCOMPARE(
            texts(store(), QStringLiteral("SELECT adi FROM kullanici"
                                          " WHERE adi <> UPPER(adi) OR sifre <> UPPER(sifre)")),
            set({"kucukharf"}));
        // Every dealer has a user of its own.
        QCOMPARE(
            number(store(), QStringLiteral("SELECT COUNT(*) FROM cari c WHERE NOT EXISTS"
                                           " (SELECT 1 FROM kullanici k WHERE k.carino = c.carino"
                                           "  AND k.tip IN (3, 4) AND k.aktif = 1)")),
            0);
    }

    void ordersAndStatementsHoldTogether() {
        QVERIFY(Sql(store(), QStringLiteral("PRAGMA foreign_key_check")).exec().next() == false);
        QCOMPARE(texts(store(), QStringLiteral("SELECT DISTINCT durum FROM siparis")),
                 set({"2", "3", "4", "5", "6", "7"}));
        const QString first = kToday.addDays(-120).toString(Qt::ISODate);
        const QString last = kToday.toString(Qt::ISODate) + QStringLiteral(" 23:59:59");
        QCOMPARE(
            number(store(),
                   QStringLiteral("SELECT COUNT(*) FROM siparis WHERE tarih < '%1' OR tarih > '%2'"
                                  " OR NOT EXISTS (SELECT 1 FROM siparis_satir l"
                                  "  WHERE l.idno = siparis.idno)"
                                  " OR kargo_firma_id NOT IN (SELECT sirano FROM kargo_firma"
                                  "  WHERE kargo_turu_id = siparis.kargo_turu_id)")
                       .arg(first, last)),
            0);
        QCOMPARE(number(store(),
                        QStringLiteral("SELECT COUNT(*) FROM siparis_satir WHERE teslimedilen < 0"
                                       " OR iptal < 0 OR teslimedilen + iptal > miktar"
                                       " OR NOT EXISTS (SELECT 1 FROM siparis s WHERE s.idno ="
                                       "  siparis_satir.idno)")),
                 0);
        QCOMPARE(number(store(),
                        QStringLiteral(
                            "SELECT COUNT(*) FROM cari_hareket WHERE tarih < '%1' OR tarih > '%2'")
                            .arg(first, kToday.toString(Qt::ISODate))),
                 0);

        // A movement's document is an invoice (kinds named "...Fatura...") or a collection of
        // the same dealer.
        QCOMPARE(
            number(store(),
                   QStringLiteral(
                       "SELECT COUNT(*) FROM cari_hareket h WHERE h.belge_idno <> 0 AND"
                       " CASE WHEN h.turadi LIKE '%Fatura%' THEN NOT EXISTS"
                       "  (SELECT 1 FROM fatura f WHERE f.idno = h.belge_idno"
                       "   AND f.carino = h.carino AND f.evrakno = h.evrakno"
                       "   AND h.borc + h.alacak = f.kdvdahil"
                       "   AND h.vade_tarihi = DATE(f.tarih, '+' || f.vade || ' days'))"
                       " ELSE COALESCE(ABS(h.borc + h.alacak - (SELECT SUM(t.tutar) FROM tahsilat t"
                       "   WHERE t.belge_idno = h.belge_idno AND t.carino = h.carino))"
                       "   > 0.005, 1) END")),
            0);
        // A document number names one document in the whole store, whatever its kind.
        QCOMPARE(
            number(store(), QStringLiteral(
                                "SELECT COUNT(*) FROM (SELECT belge_idno FROM cari_hareket"
                                " WHERE belge_idno <> 0 GROUP BY belge_idno HAVING COUNT(*) > 1)")),
            0);
        QCOMPARE(
            number(store(),
                   QStringLiteral("SELECT COUNT(*) FROM (SELECT belge_idno FROM tahsilat"
                                  " GROUP BY belge_idno HAVING COUNT(DISTINCT carino) > 1"
                                  " OR COUNT(DISTINCT evrakno) > 1 OR COUNT(DISTINCT tarih) > 1)")),
            0);
        QCOMPARE(number(store(), QStringLiteral("SELECT COUNT(*) FROM tahsilat t JOIN fatura f"
                                                " ON f.idno = t.belge_idno")),
                 0);
        QCOMPARE(
            number(store(), QStringLiteral("SELECT COUNT(*) FROM cari_hareket WHERE belge_idno = 0"
                                           " AND turadi <> 'Devir'")),
            0);
        QCOMPARE(number(store(),
                        QStringLiteral("SELECT COUNT(*) FROM cari_hareket WHERE turadi = 'Devir'")),
                 number(store(), QStringLiteral("SELECT COUNT(*) FROM cari")));
        QCOMPARE(texts(store(), QStringLiteral("SELECT DISTINCT turadi FROM cari_hareket")),
                 set({"Devir", "Satış Faturası", "İade Faturası", "Fiyat Farkı Faturası",
                      "Tahsilat", "Tediye"}));
        // Sales, price differences and payments out are debits; returns and collections credits.
        QCOMPARE(number(store(),
                        QStringLiteral(
                            "SELECT COUNT(*) FROM cari_hareket WHERE CASE"
                            " WHEN turadi IN ('Satış Faturası', 'Fiyat Farkı Faturası', 'Tediye')"
                            "  THEN alacak <> 0 OR borc <= 0"
                            " WHEN turadi IN ('İade Faturası', 'Tahsilat')"
                            "  THEN borc <> 0 OR alacak <= 0 ELSE borc * alacak <> 0 END")),
                 0);
        QCOMPARE(texts(store(), QStringLiteral("SELECT DISTINCT turu FROM tahsilat")),
                 set({"Nakit", "Kredi Kartı", "Çek", "Havale"}));

        // Each card collection has its receipt.
        QCOMPARE(number(store(), QStringLiteral(
                                     "SELECT COUNT(*) FROM tahsilat t WHERE t.turu = 'Kredi Kartı'"
                                     " AND NOT EXISTS (SELECT 1 FROM sanalpos_odeme p WHERE"
                                     "  p.belge_idno = t.belge_idno AND p.carino = t.carino"
                                     "  AND ABS(p.tutar - t.tutar) < 0.005"
                                     "  AND SUBSTR(p.dekont, 1, 5) = CAST('%PDF-' AS BLOB))")),
                 0);
        QVERIFY(number(store(),
                       QStringLiteral("SELECT COUNT(*) FROM sanalpos_odeme WHERE carino = 1")) > 0);

        // Some dealers owe money past its due date (more than what is not due yet), some are in
        // credit.
        const QString balances =
            QStringLiteral("SELECT carino, SUM(borc - alacak) AS bakiye, SUM(borc - alacak) -"
                           " SUM(CASE WHEN borc > 0 AND vade_tarihi >= '%1' THEN borc ELSE 0 END)"
                           " AS gecmis FROM cari_hareket GROUP BY carino")
                .arg(kToday.toString(Qt::ISODate));
        QVERIFY(
            number(store(),
                   QStringLiteral("SELECT COUNT(*) FROM (%1) WHERE bakiye < -1").arg(balances)) >
            0);
        QVERIFY(number(store(),
                       QStringLiteral("SELECT COUNT(*) FROM (%1) WHERE gecmis > 1").arg(balances)) >
                0);
    }

    void invoiceTotalsFollowTheirLines() {
        Sql lines(store(), QStringLiteral("SELECT miktar, birimfiyat, ind1, ind2, ind3, ind4, kdv,"
                                          " tutar, toplamindirim, nettutar, netbirimfiyat, vergi,"
                                          " satir_no FROM fatura_satir"));
        lines.exec();
        int checked = 0;
        while (lines.next()) {
            const double quantity = lines.value(0).toDouble();
            const double gross = IkiHaneYuvarla(quantity * lines.value(1).toDouble());
            double net = gross;
            for (int i = 2; i <= 5; ++i) {
                const double rate = lines.value(i).toDouble();
                if (rate > 0)
                    net -= net * rate / 100;
            }
            net = IkiHaneYuvarla(net);
            const QByteArray row = lines.value(12).toByteArray();
            const char* at = row.constData();
            QVERIFY2(near(lines.value(7).toDouble(), gross), at);
            QVERIFY2(near(lines.value(9).toDouble(), net), at);
            QVERIFY2(near(lines.value(8).toDouble(), gross - net), at);
            QVERIFY2(near(lines.value(10).toDouble(), IkiHaneYuvarla(net / quantity)), at);
            QVERIFY2(near(lines.value(11).toDouble(),
                          IkiHaneYuvarla(net * lines.value(6).toDouble() / 100)),
                     at);
            ++checked;
        }
        QVERIFY(checked > 0);
        QCOMPARE(
            number(store(),
                   QStringLiteral(
                       "SELECT COUNT(*) FROM fatura f JOIN (SELECT fatura_idno,"
                       " SUM(tutar) t, SUM(toplamindirim) i, SUM(vergi) v"
                       " FROM fatura_satir GROUP BY fatura_idno) s ON s.fatura_idno = f.idno"
                       " WHERE ABS(f.toplam - s.t) > 0.005 OR ABS(f.toplamindirim - s.i) > 0.005"
                       " OR ABS(f.matrah - (f.toplam - f.toplamindirim)) > 0.005"
                       " OR ABS(f.kdvtutar - s.v) > 0.005"
                       " OR ABS(f.kdvdahil - (f.matrah + f.kdvtutar)) > 0.005")),
            0);
        QCOMPARE(number(store(),
                        QStringLiteral(
                            "SELECT COUNT(*) FROM fatura WHERE NOT EXISTS"
                            " (SELECT 1 FROM fatura_satir s WHERE s.fatura_idno = fatura.idno)")),
                 0);
        // Invoiced goods of an order are what was delivered of it.
        QCOMPARE(
            number(store(),
                   QStringLiteral(
                       "SELECT COUNT(*) FROM fatura f JOIN fatura_satir s ON s.fatura_idno = f.idno"
                       " WHERE f.siparis_idno IS NOT NULL AND NOT EXISTS (SELECT 1 FROM"
                       " siparis_satir l WHERE l.idno = f.siparis_idno AND l.stokno = s.stokno"
                       " AND l.teslimedilen = s.miktar AND l.birimfiyat = s.birimfiyat)")),
            0);
    }

    void publishedContent() {
        QCOMPARE(texts(store(), QStringLiteral("SELECT DISTINCT bicim FROM banner")),
                 set({"gif", "png", "jpeg", "bmp"}));
        QCOMPARE(
            number(store(), QStringLiteral("SELECT COUNT(*) FROM (SELECT konum FROM banner"
                                           " WHERE aktif = 1 GROUP BY konum HAVING COUNT(*) = 1)")),
            3);
        QCOMPARE(number(store(), QStringLiteral("SELECT COUNT(*) FROM banner WHERE aktif = 1")), 3);
        QCOMPARE(
            number(store(), QStringLiteral("SELECT COUNT(*) FROM banner WHERE bicim = 'gif' AND"
                                           " SUBSTR(resim, 1, 6) <> CAST('GIF89a' AS BLOB)")),
            0);
        const qint64 adverts =
            number(store(), QStringLiteral("SELECT COUNT(*) FROM reklam WHERE tur = 1"));
        const qint64 notices =
            number(store(), QStringLiteral("SELECT COUNT(*) FROM reklam WHERE tur = 2"));
        QVERIFY(adverts >= 4 && adverts <= 6);
        QVERIFY(notices >= 5 && notices <= 8);
        QVERIFY(number(store(), QStringLiteral("SELECT COUNT(*) FROM reklam WHERE arama = ''")) >
                0);
        QCOMPARE(number(store(), QStringLiteral("SELECT COUNT(*) FROM reklam WHERE resim IS NULL"
                                                " OR SUBSTR(resim, 1, 2) <> x'FFD8'")),
                 0);
        QCOMPARE(scalar(store(), QStringLiteral(
                                     "SELECT deger FROM ayar WHERE anahtar = 'beklenen_versiyon'"))
                     .toString(),
                 QStringLiteral("6"));

        // The first dealer's basket: three lines, one left out of the order, priced as the
        // article and the dealer's class say.
        QCOMPARE(number(store(), QStringLiteral("SELECT COUNT(*) FROM sepet WHERE carino = 1")), 3);
        QCOMPARE(number(store(),
                        QStringLiteral("SELECT COUNT(*) FROM sepet WHERE carino = 1 AND sec = 0")),
                 1);
        QCOMPARE(
            number(
                store(),
                QStringLiteral(
                    "SELECT COUNT(*) FROM sepet b JOIN stok s ON s.stokno = b.stokno"
                    " JOIN cari c ON c.carino = b.carino"
                    " JOIN iskonto_grup g ON g.anagrup = s.anagrup AND g.sinif = c.iskonto_sinifi"
                    " WHERE b.barkod <> s.barkod OR b.stokadi <> s.adi OR b.ilkfiyat <> "
                    "s.listefiyat"
                    " OR b.birimfiyat <> CASE WHEN b.kampanya = 1 THEN s.kampfiyat ELSE "
                    "s.listefiyat END"
                    " OR (b.kampanya = 1 AND s.kampanya = 0)"
                    " OR (NOT EXISTS (SELECT 1 FROM stok_iskonto i WHERE i.stokno = s.stokno)"
                    "     AND (b.ind1 <> g.ind1 OR b.ind2 <> g.ind2 OR b.ind3 <> g.ind3"
                    "          OR b.ind4 <> g.ind4))")),
            0);
        // Sepet numbers continue after those the ordered lines came from.
        QVERIFY(number(store(), QStringLiteral("SELECT MIN(sirano) FROM sepet")) >
                number(store(), QStringLiteral("SELECT MAX(sepet_sirano) FROM siparis_satir")));
    }

    void registersWorkstation_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("expected");
        QTest::newRow("default user") << QString() << QStringLiteral("BAYI");
        QTest::newRow("representative") << QStringLiteral("TEMSILCI") << QStringLiteral("TEMSILCI");
    }

    void registersWorkstation() {
        QFETCH(QString, user);
        QFETCH(QString, expected);
        auto s = freshStore();
        DemoSeedOptions o = smallOptions();
        o.articles = 20;
        o.registerWorkstation = QStringLiteral("  ABCD-1234  ");
        o.registerAsUser = user;
        seedDemo(*s, o);
        QCOMPARE(scalar(*s, QStringLiteral("SELECT k.adi FROM bilgisayar b JOIN kullanici k"
                                           " ON k.sirano = b.kullanici_sirano"
                                           " WHERE b.bilgisayarid = 'ABCD-1234'"))
                     .toString(),
                 expected);
    }

    void unknownUserToRegisterWritesNothing() {
        auto s = freshStore();
        DemoSeedOptions o = smallOptions();
        o.articles = 20;
        o.registerWorkstation = QStringLiteral("ABCD-1234");
        o.registerAsUser = QStringLiteral("YOKBOYLE");
        QVERIFY(refused(*s, o));
        QCOMPARE(number(*s, QStringLiteral("SELECT COUNT(*) FROM kullanici")), 0);
        QCOMPARE(number(*s, QStringLiteral("SELECT COUNT(*) FROM ayar")), 0);
    }

    // Rows whose keys the demo data does not use: only the emptiness check can stop the seed.
    void refusesStoreWithData_data() {
        QTest::addColumn<QString>("insert");
        QTest::newRow("seeded") << QString();
        QTest::newRow("one article") << QStringLiteral(
            "INSERT INTO stok(stokno, barkod, adi) VALUES (999999, 'ESKI-1', 'ESKİ STOK')");
        QTest::newRow("one dealer") << QStringLiteral(
            "INSERT INTO cari(carino, carikod, cariadi) VALUES (999, '999.99.999', 'ESKİ CARİ')");
        QTest::newRow("one user") << QStringLiteral(
            "INSERT INTO kullanici(sirano, adi, sifre, tip) VALUES (999, 'ESKI', '1', 3)");
    }

    void refusesStoreWithData() {
        QFETCH(QString, insert);
        std::unique_ptr<SqliteStore> fresh;
        Store* s = m_store.get();
        if (!insert.isEmpty()) {
            fresh = freshStore();
            s = fresh.get();
            Sql(*s, insert).exec();
        }
        const QByteArray before = digest(*s);
        QVERIFY(refused(*s, smallOptions(99)));
        QCOMPARE(digest(*s), before);
    }
};

QTEST_MAIN(SeedTest)
#include "tst_seed.moc"
