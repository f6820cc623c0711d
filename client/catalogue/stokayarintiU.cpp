#include "catalogue/stokayarintiU.h"

#include "app/application.h"
#include "common/errors.h"
#include "common/httpget.h"
#include "common/numberformat.h"
#include "common/utils.h"
#include "server/baglantiu.h"
#include "server/connection.h"
#include "server/memtable.h"
#include "server/proxim.h"
#include "widgets/appicons.h"
#include "widgets/task.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QString kAmount = QStringLiteral("#,###,##0.00");

// Without group separators: the box accepts digits and a decimal point only.
QString quantityText(double q) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(q, 'g', 15);
}

QPixmap defaultPicture(QSize size) {
    QPixmap p(size);
    p.fill(QColor(0xF4F6F7));
    QPainter painter(&p);
    const int s = std::min(size.width(), size.height()) / 3;
    painter.drawPixmap((size.width() - s) / 2, (size.height() - s) / 2,
                       vk::appIcon(vk::AppIcon::Picture).pixmap(s, s, QIcon::Disabled));
    return p;
}

// Closes the connection however the call ends.
struct CloseAfter {
    vk::ServerConnection* connection;
    ~CloseAfter() { connection->Close(); }
};

QString kindOf(const vk::Error& e) {
    if (dynamic_cast<const vk::ServerError*>(&e))
        return QStringLiteral("Sunucu hatası");
    if (dynamic_cast<const vk::ConnectionError*>(&e))
        return QStringLiteral("Bağlantı hatası");
    if (dynamic_cast<const vk::ProtocolError*>(&e))
        return QStringLiteral("Yanıt hatası");
    return QStringLiteral("Hata");
}

double number(const vk::MemTable& t, const char* field) {
    const int c = t.fieldIndex(QString::fromLatin1(field));
    return c < 0 || t.currentRow() < 0 ? 0.0 : t.value(t.currentRow(), c).toDouble();
}

QString text(const vk::MemTable& t, const char* field) {
    const int c = t.fieldIndex(QString::fromLatin1(field));
    return c < 0 || t.currentRow() < 0 ? QString() : t.value(t.currentRow(), c).toString();
}

} // namespace

QuantityBox::QuantityBox(QWidget* parent) : QLineEdit(parent) {
    const QString point = QRegularExpression::escape(QLocale().decimalPoint());
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[+-]?[0-9]*(") + point + QStringLiteral("[0-9]*)?")), this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QLineEdit::textEdited, this, &QuantityBox::quantityChanged);
}

void QuantityBox::setQuantity(double quantity) {
    const QString t = quantityText(clampQuantity(quantity));
    if (t == text())
        return;
    setText(t);
    emit quantityChanged();
}

void QuantityBox::step(int by) {
    setQuantity(wholeQuantity(text()) + by);
    selectAll();
}

void QuantityBox::clamp() {
    bool ok = false;
    const double v = QLocale().toDouble(text().trimmed(), &ok);
    if (ok && (v < 1 || v > 10000))
        setQuantity(v);
}

void QuantityBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        step(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void QuantityBox::focusOutEvent(QFocusEvent* event) {
    clamp();
    QLineEdit::focusOutEvent(event);
}

void QuantityBox::wheelEvent(QWheelEvent* event) {
    step(event->angleDelta().y() > 0 ? 1 : -1);
}

Tstokayarinti::Tstokayarinti(DetailMode mode, const DetailValues& values, QWidget* owner)
    : QDialog(owner), m_mode(mode), m_values(values) {
    setWindowTitle(QStringLiteral("Sepete Ekle"));
    setObjectName(QStringLiteral("stokayarinti"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(12);

    auto* header = new QGridLayout;
    header->setHorizontalSpacing(10);
    header->setVerticalSpacing(4);
    auto headerRow = [&](int row, const QString& caption, QLabel*& value, const QString& v) {
        auto* c = new QLabel(caption, this);
        c->setStyleSheet(QStringLiteral("color: #8A96A0; font-weight: bold;"));
        value = new QLabel(v, this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setWordWrap(true);
        value->setStyleSheet(QStringLiteral("color: #3C4650; font-weight: bold;"));
        header->addWidget(c, row, 0, Qt::AlignRight | Qt::AlignTop);
        header->addWidget(value, row, 1);
    };
    headerRow(0, QStringLiteral("Barkod:"), barkod, values.barkod);
    headerRow(1, QStringLiteral("Açıklama:"), adi, values.adi);
    headerRow(2, QStringLiteral("Finish Kod:"), finishkod, values.finishkod);
    headerRow(3, QStringLiteral("Marka:"), marka, values.marka);
    headerRow(4, QStringLiteral("Model:"), model, values.model);
    header->setColumnStretch(1, 1);
    layout->addLayout(header);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(16);
    resim = new QLabel(this);
    resim->setFixedSize(320, 240);
    resim->setAlignment(Qt::AlignCenter);
    resim->setStyleSheet(QStringLiteral("border: 1px solid #D5DBDF; background: white;"));
    resim->setPixmap(defaultPicture(resim->size()));
    middle->addWidget(resim);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->setVerticalSpacing(8);
    auto* quantityRow = new QHBoxLayout;
    adet = new QuantityBox(this);
    adet->setObjectName(QStringLiteral("adet"));
    auto* up = new QToolButton(this);
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton(this);
    down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up, down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(up, &QToolButton::clicked, this, [this] { adet->step(1); });
    connect(down, &QToolButton::clicked, this, [this] { adet->step(-1); });
    quantityRow->addWidget(adet, 1);
    quantityRow->addWidget(up);
    quantityRow->addWidget(down);
    form->addRow(QStringLiteral("Adet:"), quantityRow);

    auto amountBox = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setReadOnly(true);
        e->installEventFilter(this);
        return e;
    };
    birimfiyat = amountBox("birimfiyat");
    birimfiyat->setReadOnly(!values.priceEditable);
    indtutar = amountBox("indtutar");
    kdvdahiltutar = amountBox("kdvdahiltutar");
    geneltutar = amountBox("geneltutar");
    Label2 = new QLabel(values.priceLabel, this);
    indirimoran = new QLabel(values.discountLabel, this);
    form->addRow(Label2, birimfiyat);
    form->addRow(indirimoran, indtutar);
    form->addRow(QStringLiteral("KDV Dahil:"), kdvdahiltutar);
    auto* totalCaption = new QLabel(QStringLiteral("Tutar:"), this);
    QFont bold = totalCaption->font();
    bold.setBold(true);
    totalCaption->setFont(bold);
    geneltutar->setFont(bold);
    form->addRow(totalCaption, geneltutar);
    middle->addLayout(form, 1);
    layout->addLayout(middle);

    auto* buttons = new QHBoxLayout;
    Button1 = new QPushButton(vk::appIcon(vk::AppIcon::Basket), QStringLiteral("Sipariş ekle"), this);
    Button2 = new QPushButton(QStringLiteral("Vazgeç"), this);
    for (QPushButton* b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setMinimumSize(130, 36);
    }
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &Tstokayarinti::confirm);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    setAmount(birimfiyat, values.birimfiyat);
    setAmount(indtutar, values.indtutar);
    setAmount(kdvdahiltutar, values.kdvdahiltutar);
    adet->installEventFilter(this);
    connect(adet, &QuantityBox::quantityChanged, this, [this] {
        TutarHesapla();
        YenidenHesapla();
    });
    // The quantity comes last; a basket line's quantity other than 1 recomputes at once.
    {
        const QSignalBlocker block(adet);
        adet->setQuantity(values.quantity);
    }
    if (mode == DetailMode::BasketLine && clampQuantity(values.quantity) != 1) {
        TutarHesapla();
        YenidenHesapla();
    }
    adet->setFocus();
    adet->selectAll();
}

Tstokayarinti::~Tstokayarinti() = default;

void Tstokayarinti::setAmount(QLineEdit* box, double value) {
    box->setText(vk::formatFloat(kAmount, value, QLocale()));
}

double Tstokayarinti::amount(QLineEdit* box) const {
    QString t = box->text().trimmed();
    t.remove(QLocale().groupSeparator());
    bool ok = false;
    const double v = QLocale().toDouble(t, &ok);
    return ok ? v : 0.0;
}

void Tstokayarinti::TutarHesapla() {
    setAmount(geneltutar, tutarHesapla(wholeQuantity(adet->text()), m_values.kdvlifiyat));
}

void Tstokayarinti::YenidenHesapla() {
    const DetailAmounts a =
        yenidenHesapla(amount(birimfiyat), wholeQuantity(adet->text()), m_values.kdvoran,
                       m_values.ind1, m_values.ind2, m_values.ind3, m_values.ind4);
    setAmount(indtutar, a.indtutar);
    setAmount(kdvdahiltutar, a.kdvdahiltutar);
    setAmount(geneltutar, a.geneltutar);
}

bool Tstokayarinti::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == adet)
                confirm();
            return watched == adet || watched == birimfiyat || watched == indtutar ||
                   watched == kdvdahiltutar || watched == geneltutar;
        }
    } else if (event->type() == QEvent::KeyRelease && watched != adet) {
        YenidenHesapla();
    }
    return QDialog::eventFilter(watched, event);
}

bool Tstokayarinti::event(QEvent* e) {
    if (e->type() == QEvent::Show)
        TutarHesapla();
    if (e->type() == QEvent::Show || e->type() == QEvent::WindowActivate)
        ResimGoster();
    return QDialog::event(e);
}

void Tstokayarinti::ResimGoster() {
    // The picture over HTTP; a body under 1200 bytes means the part has none. An answer that
    // comes after the dialog closed goes nowhere (the task's context is the dialog).
    const QString url = PictureUrlPrefix + QString::number(m_values.stokno);
    vk::runTask(
        this, [url] { return vk::httpGet(url, 10000); },
        [this](const std::optional<QByteArray>& body) {
            if (!body || body->size() < 1200)
                return;
            QImage image;
            if (image.loadFromData(*body))
                setPicture(image);
        });
}

void Tstokayarinti::setPicture(const QImage& image) {
    if (image.isNull())
        return;
    QPixmap p = QPixmap::fromImage(image).scaled(resim->size() - QSize(4, 4), Qt::KeepAspectRatio,
                                                 Qt::SmoothTransformation);
    resim->setPixmap(p);
    m_hasPicture = true;
}

void Tstokayarinti::confirm() {
    adet->clamp();
    bool ok = false;
    const double quantity = QLocale().toDouble(adet->text().trimmed(), &ok);
    if (!ok) {
        vk::showGeneralError(QStringLiteral("'%1' geçerli bir miktar değil").arg(adet->text()));
        return;
    }
    try {
        if (onConfirm)
            onConfirm(clampQuantity(quantity), amount(birimfiyat));
    } catch (const vk::Error& e) {
        vk::showGeneralError(e.text());
        return;
    }
    accept();
}

namespace {

void openDialog(DetailContext& ctx, DetailMode mode, const vk::MemTable& source,
                std::function<void(double, double)> confirm) {
    const DetailValues v = detailValues(mode, source, vk::UserType(ctx.sbilgi->MusteriTipi()));
    const QImage fromServer = v.pictureFromServer ? StokResmiGetir(ctx, v.stokno) : QImage();
    Tstokayarinti dialog(mode, v, ctx.owner);
    dialog.setPicture(fromServer);
    dialog.onConfirm = std::move(confirm);
    dialog.exec();
}

std::unique_ptr<TSonucBilgisi> copyOf(const TSonucBilgisi& r) {
    auto c = std::make_unique<TSonucBilgisi>();
    c->Kopyala(r);
    return c;
}

} // namespace

void SepetSatiriAc(DetailContext& ctx, vk::MemTable& sepet, int sirano) {
    if (!sepet.Locate(u"SIRANO", sirano))
        return;
    openDialog(ctx, DetailMode::BasketLine, sepet, [&ctx, &sepet, sirano](double q, double price) {
        SepetSatiriGuncelle(ctx, sepet, sirano, q, price);
    });
}

void StokSatiriAc(DetailContext& ctx, vk::MemTable& stok, int) {
    openDialog(ctx, DetailMode::StockList, stok,
               [&ctx, &stok](double q, double) { SepeteStokEkle(ctx, stok, q); });
}

void YeniStokAc(DetailContext& ctx, vk::MemTable& yeniler, int) {
    openDialog(ctx, DetailMode::NewStock, yeniler,
               [&ctx, &yeniler](double q, double) { SepeteStokEkle(ctx, yeniler, q); });
}

void KampanyaliStokAc(DetailContext& ctx, vk::MemTable& kampstok, int) {
    openDialog(ctx, DetailMode::Campaign, kampstok,
               [&ctx, &kampstok](double q, double) { SepeteStokEkle(ctx, kampstok, q); });
}

bool SepeteStokEkle(DetailContext& ctx, const vk::MemTable& source, double quantity) {
    auto copy = copyOf(*ctx.sbilgi);
    if (!EnsureConnected(*ctx.bagc, 1))
        return false;
    qint32 result = 0;
    {
        CloseAfter close{ctx.bagc};
        TServerMethods1Client proxy(ctx.bagc);
        // The price and the rates are always the row's: a price typed into the dialog only
        // changes what the dialog shows.
        result = proxy.SepetEkle2(std::move(copy), ctx.sbilgi->CARINO(),
                                  int(number(source, "STOK_STOKNO")), text(source, "BARKOD"),
                                  text(source, "ADI"), quantity, std::trunc(number(source, "KDV")),
                                  number(source, "FIYAT"), number(source, "IND1"),
                                  ctx.sbilgi->Sirano(), int(number(source, "K")),
                                  number(source, "IND2"), number(source, "IND3"),
                                  number(source, "IND4"));
    }
    if (result == 1 && ctx.SepetiYenile)
        ctx.SepetiYenile();
    return result == 1;
}

bool SepetSatiriGuncelle(DetailContext& ctx, const vk::MemTable& sepet, int lineNo, double quantity,
                         double unitPrice) {
    auto copy = copyOf(*ctx.sbilgi);
    if (!EnsureConnected(*ctx.bagc, 1))
        return false;
    qint32 result = 0;
    {
        CloseAfter close{ctx.bagc};
        TServerMethods1Client proxy(ctx.bagc);
        result = proxy.SepetGuncelle2(
            std::move(copy), ctx.sbilgi->CARINO(), 0, text(sepet, "BARKOD"), text(sepet, "STOKADI"),
            quantity, std::trunc(number(sepet, "KDV")), unitPrice, number(sepet, "INDIRIMORANI1"),
            ctx.sbilgi->Sirano(), lineNo, number(sepet, "INDIRIMORANI2"),
            number(sepet, "INDIRIMORANI3"), number(sepet, "INDIRIMORANI4"));
    }
    if (result == 1 && ctx.SepetiYenile)
        ctx.SepetiYenile();
    return result == 1;
}

QImage StokResmiGetir(DetailContext& ctx, int stokno) {
    if (!EnsureConnected(*ctx.bagc, 1))
        return {};
    CloseAfter close{ctx.bagc};
    try {
        TServerMethods1Client proxy(ctx.bagc);
        qint64 boy = 0;
        vk::ByteStream* stream = proxy.ResimVer5(stokno, boy);
        const std::optional<QByteArray> bytes = vk::readStreamBytes(stream, boy);
        if (!bytes)
            return {};
        return QImage::fromData(*bytes, "JPEG");
    } catch (const vk::Error& e) {
        vk::showPlainMessage(kindOf(e) + QStringLiteral(": ") + e.text());
        return {};
    }
}
