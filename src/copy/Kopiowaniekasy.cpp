#include "copy/Kopiowaniekasy.h"

#include <QFrame>
#include <QPushButton>

#include "common/appstate.h"
#include "common/clock.h"
#include "common/prompts.h"
#include "copy/registercopy.h"
#include "image/imagestore.h"
#include "link/registerlink.h"
#include "shell/databasedocument.h"

TKopiowanieKasy::TKopiowanieKasy(Services& services, QWidget* parent)
    : TTableCopyForm(services,
                     {"TKopiowanieKasy", QStringLiteral("Kopiowanie danych z kasy do komputera"), RegisterEntryNames()},
                     parent) {}

void TKopiowanieKasy::Button1Click() {
    QList<bool> ticks = Ticks();
    // Checked before anything is dropped: the open database stays when the user
    // only has to tick more tables.
    if (GoodsLackTheirTables(ticks)) {
        s_.prompts.Message(
            QStringLiteral("Baza towarów jest powiązana z bazą stawek PTU, opakowań oraz grup towarowych."));
        TickGoodsTables(ticks);
        SetTicks(ticks);
        return;
    }
    if (!ticks.contains(true)) return;
    TransferRun run(this, Button2);
    if (!run) return;
    if (s_.app.DatabaseLoaded()) {
        const PromptAnswer a = s_.prompts.Ask(
            QStringLiteral("Aktualnie edytowana baza zostanie utracona. Czy chcesz zapisać zmiany w aktualnie "
                           "edytowanej bazie?"),
            PromptButtons::YesNoCancel, PromptIcon::Warning);
        if (a == PromptAnswer::Cancel) return;
        // A save that did not happen leaves the database in place.
        if (a == PromptAnswer::Yes && !(saveDatabase && saveDatabase())) return;
    }
    const QString name = QStringLiteral("Kopia kasy ") + s_.clock.Now().date().toString(QStringLiteral("yyyy-MM-dd"));
    if (!DatabaseDocument(s_).CreateNew(name, s_.app.recordCurrencySymbol)) return;

    ResetProgress();
    run.ShowPanel(Panel1);
    CopyProgress last{0, 0, {}};
    const FromRegisterOutcome out = CopyRegisterToImage(s_.link, s_.image, ticks, [&](const CopyProgress& p) {
        last = p;
        run.Progress([&] { ShowProgress(p); });  // the count moves on screen and "Anuluj" can be pressed
    });
    ShowProgress(last);  // the final count
    run.Done();
    if (!out.units.isEmpty()) s_.app.goodsUnits = out.units;
    s_.prompts.Message(out.Summary());
    if (!out.failed && !out.cancelled) accept();
}
