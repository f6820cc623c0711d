#include "app/unit1.h"

#include "basket/basketpage.h"
#include "basket/sanalpos.h"
#include "catalogue/stocklist.h"
#include "catalogue/stokayarintiU.h"
#include "common/deployment.h"
#include "common/programend.h"
#include "common/utils.h"
#include "login/girisformu.h"
#include "widgets/appicons.h"
#include "widgets/busyindicator.h"
#include "widgets/externalopen.h"
#include "widgets/marquee.h"
#include "widgets/tabcontrol.h"
#include "widgets/task.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QFont pixelFont(const QStringList& families, int pixels, bool bold = false) {
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QLabel* caption(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(QStringLiteral("color: #8A96A0; font-weight: bold;"));
    return l;
}

} // namespace

TForm1::TForm1() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("mainArea"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());

    RxGIFAnimator2 = new QLabel(central);
    RxGIFAnimator2->setAlignment(Qt::AlignCenter);
    RxGIFAnimator2->setFixedHeight(0);
    layout->addWidget(RxGIFAnimator2);

    layout->addWidget(buildSearchBar());
    buildTabs();
    layout->addWidget(sPageControl1, 1);
    layout->addWidget(buildLegend());
    layout->addWidget(buildBottom());
    setCentralWidget(central);

    resize(1280, 800);

    m_stockList = new StockListPage(this);
    m_basket = new BasketPage(this);
    m_payment = new PaymentPage(this);
    connect(sPageControl1, &vk::TabControl::tabShown, this, [this](int index) {
        if (sPageControl1->page(index) == ssepet)
            m_basket->ssepetShow();
        else if (sPageControl1->page(index) == ss)
            m_payment->ssShow();
    });
    araedit->setFocus();
}

TForm1::~TForm1() = default;

QWidget* TForm1::buildHeader() {
    auto* header = new QWidget(this);
    header->setObjectName(QStringLiteral("header"));
    header->setFixedHeight(100);
    header->setStyleSheet(QStringLiteral(
        "#header { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFFFF,"
        " stop:1 #EEF2F4); border-bottom: 1px solid #CBD3D8; }"));
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(12, 6, 12, 6);
    row->setSpacing(18);

    auto* logo = new QLabel(header);
    logo->setPixmap(vk::logoPixmap(QSize(250, 80)));
    row->addWidget(logo);

    auto* labels = new QGridLayout;
    labels->setHorizontalSpacing(6);
    labels->setVerticalSpacing(4);
    kullanicilbl = new QLabel(header);
    cariadilbl = new QLabel(header);
    saticilbl = new QLabel(header);
    const QString names[] = {QStringLiteral("Kullanıcı: "), QStringLiteral("Firma: "),
                             QStringLiteral("Temsilci: ")};
    QLabel* values[] = {kullanicilbl, cariadilbl, saticilbl};
    for (int i = 0; i < 3; ++i) {
        labels->addWidget(caption(names[i], header), i, 0, Qt::AlignRight);
        values[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        values[i]->setStyleSheet(QStringLiteral("color: #3C4650; font-weight: bold;"));
        labels->addWidget(values[i], i, 1);
    }
    labels->setColumnStretch(1, 1);
    row->addLayout(labels, 1);

    GifResim1 = new QLabel(header);
    GifResim1->setAlignment(Qt::AlignCenter);
    row->addWidget(GifResim1);

    genelMenu = new QMenu(this);
    M1 = genelMenu->addAction(vk::appIcon(vk::AppIcon::Mail), QStringLiteral("Mail Gönder"));
    genelMenu->addSeparator();
    N4 = genelMenu->addAction(vk::appIcon(vk::AppIcon::Key),
                              QStringLiteral("Şifre Değiştirme İsteği"));
    genelMenu->addSeparator();
    webSiteItem = genelMenu->addAction(vk::appIcon(vk::AppIcon::Web), QString());
    genelMenu->addSeparator();
    G1 = genelMenu->addAction(vk::appIcon(vk::AppIcon::Exit), QStringLiteral("Çıkış"));
    genelMenu->addSeparator();
    R1 = genelMenu->addAction(vk::appIcon(vk::AppIcon::Reports), QStringLiteral("Raporlar"));
    R1->setVisible(false);
    // Mail, password requests and reports come with their own windows.
    for (QAction* later : {M1, N4, R1})
        later->setEnabled(false);
    connect(G1, &QAction::triggered, this, &TForm1::G1Click);
    connect(webSiteItem, &QAction::triggered, this, &TForm1::webSiteClick);

    menuButton = new QToolButton(header);
    menuButton->setIcon(vk::appIcon(vk::AppIcon::Menu));
    menuButton->setIconSize(QSize(40, 40));
    menuButton->setMenu(genelMenu);
    menuButton->setPopupMode(QToolButton::InstantPopup);
    menuButton->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0; }"));
    menuButton->setToolTip(QStringLiteral("Menü"));
    menuButton->setAccessibleName(QStringLiteral("Menü"));
    row->addWidget(menuButton);
    return header;
}

QWidget* TForm1::buildSearchBar() {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("searchBar"));
    bar->setStyleSheet(
        QStringLiteral("#searchBar { background: #F7F9FA; border-bottom: 1px solid #DCE2E6; }"));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(12, 6, 12, 6);
    row->setSpacing(8);

    auto* icon = new QLabel(bar);
    icon->setPixmap(vk::appIcon(vk::AppIcon::Search).pixmap(28, 28));
    row->addWidget(icon);
    araedit = new QLineEdit(bar);
    araedit->setFixedWidth(340);
    araedit->setFont(pixelFont({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")}, 20));
    araedit->setPlaceholderText(QStringLiteral("Parça kodu, OEM no veya ad"));
    araedit->setAccessibleName(QStringLiteral("Stok arama"));
    row->addWidget(araedit);

    SpeedButton2 = new QToolButton(bar);
    SpeedButton2->setIcon(vk::appIcon(vk::AppIcon::Search));
    SpeedButton2->setToolTip(QStringLiteral("Ara"));
    SpeedButton1 = new QToolButton(bar);
    SpeedButton1->setIcon(vk::appIcon(vk::AppIcon::Clear));
    SpeedButton1->setToolTip(QStringLiteral("Temizle"));
    for (QToolButton* b : {SpeedButton2, SpeedButton1}) {
        b->setIconSize(QSize(28, 28));
        b->setAccessibleName(b->toolTip());
        row->addWidget(b);
    }

    musteritus =
        new QPushButton(vk::appIcon(vk::AppIcon::Customer), QStringLiteral("Başka Cari Seç"), bar);
    musteritus->setVisible(false);
    row->addWidget(musteritus);

    gifstokara = new vk::BusyIndicator(bar);
    gifyeniler = new vk::BusyIndicator(bar);
    gifkampanyali = new vk::BusyIndicator(bar);
    gifduyuru = new vk::BusyIndicator(bar);
    gifonceki = new vk::BusyIndicator(bar);
    gifekstre = new vk::BusyIndicator(bar);
    for (vk::BusyIndicator* b :
         {gifstokara, gifyeniler, gifkampanyali, gifduyuru, gifonceki, gifekstre})
        row->addWidget(b);
    row->addStretch();
    return bar;
}

void TForm1::buildTabs() {
    sPageControl1 = new vk::TabControl(this);
    struct Page {
        QWidget** member;
        const char* name;
        vk::AppIcon icon;
        QString caption;
    };
    const Page pages[] = {
        {&sstoklistesi, "sstoklistesi", vk::AppIcon::StockList, QStringLiteral("Stok Listesi")},
        {&ssepet, "ssepet", vk::AppIcon::Basket, QStringLiteral("Sepet")},
        {&sonceki, "sonceki", vk::AppIcon::PreviousOrders, QStringLiteral("Önceki Siparişler")},
        {&sccariekstre, "sccariekstre", vk::AppIcon::Statement, QStringLiteral("Cari Ekstre")},
        {&syeniler, "syeniler", vk::AppIcon::NewStock, QStringLiteral("Yeni Stoklar")},
        {&skampanyali, "skampanyali", vk::AppIcon::Campaign, QStringLiteral("Kampanyalı Stoklar")},
        {&sTabSheetduyuru, "sTabSheetduyuru", vk::AppIcon::Announcements,
         QStringLiteral("Duyurular")},
        {&sTabbakiyeler, "sTabbakiyeler", vk::AppIcon::Balances, QStringLiteral("Bakiyeler")},
        {&ss, "ss", vk::AppIcon::VirtualPos, QStringLiteral("Sanal Pos")},
    };
    for (const Page& p : pages) {
        *p.member = new QWidget;
        (*p.member)->setObjectName(QString::fromLatin1(p.name));
        sPageControl1->addTab(*p.member, vk::appIcon(p.icon), p.caption);
    }
    sPageControl1->setCurrentIndex(0);
}

QWidget* TForm1::buildLegend() {
    auto* legend = new QWidget(this);
    legend->setObjectName(QStringLiteral("legend"));
    legend->setStyleSheet(
        QStringLiteral("#legend { background: #F7F9FA; border-top: 1px solid #DCE2E6; }"));
    auto* row = new QHBoxLayout(legend);
    row->setContentsMargins(12, 3, 12, 3);
    row->setSpacing(4);
    auto* title = new QLabel(QStringLiteral("Durum Açıklaması:"), legend);
    title->setStyleSheet(QStringLiteral("font-weight: bold; color: #3C4650;"));
    row->addWidget(title);
    const std::pair<int, QString> states[] = {
        {1, QStringLiteral("Stok mevcut")},
        {6, QStringLiteral("Az var")},
        {2, QStringLiteral("Telefon Açınız")},
        {3, QStringLiteral("Yolda")},
        {5, QStringLiteral("Tedarik Sürecinde")},
        {4, QStringLiteral("Özel Sipariş")},
        {0, QStringLiteral("Yok")},
    };
    for (const auto& [code, name] : states) {
        auto* icon = new QLabel(legend);
        icon->setPixmap(vk::stockStateIcon(code).pixmap(20, 20));
        row->addSpacing(10);
        row->addWidget(icon);
        row->addWidget(new QLabel(name, legend));
    }
    row->addStretch();
    return legend;
}

QWidget* TForm1::buildBottom() {
    Panel5 = new QWidget(this);
    Panel5->setFixedHeight(40);
    auto* column = new QVBoxLayout(Panel5);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    RealTimeMarquee1 = new QLabel(Panel5);
    RealTimeMarquee1->setVisible(false);
    column->addWidget(RealTimeMarquee1);
    kayanyazi = new vk::Marquee(Panel5);
    kayanyazi->setFixedHeight(40);
    kayanyazi->setFont(pixelFont(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")},
        24));
    kayanyazi->setAutoFillBackground(true);
    column->addWidget(kayanyazi);
    return Panel5;
}

bool TForm1::FormCreate() {
    _acilisadet = 0;
    setWindowTitle(QStringLiteral("Velkor Otomotiv Parts B2B Programı"));
    sbilgi.setBilgiSayarAdi(GetWorkstationName());
    sbilgi.setBilgisayarKullanici(GetWorkstationUser());
    sbilgi.setIcip(GetLocalIp());
    sbilgi.setBILGISAYARID(GetMachineId());
    const vk::Deployment& d = vk::deployment();
    bagc.setHostName(d.serverHost);
    bagc.setPort(d.serverPort);
    webSiteItem->setText(d.webSiteUrl);
    if (!GirisYap())
        return false;
    startStartupLoad();
    return true;
}

bool TForm1::GirisYap() {
    Tgirisform login(&bagc, &sbilgi);
    if (login.exec() != QDialog::Accepted) {
        vk::endProgram();
        return false;
    }
    if (sbilgi.Disip().trimmed().isEmpty()) {
        vk::endProgram();
        return false;
    }
    applyUserType(vk::UserType(sbilgi.MusteriTipi()));
    return true;
}

void TForm1::applyUserType(const vk::UserType& type) {
    musteritus->setVisible(type.choosesCustomer());
    R1->setVisible(type.seesReports());
    sPageControl1->setTabVisible(sPageControl1->indexOf(skampanyali), type.seesCampaigns());
    m_stockList->applyUserType(type);
    m_basket->applyUserType(type);
}

void TForm1::SepetiYenile() {
    m_basket->SepetiYenile();
}

DetailContext TForm1::detailContext() {
    DetailContext ctx;
    ctx.bagc = &bagc;
    ctx.sbilgi = &sbilgi;
    ctx.SepetiYenile = [this] { SepetiYenile(); };
    ctx.owner = this;
    return ctx;
}

void TForm1::AnaBilgiAl() {
    kullanicilbl->setText(sbilgi.ADI());
    cariadilbl->setText(sbilgi.CariAdi());
    saticilbl->setText(sbilgi.SaticiAdi() + QStringLiteral(" Telefonu: ") + sbilgi.SaticiTelefon() +
                       QStringLiteral(" email: ") + sbilgi.SaticiMail());
}

QList<std::function<void()>> TForm1::startupSteps() {
    return {
        [this] {
            QMetaObject::invokeMethod(
                this, [this] { AnaBilgiAl(); }, Qt::BlockingQueuedConnection);
        },
    };
}

void TForm1::startStartupLoad() {
    if (m_startupRunning)
        return;
    m_startupRunning = true;
    const QList<std::function<void()>> steps = startupSteps();
    vk::runTask(
        this,
        [steps] {
            for (const std::function<void()>& step : steps)
                step();
        },
        [this] { startupLoadFinished(); });
}

void TForm1::startupLoadFinished() {
    m_startupRunning = false;
    if (isMinimized()) {
        showMaximized();
        raise();
        activateWindow();
    }
    AcilisReklamGoster();
}

void TForm1::AcilisReklamGoster() {
    if (_acilisadet == 0)
        return;
    // The opening adverts window comes with the promotional content.
}

void TForm1::G1Click() {
    close();
}

void TForm1::webSiteClick() {
    vk::openExternally(QUrl(vk::deployment().webSiteUrl));
    araedit->selectAll();
    araedit->setFocus();
}

void TForm1::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (ShowDialog(QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"), vk::DialogKind::Question,
                   vk::DialogButton::Yes | vk::DialogButton::No,
                   vk::DialogButton::Yes) == vk::DialogButton::Yes)
        vk::endProgram();
}
