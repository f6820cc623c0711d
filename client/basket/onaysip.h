#pragma once

// "Sipariş Onay": the order summary in a fixed-pitch font and the question whether to send it.

#include <QDialog>

class QLabel;
class QPushButton;

class TONAYSIP : public QDialog {
    Q_OBJECT
public:
    explicit TONAYSIP(QWidget* parent = nullptr);

    QLabel* Label2;       // the summary
    QPushButton* Evet;    // accepts
    QPushButton* Hayir;   // rejects
};
