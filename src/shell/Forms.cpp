#include "shell/Forms.h"

#include "common/Form.h"
#include "copy/Kopiadokasy.h"
#include "copy/Kopiowaniekasy.h"
#include "copy/Odczytkopii.h"
#include "copy/Zrzutpamieci.h"
#include "exchange/Eksportbazy.h"
#include "goods/Edycjatowaru.h"
#include "goods/Listatowarow.h"
#include "goods/Listatowarowtandem.h"
#include "goods/Programowanietowarow.h"
#include "keys/Edycjaklawiszyszybkich.h"
#include "keys/Klawiszefunkcyjne.h"
#include "keys/Klawiszeszybkie.h"
#include "keys/Klawiszeszybkiesprzedazy.h"
#include "link/Czekajrs.h"
#include "link/Podgladbufora.h"
#include "link/Ustawieniatransmisji.h"
#include "link/Wyszukiwaniekasy.h"
#include "printing/Drukowaniekodowkreskowych.h"
#include "printing/Wydrukklawiatury.h"
#include "receipt/Edycjatekstuparagonu.h"
#include "receipt/Pobieranienaglowka.h"
#include "reports/Daneinformacyjne.h"
#include "reports/Dodatkoweustawienia.h"
#include "reports/Obrotgrup.h"
#include "reports/Raportobrotugrup.h"
#include "reports/Sciaganiesprzedazy.h"
#include "history/Historiasprzedazy.h"
#include "link/Dziennik.h"
#include "sync/Synchklawiszy.h"
#include "service/Programowanienowegopakietu.h"
#include "reports/Wykonywanieraportu.h"
#include "reports/reports.h"
#include "reports/Zestawraportow.h"
#include "shell/Nowabaza.h"
#include "shell/Oprogramie.h"
#include "shell/Pomoc.h"
#include "sync/Synchformplatnosci.h"
#include "sync/Synchgrup.h"
#include "sync/Synchkasjerow.h"
#include "sync/Synchopakowan.h"
#include "sync/Synchrabatow.h"
#include "sync/Synchtow.h"
#include "sync/Synchwalut.h"
#include "tables/Jednostkitowarowe.h"
#include "tables/Programowanieformplatnosci.h"
#include "tables/Programowaniegrup.h"
#include "tables/Programowaniekasjerow.h"
#include "tables/Programowanienip.h"
#include "tables/Programowanieopakowan.h"
#include "tables/Programowanierabatow.h"
#include "tables/Programowaniestawekptu.h"
#include "tables/Programowanietablicyhalo.h"
#include "tables/Programowaniewalutobcych.h"
#include "tables/Programowaniewalutyewidencyjnej.h"
#include "tables/Programowaniezegara.h"

void FormRegistry::Add(const QString& className, Factory make) {
    if (!names_.contains(className)) names_.append(className);
    factories_.insert(className, std::move(make));
}

void FormRegistry::Add(TForm* form) {
    const QString name = form->objectName();
    if (!names_.contains(name)) names_.append(name);
    made_.insert(name, form);
}

TForm* FormRegistry::Find(const QString& className) {
    if (TForm* form = made_.value(className)) return form;
    const auto it = factories_.constFind(className);
    if (it == factories_.constEnd()) return nullptr;
    const Factory make = it.value();
    TForm* form = make();
    if (form && !made_.contains(className)) made_.insert(className, form);
    form = made_.value(className);
    if (form && hooks_.contains(className)) hooks_.take(className)(form);
    return form;
}

void FormRegistry::WhenMade(const QString& className, std::function<void(TForm*)> hook) {
    if (TForm* form = made_.value(className)) return hook(form);
    hooks_.insert(className, std::move(hook));
}

QList<TForm*> FormRegistry::Made() const {
    QList<TForm*> out;
    for (const QString& name : names_)
        if (TForm* form = made_.value(name)) out << form;
    return out;
}

QList<TForm*> FormRegistry::Order() {
    QList<TForm*> out;
    for (const QString& name : names_)
        if (TForm* form = Find(name)) out << form;
    return out;
}

void CreateForms(Services& s, FormRegistry& forms, QWidget* main) {
    // The program's order; a window that needs another asks the registry for it.
    auto add = [&forms](const char* name, FormRegistry::Factory make) { forms.Add(QLatin1String(name), std::move(make)); };
    // The goods editor and its edit dialog know each other: made together.
    add("TProgramowanieTowarow", [&s, &forms, main] {
        auto* goods = new TProgramowanieTowarow(s, main);
        forms.Add(goods);
        auto* edit = new TEdycjaTowaru(s, goods, main);
        goods->SetEditDialog(edit);
        forms.Add(edit);
        return goods;
    });
    add("TUstawieniaTrans", [&s, main] { return new TUstawieniaTrans(s, main); });
    add("TOProgramie", [&s, main] { return new TOProgramie(s, main); });
    add("TPomoc", [&s, main] { return new TPomoc(s, main); });
    add("TNowaBazaD", [&s, main] { return new TNowaBazaD(s, main); });
    add("TCzekajNaRS", [&s, main] { return new TCzekajNaRS(s, main); });
    add("TListaTowarow", [&s, main] { return new TListaTowarow(s, main); });
    add("TListaTowarowTandem", [&s, main] { return new TListaTowarowTandem(s, main); });
    add("TEdycjaTowaru", [&forms] {
        forms.Find(QStringLiteral("TProgramowanieTowarow"));
        return forms.Find(QStringLiteral("TEdycjaTowaru"));
    });
    add("TSynchronizacjaBazyTowarowej", [&s, &forms, main] {
        return new TSynchronizacjaBazyTowarowej(s, forms.Get<TEdycjaTowaru>(QStringLiteral("TEdycjaTowaru")), main);
    });
    add("TProgramowanieGrupTowarowych", [&s, main] { return new TProgramowanieGrupTowarowych(s, main); });
    add("TProgramowanieOpakowan", [&s, &forms, main] {
        return new TProgramowanieOpakowan(s, forms.Get<TListaTowarowTandem>(QStringLiteral("TListaTowarowTandem")), main);
    });
    add("TProgramowanieKasjerow", [&s, main] { return new TProgramowanieKasjerow(s, main); });
    add("TProgramowanieRabatow", [&s, main] { return new TProgramowanieRabatow(s, main); });
    add("TProgramowanieFormPlatnosci", [&s, main] { return new TProgramowanieFormPlatnosci(s, main); });
    add("TProgramowanieWalutObcych", [&s, main] { return new TProgramowanieWalutObcych(s, main); });
    add("TProgramowanieStawekPTU", [&s, main] { return new TProgramowanieStawekPTU(s, main); });
    add("TProgramowanieZegara", [&s, main] { return new TProgramowanieZegara(s, main); });
    add("TProgramowanieWalutyEwidencyjnej", [&s, main] { return new TProgramowanieWalutyEwidencyjnej(s, main); });
    add("TProgramowanieNIP", [&s, main] { return new TProgramowanieNIP(s, main); });
    add("TProgramowanieTablicyHalo", [&s, main] { return new TProgramowanieTablicyHalo(s, main); });
    add("TJednostkiTowarowe", [&s, main] { return new TJednostkiTowarowe(s, main); });
    add("TSynchronizacjaBazyKasjerow", [&s, main] { return new TSynchronizacjaBazyKasjerow(s, main); });
    add("TSynchronizacjaBazyRabatow", [&s, main] { return new TSynchronizacjaBazyRabatow(s, main); });
    add("TSynchronizacjaBazyFormPlatnosci", [&s, main] { return new TSynchronizacjaBazyFormPlatnosci(s, main); });
    add("TSynchronizacjaBazyWalut", [&s, main] { return new TSynchronizacjaBazyWalut(s, main); });
    add("TSynchronizacjaBazyGrupTowarowych", [&s, main] { return new TSynchronizacjaBazyGrupTowarowych(s, main); });
    add("TSynchronizacjaBazyOpakowan", [&s, main] { return new TSynchronizacjaBazyOpakowan(s, main); });
    add("TSynchronizacjaBazyKlawiszySzybkich", [&s, main] { return new TSynchronizacjaBazyKlawiszySzybkich(s, main); });
    for (const ReportDescription& d : ReportDescriptions())
        add(d.className, [&s, main, &d] { return new TWykonywanieRaportu(s, d, main); });
    add("TSciaganieSprzedazy", [&s, main] { return new TSciaganieSprzedazy(s, main); });
    add("THistoriaSprzedazy", [&s, main] { return new THistoriaSprzedazy(s, main); });
    add("TDziennikTransmisji", [&s, main] { return new TDziennikTransmisji(s, main); });
    add("TRaportObrotuGrup", [&s, main] { return new TRaportObrotuGrup(s, main); });
    add("TObrotGrup", [&s, main] { return new TObrotGrup(s, main); });
    add("TDaneInformacyjne", [&s, main] { return new TDaneInformacyjne(s, main); });
    add("TDodatkoweUstawienia", [&s, main] { return new TDodatkoweUstawienia(s, main); });
    add("TEksportBazy", [&s, main] { return new TEksportBazy(s, main); });
    add("TProgramowanieZestawuRaportow", [&s, main] { return new TProgramowanieZestawuRaportow(s, main); });
    add("TKopiaPamieciPodrecznej", [&s, main] { return new TKopiaPamieciPodrecznej(s, main); });
    add("TProgramowanieNowegoPakietu", [&s, main] { return new TProgramowanieNowegoPakietu(s, main); });
    add("TDrukowanieKodowKreskowych", [&s, main] { return new TDrukowanieKodowKreskowych(s, main); });
    add("TWydrukKlawiatury", [&s, main] { return new TWydrukKlawiatury(s, main); });
    // The header and footer editors are one window made twice.
    add("TProgramowanieNaglowka", [&s, &forms, main] {
        const QList<TEdycjaTekstuParagonu*> editors = CreateReceiptTextEditors(s, main);
        forms.Add(editors.value(1));
        return editors.value(0);
    });
    add("TProgramowanieStopki", [&forms] {
        forms.Find(QStringLiteral("TProgramowanieNaglowka"));
        return forms.Find(QStringLiteral("TProgramowanieStopki"));
    });
    add("TPobieranieNaglowka", [&s, &forms, main] {
        auto* headerDownload = new TPobieranieNaglowka(s, main);
        // What was read from the register can be taken into the header editor.
        headerDownload->takeIntoEditor = [&forms](const RichText& text) {
            if (auto* editor = forms.Get<TEdycjaTekstuParagonu>(QStringLiteral("TProgramowanieNaglowka"))) {
                editor->TakeText(text);
                editor->ShowModal();
            }
        };
        return headerDownload;
    });
    add("TProgramowanieKlawiszyFunkcyjnych", [&s, main] { return new TProgramowanieKlawiszyFunkcyjnych(s, main); });
    add("TKlawiszeSzybkieSprzedazy", [&s, main] { return new TKlawiszeSzybkieSprzedazy(s, main); });
    add("TProgramowanieKlawiszySzybkich2", [&s, &forms, main] {
        auto* board = new TProgramowanieKlawiszySzybkich2(s, main);
        board->openKeyEditor = [&forms] {
            if (TForm* editor = forms.Find(QStringLiteral("TProgramowanieKlawiszySzybkich"))) editor->ShowModal();
        };
        return board;
    });
    add("TProgramowanieKlawiszySzybkich", [&s, &forms, main] {
        return new TProgramowanieKlawiszySzybkich(s, forms.Get<TListaTowarow>(QStringLiteral("TListaTowarow")), main);
    });
    add("TKopiaDoKasy", [&s, &forms, main] {
        auto* copyToRegister = new TKopiaDoKasy(s, main);
        copyToRegister->openEditor = [&forms](const QString& className) {
            if (TForm* editor = forms.Find(className)) editor->ShowModal();
        };
        return copyToRegister;
    });
    add("TKopiowanieKasy", [&s, main] { return new TKopiowanieKasy(s, main); });
    add("TOdczytKopii", [&s, main] { return new TOdczytKopii(s, main); });
    add("TPokazBuforOdb", [&s, main] { return new TPokazBuforOdb(s, main); });
    add("TWyszukiwanieKasyRS", [&s, &forms, main] {
        return new TWyszukiwanieKasyRS(s, forms.Get<TPokazBuforOdb>(QStringLiteral("TPokazBuforOdb")), main);
    });
}
