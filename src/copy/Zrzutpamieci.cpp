#include "copy/Zrzutpamieci.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/clock.h"
#include "common/files.h"
#include "common/prompts.h"
#include "copy/cachedump.h"
#include "link/registererrors.h"
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
    ProgressBar1 = Named(new QProgressBar(Panel2), "ProgressBar1");
    ProgressBar1->setRange(0, kCachePackets);
    ProgressBar1->setAccessibleName(QStringLiteral("Odebrane pakiety danych"));
    Panel2->layout()->addWidget(ProgressBar1);
    Panel2->setFixedSize(340, 110);
    setMinimumSize(380, 170);
    connect(Button1, &QPushButton::clicked, this, &TKopiaPamieciPodrecznej::Button1Click);
    // While the dump runs "Anuluj" stops it; otherwise it closes the window.
    connect(Button2, &QPushButton::clicked, this, [this] {
        if (TransferRunning()) s_.link.RequestCancel();
        else close();
    });
}

bool TKopiaPamieciPodrecznej::FormKeyDown(int key) {
    if (key == Qt::Key_Escape && TransferRunning()) {
        s_.link.RequestCancel();
        return true;
    }
    return TForm::FormKeyDown(key);
}

void TKopiaPamieciPodrecznej::Button1Click() {
    if (TransferRunning()) return;
    // The file is the user's choice: Kopia_cache.bin beside the last dump at first.
    FileDialogSpec request;
    request.title = QStringLiteral("Zapisz zrzut pamięci podręcznej");
    request.filter = QStringLiteral("Zrzut pamięci (*.bin)|*.bin");
    request.defaultExtension = QStringLiteral("bin");
    request.fileName = lastPath_.isEmpty() ? QDir::current().filePath(QStringLiteral("Kopia_cache.bin")) : lastPath_;
    const QString path = s_.prompts.SaveFileName(request);
    if (path.isEmpty()) return;
    if (!ReplaceConfirmed(s_.prompts, path)) return;
    lastPath_ = path;
    const QString name = QFileInfo(path).fileName();
    Label2->setText(QStringLiteral("0"));
    ProgressBar1->setValue(0);
    CacheDumpOutcome out;
    {
        TransferRun run(this, Button2, Panel2);
        out = DumpCacheMemory(s_.link, path, s_.clock.Now(), [&](int packets) {
            run.Progress([&] {  // the count moves on screen and "Anuluj" can be pressed
                Label2->setText(QString::number(packets));
                ProgressBar1->setValue(packets);
            });
        });
    }
    Label2->setText(QString::number(out.packets));
    ProgressBar1->setValue(out.packets);
    // One message says how the dump ended.
    const QString skipped =
        out.damaged > 0 ? QStringLiteral("\nUszkodzone pakiety zapisane jako zera: %1.").arg(out.damaged) : QString();
    if (out.cancelled)
        s_.prompts.Message(QStringLiteral("Zrzut przerwany przez użytkownika. Plik ") + name +
                           QStringLiteral(" nie został zmieniony."));
    else if (!out.written)
        s_.prompts.Message(QStringLiteral("Nie mogę zapisać do pliku ") + path + QStringLiteral("."));
    else if (out.complete)
        s_.prompts.Message(QStringLiteral("Pamięć podręczna zapisana do pliku '") + name + QStringLiteral("'.") + skipped);
    else if (out.errorCode)
        s_.prompts.Message(RegisterErrorMessage(out.errorCode));
    else if (!s_.link.Lost())  // a lost port has told the user already
        s_.prompts.Message(QStringLiteral("Błąd transmisji. Zapisano %1 z %2 pakietów.").arg(out.packets).arg(kCachePackets) +
                           skipped);
}
