#include "app/application.h"

#include "common/errors.h"
#include "common/utils.h"

namespace vk {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

void showGeneralError(const QString& text) {
    ShowDialog(text, DialogKind::Error, DialogButton::OK, DialogButton::OK);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const vk::Error& e) {
        showGeneralError(e.text());
    } catch (const std::exception& e) {
        showGeneralError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace vk
