#pragma once

// The stock detail dialog through which every basket addition and line change goes: the part's
// codes and picture, the quantity, the discount and the prices with and without VAT, recomputed
// as the quantity changes; confirming adds the part or changes the line on the server.

#include "catalogue/stockdetail.h"

#include <QDialog>
#include <QLineEdit>

#include <functional>

class QLabel;
class QPushButton;
class QToolButton;
class TSonucBilgisi;

namespace vk {
class MemTable;
class ServerConnection;
} // namespace vk

// The quantity box: whole numbers 1 to 10000 with up and down arrows; it takes typed digits,
// signs and the decimal separator, and brings a value outside the range back when it loses the
// focus.
class QuantityBox : public QLineEdit {
    Q_OBJECT
public:
    explicit QuantityBox(QWidget* parent = nullptr);
    void setQuantity(double quantity); // brought into the range
    void step(int by);
    void clamp();

signals:
    void quantityChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

class Tstokayarinti : public QDialog {
    Q_OBJECT
public:
    Tstokayarinti(DetailMode mode, const DetailValues& values, QWidget* owner = nullptr);
    ~Tstokayarinti() override;

    QLabel* barkod;
    QLabel* adi;
    QLabel* finishkod;
    QLabel* marka;
    QLabel* model;
    QLabel* resim;
    QuantityBox* adet;
    QLabel* Label2;        // "Fiyat:" / "Kampanyalı Fiyat:"
    QLineEdit* birimfiyat;
    QLabel* indirimoran;   // the discount text
    QLineEdit* indtutar;
    QLineEdit* kdvdahiltutar;
    QLineEdit* geneltutar;
    QPushButton* Button1;  // "Sipariş ekle"
    QPushButton* Button2;  // "Vazgeç"

    DetailMode mode() const { return m_mode; }
    const DetailValues& values() const { return m_values; }
    double amount(QLineEdit* box) const; // an amount box's value (0 when unreadable)

    // Confirming hands the quantity (as typed, brought into range) and the unit price shown to
    // this; an error it raises is shown and the dialog stays open.
    std::function<void(double quantity, double unitPrice)> onConfirm;

    void TutarHesapla();
    void YenidenHesapla();
    void setPicture(const QImage& image);
    bool hasPicture() const { return m_hasPicture; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* e) override;

private:
    void confirm();
    void ResimGoster();
    void setAmount(QLineEdit* box, double value);

    DetailMode m_mode;
    DetailValues m_values;
    bool m_hasPicture = false;
};

// What the openers need of the main window.
struct DetailContext {
    vk::ServerConnection* bagc = nullptr;
    TSonucBilgisi* sbilgi = nullptr;
    std::function<void()> SepetiYenile;
    QWidget* owner = nullptr;
};

// The openers: each fills the dialog from the current row of its table (positioned by the
// caller), shows it modally and sends the change on confirmation.
void SepetSatiriAc(DetailContext& ctx, vk::MemTable& sepet, int sirano);
void StokSatiriAc(DetailContext& ctx, vk::MemTable& stok, int stokno);
void YeniStokAc(DetailContext& ctx, vk::MemTable& yeniler, int stokno);
void KampanyaliStokAc(DetailContext& ctx, vk::MemTable& kampstok, int stokno);

// The two changes; each reloads the basket on success (the server answered 1).
bool SepeteStokEkle(DetailContext& ctx, const vk::MemTable& source, double quantity);
bool SepetSatiriGuncelle(DetailContext& ctx, const vk::MemTable& sepet, int lineNo, double quantity,
                         double unitPrice);
// The picture through the server (new-stocks and campaign modes); a null image when none.
QImage StokResmiGetir(DetailContext& ctx, int stokno);
