// The login: its rules on their own (the order of the checks, the remembered credentials,
// "ip.txt", capitals), and the window driven against a real application server.

#include "cannedserver.h"
#include "liveserver.h"
#include "testdoubles.h"

#include "common/deployment.h"
#include "login/girisformu.h"
#include "login/inifile.h"
#include "login/loginflow.h"
#include "messaging/formistekyeniu.h"
#include "server/baglantiu.h"
#include "server/connection.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using vk::LoginStep;
using vk::test::RecordingDialogs;

Q_DECLARE_METATYPE(vk::LoginStep)

namespace {

TSonucBilgisi record(int version, bool known, const QString& user, const QString& password,
                     int active, int type) {
    TSonucBilgisi r;
    r.setVersion(version);
    r.setVarmi(known);
    r.setADI(user);
    r.setSIFRE(password);
    r.setAKTIF(active);
    r.setMusteriTipi(type);
    return r;
}

// Closes the next modal window of type W that opens, after handing it to inspect.
template <class W> void closeWhenShown(std::function<void(W*)> inspect) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, inspect] {
        if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            inspect(w);
            w->reject();
        }
    });
    timer->start();
}

// The login window against a live server, on a workstation with a known identifier.
struct LoginRig {
    vk::test::LiveServer server;
    vk::test::FakePlatform platform;
    vk::test::RecordingEnd end;
    vk::test::RecordingOpener opener;
    vk::ServerConnection bagc;
    TSonucBilgisi sbilgi;

    explicit LoginRig(const QString& workstationUser = QStringLiteral("BAYI")) {
        platform.serial = QStringLiteral("TEST-WS-1");
        if (!workstationUser.isEmpty())
            server.registerWorkstation(QStringLiteral("TEST-WS-1"), workstationUser);
        vk::setDeployment(server.deployment());
    }

    std::unique_ptr<Tgirisform> window() {
        auto w = std::make_unique<Tgirisform>(&bagc, &sbilgi);
        w->show();
        return w;
    }
};

void typeAndEnter(Tgirisform& w, const QString& user, const QString& password) {
    w.adi->clear();
    w.sifre->clear();
    QTest::keyClicks(w.adi, user);
    QTest::keyClick(w.adi, Qt::Key_Return);
    QTest::keyClicks(w.sifre, password);
    QTest::keyClick(w.sifre, Qt::Key_Return);
}

const QString kWrong = QStringLiteral("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !");

} // namespace

class LoginTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale::c());
    }

    void init() { QFile::remove(vk::loginSettingsPath()); }

    // The checks run in order: version, known workstation, credentials, active flag.
    void decideLogin_data() {
        QTest::addColumn<bool>("fetched");
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("known");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("active");
        QTest::addColumn<int>("type");
        QTest::addColumn<LoginStep>("step");
        QTest::newRow("no answer")
            << false << 6 << true << "1234" << 1 << 3 << LoginStep::ConnectionFailed;
        QTest::newRow("version first, even when unknown")
            << true << 7 << false << "yanlış" << 0 << 3 << LoginStep::UpdateRequired;
        QTest::newRow("unknown before credentials")
            << true << 6 << false << "yanlış" << 1 << 3 << LoginStep::UnknownWorkstation;
        QTest::newRow("wrong password")
            << true << 6 << true << "9999" << 1 << 3 << LoginStep::WrongCredentials;
        QTest::newRow("wrong password of an inactive account")
            << true << 6 << true << "9999" << 0 << 3 << LoginStep::WrongCredentials;
        QTest::newRow("inactive") << true << 6 << true << "1234" << 0 << 3 << LoginStep::Inactive;
        QTest::newRow("dealer") << true << 6 << true << "1234" << 1 << 3 << LoginStep::Accept;
        QTest::newRow("dealer without campaigns")
            << true << 6 << true << "1234" << 1 << 4 << LoginStep::Accept;
        QTest::newRow("representative")
            << true << 6 << true << "1234" << 1 << 1 << LoginStep::AcceptChooseCustomer;
        QTest::newRow("senior representative")
            << true << 6 << true << "1234" << 1 << 2 << LoginStep::AcceptChooseCustomer;
    }

    void decideLogin() {
        QFETCH(bool, fetched);
        QFETCH(int, version);
        QFETCH(bool, known);
        QFETCH(QString, password);
        QFETCH(int, active);
        QFETCH(int, type);
        QFETCH(LoginStep, step);
        const TSonucBilgisi r =
            record(version, known, QStringLiteral("BAYI"), QStringLiteral("1234"), active, type);
        QCOMPARE(vk::decideLogin(fetched, r, QStringLiteral("BAYI"), password), step);
        // A name stored in small letters never matches what the edits let one type.
        const TSonucBilgisi lower =
            record(6, true, QStringLiteral("bayi"), QStringLiteral("1234"), 1, 3);
        QCOMPARE(vk::decideLogin(true, lower, vk::upperTyped(QStringLiteral("bayi")),
                                 QStringLiteral("1234")),
                 LoginStep::WrongCredentials);
    }

    void settingsFile() {
        const QString path = vk::loginSettingsPath();
        vk::LoginSettings s;
        QVERIFY(!vk::readLoginSettings(path, &s));
        QVERIFY(s.hatirla); // read with default true

        vk::writeLoginSettings(path, {QStringLiteral("ŞAHİN"), QStringLiteral("ĞÜ12"), false});
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.contains(
            QStringLiteral("[kullanici]\nisim=ŞAHİN\nsifre=ĞÜ12\nhatırla=0\n").toUtf8()));
        QVERIFY(vk::readLoginSettings(path, &s));
        QCOMPARE(s.isim, QStringLiteral("ŞAHİN"));
        QCOMPARE(s.sifre, QStringLiteral("ĞÜ12"));
        QVERIFY(!s.hatirla);

        // A file an older installation wrote in the Turkish code page, with another section.
        QFile legacy(path);
        QVERIFY(legacy.open(QIODevice::WriteOnly));
        legacy.write("[pencere]\r\ngenislik=1024\r\n[KULLANICI]\r\nisim=\xDE"
                     "AH\xDDN\r\nsifre=1234\r\nhat\xFDrla=1\r\n");
        legacy.close();
        QVERIFY(vk::readLoginSettings(path, &s));
        QCOMPARE(s.isim, QStringLiteral("ŞAHİN"));
        QVERIFY(s.hatirla);
        vk::writeLoginSettings(path, {QStringLiteral("BAYI"), QStringLiteral("1234"), true});
        vk::IniFile ini;
        QVERIFY(vk::readIniFile(path, &ini));
        QCOMPARE(ini.value(QStringLiteral("pencere"), QStringLiteral("genislik")),
                 QStringLiteral("1024"));
        QCOMPARE(ini.value(QStringLiteral("kullanici"), QStringLiteral("isim")),
                 QStringLiteral("BAYI"));
    }

    void ipTxt_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("server");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("web");
        QTest::addColumn<QString>("echo");
        QTest::newRow("host") << "b2b.example.com\n"
                              << "b2b.example.com" << 9090 << "b2b.example.com"
                              << "http://b2b.example.com/ip";
        QTest::newRow("host and port") << "  10.0.0.5:9191  "
                                       << "10.0.0.5" << 9191 << "10.0.0.5"
                                       << "http://10.0.0.5/ip";
        QTest::newRow("all keys")
            << "# demo\n127.0.0.1:9090\nweb=127.0.0.1:8080\nipecho=http://127.0.0.1:8080/ip\n"
            << "127.0.0.1" << 9090 << "127.0.0.1:8080"
            << "http://127.0.0.1:8080/ip";
        QTest::newRow("web only moves the echo") << "web=w.example.com:81"
                                                 << "127.0.0.1" << 9090 << "w.example.com:81"
                                                 << "http://w.example.com:81/ip";
        QTest::newRow("unreadable lines skipped") << "bad host name\nx:99999\n"
                                                  << "127.0.0.1" << 9090 << "127.0.0.1"
                                                  << "http://127.0.0.1/ip";
        QTest::newRow("IPv6") << "[::1]:9092"
                              << "::1" << 9092 << "[::1]"
                              << "http://[::1]/ip";
    }

    void ipTxt() {
        QFETCH(QString, content);
        QFETCH(QString, server);
        QFETCH(int, port);
        QFETCH(QString, web);
        QFETCH(QString, echo);
        vk::Deployment base = vk::Deployment::builtIn();
        base.serverHost = QStringLiteral("127.0.0.1");
        base.webHost = QStringLiteral("127.0.0.1");
        base.ipEchoUrl = QStringLiteral("http://127.0.0.1/ip");
        base.updateBaseUrl = QStringLiteral("http://127.0.0.1");
        const vk::Deployment d = vk::applyIpTxt(content, base);
        QCOMPARE(d.serverHost, server);
        QCOMPARE(d.serverPort, port);
        QCOMPARE(d.webHost, web);
        QCOMPARE(d.ipEchoUrl, echo);
        QCOMPARE(d.installerUrl(),
                 QStringLiteral("http://") + d.webHost + QStringLiteral("/exe/VelkorB2BSetup.exe"));
    }

    // Typed letters become capitals the way the workstation's language writes them.
    void capitals() {
        QCOMPARE(vk::upperTyped(QStringLiteral("bayi ayşe"), QLocale::c()),
                 QStringLiteral("BAYI AYŞE"));
        QCOMPARE(vk::upperTyped(QStringLiteral("bayi ıi"), QLocale(QLocale::Turkish)),
                 QStringLiteral("BAYİ Iİ"));
        vk::ServerConnection c;
        TSonucBilgisi r;
        Tgirisform w(&c, &r);
        QTest::keyClicks(w.adi, QStringLiteral("bayi"));
        QCOMPARE(w.adi->text(), QStringLiteral("BAYI"));
        QTest::keyClicks(w.sifre, QStringLiteral("ab1"));
        QCOMPARE(w.sifre->text(), QStringLiteral("AB1"));
    }

    void publicIp() {
        vk::test::CannedServer echo;
        echo.get(QStringLiteral("/ip"), "203.0.113.9\n");
        echo.get(QStringLiteral("/missing"), "Not Found", 404);
        QCOMPARE(vk::fetchPublicIp(QStringLiteral("http://127.0.0.1:%1/ip").arg(echo.port())),
                 QStringLiteral("203.0.113.9"));
        QCOMPARE(vk::fetchPublicIp(QStringLiteral("http://127.0.0.1:%1/missing").arg(echo.port())),
                 QStringLiteral("127.0.0.1"));
        QCOMPARE(
            vk::fetchPublicIp(
                QStringLiteral("http://127.0.0.1:%1/ip").arg(vk::test::CannedServer::closedPort())),
            QStringLiteral("127.0.0.1"));
        QCOMPARE(vk::fetchPublicIp(QStringLiteral("yok")), QStringLiteral("127.0.0.1"));
    }

    void emptyFieldsAskFirst() {
        LoginRig rig;
        RecordingDialogs dialogs;
        auto w = rig.window();
        QTest::keyClick(w->adi, Qt::Key_Return);
        QCOMPARE(dialogs.messages(),
                 QStringList{QStringLiteral("Lütfen kullanıcı adını giriniz !")});
        QCOMPARE(dialogs.requests.first().kind, vk::DialogKind::Warning);
        QTest::keyClicks(w->adi, QStringLiteral("BAYI"));
        QTest::keyClick(w->adi, Qt::Key_Return);
        QCOMPARE(w->focusWidget(), w->sifre);
        QTest::keyClick(w->sifre, Qt::Key_Return);
        QCOMPARE(dialogs.messages().last(), QStringLiteral("Lütfen kullanıcı şifresini giriniz !"));
        QVERIFY(w->Button1->isEnabled()); // nothing was sent
        QCOMPARE(w->Button1->text(), QStringLiteral("Giriş"));
    }

    void successfulLoginRemembers() {
        LoginRig rig;
        RecordingDialogs dialogs;
        auto w = rig.window();
        w->benihatirla->setChecked(false);
        typeAndEnter(*w, QStringLiteral("bayi"), QStringLiteral("1234"));
        QTRY_COMPARE_WITH_TIMEOUT(w->result(), int(QDialog::Accepted), 10000);
        QVERIFY(dialogs.requests.isEmpty());
        QCOMPARE(rig.sbilgi.ADI(), QStringLiteral("BAYI"));
        QCOMPARE(rig.sbilgi.CARINO(), 120);
        QCOMPARE(rig.sbilgi.CariAdi(), QStringLiteral("ÖZKAN OTO YEDEK PARÇA"));
        QCOMPARE(rig.sbilgi.Disip(), QStringLiteral("127.0.0.1")); // what the web host's echo saw
        QCOMPARE(rig.sbilgi.BILGISAYARID(), QStringLiteral("TEST-WS-1"));
        QCOMPARE(rig.sbilgi.BilgiSayarAdi(), QStringLiteral("BAYI-PC"));
        QCOMPARE(rig.bagc.port(), rig.server.port());
        QCOMPARE(rig.end.ends, 0);

        // Saved even with the box unchecked; a new window then starts empty and unchecked.
        vk::LoginSettings s;
        QVERIFY(vk::readLoginSettings(vk::loginSettingsPath(), &s));
        QCOMPARE(s.isim, QStringLiteral("BAYI"));
        QCOMPARE(s.sifre, QStringLiteral("1234"));
        QVERIFY(!s.hatirla);
        auto again = rig.window();
        QVERIFY(!again->benihatirla->isChecked());
        QVERIFY(again->adi->text().isEmpty());
        QVERIFY(again->sifre->text().isEmpty());

        vk::writeLoginSettings(vk::loginSettingsPath(),
                               {QStringLiteral("BAYI"), QStringLiteral("1234"), true});
        auto remembered = rig.window();
        QVERIFY(remembered->benihatirla->isChecked());
        QCOMPARE(remembered->adi->text(), QStringLiteral("BAYI"));
        QCOMPARE(remembered->sifre->text(), QStringLiteral("1234"));
    }

    void refusedLogins_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<LoginStep>("step");
        QTest::addColumn<bool>("saved");
        QTest::newRow("wrong password") << "BAYI"
                                        << "9999" << LoginStep::WrongCredentials << false;
        QTest::newRow("wrong user") << "BAYI4"
                                    << "1234" << LoginStep::WrongCredentials << false;
        QTest::newRow("inactive account") << "PASIF"
                                          << "1234" << LoginStep::Inactive << true;
    }

    // Wrong credentials and an inactive account give the same warning and an idle window.
    void refusedLogins() {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(LoginStep, step);
        QFETCH(bool, saved);
        LoginRig rig(user == u"PASIF" ? QStringLiteral("PASIF") : QStringLiteral("BAYI"));
        RecordingDialogs dialogs;
        auto w = rig.window();
        typeAndEnter(*w, user, password);
        QTRY_VERIFY_WITH_TIMEOUT(w->lastStep().has_value(), 10000);
        QCOMPARE(*w->lastStep(), step);
        QCOMPARE(dialogs.messages(), QStringList{kWrong});
        QCOMPARE(dialogs.requests.first().kind, vk::DialogKind::Warning);
        QVERIFY(w->isVisible() && w->result() != QDialog::Accepted);
        QVERIFY(w->Button1->isEnabled());
        QCOMPARE(w->Button1->text(), QStringLiteral("Giriş!"));
        QCOMPARE(w->focusWidget(), w->adi);
        vk::LoginSettings s;
        QCOMPARE(vk::readLoginSettings(vk::loginSettingsPath(), &s), saved);
        QCOMPARE(rig.end.ends, 0);
    }

    void unknownWorkstationOpensTheRequestForm() {
        LoginRig rig{QString()}; // nothing registered
        RecordingDialogs dialogs;
        auto w = rig.window();
        QString address;
        closeWhenShown<Tformistekyeni>([&](Tformistekyeni* f) {
            address = f->address();
            QCOMPARE(f->windowTitle(), QStringLiteral("Velkor Otomotiv B2B Programı İstek Formu"));
        });
        typeAndEnter(*w, QStringLiteral("BAYI"), QStringLiteral("1234"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.end.ends, 1, 10000);
        QCOMPARE(address,
                 QStringLiteral("http://%1/formmailgonder.aspx?carino=0&kullanici= &id=TEST-WS-1")
                     .arg(rig.server.deployment().webHost));
        QVERIFY(dialogs.requests.isEmpty());
    }

    // Another expected version starts the update before anything else; a missing installer is
    // an error, and the program ends.
    void otherVersionStartsTheUpdate() {
        LoginRig rig;
        rig.server.setExpectedVersion(7);
        RecordingDialogs dialogs;
        auto w = rig.window();
        typeAndEnter(*w, QStringLiteral("BAYI"), QStringLiteral("yanlis"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.end.ends, 1, 15000);
        QCOMPARE(*w->lastStep(), LoginStep::UpdateRequired);
        QCOMPARE(dialogs.requests.size(), 1);
        QVERIFY2(dialogs.messages().first().startsWith(QStringLiteral("Hata Oluştu !\nHata: ")),
                 qPrintable(dialogs.messages().first()));
    }

    void representativeEndsUntilCustomerSelection() {
        LoginRig rig(QStringLiteral("TEMSILCI"));
        RecordingDialogs dialogs;
        auto w = rig.window();
        typeAndEnter(*w, QStringLiteral("TEMSILCI"), QStringLiteral("5678"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.end.ends, 1, 10000);
        QCOMPARE(*w->lastStep(), LoginStep::AcceptChooseCustomer);
        QCOMPARE(dialogs.requests.size(), 1);
        QVERIFY(w->result() != QDialog::Accepted);
    }

    void ipEchoDownStillLogsIn() {
        LoginRig rig;
        vk::Deployment d = rig.server.deployment();
        d.ipEchoUrl =
            QStringLiteral("http://127.0.0.1:%1/ip").arg(vk::test::CannedServer::closedPort());
        vk::setDeployment(d);
        RecordingDialogs dialogs;
        auto w = rig.window();
        typeAndEnter(*w, QStringLiteral("BAYI"), QStringLiteral("1234"));
        QTRY_COMPARE_WITH_TIMEOUT(w->result(), int(QDialog::Accepted), 10000);
        QCOMPARE(rig.sbilgi.Disip(), QStringLiteral("127.0.0.1"));
    }

    void emptyEchoAnswerStops() {
        LoginRig rig;
        vk::test::CannedServer echo;
        echo.get(QStringLiteral("/ip"), "  \n");
        vk::Deployment d = rig.server.deployment();
        d.ipEchoUrl = QStringLiteral("http://127.0.0.1:%1/ip").arg(echo.port());
        vk::setDeployment(d);
        RecordingDialogs dialogs;
        auto w = rig.window();
        typeAndEnter(*w, QStringLiteral("BAYI"), QStringLiteral("1234"));
        QTRY_VERIFY_WITH_TIMEOUT(!dialogs.requests.isEmpty(), 10000);
        QCOMPARE(dialogs.messages(),
                 QStringList{QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !")});
        QCOMPARE(dialogs.requests.first().kind, vk::DialogKind::Error);
        QTRY_VERIFY(w->Button1->isEnabled());
        QVERIFY(!w->lastStep().has_value()); // the server was not asked
    }

    void serverDownAfterTheRetries() {
        LoginRig rig;
        vk::Deployment d = rig.server.deployment();
        d.serverPort = vk::test::CannedServer::closedPort();
        vk::setDeployment(d);
        RecordingDialogs dialogs;
        vk::test::RecordingWait wait;
        auto w = rig.window();
        typeAndEnter(*w, QStringLiteral("BAYI"), QStringLiteral("1234"));
        QTRY_VERIFY_WITH_TIMEOUT(w->lastStep().has_value(), 10000);
        QCOMPARE(*w->lastStep(), LoginStep::ConnectionFailed);
        QCOMPARE(wait.pauses.size(), 11);
        QCOMPARE(dialogs.messages(), QStringList{QStringLiteral("Bağlantı Kurulamadı !")});
        QVERIFY(w->Button1->isEnabled());
    }

    // A server that answers garbage: its error is shown as it is, then the connection message.
    void garbageFromTheServer() {
        LoginRig rig;
        vk::test::CannedServer bad;
        bad.reply(QStringLiteral("BuyukGetir"),
                  "{\"result\":[{\"type\":\"baglantiu.TSonucBilgisi\"");
        vk::Deployment d = rig.server.deployment();
        d.serverPort = bad.port();
        vk::setDeployment(d);
        RecordingDialogs dialogs;
        auto w = rig.window();
        typeAndEnter(*w, QStringLiteral("BAYI"), QStringLiteral("1234"));
        QTRY_VERIFY_WITH_TIMEOUT(w->lastStep().has_value(), 10000);
        QCOMPARE(dialogs.requests.size(), 2);
        QVERIFY(dialogs.requests[0].plain);
        QVERIFY2(
            dialogs.messages()[0].contains(QStringLiteral("Sunucu yanıtı geçersiz (BuyukGetir)")),
            qPrintable(dialogs.messages()[0]));
        QCOMPARE(dialogs.messages()[1], QStringLiteral("Bağlantı Kurulamadı !"));
        QCOMPARE(rig.end.ends, 0);
    }

    void cancelEndsTheProgram() {
        LoginRig rig;
        auto w = rig.window();
        QTest::mouseClick(w->Button2, Qt::LeftButton);
        QCOMPARE(rig.end.ends, 1);
    }
};

QTEST_MAIN(LoginTest)
#include "tst_login.moc"
