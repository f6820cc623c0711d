#include "basket/onaysip.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

TONAYSIP::TONAYSIP(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ONAYSIP"));
    setWindowTitle(QStringLiteral("Sipariş Onay"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(527, 334);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* inner = new QVBoxLayout(frame);
    inner->setContentsMargins(0, 0, 0, 0);
    // A long note scrolls inside the fixed window instead of pushing the buttons away.
    auto* scroll = new QScrollArea(frame);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    Label2 = new QLabel(scroll);
    Label2->setWordWrap(true);
    Label2->setMargin(6);
    scroll->setWidget(Label2);
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFamilies({QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono")});
    fixed.setFixedPitch(true);
    fixed.setBold(true);
    fixed.setPixelSize(16);
    Label2->setFont(fixed);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->setTextFormat(Qt::PlainText);
    Label2->setTextInteractionFlags(Qt::TextSelectableByMouse);
    inner->addWidget(scroll, 1);
    layout->addWidget(frame, 1);

    auto* question =
        new QLabel(QStringLiteral("Yukarıda bilgileri verilen siparişi onaylıyor musunuz ?"), this);
    QFont q;
    q.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    q.setBold(true);
    q.setPixelSize(20);
    question->setFont(q);
    question->setWordWrap(true);
    question->setAlignment(Qt::AlignCenter);
    layout->addWidget(question);

    auto* buttons = new QHBoxLayout;
    Evet = new QPushButton(QStringLiteral("Evet"), this);
    Hayir = new QPushButton(QStringLiteral("Hayır"), this);
    buttons->addWidget(Evet);
    buttons->addStretch(1);
    buttons->addWidget(Hayir);
    layout->addLayout(buttons);
    connect(Evet, &QPushButton::clicked, this, &QDialog::accept);
    connect(Hayir, &QPushButton::clicked, this, &QDialog::reject);
    Evet->setDefault(true);
}
