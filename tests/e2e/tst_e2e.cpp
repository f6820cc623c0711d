// The client's main window against a live application server with the demo data: search a
// part, put it into the basket, see the server's amounts, change the quantity, select and
// unselect, delete.

#include "liveserver.h"
#include "testdoubles.h"

#include "app/unit1.h"
#include "basket/basketpage.h"
#include "catalogue/discount.h"
#include "catalogue/stocklist.h"
#include "catalogue/stokayarintiU.h"
#include "server/proxim.h"
#include "store/store.h"
#include "widgets/datagrid.h"
#include "widgets/tabcontrol.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace {

// Acts in the next stock detail dialog that opens: sets the quantity and confirms.
void confirmDetailWith(const QString& quantity) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, quantity] {
        auto* d = qobject_cast<Tstokayarinti*>(QApplication::activeModalWidget());
        if (!d)
            return;
        timer->stop();
        timer->deleteLater();
        d->adet->setText(quantity);
        QTest::mouseClick(d->Button1, Qt::LeftButton);
    });
    timer->start();
}

int rowOf(const vk::MemTable& t, const char* field, const QVariant& value) {
    const int c = t.fieldIndex(QString::fromLatin1(field));
    for (int r = 0; r < t.recordCount(); ++r) {
        if (t.value(r, c) == value)
            return r;
    }
    return -1;
}

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    }

    void searchAddChangeSelectDelete() {
        vk::test::LiveServer server(600);
        vk::test::FakePlatform platform;
        platform.serial = QStringLiteral("E2E-WS");
        server.registerWorkstation(QStringLiteral("E2E-WS"), QStringLiteral("BAYI"));
        vk::setDeployment(server.deployment());
        vk::test::RecordingDialogs dialogs;

        TForm1 w;
        w.bagc.setHostName(QStringLiteral("127.0.0.1"));
        w.bagc.setPort(server.port());
        {
            w.bagc.Open();
            TServerMethods1Client proxy(&w.bagc);
            w.sbilgi.Kopyala(*proxy.BuyukGetir(QStringLiteral("E2E-WS")));
            w.bagc.Close();
        }
        w.applyUserType(vk::UserType(w.sbilgi.MusteriTipi()));
        w.resize(1400, 900);
        w.show();

        // An article of the catalogue that is not in the basket yet, searched by its code.
        vk::server::Sql pick(server.store(),
                             QStringLiteral("SELECT stokno, barkod FROM stok WHERE aktif = 1 AND kampanya = 0 "
                                            "AND stokno NOT IN (SELECT stokno FROM sepet) ORDER BY stokno LIMIT 1 OFFSET 20"));
        pick.exec();
        QVERIFY(pick.next());
        const int stokno = pick.value(0).toInt();
        const QString code = pick.value(1).toString();

        StockListPage* stock = w.stockListPage();
        QTest::keyClicks(w.araedit, code.toLower());
        QCOMPARE(w.araedit->text(), code); // folded to capitals as typed
        QTest::keyClick(w.araedit, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!stock->searching(), 15000);
        QVERIFY2(dialogs.requests.isEmpty(), qPrintable(dialogs.messages().join(u'|')));
        QVERIFY(stock->stok.recordCount() >= 1);
        QCOMPARE(stock->stok.value(0, u"STOK_STOKNO").toInt(), stokno); // the exact code comes first
        QVERIFY(w.sPageControl1->tabCaption(0).endsWith(QStringLiteral("=Stok Listesi")));

        // Into the basket, three of them.
        stock->cxGrid1DBTableView1->setFocusedRow(rowOf(stock->stok, "STOK_STOKNO", stokno));
        confirmDetailWith(QStringLiteral("3"));
        stock->S2Click();
        BasketPage* basket = w.basketPage();
        int line = rowOf(basket->sepet, "STOKNO", stokno);
        QVERIFY(line >= 0);
        const vk::MemTable& s = basket->sepet;
        QCOMPARE(s.value(line, u"MIKTAR").toDouble(), 3.0);
        const LineAmounts expected = basketLineAmounts(
            3, s.value(line, u"BIRIMFIYAT").toDouble(), s.value(line, u"KDV").toDouble(),
            s.value(line, u"INDIRIMORANI1").toDouble(), s.value(line, u"INDIRIMORANI2").toDouble(),
            s.value(line, u"INDIRIMORANI3").toDouble(), s.value(line, u"INDIRIMORANI4").toDouble());
        QCOMPARE(s.value(line, u"TUTAR").toDouble(), expected.tutar);
        QCOMPARE(s.value(line, u"NETTUTAR").toDouble(), expected.netTutar);
        QCOMPARE(s.value(line, u"VERGITUTARI").toDouble(), expected.vergiTutari);
        const int sirano = s.value(line, u"SIRANO").toInt();

        // The same part again opens its line; the quantity becomes 5.
        w.sPageControl1->setCurrentPage(w.ssepet);
        line = rowOf(basket->sepet, "SIRANO", sirano);
        basket->cxGridDBTableView1->setFocusedRow(line);
        basket->cxGridDBTableView1->setFocusedField(QStringLiteral("STOKADI")); // not "Seç"
        confirmDetailWith(QStringLiteral("5"));
        basket->Deitir1Click();
        line = rowOf(basket->sepet, "SIRANO", sirano);
        QCOMPARE(basket->sepet.value(line, u"MIKTAR").toDouble(), 5.0);
        QCOMPARE(w.sPageControl1->tabCaption(1), QStringLiteral("%1=Sepet").arg(basket->sepet.recordCount()));

        // Unselect everything: the server keeps the flags, the totals count nothing.
        basket->Button5Click();
        QCOMPARE(basket->SepetToplamHesapla().genelToplam, 0.0);
        basket->SepetiYenile();
        for (int r = 0; r < basket->sepet.recordCount(); ++r)
            QCOMPARE(basket->sepet.value(r, u"SEC").toInt(), 0);
        basket->Button4Click();
        basket->SepetiYenile();
        QVERIFY(basket->SepetToplamHesapla().genelToplam > 0);

        // Delete the line, answering "Evet".
        dialogs.answer = vk::DialogButton::Yes;
        line = rowOf(basket->sepet, "SIRANO", sirano);
        basket->cxGridDBTableView1->setFocusedRow(line);
        const int before = basket->sepet.recordCount();
        basket->SatrSil1Click();
        QCOMPARE(basket->sepet.recordCount(), before - 1);
        QCOMPARE(rowOf(basket->sepet, "SIRANO", sirano), -1);
        QCOMPARE(dialogs.messages().last(), QStringLiteral("Satır silindi !"));

        basket->HepsiniSil1Click();
        QCOMPARE(basket->sepet.recordCount(), 0);
        QCOMPARE(w.sPageControl1->tabCaption(1), QStringLiteral("0=Sepet"));
        QCOMPARE(dialogs.messages().last(), QStringLiteral("Sepet Silindi !"));
    }

    void shortSearchAsksForMore() {
        vk::test::RecordingDialogs dialogs;
        TForm1 w;
        w.show();
        w.sPageControl1->setCurrentPage(w.ssepet);
        dialogs.requests.clear(); // the basket found no server
        QTest::keyClicks(w.araedit, QStringLiteral(" ab "));
        QTest::keyClick(w.araedit, Qt::Key_Return);
        QCOMPARE(dialogs.messages(), QStringList{QStringLiteral("Lütfen en az 3 harf giriniz !")});
        QCOMPARE(w.sPageControl1->currentPage(), w.sstoklistesi); // the tab switched first
        QVERIFY(!w.stockListPage()->searching());
    }
};

QTEST_MAIN(EndToEndTest)
#include "tst_e2e.moc"
