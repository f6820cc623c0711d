#pragma once

// The login's rules, apart from its window: the checks after the server's answer, the
// remembered credentials, the public IP, and the case of typed text.

#include <QLocale>
#include <QString>

class TSonucBilgisi;

namespace vk {

// What the login does after asking the server, in the order the checks run.
enum class LoginStep {
    ConnectionFailed,     // "Bağlantı Kurulamadı !"
    UpdateRequired,       // another client version is expected: download it
    UnknownWorkstation,   // the request form, then the end
    Accept,               // logged in
    AcceptChooseCustomer, // logged in; a representative chooses the dealer first
    Inactive,             // right credentials, inactive account: the wrong-credentials warning
    WrongCredentials,
};

LoginStep decideLogin(bool fetched, const TSonucBilgisi& record, const QString& typedUser,
                      const QString& typedPassword, int clientVersion = 6);
// Whether the remembered credentials are saved at this step (whenever they matched).
bool savesCredentials(LoginStep step);

// "ayar.ini": [kullanici] isim, sifre, hatırla.
struct LoginSettings {
    QString isim;
    QString sifre;
    bool hatirla = true;
};
QString loginSettingsPath(); // in the per-user data folder
// Reads the file; false (and the defaults) when there is none.
bool readLoginSettings(const QString& path, LoginSettings* settings);
void writeLoginSettings(const QString& path, const LoginSettings& settings); // raises vk::Error

// The public IP as the echo service answers it (trimmed); "127.0.0.1" when it cannot be had.
QString fetchPublicIp(const QString& url, int timeoutMs = 5000);

// Typed text in capitals, by the rules of the given locale (Turkish: i → İ, ı → I).
QString upperTyped(const QString& text, const QLocale& locale = QLocale());

} // namespace vk
