#include "copy/Kopiadokasy.h"

#include <QListWidget>
#include <QPushButton>

#include "common/prompts.h"
#include "copy/registercopy.h"
#include "link/registerlink.h"

namespace {

// The editor of each entry, in the list's order.
const char* const kEditors[kImageEntries] = {
    "TProgramowanieTowarow",       "TProgramowanieRabatow",          "TProgramowanieKasjerow",
    "TProgramowanieFormPlatnosci", "TProgramowanieWalutObcych",      "TProgramowanieStawekPTU",
    "TProgramowanieOpakowan",      "TProgramowanieGrupTowarowych",   "TProgramowanieKlawiszySzybkich",
    "TProgramowanieZestawuRaportow"};

}  // namespace

TKopiaDoKasy::TKopiaDoKasy(Services& services, QWidget* parent)
    : TTableCopyForm(services, {"TKopiaDoKasy", QStringLiteral("Kopiowanie bazy danych do kasy"), ImageEntryNames()},
                     parent) {
    Unoffered(int(ImageEntry::ReportSet), QStringLiteral("Zestaw raportów nie jest wysyłany do kasy"));
    connect(CheckListBox1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { OpenEditor(CheckListBox1->row(item)); });
}

void TKopiaDoKasy::OpenEditor(int entry) {
    if (entry < 0 || entry >= kImageEntries || TransferRunning() || !openEditor) return;
    openEditor(QString::fromLatin1(kEditors[entry]));
}

void TKopiaDoKasy::Button1Click() {
    const QList<bool> ticks = Ticks();
    if (TransferRunning()) return;
    ResetProgress();
    TransferRun run(this, Button2, Panel1);
    CopyProgress last{0, 0, {}};
    const ToRegisterOutcome out = CopyImageToRegister(s_.link, s_.image, ticks, [&](const CopyProgress& p) {
        last = p;
        run.Progress([&] { ShowProgress(p); });  // the count moves on screen and "Anuluj" can be pressed
    });
    ShowProgress(last);  // the final count
    run.Done();
    if (out.failed)
        s_.prompts.Message(QStringLiteral("Wystąpił błąd transmisji."));
    else if (out.cancelled)
        s_.prompts.Message(QStringLiteral("Komunikacja przerwana przez użytkownika."));
    // Records the register refused went by unseen; the user learns how many.
    if (out.refused > 0)
        s_.prompts.Message(QStringLiteral("Kasa nie przyjęła %1 z %2 wysłanych rekordów.").arg(out.refused).arg(out.sent));
}
