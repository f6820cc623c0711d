// The basket's rules: totals over the selected lines, rounded after every addition, and the
// rows that show only above 1; the checks and the summary of sending an order; the address of
// the card-payment page.

#include "basket/baskettotals.h"
#include "basket/ordersubmit.h"
#include "common/utils.h"
#include "server/memtable.h"

#include <QTest>
#include <QUrlQuery>

namespace {

// A basket of lines (SEC, TUTAR, INDIRIMTUTAR, VERGITUTARI).
void basket(vk::MemTable& t, const QList<QList<double>>& lines) {
    t.defineFields({vk::FieldDef::make(QStringLiteral("SEC"), vk::FieldType::Integer),
                    vk::FieldDef::make(QStringLiteral("TUTAR"), vk::FieldType::Float),
                    vk::FieldDef::make(QStringLiteral("INDIRIMTUTAR"), vk::FieldType::Float),
                    vk::FieldDef::make(QStringLiteral("VERGITUTARI"), vk::FieldType::Float)});
    for (const QList<double>& l : lines)
        t.appendRow({int(l[0]), l[1], l[2], l[3]});
}

} // namespace

class BasketTest : public QObject {
    Q_OBJECT

private slots:
    void totals_data() {
        QTest::addColumn<QList<QList<double>>>("lines");
        QTest::addColumn<QList<double>>("expected"); // T, I, N, V, G
        QTest::addColumn<bool>("showIndirim");
        QTest::addColumn<bool>("showVergi");
        QTest::newRow("empty") << QList<QList<double>>{} << QList<double>{0, 0, 0, 0, 0} << false << false;
        QTest::newRow("rounded after every addition")
            << QList<QList<double>>{{1, 0.125, 0, 0}, {1, 0.125, 0, 0}} << QList<double>{0.26, 0, 0.26, 0, 0.26}
            << false << false;
        QTest::newRow("unselected lines left out")
            << QList<QList<double>>{{1, 100, 10, 16.2}, {0, 500, 50, 81}, {2, 7, 0, 0}}
            << QList<double>{100, 10, 90, 16.2, 106.2} << true << true;
        QTest::newRow("exactly 1.00 hidden")
            << QList<QList<double>>{{1, 50, 1, 1}} << QList<double>{50, 1, 49, 1, 50} << false << false;
        QTest::newRow("1.01 shown")
            << QList<QList<double>>{{1, 50, 1.01, 1.01}} << QList<double>{50, 1.01, 48.99, 1.01, 50} << true << true;
    }

    void totals() {
        QFETCH(QList<QList<double>>, lines);
        QFETCH(QList<double>, expected);
        QFETCH(bool, showIndirim);
        QFETCH(bool, showVergi);
        vk::MemTable t;
        basket(t, lines);
        const BasketTotals b = SepetToplamHesapla(t);
        QCOMPARE(b.toplam, expected[0]);
        QCOMPARE(b.indirim, expected[1]);
        QCOMPARE(b.araToplam, expected[2]);
        QCOMPARE(b.vergi, expected[3]);
        QCOMPARE(b.genelToplam, expected[4]);
        QCOMPARE(b.showIndirim, showIndirim);
        QCOMPARE(b.showVergi, showVergi);
        QCOMPARE(SeciliSatirVarmi(t), std::any_of(lines.begin(), lines.end(), [](const QList<double>& l) { return l[0] == 1; }));
    }

    void sendChecksInOrder_data() {
        QTest::addColumn<bool>("line");
        QTest::addColumn<bool>("delivery");
        QTest::addColumn<bool>("cargoType");
        QTest::addColumn<QString>("firm");
        QTest::addColumn<QString>("message");
        const QString none = QStringLiteral("Gönderilecek Parça Yok ");
        const QString noDelivery = QStringLiteral("Lütfen Teslim Durumu Seçiniz !");
        const QString noType = QStringLiteral("Lütfen Kargo Türünü Seçiniz !");
        const QString noFirm = QStringLiteral("Lütfen Kargo  Seçiniz !");
        const QString firm = QStringLiteral("Aras Kargo");
        QTest::newRow("nothing chosen at all") << false << false << false << QString() << none;
        QTest::newRow("no line beats every other") << false << true << true << firm << none;
        QTest::newRow("no delivery before no type") << true << false << false << QString() << noDelivery;
        QTest::newRow("no type before no firm") << true << true << false << QString() << noType;
        QTest::newRow("no firm") << true << true << true << QString() << noFirm;
        QTest::newRow("the blank entry") << true << true << true << QStringLiteral(" ") << noFirm;
        QTest::newRow("all chosen") << true << true << true << firm << QString();
    }
    void sendChecksInOrder() {
        QFETCH(bool, line);
        QFETCH(bool, delivery);
        QFETCH(bool, cargoType);
        QFETCH(QString, firm);
        QTEST(orderCheckMessage(checkOrder({line, delivery, cargoType, firm})), "message");
    }

    void selectedLineNeeded() {
        vk::MemTable t;
        QVERIFY(!SeciliSatirVarmi(t)); // never loaded
        basket(t, {});
        QVERIFY(!SeciliSatirVarmi(t));
        basket(t, {{0, 1, 0, 0}, {0, 2, 0, 0}});
        QVERIFY(!SeciliSatirVarmi(t));
        basket(t, {{0, 1, 0, 0}, {1, 2, 0, 0}});
        QVERIFY(SeciliSatirVarmi(t));
    }

    void summaryLinesUp() {
        const QString text = orderSummaryText(
            {QStringLiteral("Ayşe Kaya"), QStringLiteral("GÜLER OTOMOTİV"),
             QStringLiteral("Depodan Teslim Alınacak"), QStringLiteral("Alıcı Ödemeli"),
             QStringLiteral("1.234,50"), QStringLiteral("Aras Kargo"),
             QStringLiteral("acil\r\nikinci satır")});
        QCOMPARE(text, QStringLiteral("Kullanıcı: Ayşe Kaya\r\n"
                                      "Cari     : GÜLER OTOMOTİV\r\n"
                                      "Teslim   : Depodan Teslim Alınacak\r\n"
                                      "Kargo    : Alıcı Ödemeli\r\n"
                                      "Tutar    : 1.234,50\r\n"
                                      "Kargo    : Aras Kargo\r\n"
                                      "Açıklama : acil\r\nikinci satır"));
        for (const QString& l : text.split(QStringLiteral("\r\n")).mid(0, 7))
            QCOMPARE(l.indexOf(u':'), 9); // the colons line up in a fixed-pitch font
    }

    void firstFirmOfTheName() {
        vk::MemTable k;
        k.defineFields({vk::FieldDef::make(QStringLiteral("ADI"), vk::FieldType::String),
                        vk::FieldDef::make(QStringLiteral("SIRANO"), vk::FieldType::Integer)});
        k.appendRow({QStringLiteral("UPS Kargo"), 9});
        k.appendRow({QStringLiteral("Aras Kargo"), 7});
        k.appendRow({QStringLiteral("Aras Kargo"), 8});
        QCOMPARE(cargoFirmRow(k, QStringLiteral("Aras Kargo")), 1);
        QCOMPARE(cargoFirmRow(k, QStringLiteral(" ")), -1);
        QCOMPARE(cargoFirmRow(k, QStringLiteral("aras kargo")), -1);
    }

    void paymentAddressKeepsValuesApart_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("balance");
        QTest::newRow("plain") << QStringLiteral("KAYA OTO") << QStringLiteral("1.234,56");
        QTest::newRow("ampersand and hash")
            << QStringLiteral("A&B OTO #2 bakiye=0") << QStringLiteral("-120,00");
        QTest::newRow("Turkish letters, plus and percent")
            << QStringLiteral("ŞİŞLİ Çağ+Öz %50 Ltd.") << QStringLiteral("3 997,26 TL");
    }
    void paymentAddressKeepsValuesApart() {
        QFETCH(QString, name);
        QFETCH(QString, balance);
        const QUrl url = paymentPageUrl(QStringLiteral("odeme.example.com.tr"), 120, name, balance);
        QVERIFY(url.isValid());
        QCOMPARE(url.scheme(), QStringLiteral("https"));
        QCOMPARE(url.host(), QStringLiteral("odeme.example.com.tr"));
        QCOMPARE(url.path(), QStringLiteral("/Ravlokart.html"));
        QVERIFY(url.fragment().isNull());
        // What a web server sees, through the embedded browser and through the external one.
        for (const QString& address :
             {url.toString(QUrl::FullyEncoded), UrlEncode(url.toString(QUrl::FullyEncoded))}) {
            const QUrlQuery query(QUrl::fromEncoded(address.toLatin1(), QUrl::StrictMode));
            QCOMPARE(query.queryItems(QUrl::FullyDecoded).size(), 4);
            QCOMPARE(query.queryItemValue(QStringLiteral("carino")), QStringLiteral("120"));
            QCOMPARE(query.queryItemValue(QStringLiteral("sube")), QStringLiteral("MERKEZ"));
            // QUrlQuery leaves "+" alone; a form decoder would read it as a space.
            const auto value = [&](const QString& key) {
                return query.queryItemValue(key, QUrl::FullyDecoded);
            };
            QCOMPARE(value(QStringLiteral("firmasi")), name);
            QCOMPARE(value(QStringLiteral("bakiye")), balance);
            QVERIFY(!address.contains(u'+') && !address.contains(u' '));
        }
    }

    void neverLoaded() {
        vk::MemTable closed;
        QCOMPARE(SepetToplamHesapla(closed).genelToplam, 0.0);
        QVERIFY(!SeciliSatirVarmi(closed));
    }

    void widthRule() {
        QVERIFY(!basketUsesWeights(1152));
        QVERIFY(basketUsesWeights(1153));
    }
};

QTEST_GUILESS_MAIN(BasketTest)
#include "tst_basket.moc"
