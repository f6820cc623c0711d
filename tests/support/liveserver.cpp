#include "liveserver.h"

#include "admin.h"
#include "seed/demoseed.h"
#include "store/store.h"

#include <QDir>

namespace vk::test {

using namespace vk::server;

LiveServer::LiveServer(int demoArticles) {
    m_store = std::make_unique<SqliteStore>(m_dir.filePath(QStringLiteral("live.db")));
    m_store->migrate();
    if (demoArticles > 0) {
        DemoSeedOptions seed;
        seed.articles = demoArticles;
        seed.today = QDate(2026, 12, 1);
        seedDemo(*m_store, seed);
    } else {
        addSmallDataSet();
    }
    QDir(m_dir.path()).mkdir(QStringLiteral("files"));
    ServerOptions o;
    o.port = 0;
    o.webPort = 0;
    o.requestLog = qEnvironmentVariableIsSet("VK_TEST_LOG");
    o.filesDir = filesDir();
    m_server = std::make_unique<AppServer>(*m_store, o);
    m_server->start();
}

void LiveServer::addSmallDataSet() {
    m_store->write([&] {
        Sql(*m_store, QStringLiteral("INSERT INTO satici(satici_no, adi, telefon, mail) VALUES "
                                     "(7, 'Ahmet Kaya', '0 (212) 555 01 07', 'ahmet@velkor.test')"))
            .exec();
        Sql(*m_store, QStringLiteral("INSERT INTO cari(carino, carikod, cariadi, satici_no) VALUES "
                                     "(120, '120.01.001', 'ÖZKAN OTO YEDEK PARÇA', 7),"
                                     "(121, '120.01.002', 'YILDIZ OTOMOTİV', 7)"))
            .exec();
        // The order of the lists (sira) differs from that of the ids; type 1's firms share a sira.
        Sql(*m_store, QStringLiteral("INSERT INTO teslim_sekli(id, adi, sira) VALUES "
                                     "(1, 'Kargo ile Gönderim', 2),"
                                     "(2, 'Depodan Teslim Alınacak', 1),"
                                     "(3, 'Servis Aracı ile', 3),"
                                     "(4, 'Ambar ile Gönderim', 3)"))
            .exec();
        Sql(*m_store, QStringLiteral("INSERT INTO kargo_turu(id, adi, sira) VALUES "
                                     "(1, 'Alıcı Ödemeli', 2), (2, 'Gönderici Ödemeli', 1)"))
            .exec();
        Sql(*m_store, QStringLiteral(
                          "INSERT INTO kargo_firma(sirano, kargo_turu_id, adi, uyari, sira) VALUES "
                          "(1, 1, 'Aras Kargo', 'Cumartesi günleri teslimat yapılmamaktadır.', 2),"
                          "(2, 1, 'Yurtiçi Kargo', '', 1),"
                          "(3, 2, 'Sürat Kargo', 'Saat 16:00''dan sonra verilenler ertesi gün"
                          " çıkar.', 1),"
                          "(4, 1, 'MNG Kargo', '', 2)"))
            .exec();
    });
    addUser(*m_store, NewUser{QStringLiteral("BAYI"), QStringLiteral("1234"), 3, 120, 0, true, {}});
    addUser(*m_store,
            NewUser{QStringLiteral("BAYI4"), QStringLiteral("1234"), 4, 121, 0, true, {}});
    addUser(*m_store,
            NewUser{QStringLiteral("PASIF"), QStringLiteral("1234"), 3, 120, 0, false, {}});
    addUser(*m_store,
            NewUser{QStringLiteral("TEMSILCI"), QStringLiteral("5678"), 1, 120, 7, true, {}});
}

LiveServer::~LiveServer() {
    m_server->stop();
}

QString LiveServer::filesDir() const {
    return m_dir.filePath(QStringLiteral("files"));
}

void LiveServer::registerWorkstation(const QString& id, const QString& user) {
    addWorkstation(*m_store, id, user, {});
}

void LiveServer::setExpectedVersion(int version) {
    setSetting(*m_store, QStringLiteral("beklenen_versiyon"), QString::number(version));
}

vk::Deployment LiveServer::deployment() const {
    vk::Deployment d = vk::Deployment::builtIn();
    d.serverHost = QStringLiteral("127.0.0.1");
    d.serverPort = port();
    d.webHost = QStringLiteral("127.0.0.1:%1").arg(webPort());
    d.ipEchoUrl = QStringLiteral("http://%1/ip").arg(d.webHost);
    d.updateBaseUrl = QStringLiteral("http://%1").arg(d.webHost);
    return d;
}

} // namespace vk::test
