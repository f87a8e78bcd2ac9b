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
#include "reports/Wykonywanieraportu.h"
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

void FormRegistry::Add(TForm* form) {
    order_.append(form);
    byName_.insert(form->objectName(), form);
}

void CreateForms(Services& s, FormRegistry& forms, QWidget* main) {
    // The program's creation order; a window may rely only on those before it.
    auto* goods = new TProgramowanieTowarow(s, main);
    forms.Add(goods);
    forms.Add(new TUstawieniaTrans(s, main));
    forms.Add(new TOProgramie(s, main));
    forms.Add(new TPomoc(s, main));
    forms.Add(new TNowaBazaD(s, main));
    forms.Add(new TCzekajNaRS(s, main));
    forms.Add(new TListaTowarow(s, main));
    auto* linkedGoods = new TListaTowarowTandem(s, main);
    forms.Add(linkedGoods);
    auto* edit = new TEdycjaTowaru(s, goods, main);
    forms.Add(edit);
    goods->SetEditDialog(edit);
    forms.Add(new TSynchronizacjaBazyTowarowej(s, edit, main));
    forms.Add(new TProgramowanieGrupTowarowych(s, main));
    forms.Add(new TProgramowanieOpakowan(s, linkedGoods, main));
    forms.Add(new TProgramowanieKasjerow(s, main));
    forms.Add(new TProgramowanieRabatow(s, main));
    forms.Add(new TProgramowanieFormPlatnosci(s, main));
    forms.Add(new TProgramowanieWalutObcych(s, main));
    forms.Add(new TProgramowanieStawekPTU(s, main));
    forms.Add(new TProgramowanieZegara(s, main));
    forms.Add(new TProgramowanieWalutyEwidencyjnej(s, main));
    forms.Add(new TProgramowanieNIP(s, main));
    forms.Add(new TProgramowanieTablicyHalo(s, main));
    forms.Add(new TJednostkiTowarowe(s, main));
    forms.Add(new TSynchronizacjaBazyKasjerow(s, main));
    forms.Add(new TSynchronizacjaBazyRabatow(s, main));
    forms.Add(new TSynchronizacjaBazyFormPlatnosci(s, main));
    forms.Add(new TSynchronizacjaBazyWalut(s, main));
    forms.Add(new TSynchronizacjaBazyGrupTowarowych(s, main));
    forms.Add(new TSynchronizacjaBazyOpakowan(s, main));
    for (TWykonywanieRaportu* report : CreateReportWindows(s, main)) forms.Add(report);
    forms.Add(new TSciaganieSprzedazy(s, main));
    forms.Add(new TRaportObrotuGrup(s, main));
    forms.Add(new TObrotGrup(s, main));
    forms.Add(new TDaneInformacyjne(s, main));
    forms.Add(new TDodatkoweUstawienia(s, main));
    forms.Add(new TEksportBazy(s, main));
    forms.Add(new TProgramowanieZestawuRaportow(s, main));
    forms.Add(new TKopiaPamieciPodrecznej(s, main));
    forms.Add(new TDrukowanieKodowKreskowych(s, main));
    forms.Add(new TWydrukKlawiatury(s, main));
    for (TEdycjaTekstuParagonu* editor : CreateReceiptTextEditors(s, main)) forms.Add(editor);
    auto* headerDownload = new TPobieranieNaglowka(s, main);
    // What was read from the register can be taken into the header editor.
    headerDownload->takeIntoEditor = [&forms](const RichText& text) {
        if (auto* editor = forms.Get<TEdycjaTekstuParagonu>(QStringLiteral("TProgramowanieNaglowka"))) {
            editor->TakeText(text);
            editor->ShowModal();
        }
    };
    forms.Add(headerDownload);
    forms.Add(new TProgramowanieKlawiszyFunkcyjnych(s, main));
    forms.Add(new TKlawiszeSzybkieSprzedazy(s, main));
    auto* board = new TProgramowanieKlawiszySzybkich2(s, main);
    forms.Add(board);
    auto* keyEditor = new TProgramowanieKlawiszySzybkich(s, forms.Get<TListaTowarow>(QStringLiteral("TListaTowarow")), main);
    forms.Add(keyEditor);
    board->openKeyEditor = [keyEditor] { keyEditor->ShowModal(); };
    auto* copyToRegister = new TKopiaDoKasy(s, main);
    copyToRegister->openEditor = [&forms](const QString& className) {
        if (TForm* editor = forms.Find(className)) editor->ShowModal();
    };
    forms.Add(copyToRegister);
    forms.Add(new TKopiowanieKasy(s, main));
    forms.Add(new TOdczytKopii(s, main));
    auto* bufferView = new TPokazBuforOdb(s, main);
    forms.Add(bufferView);
    forms.Add(new TWyszukiwanieKasyRS(s, bufferView, main));
}
