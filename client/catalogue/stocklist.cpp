#include "catalogue/stocklist.h"

#include "app/unit1.h"
#include "basket/basketpage.h"
#include "catalogue/searchtext.h"
#include "catalogue/stokayarintiU.h"
#include "catalogue/stocklistrules.h"
#include "common/countcaption.h"
#include "common/utils.h"
#include "server/proxim.h"
#include "widgets/appicons.h"
#include "widgets/busyindicator.h"
#include "widgets/datagrid.h"
#include "widgets/tabcontrol.h"
#include "widgets/task.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>

namespace {

// Every typed character becomes its plain capital ("ş" → "S") as it goes into the box.
class SearchTextValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = foldSearchText(input);
        return Acceptable;
    }
};

QHash<int, QIcon> stateIcons() {
    QHash<int, QIcon> icons;
    for (int code = 0; code <= 6; ++code)
        icons.insert(code, vk::stockStateIcon(code));
    return icons;
}

vk::GridColumn col(const char* field, const QString& caption, int weight, bool visible = true,
                   bool offered = true) {
    vk::GridColumn c;
    c.field = QString::fromLatin1(field);
    c.caption = caption;
    c.weight = weight;
    c.visible = visible;
    c.offered = offered;
    return c;
}

vk::GridColumn iconCol(const char* field, const QString& caption, QHash<int, QIcon> icons,
                       QIcon fallback = QIcon()) {
    vk::GridColumn c = col(field, caption, 1);
    c.kind = vk::GridColumn::Kind::Icon;
    c.icons = std::move(icons);
    c.iconFallback = std::move(fallback);
    c.alignment = Qt::AlignCenter;
    return c;
}

const QString kCaption = QStringLiteral("Stok Listesi");
const QString kPriceInfo = QStringLiteral("Fiyat Bilgisi");

} // namespace

StockListPage::StockListPage(TForm1* form) : QObject(form), m_form(form) {
    form->araedit->setValidator(new SearchTextValidator(form->araedit));
    form->araedit->installEventFilter(this);
    connect(form->SpeedButton2, &QToolButton::clicked, this, &StockListPage::SpeedButton2Click);
    connect(form->SpeedButton1, &QToolButton::clicked, this, &StockListPage::SpeedButton1Click);

    cxGrid1DBTableView1 = new vk::DataGrid(form->sstoklistesi);
    cxGrid1DBTableView1->setObjectName(QStringLiteral("cxGrid1DBTableView1"));
    auto* layout = new QVBoxLayout(form->sstoklistesi);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(cxGrid1DBTableView1);

    const QString none; // a column without a caption of its own shows its field name
    vk::GridColumn oem1 = col("OEM1", QStringLiteral("Oem1"), 2);
    oem1.wordWrap = true;
    vk::GridColumn adi = col("ADI", QStringLiteral("Açıklama"), 3);
    adi.wordWrap = true;
    vk::GridColumn indirim = col("INDIRIMYAZI", QStringLiteral("İndirim Oran"), 2);
    indirim.alignment = Qt::AlignCenter;
    vk::GridColumn info;
    info.caption = kPriceInfo;
    info.weight = 2;
    info.kind = vk::GridColumn::Kind::Custom;
    info.paint = [this](QPainter* p, const QStyleOptionViewItem& option, int row) {
        auto value = [this, row](const char* field) {
            const int c = stok.fieldIndex(QString::fromLatin1(field));
            return c < 0 ? 0.0 : stok.value(row, c).toDouble();
        };
        const bool selected = option.state & QStyle::State_Selected;
        p->fillRect(option.rect, QColor::fromRgb(priceInfoBackground(selected, row)));
        p->setPen(option.palette.color(QPalette::Text));
        p->setFont(option.font);
        // A line wider than the cell loses the start of its caption, never its amount.
        const QRect r = option.rect.adjusted(6, 0, -6, 0);
        const QFontMetrics fm(option.font);
        QStringList lines = priceInfoText(value("LISTEFIYAT1"), value("KAMPFIYAT"),
                                          value("NETFIYAT"), value("KDVDAHIL"))
                                .trimmed()
                                .split(QStringLiteral("\r\n"));
        for (QString& line : lines)
            line = fm.elidedText(line, Qt::ElideLeft, r.width());
        p->drawText(r, Qt::AlignRight | Qt::AlignVCenter, lines.join(QLatin1Char('\n')));
    };
    info.text = [this](int row) {
        const int c = stok.fieldIndex(u"NETFIYAT");
        return c < 0 ? QString() : stok.displayText(row, c);
    };

    cxGrid1DBTableView1->setColumns({
        iconCol("DURUM", QStringLiteral("Durum"), stateIcons(), vk::stockStateIcon(-1)),
        oem1,
        col("OEM2", QStringLiteral("Oem2"), 2),
        col("OEM3", QStringLiteral("Oem3"), 2),
        col("BARKOD", QStringLiteral("Barkod"), 2, false),
        adi,
        col("OEM4", QStringLiteral("Oem4"), 2, false),
        col("STOK_STOKNO", none, 1, false, false),
        col("FINISHKOD", QStringLiteral("Finish Kod"), 2),
        col("URETICIKODU", QStringLiteral("Üretici Kod"), 2, false),
        iconCol("RESIM", QStringLiteral("Resim"), {{1, vk::appIcon(vk::AppIcon::Picture)}}),
        col("BARKOD_BARKODNO", none, 1, false, false),
        col("DIGERADI", QStringLiteral("Diğer Adı"), 3, false),
        col("DPKOD", none, 2, false, false),
        col("OEMNO", QStringLiteral("Oem No"), 2, false),
        col("BIRIM", QStringLiteral("Birim"), 1, false),
        col("MARKA", QStringLiteral("Marka"), 2),
        col("MODEL", QStringLiteral("Model"), 2),
        col("ANAGRUP", QStringLiteral("Ana Grup"), 2, false),
        col("OZELKOD", QStringLiteral("Özel Kod"), 2, false),
        col("KALAN", none, 1, false, false),
        col("PKOD", none, 1, false, false),
        col("KDV", none, 1, false),
        col("ALINANSIPARIS", none, 1, false, false),
        col("VERILENSIPARIS", none, 1, false, false),
        col("LISTEFIYAT1", QStringLiteral("Liste Fiyatı"), 2),
        col("KAMPFIYAT", QStringLiteral("Kampanyalı Fiyat"), 2),
        col("FIYAT", QStringLiteral("Liste Fiyatı"), 2, false),
        iconCol("Y", QStringLiteral("Yeni"), {{1, vk::appIcon(vk::AppIcon::New)}}),
        iconCol("K", QStringLiteral("Kampanyalı"), {{0, vk::appIcon(vk::AppIcon::NoFlag)}},
                vk::appIcon(vk::AppIcon::CampaignFlag)),
        indirim,
        col("NETFIYAT", QStringLiteral("Net Fiyatı"), 2),
        col("KDVDAHIL", QStringLiteral("KDV Dahil Fiyat"), 3),
        info,
    });
    cxGrid1DBTableView1->setHeaderHeight(40);
    cxGrid1DBTableView1->setRowIndicator(true);
    cxGrid1DBTableView1->setInitialSort(QStringLiteral("KALAN"), Qt::DescendingOrder);
    cxGrid1DBTableView1->setFooter({{QStringLiteral("OEM1"), vk::GridFooterItem::Kind::Count}});
    cxGrid1DBTableView1->setTable(&stok);

    popstok = new QMenu(cxGrid1DBTableView1);
    S2 = popstok->addAction(vk::appIcon(vk::AppIcon::Basket), QStringLiteral("Sepete Ekle"));
    popstok->addSeparator();
    siparisBakiyeleri = popstok->addAction(vk::appIcon(vk::AppIcon::Balances),
                                           QStringLiteral("Sipariş Bakiyeleriniz"));
    popstok->addSeparator();
    S3 = popstok->addAction(vk::appIcon(vk::AppIcon::PreviousOrders), QStringLiteral("Siparişleri Göster"));
    // The order balances and the order lines come with their own windows.
    siparisBakiyeleri->setEnabled(false);
    S3->setEnabled(false);
    cxGrid1DBTableView1->setContextMenu(popstok);
    connect(S2, &QAction::triggered, this, &StockListPage::S2Click);
    connect(cxGrid1DBTableView1, &vk::DataGrid::rowDoubleClicked, this, [this] { S2Click(); });
    connect(cxGrid1DBTableView1, &vk::DataGrid::resized, this, [this] {
        if (m_form->araedit->isEnabled())
            StokKolonDuzenle();
    });
}

StockListPage::~StockListPage() = default;

void StockListPage::applyUserType(const vk::UserType& type) {
    m_userType = type;
    for (const char* f : {"KALAN", "ALINANSIPARIS", "VERILENSIPARIS"}) {
        cxGrid1DBTableView1->setColumnVisible(QString::fromLatin1(f), type.seesStockQuantities());
        cxGrid1DBTableView1->setColumnOffered(QString::fromLatin1(f), type.seesStockQuantities());
    }
    if (!type.seesCampaigns()) {
        for (const char* f : {"KAMPFIYAT", "K"}) {
            cxGrid1DBTableView1->setColumnVisible(QString::fromLatin1(f), false);
            cxGrid1DBTableView1->setColumnOffered(QString::fromLatin1(f), false);
        }
    }
    StokKolonDuzenle();
}

bool StockListPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_form->araedit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            search();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void StockListPage::setCaption(const QString& caption) {
    m_form->sPageControl1->setTabCaption(m_form->sPageControl1->indexOf(m_form->sstoklistesi), caption);
}

void StockListPage::showTab() {
    m_form->sPageControl1->setCurrentPage(m_form->sstoklistesi);
}

void StockListPage::SpeedButton2Click() {
    if (m_form->araedit->isEnabled())
        search();
}

void StockListPage::search() {
    showTab();
    const QString text = m_form->araedit->text();
    if (!searchTextLongEnough(text)) {
        ShowDialog(QStringLiteral("Lütfen en az 3 harf giriniz !"), vk::DialogKind::Warning,
                   vk::DialogButton::OK, vk::DialogButton::OK);
        return;
    }
    m_searching = true;
    m_form->araedit->setEnabled(false);
    m_form->gifstokara->start();
    cxGrid1DBTableView1->detach();
    cxGrid1DBTableView1->clearFilters();

    // StokListesiGetir: its own clone of the connection and its own copy of the login record.
    std::shared_ptr<vk::ServerConnection> clone = m_form->bagc.Clone();
    auto record = std::make_shared<TSonucBilgisi>();
    record->Kopyala(m_form->sbilgi);
    // The rows travel in a shared holder so that the table takes them over without a copy.
    struct Result {
        bool ok = false;
        vk::DataPacket packet;
    };
    vk::runTask(
        this,
        [clone, record, text] {
            auto r = std::make_shared<Result>();
            if (!EnsureConnected(*clone, 0))
                return r;
            try {
                TServerMethods1Client proxy(clone.get());
                auto copy = std::make_unique<TSonucBilgisi>();
                copy->Kopyala(*record);
                r->packet = proxy.StokAraGetir(text, std::move(copy));
                clone->Close();
                r->ok = true;
            } catch (const vk::Error&) {
                r->ok = false;
            }
            return r;
        },
        [this](const std::shared_ptr<Result>& r) { StokListesiGetirDone(r->ok, std::move(r->packet)); });
}

void StockListPage::StokListesiGetirDone(bool ok, vk::DataPacket packet) {
    if (ok) {
        vk::loadFromDataPacket(stok, std::move(packet));
        ok = stok.fieldIndex(u"IND1") >= 0; // a result without IND1 is a failed search
    }
    if (ok) {
        FormatFloatFields(stok);
        setCaption(countCaption(stok.recordCount(), kCaption));
    }
    m_form->araedit->setEnabled(true);
    cxGrid1DBTableView1->attach();
    m_form->araedit->selectAll();
    m_form->araedit->setFocus();
    m_form->gifstokara->stop();
    m_searching = false;
    if (!ok) {
        if (stok.active())
            stok.clearRows();
        ShowDialog(vk::kConnectionFailedMessage, vk::DialogKind::Error, vk::DialogButton::OK,
                   vk::DialogButton::OK);
        setCaption(kCaption);
    }
    StokKolonDuzenle();
    emit searchFinished(ok);
}

void StockListPage::SpeedButton1Click() {
    if (!m_form->araedit->isEnabled())
        return;
    if (stok.active()) {
        stok.clearRows();
        setCaption(kCaption);
    }
    showTab();
    cxGrid1DBTableView1->clearFilters();
    m_form->araedit->clear();
    m_form->araedit->setFocus();
}

void StockListPage::resetForNewCustomer() {
    if (stok.active())
        stok.clearRows();
    setCaption(countCaption(0, kCaption));
    showTab();
    m_form->araedit->selectAll();
    m_form->araedit->setFocus();
}

void StockListPage::S2Click() {
    const int row = cxGrid1DBTableView1->focusedRow();
    if (row < 0)
        return;
    const int stokno = stok.value(row, u"STOK_STOKNO").toInt();
    stok.Locate(u"STOK_STOKNO", stokno);
    BasketPage* basket = m_form->basketPage();
    if (!basket->sepet.active())
        basket->SepetiYenile();
    DetailContext ctx = m_form->detailContext();
    if (basket->sepet.active() && basket->sepet.fieldIndex(u"STOKNO") >= 0 &&
        basket->sepet.Locate(u"STOKNO", stokno))
        SepetSatiriAc(ctx, basket->sepet, basket->sepet.value(basket->sepet.currentRow(), u"SIRANO").toInt());
    else
        StokSatiriAc(ctx, stok, stokno);
}

void StockListPage::StokKolonDuzenle() {
    const StockListLayout l = stockListLayout(m_form->width(), m_userType.seesCampaigns());
    vk::DataGrid* g = cxGrid1DBTableView1;
    g->beginUpdate();
    g->setColumnVisible(QStringLiteral("KDVDAHIL"), l.priceColumns);
    g->setColumnVisible(QStringLiteral("NETFIYAT"), l.priceColumns);
    g->setColumnVisible(QStringLiteral("LISTEFIYAT1"), l.priceColumns);
    g->setColumnVisible(QStringLiteral("KAMPFIYAT"), l.campaignPrice);
    g->setColumnVisible(kPriceInfo, l.priceInfo);
    g->setRowHeight(l.rowHeight);
    const int scrollBar = g->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, g);
    g->applyWeights(g->width(), scrollBar + 10);
    if (!l.wide) {
        g->setColumnWidth(QStringLiteral("OEM1"), 80);
        g->setColumnWidth(QStringLiteral("OEM2"), 70);
        g->setColumnWidth(QStringLiteral("OEM3"), 70);
        g->setColumnWidth(QStringLiteral("OZELKOD"), 60);
        g->setColumnWidth(kPriceInfo, 150 - scrollBar);
    }
    g->endUpdate();
}
