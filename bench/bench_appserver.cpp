// The application server under load on loopback: a 200,000-article demo catalogue, then 32
// concurrent clients calling EchoString (the bare call) and BuyukGetir (the login lookup), 8
// searching the catalogue with StokAraGetir, and 8 ordering (a few SepetEkle2, then
// SiparisKaydet). Prints requests per second and p50 / p99 latency; the loops are bounded by
// count and time.

#include "appserver.h"
#include "seed/demoseed.h"
#include "store/sqlitestore.h"
#include "store/store.h"

#include "server/connection.h"
#include "server/proxim.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

struct Figures {
    double perSecond = 0;
    double p50 = 0;
    double p99 = 0;
    long calls = 0;
    long failures = 0;
};

Figures load(int port, int clients, long maxCalls, double maxSeconds,
             const std::function<void(TServerMethods1Client&, int)>& call) {
    std::atomic<long> issued{0};
    std::atomic<long> failures{0};
    std::mutex merge;
    std::vector<double> latencies;
    QElapsedTimer wall;
    wall.start();
    std::vector<std::thread> threads;
    for (int t = 0; t < clients; ++t) {
        threads.emplace_back([&, t] {
            std::vector<double> mine;
            vk::ServerConnection c;
            c.setHostName(QStringLiteral("127.0.0.1"));
            c.setPort(port);
            c.Open();
            TServerMethods1Client proxy(&c);
            QElapsedTimer timer;
            while (issued.fetch_add(1) < maxCalls && wall.elapsed() < maxSeconds * 1000) {
                timer.start();
                try {
                    call(proxy, t);
                } catch (const std::exception&) {
                    ++failures;
                }
                mine.push_back(timer.nsecsElapsed() / 1e6);
            }
            std::lock_guard<std::mutex> lock(merge);
            latencies.insert(latencies.end(), mine.begin(), mine.end());
        });
    }
    for (std::thread& t : threads)
        t.join();
    const double seconds = wall.nsecsElapsed() / 1e9;
    std::sort(latencies.begin(), latencies.end());
    Figures f;
    f.calls = long(latencies.size());
    f.failures = failures;
    f.perSecond = f.calls / seconds;
    if (!latencies.empty()) {
        f.p50 = latencies[latencies.size() / 2];
        f.p99 = latencies[std::min(latencies.size() - 1, latencies.size() * 99 / 100)];
    }
    return f;
}

void print(const char* name, const Figures& f) {
    std::printf("%-12s %8.0f req/s   p50 %6.2f ms   p99 %6.2f ms   (%ld calls, %ld failed)\n", name,
                f.perSecond, f.p50, f.p99, f.calls, f.failures);
}

// What dealers type, taken from the catalogue: whole part codes, the start of OEM numbers as
// printed, producer codes, a part name with a model (a few articles), and words that fit
// thousands.
struct SearchText {
    QString text;
    int kind;
};
const char* const kSearchKinds[] = {"part code", "OEM start", "producer code", "name + model",
                                    "broad word"};

std::vector<SearchText> searchTexts(vk::server::Store& store) {
    std::vector<SearchText> texts;
    const QLocale turkish(QLocale::Turkish);
    vk::server::Sql q(store, QStringLiteral("SELECT barkod, oem1, ureticikodu, adi, model FROM stok"
                                            " WHERE stokno % 4999 = 7 AND model <> ''"
                                            " ORDER BY stokno LIMIT 12"));
    q.exec();
    while (q.next()) {
        texts.push_back({q.value(0).toString(), 0});
        texts.push_back({q.value(1).toString().left(7), 1});
        texts.push_back({q.value(2).toString(), 2});
        texts.push_back({turkish.toLower(q.value(3).toString().section(QLatin1Char(' '), 0, 0)) +
                             QLatin1Char(' ') +
                             q.value(4).toString().section(QLatin1Char(' '), 0, 1),
                         3});
    }
    for (const char* many : {"filtre", "fren balatası", "bosch"})
        texts.push_back({QString::fromUtf8(many), 4});
    return texts;
}

double percentile(std::vector<double> v, int p) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, v.size() * size_t(p) / 100)];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int articles = argc > 1 ? std::atoi(argv[1]) : 200000;

    QTemporaryDir dir;
    vk::server::SqliteStore store(dir.filePath(QStringLiteral("bench.db")));
    store.migrate();
    QElapsedTimer timer;
    timer.start();
    vk::server::DemoSeedOptions seed;
    seed.articles = articles;
    seed.today = QDate(2026, 12, 1);
    vk::server::seedDemo(store, seed);
    std::printf("seed: %d articles in %.1f s\n", articles, timer.nsecsElapsed() / 1e9);

    vk::server::ServerOptions o;
    o.port = 0;
    o.webPort = -1;
    o.requestLog = false;
    vk::server::AppServer server(store, o);
    server.start();

    constexpr int kClients = 32;
    const QStringList ids = {QStringLiteral("DEMO-BAYI"), QStringLiteral("DEMO-TEMSILCI"),
                             QStringLiteral("DEMO-YONETICI"), QStringLiteral("BILINMEYEN")};
    const Figures echo =
        load(server.port(), kClients, 60000, 15,
             [](TServerMethods1Client& p, int) { p.EchoString(QStringLiteral("yankı")); });
    const Figures login =
        load(server.port(), kClients, 60000, 15, [&](TServerMethods1Client& p, int t) {
            if (!p.BuyukGetir(ids[t % ids.size()]))
                throw std::runtime_error("no record");
        });
    std::printf("%d concurrent clients on loopback, one connection each (keep-alive)\n", kClients);
    print("EchoString", echo);
    print("BuyukGetir", login);
    std::printf("BuyukGetir / EchoString throughput ratio: %.2f\n",
                login.perSecond / echo.perSecond);

    constexpr int kSearchers = 8;
    const std::vector<SearchText> texts = searchTexts(store);
    struct Searched {
        int kind;
        double ms;
        qsizetype rows;
    };
    std::vector<std::vector<Searched>> searched(kSearchers);
    std::vector<std::unique_ptr<TSonucBilgisi>> records(kSearchers);
    const Figures search =
        load(server.port(), kSearchers, 20000, 15, [&](TServerMethods1Client& p, int t) {
            std::unique_ptr<TSonucBilgisi>& record = records[size_t(t)];
            if (!record) {
                record = std::make_unique<TSonucBilgisi>();
                record->Kopyala(*p.BuyukGetir(QStringLiteral("DEMO-BAYI")));
            }
            auto bilgi = std::make_unique<TSonucBilgisi>();
            bilgi->Kopyala(*record);
            std::vector<Searched>& mine = searched[size_t(t)];
            const SearchText& text = texts[(mine.size() * kSearchers + size_t(t)) % texts.size()];
            QElapsedTimer clock;
            clock.start();
            const vk::DataPacket found = p.StokAraGetir(text.text, std::move(bilgi));
            mine.push_back({text.kind, clock.nsecsElapsed() / 1e6,
                            found.isNull() ? 0 : found.data()->rowCount});
        });
    std::printf("%d concurrent clients searching, %zu texts taken in turn\n", kSearchers,
                texts.size());
    print("StokAraGetir", search);
    std::vector<qsizetype> rows;
    for (int kind = 0; kind < int(std::size(kSearchKinds)); ++kind) {
        std::vector<double> ms;
        std::vector<qsizetype> kindRows;
        for (const auto& mine : searched) {
            for (const Searched& s : mine) {
                if (s.kind == kind) {
                    ms.push_back(s.ms);
                    kindRows.push_back(s.rows);
                }
            }
        }
        rows.insert(rows.end(), kindRows.begin(), kindRows.end());
        std::sort(kindRows.begin(), kindRows.end());
        std::printf("  %-14s p50 %7.2f ms   p99 %7.2f ms   median rows %5lld   (%zu calls)\n",
                    kSearchKinds[kind], percentile(ms, 50), percentile(ms, 99),
                    static_cast<long long>(kindRows.empty() ? 0 : kindRows[kindRows.size() / 2]),
                    ms.size());
    }
    std::sort(rows.begin(), rows.end());
    std::printf("rows returned: median %lld, most %lld\n",
                static_cast<long long>(rows.empty() ? 0 : rows[rows.size() / 2]),
                static_cast<long long>(rows.empty() ? 0 : rows.back()));

    // Each client orders for a dealer of its own through the representative, so that no two
    // share a basket: a few lines in, then the basket sent.
    constexpr int kOrderers = 8;
    constexpr int kLinesPerOrder = 3;
    std::vector<int> dealers;
    std::vector<int> stock;
    {
        vk::server::Sql dealerRows(store,
                                   QStringLiteral("SELECT carino FROM cari WHERE aktif = 1"
                                                  " ORDER BY carino LIMIT ?"),
                                   {kOrderers});
        dealerRows.exec();
        while (dealerRows.next())
            dealers.push_back(dealerRows.value(0).toInt());
        vk::server::Sql stockRows(
            store,
            QStringLiteral("SELECT stokno FROM stok WHERE aktif = 1 ORDER BY stokno LIMIT 97"));
        stockRows.exec();
        while (stockRows.next())
            stock.push_back(stockRows.value(0).toInt());
    }
    const int firm = vk::server::Sql(store, QStringLiteral("SELECT MIN(sirano) FROM kargo_firma"
                                                           " WHERE kargo_turu_id = 1"))
                         .exec()
                         .scalar()
                         .toInt();
    store.write([&] {
        for (int carino : dealers)
            vk::server::Sql(store, QStringLiteral("DELETE FROM sepet WHERE carino = ?"), {carino})
                .exec();
    });
    if (int(dealers.size()) == kOrderers && !stock.empty()) {
        std::vector<std::unique_ptr<TSonucBilgisi>> reps(kOrderers);
        std::vector<std::vector<double>> sent(kOrderers);
        const Figures cycle =
            load(server.port(), kOrderers, 4000, 15, [&](TServerMethods1Client& p, int t) {
                std::unique_ptr<TSonucBilgisi>& rep = reps[size_t(t)];
                const int carino = dealers[size_t(t)];
                if (!rep) {
                    rep = std::make_unique<TSonucBilgisi>();
                    rep->Kopyala(*p.BuyukGetir(QStringLiteral("DEMO-TEMSILCI")));
                    rep->setCARINO(carino);
                }
                auto bilgi = [&] {
                    auto b = std::make_unique<TSonucBilgisi>();
                    b->Kopyala(*rep);
                    return b;
                };
                std::vector<double>& mine = sent[size_t(t)];
                for (int i = 0; i < kLinesPerOrder; ++i) {
                    const size_t at = (mine.size() * kLinesPerOrder + size_t(i) + size_t(t) * 11);
                    p.SepetEkle2(bilgi(), carino, stock[at % stock.size()], {}, {}, 1 + i, 20, 100,
                                 10, rep->Sirano(), 0, 0, 0, 0);
                }
                QElapsedTimer clock;
                clock.start();
                const bool saved = p.SiparisKaydet(
                    bilgi(), carino, 1, 1, QStringLiteral("Deneme siparişi"), rep->Sirano(), firm);
                mine.push_back(clock.nsecsElapsed() / 1e6);
                if (!saved)
                    throw std::runtime_error("order not saved");
            });
        std::vector<double> ms;
        for (const auto& mine : sent)
            ms.insert(ms.end(), mine.begin(), mine.end());
        std::printf("%d concurrent clients ordering, %d SepetEkle2 then SiparisKaydet each time\n",
                    kOrderers, kLinesPerOrder);
        std::printf("SiparisKaydet per second under %d concurrent clients: %.0f orders/s"
                    "   (%ld orders, %ld failed)\n",
                    kOrderers, cycle.perSecond, cycle.calls, cycle.failures);
        std::printf("  %-14s p50 %7.2f ms   p99 %7.2f ms\n", "SiparisKaydet", percentile(ms, 50),
                    percentile(ms, 99));
        std::printf("  %-14s p50 %7.2f ms   p99 %7.2f ms\n", "whole order", cycle.p50, cycle.p99);
    }
    server.stop();
    return 0;
}
