// velkor-appserver: the reference application server and its administration commands.

#include "admin.h"
#include "appserver.h"
#include "seed/demoseed.h"
#include "store/sqlitestore.h"

#include "common/errors.h"
#include "common/utils.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QGuiApplication>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <pthread.h>

namespace {

using namespace vk::server;

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}

void err(const QString& line) {
    std::fputs((line + u'\n').toUtf8().constData(), stderr);
}

QCommandLineOption dbOption() {
    return {QStringLiteral("db"), QStringLiteral("Veritabanı dosyası (varsayılan: velkor.db)."),
            QStringLiteral("path"), QStringLiteral("velkor.db")};
}

std::unique_ptr<SqliteStore> openStore(const QCommandLineParser& p) {
    auto store = std::make_unique<SqliteStore>(p.value(QStringLiteral("db")));
    store->migrate();
    return store;
}

int intValue(const QCommandLineParser& p, const QString& name, int min, int max) {
    bool ok = false;
    const int v = p.value(name).toInt(&ok);
    if (!ok || v < min || v > max)
        throw vk::Error(
            QStringLiteral("--%1 %2 ile %3 arasında bir sayı olmalı").arg(name).arg(min).arg(max));
    return v;
}

// Waits for SIGINT or SIGTERM; they are blocked in every thread so that only this wait sees them.
int waitForStopSignal(const sigset_t& stopSignals) {
    int sig = 0;
    sigwait(&stopSignals, &sig);
    return sig;
}

int serve(QCommandLineParser& p, const QStringList& args) {
    p.setApplicationDescription(QStringLiteral("Sunucu metotlarını ve web kaynaklarını sunar."));
    p.addOptions(
        {dbOption(),
         {QStringLiteral("port"), QStringLiteral("Metot kapısı (varsayılan 9090)."),
          QStringLiteral("n"), QStringLiteral("9090")},
         {QStringLiteral("web-port"),
          QStringLiteral("Web kapısı (varsayılan 80; 0 boş bir kapı seçer)."), QStringLiteral("n"),
          QStringLiteral("80")},
         {QStringLiteral("bind"), QStringLiteral("Dinlenecek adres (varsayılan 127.0.0.1)."),
          QStringLiteral("address"), QStringLiteral("127.0.0.1")},
         {QStringLiteral("files"),
          QStringLiteral("/exe/ altında sunulacak klasör (kurulum dosyası)."),
          QStringLiteral("dir")},
         {QStringLiteral("threads"), QStringLiteral("En çok iş parçacığı (varsayılan 4096)."),
          QStringLiteral("n"), QStringLiteral("4096")},
         {QStringLiteral("quiet"), QStringLiteral("İstek günlüğü yazma.")}});
    p.process(args);

    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    auto store = openStore(p);
    ServerOptions o;
    o.bind = p.value(QStringLiteral("bind"));
    o.port = intValue(p, QStringLiteral("port"), 0, 65535);
    o.webPort = intValue(p, QStringLiteral("web-port"), 0, 65535);
    o.filesDir = p.value(QStringLiteral("files"));
    o.maxThreads = size_t(intValue(p, QStringLiteral("threads"), 16, 100000));
    o.requestLog = !p.isSet(QStringLiteral("quiet"));
    AppServer server(*store, o);
    server.start();
    err(QStringLiteral("velkor-appserver: metotlar %1:%2, web %1:%3, veritabanı %4")
            .arg(o.bind)
            .arg(server.port())
            .arg(server.webPort())
            .arg(store->location()));
    const int sig = waitForStopSignal(stopSignals);
    err(QStringLiteral("velkor-appserver: %1 alındı, süren istekler bitince duruluyor")
            .arg(sig == SIGINT ? QStringLiteral("SIGINT") : QStringLiteral("SIGTERM")));
    server.stop();
    return 0;
}

int seed(QCommandLineParser& p, const QStringList& args) {
    p.setApplicationDescription(QStringLiteral("Boş bir veritabanına gösterim verisi yazar."));
    p.addOptions(
        {dbOption(),
         {QStringLiteral("demo"), QStringLiteral("Gösterim verisi (şimdilik tek veri kümesi).")},
         {QStringLiteral("articles"), QStringLiteral("Stok sayısı (varsayılan 3000)."),
          QStringLiteral("n"), QStringLiteral("3000")},
         {QStringLiteral("seed"), QStringLiteral("Rastgele tohum (varsayılan 1)."),
          QStringLiteral("n"), QStringLiteral("1")},
         {QStringLiteral("today"),
          QStringLiteral("Verinin dayandığı gün, yyyy-MM-dd (varsayılan bugün)."),
          QStringLiteral("date")},
         {QStringLiteral("register-this-workstation"),
          QStringLiteral("Bu bilgisayarın kimliğini bir gösterim kullanıcısına kaydeder.")},
         {QStringLiteral("as"), QStringLiteral("Kaydedilecek kullanıcı (varsayılan BAYI)."),
          QStringLiteral("user"), QStringLiteral("BAYI")}});
    p.process(args);
    if (!p.isSet(QStringLiteral("demo")))
        throw vk::Error(QStringLiteral("--demo gerekli"));

    DemoSeedOptions o;
    o.articles = intValue(p, QStringLiteral("articles"), 1, 2000000);
    bool ok = false;
    o.seed = p.value(QStringLiteral("seed")).toULongLong(&ok);
    if (!ok)
        throw vk::Error(QStringLiteral("--seed bir sayı olmalı"));
    if (p.isSet(QStringLiteral("today"))) {
        o.today = QDate::fromString(p.value(QStringLiteral("today")), QStringLiteral("yyyy-MM-dd"));
        if (!o.today.isValid())
            throw vk::Error(QStringLiteral("--today yyyy-MM-dd biçiminde olmalı"));
    }
    if (p.isSet(QStringLiteral("register-this-workstation"))) {
        o.registerWorkstation = GetMachineId();
        if (o.registerWorkstation.isEmpty())
            throw vk::Error(QStringLiteral("Bu bilgisayarın kimliği okunamadı"));
        o.registerAsUser = p.value(QStringLiteral("as"));
    }
    o.progress = [](const QString& line) { err(line); };
    auto store = openStore(p);
    seedDemo(*store, o);
    out() << "Gösterim verisi yazıldı: " << store->location() << "\n";
    if (!o.registerWorkstation.isEmpty())
        out() << "Bu bilgisayar (" << o.registerWorkstation << ") " << o.registerAsUser
              << " kullanıcısına kaydedildi.\n";
    out() << "Gösterim girişleri:\n";
    for (const DemoLogin& l : demoLogins())
        out() << "  " << l.user.leftJustified(10) << " şifre " << l.password << "  tip " << l.type
              << "  " << l.note << '\n';
    return 0;
}

int workstation(QCommandLineParser& p, const QStringList& args) {
    p.setApplicationDescription(QStringLiteral("Kayıtlı bilgisayarlar: add, list, remove."));
    p.addPositionalArgument(QStringLiteral("action"), QStringLiteral("add | list | remove"));
    p.addOptions(
        {dbOption(),
         {QStringLiteral("id"), QStringLiteral("Bilgisayar kimliği."), QStringLiteral("id")},
         {QStringLiteral("user"), QStringLiteral("Kullanıcı adı."), QStringLiteral("name")},
         {QStringLiteral("note"), QStringLiteral("Açıklama."), QStringLiteral("text")}});
    p.process(args);
    const QString action = p.positionalArguments().value(0);
    auto store = openStore(p);
    if (action == u"list") {
        listWorkstations(*store, out());
    } else if (action == u"add") {
        addWorkstation(*store, p.value(QStringLiteral("id")), p.value(QStringLiteral("user")),
                       p.value(QStringLiteral("note")));
        out() << "Kaydedildi.\n";
    } else if (action == u"remove") {
        if (!removeWorkstation(*store, p.value(QStringLiteral("id"))))
            throw vk::Error(QStringLiteral("Böyle bir bilgisayar kayıtlı değil"));
        out() << "Silindi.\n";
    } else {
        p.showHelp(2);
    }
    return 0;
}

int user(QCommandLineParser& p, const QStringList& args) {
    p.setApplicationDescription(QStringLiteral("Kullanıcılar: add, list."));
    p.addPositionalArgument(QStringLiteral("action"), QStringLiteral("add | list"));
    p.addOptions({dbOption(),
                  {QStringLiteral("name"), QStringLiteral("Kullanıcı adı (büyük harf)."),
                   QStringLiteral("name")},
                  {QStringLiteral("password"), QStringLiteral("Şifre."), QStringLiteral("text")},
                  {QStringLiteral("type"), QStringLiteral("Tip 1-4 (1, 2 temsilci; 3, 4 bayi)."),
                   QStringLiteral("n"), QStringLiteral("3")},
                  {QStringLiteral("dealer"), QStringLiteral("Cari numarası."),
                   QStringLiteral("carino"), QStringLiteral("0")},
                  {QStringLiteral("rep"), QStringLiteral("Temsilci (satıcı) numarası."),
                   QStringLiteral("n"), QStringLiteral("0")},
                  {QStringLiteral("mail"), QStringLiteral("E-posta."), QStringLiteral("address")},
                  {QStringLiteral("inactive"), QStringLiteral("Pasif kullanıcı.")}});
    p.process(args);
    const QString action = p.positionalArguments().value(0);
    auto store = openStore(p);
    if (action == u"list") {
        listUsers(*store, out());
    } else if (action == u"add") {
        NewUser u;
        u.name = p.value(QStringLiteral("name"));
        u.password = p.value(QStringLiteral("password"));
        u.type = intValue(p, QStringLiteral("type"), 1, 4);
        u.dealer = intValue(p, QStringLiteral("dealer"), 0, 2147483647);
        u.representative = intValue(p, QStringLiteral("rep"), 0, 2147483647);
        u.mail = p.value(QStringLiteral("mail"));
        u.active = !p.isSet(QStringLiteral("inactive"));
        out() << "Kullanıcı numarası: " << addUser(*store, u) << '\n';
    } else {
        p.showHelp(2);
    }
    return 0;
}

int settings(QCommandLineParser& p, const QStringList& args) {
    p.setApplicationDescription(QStringLiteral(
        "Ayarlar: list, set KEY VALUE (beklenen_versiyon, kayan_yazi, web_sitesi)."));
    p.addPositionalArgument(QStringLiteral("action"), QStringLiteral("list | set"));
    p.addPositionalArgument(QStringLiteral("key"), QStringLiteral("Ayar adı."),
                            QStringLiteral("[key]"));
    p.addPositionalArgument(QStringLiteral("value"), QStringLiteral("Değer."),
                            QStringLiteral("[value]"));
    p.addOption(dbOption());
    p.process(args);
    const QStringList pos = p.positionalArguments();
    auto store = openStore(p);
    if (pos.value(0) == u"list") {
        listSettings(*store, out());
    } else if (pos.value(0) == u"set" && pos.size() == 3) {
        setSetting(*store, pos[1], pos[2]);
        out() << "Kaydedildi.\n";
    } else {
        p.showHelp(2);
    }
    return 0;
}

int mail(QCommandLineParser& p, const QStringList& args) {
    p.setApplicationDescription(QStringLiteral("Bayilerin gönderdikleri: list."));
    p.addPositionalArgument(QStringLiteral("action"), QStringLiteral("list"));
    p.addOption(dbOption());
    p.process(args);
    if (p.positionalArguments().value(0) != u"list")
        p.showHelp(2);
    auto store = openStore(p);
    listOutbox(*store, out());
    return 0;
}

int machineId(QCommandLineParser& p, const QStringList& args) {
    p.setApplicationDescription(
        QStringLiteral("Bu bilgisayarın istemcinin hesapladığı kimliğini yazar."));
    p.process(args);
    out() << GetMachineId() << '\n';
    return 0;
}

struct Command {
    const char* name;
    const char* summary;
    int (*run)(QCommandLineParser&, const QStringList&);
};

const Command kCommands[] = {
    {"serve", "sunucuyu çalıştırır", serve},
    {"seed", "gösterim verisini yazar (--demo)", seed},
    {"workstation", "kayıtlı bilgisayarlar (add, list, remove)", workstation},
    {"user", "kullanıcılar (add, list)", user},
    {"settings", "ayarlar (list, set)", settings},
    {"mail", "gelen mailler ve istek formları (list)", mail},
    {"machine-id", "bu bilgisayarın kimliği", machineId},
};

void usage(FILE* to) {
    QString text = QStringLiteral("Kullanım: velkor-appserver <komut> [seçenekler]\n\nKomutlar:\n");
    for (const Command& c : kCommands)
        text +=
            QStringLiteral("  %1 %2\n")
                .arg(QString::fromLatin1(c.name).leftJustified(12), QString::fromUtf8(c.summary));
    text += QStringLiteral("\nHer komutun seçenekleri: velkor-appserver <komut> --help\n");
    std::fputs(text.toUtf8().constData(), to);
}

} // namespace

int main(int argc, char** argv) {
    const QString name = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const Command* command = nullptr;
    for (const Command& c : kCommands) {
        if (name == QLatin1StringView(c.name))
            command = &c;
    }
    if (!command) {
        const bool help = name == u"--help" || name == u"-h" || name == u"help";
        usage(help ? stdout : stderr);
        return help ? 0 : 2;
    }

    // Only the seed draws pictures (with fonts), which needs the GUI module without a display.
    std::unique_ptr<QCoreApplication> app;
    if (name == u"seed") {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("velkor-appserver"));

    QStringList args = QCoreApplication::arguments();
    args.removeAt(1);
    args[0] = args[0] + u' ' + name; // "velkor-appserver serve" in the help text
    QCommandLineParser parser;
    parser.addHelpOption();
    try {
        return command->run(parser, args);
    } catch (const vk::Error& e) {
        err(QStringLiteral("velkor-appserver: ") + e.text());
        return 1;
    }
}
