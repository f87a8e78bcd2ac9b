#include "copy/Zrzutpamieci.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/clock.h"
#include "common/prompts.h"
#include "copy/cachedump.h"
#include "link/registerlink.h"

TKopiaPamieciPodrecznej::TKopiaPamieciPodrecznej(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TKopiaPamieciPodrecznej"));
    setWindowTitle(QStringLiteral("Zrzut pamięci podręcznej"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(QStringLiteral("Zrzut pamięci podręcznej")));
    auto* buttons = new QHBoxLayout;
    Button1 = Named(new QPushButton(QStringLiteral("Wykonaj zrzut pamięci podręcznej"), this), "Button1");
    Button2 = Named(new QPushButton(QStringLiteral("Anuluj"), this), "Button2");
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    outer->addLayout(buttons);
    Panel2 = WaitPanel("Panel2", QStringLiteral("Trwa kopiowanie pamięci podręcznej..."));
    auto* count = new QHBoxLayout;
    Label2 = Named(new QLabel(QStringLiteral("0"), Panel2), "Label2");
    auto* caption = new QLabel(QStringLiteral("Odebrane pakiety danych:"), Panel2);
    caption->setBuddy(Label2);
    count->addWidget(caption);
    count->addWidget(Label2);
    count->addWidget(new QLabel(QStringLiteral("/ 8192"), Panel2));
    static_cast<QVBoxLayout*>(Panel2->layout())->addLayout(count);
    Panel2->setFixedSize(320, 80);
    setMinimumSize(360, 140);
    connect(Button1, &QPushButton::clicked, this, &TKopiaPamieciPodrecznej::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::close);
}

void TKopiaPamieciPodrecznej::Button1Click() {
    if (TransferRunning()) return;
    Label2->setText(QStringLiteral("0"));
    TransferRun run(this, nullptr, Panel2);
    const CacheDumpOutcome out =
        DumpCacheMemory(s_.link, QStringLiteral("Kopia_cache.bin"), s_.clock.Now(), [&](int packets) {
            Label2->setText(QString::number(packets));
            if (packets % 64 == 0) run.Progress();  // the count moves on screen
        });
    run.Done();
    if (out.complete && out.written)
        s_.prompts.Message(QStringLiteral("Pamięć podręczna zapisana do pliku 'Kopia_cache.bin'."));
    else if (!out.written)
        s_.prompts.Message(QStringLiteral("Nie mogę zapisać do pliku Kopia_cache.bin."));
    else
        s_.prompts.Message(QStringLiteral("Błąd transmisji"));
}
