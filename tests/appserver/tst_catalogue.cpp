// The stock search and the basket of the application server, called through the client's proxy
// over HTTP: matching and ranking, prices and discounts, the basket's lines and their amounts,
// who may act for which dealer, the overdue warning, pictures, and the search index itself.

#include "liveserver.h"

#include "appserver.h"
#include "handlers/handlers.h"
#include "seed/demoseed.h"
#include "store/schema.h"
#include "store/sqlitestore.h"
#include "store/store.h"

#include "catalogue/discount.h"
#include "catalogue/searchtext.h"
#include "common/errors.h"
#include "common/utils.h"
#include "server/connection.h"
#include "server/memtable.h"
#include "server/proxim.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vk::server;

namespace {

struct TestArticle {
    int stokno = 0;
    QString barkod, adi, digeradi, oem1, ureticikodu, ozelkod, marka, model, anagrup;
    double listefiyat = 0;
    double kampfiyat = 0; // above 0: in a campaign
    double kdv = 20;
    int aktif = 1;
};

// One article a line: stokno|barkod|adi|digeradi|oem1|ureticikodu|ozelkod|marka|model|anagrup|
// listefiyat|kampfiyat|kdv|aktif
TestArticle article(const char* line) {
    const QStringList f = QString::fromUtf8(line).split(u'|');
    return {f[0].toInt(),
            f[1],
            f[2],
            f[3],
            f[4],
            f[5],
            f[6],
            f[7],
            f[8],
            f[9],
            f[10].toDouble(),
            f[11].toDouble(),
            f[12].toDouble(),
            f[13].toInt()};
}

// The search columns as whoever writes the catalogue fills them.
void addArticle(Store& store, const TestArticle& a) {
    QStringList keys;
    for (const QString& code : {a.barkod, a.oem1, a.ureticikodu, a.ozelkod}) {
        if (!searchCodeKey(code).isEmpty())
            keys.append(searchCodeKey(code));
    }
    QStringList names;
    for (const QString& name : {a.adi, a.digeradi, a.marka, a.model}) {
        if (!name.isEmpty())
            names.append(foldSearchText(name));
    }
    Sql(store,
        QStringLiteral("INSERT INTO stok(stokno, barkod, adi, digeradi, oem1, oemno, ureticikodu,"
                       " ozelkod, marka, model, anagrup, listefiyat, kampfiyat, kampanya, kdv,"
                       " aktif, durum, kalan, arama_kod, arama_ad)"
                       " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1, 12, ?, ?)"),
        {a.stokno, a.barkod, a.adi, a.digeradi, a.oem1, a.oem1, a.ureticikodu, a.ozelkod, a.marka,
         a.model, a.anagrup, a.listefiyat, a.kampfiyat, a.kampfiyat > 0 ? 1 : 0, a.kdv, a.aktif,
         keys.join(u' '), names.join(u' ')})
        .exec();
}

// Codes overlap on purpose: 1K0615301 is article 2's OEM, the start of 1's, inside 3's and in
// 4's other name. 9 is inactive, 10 in a campaign.
const char* const kArticles[] = {
    "1|VLK-100001|FREN BALATASI ÖN||1K0 615 301 AA|0 986 494 524|BOSCH|VW|GOLF VII 1.6 TDI|FREN|"
    "1234.56|0|20|1",
    "2|VLK-100002|FREN DİSKİ ÖN||1K0615301|09.A820.11|BREMBO|VW|PASSAT 2.0 TDI|FREN|850|0|20|1",
    "3|VLK-100003|FREN DİSKİ ARKA||X1K0615301|DF4254|TRW|SEAT|IBIZA 1.4 TSI|FREN|640|0|20|1",
    "4|VLK-100004|FREN KALİPERİ|1K0615301 UYUMLU|34116794|3411|ATE|BMW|3.20|FREN|2100|0|20|1",
    "5|VLK-100005|FREN BALATASI ARKA|BALATA ARKA|7701208357|GDB1330|TRW|RENAULT|CLIO IV 1.5 DCI|"
    "FREN|420|0|20|1",
    "6|VLK-100006|YAĞ FİLTRESİ||03L115562|W 719/45|MANN|VW|GOLF VII 1.6 TDI|FİLTRE|180.4|0|20|1",
    "7|VLK-100007|SİS FARI SAĞ||51858773|088358|VALEO|FIAT|EGEA|AYDINLATMA|950|0|20|1",
    "8|VLK-100008|YAG POMPASI||150108089R|7.07919.00|PIERBURG|RENAULT|MEGANE|MOTOR|2890.9|0|20|1",
    "9|VLK-100009|FREN BALATASI ÖN||5Q0698151|0 986 494 999|BOSCH|VW|GOLF VII|FREN|990|0|20|0",
    "10|VLK-100010|AMORTİSÖR ÖN||51605TV0E01|335806|KYB|HONDA|CIVIC|SÜSPANSİYON|200|170|10|1",
};

QList<int> stoknos(const vk::MemTable& t) {
    QList<int> out;
    for (int r = 0; r < t.recordCount(); ++r)
        out.append(t.value(r, QStringLiteral("STOK_STOKNO")).toInt());
    return out;
}

using vk::test::serverErrorOf;

const QString kQuantityError = QStringLiteral("Miktar 0'dan büyük ve en çok 10000 olmalı");
const QString kRefused = QStringLiteral("Bu işlem için yetkiniz yok");
const QString kLineGone =
    QStringLiteral("Sepet satırı bulunamadı; başka bir oturumda silinmiş olabilir.");

} // namespace

class CatalogueTest : public QObject {
    Q_OBJECT

    std::unique_ptr<vk::test::LiveServer> m_server;
    vk::ServerConnection m_connection;
    std::unique_ptr<TServerMethods1Client> m_proxy;

    Store& store() { return m_server->store(); }
    TServerMethods1Client& proxy() { return *m_proxy; }

    // A fresh login record of a workstation, as the client holds it; optionally for another
    // dealer (a representative picks one).
    std::unique_ptr<TSonucBilgisi> login(const QString& workstation, int carino = 0) {
        auto r = std::make_unique<TSonucBilgisi>();
        r->Kopyala(*proxy().BuyukGetir(workstation));
        if (carino != 0)
            r->setCARINO(carino);
        return r;
    }

    void search(vk::MemTable& t, const QString& text, const QString& ws = QStringLiteral("WS-BAYI"),
                int carino = 0) {
        vk::loadFromDataPacket(t, proxy().StokAraGetir(text, login(ws, carino)));
    }

    QList<int> found(const QString& text) {
        vk::MemTable t;
        search(t, text);
        return stoknos(t);
    }

    void basket(vk::MemTable& t, int carino = 120) {
        vk::loadFromDataPacket(t, proxy().SepetVer2(carino));
    }

    int add(const QString& ws, int stokno, double miktar, double fiyat = 1, double ind1 = 0,
            int carino = 120) {
        auto bilgi = login(ws, carino);
        const int user = bilgi->Sirano();
        return proxy().SepetEkle2(std::move(bilgi), carino, stokno, QStringLiteral("?"),
                                  QStringLiteral("?"), miktar, 1, fiyat, ind1, user, 1, 0, 0, 0);
    }

    int update(const QString& ws, int sirano, double miktar, double fiyat = 1, double ind1 = 0,
               int carino = 120) {
        auto bilgi = login(ws, carino);
        const int user = bilgi->Sirano();
        return proxy().SepetGuncelle2(std::move(bilgi), carino, 0, {}, {}, miktar, 1, fiyat, ind1,
                                      user, sirano, 0, 0, 0);
    }

    void clearBasket(int carino = 120) {
        proxy().SepetHepsiniSil(login(QStringLiteral("WS-TEMSILCI"), carino));
    }

    qint64 count(const QString& sql) { return Sql(store(), sql).exec().scalar().toLongLong(); }

private slots:
    void initTestCase() {
        m_server = std::make_unique<vk::test::LiveServer>();
        m_server->registerWorkstation(QStringLiteral("WS-BAYI"), QStringLiteral("BAYI"));
        m_server->registerWorkstation(QStringLiteral("WS-BAYI4"), QStringLiteral("BAYI4"));
        m_server->registerWorkstation(QStringLiteral("WS-PASIF"), QStringLiteral("PASIF"));
        m_server->registerWorkstation(QStringLiteral("WS-TEMSILCI"), QStringLiteral("TEMSILCI"));
        store().write([&] {
            for (const char* line : kArticles)
                addArticle(store(), article(line));
            Sql(store(), QStringLiteral("UPDATE cari SET iskonto_sinifi = 2 WHERE carino = 121"))
                .exec();
            Sql(store(), QStringLiteral("INSERT INTO cari(carino, carikod, cariadi, aktif)"
                                        " VALUES (122, '120.01.003', 'KAPANMIŞ OTO', 0)"))
                .exec();
            Sql(store(), QStringLiteral("INSERT INTO iskonto_grup(anagrup, sinif, ind1, ind2)"
                                        " VALUES ('FREN', 1, 25, 10), ('FREN', 2, 20, 0),"
                                        " ('SÜSPANSİYON', 2, 20, 0), ('FİLTRE', 1, 12.5, 0)"))
                .exec();
            Sql(store(), QStringLiteral("INSERT INTO stok_iskonto(stokno, sinif, ind1, ind2)"
                                        " VALUES (2, 1, 40, 5)"))
                .exec();
        });
        m_connection.setHostName(QStringLiteral("127.0.0.1"));
        m_connection.setPort(m_server->port());
        m_connection.setCallTimeoutMs(10000);
        m_connection.Open();
        m_proxy = std::make_unique<TServerMethods1Client>(&m_connection);
    }

    void cleanupTestCase() {
        m_proxy.reset();
        m_server.reset();
    }

    void matchingAndRanking_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("exact code, starts with, contains, name only")
            << QStringLiteral("1K0615301") << QList<int>{2, 1, 3, 4};
        QTest::newRow("OEM typed with spaces and in small letters")
            << QStringLiteral("1k0 615 301 aa") << QList<int>{1};
        QTest::newRow("OEM typed with other punctuation")
            << QStringLiteral("1K0-615-301.AA") << QList<int>{1};
        QTest::newRow("producer code in its compact form")
            << QStringLiteral("W71945") << QList<int>{6};
        QTest::newRow("producer code in parts, one shorter than three")
            << QStringLiteral("0 986 494") << QList<int>{1};
        QTest::newRow("every word must match") << QStringLiteral("fren ön") << QList<int>{1, 2};
        QTest::newRow("a name word, inactive article left out")
            << QStringLiteral("balata") << QList<int>{1, 5};
        QTest::newRow("model in the names") << QStringLiteral("golf") << QList<int>{1, 6};
        QTest::newRow("Turkish letters typed, plain ones stored")
            << QStringLiteral("yağ pompası") << QList<int>{8};
        QTest::newRow("plain letters typed, Turkish ones stored")
            << QStringLiteral("YAG FILTRESI") << QList<int>{6};
        QTest::newRow("Turkish letters on both sides")
            << QStringLiteral("sis farı sağ") << QList<int>{7};
        QTest::newRow("only short words") << QStringLiteral("VW 1.") << QList<int>{1, 2, 6};
        QTest::newRow("nothing matches") << QStringLiteral("balata megane") << QList<int>{};
        QTest::newRow("two characters") << QStringLiteral(" ab ") << QList<int>{};
        QTest::newRow("no letter or digit") << QStringLiteral("%%% ---") << QList<int>{};
    }

    void matchingAndRanking() {
        QFETCH(QString, text);
        QFETCH(QList<int>, expected);
        QCOMPARE(found(text), expected);
    }

    // Whatever is typed is only ever a value to look for.
    void oddTextsAnswer_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("quotes") << QStringLiteral("\"FREN\" 'ÖN\"\"");
        QTest::newRow("percent and underscore") << QStringLiteral("50% _A_ %");
        QTest::newRow("full-text syntax") << QStringLiteral("FREN OR NOT balata* NEAR(x) {a} :");
        QTest::newRow("SQL") << QStringLiteral("'; DROP TABLE stok; -- ' OR 1=1");
        QTest::newRow("300 characters") << QStringLiteral("\"1K0' %_ OR ").repeated(25);
        QTest::newRow("300 letters") << QString(300, u'A');
    }

    void oddTextsAnswer() {
        QFETCH(QString, text);
        vk::MemTable t;
        search(t, text);
        QCOMPARE(t.fieldCount(), 37);
        QCOMPARE(found(QStringLiteral("balata")), (QList<int>{1, 5}));
    }

    // The columns the client's lists are bound to, in order, with their kinds (String, Integer,
    // Float, Date, DateTime); also of an empty result.
    void columns_data() {
        QTest::addColumn<bool>("ofBasket");
        QTest::addColumn<QString>("expected");
        QTest::newRow("search") << false
                                << QStringLiteral(
                                       "STOK_STOKNO I, DURUM I, OEM1 S, OEM2 S, OEM3 S, OEM4 S, "
                                       "OEMNO S, BARKOD S, ADI S, DIGERADI S, FINISHKOD S, "
                                       "URETICIKODU S, OZELKOD S, DPKOD S, PKOD S, "
                                       "BARKOD_BARKODNO S, MARKA S, MODEL S, ANAGRUP S, BIRIM S, "
                                       "RESIM I, KALAN F, ALINANSIPARIS F, VERILENSIPARIS F, "
                                       "KDV F, LISTEFIYAT1 F, KAMPFIYAT F, FIYAT F, IND1 F, "
                                       "IND2 F, IND3 F, IND4 F, INDIRIMYAZI S, NETFIYAT F, "
                                       "KDVDAHIL F, Y I, K I");
        QTest::newRow("basket") << true
                                << QStringLiteral(
                                       "SEC I, VERILISTARIHI T, SIRANO I, SIPARISNO I, CARINO I, "
                                       "TARIH D, AKTAR I, STOKNO I, BARKOD S, FINISHKOD S, "
                                       "OEMNO S, STOKADI S, MIKTAR F, BIRIMFIYAT F, TUTAR F, "
                                       "INDIRIMYAZI S, INDIRIMORANI1 F, INDIRIMORANI2 F, "
                                       "INDIRIMORANI3 F, INDIRIMTUTAR F, NETBIRIMFIYAT F, KDV F, "
                                       "VERGITUTARI F, NETTUTAR F, KUR S, KURTL F, VERENIDNO I, "
                                       "SAAT S, TESLIMID I, KARGOID I, ACIKLAMA S, IDNO I, "
                                       "VERENSIRANO I, VEREN S, CARIKOD S, CARIADI S, OEM1 S, "
                                       "OEM2 S, OEM3 S, OEM4 S, STOK_STOKNO I, URETICIKODU S, "
                                       "DIGERADI S, DPKOD S, MARKA S, MODEL S, ANAGRUP S, "
                                       "OZELKOD S, PKOD S, DURUM I, KALAN F, INDIRIMORANI4 F");
    }

    void columns() {
        QFETCH(bool, ofBasket);
        vk::MemTable t;
        if (ofBasket)
            basket(t, 122);
        else
            search(t, QStringLiteral("ab"));
        QCOMPARE(t.recordCount(), 0);
        QStringList columns;
        for (const vk::FieldDef& f : t.fields()) {
            const char kind = f.type == vk::FieldType::String     ? 'S'
                              : f.type == vk::FieldType::Integer  ? 'I'
                              : f.type == vk::FieldType::Float    ? 'F'
                              : f.type == vk::FieldType::Date     ? 'D'
                              : f.type == vk::FieldType::DateTime ? 'T'
                                                                  : '?';
            columns.append(f.name + QLatin1Char(' ') + QLatin1Char(kind));
        }
        QTEST(columns.join(QStringLiteral(", ")), "expected");
    }

    void prices_data() {
        QTest::addColumn<QString>("workstation");
        QTest::addColumn<int>("carino");
        QTest::addColumn<QString>("barkod");
        QTest::addColumn<double>("fiyat");
        QTest::addColumn<double>("ind1");
        QTest::addColumn<double>("ind2");
        QTest::addColumn<QString>("indirimYazi");
        QTest::addColumn<int>("k");
        QTest::addColumn<double>("kampFiyat");
        QTest::newRow("group rates of the dealer's class")
            << "WS-BAYI" << 0 << "VLK-100001" << 1234.56 << 25.0 << 10.0 << "25+10" << 0 << 0.0;
        QTest::newRow("the article's own rates over its group's")
            << "WS-BAYI" << 0 << "VLK-100002" << 850.0 << 40.0 << 5.0 << "40+5" << 0 << 0.0;
        QTest::newRow("another class, the group's rates")
            << "WS-BAYI4" << 0 << "VLK-100002" << 850.0 << 20.0 << 0.0 << "20" << 0 << 0.0;
        QTest::newRow("a decimal rate")
            << "WS-BAYI" << 0 << "VLK-100006" << 180.4 << 12.5 << 0.0 << "12,5" << 0 << 0.0;
        QTest::newRow("no rates for the group")
            << "WS-BAYI" << 0 << "VLK-100008" << 2890.9 << 0.0 << 0.0 << "" << 0 << 0.0;
        QTest::newRow("campaign: its price, no rates")
            << "WS-BAYI" << 0 << "VLK-100010" << 170.0 << 0.0 << 0.0 << "15" << 1 << 170.0;
        QTest::newRow("type 4 sees no campaign")
            << "WS-BAYI4" << 0 << "VLK-100010" << 200.0 << 20.0 << 0.0 << "20" << 0 << 0.0;
        QTest::newRow("a representative for that dealer sees it")
            << "WS-TEMSILCI" << 121 << "VLK-100010" << 170.0 << 0.0 << 0.0 << "15" << 1 << 170.0;
    }

    void prices() {
        QFETCH(QString, workstation);
        QFETCH(int, carino);
        QFETCH(QString, barkod);
        vk::MemTable t;
        search(t, barkod, workstation, carino);
        QCOMPARE(t.recordCount(), 1);
        auto v = [&](const char* field) { return t.value(0, QString::fromLatin1(field)); };
        QCOMPARE(v("BARKOD").toString(), barkod);
        QTEST(v("FIYAT").toDouble(), "fiyat");
        QTEST(v("IND1").toDouble(), "ind1");
        QTEST(v("IND2").toDouble(), "ind2");
        QCOMPARE(v("IND3").toDouble(), 0.0);
        QTEST(v("INDIRIMYAZI").toString(), "indirimYazi");
        QTEST(v("K").toInt(), "k");
        QTEST(v("KAMPFIYAT").toDouble(), "kampFiyat");
        const double net =
            IndirimHesapla(v("FIYAT").toDouble(), v("IND1").toDouble(), v("IND2").toDouble(),
                           v("IND3").toDouble(), v("IND4").toDouble(), 1)
                .net;
        QCOMPARE(v("NETFIYAT").toDouble(), net);
        QCOMPARE(v("KDVDAHIL").toDouble(), IkiHaneYuvarla(net * (1 + v("KDV").toDouble() / 100)));
        QVERIFY(v("LISTEFIYAT1").toDouble() >= v("FIYAT").toDouble());
    }

    // A search goes through the full-text index and reads articles by their key only.
    void searchUsesTheIndex() {
        const QString statement = stockSearchStatement();
        Sql plan(store(), QStringLiteral("EXPLAIN QUERY PLAN ") + statement);
        for (qsizetype i = 0; i < statement.count(u'?'); ++i)
            plan.bind(QVariant());
        plan.exec();
        QStringList steps;
        while (plan.next())
            steps.append(plan.value(3).toString());
        const QString text = steps.join(u'\n');
        QVERIFY2(text.contains(QStringLiteral("SCAN f VIRTUAL TABLE INDEX")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("SEARCH s USING INTEGER PRIMARY KEY")),
                 qPrintable(text));
        for (const QString& step : std::as_const(steps))
            QVERIFY2(!step.startsWith(QStringLiteral("SCAN s")) &&
                         !step.startsWith(QStringLiteral("SCAN stok ")),
                     qPrintable(text));
    }

    void basketFlow() {
        clearBasket();
        // The dealer's price and rates are the catalogue's, whatever was sent.
        QCOMPARE(add(QStringLiteral("WS-BAYI"), 1, 2, 1.0, 99), 1);
        vk::MemTable t;
        basket(t);
        QCOMPARE(t.recordCount(), 1);
        auto v = [&](int row, const char* field) {
            return t.value(row, QString::fromLatin1(field));
        };
        const int sirano = v(0, "SIRANO").toInt();
        const LineAmounts two = basketLineAmounts(2, 1234.56, 20, 25, 10, 0, 0);
        QCOMPARE(v(0, "STOKNO").toInt(), 1);
        QCOMPARE(v(0, "STOK_STOKNO").toInt(), 1);
        QCOMPARE(v(0, "BARKOD").toString(), QStringLiteral("VLK-100001"));
        QCOMPARE(v(0, "STOKADI").toString(), QStringLiteral("FREN BALATASI ÖN"));
        QCOMPARE(v(0, "MIKTAR").toDouble(), 2.0);
        QCOMPARE(v(0, "BIRIMFIYAT").toDouble(), 1234.56);
        QCOMPARE(v(0, "KDV").toDouble(), 20.0);
        QCOMPARE(v(0, "INDIRIMORANI1").toDouble(), 25.0);
        QCOMPARE(v(0, "INDIRIMORANI2").toDouble(), 10.0);
        QCOMPARE(v(0, "INDIRIMYAZI").toString(), QStringLiteral("25+10"));
        QCOMPARE(v(0, "TUTAR").toDouble(), two.tutar);
        QCOMPARE(v(0, "INDIRIMTUTAR").toDouble(), two.indirimTutar);
        QCOMPARE(v(0, "NETTUTAR").toDouble(), two.netTutar);
        QCOMPARE(v(0, "NETBIRIMFIYAT").toDouble(), two.netBirimFiyat);
        QCOMPARE(v(0, "VERGITUTARI").toDouble(), two.vergiTutari);
        QCOMPARE(v(0, "SEC").toInt(), 1);
        QCOMPARE(v(0, "VEREN").toString(), QStringLiteral("BAYI"));
        QCOMPARE(v(0, "CARIKOD").toString(), QStringLiteral("120.01.001"));
        QCOMPARE(v(0, "OEM1").toString(), QStringLiteral("1K0 615 301 AA"));
        QCOMPARE(v(0, "KALAN").toDouble(), 12.0);
        // The line's time is the wall-clock time it was put in.
        const QDateTime given = v(0, "VERILISTARIHI").toDateTime().toUTC();
        const QDateTime local = QDateTime::currentDateTime();
        QVERIFY(qAbs(given.secsTo(QDateTime(local.date(), local.time(), Qt::UTC))) < 120);
        QCOMPARE(v(0, "SAAT").toString(), given.time().toString(QStringLiteral("HH:mm")));
        QCOMPARE(v(0, "TARIH").toDate(), given.date());

        // The same article again adds to its line.
        QCOMPARE(add(QStringLiteral("WS-BAYI"), 1, 3), 1);
        basket(t);
        QCOMPARE(t.recordCount(), 1);
        QCOMPARE(v(0, "MIKTAR").toDouble(), 5.0);
        QCOMPARE(v(0, "NETTUTAR").toDouble(),
                 basketLineAmounts(5, 1234.56, 20, 25, 10, 0, 0).netTutar);

        // A dealer changes the quantity, never the price.
        QCOMPARE(update(QStringLiteral("WS-BAYI"), sirano, 7, 5.0, 50), 1);
        basket(t);
        QCOMPARE(v(0, "MIKTAR").toDouble(), 7.0);
        QCOMPARE(v(0, "BIRIMFIYAT").toDouble(), 1234.56);
        QCOMPARE(v(0, "INDIRIMORANI1").toDouble(), 25.0);

        proxy().SepetSecimGuncelle(sirano, 0);
        basket(t);
        QCOMPARE(v(0, "SEC").toInt(), 0);
        proxy().SepetSecimGuncelle(sirano, 1);
        basket(t);
        QCOMPARE(v(0, "SEC").toInt(), 1);

        QCOMPARE(add(QStringLiteral("WS-BAYI"), 10, 1), 1);
        basket(t);
        QCOMPARE(stoknos(t), (QList<int>{1, 10}));
        QCOMPARE(v(1, "BIRIMFIYAT").toDouble(), 170.0);
        QCOMPARE(v(1, "INDIRIMYAZI").toString(), QStringLiteral("15"));
        QCOMPARE(v(1, "INDIRIMORANI1").toDouble(), 0.0);

        const QString why = QStringLiteral("yanlış ürün");
        QCOMPARE(proxy().SepetSatirSil(login(QStringLiteral("WS-BAYI")), sirano, why), 1);
        QCOMPARE(proxy().SepetSatirSil(login(QStringLiteral("WS-BAYI")), sirano, why), 0);
        basket(t);
        QCOMPARE(stoknos(t), (QList<int>{10}));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM sepet_log WHERE islem = 'satir_sil'"
                                      " AND carino = 120 AND aciklama = 'yanlış ürün'")),
                 1);

        // Emptying one dealer's basket leaves another's.
        add(QStringLiteral("WS-TEMSILCI"), 2, 1, 1, 0, 121);
        const QString cleared = QStringLiteral(
            "SELECT COUNT(*) FROM sepet_log WHERE islem = 'hepsini_sil' AND carino = 120");
        const qint64 clearedBefore = count(cleared);
        QCOMPARE(proxy().SepetHepsiniSil(login(QStringLiteral("WS-BAYI"))), 1);
        basket(t);
        QCOMPARE(t.recordCount(), 0);
        basket(t, 121);
        QCOMPARE(t.recordCount(), 1);
        QCOMPARE(count(cleared), clearedBefore + 1);
        clearBasket(121);
    }

    void updatingADeletedLineFails() {
        clearBasket();
        add(QStringLiteral("WS-BAYI"), 1, 1);
        vk::MemTable t;
        basket(t);
        const int sirano = t.value(0, QStringLiteral("SIRANO")).toInt();
        QCOMPARE(proxy().SepetSatirSil(login(QStringLiteral("WS-BAYI")), sirano, {}), 1);
        QCOMPARE(serverErrorOf([&] { update(QStringLiteral("WS-BAYI"), sirano, 3); }), kLineGone);
    }

    // A representative's price and rates stand, on adding and on changing a line.
    void representativesSetThePrice() {
        clearBasket();
        QCOMPARE(add(QStringLiteral("WS-TEMSILCI"), 1, 4, 99.5, 12.5), 1);
        vk::MemTable t;
        basket(t);
        QCOMPARE(t.value(0, QStringLiteral("BIRIMFIYAT")).toDouble(), 99.5);
        QCOMPARE(t.value(0, QStringLiteral("INDIRIMORANI1")).toDouble(), 12.5);
        QCOMPARE(t.value(0, QStringLiteral("INDIRIMYAZI")).toString(), QStringLiteral("12,5"));
        QCOMPARE(t.value(0, QStringLiteral("VEREN")).toString(), QStringLiteral("TEMSILCI"));
        QCOMPARE(t.value(0, QStringLiteral("NETTUTAR")).toDouble(),
                 basketLineAmounts(4, 99.5, 20, 12.5, 0, 0, 0).netTutar);
        const int sirano = t.value(0, QStringLiteral("SIRANO")).toInt();
        QCOMPARE(update(QStringLiteral("WS-TEMSILCI"), sirano, 4, 80, 0), 1);
        basket(t);
        QCOMPARE(t.value(0, QStringLiteral("BIRIMFIYAT")).toDouble(), 80.0);
        QCOMPARE(t.value(0, QStringLiteral("INDIRIMYAZI")).toString(), QString());
        QCOMPARE(serverErrorOf([&] { add(QStringLiteral("WS-TEMSILCI"), 1, 1, -1); }),
                 QStringLiteral("Fiyat 0'dan küçük olamaz"));
        QCOMPARE(serverErrorOf([&] { update(QStringLiteral("WS-TEMSILCI"), sirano, 1, 10, 101); }),
                 QStringLiteral("İndirim oranları 0 ile 100 arasında olmalı"));
        clearBasket();
    }

    void quantities_data() {
        QTest::addColumn<double>("inBasket"); // 0: no line yet
        QTest::addColumn<double>("added");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("zero") << 0.0 << 0.0 << false;
        QTest::newRow("negative") << 0.0 << -1.0 << false;
        QTest::newRow("over the most") << 0.0 << 10001.0 << false;
        QTest::newRow("the most") << 0.0 << 10000.0 << true;
        QTest::newRow("a sum over the most") << 6000.0 << 4001.0 << false;
        QTest::newRow("a sum of the most") << 6000.0 << 4000.0 << true;
    }

    void quantities() {
        QFETCH(double, inBasket);
        QFETCH(double, added);
        QFETCH(bool, accepted);
        clearBasket();
        if (inBasket > 0)
            add(QStringLiteral("WS-BAYI"), 1, inBasket);
        QCOMPARE(serverErrorOf([&] { add(QStringLiteral("WS-BAYI"), 1, added); }),
                 accepted ? QString() : kQuantityError);
        vk::MemTable t;
        basket(t);
        const double kept = accepted ? inBasket + added : inBasket;
        QCOMPARE(t.recordCount() > 0 ? t.value(0, QStringLiteral("MIKTAR")).toDouble() : 0.0, kept);

        // Changing a line's quantity is held to the same bounds.
        if (inBasket == 0) {
            clearBasket();
            add(QStringLiteral("WS-BAYI"), 1, 1);
            basket(t);
            const int sirano = t.value(0, QStringLiteral("SIRANO")).toInt();
            QCOMPARE(serverErrorOf([&] { update(QStringLiteral("WS-BAYI"), sirano, added); }),
                     accepted ? QString() : kQuantityError);
        }
        clearBasket();
    }

    void unknownArticles() {
        QCOMPARE(serverErrorOf([&] { add(QStringLiteral("WS-BAYI"), 999, 1); }),
                 QStringLiteral("Stok bulunamadı"));
        QCOMPARE(serverErrorOf([&] { add(QStringLiteral("WS-BAYI"), 9, 1); }), // inactive
                 QStringLiteral("Stok bulunamadı"));
    }

    void selectionMustBeZeroOrOne() {
        QCOMPARE(serverErrorOf([&] { proxy().SepetSecimGuncelle(1, 2); }),
                 QStringLiteral("Seçim 0 ya da 1 olmalı"));
        proxy().SepetSecimGuncelle(987654, 1); // an unknown line: nothing happens
    }

    void access_data() {
        QTest::addColumn<QString>("workstation");
        QTest::addColumn<int>("carino");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("a dealer for itself") << "WS-BAYI" << 120 << true;
        QTest::newRow("a dealer for another dealer") << "WS-BAYI" << 121 << false;
        QTest::newRow("a representative for any dealer") << "WS-TEMSILCI" << 121 << true;
        QTest::newRow("a representative for a closed dealer") << "WS-TEMSILCI" << 122 << false;
        QTest::newRow("an inactive user") << "WS-PASIF" << 120 << false;
        QTest::newRow("an unknown workstation") << "WS-YOK" << 120 << false;
    }

    void access() {
        QFETCH(QString, workstation);
        QFETCH(int, carino);
        QFETCH(bool, allowed);
        const QString expected = allowed ? QString() : kRefused;
        QCOMPARE(serverErrorOf([&] { add(workstation, 1, 1, 1, 0, carino); }), expected);
        QCOMPARE(serverErrorOf([&] { update(workstation, 987654, 1, 1, 0, carino); }),
                 allowed ? kLineGone : kRefused);
        QCOMPARE(serverErrorOf([&] { proxy().SepetSatirSil(login(workstation, carino), 1, {}); }),
                 expected);
        QCOMPARE(serverErrorOf([&] { proxy().SepetHepsiniSil(login(workstation, carino)); }),
                 expected);
        QCOMPARE(serverErrorOf([&] {
                     vk::MemTable t;
                     search(t, QStringLiteral("balata"), workstation, carino);
                 }),
                 expected);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM sepet")), 0);
    }

    void overduePayments() {
        const QDate today = QDate::currentDate();
        auto movement = [&](int carino, int daysAgo, double borc, double alacak, int dueIn) {
            Sql(store(),
                QStringLiteral("INSERT INTO cari_hareket(carino, tarih, turadi, borc, alacak,"
                               " vade_tarihi) VALUES (?, ?, 'Fatura', ?, ?, ?)"),
                {carino, today.addDays(-daysAgo).toString(Qt::ISODate), borc, alacak,
                 dueIn == 0 ? QVariant() : QVariant(today.addDays(dueIn).toString(Qt::ISODate))})
                .exec();
        };
        store().write([&] {
            movement(120, 98, 10000, 0, -38);
            movement(120, 60, 3450, 0, -5);
            movement(120, 50, 0, 1000, 0);
            movement(120, 20, 2000, 0, 10); // not due yet
            movement(121, 60, 500, 0, -30);
            movement(121, 40, 0, 800, 0);
        });
        QCOMPARE(
            proxy().CariVadeGunGecmismiBul(120),
            QStringLiteral("Vadesi geçmiş 12.450,00 TL borcunuz bulunmaktadır (en eski 38 gün)."));
        QCOMPARE(proxy().CariVadeGunGecmismiBul(121), QString());

        // Paid off oldest first: once the oldest invoice is paid, the next one is the oldest.
        store().write([&] { movement(120, 1, 0, 9500, 0); });
        QCOMPARE(
            proxy().CariVadeGunGecmismiBul(120),
            QStringLiteral("Vadesi geçmiş 2.950,00 TL borcunuz bulunmaktadır (en eski 5 gün)."));
    }

    void pictures() {
        QByteArray jpeg("\xFF\xD8\xFF\xE0", 4);
        jpeg.append(QByteArray(3000, 'p'));
        store().write([&] {
            Sql(store(), QStringLiteral("INSERT INTO stok_resim(stokno, resim) VALUES (6, ?)"),
                {jpeg})
                .exec();
        });
        qint64 boy = -1;
        vk::ByteStream* stream = proxy().ResimVer5(6, boy);
        QCOMPARE(boy, qint64(jpeg.size()));
        QCOMPARE(vk::readStreamBytes(stream, boy).value_or(QByteArray()), jpeg);
        proxy().ResimVer5(7, boy);
        QCOMPARE(boy, qint64(0));
    }

    // The demo data fills the search columns and leaves the index in step with later changes.
    void seededCatalogue() {
        QTemporaryDir dir;
        SqliteStore seeded(dir.filePath(QStringLiteral("demo.db")));
        seeded.migrate();
        DemoSeedOptions o;
        o.articles = 300;
        o.today = QDate(2026, 12, 1);
        seedDemo(seeded, o);
        ServerOptions so;
        so.port = 0;
        so.webPort = -1;
        so.requestLog = false;
        AppServer server(seeded, so);
        server.start();
        vk::ServerConnection connection;
        connection.setHostName(QStringLiteral("127.0.0.1"));
        connection.setPort(server.port());
        connection.Open();
        TServerMethods1Client p(&connection);
        auto find = [&](const QString& text) {
            auto bilgi = std::make_unique<TSonucBilgisi>();
            bilgi->Kopyala(*p.BuyukGetir(QStringLiteral("DEMO-BAYI")));
            vk::MemTable t;
            vk::loadFromDataPacket(t, p.StokAraGetir(text, std::move(bilgi)));
            return stoknos(t);
        };

        Sql article(seeded, QStringLiteral("SELECT stokno, oem1, ureticikodu, adi FROM stok"
                                           " WHERE oem1 LIKE '% %' AND aktif = 1 LIMIT 1"));
        article.exec();
        QVERIFY(article.next());
        const int stokno = article.value(0).toInt();
        QString compact = article.value(1).toString();
        compact.remove(u' ');
        QVERIFY(find(compact).contains(stokno));
        QVERIFY(find(article.value(2).toString()).contains(stokno));
        QVERIFY(find(article.value(3).toString().toLower()).contains(stokno));

        seeded.write([&] {
            Sql(seeded, QStringLiteral("INSERT INTO stok(stokno, barkod, adi, arama_kod, arama_ad)"
                                       " VALUES (5000, 'VLK-QQ1', 'DENEME', 'VLKQQ1', 'DENEME')"))
                .exec();
        });
        QCOMPARE(find(QStringLiteral("VLK-QQ1")), (QList<int>{5000}));
        seeded.write([&] {
            Sql(seeded, QStringLiteral("UPDATE stok SET arama_kod = 'VLKQQ2' WHERE stokno = 5000"))
                .exec();
        });
        QCOMPARE(find(QStringLiteral("VLK-QQ1")), QList<int>{});
        QCOMPARE(find(QStringLiteral("VLK-QQ2")), (QList<int>{5000}));
        seeded.write(
            [&] { Sql(seeded, QStringLiteral("DELETE FROM stok WHERE stokno = 5000")).exec(); });
        QCOMPARE(find(QStringLiteral("VLK-QQ2")), QList<int>{});
        server.stop();
    }

    // A catalogue written before the search columns existed gets them on migrating, by the same
    // rules as the search text, and is indexed.
    void migratingFillsTheSearchColumns() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("v1.db"));
        const TestArticle a = article("1|vlk-9/1|çağrı ışığı|Öğe (sağ)|1k0 615.301-aa|[ş] "
                                      "ğ_ü'ö\"ç;:#|İı&%!||ÖZEL 1.6|FREN|10|0|20|1");
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v1"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery q(db);
            for (const char* statement : schemaMigrations().at(0))
                QVERIFY2(q.exec(QString::fromUtf8(statement)), qPrintable(q.lastError().text()));
            QVERIFY(q.exec(QStringLiteral("INSERT INTO schema_version VALUES (1)")));
            QVERIFY(q.prepare(QStringLiteral(
                "INSERT INTO stok(stokno, barkod, adi, digeradi, oem1, ureticikodu, ozelkod,"
                " model) VALUES (?, ?, ?, ?, ?, ?, ?, ?)")));
            for (const QVariant& v :
                 {QVariant(a.stokno), QVariant(a.barkod), QVariant(a.adi), QVariant(a.digeradi),
                  QVariant(a.oem1), QVariant(a.ureticikodu), QVariant(a.ozelkod),
                  QVariant(a.model)})
                q.addBindValue(v);
            QVERIFY(q.exec());
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("v1"));

        SqliteStore upgraded(path);
        QCOMPARE(upgraded.migrate(), 2);
        QStringList keys;
        for (const QString& code : {a.barkod, a.oem1, a.ureticikodu, a.ozelkod})
            keys.append(searchCodeKey(code));
        const QString names = foldSearchText(a.adi) + QLatin1Char(' ') +
                              foldSearchText(a.digeradi) + QLatin1Char(' ') +
                              foldSearchText(a.model);
        Sql row(upgraded, QStringLiteral("SELECT arama_kod, arama_ad FROM stok"));
        row.exec();
        QVERIFY(row.next());
        QCOMPARE(row.value(0).toString(), keys.join(u' '));
        QCOMPARE(row.value(1).toString(), names);
        Sql indexed(upgraded, QStringLiteral("SELECT rowid FROM stok_ara WHERE stok_ara MATCH ?"),
                    {QStringLiteral("\"1K0615301AA\" AND \"CAGRI\"")});
        QCOMPARE(indexed.exec().scalar().toInt(), 1);
    }
};

QTEST_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
