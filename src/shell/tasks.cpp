#include "shell/tasks.h"

#include <iterator>

#include "common/appstate.h"

namespace {

const Task kEditTasks[] = {
    {"Grupy towarowe", "TProgramowanieGrupTowarowych", ModeTest::AnyDatabaseOrPort, false},
    {"Opakowania zwrotne", "TProgramowanieOpakowan", ModeTest::AnyDatabaseOrPort, false},
    {"Towary", "TProgramowanieTowarow", ModeTest::AnyDatabaseOrPort, false},
    {"Kasjerzy", "TProgramowanieKasjerow", ModeTest::AnyDatabaseOrPort, false},
    {"Rabaty i narzuty", "TProgramowanieRabatow", ModeTest::AnyDatabaseOrPort, false},
    {"Formy płatności", "TProgramowanieFormPlatnosci", ModeTest::AnyDatabaseOrPort, false},
    {"Waluty obce", "TProgramowanieWalutObcych", ModeTest::AnyDatabaseOrPort, false},
    {"Stawki PTU", "TProgramowanieStawekPTU", ModeTest::AnyDatabaseOrPort, false},
    {"Klawisze szybkie", "TProgramowanieKlawiszySzybkich2", ModeTest::AnyDatabaseOrPort, true},
    {"Tablica HALO", "TProgramowanieTablicyHalo", ModeTest::AnyDatabaseOrPort, false},
    {"Zmiana waluty ewidencyjnej", "TProgramowanieWalutyEwidencyjnej", ModeTest::AnyDatabaseOrPort, true},
    {"Wydruk klawiatury", "TWydrukKlawiatury", ModeTest::Always, false},
    {"Eksport/import bazy do pliku CSV", "TEksportBazy", ModeTest::AnyDatabaseOrPort, true},
    {"Wydruk kodów kreskowych", "TDrukowanieKodowKreskowych", ModeTest::AnyDatabaseOrPort, true},
    {"Historia sprzedaży", "THistoriaSprzedazy", ModeTest::Always, false},
};

const Task kReportTasks[] = {
    {"Wykonywanie raportu okresowego", "TWykonywanieRaportuOkresowego", ModeTest::PortOpen, false},
    {"Wykonywanie raportu sprzedaży", "TWykonywanieRaportuSprzedazy", ModeTest::PortOpen, false},
    {"Wykonywanie raportu towarów nieaktywnych", "TWykonywanieRaportuTowarowNieaktywnych", ModeTest::PortOpen, false},
    {"Wykonywanie raportu bazy z PTU", "TWykonywanieRaportuBazyZPTU", ModeTest::PortOpen, false},
    {"Wykonywanie pełnego raportu bazy PLU", "TWykonywaniePelnegoRaportuBazyPLU", ModeTest::PortOpen, false},
    {"Wykonywanie raportu kasjera", "TWykonywanieRaportuKasjera", ModeTest::PortOpen, false},
    {"Wykonywanie raportu zmianowego sprzedaży", "TWykonywanieRaportuZmianowegoSprzedazy", ModeTest::PortOpen, false},
    {"Wykonywanie raportu rabatów", "TWykonywanieRaportuRabatow", ModeTest::PortOpen, false},
    {"Wykonywanie raportu opakowań", "TWykonywanieRaportuOpakowan", ModeTest::PortOpen, false},
    {"Wykonywanie raportu form płatności", "TWykonywanieRaportuFormPlatnosci", ModeTest::PortOpen, false},
    {"Wykonywanie raportu grup towarowych", "TWykonywanieRaportuGrupTowarowych", ModeTest::PortOpen, false},
    {"Wykonywanie raportu napisów stałych", "TWykonywanieRaportuNapisowStalych", ModeTest::PortOpen, false},
    {"Wykonywanie raportu stawek PTU", "TWykonywanieRaportuStawekPTU", ModeTest::PortOpen, false},
    {"Wykonywanie raportu informacyjnego kasy", "TWykonywanieRaportuStanuKasy", ModeTest::PortOpen, false},
    {"Wykonywanie raportu klawiszy szybkich", "TWykonywanieRaportuKlawiszySzybkich", ModeTest::PortOpen, false},
    {"Wykonywanie raportu obrotu grup towarowych", "TRaportObrotuGrup", ModeTest::PortOpen, false},
};

const Task kRegisterTasks[] = {
    {"Programowanie bazy grup towarowych", "TSynchronizacjaBazyGrupTowarowych", ModeTest::Online, false},
    {"Programowanie bazy opakowań", "TSynchronizacjaBazyOpakowan", ModeTest::Online, false},
    {"Programowanie bazy towarowej", "TSynchronizacjaBazyTowarowej", ModeTest::Online, false},
    {"Programowanie bazy kasjerów", "TSynchronizacjaBazyKasjerow", ModeTest::Online, false},
    {"Programowanie bazy rabatów i narzutów", "TSynchronizacjaBazyRabatow", ModeTest::Online, false},
    {"Programowanie bazy form płatności", "TSynchronizacjaBazyFormPlatnosci", ModeTest::Online, false},
    {"Programowanie bazy walut", "TSynchronizacjaBazyWalut", ModeTest::Online, false},
    {"Programowanie stawek PTU", "TProgramowanieStawekPTU", ModeTest::PortOpen, false},
    {"Dane informacyjne kasy", "TDaneInformacyjne", ModeTest::PortOpen, false},
    {"Programowanie zegara", "TProgramowanieZegara", ModeTest::PortOpen, false},
    {"Programowanie nagłówka", "TProgramowanieNaglowka", ModeTest::PortOpen, false},
    {"Pobieranie nagłówka", "TPobieranieNaglowka", ModeTest::PortOpen, false},
    {"Programowanie stopki", "TProgramowanieStopki", ModeTest::PortOpen, false},
    {"Programowanie NIP (szkoleniowo)", "TProgramowanieNIP", ModeTest::PortOpen, false},
    {"Ściąganie sprzedaży", "TSciaganieSprzedazy", ModeTest::PortOpen, false},
    {"Dane konfiguracyjne kasy", "TDodatkoweUstawienia", ModeTest::PortOpen, false},
    {"Programowanie klawiszy funkcyjnych", "TProgramowanieKlawiszyFunkcyjnych", ModeTest::PortOpen, false},
    {"Programowanie klawiszy szybkich funkcji sprzedaży", "TKlawiszeSzybkieSprzedazy", ModeTest::PortOpen, false},
    {"Programowalne jednostki towarowe", "TJednostkiTowarowe", ModeTest::PortOpen, false},
    {"Obrót grup towarowych", "TObrotGrup", ModeTest::PortOpen, false},
    {"Programowanie bazy klawiszy szybkich", "TSynchronizacjaBazyKlawiszySzybkich", ModeTest::Online, false},
    {"Zrzut pamięci podręcznej", "TKopiaPamieciPodrecznej", ModeTest::PortOpen, false},
    {"Kopiowanie bazy danych do kasy", "TKopiaDoKasy", ModeTest::Online, false},
    {"Kopiowanie danych z kasy do komputera", "TKopiowanieKasy", ModeTest::PortOpen, true},
    {"Odczyt kopii elektronicznej", "TOdczytKopii", ModeTest::PortOpen, false},
    {"Wyszukiwanie podłączonych kas", "TWyszukiwanieKasyRS", ModeTest::Always, true},
    {"Dziennik transmisji", "TDziennikTransmisji", ModeTest::Always, false},
};

}  // namespace

const TaskPage kTaskPages[3] = {{kEditTasks, int(std::size(kEditTasks))},
                        {kReportTasks, int(std::size(kReportTasks))},
                        {kRegisterTasks, int(std::size(kRegisterTasks))}};

bool Passes(ModeTest test, int mode) {
    switch (test) {
        case ModeTest::Always: return true;
        case ModeTest::AnyDatabaseOrPort: return mode != ModeNone;
        case ModeTest::PortOpen: return mode == ModeRegisterOnly || mode == ModeOnline;
        case ModeTest::Online: return mode == ModeOnline;
    }
    return false;
}

