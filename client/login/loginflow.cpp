#include "login/loginflow.h"

#include "common/utils.h"
#include "login/inifile.h"
#include "server/baglantiu.h"

#include <QDir>
#include <QUrl>

#include <httplib.h>

namespace vk {

LoginStep decideLogin(bool fetched, const TSonucBilgisi& record, const QString& typedUser,
                      const QString& typedPassword, int clientVersion) {
    if (!fetched)
        return LoginStep::ConnectionFailed;
    if (record.Version() != clientVersion)
        return LoginStep::UpdateRequired;
    if (!record.Varmi())
        return LoginStep::UnknownWorkstation;
    if (record.ADI() != typedUser || record.SIFRE() != typedPassword)
        return LoginStep::WrongCredentials;
    if (record.AKTIF() != 1)
        return LoginStep::Inactive;
    return record.MusteriTipi() == 1 || record.MusteriTipi() == 2 ? LoginStep::AcceptChooseCustomer
                                                                  : LoginStep::Accept;
}

bool savesCredentials(LoginStep step) {
    return step == LoginStep::Accept || step == LoginStep::AcceptChooseCustomer ||
           step == LoginStep::Inactive;
}

QString loginSettingsPath() {
    return QDir(GetDataFolder()).filePath(QStringLiteral("ayar.ini"));
}

namespace {
const QString kSection = QStringLiteral("kullanici");
const QString kName = QStringLiteral("isim");
const QString kPassword = QStringLiteral("sifre");
const QString kRemember = QStringLiteral("hatırla");
} // namespace

bool readLoginSettings(const QString& path, LoginSettings* settings) {
    *settings = LoginSettings();
    IniFile ini;
    if (!readIniFile(path, &ini))
        return false;
    settings->isim = ini.value(kSection, kName);
    settings->sifre = ini.value(kSection, kPassword);
    const QString remember = ini.value(kSection, kRemember, QStringLiteral("1")).trimmed();
    settings->hatirla = !(remember == u"0" || remember.compare(u"false", Qt::CaseInsensitive) == 0);
    return true;
}

void writeLoginSettings(const QString& path, const LoginSettings& settings) {
    IniFile ini;
    readIniFile(path, &ini); // other sections and keys stay as they are
    ini.setValue(kSection, kName, settings.isim);
    ini.setValue(kSection, kPassword, settings.sifre);
    ini.setValue(kSection, kRemember, settings.hatirla ? QStringLiteral("1") : QStringLiteral("0"));
    writeIniFile(path, ini);
}

QString fetchPublicIp(const QString& url, int timeoutMs) {
    static const QString kLoopback = QStringLiteral("127.0.0.1");
    const QUrl u(url);
    if (!u.isValid() || u.host().isEmpty() || (u.scheme() != u"http" && u.scheme() != u"https"))
        return kLoopback;
    const int port = u.port(u.scheme() == u"https" ? 443 : 80);
    try {
        httplib::Client client(
            (u.scheme() + QStringLiteral("://") + u.host() + u':' + QString::number(port))
                .toStdString());
        const auto timeout = std::chrono::milliseconds(timeoutMs);
        client.set_connection_timeout(timeout);
        client.set_read_timeout(timeout);
        client.set_follow_location(true);
        QString path = u.path(QUrl::FullyEncoded);
        if (path.isEmpty())
            path = QStringLiteral("/");
        if (u.hasQuery())
            path += u'?' + u.query(QUrl::FullyEncoded);
        const httplib::Result r = client.Get(path.toStdString());
        if (!r || r->status != 200 || r->body.size() > 100)
            return kLoopback;
        return QString::fromStdString(r->body).trimmed();
    } catch (const std::exception&) {
        return kLoopback;
    }
}

QString upperTyped(const QString& text, const QLocale& locale) {
    return locale.toUpper(text);
}

} // namespace vk
