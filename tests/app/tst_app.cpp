// The program's shell: count captions, the rules of the user types and what the main window
// does with them, the start-up load, closing, and the whole creation against a live server.

#include "liveserver.h"
#include "testdoubles.h"

#include "app/unit1.h"
#include "common/usertype.h"
#include "widgets/busyindicator.h"
#include "common/countcaption.h"
#include "common/deployment.h"
#include "login/girisformu.h"
#include "widgets/tabcontrol.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

class AppTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    }

    void countCaptions_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("sayi");
        QTest::addColumn<QString>("baslik");
        QTest::newRow("count") << "7=Sepet" << 7 << "Sepet";
        QTest::newRow("zero") << "0=Sepet" << 0 << "Sepet";
        QTest::newRow("no count") << "Sepet" << 0 << "Sepet";
        QTest::newRow("not a whole number") << "12.5=Bakiyeler" << 0 << "Bakiyeler";
        QTest::newRow("empty count") << "=Duyurular" << 0 << "Duyurular";
        QTest::newRow("cut at the first =") << "3=a=b" << 3 << "a=b";
        QTest::newRow("long title")
            << QStringLiteral("1=") + QString(120, u'x') << 1 << QString(100, u'x');
    }

    void countCaptions() {
        QFETCH(QString, caption);
        QFETCH(int, sayi);
        QFETCH(QString, baslik);
        const TSonuc r = parseCountCaption(caption);
        QCOMPARE(r.sayi, sayi);
        QCOMPARE(r.baslik, baslik);
        QCOMPARE(countCaption(25, QStringLiteral("Stok Listesi")),
                 QStringLiteral("25=Stok Listesi"));
    }

    void userTypes_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("choosesCustomer");
        QTest::addColumn<bool>("reports");
        QTest::addColumn<bool>("campaigns");
        QTest::addColumn<bool>("basketState");
        QTest::addColumn<bool>("reprices");
        QTest::newRow("representative") << 1 << true << true << true << true << false;
        QTest::newRow("senior representative") << 2 << true << true << true << true << true;
        QTest::newRow("dealer") << 3 << false << false << true << false << false;
        QTest::newRow("dealer without campaigns") << 4 << false << false << false << true << false;
    }

    // The rules, and what the main window shows for them.
    void userTypes() {
        QFETCH(int, type);
        QFETCH(bool, choosesCustomer);
        QFETCH(bool, reports);
        QFETCH(bool, campaigns);
        QFETCH(bool, basketState);
        QFETCH(bool, reprices);
        const vk::UserType t(type);
        QCOMPARE(t.choosesCustomer(), choosesCustomer);
        QCOMPARE(t.seesStockQuantities(), choosesCustomer);
        QCOMPARE(t.seesReports(), reports);
        QCOMPARE(t.seesCampaigns(), campaigns);
        QCOMPARE(t.seesBasketState(), basketState);
        QCOMPARE(t.repricesBalances(), reprices);

        TForm1 w;
        w.show();
        w.applyUserType(t);
        QCOMPARE(w.musteritus->isVisible(), choosesCustomer);
        QCOMPARE(w.R1->isVisible(), reports);
        QCOMPARE(w.sPageControl1->isTabVisible(w.sPageControl1->indexOf(w.skampanyali)), campaigns);
    }

    void frame() {
        TForm1 w;
        QCOMPARE(w.sPageControl1->count(), 9);
        const QStringList captions = {
            QStringLiteral("Stok Listesi"),      QStringLiteral("Sepet"),
            QStringLiteral("Önceki Siparişler"), QStringLiteral("Cari Ekstre"),
            QStringLiteral("Yeni Stoklar"),      QStringLiteral("Kampanyalı Stoklar"),
            QStringLiteral("Duyurular"),         QStringLiteral("Bakiyeler"),
            QStringLiteral("Sanal Pos")};
        for (int i = 0; i < 9; ++i)
            QCOMPARE(w.sPageControl1->tabCaption(i), captions[i]);
        QCOMPARE(w.sPageControl1->currentPage(), w.sstoklistesi);
        QCOMPARE(w.RxGIFAnimator2->height(), 0);
        QCOMPARE(w.Panel5->height(), 40);
        QVERIFY(!w.gifstokara->isVisible());
    }

    void headerLabels() {
        TForm1 w;
        w.sbilgi.setADI(QStringLiteral("BAYI"));
        w.sbilgi.setCariAdi(QStringLiteral("ÖZKAN OTO"));
        w.sbilgi.setSaticiAdi(QStringLiteral("Ahmet Kaya"));
        w.sbilgi.setSaticiTelefon(QStringLiteral("0 (212) 555 01 07"));
        w.sbilgi.setSaticiMail(QStringLiteral("ahmet@velkor.test"));
        w.startStartupLoad();
        QTRY_VERIFY(!w.startupLoadRunning());
        QCOMPARE(w.kullanicilbl->text(), QStringLiteral("BAYI"));
        QCOMPARE(w.cariadilbl->text(), QStringLiteral("ÖZKAN OTO"));
        QCOMPARE(w.saticilbl->text(),
                 QStringLiteral("Ahmet Kaya Telefonu: 0 (212) 555 01 07 email: ahmet@velkor.test"));
    }

    void closingAsksFirst() {
        vk::test::RecordingDialogs dialogs;
        vk::test::RecordingEnd end;
        TForm1 w;
        w.show();
        dialogs.answer = vk::DialogButton::No;
        w.close();
        QCOMPARE(dialogs.requests.size(), 1);
        const vk::DialogRequest& q = dialogs.requests.first();
        QCOMPARE(q.message, QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"));
        QCOMPARE(q.kind, vk::DialogKind::Question);
        QCOMPARE(q.buttons, vk::DialogButton::Yes | vk::DialogButton::No);
        QCOMPARE(q.focus, vk::DialogButton::Yes);
        QVERIFY(w.isVisible());
        QCOMPARE(end.ends, 0);

        dialogs.answer = vk::DialogButton::Yes;
        w.G1->trigger(); // "Çıkış" asks the same way
        QCOMPARE(dialogs.requests.size(), 2);
        QCOMPARE(end.ends, 1);
    }

    void webSiteItem() {
        vk::test::RecordingOpener opener;
        vk::Deployment d = vk::Deployment::builtIn();
        d.webSiteUrl = QStringLiteral("http://www.velkorotomotiv.com.tr");
        vk::setDeployment(d);
        TForm1 w;
        w.show();
        w.araedit->setText(QStringLiteral("FREN"));
        w.webSiteItem->trigger();
        QCOMPARE(opener.opened, QList<QUrl>{QUrl(d.webSiteUrl)});
        QCOMPARE(w.araedit->selectedText(), QStringLiteral("FREN"));
    }

    // The whole creation: the login window, the adjustments for the user, the start-up load.
    void formCreateLogsIn() {
        vk::test::LiveServer server;
        vk::test::FakePlatform platform;
        platform.serial = QStringLiteral("TEST-WS-4");
        server.registerWorkstation(QStringLiteral("TEST-WS-4"), QStringLiteral("BAYI4"));
        vk::setDeployment(server.deployment());
        vk::test::RecordingDialogs dialogs;
        vk::test::RecordingEnd end;

        auto* driver = new QTimer;
        driver->setInterval(20);
        connect(driver, &QTimer::timeout, [driver] {
            auto* login = qobject_cast<Tgirisform*>(QApplication::activeModalWidget());
            if (!login)
                return;
            driver->stop();
            driver->deleteLater();
            login->adi->setText(QStringLiteral("BAYI4"));
            login->sifre->setText(QStringLiteral("1234"));
            login->Button1Click();
        });
        driver->start();

        TForm1 w;
        QVERIFY(w.FormCreate());
        QCOMPARE(end.ends, 0);
        QCOMPARE(w.windowTitle(), QStringLiteral("Velkor Otomotiv Parts B2B Programı"));
        QCOMPARE(w.sbilgi.MusteriTipi(), 4);
        QCOMPARE(w.bagc.port(), server.port());
        w.show();
        QVERIFY(!w.sPageControl1->isTabVisible(w.sPageControl1->indexOf(w.skampanyali)));
        QVERIFY(!w.musteritus->isVisible());
        QTRY_VERIFY(!w.startupLoadRunning());
        QCOMPARE(w.cariadilbl->text(), QStringLiteral("YILDIZ OTOMOTİV"));
        QVERIFY(w.saticilbl->text().startsWith(QStringLiteral("Ahmet Kaya Telefonu: ")));
    }
};

QTEST_MAIN(AppTest)
#include "tst_app.moc"
