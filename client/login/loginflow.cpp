#include "login/loginflow.h"

#include "common/httpget.h"
#include "common/utils.h"
#include "login/inifile.h"
#include "server/baglantiu.h"

#include <QDir>

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
    const std::optional<QByteArray> body = httpGet(url, timeoutMs, nullptr, 100);
    return body ? QString::fromUtf8(*body).trimmed() : QStringLiteral("127.0.0.1");
}

QString upperTyped(const QString& text, const QLocale& locale) {
    return locale.toUpper(text);
}

} // namespace vk
