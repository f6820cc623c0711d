#pragma once

// The main window: the header with the user, dealer and representative, the banner strip, the
// search bar, the nine tabs, the stock-state legend and the scrolling text at the bottom. Its
// creation logs in, adapts the window to the user type and starts the start-up load.

#include "common/usertype.h"
#include "server/baglantiu.h"
#include "server/connection.h"

#include <QMainWindow>

#include <functional>

class BasketPage;
class PaymentPage;
class StockListPage;
struct DetailContext;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace vk {
class BusyIndicator;
class Marquee;
class TabControl;
} // namespace vk

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1();
    ~TForm1() override;

    // The creation sequence: the login record, the connection, the login, the start-up load.
    // False when the program ended during it.
    bool FormCreate();
    bool GirisYap();
    void applyUserType(const vk::UserType& type);
    void AnaBilgiAl();
    void AcilisReklamGoster();
    void startStartupLoad();
    bool startupLoadRunning() const { return m_startupRunning; }

    // The tabs' own parts, and what they share through the main window.
    StockListPage* stockListPage() const { return m_stockList; }
    BasketPage* basketPage() const { return m_basket; }
    PaymentPage* paymentPage() const { return m_payment; }
    void SepetiYenile();
    DetailContext detailContext();

    TSonucBilgisi sbilgi;
    vk::ServerConnection bagc;
    int _acilisadet = 0;

    // Header.
    QLabel* kullanicilbl;
    QLabel* cariadilbl;
    QLabel* saticilbl;
    QLabel* GifResim1;       // the header banner
    QToolButton* menuButton; // the split button of the general menu
    QMenu* genelMenu;
    QAction* M1;            // "Mail Gönder"
    QAction* N4;            // "Şifre Değiştirme İsteği"
    QAction* webSiteItem;   // the distributor's web site
    QAction* G1;            // "Çıkış"
    QAction* R1;            // "Raporlar"
    QLabel* RxGIFAnimator2; // the banner strip, no height until a banner arrives

    // Search bar.
    QLineEdit* araedit;
    QToolButton* SpeedButton2; // "Ara"
    QToolButton* SpeedButton1; // "Temizle"
    QPushButton* musteritus;   // "Başka Cari Seç"
    vk::BusyIndicator* gifstokara;
    vk::BusyIndicator* gifyeniler;
    vk::BusyIndicator* gifkampanyali;
    vk::BusyIndicator* gifduyuru;
    vk::BusyIndicator* gifonceki;
    vk::BusyIndicator* gifekstre;

    // Tabs.
    vk::TabControl* sPageControl1;
    QWidget* sstoklistesi;
    QWidget* ssepet;
    QWidget* sonceki;
    QWidget* sccariekstre;
    QWidget* syeniler;
    QWidget* skampanyali;
    QWidget* sTabSheetduyuru;
    QWidget* sTabbakiyeler;
    QWidget* ss;

    // Bottom.
    QWidget* Panel5;
    QLabel* RealTimeMarquee1; // the picture ticker, hidden until a bottom banner arrives
    vk::Marquee* kayanyazi;

protected:
    void closeEvent(QCloseEvent* event) override; // FormCloseQuery

private:
    QWidget* buildHeader();
    QWidget* buildSearchBar();
    QWidget* buildLegend();
    QWidget* buildBottom();
    void buildTabs();
    void G1Click();
    void webSiteClick();
    // The start-up load's steps, run one after another off the UI thread.
    QList<std::function<void()>> startupSteps();
    void startupLoadFinished();

    bool m_startupRunning = false;
    StockListPage* m_stockList = nullptr;
    BasketPage* m_basket = nullptr;
    PaymentPage* m_payment = nullptr;
};
