#pragma once

// The program's icons, drawn by the program itself (crisp at every size, in the program's
// turquoise and grey), and the distributor's logo.

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace vk {

enum class AppIcon {
    StockList,      // "Stok Listesi"
    Basket,         // "Sepet"
    PreviousOrders, // "Önceki Siparişler"
    Statement,      // "Cari Ekstre"
    NewStock,       // "Yeni Stoklar"
    Campaign,       // "Kampanyalı Stoklar"
    Announcements,  // "Duyurular"
    Balances,       // "Bakiyeler"
    VirtualPos,     // "Sanal Pos"
    Search,         // "Ara"
    Clear,          // "Temizle"
    Customer,       // "Başka Cari Seç"
    Menu,           // the header's menu button
    Picture,        // an article with a picture
    New,            // a new article ("Yeni" column)
    CampaignFlag,   // an article in a campaign ("Kampanyalı" column)
    NoFlag,         // the plain icon of a column whose value is 0
    Excel,          // "Excel Kaydet"
    Send,           // "Gönder"
    Close,          // "Kapat"
    Mail,           // "Mail Gönder"
    Key,            // "Şifre Değiştirme İsteği"
    Web,            // the distributor's web site
    Exit,           // "Çıkış"
    Reports,        // "Raporlar"
    User,           // the login window's user name
    Lock,           // the login window's password
};

QIcon appIcon(AppIcon icon);

// The stock-state icon of a DURUM code: 0 "Yok", 1 "Var", 2 "Telefon Açınız", 3 "Yolda",
// 4 "Özel Sipariş", 5 "Tedarik Sürecinde", 6 "Azalıyor"; any other code has an icon of its own.
QIcon stockStateIcon(int durum);

// The distributor's logo: the turquoise mark and "VELKOR OTOMOTİV", fitted into size.
QPixmap logoPixmap(QSize size);

} // namespace vk
