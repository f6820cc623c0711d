// velkor-b2b: the dealer ordering client.

#include "app/application.h"
#include "app/unit1.h"
#include "app/visualstyle.h"

#include "common/messagedialog.h"
#include "widgets/appicons.h"

#include <QScreen>

int main(int argc, char** argv) {
    vk::Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Velkor Otomotiv Parts B2B"));
    QGuiApplication::setWindowIcon(vk::appIcon(vk::AppIcon::Basket));
    vk::applyVisualStyle(app);
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
