#include "shell/Uruchamianie.h"

#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "shell/Artwork.h"

TUruchamianie::TUruchamianie()
    : QWidget(nullptr, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("TUruchamianie"));
    setWindowTitle(QStringLiteral("Trwa uruchamianie programu..."));
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    auto* logo = new QLabel(this);
    logo->setPixmap(LogoPixmap(80));
    layout->addWidget(logo, 0, Qt::AlignHCenter);
    Label1 = new QLabel(QStringLiteral("Trwa uruchamianie programu..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(16);
    f.setBold(true);
    Label1->setFont(f);
    layout->addWidget(Label1, 0, Qt::AlignHCenter);
    setStyleSheet(QStringLiteral("TUruchamianie { border: 1px solid #1F3A68; }"));
    adjustSize();
    if (QScreen* s = screen()) move(s->geometry().center() - rect().center());
}
