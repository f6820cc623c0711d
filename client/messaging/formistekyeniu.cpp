#include "messaging/formistekyeniu.h"

#include "widgets/externalopen.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifdef VK_HAVE_WEBENGINE
#include <QWebEngineView>
#endif

Tformistekyeni::Tformistekyeni(QWidget* opener) : QDialog(opener) {
    setWindowTitle(QStringLiteral("Velkor Otomotiv B2B Programı İstek Formu"));
    resize(780, 555);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
#ifdef VK_HAVE_WEBENGINE
    auto* view = new QWebEngineView(this);
    m_browser = view;
    layout->addWidget(view, 1);
    m_embedded = true;
#else
    m_notice = new QLabel(this);
    m_notice->setWordWrap(true);
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->setTextFormat(Qt::RichText);
    m_notice->setOpenExternalLinks(false);
    m_notice->setContentsMargins(40, 40, 40, 40);
    QFont f = m_notice->font();
    f.setPointSizeF(f.pointSizeF() * 1.3);
    m_notice->setFont(f);
    connect(m_notice, &QLabel::linkActivated, this,
            [](const QString& link) { vk::openExternally(QUrl(link, QUrl::TolerantMode)); });
    layout->addWidget(m_notice, 1);
#endif
    Button1 = new QPushButton(QStringLiteral("Kapat"), this);
    Button1->setMinimumWidth(120);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(Button1);
    row->addStretch();
    layout->addLayout(row);
    connect(Button1, &QPushButton::clicked, this, &Tformistekyeni::Button1Click);
}

void Tformistekyeni::navigate(const QString& address) {
    m_address = address;
    const QUrl url(address, QUrl::TolerantMode); // the address is used as built
#ifdef VK_HAVE_WEBENGINE
    static_cast<QWebEngineView*>(m_browser)->load(url);
#else
    const bool opened = vk::openExternally(url);
    const QString link = url.toString(QUrl::FullyEncoded).toHtmlEscaped();
    m_notice->setText(
        (opened ? QStringLiteral("<p><b>Bu bilgisayar henüz kayıtlı değil.</b></p>"
                                 "<p>Kayıt istek formu tarayıcınızda açıldı. Formu doldurup "
                                 "gönderin; kaydınız yapılınca programa giriş yapabilirsiniz.</p>")
                : QStringLiteral("<p><b>Bu bilgisayar henüz kayıtlı değil.</b></p>"
                                 "<p>Kayıt istek formu tarayıcıda açılamadı. Aşağıdaki adresi "
                                 "tarayıcınızda açın:</p>")) +
        QStringLiteral("<p><a href=\"%1\">%1</a></p>").arg(link));
#endif
}

void Tformistekyeni::Button1Click() {
    accept();
}
