#pragma once

// The request-form window: the distributor's request page for a workstation that is not
// registered yet, inside the program when it has a browser engine, otherwise in the system's
// browser with this window telling so.

#include <QDialog>

class QLabel;
class QPushButton;

class Tformistekyeni : public QDialog {
    Q_OBJECT
public:
    explicit Tformistekyeni(QWidget* opener = nullptr);

    void navigate(const QString& address);
    QString address() const { return m_address; }
    bool embedded() const { return m_embedded; }

    QPushButton* Button1; // "Kapat"

private:
    void Button1Click();

    QWidget* m_browser = nullptr;
    QLabel* m_notice = nullptr;
    QString m_address;
    bool m_embedded = false;
};
