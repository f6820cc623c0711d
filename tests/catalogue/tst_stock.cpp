// The catalogue's rules and the stock detail dialog: the discount chain, the search text, the
// stock list's layouts and price cell, and the dialog's four modes and recalculations.

#include "testdoubles.h"

#include "catalogue/discount.h"
#include "catalogue/searchtext.h"
#include "catalogue/stockdetail.h"
#include "catalogue/stocklistrules.h"
#include "catalogue/stokayarintiU.h"
#include "server/memtable.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

Q_DECLARE_METATYPE(DetailMode)

namespace {

// One row of a list or of the basket, with the fields the dialog reads.
void fillRow(vk::MemTable& t, const QList<std::pair<QString, QVariant>>& cells) {
    QList<vk::FieldDef> fields;
    QVariantList values;
    for (const auto& [name, value] : cells) {
        const vk::FieldType type = value.typeId() == QMetaType::QString ? vk::FieldType::String
                                   : value.typeId() == QMetaType::Int   ? vk::FieldType::Integer
                                                                        : vk::FieldType::Float;
        fields.append(vk::FieldDef::make(name, type));
        values.append(value);
    }
    t.defineFields(fields);
    t.appendRow(values);
}

void stockRow(vk::MemTable& t, int k, double fiyat = 250.0) {
    fillRow(t, {{QStringLiteral("STOK_STOKNO"), 42},       {QStringLiteral("BARKOD"), QStringLiteral("VLK-100042")},
                {QStringLiteral("ADI"), QStringLiteral("FREN BALATASI ÖN")}, {QStringLiteral("FINISHKOD"), QStringLiteral("F1")},
                {QStringLiteral("MARKA"), QStringLiteral("FIAT")},   {QStringLiteral("MODEL"), QStringLiteral("DOBLO")},
                {QStringLiteral("KDV"), 20.0},                       {QStringLiteral("FIYAT"), fiyat},
                {QStringLiteral("IND1"), 25.0},                      {QStringLiteral("IND2"), 10.0},
                {QStringLiteral("IND3"), 0.0},                       {QStringLiteral("IND4"), 0.0},
                {QStringLiteral("NETFIYAT"), 168.75},                {QStringLiteral("KDVDAHIL"), 202.5},
                {QStringLiteral("INDIRIMYAZI"), QStringLiteral("25+10")}, {QStringLiteral("K"), k}});
}

void basketRow(vk::MemTable& t, double miktar) {
    fillRow(t, {{QStringLiteral("SIRANO"), 7},            {QStringLiteral("STOKNO"), 42},
                {QStringLiteral("BARKOD"), QStringLiteral("VLK-100042")}, {QStringLiteral("STOKADI"), QStringLiteral("FREN BALATASI ÖN")},
                {QStringLiteral("FINISHKOD"), QStringLiteral("F1")}, {QStringLiteral("MARKA"), QStringLiteral("FIAT")},
                {QStringLiteral("MODEL"), QStringLiteral("DOBLO")}, {QStringLiteral("KDV"), 18.0},
                {QStringLiteral("INDIRIMORANI1"), 10.0},      {QStringLiteral("INDIRIMORANI2"), 0.0},
                {QStringLiteral("INDIRIMORANI3"), 0.0},       {QStringLiteral("INDIRIMORANI4"), 0.0},
                {QStringLiteral("INDIRIMYAZI"), QStringLiteral("10")}, {QStringLiteral("BIRIMFIYAT"), 10.0},
                {QStringLiteral("NETBIRIMFIYAT"), 9.0},       {QStringLiteral("INDIRIMTUTAR"), 1.0},
                {QStringLiteral("MIKTAR"), miktar}});
}

} // namespace

class StockTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }

    void discountChain_data() {
        QTest::addColumn<double>("gross");
        QTest::addColumn<QList<double>>("rates");
        QTest::addColumn<double>("quantity");
        QTest::addColumn<double>("discount");
        QTest::addColumn<double>("net");
        QTest::addColumn<double>("netUnit");
        QTest::newRow("two rates") << 100.0 << QList<double>{10, 5, 0, 0} << 1.0 << 14.5 << 85.5 << 85.5;
        QTest::newRow("no rates") << 100.0 << QList<double>{0, 0, 0, 0} << 1.0 << 0.0 << 100.0 << 100.0;
        QTest::newRow("negative rates skipped") << 100.0 << QList<double>{-5, 20, 0, 0} << 2.0 << 20.0 << 80.0 << 40.0;
        QTest::newRow("three pieces") << 30.0 << QList<double>{10, 0, 0, 0} << 3.0 << 3.0 << 27.0 << 9.0;
        QTest::newRow("quantity 0") << 0.0 << QList<double>{10, 0, 0, 0} << 0.0 << 0.0 << 0.0 << 0.0;
    }

    void discountChain() {
        QFETCH(double, gross);
        QFETCH(QList<double>, rates);
        QFETCH(double, quantity);
        QFETCH(double, discount);
        QFETCH(double, net);
        QFETCH(double, netUnit);
        const DiscountChain c = IndirimHesapla(gross, rates[0], rates[1], rates[2], rates[3], quantity);
        QCOMPARE(c.discountAmount, discount);
        QCOMPARE(c.net, net);
        QCOMPARE(c.netUnitPrice, netUnit);
    }

    void detailRecalculation() {
        // Quantity 3, unit price 10, rates 10, VAT 18: 9.00 a piece, 10.62 with VAT, 31.86 in all.
        const DetailAmounts a = yenidenHesapla(10, 3, 18, 10, 0, 0, 0);
        QCOMPARE(a.indtutar, 3.0);
        QCOMPARE(a.kdvdahiltutar, 10.62);
        QCOMPARE(a.geneltutar, 31.86);
        QCOMPARE(tutarHesapla(3, 10.62), 31.86);
        QCOMPARE(wholeQuantity(QStringLiteral("2,7")), 2);
        QCOMPARE(wholeQuantity(QStringLiteral("")), 1);
        QCOMPARE(wholeQuantity(QStringLiteral("abc")), 1);
        QCOMPARE(clampQuantity(12000), 10000.0);
        QCOMPARE(clampQuantity(0), 1.0);
        QCOMPARE(discountRatesText(25, 10, 0, 0), QStringLiteral("25+10"));
        QCOMPARE(discountRatesText(12.5, 0, 0, 0), QStringLiteral("12,5"));
        const LineAmounts l = basketLineAmounts(3, 10, 18, 10, 0, 0, 0);
        QCOMPARE(l.tutar, 30.0);
        QCOMPARE(l.netTutar, 27.0);
        QCOMPARE(l.indirimTutar, 3.0);
        QCOMPARE(l.netBirimFiyat, 9.0);
        QCOMPARE(l.vergiTutari, 4.86);
    }

    void folding() {
        QCOMPARE(foldSearchText(QStringLiteral("şöğüçı")), QStringLiteral("SOGUCI"));
        QCOMPARE(foldSearchText(QStringLiteral("ŞÖĞÜÇİ fren")), QStringLiteral("SOGUCI FREN"));
        QCOMPARE(foldSearchText(QStringLiteral("bujİ")), QStringLiteral("BUJI"));
        QCOMPARE(searchCodeKey(QStringLiteral("1K0 615-301.aa")), QStringLiteral("1K0615301AA"));
        QVERIFY(!searchTextLongEnough(QStringLiteral("AB")));
        QVERIFY(!searchTextLongEnough(QStringLiteral("  AB  ")));
        QVERIFY(searchTextLongEnough(QStringLiteral("ABC")));
    }

    void stockListLayoutRule() {
        const StockListLayout narrow = stockListLayout(1152, true);
        QVERIFY(!narrow.wide && narrow.priceInfo && !narrow.priceColumns && !narrow.campaignPrice);
        QCOMPARE(narrow.rowHeight, 100);
        const StockListLayout wide = stockListLayout(1153, true);
        QVERIFY(wide.wide && !wide.priceInfo && wide.priceColumns && wide.campaignPrice);
        QCOMPARE(wide.rowHeight, 60);
        QVERIFY(!stockListLayout(1600, false).campaignPrice); // type 4 never sees it
    }

    void priceInformation() {
        const QLocale tr(QLocale::Turkish, QLocale::Turkey);
        QCOMPARE(priceInfoText(1000, 0, 675, 810, tr),
                 QStringLiteral("Liste Fiyatı: 1.000,00\r\nNetFiyat: 675,00\r\nKDV li Fiyat: 810,00\r\n"));
        const QStringList four = priceInfoText(1000, 12.5, 675, 810, tr).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(four.size(), 4);
        QCOMPARE(four[1], QStringLiteral("Kampanyalı Fiyat: 12,50"));
        QCOMPARE(priceInfoBackground(true, 3), 0xD5E8FFu);
        QCOMPARE(priceInfoBackground(false, 3), 0xFBFBF3u);
        QCOMPARE(priceInfoBackground(false, 4), 0xF2F6FBu);
    }

    void detailModes_data() {
        QTest::addColumn<DetailMode>("mode");
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("priceLabel");
        QTest::addColumn<QString>("discountLabel");
        QTest::addColumn<double>("kdvdahil");
        QTest::addColumn<bool>("editableForRepresentative");
        QTest::newRow("stock list") << DetailMode::StockList << 0 << "Fiyat:" << "İndirim: %25+10" << 202.5 << true;
        QTest::newRow("stock list, campaign") << DetailMode::StockList << 1 << "Kampanyalı Fiyat:" << "Kampanyalı 25+10" << 202.5 << true;
        QTest::newRow("stock list, negative flag") << DetailMode::StockList << -1 << "Fiyat:" << "İndirim:" << 0.0 << true;
        QTest::newRow("new stock") << DetailMode::NewStock << 0 << "Fiyat:" << "İndirim:  % 25+10" << 202.5 << true;
        QTest::newRow("new stock, campaign") << DetailMode::NewStock << 2 << "Kampanyalı Fiyat:" << "Kampanyalı 25+10" << 202.5 << true;
        QTest::newRow("campaign list") << DetailMode::Campaign << 1 << "Kampanyalı Fiyat:" << "Kampanyalı 25+10" << 202.5 << false;
    }

    void detailModes() {
        QFETCH(DetailMode, mode);
        QFETCH(int, k);
        QFETCH(QString, priceLabel);
        QFETCH(QString, discountLabel);
        QFETCH(double, kdvdahil);
        QFETCH(bool, editableForRepresentative);
        vk::MemTable t;
        stockRow(t, k);
        const DetailValues v = detailValues(mode, t, vk::UserType(1));
        QCOMPARE(v.priceLabel, priceLabel);
        QCOMPARE(v.discountLabel, discountLabel);
        QCOMPARE(v.kdvdahiltutar, kdvdahil);
        QCOMPARE(v.priceEditable, editableForRepresentative);
        QVERIFY(!detailValues(mode, t, vk::UserType(3)).priceEditable);
        QCOMPARE(v.quantity, 1.0);
        QCOMPARE(v.pictureFromServer, mode == DetailMode::NewStock || mode == DetailMode::Campaign);
        if (k >= 0) {
            QCOMPARE(v.birimfiyat, 250.0);
            QCOMPARE(v.indtutar, 168.75);
        }
    }

    // The dialog in the stock-list mode: what it shows, and what changes with the quantity.
    void dialogStockListMode() {
        vk::MemTable t;
        stockRow(t, 0);
        Tstokayarinti d(DetailMode::StockList, detailValues(DetailMode::StockList, t, vk::UserType(1)));
        d.show();
        QCOMPARE(d.windowTitle(), QStringLiteral("Sepete Ekle"));
        QCOMPARE(d.barkod->text(), QStringLiteral("VLK-100042"));
        QCOMPARE(d.adet->text(), QStringLiteral("1"));
        QCOMPARE(d.birimfiyat->text(), QStringLiteral("250,00"));
        QCOMPARE(d.indtutar->text(), QStringLiteral("168,75")); // NETFIYAT until the quantity changes
        QCOMPARE(d.geneltutar->text(), QStringLiteral("202,50"));
        QVERIFY(!d.birimfiyat->isReadOnly()); // a representative may type a price
        QVERIFY(d.indtutar->isReadOnly());

        QTest::keyClick(d.adet, Qt::Key_Up);
        QCOMPARE(d.adet->text(), QStringLiteral("2"));
        QCOMPARE(d.indtutar->text(), QStringLiteral("162,50")); // the discount of two pieces
        QCOMPARE(d.kdvdahiltutar->text(), QStringLiteral("202,50"));
        QCOMPARE(d.geneltutar->text(), QStringLiteral("405,00"));

        double sentQuantity = 0, sentPrice = 0;
        d.onConfirm = [&](double q, double p) {
            sentQuantity = q;
            sentPrice = p;
        };
        d.adet->setText(QStringLiteral("2,5"));
        QTest::keyClick(d.adet, Qt::Key_Return);
        QCOMPARE(sentQuantity, 2.5); // a typed fraction is sent as such
        QCOMPARE(sentPrice, 250.0);
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }

    void dialogBasketLineMode() {
        vk::MemTable t;
        basketRow(t, 12000);
        Tstokayarinti d(DetailMode::BasketLine, detailValues(DetailMode::BasketLine, t, vk::UserType(3)));
        QCOMPARE(d.adet->text(), QStringLiteral("10000")); // brought into the range
        QCOMPARE(d.Label2->text(), QStringLiteral("Fiyat:"));
        QCOMPARE(d.indirimoran->text(), QStringLiteral("İndirim: %10"));
        QVERIFY(d.birimfiyat->isReadOnly());
        // Recomputed at once for a quantity other than 1: 10000 × 10 less 10 %.
        QCOMPARE(d.indtutar->text(), QStringLiteral("10.000,00"));
        QCOMPARE(d.kdvdahiltutar->text(), QStringLiteral("10,62"));
        d.show();
        QCOMPARE(d.geneltutar->text(), QStringLiteral("106.200,00"));

        vk::test::RecordingDialogs dialogs;
        bool sent = false;
        d.onConfirm = [&](double, double) { sent = true; };
        d.adet->setText(QString());
        QTest::mouseClick(d.Button1, Qt::LeftButton);
        QVERIFY(!sent); // an empty quantity is not a number: the general error display
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests.first().kind, vk::DialogKind::Error);
        QVERIFY(d.result() != QDialog::Accepted);
        d.adet->setText(QStringLiteral("0"));
        QTest::mouseClick(d.Button1, Qt::LeftButton);
        QVERIFY(sent);
    }
};

QTEST_MAIN(StockTest)
#include "tst_stock.moc"
