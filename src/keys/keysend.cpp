#include "keys/keysend.h"

#include "common/clock.h"
#include "link/commands.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "link/exchange.h"
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

Exchange KeyExchange(int busyPause) { return Exchange{false, true, AckStyle::Wait, 0, busyPause, {}}; }

Answer ProgramFunctionKey(RegisterLink& link, int cashier, int key, uint8_t code) {
    Exchange how = KeyExchange(650);
    how.drain = true;
    const Answer a = Transact(link, FunctionKeyFrame(uint8_t(cashier), uint8_t(key), code), how);
    if (a.Accepted()) link.clock().Sleep(650);
    return a;
}

Answer ProgramQuickKey(RegisterLink& link, WorkImage& image, uint16_t frameNumber, int cashier, int key) {
    if (cashier < 1 || cashier > 10 || key < 1 || key > 10) return {};
    const QByteArray bytes = image.ReadBytesAt(layout::QuickKeyOffset(cashier, key), layout::kQuickKeySize);
    return Transact(link, QuickKeyFrame(frameNumber, cashier, key, bytes, 0), KeyExchange(4400));
}
