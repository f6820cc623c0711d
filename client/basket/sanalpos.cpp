#include "basket/sanalpos.h"

#include "app/unit1.h"
#include "basket/ordersubmit.h"
#include "common/deployment.h"
#include "common/errors.h"
#include "common/utils.h"
#include "server/proxim.h"
#include "widgets/tabcontrol.h"

#include <QProcess>
#include <QUrl>
#include <QVBoxLayout>

#ifdef VK_HAVE_WEBENGINE
#include <QWebEngineView>
#endif

#include <memory>

QString externalPaymentArgument(const QUrl& address) {
    return UrlEncode(address.toString(QUrl::FullyEncoded));
}

PaymentPage::PaymentPage(TForm1* form) : QObject(form), m_form(form) {
    auto* layout = new QVBoxLayout(form->ss);
    layout->setContentsMargins(0, 0, 0, 0);
#ifdef VK_HAVE_WEBENGINE
    auto* view = new QWebEngineView(form->ss);
    sitem = view;
    layout->addWidget(view);
    // Qt 6's engine is Chromium 90 or newer.
    vk::setEmbeddedBrowserVersion(90);
#endif
}

QString PaymentPage::CariDurumAl() {
    const std::unique_ptr<vk::ServerConnection> clone = m_form->bagc.Clone();
    try {
        if (!EnsureConnected(*clone, 0))
            return {};
        TServerMethods1Client proxy(clone.get());
        const QString balance = proxy.CariDurumVer(m_form->sbilgi.CARINO());
        clone->Close();
        return balance;
    } catch (const vk::Error&) {
        return {};
    }
}

void PaymentPage::ssShow() {
    const QString balance = CariDurumAl();
    if (balance.isEmpty()) {
        ShowDialog(QStringLiteral("Bağlantı Hatası \nLütfen Sonra Tekrar Deneyiniz !"),
                   vk::DialogKind::Error, vk::DialogButton::OK, vk::DialogButton::OK);
        m_form->sPageControl1->setCurrentPage(m_form->sstoklistesi);
        return;
    }
    const QUrl address = paymentPageUrl(vk::deployment().paymentHost, m_form->sbilgi.CARINO(),
                                        m_form->sbilgi.CariAdi(), balance);
    if (GetIEMajorVersion() >= 15 && sitem) {
#ifdef VK_HAVE_WEBENGINE
        static_cast<QWebEngineView*>(sitem)->load(address);
#endif
        return;
    }
    const QString chrome = FindChromePath().trimmed();
    if (!chrome.isEmpty()) {
        QProcess::startDetached(chrome, {externalPaymentArgument(address)});
        return;
    }
    ShowDialog(QStringLiteral("Sisteminiz Güvenli Değil\nÖdeme Alamıyoruz !\nLütfen Windows'u "
                              "güncelleyiniz"),
               vk::DialogKind::Warning, vk::DialogButton::OK, vk::DialogButton::OK);
}
