// Sending the basket as an order from the main window against a live application server with the
// demo data: the choices refilled on every showing, the checks before anything is sent, the
// confirmation, the order the server keeps, a basket changed meanwhile; and the basket saved as
// an .xls file.

#include "liveserver.h"
#include "testdoubles.h"
#include "xlsreaders.h"

#include "app/unit1.h"
#include "basket/basketpage.h"
#include "basket/onaysip.h"
#include "export/excelkaydet.h"
#include "server/proxim.h"
#include "store/store.h"
#include "widgets/datagrid.h"
#include "widgets/radiogroup.h"
#include "widgets/tabcontrol.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTableView>
#include <QTimer>

using vk::server::Sql;

namespace {

// Answers the next "Sipariş Onay" with Evet or Hayır and keeps the summary it showed.
void answerConfirmation(bool yes, QString* summary) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, yes, summary] {
        auto* d = qobject_cast<TONAYSIP*>(QApplication::activeModalWidget());
        if (!d)
            return;
        timer->stop();
        timer->deleteLater();
        *summary = d->Label2->text();
        QTest::mouseClick(yes ? d->Evet : d->Hayir, Qt::LeftButton);
    });
    timer->start();
}

int count(vk::server::Store& store, const QString& statement, std::initializer_list<QVariant> v) {
    Sql q(store, statement, v);
    return q.exec().scalar().toInt();
}

} // namespace

class OrderTest : public QObject {
    Q_OBJECT

    std::unique_ptr<vk::test::LiveServer> server;
    std::unique_ptr<vk::test::FakePlatform> platform;
    int carino = 0;

    // Three lines of the dealer's basket, the middle one unselected.
    QList<int> fillBasket() {
        QList<int> lines;
        server->store().write([&] {
            Sql(server->store(), QStringLiteral("DELETE FROM sepet WHERE carino = ?"), {carino}).exec();
            Sql pick(server->store(),
                     QStringLiteral("SELECT stokno, barkod, adi FROM stok WHERE aktif = 1"
                                    " ORDER BY stokno LIMIT 3"));
            pick.exec();
            int sec = 1;
            while (pick.next()) {
                Sql add(server->store(),
                        QStringLiteral("INSERT INTO sepet(carino, stokno, barkod, stokadi, miktar,"
                                       " kdv, birimfiyat, ilkfiyat, sec, zaman)"
                                       " VALUES (?, ?, ?, ?, ?, 20, 100, 100, ?, '2026-12-10 09:00:00')"),
                        {carino, pick.value(0), pick.value(1), pick.value(2), 2 + lines.size(),
                         lines.size() == 1 ? 0 : sec});
                add.exec();
                lines.append(int(add.lastInsertId()));
            }
        });
        return lines;
    }

    std::unique_ptr<TForm1> mainWindow() {
        auto w = std::make_unique<TForm1>();
        w->bagc.setHostName(QStringLiteral("127.0.0.1"));
        w->bagc.setPort(server->port());
        w->bagc.Open();
        {
            TServerMethods1Client proxy(&w->bagc);
            w->sbilgi.Kopyala(*proxy.BuyukGetir(QStringLiteral("ORDER-WS")));
        }
        w->bagc.Close();
        w->applyUserType(vk::UserType(w->sbilgi.MusteriTipi()));
        w->resize(1400, 900);
        w->show();
        return w;
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        server = std::make_unique<vk::test::LiveServer>(300);
        platform = std::make_unique<vk::test::FakePlatform>();
        platform->serial = QStringLiteral("ORDER-WS");
        server->registerWorkstation(QStringLiteral("ORDER-WS"), QStringLiteral("BAYI"));
        vk::setDeployment(server->deployment());
        Sql q(server->store(), QStringLiteral("SELECT carino FROM kullanici WHERE adi = 'BAYI'"));
        carino = q.exec().scalar().toInt();
        QVERIFY(carino > 0);
    }

    void cleanupTestCase() {
        vk::setDeployment({});
        platform.reset();
        server.reset();
    }

    void sendTheSelectedLines() {
        const QList<int> lines = fillBasket();
        vk::test::RecordingDialogs dialogs;
        auto w = mainWindow();
        BasketPage* b = w->basketPage();
        w->sPageControl1->setCurrentPage(w->ssepet);
        QCOMPARE(b->sepet.recordCount(), 3);

        // Every showing: the second delivery option, no cargo type.
        QVERIFY(b->teslimbox->count() >= 2);
        QCOMPARE(b->teslimbox->itemIndex(), 1);
        QVERIFY(b->boxkargo->count() >= 1);
        QCOMPARE(b->boxkargo->itemIndex(), -1);
        b->Button1Click();
        QCOMPARE(dialogs.messages(), QStringList{QStringLiteral("Lütfen Kargo Türünü Seçiniz !")});

        // A cargo type lists its firms after a blank entry; a firm shows its warning.
        QTest::mouseClick(b->boxkargo->button(0), Qt::LeftButton);
        QCOMPARE(b->boxkargo->itemIndex(), 0);
        QVERIFY(b->kargocombo->count() >= 2);
        QCOMPARE(b->kargocombo->itemText(0), QStringLiteral(" "));
        QCOMPARE(b->kargocombo->currentIndex(), -1);
        b->Button1Click();
        QCOMPARE(dialogs.messages().last(), QStringLiteral("Lütfen Kargo  Seçiniz !"));
        const QString firm = b->kargocombo->itemText(1);
        // A statement left open would hold this thread's reads at an old snapshot.
        const QString expectedWarning = [&] {
            Sql warning(server->store(),
                        QStringLiteral("SELECT uyari FROM kargo_firma WHERE adi = ? AND kargo_turu_id = ?"
                                       " ORDER BY sira, sirano LIMIT 1"),
                        {firm, b->boxkargo->chosenId()});
            return warning.exec().scalar().toString();
        }();
        b->kargocombo->setCurrentIndex(1);
        QCOMPARE(b->uyarikargo->text(), expectedWarning);
        b->kargocombo->setCurrentIndex(0);
        QCOMPARE(b->uyarikargo->text(), QString());
        b->kargocombo->setCurrentIndex(1);

        const QString note = QStringLiteral("Acil \"ön\" fren, 'arka' değil\nikinci satır");
        b->aciklamagir->setPlainText(note);
        const int ordersBefore =
            count(server->store(), QStringLiteral("SELECT count(*) FROM siparis WHERE carino = ?"), {carino});

        // "Hayır" sends nothing and keeps the note.
        QString summary;
        dialogs.requests.clear();
        answerConfirmation(false, &summary);
        b->Button1Click();
        QVERIFY(summary.startsWith(QStringLiteral("Kullanıcı: ") + w->sbilgi.ADI() + u'\n'));
        QVERIFY(summary.contains(QStringLiteral("Tutar    : ") + b->geneltoplaml->text() + u'\n'));
        QVERIFY(summary.endsWith(QStringLiteral("Açıklama : ") + note));
        QVERIFY(dialogs.requests.isEmpty());
        QCOMPARE(b->aciklamagir->toPlainText(), note);
        QCOMPARE(count(server->store(), QStringLiteral("SELECT count(*) FROM siparis WHERE carino = ?"), {carino}),
                 ordersBefore);

        // "Evet": the order holds the selected lines; the unselected one stays in the basket.
        const int teslim = b->teslimbox->chosenId();
        const int tur = b->boxkargo->chosenId();
        answerConfirmation(true, &summary);
        b->Button1Click();
        QCOMPARE(dialogs.messages(), QStringList{QStringLiteral("Siparişiniz Gönderildi !")});
        Sql order(server->store(),
                  QStringLiteral("SELECT idno, teslim_id, kargo_turu_id, aciklama, veren_sirano,"
                                 " (SELECT adi FROM kargo_firma WHERE sirano = kargo_firma_id)"
                                 " FROM siparis WHERE carino = ? ORDER BY idno DESC LIMIT 1"),
                  {carino});
        order.exec();
        QVERIFY(order.next());
        QCOMPARE(order.value(1).toInt(), teslim);
        QCOMPARE(order.value(2).toInt(), tur);
        QCOMPARE(order.value(3).toString(), note);
        QCOMPARE(order.value(4).toInt(), w->sbilgi.Sirano());
        QCOMPARE(order.value(5).toString(), firm);
        Sql orderLines(server->store(),
                       QStringLiteral("SELECT sepet_sirano, miktar FROM siparis_satir WHERE idno = ?"
                                      " ORDER BY stokhar_no"),
                       {order.value(0)});
        orderLines.exec();
        QList<int> sent;
        while (orderLines.next())
            sent.append(orderLines.value(0).toInt());
        QCOMPARE(sent, (QList<int>{lines[0], lines[2]}));
        QCOMPARE(b->sepet.recordCount(), 1);
        QCOMPARE(b->sepet.value(0, u"SIRANO").toInt(), lines[1]);
        QCOMPARE(b->aciklamagir->toPlainText(), QString());
        QCOMPARE(b->teslimbox->chosenId(), teslim); // the choices stay
        QCOMPARE(b->boxkargo->chosenId(), tur);
        QCOMPARE(b->kargocombo->currentText(), firm);

        // Nothing selected any more: no server call.
        dialogs.requests.clear();
        b->Button5Click();
        b->Button1Click();
        QCOMPARE(dialogs.messages(), QStringList{QStringLiteral("Gönderilecek Parça Yok ")});

        // Showing the tab again clears the cargo type.
        w->sPageControl1->setCurrentPage(w->sstoklistesi);
        w->sPageControl1->setCurrentPage(w->ssepet);
        QCOMPARE(b->boxkargo->itemIndex(), -1);
        QCOMPARE(b->teslimbox->itemIndex(), 1);
    }

    void basketChangedMeanwhile() {
        fillBasket();
        vk::test::RecordingDialogs dialogs;
        auto w = mainWindow();
        BasketPage* b = w->basketPage();
        w->sPageControl1->setCurrentPage(w->ssepet);
        QTest::mouseClick(b->boxkargo->button(0), Qt::LeftButton);
        b->kargocombo->setCurrentIndex(1);
        b->aciklamagir->setPlainText(QStringLiteral("kalsın"));
        // Another session sends the basket first.
        server->store().write([&] {
            Sql(server->store(), QStringLiteral("DELETE FROM sepet WHERE carino = ?"), {carino}).exec();
        });
        QString summary;
        answerConfirmation(true, &summary);
        b->Button1Click();
        QCOMPARE(dialogs.messages(), QStringList{QStringLiteral("Sipariş Göndermede Hata")});
        QCOMPARE(b->aciklamagir->toPlainText(), QStringLiteral("kalsın"));
        QCOMPARE(b->sepet.recordCount(), 3); // not reloaded
    }

    void xlsFileNames_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no extension") << QStringLiteral("/tmp/sepet") << QStringLiteral("/tmp/sepet.xls");
        QTest::newRow("xlsx") << QStringLiteral("/tmp/sepet.xlsx") << QStringLiteral("/tmp/sepet.xls");
        QTest::newRow("xls") << QStringLiteral("/tmp/sepet.xls") << QStringLiteral("/tmp/sepet.xls");
        QTest::newRow("other extension") << QStringLiteral("/tmp/a.b/sepet.txt")
                                         << QStringLiteral("/tmp/a.b/sepet.xls");
        QTest::newRow("dot in a folder only") << QStringLiteral("/tmp/a.b/sepet")
                                              << QStringLiteral("/tmp/a.b/sepet.xls");
    }
    void xlsFileNames() {
        QFETCH(QString, chosen);
        QTEST(vk::xlsFileName(chosen), "saved");
    }

    void basketSavedAsXls() {
        const QString python = vk::test::pythonWithXlrd();
        if (python.isEmpty())
            QSKIP("python3-xlrd is not installed (scripts/setup installs it)");
        fillBasket();
        vk::test::RecordingDialogs dialogs;
        auto w = mainWindow();
        BasketPage* b = w->basketPage();
        w->sPageControl1->setCurrentPage(w->ssepet);
        QTemporaryDir dir;
        const QString chosen = dir.filePath(QStringLiteral("Sipariş listesi.xlsx"));
        auto previous = vk::setSaveFileChooser([&](QWidget*) { return chosen; });
        QTest::mouseClick(b->Button2, Qt::LeftButton);
        vk::setSaveFileChooser(previous);
        const QString saved = dir.filePath(QStringLiteral("Sipariş listesi.xls"));
        QVERIFY(QFile::exists(saved));
        QVERIFY(!QFile::exists(chosen));

        // Shown columns only, in order; typed cells.
        QProcess py;
        py.start(python,
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, xlrd\n"
                                 "s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
                                 "h = [c.value for c in s.row(0)]\n"
                                 "print('|'.join(h))\n"
                                 "print(s.nrows)\n"
                                 "for n in ('Miktar', 'Sipariş Tarihi', 'Stok Açıklama'):\n"
                                 "    c = s.cell(1, h.index(n)); print(n, c.ctype, c.value)\n"),
                  saved});
        QVERIFY(py.waitForFinished(30000));
        const QStringList out = QString::fromUtf8(py.readAllStandardOutput()).split(u'\n');
        QVERIFY2(py.exitCode() == 0, py.readAllStandardError().constData());
        QStringList shown;
        const QHeaderView* header = b->cxGridDBTableView1->view()->horizontalHeader();
        for (int v = 0; v < header->count(); ++v) {
            const int logical = header->logicalIndex(v);
            if (!header->isSectionHidden(logical))
                shown.append(b->cxGridDBTableView1->column(logical).caption);
        }
        QCOMPARE(out.value(0), shown.join(u'|'));
        QCOMPARE(out.value(1), QStringLiteral("4"));
        QCOMPARE(out.value(2), QStringLiteral("Miktar 2 2.0")); // a number
        QCOMPARE(out.value(3).section(u' ', 0, 2), QStringLiteral("Sipariş Tarihi 3")); // a date
        QCOMPARE(out.value(4), QStringLiteral("Stok Açıklama 1 ") + b->sepet.value(0, u"STOKADI").toString());
    }
};

QTEST_MAIN(OrderTest)
#include "tst_basketorder.moc"
