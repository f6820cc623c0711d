#pragma once

// The login window: the remembered credentials are offered, the public IP is fetched, the server
// is asked for the record of this workstation, and the record is checked (version, known
// workstation, user name and password, active flag) before the window closes with OK.

#include "login/loginflow.h"

#include <QDialog>

#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TSonucBilgisi;

namespace vk {
class BusyIndicator;
class ServerConnection;
} // namespace vk

class Tgirisform : public QDialog {
    Q_OBJECT
public:
    // bagim: the main connection; Bilgim: the main window's login record. Neither is owned.
    Tgirisform(vk::ServerConnection* bagim, TSonucBilgisi* Bilgim, QWidget* parent = nullptr);
    ~Tgirisform() override;

    QCheckBox* benihatirla;
    QLineEdit* adi;
    QLineEdit* sifre;
    QPushButton* Button1; // "Giriş"
    QPushButton* Button2; // "Vazgeç"
    vk::BusyIndicator* gifgiris;
    QString idsi;

    void Button1Click();
    void Button2Click();

    // What the last server step decided (for tests).
    std::optional<vk::LoginStep> lastStep() const { return m_lastStep; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Fetch;

    void FormCreate();
    void IpDosyasiOku();
    void AyarlariOku();
    void AyarlariKaydet();
    void adiKeyDown();
    void sifreKeyDown();
    void Devamet(const QString& ip);
    void afterFetch(const Fetch& result);
    void GuncellemeIndir();
    void IstekFormuAc();
    void CariSecimiAc();
    void refuse(const QString& message);

    vk::ServerConnection* bagim;
    TSonucBilgisi* Bilgim;
    std::optional<vk::LoginStep> m_lastStep;
};
