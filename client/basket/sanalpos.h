#pragma once

// The tab "Sanal Pos": the distributor's card-payment page for the customer's current balance,
// in the embedded browser when the program has one, else in an installed Chromium or Chrome.

#include <QObject>
#include <QString>

class QUrl;
class QWidget;
class TForm1;

// The one argument the external browser gets: the page address with every escape kept.
QString externalPaymentArgument(const QUrl& address);

class PaymentPage : public QObject {
    Q_OBJECT
public:
    explicit PaymentPage(TForm1* form);

    QWidget* sitem = nullptr; // the embedded browser; none without one

    QString CariDurumAl(); // the balance text; empty on any failure
    void ssShow();

private:
    TForm1* m_form;
};
