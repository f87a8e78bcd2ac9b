#include "link/Czekajrs.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/prompts.h"
#include "link/registerlink.h"

TCzekajNaRS::TCzekajNaRS(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TCzekajNaRS"));
    setWindowTitle(QStringLiteral("Oczekiwanie na odpowiedź"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Named(new QLabel(QStringLiteral("Kasa niegotowa."), this), "Label1"));
    layout->addWidget(Named(new QLabel(QStringLiteral("Czekam na jej gotowość ..."), this), "Label2"));
    ProgressBar1 = Named(new QProgressBar(this), "ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    layout->addWidget(ProgressBar1);
    Button1 = Named(new QPushButton(QStringLiteral("&Przerwij"), this), "Button1");
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &TCzekajNaRS::Timer1Timer);
    connect(Button1, &QPushButton::clicked, this, &TCzekajNaRS::Button1Click);
    setFixedWidth(320);
}

void TCzekajNaRS::FormShow() {
    up_ = true;
    ProgressBar1->setValue(0);
    Timer1->start();
}

void TCzekajNaRS::Timer1Timer() {
    if (ProgressBar1->value() >= 100) up_ = false;
    if (ProgressBar1->value() <= 0) up_ = true;
    ProgressBar1->setValue(ProgressBar1->value() + (up_ ? 2 : -2));
    if (s_.link.LineState() == 0) accept();
}

void TCzekajNaRS::Button1Click() { reject(); }

bool TCzekajNaRS::FormKeyDown(int key) {
    if (key != Qt::Key_Escape) return false;
    Timer1->stop();
    const PromptAnswer a = s_.prompts.Ask(QStringLiteral("Czy przerwać oczekiwanie?"), PromptButtons::YesNo,
                                          PromptIcon::Warning);
    if (a == PromptAnswer::Yes) {
        reject();
        return true;
    }
    Timer1->start();
    return true;
}

void TCzekajNaRS::closeEvent(QCloseEvent* event) {
    Timer1->stop();
    TForm::closeEvent(event);
}

void TCzekajNaRS::done(int result) {
    Timer1->stop();
    TForm::done(result);
}
