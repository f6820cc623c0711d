#pragma once

// The program's application object: the general error display — a failure that no screen
// handles ends the user's action and is shown with its own text; the program keeps running.

#include <QApplication>

namespace vk {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows a failure's text as an error dialog.
void showGeneralError(const QString& text);

} // namespace vk
