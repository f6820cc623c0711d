#include "login/girisformu.h"

#include "common/deployment.h"
#include "common/errors.h"
#include "common/programend.h"
#include "common/utils.h"
#include "login/dosyaindiru.h"
#include "messaging/formistekyeniu.h"
#include "server/baglantiu.h"
#include "server/connection.h"
#include "server/proxim.h"
#include "widgets/appicons.h"
#include "widgets/busyindicator.h"
#include "widgets/task.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

namespace {

// Every typed letter becomes a capital, as the workstation's language writes capitals.
class UpperCaseValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = vk::upperTyped(input);
        return Acceptable;
    }
};

const QString kWrongCredentials =
    QStringLiteral("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !");

QLabel* fieldLabel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: #3C4650;"));
    return l;
}

} // namespace

// What the server step brings back to the window.
struct Tgirisform::Fetch {
    bool ok = false;
    QString error; // the text of an error the call raised
    std::shared_ptr<TSonucBilgisi> record;
    QString computerName, computerUser, localIp, machineId, publicIp;
};

Tgirisform::Tgirisform(vk::ServerConnection* bagim_, TSonucBilgisi* Bilgim_, QWidget* parent)
    : QDialog(parent), bagim(bagim_), Bilgim(Bilgim_) {
    setWindowTitle(QStringLiteral("Giriş"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(368, 550);
    setObjectName(QStringLiteral("girisform"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(34, 150, 34, 18);
    layout->setSpacing(6);

    benihatirla = new QCheckBox(QStringLiteral("Beni hatırla"), this);
    benihatirla->setChecked(true);
    layout->addWidget(benihatirla);
    layout->addSpacing(6);

    auto* userLabel = fieldLabel(QStringLiteral(" Kullanıcı Adı:"), this);
    adi = new QLineEdit(this);
    adi->setValidator(new UpperCaseValidator(adi));
    adi->addAction(vk::appIcon(vk::AppIcon::User), QLineEdit::LeadingPosition);
    userLabel->setBuddy(adi);
    layout->addWidget(userLabel);
    layout->addWidget(adi);

    auto* passwordLabel = fieldLabel(QStringLiteral(" Şifre:"), this);
    sifre = new QLineEdit(this);
    sifre->setEchoMode(QLineEdit::Password);
    sifre->setValidator(new UpperCaseValidator(sifre));
    sifre->addAction(vk::appIcon(vk::AppIcon::Lock), QLineEdit::LeadingPosition);
    passwordLabel->setBuddy(sifre);
    layout->addWidget(passwordLabel);
    layout->addWidget(sifre);
    for (QLineEdit* e : {adi, sifre}) {
        e->setMinimumHeight(32);
        QFont f = e->font();
        f.setPointSizeF(f.pointSizeF() * 1.15);
        e->setFont(f);
        e->installEventFilter(this);
    }

    layout->addSpacing(10);
    auto* buttons = new QHBoxLayout;
    Button1 = new QPushButton(QStringLiteral("Giriş"), this);
    Button2 = new QPushButton(QStringLiteral("Vazgeç"), this);
    Button1->setDefault(false);
    Button1->setAutoDefault(false);
    Button2->setAutoDefault(false);
    for (QPushButton* b : {Button1, Button2})
        b->setMinimumSize(110, 34);
    gifgiris = new vk::BusyIndicator(this);
    buttons->addWidget(Button1);
    buttons->addStretch();
    buttons->addWidget(gifgiris);
    buttons->addStretch();
    buttons->addWidget(Button2);
    layout->addLayout(buttons);
    layout->addStretch();

    auto* address = new QLabel(this);
    address->setText(QStringLiteral("Velkor Otomotiv Parts San. ve Tic. A.Ş.\n"
                                    "İkitelli OSB Mah. Otomotivciler Sitesi 7. Blok No: 12\n"
                                    "Başakşehir / İSTANBUL\n"
                                    "Tel: 0 (212) 555 01 00 - 0 (212) 555 01 01\n"
                                    "siparis@velkorotomotiv.com.tr"));
    address->setAlignment(Qt::AlignCenter);
    address->setStyleSheet(QStringLiteral("color: #5A6670; font-size: 11px;"));
    layout->addWidget(address);

    connect(Button1, &QPushButton::clicked, this, &Tgirisform::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tgirisform::Button2Click);

    FormCreate();
    adi->setFocus();
}

Tgirisform::~Tgirisform() = default;

void Tgirisform::paintEvent(QPaintEvent*) {
    // The background picture: a light panel with the distributor's mark at the top.
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0xE6F5F7));
    g.setColorAt(0.35, QColor(0xF7F9FA));
    g.setColorAt(1, QColor(0xE4E9EC));
    p.fillRect(rect(), g);
    p.fillRect(QRect(0, 0, width(), 4), QColor(0x1AA6B7));
    const QPixmap logo = vk::logoPixmap(QSize(300, 96));
    p.drawPixmap((width() - logo.width() / int(logo.devicePixelRatio())) / 2, 26, logo);
    p.setPen(QColor(0xC9D2D8));
    p.drawLine(34, 132, width() - 34, 132);
}

void Tgirisform::FormCreate() {
    IpDosyasiOku();
    idsi = GetMachineId();
    AyarlariOku();
}

void Tgirisform::IpDosyasiOku() {
    vk::deployment(); // reads "ip.txt" beside the program, once
}

void Tgirisform::AyarlariOku() {
    vk::LoginSettings s;
    if (!vk::readLoginSettings(vk::loginSettingsPath(), &s))
        return;
    benihatirla->setChecked(s.hatirla);
    if (benihatirla->isChecked()) {
        adi->setText(s.isim);
        sifre->setText(s.sifre);
    }
}

void Tgirisform::AyarlariKaydet() {
    try {
        vk::writeLoginSettings(vk::loginSettingsPath(),
                               {adi->text(), sifre->text(), benihatirla->isChecked()});
    } catch (const vk::Error&) {
        // Remembering the credentials is a convenience; a read-only folder does not stop a login.
    }
}

bool Tgirisform::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == adi)
                adiKeyDown();
            else if (watched == sifre)
                sifreKeyDown();
            return true; // Enter never reaches the edit or a default button
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tgirisform::adiKeyDown() {
    if (adi->text().trimmed().isEmpty()) {
        QApplication::beep();
        ShowDialog(QStringLiteral("Lütfen kullanıcı adını giriniz !"), vk::DialogKind::Warning,
                   vk::DialogButton::OK, vk::DialogButton::OK);
        adi->selectAll();
        adi->setFocus();
        return;
    }
    sifre->selectAll();
    sifre->setFocus();
}

void Tgirisform::sifreKeyDown() {
    if (sifre->text().trimmed().isEmpty()) {
        QApplication::beep();
        ShowDialog(QStringLiteral("Lütfen kullanıcı şifresini giriniz !"), vk::DialogKind::Warning,
                   vk::DialogButton::OK, vk::DialogButton::OK);
        sifre->selectAll();
        sifre->setFocus();
        return;
    }
    Button1Click();
}

void Tgirisform::Button1Click() {
    if (!Button1->isEnabled())
        return; // a login is already on its way
    Button1->setText(QStringLiteral("Bağlanıyor..."));
    Button1->setEnabled(false);
    gifgiris->start();
    const QString echo = vk::deployment().ipEchoUrl;
    vk::runTask(
        this, [echo] { return vk::fetchPublicIp(echo); },
        [this](const QString& ip) {
            Button1->setText(QStringLiteral("Giriş!"));
            gifgiris->stop();
            Devamet(ip);
        });
}

void Tgirisform::Button2Click() {
    vk::endProgram();
    reject();
}

void Tgirisform::Devamet(const QString& ip) {
    if (ip.trimmed().isEmpty()) {
        ShowDialog(QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"),
                   vk::DialogKind::Error, vk::DialogButton::OK, vk::DialogButton::OK);
        Button1->setEnabled(true);
        return;
    }
    Bilgim->setDisip(ip);
    const vk::Deployment& d = vk::deployment();
    bagim->setHostName(d.serverHost);
    bagim->setPort(d.serverPort);
    PictureUrlPrefix = d.pictureUrlPrefix();

    gifgiris->start();
    // The server step works on its own connection; the window's objects stay on this thread.
    std::shared_ptr<vk::ServerConnection> clone = bagim->Clone();
    const QString id = idsi;
    const QString echo = d.ipEchoUrl;
    vk::runTask(
        this,
        [clone, id, echo] {
            Fetch r;
            if (!EnsureConnected(*clone, 0))
                return r;
            try {
                TServerMethods1Client proxy(clone.get());
                const TSonucBilgisi* answer = proxy.BuyukGetir(id);
                if (!answer)
                    throw vk::ProtocolError(
                        QStringLiteral("Sunucu bu bilgisayar için kayıt göndermedi"));
                r.record = std::make_shared<TSonucBilgisi>();
                r.record->Kopyala(*answer);
            } catch (const vk::Error& e) {
                r.error = e.text();
                return r;
            }
            clone->Close();
            r.computerName = GetWorkstationName();
            r.computerUser = GetWorkstationUser();
            r.localIp = GetLocalIp();
            r.machineId = GetMachineId();
            r.publicIp = vk::fetchPublicIp(echo);
            r.ok = true;
            return r;
        },
        [this](const Fetch& r) { afterFetch(r); });
}

void Tgirisform::afterFetch(const Fetch& r) {
    gifgiris->stop();
    if (r.ok) {
        Bilgim->Kopyala(*r.record);
        Bilgim->setBilgiSayarAdi(r.computerName);
        Bilgim->setBilgisayarKullanici(r.computerUser);
        Bilgim->setIcip(r.localIp);
        Bilgim->setBILGISAYARID(r.machineId);
        Bilgim->setDisip(r.publicIp);
    } else if (!r.error.isEmpty()) {
        vk::showPlainMessage(r.error);
    }
    const vk::LoginStep step = vk::decideLogin(r.ok, *Bilgim, adi->text(), sifre->text());
    m_lastStep = step;
    if (vk::savesCredentials(step))
        AyarlariKaydet();
    switch (step) {
    case vk::LoginStep::ConnectionFailed:
        refuse(QString());
        return;
    case vk::LoginStep::UpdateRequired:
        GuncellemeIndir();
        return;
    case vk::LoginStep::UnknownWorkstation:
        IstekFormuAc();
        return;
    case vk::LoginStep::AcceptChooseCustomer:
        CariSecimiAc();
        return;
    case vk::LoginStep::Accept:
        accept();
        return;
    case vk::LoginStep::Inactive:
    case vk::LoginStep::WrongCredentials:
        refuse(kWrongCredentials);
        return;
    }
}

// Back to the idle window with the step's message.
void Tgirisform::refuse(const QString& message) {
    if (message.isEmpty())
        ShowDialog(QStringLiteral("Bağlantı Kurulamadı !"), vk::DialogKind::Error,
                   vk::DialogButton::OK, vk::DialogButton::OK);
    else
        ShowDialog(message, vk::DialogKind::Warning, vk::DialogButton::OK, vk::DialogButton::OK);
    Button1->setEnabled(true);
    adi->selectAll();
    adi->setFocus();
}

void Tgirisform::GuncellemeIndir() {
    Tdosyaindir download(this, Bilgim->Version(), vk::deployment().installerUrl(), bagim);
    download.exec(); // ends the program in every case
    reject();
}

void Tgirisform::IstekFormuAc() {
    Tformistekyeni form(this);
    form.navigate(vk::deployment().requestFormUrl(idsi));
    form.exec();
    vk::endProgram();
    reject();
}

void Tgirisform::CariSecimiAc() {
    // The customer selection of representatives is not in this version: say so and end, rather
    // than logging a representative in as some dealer.
    ShowDialog(QStringLiteral("Satış temsilcisi girişi için cari seçimi bu sürümde henüz yok.\n"
                              "Program kapatılacak."),
               vk::DialogKind::Information, vk::DialogButton::OK, vk::DialogButton::OK);
    vk::endProgram();
    reject();
}
