// The application server over real HTTP on loopback: every kind of result through the client's
// own proxy, the request forms, bad requests, the login record, the web host, and stopping.

#include "admin.h"
#include "appserver.h"
#include "store/schema.h"
#include "store/sqlitestore.h"
#include "store/store.h"
#include "webhost.h"

#include "common/errors.h"
#include "server/connection.h"
#include "server/memtable.h"
#include "server/proxim.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <httplib.h>

#include <atomic>
#include <thread>

#include <signal.h>

using namespace vk::server;

namespace {

// A fresh database with one dealer, one representative, users and a registered workstation.
class Fixture {
public:
    QTemporaryDir dir;
    std::unique_ptr<SqliteStore> store;
    std::unique_ptr<AppServer> server;

    Fixture() {
        store = std::make_unique<SqliteStore>(dir.filePath(QStringLiteral("test.db")));
        store->migrate();
        store->write([&] {
            Sql(*store,
                QStringLiteral("INSERT INTO satici(satici_no, adi, telefon, mail) VALUES "
                               "(7, 'AHMET KAYA', '0 (212) 555 01 07', 'ahmet@velkor.test')"))
                .exec();
            Sql(*store,
                QStringLiteral("INSERT INTO cari(carino, carikod, cariadi, satici_no) VALUES "
                               "(120, '120.01.001', 'ÖZKAN OTO YEDEK PARÇA', 7)"))
                .exec();
        });
        NewUser bayi{QStringLiteral("BAYI"),           QStringLiteral("1234"), 3, 120, 0, true,
                     QStringLiteral("bayi@ozkan.test")};
        addUser(*store, bayi);
        NewUser rep{QStringLiteral("TEMSILCI"), QStringLiteral("5678"), 1, 120, 7, true, {}};
        addUser(*store, rep);
        addWorkstation(*store, QStringLiteral("WD-123"), QStringLiteral("BAYI"), {});
        addWorkstation(*store, QStringLiteral("REP-1"), QStringLiteral("TEMSILCI"), {});
        QDir(dir.path()).mkdir(QStringLiteral("files"));
        ServerOptions o;
        o.port = 0;
        o.webPort = 0;
        o.requestLog = qEnvironmentVariableIsSet("VK_TEST_LOG");
        o.filesDir = dir.filePath(QStringLiteral("files"));
        server = std::make_unique<AppServer>(*store, o);
    }

    void start() { server->start(); }

    vk::ServerConnection& connection() {
        if (!m_connection.Connected()) {
            m_connection.setHostName(QStringLiteral("127.0.0.1"));
            m_connection.setPort(server->port());
            m_connection.setCallTimeoutMs(5000);
            m_connection.Open();
        }
        return m_connection;
    }

    // A raw request to the method port.
    httplib::Result raw(const std::string& method, const std::string& path,
                        const std::string& body = {}) {
        httplib::Client c("127.0.0.1", server->port());
        c.set_read_timeout(5, 0);
        httplib::Request req;
        req.method = method;
        req.path = path;
        req.body = body;
        if (!body.empty())
            req.set_header("Content-Type", "text/plain;charset=UTF-8");
        return c.send(req);
    }

    httplib::Result web(const std::string& path) {
        httplib::Client c("127.0.0.1", server->webPort());
        c.set_read_timeout(5, 0);
        return c.Get(path);
    }

private:
    vk::ServerConnection m_connection;
};

QJsonObject json(const httplib::Result& r) {
    return r ? QJsonDocument::fromJson(QByteArray::fromStdString(r->body)).object() : QJsonObject();
}

vk::TablePtr smallTable() {
    auto t = std::make_shared<vk::TableData>();
    t->fields = {vk::FieldDef::make(QStringLiteral("ID"), vk::FieldType::Integer),
                 vk::FieldDef::make(QStringLiteral("ADI"), vk::FieldType::String)};
    t->columns = {{1, 2}, {QStringLiteral("Depodan Teslim"), QStringLiteral("Kargo ile Gönderim")}};
    t->rowCount = 2;
    return t;
}

} // namespace

class AppServerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Fixture> m_shared; // for the table of request forms

private slots:
    void initTestCase() {
        m_shared = std::make_unique<Fixture>();
        m_shared->start();
    }
    void cleanupTestCase() { m_shared.reset(); }

    // A write that fails is undone whole; the same statement can be read while it is read.
    void storeTransactionsAndStatements() {
        Fixture f;
        SqliteStore& store = *f.store;
        const QString count = QStringLiteral("SELECT COUNT(*) FROM satici");
        QVERIFY_THROWS_EXCEPTION(vk::Error, store.write([&] {
            Sql(store, QStringLiteral("INSERT INTO satici(adi) VALUES ('YENİ')")).exec();
            throw vk::Error(QStringLiteral("vazgeçildi"));
        }));
        QCOMPARE(Sql(store, count).exec().scalar().toInt(), 1);
        QVERIFY_THROWS_EXCEPTION(StoreError, Sql(store, QStringLiteral("SELECT nope FROM yok")));

        const QString all = QStringLiteral("SELECT sirano, adi FROM kullanici ORDER BY sirano");
        Sql outer(store, all);
        outer.exec();
        int pairs = 0;
        while (outer.next()) {
            Sql inner(store, all); // the cached statement is busy: this one is its own
            inner.exec();
            while (inner.next())
                ++pairs;
        }
        QCOMPARE(pairs, 4);
        QCOMPARE(Sql(store, count).exec().scalar().toInt(), 1);
    }

    // Every kind of result the catalogue has, from handler to the client's proxy.
    void resultKinds() {
        Fixture f;
        Dispatcher& d = f.server->dispatcher();
        d.add(vk::MethodId::TeslimVer, [](Call& c) { c.setResult(smallTable()); });
        d.add(vk::MethodId::SepetVer2, [](Call& c) {
            QVERIFY(c.int32(0) == 120);
            c.setResult(smallTable());
        });
        d.add(vk::MethodId::ResimVer5, [](Call& c) {
            const QByteArray bytes(2048 + 7, 'j');
            c.setOut(1, qint64(bytes.size()));
            c.setResult(bytes);
        });
        d.add(vk::MethodId::KurlariAl, [](Call& c) {
            c.setOut(0, 35.25);
            c.setOut(1, 37.5);
            c.setResult(qint64(1));
        });
        d.add(vk::MethodId::SiparisKaydet, [](Call& c) {
            const auto* bb = c.record<TSonucBilgisi>(0);
            c.setResult(bb && bb->CARINO() == 120 && c.text(4) == QStringLiteral("not \"1\""));
        });
        d.add(vk::MethodId::CarileriVer, [](Call& c) {
            c.setResult(QJsonArray{QStringLiteral("ÖZKAN"), 120});
        });
        std::atomic<int> selections{0};
        d.add(vk::MethodId::SepetSecimGuncelle, [&](Call& c) { selections += c.int32(1); });
        f.start();

        TServerMethods1Client proxy(&f.connection());
        QCOMPARE(proxy.EchoString(QStringLiteral("Çağrı \"1\"")), QStringLiteral("Çağrı \"1\""));
        QCOMPARE(proxy.ReverseString(QStringLiteral("abç")), QStringLiteral("çba"));

        vk::MemTable teslim;
        vk::loadFromReader(teslim, *proxy.TeslimVer());
        QCOMPARE(teslim.recordCount(), 2);
        QCOMPARE(teslim.value(1, 1).toString(), QStringLiteral("Kargo ile Gönderim"));
        vk::MemTable sepet;
        vk::loadFromDataPacket(sepet, proxy.SepetVer2(120));
        QCOMPARE(sepet.fieldCount(), 2);

        qint64 boy = 0;
        vk::ByteStream* stream = proxy.ResimVer5(5, boy);
        QCOMPARE(vk::readStreamBytes(stream, boy)->size(), 2055);

        double usd = 0, eur = 0;
        QCOMPARE(proxy.KurlariAl(usd, eur), 1);
        QCOMPARE(usd, 35.25);
        QCOMPARE(eur, 37.5);

        auto bilgi = std::make_unique<TSonucBilgisi>();
        bilgi->setCARINO(120);
        QVERIFY(
            proxy.SiparisKaydet(std::move(bilgi), 120, 1, 2, QStringLiteral("not \"1\""), 3, 4));
        QCOMPARE(*proxy.CarileriVer(), QJsonArray({QStringLiteral("ÖZKAN"), 120}));
        proxy.SepetSecimGuncelle(9, 1);
        QCOMPARE(selections.load(), 1);

        // A method no handler serves answers so, by name.
        try {
            proxy.TolvaneVer();
            QFAIL("an unsupported method must fail");
        } catch (const vk::ServerError& e) {
            QCOMPARE(e.text(),
                     QStringLiteral("TServerMethods1.TolvaneVer bu sunucuda desteklenmiyor"));
        }
    }

    void loginRecord() {
        Fixture f;
        f.start();
        TServerMethods1Client proxy(&f.connection());

        TSonucBilgisi* known = proxy.BuyukGetir(QStringLiteral("WD-123"));
        QVERIFY(known);
        QVERIFY(known->Varmi());
        QCOMPARE(known->ADI(), QStringLiteral("BAYI"));
        QCOMPARE(known->SIFRE(), QStringLiteral("1234"));
        QCOMPARE(known->MusteriTipi(), 3);
        QCOMPARE(known->AKTIF(), 1);
        QCOMPARE(known->CARINO(), 120);
        QCOMPARE(known->CariAdi(), QStringLiteral("ÖZKAN OTO YEDEK PARÇA"));
        QCOMPARE(known->carikod(), QStringLiteral("120.01.001"));
        QCOMPARE(known->SaticiAdi(), QStringLiteral("AHMET KAYA"));
        QCOMPARE(known->SaticiNo(), 7);
        QCOMPARE(known->Version(), 6);
        QVERIFY(known->Sirano() > 0);

        TSonucBilgisi* rep = proxy.BuyukGetir(QStringLiteral("REP-1"));
        QCOMPARE(rep->MusteriTipi(), 1);
        QCOMPARE(rep->SaticiTelefon(), QStringLiteral("0 (212) 555 01 07"));

        setSetting(*f.store, QStringLiteral("beklenen_versiyon"), QStringLiteral("7"));
        for (const QString& id : {QStringLiteral("YOK-999"), QStringLiteral("' OR 1=1 --"),
                                  QStringLiteral("WD-123'; DROP TABLE kullanici; --")}) {
            TSonucBilgisi* unknown = proxy.BuyukGetir(id);
            QVERIFY(unknown);
            QVERIFY(!unknown->Varmi());
            QCOMPARE(unknown->Version(), 7); // the version check comes before anything else
            QVERIFY(unknown->ADI().isEmpty());
            QCOMPARE(unknown->BILGISAYARID(), id);
        }
        QVERIFY(proxy.BuyukGetir(QStringLiteral("WD-123"))->Varmi()); // nothing was dropped
    }

    void requestForms_data() {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("result"); // the JSON of "result", or the start of "error"
        auto echo = [](const char* rest) {
            return QStringLiteral("/datasnap/rest/TServerMethods1/") + QString::fromUtf8(rest);
        };
        QTest::newRow("post quoted")
            << "POST" << echo("%22EchoString%22") << R"({"_parameters":["x"]})"
            << R"(["x"])";
        QTest::newRow("get segment") << "GET" << echo("EchoString/Fren%20Balata%C5%9F%C4%B1") << ""
                                     << R"(["Fren Balataşı"])";
        QTest::newRow("get slash encoded") << "GET" << echo("EchoString/a%2Fb/") << ""
                                           << R"(["a/b"])";
        QTest::newRow("get empty segment") << "GET" << echo("EchoString//") << ""
                                           << R"([""])";
        QTest::newRow("get null segment") << "GET" << echo("EchoString/null") << ""
                                          << R"([""])";
        QTest::newRow("get missing input") << "GET" << echo("EchoString") << ""
                                           << R"([""])";
        QTest::newRow("put body value") << "PUT" << echo("%22EchoString%22") << R"("gövde")"
                                        << R"(["gövde"])";
        QTest::newRow("post unquoted means update")
            << "POST" << echo("EchoString") << R"({"_parameters":["x"]})"
            << "error:Bilinmeyen sunucu metodu: updateEchoString";
        QTest::newRow("unknown method") << "POST" << echo("%22Yok%22") << R"({"_parameters":[]})"
                                        << "error:Bilinmeyen sunucu metodu: Yok";
        QTest::newRow("malformed JSON")
            << "POST" << echo("%22EchoString%22") << R"({"_parameters":["x")"
            << "error:EchoString: istek gövdesi geçerli JSON değil";
        QTest::newRow("too few parameters")
            << "POST" << echo("%22BuyukGetir%22") << R"({"_parameters":[]})"
            << "error:BuyukGetir: \"idsi\" parametresi eksik";
        QTest::newRow("too many parameters")
            << "POST" << echo("%22BuyukGetir%22") << R"({"_parameters":["a","b"]})"
            << "error:BuyukGetir: 1 parametre beklenirken 2 geldi";
        QTest::newRow("wrong type")
            << "POST" << echo("%22SepetSecimGuncelle%22") << R"({"_parameters":["on iki",1]})"
            << "error:SepetSecimGuncelle: \"sirano\" parametresi: 32 bitlik tamsayı beklenirken "
               "metin geldi";
        QTest::newRow("wrong record type")
            << "POST" << echo("%22SepetHepsiniSil%22")
            << R"({"_parameters":[{"type":"baglantiu.TTusSonuclari","id":1,"fields":{}}]})"
            << "error:SepetHepsiniSil: \"bilgi\" parametresi: baglantiu.TSonucBilgisi beklenirken";
        QTest::newRow("bad segment type")
            << "GET" << echo("SepetSecimGuncelle/x/1") << ""
            << "error:SepetSecimGuncelle: \"sirano\" parametresi 32 bitlik tamsayı olmalı";
    }

    void requestForms() {
        QFETCH(QString, method);
        QFETCH(QString, path);
        QFETCH(QString, body);
        QFETCH(QString, result);
        const httplib::Result r =
            m_shared->raw(method.toStdString(), path.toStdString(), body.toStdString());
        QVERIFY(r);
        const QJsonObject reply = json(r);
        if (result.startsWith(QStringLiteral("error:"))) {
            QCOMPARE(r->status, 500);
            const QString error = reply.value(QStringLiteral("error")).toString();
            QVERIFY2(error.startsWith(result.mid(6)), qPrintable(error));
        } else {
            QCOMPARE(r->status, 200);
            QCOMPARE(QJsonDocument(reply.value(QStringLiteral("result")).toArray())
                         .toJson(QJsonDocument::Compact),
                     result.toUtf8());
        }
    }

    // Bad requests get an error reply and the server keeps serving.
    void badRequests() {
        Fixture f;
        f.start();
        const std::string echo = "/datasnap/rest/TServerMethods1/%22EchoString%22";
        const std::string big(size_t(9) << 20, 'x');
        const httplib::Result large = f.raw("POST", echo, "{\"_parameters\":[\"" + big + "\"]}");
        QVERIFY(large);
        QCOMPARE(large->status, 413);
        QVERIFY(
            json(large).value(QStringLiteral("error")).toString().contains(QStringLiteral("8 MB")));

        const httplib::Result elsewhere = f.raw("GET", "/etc/passwd");
        QVERIFY(elsewhere);
        QCOMPARE(elsewhere->status, 404);
        QVERIFY(json(elsewhere).contains(QStringLiteral("error")));

        for (const char* junk : {"\x01\x02\xff", "[1,2", "{\"_parameters\":{}}", "null"}) {
            const httplib::Result r = f.raw("POST", echo, junk);
            QVERIFY(r);
            QVERIFY(r->status == 200 || r->status == 500);
        }
        TServerMethods1Client proxy(&f.connection());
        QCOMPARE(proxy.EchoString(QStringLiteral("hâlâ çalışıyor")),
                 QStringLiteral("hâlâ çalışıyor"));
    }

    // Waiting requests hold a worker each; an ordinary call still gets one.
    void waitingRequestsDoNotStarve() {
        Fixture f;
        QSemaphore started, release;
        f.server->dispatcher().add(vk::MethodId::KayanYaziGetir, [&](Call& c) {
            started.release();
            release.acquire();
            c.setResult(QStringLiteral("bekledim"));
        });
        f.start();
        constexpr int kWaiting = 120;
        std::vector<std::thread> waiting;
        std::atomic<int> answered{0};
        for (int i = 0; i < kWaiting; ++i) {
            waiting.emplace_back([&] {
                try {
                    vk::ServerConnection c;
                    c.setHostName(QStringLiteral("127.0.0.1"));
                    c.setPort(f.server->port());
                    c.Open();
                    TServerMethods1Client p(&c);
                    if (p.KayanYaziGetir() == QStringLiteral("bekledim"))
                        ++answered;
                } catch (const vk::Error& e) {
                    qWarning("waiting call failed: %s", qUtf8Printable(e.text()));
                }
            });
        }
        QVERIFY(started.tryAcquire(kWaiting, 10000));
        TServerMethods1Client proxy(&f.connection());
        QCOMPARE(proxy.EchoString(QStringLiteral("sıradaki")), QStringLiteral("sıradaki"));
        release.release(kWaiting);
        for (std::thread& t : waiting)
            t.join();
        QCOMPARE(answered.load(), kWaiting);
    }

    // A call in progress when the server stops is still answered.
    void stopFinishesCallsInProgress() {
        Fixture f;
        QSemaphore inside;
        f.server->dispatcher().add(vk::MethodId::KayanYaziGetir, [&](Call& c) {
            inside.release();
            QThread::msleep(300);
            c.setResult(QStringLiteral("bitti"));
        });
        f.start();
        QString got;
        std::thread caller([&] {
            vk::ServerConnection c;
            c.setHostName(QStringLiteral("127.0.0.1"));
            c.setPort(f.server->port());
            c.Open();
            TServerMethods1Client p(&c);
            got = p.KayanYaziGetir();
        });
        QVERIFY(inside.tryAcquire(1, 5000));
        f.server->stop();
        caller.join();
        QCOMPARE(got, QStringLiteral("bitti"));
    }

    void webHost() {
        Fixture f;
        const QByteArray jpeg = QByteArray("\xff\xd8\xff\xe0", 4) + QByteArray(3000, 'p');
        f.store->write([&] {
            Sql(*f.store,
                QStringLiteral("INSERT INTO stok(stokno, barkod, adi) VALUES (5, 'VLK-5', 'BUJİ')"))
                .exec();
            Sql(*f.store, QStringLiteral("INSERT INTO stok_resim(stokno, resim) VALUES (5, ?)"),
                {jpeg})
                .exec();
        });
        f.start();

        const httplib::Result ip = f.web("/ip");
        QVERIFY(ip);
        QCOMPARE(ip->body, std::string("127.0.0.1"));

        const httplib::Result picture = f.web("/resimgoster.ashx?id=5");
        QCOMPARE(QByteArray::fromStdString(picture->body), jpeg);
        QCOMPARE(picture->get_header_value("Content-Type"), std::string("image/jpeg"));
        const httplib::Result none = f.web("/resimgoster.ashx?id=6");
        QVERIFY(none->body.size() < 1200);

        const httplib::Result form =
            f.web("/formmailgonder.aspx?carino=0&kullanici=%20&id=%3Cscript%3E");
        QCOMPARE(form->status, 200);
        QVERIFY(form->body.find("<script>") == std::string::npos);
        QVERIFY(form->body.find("&lt;script&gt;") != std::string::npos);
        httplib::Client c("127.0.0.1", f.server->webPort());
        const httplib::Result posted =
            c.Post("/formmailgonder.aspx", "id=WD-9&firma=%C3%96ZKAN+%26+O%C4%9EULLARI&telefon=555",
                   "application/x-www-form-urlencoded");
        QCOMPARE(posted->status, 200);
        Sql stored(*f.store,
                   QStringLiteral("SELECT bilgisayarid, firma, telefon FROM istek_formu"));
        stored.exec();
        QVERIFY(stored.next());
        QCOMPARE(stored.value(1).toString(), QStringLiteral("ÖZKAN & OĞULLARI"));

        const httplib::Result pay =
            f.web("/Ravlokart.html?carino=120&sube=MERKEZ&firmasi=A%26B%3Ci%3E&bakiye=1.234,50");
        QVERIFY(pay->body.find("A&amp;B&lt;i&gt;") != std::string::npos);
    }

    // Only plain files of the configured folder are served.
    void installerFolderConfinement() {
        Fixture f;
        const QString files = f.dir.filePath(QStringLiteral("files"));
        QFile setup(files + QStringLiteral("/VelkorB2BSetup.exe"));
        QVERIFY(setup.open(QIODevice::WriteOnly));
        setup.write("MZ-kurulum");
        setup.close();
        QFile secret(f.dir.filePath(QStringLiteral("secret.txt")));
        QVERIFY(secret.open(QIODevice::WriteOnly));
        secret.write("gizli");
        secret.close();
        QVERIFY(QFile::link(secret.fileName(), files + QStringLiteral("/link.txt")));
        QDir(files).mkdir(QStringLiteral("sub"));
        f.start();

        QCOMPARE(f.web("/exe/VelkorB2BSetup.exe")->body, std::string("MZ-kurulum"));
        for (const char* path :
             {"/exe/../secret.txt", "/exe/%2e%2e/secret.txt", "/exe/..%2fsecret.txt",
              "/exe/link.txt", "/exe/sub", "/exe/.hidden", "/exe/", "/exe/yok.exe", "/secret.txt",
              "/exe/%2Fetc%2Fpasswd"}) {
            const httplib::Result r = f.web(path);
            QVERIFY2(r && r->status == 404, path);
            QVERIFY2(r->body.find("gizli") == std::string::npos, path);
        }
        QVERIFY(servedFile(QString(), QStringLiteral("VelkorB2BSetup.exe")).isEmpty());
    }

    // The command: serve until SIGTERM, answering calls meanwhile, and leave with status 0.
    void serveCommandStopsOnSignal() {
        QTemporaryDir dir;
        QProcess p;
        p.start(QStringLiteral(VK_APPSERVER_BINARY),
                {QStringLiteral("serve"), QStringLiteral("--db"),
                 dir.filePath(QStringLiteral("s.db")), QStringLiteral("--port"),
                 QStringLiteral("0"), QStringLiteral("--web-port"), QStringLiteral("0")});
        QVERIFY(p.waitForStarted());
        QString log;
        static const QRegularExpression started(QStringLiteral("metotlar 127\\.0\\.0\\.1:(\\d+)"));
        QRegularExpressionMatch m;
        for (int i = 0; i < 100 && !(m = started.match(log)).hasMatch(); ++i) {
            p.waitForReadyRead(100);
            log += QString::fromUtf8(p.readAllStandardError());
        }
        QVERIFY2(m.hasMatch(), qPrintable(log));
        vk::ServerConnection c;
        c.setHostName(QStringLiteral("127.0.0.1"));
        c.setPort(m.captured(1).toInt());
        c.Open();
        TServerMethods1Client proxy(&c);
        QCOMPARE(proxy.EchoString(QStringLiteral("merhaba")), QStringLiteral("merhaba"));
        c.Close();
        ::kill(p.processId(), SIGTERM);
        QVERIFY(p.waitForFinished(15000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        log += QString::fromUtf8(p.readAllStandardError());
        QVERIFY(log.contains(QStringLiteral("EchoString")));
    }

    // A process killed in the middle of writing leaves a database that is whole: the seed is one
    // transaction, so it is there completely or not at all.
    void killedMidWriteLeavesConsistentDatabase() {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("k.db"));
        QProcess p;
        p.start(QStringLiteral(VK_APPSERVER_BINARY),
                {QStringLiteral("seed"), QStringLiteral("--demo"), QStringLiteral("--articles"),
                 QStringLiteral("150000"), QStringLiteral("--db"), db, QStringLiteral("--today"),
                 QStringLiteral("2026-12-01")});
        QVERIFY(p.waitForStarted());
        QString log;
        while (!log.contains(QStringLiteral("stok")) && p.state() == QProcess::Running) {
            p.waitForReadyRead(50);
            log += QString::fromUtf8(p.readAllStandardError());
        }
        QThread::msleep(300);
        p.kill();
        QVERIFY(p.waitForFinished(10000));

        SqliteStore store(db);
        QCOMPARE(Sql(store, QStringLiteral("PRAGMA integrity_check")).exec().scalar().toString(),
                 QStringLiteral("ok"));
        const int articles =
            Sql(store, QStringLiteral("SELECT COUNT(*) FROM stok")).exec().scalar().toInt();
        const int users =
            Sql(store, QStringLiteral("SELECT COUNT(*) FROM kullanici")).exec().scalar().toInt();
        QVERIFY2((articles == 0 && users == 0) || articles == 150000,
                 qPrintable(QString::number(articles)));
        QCOMPARE(store.schemaVersion(), int(schemaMigrations().size()));
    }
};

QTEST_GUILESS_MAIN(AppServerTest)
#include "tst_appserver.moc"
