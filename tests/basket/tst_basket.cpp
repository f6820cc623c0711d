// The basket's rules: totals over the selected lines, rounded after every addition, and the
// rows that show only above 1.

#include "basket/baskettotals.h"
#include "server/memtable.h"

#include <QTest>

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
