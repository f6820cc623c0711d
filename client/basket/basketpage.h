#pragma once

// The basket tab: the server's basket in a grid with its selection flags, the totals of the
// selected lines, line changes and deletions, the overdue-payment warning, and sending the
// selected lines as an order with its delivery, cargo type, cargo firm and note.

#include "basket/baskettotals.h"
#include "common/usertype.h"
#include "server/memtable.h"

#include <QObject>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QWidget;
class TForm1;

namespace vk {
class DataGrid;
class RadioGroup;
} // namespace vk

class BasketPage : public QObject {
    Q_OBJECT
public:
    explicit BasketPage(TForm1* form);
    ~BasketPage() override;

    vk::MemTable sepet;
    vk::DataGrid* cxGridDBTableView1;
    QPushButton* Button4; // "Hepsini Seç"
    QPushButton* Button5; // "Seçimleri Kaldır"
    QLabel* lbluyarbakiye;
    QWidget* bottomPanel;
    vk::RadioGroup* teslimbox; // "Teslim Durumu"
    vk::RadioGroup* boxkargo;  // "Kargo Türleri"
    QGroupBox* kargoBox;       // "Kargo"
    QComboBox* kargocombo;     // a blank entry, then the firms of the chosen type
    QLabel* uyarikargo;        // the chosen firm's warning
    QGroupBox* mesajBox;       // the note and the totals
    QPlainTextEdit* aciklamagir;
    vk::MemTable kargo;        // the firms of the chosen cargo type
    QLabel* aratoplaml;
    QLabel* indiriml;
    QLabel* nettutarl;
    QLabel* vergil;
    QLabel* geneltoplaml;
    QPushButton* Button1; // "Gönder"
    QPushButton* Button2; // "Excel Kaydet"
    QMenu* popup;
    QAction* Deitir1;     // "Satır Değiştir"
    QAction* SatrSil1;    // "Satır Sil"
    QAction* HepsiniSil1; // "Hepsini Sil"

    void applyUserType(const vk::UserType& type);

    void ssepetShow();
    void SepetiYenile();
    BasketTotals SepetToplamHesapla();
    bool SepetSecimYaz(int sirano, int secim);
    void SepetKolonGenislikAyarla();
    void CariBakiyeUyariBak();

    void TeslimKargoDoldur();
    void KargoFirmalariDoldur(int kargoTuru);
    bool SiparisGonder(int kargoFirma, int kargoTuru, int teslim);
    void boxkargoClick();
    void kargocomboChange();
    void Button1Click();
    void Button2Click();

    void Button4Click() { setAllSelections(1); }
    void Button5Click() { setAllSelections(0); }
    void Deitir1Click();
    void SatrSil1Click();
    void HepsiniSil1Click();

    bool warningRunning() const { return m_warnings > 0; }

private:
    void setAllSelections(int value);
    void setCaption(int lines);
    QWidget* buildTotals();

    TForm1* m_form;
    QLabel* m_indirimCaption = nullptr;
    QLabel* m_vergiCaption = nullptr;
    int m_warnings = 0;
};
