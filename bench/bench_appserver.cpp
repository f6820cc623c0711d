// The application server under load on loopback: a 200,000-article demo catalogue, then 32
// concurrent clients calling EchoString (the bare call) and BuyukGetir (the login lookup).
// Prints requests per second and p50 / p99 latency; the loops are bounded by count and time.

#include "appserver.h"
#include "seed/demoseed.h"
#include "store/sqlitestore.h"

#include "server/connection.h"
#include "server/proxim.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <mutex>
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
    server.stop();
    return 0;
}
