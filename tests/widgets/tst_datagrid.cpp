// placeholder
#include <QTest>
class DataGridTest : public QObject {
    Q_OBJECT
};
QTEST_MAIN(DataGridTest)
#include "tst_datagrid.moc"
