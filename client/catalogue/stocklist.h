#pragma once

// The stock list tab: the search box's folding and checks, the background search, the grid with
// its wide and narrow layouts and the price-information cell, and opening a row in the detail
// dialog.

#include "common/usertype.h"
#include "server/memtable.h"

#include <QObject>

class QAction;
class QMenu;
class TForm1;

namespace vk {
class DataGrid;
}

class StockListPage : public QObject {
    Q_OBJECT
public:
    explicit StockListPage(TForm1* form);
    ~StockListPage() override;

    vk::MemTable stok;
    vk::DataGrid* cxGrid1DBTableView1;
    QMenu* popstok;
    QAction* S2; // "Sepete Ekle"
    QAction* siparisBakiyeleri; // "Sipariş Bakiyeleriniz"
    QAction* S3; // "Siparişleri Göster"

    void applyUserType(const vk::UserType& type);
    void SpeedButton2Click(); // "Ara"
    void SpeedButton1Click(); // "Temizle"
    void search();            // Enter in the search box
    void S2Click();           // double-click or "Sepete Ekle"
    void StokKolonDuzenle();
    // Empties the list and puts the focus back in the search box (another dealer was chosen).
    void resetForNewCustomer();
    bool searching() const { return m_searching; }

signals:
    void searchFinished(bool succeeded);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StokListesiGetirDone(bool ok, vk::DataPacket packet);
    void setCaption(const QString& caption);
    void showTab();

    TForm1* m_form;
    vk::UserType m_userType{3};
    bool m_searching = false;
};
