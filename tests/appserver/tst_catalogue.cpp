// placeholder
#include <QTest>
class CatalogueTest : public QObject {
    Q_OBJECT
};
QTEST_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
