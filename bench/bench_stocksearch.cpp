// The stock search end to end on loopback: a velkor-appserver process over the 200,000-article
// demo catalogue, and this process as the client's main window. Enter in the search box until
// the rows are in the grid's model, for a result of about 1,000 rows and one of 10,000 (median
// of 20 each), and the client's resident memory for the 10,000-row result above the idle window.

#include "app/unit1.h"
#include "catalogue/stocklist.h"
#include "server/proxim.h"
#include "widgets/datagrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const QString kServer = QStringLiteral(VK_APPSERVER_PATH);

void fail(const QString& what) {
    std::fprintf(stderr, "bench_stocksearch: %s\n", qPrintable(what));
    std::exit(1);
}

void run(const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(kServer, args);
    if (!p.waitForFinished(600000) || p.exitCode() != 0)
        fail(QStringLiteral("velkor-appserver %1 failed").arg(args.join(u' ')));
}

// Starts the server on ephemeral ports and returns the method port from its first log line.
int serve(QProcess& p, const QString& db) {
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(kServer, {QStringLiteral("serve"), QStringLiteral("--db"), db, QStringLiteral("--port"),
                      QStringLiteral("0"), QStringLiteral("--web-port"), QStringLiteral("0"),
                      QStringLiteral("--quiet")});
    static const QRegularExpression ports(QStringLiteral("metotlar [0-9.]+:([0-9]+)"));
    QByteArray log;
    while (p.waitForReadyRead(30000)) {
        log += p.readAll();
        const QRegularExpressionMatch m = ports.match(QString::fromUtf8(log));
        if (m.hasMatch())
            return m.captured(1).toInt();
    }
    fail(QStringLiteral("the server did not start: ") + QString::fromUtf8(log));
    return 0;
}

double residentMiB() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Types the text into the search box and presses Enter; returns the milliseconds until the rows
// are in the grid's model.
double searchOnce(TForm1& w, const QString& text, int* rows) {
    StockListPage* page = w.stockListPage();
    w.araedit->setText(text);
    QEventLoop loop;
    bool ok = false;
    const auto c = QObject::connect(page, &StockListPage::searchFinished, &loop, [&](bool succeeded) {
        ok = succeeded;
        loop.quit();
    });
    QElapsedTimer t;
    t.start();
    QTest::keyClick(w.araedit, Qt::Key_Return);
    if (page->searching())
        loop.exec();
    const double ms = double(t.nsecsElapsed()) / 1e6;
    QObject::disconnect(c);
    if (!ok)
        fail(QStringLiteral("the search for %1 failed").arg(text));
    *rows = page->cxGrid1DBTableView1->shownRowCount();
    return ms;
}

// Of the candidate texts, the one whose result is nearest the wanted number of rows.
QString textNear(TServerMethods1Client& proxy, const TSonucBilgisi& sbilgi, const QStringList& candidates,
                 int wanted, int* found) {
    QString best;
    int bestRows = -1;
    for (const QString& text : candidates) {
        auto copy = std::make_unique<TSonucBilgisi>();
        copy->Kopyala(sbilgi);
        const vk::DataPacket packet = proxy.StokAraGetir(text, std::move(copy));
        const int rows = packet.isNull() ? 0 : int(packet.data()->rowCount);
        if (bestRows < 0 || std::abs(rows - wanted) < std::abs(bestRows - wanted)) {
            best = text;
            bestRows = rows;
        }
    }
    *found = bestRows;
    return best;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    constexpr int kArticles = 200000;
    constexpr int kRuns = 20;

    // VK_BENCH_DB names a database kept between runs (seeded when missing), for profiling.
    QTemporaryDir dir;
    const QString db = qEnvironmentVariableIsEmpty("VK_BENCH_DB")
                           ? dir.filePath(QStringLiteral("bench.db"))
                           : qEnvironmentVariable("VK_BENCH_DB");
    if (!QFile::exists(db)) {
        QElapsedTimer seedTime;
        seedTime.start();
        run({QStringLiteral("seed"), QStringLiteral("--db"), db, QStringLiteral("--demo"),
             QStringLiteral("--articles"), QString::number(kArticles), QStringLiteral("--today"),
             QStringLiteral("2026-12-01")});
        run({QStringLiteral("workstation"), QStringLiteral("add"), QStringLiteral("--db"), db,
             QStringLiteral("--id"), QStringLiteral("BENCH-WS"), QStringLiteral("--user"),
             QStringLiteral("BAYI")});
        std::printf("catalogue: %d articles seeded in %.1f s\n", kArticles,
                    seedTime.elapsed() / 1000.0);
    }

    QProcess server;
    const int port = serve(server, db);

    TForm1 w;
    w.bagc.setHostName(QStringLiteral("127.0.0.1"));
    w.bagc.setPort(port);
    w.bagc.Open();
    TServerMethods1Client proxy(&w.bagc);
    w.sbilgi.Kopyala(*proxy.BuyukGetir(QStringLiteral("BENCH-WS")));
    w.applyUserType(vk::UserType(w.sbilgi.MusteriTipi()));
    w.resize(1400, 900);
    w.show();

    // Words of the demo catalogue's names and makers; the nearest results are taken.
    const QStringList candidates = {
        QStringLiteral("FREN"),  QStringLiteral("FILTRE"), QStringLiteral("BALATA"),
        QStringLiteral("AMORTISOR"), QStringLiteral("DISK"), QStringLiteral("CONTA"),
        QStringLiteral("RULMAN"), QStringLiteral("POMPA"), QStringLiteral("KAYIS"),
        QStringLiteral("SENSOR"), QStringLiteral("FAR"),   QStringLiteral("ON"),
        QStringLiteral("ARKA"),  QStringLiteral("SAG"),    QStringLiteral("SOL"),
        QStringLiteral("YAG"),   QStringLiteral("HAVA"),   QStringLiteral("BUJI"),
        QStringLiteral("TAKIM"), QStringLiteral("SETI")};
    int rowsSmall = 0, rowsLarge = 0;
    const QString small = textNear(proxy, w.sbilgi, candidates, 1000, &rowsSmall);
    const QString large = textNear(proxy, w.sbilgi, candidates, 10000, &rowsLarge);
    w.bagc.Close();
    QCoreApplication::processEvents();

    // Memory first, on a fresh heap: the idle window, then the large result shown.
    malloc_trim(0);
    const double idle = residentMiB();
    int rows = 0;
    searchOnce(w, large, &rows);
    const double loaded = residentMiB();
    std::printf("client memory: idle %.1f MiB, with %d rows %.1f MiB, difference %.1f MiB"
                " (target < 60)\n",
                idle, rows, loaded, loaded - idle);

    for (const auto& [text, expected, target] :
         {std::tuple{small, rowsSmall, 30.0}, std::tuple{large, rowsLarge, 200.0}}) {
        std::vector<double> times;
        searchOnce(w, text, &rows); // warm
        for (int i = 0; i < kRuns; ++i)
            times.push_back(searchOnce(w, text, &rows));
        std::printf("Enter -> rows in the grid, \"%s\" (%d rows): median %.1f ms, min %.1f ms,"
                    " max %.1f ms over %d runs (target < %.0f)\n",
                    qPrintable(text), rows, median(times), *std::min_element(times.begin(), times.end()),
                    *std::max_element(times.begin(), times.end()), kRuns, target);
        if (rows != expected)
            fail(QStringLiteral("the grid shows %1 rows, the server sent %2").arg(rows).arg(expected));
    }

    server.terminate();
    server.waitForFinished(15000);
    return 0;
}
