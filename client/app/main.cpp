// velkor-b2b: the dealer ordering client.

#include "app/application.h"
#include "app/unit1.h"
#include "app/visualstyle.h"

#include "common/messagedialog.h"
#include "widgets/appicons.h"

#include <QLocale>
#include <QScreen>

int main(int argc, char** argv) {
    vk::Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Velkor Otomotiv Parts B2B"));
    QGuiApplication::setWindowIcon(vk::appIcon(vk::AppIcon::Basket));
    vk::applyVisualStyle(app);
    // Amounts and dates follow the workstation's locale; a machine without one (the C locale of
    // servers and virtual displays) gets the Turkish formats the dealers know.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    QFont messageFont = QApplication::font();
    messageFont.setPointSize(15);
    vk::installMessageDialogs().setMessageFont(messageFont);

    TForm1 window;
    if (!window.FormCreate())
        return 0;
    // Without a window manager (a virtual display) maximizing does nothing: fill the screen.
    window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();
    return app.exec();
}
