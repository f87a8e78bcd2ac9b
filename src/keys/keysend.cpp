#include "keys/keysend.h"

#include "common/clock.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registerlink.h"

QStringList FunctionKeyNames() {
    return {QStringLiteral("Brak funkcji"),
            QStringLiteral("Raport dobowy"),
            QStringLiteral("Raport miesięczny (niezerujący)"),
            QStringLiteral("Raport okresowy (niezerujący)"),
            QStringLiteral("Raport towarów nieaktywnych (niezerujący)"),
            QStringLiteral("Raport bazy z PTU (niezerujący)"),
            QStringLiteral("Raport sprzedaży (niezerujący)"),
            QStringLiteral("Raport kasjera (niezerujący)"),
            QStringLiteral("Raport zmianowy (niezerujący)"),
            QStringLiteral("Raport rabatów (niezerujący)"),
            QStringLiteral("Raport opakowań (niezerujący)"),
            QStringLiteral("Raport form płatności (niezerujący)"),
            QStringLiteral("Raport grup towarowych (niezerujący)"),
            QStringLiteral("Raport napisów stałych"),
            QStringLiteral("Raport PTU"),
            QStringLiteral("Raport klawiszy szybkich"),
            QStringLiteral("Raport sprzedaży (zerujący)"),
            QStringLiteral("Raport kasjera (zerujący)"),
            QStringLiteral("Raport zmianowy (zerujący)"),
            QStringLiteral("Raport rabatów (zerujący)"),
            QStringLiteral("Raport opakowań (zerujący)"),
            QStringLiteral("Raport form płatności (zerujący)"),
            QStringLiteral("Raport grup towarowych (zerujący)")};
}

uint8_t FunctionKeyCode(int entry) {
    // "Brak funkcji" is 16; the zeroing reports follow the register's own numbering.
    if (entry <= 0) return 16;
    return uint8_t(entry <= 15 ? entry : entry + 9);
}

QStringList SalesFunctionNames() {
    return {QStringLiteral("Brak"),
            QStringLiteral("Szybki rabat/narzut z bazy"),
            QStringLiteral("Szybkie storno"),
            QStringLiteral("Szybki rabat z ręki"),
            QStringLiteral("Szybki narzut z ręki"),
            QStringLiteral("Szybkie wpłaty form płatności"),
            QStringLiteral("Szybki zwrot opakowań"),
            QStringLiteral("Szybkie wydanie opakowań")};
}

bool AwaitKeyAnswer(RegisterLink& link, int busyPause) {
    int r = ReadAckWait(link);
    if (r == AckBusy) {
        link.clock().Sleep(busyPause);
        r = ReadAck(link);
    }
    return r == AckAccepted || r == AckAcceptedEnd;
}

bool ProgramFunctionKey(RegisterLink& link, int cashier, int key, uint8_t code) {
    link.FlushPort();
    link.ForgetLastReply();
    if (!SendFunctionKey(link, uint8_t(cashier), uint8_t(key), code)) return false;
    if (!AwaitKeyAnswer(link, 650)) return false;
    link.clock().Sleep(650);
    return true;
}

bool ProgramQuickKey(RegisterLink& link, WorkImage& image, uint16_t frameNumber, int cashier, int key) {
    link.ForgetLastReply();
    if (!SendQuickKey(link, image, frameNumber, cashier, key, 0)) return false;
    return AwaitKeyAnswer(link, 4400);
}
