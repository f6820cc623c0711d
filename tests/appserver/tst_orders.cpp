// Ordering on the application server, called through the client's proxy over HTTP: the delivery
// and cargo choices, turning the selected basket lines into an order, and the dealer's balance.

#include "liveserver.h"

#include "store/store.h"

#include "common/errors.h"
#include "server/connection.h"
#include "server/memtable.h"
#include "server/proxim.h"

#include <QDateTime>
#include <QSqlRecord>
#include <QTest>

#include <atomic>
#include <barrier>
#include <functional>
#include <memory>
#include <thread>

using namespace vk::server;

namespace {

using vk::test::serverErrorOf;

// The rows of a table, one text a row with its cells joined by '|'.
QStringList rowsOf(const vk::MemTable& t) {
    QStringList rows;
    for (int r = 0; r < t.recordCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < t.fieldCount(); ++c)
            cells.append(t.value(r, c).toString());
        rows.append(cells.join(u'|'));
    }
    return rows;
}

// The column names with their kinds (S text, I integer).
QString columnsOf(const vk::MemTable& t) {
    QStringList columns;
    for (const vk::FieldDef& f : t.fields())
        columns.append(f.name + u' ' +
                       (f.type == vk::FieldType::String    ? u'S'
                        : f.type == vk::FieldType::Integer ? u'I'
                                                           : u'?'));
    return columns.join(QStringLiteral(", "));
}

const QString kRefused = QStringLiteral("Bu işlem için yetkiniz yok");

// What dealers have ordered and not yet received, per article.
const QString kOrderedSql =
    QStringLiteral("SELECT stokno, alinansiparis FROM stok ORDER BY stokno");

// The columns an order line copies from its basket line.
const QString kCopied = QStringLiteral("stokno, barkod, stokadi, miktar, birimfiyat, ilkfiyat,"
                                       " ind1, ind2, ind3, ind4, kdv, kampanya, veren_sirano");

} // namespace

class OrdersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<vk::test::LiveServer> m_server;
    vk::ServerConnection m_connection;
    std::unique_ptr<TServerMethods1Client> m_proxy;
    int m_nextDealer = 200;

    Store& store() { return m_server->store(); }
    TServerMethods1Client& proxy() { return *m_proxy; }

    std::unique_ptr<TSonucBilgisi> login(TServerMethods1Client& p, const QString& workstation,
                                         int carino = 0) {
        auto r = std::make_unique<TSonucBilgisi>();
        r->Kopyala(*p.BuyukGetir(workstation));
        if (carino != 0)
            r->setCARINO(carino);
        return r;
    }

    int userOf(const QString& workstation) { return login(proxy(), workstation)->Sirano(); }

    // An order as the client sends it; verenid 0 stands for the calling user.
    bool order(const QString& workstation, int carino, int teslim, int kargo, int firma,
               const QString& note = {}, int verenid = 0, TServerMethods1Client* p = nullptr) {
        TServerMethods1Client& via = p ? *p : proxy();
        auto bilgi = login(via, workstation, carino);
        const int veren = verenid != 0 ? verenid : bilgi->Sirano();
        return via.SiparisKaydet(std::move(bilgi), carino, teslim, kargo, note, veren, firma);
    }

    // A basket line with its own value in every column an order copies.
    int addLine(int carino, int stokno, double miktar, int sec, int veren) {
        Sql insert(store(),
                   QStringLiteral("INSERT INTO sepet(carino, stokno, barkod, stokadi, miktar, kdv,"
                                  " birimfiyat, ilkfiyat, ind1, ind2, ind3, ind4, kampanya,"
                                  " veren_sirano, sec, zaman)"
                                  " SELECT ?, stokno, barkod, adi, ?, kdv, listefiyat * 0.9,"
                                  " listefiyat, 25, 10, 5, 2.5, ?, ?, ?, '2026-01-02 10:00:00'"
                                  " FROM stok WHERE stokno = ?"),
                   {carino, miktar, stokno % 2, veren, sec, stokno});
        int sirano = 0;
        store().write([&] { sirano = int(insert.exec().lastInsertId()); });
        return sirano;
    }

    qint64 number(const QString& sql) { return Sql(store(), sql).exec().scalar().toLongLong(); }

    // The rows of a statement, one text a row with its cells joined by '|'.
    QStringList rows(const QString& sql, std::initializer_list<QVariant> values = {}) {
        Sql q(store(), sql, values);
        q.exec();
        QStringList out;
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < q.query().record().count(); ++i)
                cells.append(q.value(i).toString());
            out.append(cells.join(u'|'));
        }
        return out;
    }

    // Everything an order writes to.
    QString state() {
        QStringList out;
        for (const char* sql : {"SELECT * FROM sepet ORDER BY sirano", "SELECT * FROM siparis",
                                "SELECT * FROM siparis_satir", "SELECT * FROM sepet_log"})
            out += rows(QString::fromLatin1(sql));
        out += rows(kOrderedSql);
        return out.join(u'\n');
    }

    void clear() {
        store().write([&] {
            for (const char* sql :
                 {"DELETE FROM sepet", "DELETE FROM siparis_satir", "DELETE FROM siparis"})
                Sql(store(), QString::fromLatin1(sql)).exec();
        });
    }

private slots:
    void initTestCase() {
        m_server = std::make_unique<vk::test::LiveServer>();
        m_server->registerWorkstation(QStringLiteral("WS-BAYI"), QStringLiteral("BAYI"));
        m_server->registerWorkstation(QStringLiteral("WS-BAYI4"), QStringLiteral("BAYI4"));
        m_server->registerWorkstation(QStringLiteral("WS-PASIF"), QStringLiteral("PASIF"));
        m_server->registerWorkstation(QStringLiteral("WS-TEMSILCI"), QStringLiteral("TEMSILCI"));
        store().write([&] {
            Sql(store(), QStringLiteral("INSERT INTO stok(stokno, barkod, adi, kdv, listefiyat)"
                                        " VALUES (1, 'VLK-1', 'FREN BALATASI ÖN', 20, 1234.56),"
                                        " (2, 'VLK-2', 'YAĞ FİLTRESİ', 10, 180.4),"
                                        " (3, 'VLK-3', 'SİS FARI SAĞ', 20, 950)"))
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
        m_connection.Close(); // an open keep-alive connection holds the server's stop
        m_server.reset();
    }

    void init() { clear(); }

    // In the lists' order (sira, then id); an unknown cargo type has no firms, but its columns.
    void choices_data() {
        QTest::addColumn<int>("method"); // 0 TeslimVer, 1 KargoVer, 2 KargolarVer
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("delivery options")
            << 0 << 0 << QStringLiteral("ID I, ADI S")
            << QStringList{QStringLiteral("2|Depodan Teslim Alınacak"),
                           QStringLiteral("1|Kargo ile Gönderim"),
                           QStringLiteral("3|Servis Aracı ile"),
                           QStringLiteral("4|Ambar ile Gönderim")};
        QTest::newRow("cargo types") << 1 << 0 << QStringLiteral("ID I, ADI S")
                                     << QStringList{QStringLiteral("2|Gönderici Ödemeli"),
                                                    QStringLiteral("1|Alıcı Ödemeli")};
        QTest::newRow("firms of a type")
            << 2 << 1 << QStringLiteral("ADI S, SIRANO I, UYARI S")
            << QStringList{
                   QStringLiteral("Yurtiçi Kargo|2|"),
                   QStringLiteral("Aras Kargo|1|Cumartesi günleri teslimat yapılmamaktadır."),
                   QStringLiteral("MNG Kargo|4|")};
        QTest::newRow("firms of the other type")
            << 2 << 2 << QStringLiteral("ADI S, SIRANO I, UYARI S")
            << QStringList{QStringLiteral(
                   "Sürat Kargo|3|Saat 16:00'dan sonra verilenler ertesi gün çıkar.")};
        QTest::newRow("firms of an unknown type")
            << 2 << 99 << QStringLiteral("ADI S, SIRANO I, UYARI S") << QStringList{};
    }

    void choices() {
        QFETCH(int, method);
        QFETCH(int, type);
        vk::MemTable t;
        vk::loadFromReader(t, method == 0   ? *proxy().TeslimVer()
                              : method == 1 ? *proxy().KargoVer()
                                            : *proxy().KargolarVer(type));
        QTEST(columnsOf(t), "columns");
        QTEST(rowsOf(t), "rows");
    }

    // The selected lines become one order with the choices sent, copied as the basket held
    // them and left open; the unselected line and another dealer's basket stay.
    void ordering() {
        const int bayi = userOf(QStringLiteral("WS-BAYI"));
        const int temsilci = userOf(QStringLiteral("WS-TEMSILCI"));
        const int first = addLine(120, 3, 2, 1, bayi);
        const int kept = addLine(120, 1, 5, 0, bayi);
        const int last = addLine(120, 2, 7.5, 1, temsilci);
        const int other = addLine(121, 1, 1, 1, temsilci);
        const QStringList selected = rows(QStringLiteral("SELECT sirano, ") + kCopied +
                                              QStringLiteral(" FROM sepet WHERE sirano IN (?, ?)"
                                                             " ORDER BY sirano"),
                                          {first, last});
        const QStringList orderedBefore = rows(kOrderedSql);
        const qint64 logged = number(QStringLiteral(
            "SELECT COUNT(*) FROM sepet_log WHERE islem = 'siparis' AND carino = 120"));

        QVERIFY(order(QStringLiteral("WS-BAYI"), 120, 3, 1, 4, QStringLiteral("Acil")));

        const QStringList head = rows(QStringLiteral(
            "SELECT carino, veren_sirano, teslim_id, kargo_turu_id, kargo_firma_id, aciklama,"
            " alan_notu, durum, kur, kurtl FROM siparis"));
        QCOMPARE(head, QStringList{QStringLiteral("120|%1|3|1|4|Acil||2|TL|1").arg(bayi)});
        const QString tarih = rows(QStringLiteral("SELECT tarih FROM siparis")).value(0);
        QVERIFY2(qAbs(QDateTime::fromString(tarih, QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                          .secsTo(QDateTime::currentDateTime())) < 120,
                 qPrintable(tarih));

        QCOMPARE(rows(QStringLiteral("SELECT sepet_sirano, ") + kCopied +
                      QStringLiteral(" FROM siparis_satir ORDER BY stokhar_no")),
                 selected);
        // Each line is open in full.
        QCOMPARE(rows(QStringLiteral("SELECT teslimedilen, iptal FROM siparis_satir")),
                 (QStringList{QStringLiteral("0|0"), QStringLiteral("0|0")}));
        QCOMPARE(rows(QStringLiteral("SELECT sirano FROM sepet ORDER BY sirano")),
                 (QStringList{QString::number(kept), QString::number(other)}));
        // What dealers wait for grows by the open lines: articles 3 and 2, not 1.
        QStringList ordered = orderedBefore;
        ordered[1] = QStringLiteral("2|%1").arg(orderedBefore[1].section(u'|', 1).toDouble() + 7.5);
        ordered[2] = QStringLiteral("3|%1").arg(orderedBefore[2].section(u'|', 1).toDouble() + 2);
        QCOMPARE(rows(kOrderedSql), ordered);
        QCOMPARE(number(QStringLiteral(
                     "SELECT COUNT(*) FROM sepet_log WHERE islem = 'siparis' AND carino = 120")),
                 logged + 1);
    }

    // Answered false with nothing changed: the basket, the orders, the log, the waited-for
    // quantities.
    void refused_data() {
        QTest::addColumn<QString>("basket");
        QTest::addColumn<int>("teslim");
        QTest::addColumn<int>("kargo");
        QTest::addColumn<int>("firma");
        QTest::addColumn<int>("verenid"); // 0: the calling user
        QTest::newRow("no line selected") << "unselected" << 1 << 1 << 1 << 0;
        QTest::newRow("empty basket") << "empty" << 1 << 1 << 1 << 0;
        QTest::newRow("only another dealer's lines") << "other dealer" << 1 << 1 << 1 << 0;
        QTest::newRow("unknown delivery option") << "selected" << 99 << 1 << 1 << 0;
        QTest::newRow("no delivery option") << "selected" << 0 << 1 << 1 << 0;
        QTest::newRow("unknown cargo type") << "selected" << 1 << 99 << 1 << 0;
        QTest::newRow("unknown cargo firm") << "selected" << 1 << 1 << 99 << 0;
        QTest::newRow("no cargo firm") << "selected" << 1 << 1 << 0 << 0;
        QTest::newRow("a firm of another cargo type") << "selected" << 1 << 1 << 3 << 0;
        QTest::newRow("unknown ordering user") << "selected" << 1 << 1 << 1 << 9999;
    }

    void refused() {
        QFETCH(QString, basket);
        QFETCH(int, teslim);
        QFETCH(int, kargo);
        QFETCH(int, firma);
        QFETCH(int, verenid);
        const int bayi = userOf(QStringLiteral("WS-BAYI"));
        if (basket == u"selected" || basket == u"unselected")
            addLine(120, 1, 2, basket == u"selected" ? 1 : 0, bayi);
        if (basket == u"selected")
            addLine(120, 2, 1, 0, bayi);
        if (basket == u"other dealer")
            addLine(121, 1, 2, 1, bayi);
        const QString before = state();
        QVERIFY(!order(QStringLiteral("WS-BAYI"), 120, teslim, kargo, firma, QStringLiteral("x"),
                       verenid));
        QCOMPARE(state(), before);
    }

    void access_data() {
        QTest::addColumn<QString>("workstation");
        QTest::addColumn<int>("carino");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("a dealer's user for its dealer") << "WS-BAYI" << 120 << true;
        QTest::newRow("a dealer's user for another dealer") << "WS-BAYI" << 121 << false;
        QTest::newRow("a representative for any dealer") << "WS-TEMSILCI" << 121 << true;
        QTest::newRow("an inactive user") << "WS-PASIF" << 120 << false;
    }

    void access() {
        QFETCH(QString, workstation);
        QFETCH(int, carino);
        QFETCH(bool, allowed);
        addLine(carino, 1, 1, 1, userOf(QStringLiteral("WS-TEMSILCI")));
        const QString before = state();
        bool saved = false;
        QCOMPARE(serverErrorOf([&] { saved = order(workstation, carino, 1, 1, 1); }),
                 allowed ? QString() : kRefused);
        QCOMPARE(saved, allowed);
        if (allowed)
            QCOMPARE(rows(QStringLiteral("SELECT carino FROM siparis")),
                     QStringList{QString::number(carino)});
        else
            QCOMPARE(state(), before);
    }

    // The dealer's note is kept as sent: long, with quotes, line breaks, Turkish letters and
    // what SQL and JSON give meaning to.
    void noteRoundTrips() {
        const QString piece = QStringLiteral(
            "Çağrı \"acil\" 'yarın' sabah;\r\nİkinci satır: ığüşöç ĞÜŞİÖÇ\\n \\\" %_ --\n\t{[]}");
        QString note;
        while (note.size() + piece.size() <= 10000)
            note += piece;
        note += QString(10000 - note.size(), u'x');
        QCOMPARE(note.size(), 10000);
        addLine(120, 1, 1, 1, userOf(QStringLiteral("WS-BAYI")));
        QVERIFY(order(QStringLiteral("WS-BAYI"), 120, 1, 1, 1, note));
        QCOMPARE(Sql(store(), QStringLiteral("SELECT aciklama FROM siparis")).exec().scalar(),
                 QVariant(note));
    }

    // Two workstations sending the same basket at the same moment make one order of it.
    void sameBasketSentTwiceAtOnce() {
        const int bayi = userOf(QStringLiteral("WS-BAYI"));
        for (int round = 0; round < 5; ++round) {
            clear();
            for (int stokno = 1; stokno <= 3; ++stokno)
                addLine(120, stokno, 1, 1, bayi);
            std::barrier start(2);
            std::atomic<int> saved{0};
            std::atomic<int> failed{0};
            auto client = [&] {
                vk::ServerConnection c;
                c.setHostName(QStringLiteral("127.0.0.1"));
                c.setPort(m_server->port());
                c.setCallTimeoutMs(10000);
                c.Open();
                TServerMethods1Client p(&c);
                try {
                    auto bilgi = login(p, QStringLiteral("WS-BAYI"));
                    start.arrive_and_wait();
                    if (p.SiparisKaydet(std::move(bilgi), 120, 1, 1, QString(), bayi, 1))
                        ++saved;
                } catch (const std::exception&) {
                    ++failed;
                }
            };
            std::thread a(client);
            std::thread b(client);
            a.join();
            b.join();
            QCOMPARE(failed.load(), 0);
            QCOMPARE(saved.load(), 1);
            QCOMPARE(number(QStringLiteral("SELECT COUNT(*) FROM siparis")), 1);
            QCOMPARE(number(QStringLiteral("SELECT COUNT(*) FROM siparis_satir")), 3);
            QCOMPARE(number(QStringLiteral("SELECT COUNT(*) FROM sepet")), 0);
        }
    }

    // Debit less credit over the dealer's own movements; the client takes an empty text for a
    // failure, so a settled account reads 0,00.
    void balance_data() {
        QTest::addColumn<QString>("movements"); // borc/alacak ...
        QTest::addColumn<QString>("expected");
        QTest::newRow("debit over credit")
            << QStringLiteral("5000.5/0 1200/0 0/2203.24") << QStringLiteral("3.997,26");
        QTest::newRow("credit over debit")
            << QStringLiteral("100/0 0/220") << QStringLiteral("-120,00");
        QTest::newRow("settled, with the sum's float residue")
            << QStringLiteral("0.1/0 0.2/0 0/0.3") << QStringLiteral("0,00");
        QTest::newRow("no movements") << QString() << QStringLiteral("0,00");
        QTest::newRow("millions") << QStringLiteral("1234567.885/0")
                                  << QStringLiteral("1.234.567,89");
    }

    void balance() {
        QFETCH(QString, movements);
        const int carino = m_nextDealer++;
        store().write([&] {
            Sql(store(),
                QStringLiteral("INSERT INTO cari(carino, carikod, cariadi)"
                               " VALUES (?, ?, 'BAKİYE OTO')"),
                {carino, QStringLiteral("B-%1").arg(carino)})
                .exec();
            Sql movement(store(),
                         QStringLiteral("INSERT INTO cari_hareket(carino, tarih, turadi,"
                                        " borc, alacak) VALUES (?, '2026-01-02', 'F', ?, ?)"));
            movement.exec({121, 999.0, 0.0}); // another dealer's
            for (const QString& m : movements.split(u' ', Qt::SkipEmptyParts))
                movement.exec(
                    {carino, m.section(u'/', 0, 0).toDouble(), m.section(u'/', 1, 1).toDouble()});
        });
        QTEST(proxy().CariDurumVer(carino), "expected");
    }

    void balanceOfAnUnknownDealer() {
        QCOMPARE(serverErrorOf([&] { proxy().CariDurumVer(9999); }),
                 QStringLiteral("Cari bulunamadı"));
    }
};

QTEST_MAIN(OrdersTest)
#include "tst_orders.moc"
