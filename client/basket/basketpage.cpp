#include "basket/basketpage.h"

#include "app/unit1.h"
#include "basket/onaysip.h"
#include "basket/ordersubmit.h"
#include "catalogue/stokayarintiU.h"
#include "common/countcaption.h"
#include "common/numberformat.h"
#include "common/utils.h"
#include "export/excelkaydet.h"
#include "server/proxim.h"
#include "widgets/appicons.h"
#include "widgets/datagrid.h"
#include "widgets/radiogroup.h"
#include "widgets/tabcontrol.h"
#include "widgets/task.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kAmount = QStringLiteral("#,###,##0.00");

vk::GridColumn col(const char* field, const QString& caption, bool visible, bool offered, int weight,
                   int width = 84) {
    vk::GridColumn c;
    c.field = QString::fromLatin1(field);
    c.caption = caption;
    c.visible = visible;
    c.offered = offered;
    c.weight = weight;
    c.designWidth = width;
    return c;
}

// Closes the main connection however the call ends.
struct CloseAfter {
    vk::ServerConnection* connection;
    ~CloseAfter() { connection->Close(); }
};

std::unique_ptr<TSonucBilgisi> copyOf(const TSonucBilgisi& r) {
    auto c = std::make_unique<TSonucBilgisi>();
    c->Kopyala(r);
    return c;
}

} // namespace

BasketPage::BasketPage(TForm1* form) : QObject(form), m_form(form) {
    QWidget* page = form->ssepet;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    cxGridDBTableView1 = new vk::DataGrid(page);
    cxGridDBTableView1->setObjectName(QStringLiteral("cxGridDBTableView1"));
    const QString none;
    vk::GridColumn sec = col("SEC", QStringLiteral("Seç"), true, false, 1, 74);
    sec.kind = vk::GridColumn::Kind::CheckBox;
    sec.searchable = false;
    sec.alignment = Qt::AlignCenter;
    vk::GridColumn indirimYazi = col("INDIRIMYAZI", QStringLiteral("İndirim Oran"), true, true, 2, 100);
    indirimYazi.alignment = Qt::AlignCenter;
    vk::GridColumn durum = col("DURUM", QStringLiteral("Durum"), true, true, 1, 74);
    durum.kind = vk::GridColumn::Kind::Icon;
    for (int code = 0; code <= 6; ++code)
        durum.icons.insert(code, vk::stockStateIcon(code));
    durum.iconFallback = vk::stockStateIcon(-1);
    durum.alignment = Qt::AlignCenter;
    cxGridDBTableView1->setColumns({
        sec,
        col("VERILISTARIHI", QStringLiteral("Sipariş Tarihi"), true, true, 1),
        col("SIRANO", none, false, false, 0),
        col("SIPARISNO", QStringLiteral("Sipariş No"), false, true, 0),
        col("CARINO", none, false, false, 0),
        col("TARIH", QStringLiteral("Tarih"), false, true, 1),
        col("AKTAR", none, false, false, 0),
        col("STOKNO", none, false, false, 0),
        col("BARKOD", QStringLiteral("Barkod"), true, true, 2, 196),
        col("FINISHKOD", QStringLiteral("FinishKod"), true, true, 2, 169),
        col("OEMNO", QStringLiteral("OEMNo"), true, true, 2, 178),
        col("STOKADI", QStringLiteral("Stok Açıklama"), true, true, 3, 291),
        col("MIKTAR", QStringLiteral("Miktar"), true, true, 1),
        col("BIRIMFIYAT", QStringLiteral("Birim Fiyat"), true, true, 1),
        col("TUTAR", QStringLiteral("Tutar"), true, true, 1),
        indirimYazi,
        col("INDIRIMORANI1", QStringLiteral("İndirim Oranı %"), false, false, 1),
        col("INDIRIMORANI2", none, false, false, 1),
        col("INDIRIMORANI3", none, false, false, 1),
        col("INDIRIMTUTAR", QStringLiteral("İndirim Tutar"), false, false, 1),
        col("NETBIRIMFIYAT", QStringLiteral("Net Fiyat"), true, true, 1),
        col("KDV", none, false, true, 1),
        col("VERGITUTARI", QStringLiteral("Vergi Tutarı"), true, true, 1),
        col("NETTUTAR", QStringLiteral("Net Tutar"), true, true, 1),
        col("KUR", QStringLiteral("Kur"), false, true, 1, 44),
        col("KURTL", none, false, false, 1),
        col("VERENIDNO", none, false, false, 1),
        col("SAAT", QStringLiteral("Saat"), false, true, 1),
        col("TESLIMID", none, false, false, 1),
        col("KARGOID", none, false, false, 1),
        col("ACIKLAMA", QStringLiteral("Açıklama"), false, true, 1),
        col("IDNO", none, false, false, 1),
        col("VERENSIRANO", none, false, false, 1),
        col("VEREN", QStringLiteral("Veren"), true, true, 1, 133),
        col("CARIKOD", QStringLiteral("Cari Kod"), false, false, 1, 204),
        col("CARIADI", QStringLiteral("Cari Adı"), false, false, 1, 404),
        col("OEM1", none, false, true, 1, 244),
        col("OEM2", none, false, true, 1, 244),
        col("OEM3", none, false, true, 1, 244),
        col("OEM4", none, false, true, 1, 244),
        col("STOK_STOKNO", none, false, false, 1),
        col("URETICIKODU", none, false, false, 1, 404),
        col("DIGERADI", none, false, true, 1, 404),
        col("DPKOD", none, false, true, 1, 404),
        col("MARKA", QStringLiteral("Marka"), false, true, 1, 404),
        col("MODEL", QStringLiteral("Model"), false, true, 1, 404),
        col("ANAGRUP", QStringLiteral("Ana Grup"), false, true, 1, 404),
        col("OZELKOD", QStringLiteral("Özel Kod"), false, true, 1, 204),
        col("PKOD", none, false, true, 1, 404),
        durum,
        col("KALAN", QStringLiteral("Kalan"), false, false, 1, 74),
        col("INDIRIMORANI4", none, false, true, 0),
    });
    cxGridDBTableView1->setHeaderHeight(40);
    cxGridDBTableView1->setRowHeight(40);
    cxGridDBTableView1->setFooter({{QStringLiteral("VERILISTARIHI"), vk::GridFooterItem::Kind::Count},
                                   {QStringLiteral("MIKTAR"), vk::GridFooterItem::Kind::Sum},
                                   {QStringLiteral("NETTUTAR"), vk::GridFooterItem::Kind::Sum}});
    cxGridDBTableView1->setTable(&sepet);
    layout->addWidget(cxGridDBTableView1, 1);

    popup = new QMenu(cxGridDBTableView1);
    Deitir1 = popup->addAction(QStringLiteral("Satır Değiştir"));
    popup->addSeparator();
    SatrSil1 = popup->addAction(vk::appIcon(vk::AppIcon::Clear), QStringLiteral("Satır Sil"));
    popup->addSeparator();
    HepsiniSil1 = popup->addAction(vk::appIcon(vk::AppIcon::Close), QStringLiteral("Hepsini Sil"));
    cxGridDBTableView1->setContextMenu(popup);
    connect(Deitir1, &QAction::triggered, this, &BasketPage::Deitir1Click);
    connect(SatrSil1, &QAction::triggered, this, &BasketPage::SatrSil1Click);
    connect(HepsiniSil1, &QAction::triggered, this, &BasketPage::HepsiniSil1Click);
    connect(cxGridDBTableView1, &vk::DataGrid::rowDoubleClicked, this, [this] { Deitir1Click(); });
    connect(cxGridDBTableView1, &vk::DataGrid::resized, this, [this] {
        if (cxGridDBTableView1->isEnabled())
            SepetKolonGenislikAyarla();
    });

    // The strip under the grid: the two selection buttons and the overdue warning.
    auto* strip = new QWidget(page);
    auto* stripRow = new QHBoxLayout(strip);
    stripRow->setContentsMargins(8, 4, 8, 4);
    Button4 = new QPushButton(QStringLiteral("Hepsini Seç"), strip);
    Button5 = new QPushButton(QStringLiteral("Seçimleri Kaldır"), strip);
    lbluyarbakiye = new QLabel(strip);
    QFont warning;
    warning.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    warning.setPixelSize(16);
    warning.setBold(true);
    lbluyarbakiye->setFont(warning);
    lbluyarbakiye->setStyleSheet(QStringLiteral("color: #C62828;"));
    stripRow->addWidget(Button4);
    stripRow->addWidget(Button5);
    stripRow->addSpacing(16);
    stripRow->addWidget(lbluyarbakiye, 1, Qt::AlignVCenter);
    layout->addWidget(strip);
    connect(Button4, &QPushButton::clicked, this, &BasketPage::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &BasketPage::Button5Click);

    // The bottom panel: delivery, cargo type, cargo firm, the note with the totals, the buttons.
    bottomPanel = new QWidget(page);
    bottomPanel->setObjectName(QStringLiteral("basketBottom"));
    bottomPanel->setFixedHeight(131);
    auto* bottom = new QHBoxLayout(bottomPanel);
    bottom->setContentsMargins(8, 0, 8, 6);
    bottom->setSpacing(6);
    teslimbox = new vk::RadioGroup(QStringLiteral("Teslim Durumu"), bottomPanel);
    teslimbox->setFixedWidth(135);
    boxkargo = new vk::RadioGroup(QStringLiteral("Kargo Türleri"), bottomPanel);
    boxkargo->setFixedWidth(208);
    kargoBox = new QGroupBox(QStringLiteral("Kargo"), bottomPanel);
    kargoBox->setFixedWidth(224);
    auto* kargoColumn = new QVBoxLayout(kargoBox);
    kargoColumn->setContentsMargins(6, 4, 6, 4);
    kargocombo = new QComboBox(kargoBox);
    kargocombo->setEditable(false);
    uyarikargo = new QLabel(kargoBox);
    uyarikargo->setFixedSize(210, 59);
    uyarikargo->setWordWrap(true);
    uyarikargo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    uyarikargo->setStyleSheet(QStringLiteral("color: #C62828;"));
    kargoColumn->addWidget(kargocombo);
    kargoColumn->addWidget(uyarikargo);
    kargoColumn->addStretch(1);
    bottom->addWidget(teslimbox);
    bottom->addWidget(boxkargo);
    bottom->addWidget(kargoBox);

    mesajBox = new QGroupBox(QStringLiteral("Mesaj"), bottomPanel);
    auto* mesajRow = new QHBoxLayout(mesajBox);
    mesajRow->setContentsMargins(6, 4, 6, 4);
    aciklamagir = new QPlainTextEdit(mesajBox);
    QFont noteFont;
    noteFont.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    noteFont.setBold(true);
    aciklamagir->setFont(noteFont);
    aciklamagir->setTabChangesFocus(true);
    mesajRow->addWidget(aciklamagir, 1);
    mesajRow->addWidget(buildTotals());
    bottom->addWidget(mesajBox, 1);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(4);
    Button1 = new QPushButton(vk::appIcon(vk::AppIcon::Send), QStringLiteral("Gönder"), bottomPanel);
    Button2 = new QPushButton(vk::appIcon(vk::AppIcon::Excel), QStringLiteral("Excel Kaydet"), bottomPanel);
    for (QPushButton* b : {Button1, Button2}) {
        b->setFixedWidth(std::max(100, Button2->sizeHint().width()));
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        b->setToolTip(b->text());
        buttons->addWidget(b);
    }
    bottom->addLayout(buttons);
    layout->addWidget(bottomPanel);

    connect(boxkargo, &vk::RadioGroup::clicked, this, &BasketPage::boxkargoClick);
    connect(kargocombo, &QComboBox::currentIndexChanged, this, &BasketPage::kargocomboChange);
    connect(Button1, &QPushButton::clicked, this, &BasketPage::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &BasketPage::Button2Click);

    SepetToplamHesapla();
}

BasketPage::~BasketPage() = default;

QWidget* BasketPage::buildTotals() {
    auto* panel = new QWidget(mesajBox);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(8, 0, 4, 0);
    grid->setVerticalSpacing(1);
    grid->setHorizontalSpacing(12);
    auto row = [&](int r, const QString& caption, QLabel*& value, bool bold) {
        auto* c = new QLabel(caption, panel);
        value = new QLabel(panel);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(120);
        if (bold) {
            QFont f = c->font();
            f.setBold(true);
            c->setFont(f);
            value->setFont(f);
        }
        grid->addWidget(c, r, 0);
        grid->addWidget(value, r, 1);
        return c;
    };
    row(0, QStringLiteral("Toplam:"), aratoplaml, false);
    m_indirimCaption = row(1, QStringLiteral("İndirim Toplam:"), indiriml, false);
    row(2, QStringLiteral("Ara Toplam:"), nettutarl, false);
    m_vergiCaption = row(3, QStringLiteral("Vergi:"), vergil, false);
    row(4, QStringLiteral("Genel Toplam:"), geneltoplaml, true);
    return panel;
}

void BasketPage::applyUserType(const vk::UserType& type) {
    cxGridDBTableView1->setColumnVisible(QStringLiteral("KALAN"), type.seesStockQuantities());
    cxGridDBTableView1->setColumnOffered(QStringLiteral("KALAN"), type.seesStockQuantities());
    if (!type.seesBasketState()) {
        cxGridDBTableView1->setColumnVisible(QStringLiteral("DURUM"), false);
        cxGridDBTableView1->setColumnOffered(QStringLiteral("DURUM"), false);
    }
}

void BasketPage::setCaption(int lines) {
    m_form->sPageControl1->setTabCaption(m_form->sPageControl1->indexOf(m_form->ssepet),
                                         countCaption(lines, QStringLiteral("Sepet")));
}

void BasketPage::ssepetShow() {
    CariBakiyeUyariBak();
    SepetiYenile();
    TeslimKargoDoldur();
}

void BasketPage::SepetiYenile() {
    const std::unique_ptr<vk::ServerConnection> clone = m_form->bagc.Clone();
    if (!EnsureConnected(*clone, 1))
        return;
    {
        TServerMethods1Client proxy(clone.get());
        vk::DataPacket packet = proxy.SepetVer2(m_form->sbilgi.CARINO());
        cxGridDBTableView1->beginUpdate();
        vk::loadFromDataPacket(sepet, std::move(packet));
        FormatFloatFields(sepet);
        cxGridDBTableView1->endUpdate();
    }
    clone->Close();
    setCaption(sepet.recordCount());
    SepetToplamHesapla();
}

BasketTotals BasketPage::SepetToplamHesapla() {
    cxGridDBTableView1->beginUpdate();
    const BasketTotals t = ::SepetToplamHesapla(sepet);
    cxGridDBTableView1->endUpdate();
    const QLocale locale;
    aratoplaml->setText(vk::formatFloat(kAmount, t.toplam, locale));
    indiriml->setText(vk::formatFloat(kAmount, t.indirim, locale));
    nettutarl->setText(vk::formatFloat(kAmount, t.araToplam, locale));
    vergil->setText(vk::formatFloat(kAmount, t.vergi, locale));
    geneltoplaml->setText(vk::formatFloat(kAmount, t.genelToplam, locale));
    m_indirimCaption->setVisible(t.showIndirim);
    indiriml->setVisible(t.showIndirim);
    m_vergiCaption->setVisible(t.showVergi);
    vergil->setVisible(t.showVergi);
    return t;
}

bool BasketPage::SepetSecimYaz(int sirano, int secim) {
    const std::unique_ptr<vk::ServerConnection> clone = m_form->bagc.Clone();
    if (!EnsureConnected(*clone, 1))
        return false;
    try {
        TServerMethods1Client proxy(clone.get());
        proxy.SepetSecimGuncelle(sirano, secim);
    } catch (const vk::Error&) {
        return false;
    }
    clone->Close();
    return true;
}

void BasketPage::setAllSelections(int value) {
    const int sec = sepet.fieldIndex(u"SEC");
    const int sirano = sepet.fieldIndex(u"SIRANO");
    if (sec >= 0 && sirano >= 0) {
        cxGridDBTableView1->beginUpdate();
        for (int row = 0; row < sepet.recordCount(); ++row) {
            sepet.setValue(row, sec, value);
            SepetSecimYaz(sepet.value(row, sirano).toInt(), value);
        }
        cxGridDBTableView1->endUpdate();
    }
    SepetToplamHesapla();
    if (m_form->araedit->isEnabled()) {
        m_form->araedit->selectAll();
        m_form->araedit->setFocus();
    }
}

void BasketPage::SepetKolonGenislikAyarla() {
    const QScreen* screen = m_form->screen();
    if (basketUsesWeights(screen ? screen->geometry().width() : 0))
        cxGridDBTableView1->applyWeights(cxGridDBTableView1->width(), 30);
    else
        cxGridDBTableView1->bestFit();
}

void BasketPage::CariBakiyeUyariBak() {
    std::shared_ptr<vk::ServerConnection> clone = m_form->bagc.Clone();
    const int carino = m_form->sbilgi.CARINO();
    ++m_warnings;
    vk::runTask(
        this,
        [clone, carino]() -> std::optional<QString> {
            if (!EnsureConnected(*clone, 0))
                return std::nullopt; // the line keeps its text
            try {
                TServerMethods1Client proxy(clone.get());
                const QString text = proxy.CariVadeGunGecmismiBul(carino);
                clone->Close();
                return text;
            } catch (const vk::Error&) {
                return QString();
            }
        },
        [this](const std::optional<QString>& text) {
            --m_warnings;
            if (text)
                lbluyarbakiye->setText(*text);
        });
}

void BasketPage::Deitir1Click() {
    const int row = cxGridDBTableView1->focusedRow();
    if (row < 0)
        return;
    const int sirano = sepet.value(row, u"SIRANO").toInt();
    sepet.Locate(u"SIRANO", sirano);
    if (cxGridDBTableView1->focusedField().compare(u"SEC", Qt::CaseInsensitive) != 0) {
        DetailContext ctx = m_form->detailContext();
        SepetSatiriAc(ctx, sepet, sirano);
        return;
    }
    const int value = sepet.value(sepet.currentRow(), u"SEC").toInt() == 0 ? 1 : 0;
    sepet.setValue(sepet.currentRow(), u"SEC", value);
    SepetSecimYaz(sirano, value);
    SepetToplamHesapla();
}

void BasketPage::SatrSil1Click() {
    const int row = cxGridDBTableView1->focusedRow();
    if (row < 0)
        return;
    const int sirano = sepet.value(row, u"SIRANO").toInt();
    sepet.Locate(u"SIRANO", sirano);
    if (ShowDialog(QStringLiteral("Satırı silmek istiyor musunuz "), vk::DialogKind::Question,
                   vk::DialogButton::Yes | vk::DialogButton::No,
                   vk::DialogButton::No) != vk::DialogButton::Yes)
        return;
    const int current = sepet.currentRow();
    const QString note = sepet.displayText(current, sepet.requireField(u"BARKOD")) + u'-' +
                         sepet.displayText(current, sepet.requireField(u"STOKADI"));
    auto copy = copyOf(m_form->sbilgi);
    if (!EnsureConnected(m_form->bagc, 1))
        return;
    {
        CloseAfter close{&m_form->bagc};
        TServerMethods1Client proxy(&m_form->bagc);
        proxy.SepetSatirSil(std::move(copy), sirano, note);
    }
    SepetiYenile();
    ShowDialog(QStringLiteral("Satır silindi !"), vk::DialogKind::Information, vk::DialogButton::OK,
               vk::DialogButton::OK);
}

void BasketPage::HepsiniSil1Click() {
    if (!HasRecords(sepet))
        return;
    if (ShowDialog(QStringLiteral("Tüm Sepeti Silmek İstiyor musunuz "), vk::DialogKind::Question,
                   vk::DialogButton::Yes | vk::DialogButton::No,
                   vk::DialogButton::No) != vk::DialogButton::Yes)
        return;
    auto copy = copyOf(m_form->sbilgi);
    if (!EnsureConnected(m_form->bagc, 1))
        return;
    {
        CloseAfter close{&m_form->bagc};
        TServerMethods1Client proxy(&m_form->bagc);
        proxy.SepetHepsiniSil(std::move(copy));
        ShowDialog(QStringLiteral("Sepet Silindi !"), vk::DialogKind::Information, vk::DialogButton::OK,
                   vk::DialogButton::OK);
    }
    SepetiYenile();
}

void BasketPage::TeslimKargoDoldur() {
    const std::unique_ptr<vk::ServerConnection> clone = m_form->bagc.Clone();
    if (!EnsureConnected(*clone, 1))
        return;
    // Results are read by position: column 0 the id, column 1 the name.
    auto fill = [](vk::RadioGroup* group, vk::TableReader* reader) {
        group->clear();
        while (reader && reader->columnCount() >= 2 && reader->next())
            group->addItem(reader->value(1).toString(), reader->value(0).toInt());
    };
    {
        TServerMethods1Client proxy(clone.get());
        fill(teslimbox, proxy.TeslimVer());
    }
    teslimbox->setItemIndex(teslimbox->count() > 1 ? 1 : teslimbox->count() - 1);
    {
        TServerMethods1Client proxy(clone.get());
        fill(boxkargo, proxy.KargoVer());
    }
    boxkargo->setItemIndex(-1);
    clone->Close();
    // The groups keep their designed widths unless an option's text needs more.
    teslimbox->setFixedWidth(std::max(135, teslimbox->widthForTexts()));
    boxkargo->setFixedWidth(std::max(208, boxkargo->widthForTexts()));
}

void BasketPage::KargoFirmalariDoldur(int kargoTuru) {
    if (!EnsureConnected(m_form->bagc, 1))
        return;
    {
        CloseAfter close{&m_form->bagc};
        TServerMethods1Client proxy(&m_form->bagc);
        vk::loadFromReader(kargo, *proxy.KargolarVer(kargoTuru));
    }
    const QSignalBlocker quiet(kargocombo);
    kargocombo->clear();
    kargocombo->addItem(QStringLiteral(" "));
    const int adi = kargo.fieldIndex(u"ADI");
    for (int row = 0; adi >= 0 && row < kargo.recordCount(); ++row)
        kargocombo->addItem(kargo.value(row, adi).toString());
    kargocombo->setCurrentIndex(-1);
}

void BasketPage::boxkargoClick() {
    uyarikargo->clear();
    if (boxkargo->itemIndex() >= 0)
        KargoFirmalariDoldur(boxkargo->chosenId());
}

void BasketPage::kargocomboChange() {
    const int row = cargoFirmRow(kargo, kargocombo->currentText());
    const int uyari = kargo.fieldIndex(u"UYARI");
    uyarikargo->setText(row >= 0 && uyari >= 0 ? kargo.value(row, uyari).toString() : QString());
}

void BasketPage::Button1Click() {
    const OrderCheck check = checkOrder({SeciliSatirVarmi(sepet), teslimbox->itemIndex() >= 0,
                                         boxkargo->itemIndex() >= 0, kargocombo->currentText()});
    if (check != OrderCheck::Passed) {
        ShowDialog(orderCheckMessage(check), vk::DialogKind::Warning, vk::DialogButton::OK,
                   vk::DialogButton::OK);
        if (check == OrderCheck::NoCargoFirm)
            kargocombo->setFocus();
        return;
    }
    const int firmRow = cargoFirmRow(kargo, kargocombo->currentText());
    const int kargoFirma = firmRow >= 0 ? kargo.value(firmRow, u"SIRANO").toInt() : 0;
    const int teslim = teslimbox->chosenId();
    const int kargoTuru = boxkargo->chosenId();

    TONAYSIP onay(m_form);
    onay.Label2->setText(orderSummaryText({m_form->sbilgi.ADI(), m_form->sbilgi.CariAdi(),
                                           teslimbox->chosenText(), boxkargo->chosenText(),
                                           geneltoplaml->text(), kargocombo->currentText(),
                                           aciklamagir->toPlainText()})
                             .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    if (onay.exec() != QDialog::Accepted)
        return;
    if (SiparisGonder(kargoFirma, kargoTuru, teslim)) {
        ShowDialog(QStringLiteral("Siparişiniz Gönderildi !"), vk::DialogKind::Information,
                   vk::DialogButton::OK, vk::DialogButton::OK);
        SepetiYenile();
        aciklamagir->clear();
    } else {
        ShowDialog(QStringLiteral("Sipariş Göndermede Hata"), vk::DialogKind::Error,
                   vk::DialogButton::OK, vk::DialogButton::OK);
    }
}

bool BasketPage::SiparisGonder(int kargoFirma, int kargoTuru, int teslim) {
    auto copy = copyOf(m_form->sbilgi);
    if (!EnsureConnected(m_form->bagc, 1))
        return false;
    CloseAfter close{&m_form->bagc};
    TServerMethods1Client proxy(&m_form->bagc);
    return proxy.SiparisKaydet(std::move(copy), m_form->sbilgi.CARINO(), teslim, kargoTuru,
                               aciklamagir->toPlainText(), m_form->sbilgi.Sirano(), kargoFirma);
}

void BasketPage::Button2Click() {
    ExcelKaydet(cxGridDBTableView1);
}
