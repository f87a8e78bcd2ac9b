// How the simulated register takes programming, deletion, setting and report
// commands: what it checks, what it stores, and the error code it refuses with.
#include <QDate>
#include <cstring>

#include "simulator.h"
#include "image/fields.h"

namespace {


bool NameTaken(const SimTable& t, int self, int nameOffset, const char* name, int width) {
    for (int n = 1; n <= t.count; ++n) {
        if (n == self || !t.Present(n)) continue;
        if (std::memcmp(t.Slot(n) + nameOffset, name, size_t(width)) == 0) return true;
    }
    return false;
}

bool Blank(const char* p, int n) {
    for (int i = 0; i < n; ++i)
        if (p[i] != ' ' && p[i] != 0) return false;
    return true;
}

// A record's name matches the name sent for deletion (compared over the shorter).
bool NameMatches(const char* stored, int storedWidth, const char* sent, int sentWidth) {
    const int n = std::min(storedWidth, sentWidth);
    return std::memcmp(stored, sent, size_t(n)) == 0;
}

bool Flag(char c) { return c == 0 || c == 1; }

}  // namespace

bool RegisterSimulator::InOrder(uint8_t command, uint16_t frameNumber) {
    // Within one run the frame number never falls. A run ends with its last-flag
    // frame, a refusal, any other command, or silence; the next run may start at
    // any number (the PC numbers some series by row).
    const auto now = std::chrono::steady_clock::now();
    const int low = frameNumber & 0x7FFF;
    const bool newRun = low == 1 || command != run_.command || now - run_.at > std::chrono::seconds(2);
    const bool ok = newRun || low >= run_.last;
    run_ = (frameNumber & 0x8000) ? ProgramRun{} : ProgramRun{command, low, now};
    return ok;
}

int RegisterSimulator::Program(uint8_t command, int length, const QByteArray& frame) {
    SimState& s = state_;
    const char* p = frame.constData() + 7;  // payload
    const uint16_t frameNumber = Word(frame.constData() + 4);
    auto inOrder = [&]() { return InOrder(command, frameNumber); };
    switch (command) {
        case 'T':
            if (length != 78) break;
            {
                if (!inOrder()) return kOutOfOrder;
                const int n = Word(p);
                if (n < 1 || n > 2000) return 6;
                if (p[44] < 'A' || p[44] > 'G') return 7;
                if (Word(s.vat.constData() + 3 * (p[44] - 'A') + 1) == 0xFFFE) return 7;
                for (int i = 0; i < 13; ++i)
                    if (p[49 + i] < '0' || p[49 + i] > '9') return 8;
                const int group = uint8_t(p[62]);
                if (group < 1 || group > 20 || !s.groups.Present(group)) return 9;
                const int packaging = uint8_t(p[63]);
                if (packaging > 20 || (packaging && !s.packagings.Present(packaging))) return 10;
                if (!Flag(p[64])) return 11;
                if (!Flag(p[65])) return 12;
                if (uint8_t(p[66]) > 9) return 85;
                if (Long(p + 45) > 99999999) return 78;
                if (NameTaken(s.goods, n, 2, p + 2, 42)) return 5;
                QByteArray rec(82, '\0');
                if (s.goods.Present(n)) {
                    rec = s.goods.Record(n);
                    const bool sold = Long(rec.constData() + 49) || Long(rec.constData() + 53);
                    if (sold && (std::memcmp(rec.constData() + 2, p + 2, 42) || rec[44] != p[44])) return 91;
                } else {
                    rec[79] = 24;  // never sold
                }
                std::memcpy(rec.data(), p, 49);
                std::memcpy(rec.data() + 57, p + 49, 18);  // barcode, group .. HALO index
                rec[81] = p[67];
                s.goods.Set(n, rec);
                return 0;
            }
        case 'R':
            if (length != 38) break;
            {
                if (!inOrder()) return kOutOfOrder;
                const int n = uint8_t(p[0]);
                if (n < 1 || n > 20) return 14;
                if (!Flag(p[22])) return 15;
                if (!Flag(p[23])) return 16;
                if (p[23] == 0 && Long(p + 24) > 9999) return 17;
                QByteArray rec = s.discounts.Present(n) ? s.discounts.Record(n) : QByteArray(36, '\0');
                std::memcpy(rec.data(), p, 28);
                s.discounts.Set(n, rec);
                return 0;
            }
        case 'K':
            if (length != 43) break;
            {
                if (!inOrder()) return kOutOfOrder;
                const int n = uint8_t(p[0]);
                if (n < 1 || n > 20) return 18;
                if (NameTaken(s.cashiers, n, 1, p + 1, 21)) return 19;
                for (int i = 0; i < 7; ++i)
                    if (!Flag(p[26 + i])) return 20 + i;
                QByteArray rec = s.cashiers.Present(n) ? s.cashiers.Record(n) : QByteArray(324, '\0');
                std::memcpy(rec.data(), p, 26);
                std::memcpy(rec.data() + 224, p + 26, 7);
                s.cashiers.Set(n, rec);
                return 0;
            }
        case 'F':
            if (length != 33) break;
            {
                if (!inOrder()) return kOutOfOrder;
                const int n = uint8_t(p[0]);
                if (n < 1 || n > 10) return 28;
                if (NameTaken(s.paymentForms, n, 1, p + 1, 21)) return 29;
                if (p[22] < 1 || p[22] > 5) return 30;
                QByteArray rec = s.paymentForms.Present(n) ? s.paymentForms.Record(n) : QByteArray(31, '\0');
                std::memcpy(rec.data(), p, 22);
                rec[26] = p[22];
                s.paymentForms.Set(n, rec);
                return 0;
            }
        case 'W':
            if (length != 40) break;
            {
                if (!inOrder()) return kOutOfOrder;
                const int n = uint8_t(p[0]);
                if (n < 1 || n > 10) return 31;
                if (NameTaken(s.currencies, n, 1, p + 1, 21)) return 32;
                if (Long(p + 22) == 0) return 33;
                if (Blank(p + 27, 3) || NameTaken(s.currencies, n, 31, p + 27, 3)) return 34;
                QByteArray rec = s.currencies.Present(n) ? s.currencies.Record(n) : QByteArray(42, '\0');
                std::memcpy(rec.data(), p, 22);
                std::memcpy(rec.data() + 26, p + 22, 8);  // mantissa, places, symbol
                s.currencies.Set(n, rec);
                return 0;
            }
        case 'Z':
            if (length != 58) break;
            {
                if (!inOrder()) return kOutOfOrder;
                const int n = uint8_t(p[0]);
                if (n < 1 || n > 20) return 36;
                if (NameTaken(s.packagings, n, 1, p + 1, 42)) return 37;
                QByteArray rec = s.packagings.Present(n) ? s.packagings.Record(n) : QByteArray(66, '\0');
                if (!s.packagings.Present(n)) rec[59] = 24;  // never sold
                std::memcpy(rec.data(), p, 47);
                rec[65] = p[47];
                s.packagings.Set(n, rec);
                return 0;
            }
        case 'G':
            if (length != 31) break;
            {
                if (!inOrder()) return kOutOfOrder;
                const int n = uint8_t(p[0]);
                if (n < 1 || n > 20) return 9;
                QByteArray name(p + 1, 20);
                name.append('\0');
                if (NameTaken(s.groups, n, 1, name.constData(), 21)) return 40;
                QByteArray rec = s.groups.Present(n) ? s.groups.Record(n) : QByteArray(26, '\0');
                rec[0] = char(n);
                std::memcpy(rec.data() + 1, name.constData(), 21);
                s.groups.Set(n, rec);
                return 0;
            }
        case 'P':
            if (length != 31) break;
            for (int i = 0; i < 7; ++i) {
                if (p[3 * i] != 'A' + i) return 7;
                const uint16_t v = Word(p + 3 * i + 1);
                if (v > 9999 && v != 0xFFFE && v != 0xFFFF) return 35;
            }
            s.vat = QByteArray(p, 21);
            ++s.vatWrites;
            return 0;
        case 'N':
            if (length != 268) break;
            if (uint8_t(p[252]) > 6) return 38;
            for (int i = 0; i < 6; ++i)
                if (!Flag(p[253 + i])) return 39;
            s.header = QByteArray(p, 259);
            return 0;
        case 'D':
            if (length != 140) break;
            if (uint8_t(p[126]) > 3) return 38;
            s.footer = QByteArray(p, 130);
            return 0;
        case 'L':
            if (length != 45) break;
            s.halo = QByteArray(p, 36);
            return 0;
        case 'S':
            if (length != 44) break;
            {
                const int c = uint8_t(p[0]);
                const int k = uint8_t(p[1]);
                if (c < 1 || c > 10) return 18;
                if (k < 1 || k > 10) return 65;
                if (uint8_t(p[2]) > 5) return 76;
                for (int i = 0; i < 5; ++i) {
                    const int g = Word(p + 3 + 6 * i);
                    if (g > 2000) return 6;
                    if (g && !s.goods.Present(g)) return 66;
                }
                if (!Flag(p[33])) return 68;
                QByteArray rec(34, '\0');
                rec[0] = char(c);
                rec[1] = char(k);
                std::memcpy(rec.data() + 2, p + 2, 32);
                s.quickKeys.Set((c - 1) * 10 + k, rec);
                return 0;
            }
        case 'C':
            if (length != 17) break;
            {
                const int year = Word(p), month = uint8_t(p[2]), day = uint8_t(p[3]);
                if (year < 2000 || year > 2099) return 59;
                if (month < 1 || month > 12) return 60;
                if (!QDate(year, month, day).isValid()) return 61;
                if (uint8_t(p[4]) > 23) return 62;
                if (uint8_t(p[5]) > 59) return 63;
                if (uint8_t(p[6]) > 59) return 64;
                const QDateTime set(QDate(year, month, day), QTime(uint8_t(p[4]), uint8_t(p[5]), uint8_t(p[6])));
                if (set < s.lastDailyReport) return 83;
                s.clockOffsetSecs = QDateTime::currentDateTime().secsTo(set);
                return 0;
            }
        case 'E':
            if (length != 23) break;
            {
                const QDate date(Word(p + 10), uint8_t(p[12]), uint8_t(p[13]));
                if (!date.isValid()) return 61;
                if (Long(p) == 0) return 33;
                s.currencyChangePlanned = true;
                s.newRecordCurrency = QByteArray(p + 5, 3);
                s.currencyChangeDate = QDateTime(date, QTime(0, 0));
                return 0;
            }
        case 'H':
            if (length != 30) break;
            s.managerPassword = QString::fromLatin1(p + 10, 10).trimmed();
            return 0;
        case 'q':
            if (length != 18) break;
            s.units = QByteArray(p, 9);
            return 0;
        case 'X':
            if (length != 14) break;
            {
                const int c = uint8_t(p[0]), k = uint8_t(p[1]);
                if (c < 1 || c > 10) return 18;
                if (k < 1 || k > 10) return 65;
                std::memcpy(s.quickSaleKeys.data() + ((c - 1) * 10 + (k - 1)) * 3, p + 2, 3);
                return 0;
            }
        case 'I':
            if (length != 25) break;
            s.nip = QByteArray(p, 16);
            s.nip.truncate(s.nip.indexOf('\0') < 0 ? 16 : s.nip.indexOf('\0'));
            return 0;
        case 'O':
            if (length != 13) break;
            {
                const int c = uint8_t(p[0]), k = uint8_t(p[1]);
                if (c < 1 || c > 10) return 18;
                if (k < 1 || k > 10) return 65;
                s.functionKeys[(c - 1) * 10 + (k - 1)] = p[2];
                return 0;
            }
        case 0x03:
            if (length != 31) break;
            s.settings = QByteArray(p, 22);
            s.registerNumber = uint8_t(p[0]) + 1;
            return 0;
        case 0xCB:
            if (length != 10) break;
            for (int n = 1; n <= s.goods.count; ++n) {
                if (!s.goods.Present(n)) continue;
                std::memset(s.goods.Slot(n) + 49, 0, 8);
            }
            return 0;
        // Deletions: only when the name sent matches the stored one.
        case '0':
            if (length != 54) break;
            {
                const int n = Word(p);
                if (n < 1 || n > 2000 || !s.goods.Present(n)) return 66;
                const char* g = s.goods.Slot(n);
                if (!NameMatches(g + 2, 42, p + 2, 42)) return 90;
                if (Long(g + 49) || Long(g + 53)) return 91;
                s.goods.Clear(n);
                return 0;
            }
        case '1':
        case '2':
        case '3':
        case '4':
        case '5':
        case '6': {
            struct Del { uint8_t cmd; int length; SimTable* table; int nameWidth; int sentWidth; };
            const Del dels[] = {{'1', 32, &s.discounts, 21, 21}, {'2', 26, &s.cashiers, 21, 16},
                                {'3', 33, &s.paymentForms, 21, 22}, {'4', 33, &s.currencies, 21, 23},
                                {'5', 53, &s.packagings, 42, 43}, {'6', 31, &s.groups, 21, 21}};
            const Del& d = dels[command - '1'];
            if (length != d.length) break;
            const int n = uint8_t(p[0]);
            if (!d.table->Holds(n) || !d.table->Present(n)) return 90;
            const char* r = d.table->Slot(n);
            if (!NameMatches(r + 1, d.nameWidth, p + 1, d.sentWidth)) return 90;
            if (command == '2') {
                if (n == 1) return 89;
                if (r[246]) return 108;
                if (Long(r + 30)) return 103;
            }
            if (command == '3' && Long(r + 22)) return 104;
            if (command == '4' && Long(r + 22)) return 105;
            if (command == '5' && (Long(r + 47) || Long(r + 51))) return 106;
            if (command == '6') {
                if (n == 1) return 82;
                if (Long(r + 22)) return 107;
            }
            d.table->Clear(n);
            return 0;
        }
        // Reports: the register prints them; it checks what it can.
        case 'o':
            if (length != 19) break;
            if (uint8_t(p[0]) > 3) return 69;
            if (uint8_t(p[1]) == 0xFF && (uint8_t(p[4]) < 1 || uint8_t(p[4]) > 12)) return 60;
            if (uint8_t(p[1]) == 1 && (Word(p + 2) < 1 || Word(p + 4) < Word(p + 2))) return 71;
            return 0;
        case 's':
        case 'p':
        case 'b':
            if (length != (command == 's' ? 16 : 15)) break;
            if (uint8_t(p[0]) < 1 || uint8_t(p[0]) > 3) return 72;
            if (uint8_t(p[0]) == 2 && !s.groups.Present(uint8_t(p[1]))) return 111;
            return 0;
        case 'k':
            if (length != 12) break;
            if (uint8_t(p[0]) < 1 || uint8_t(p[0]) > 10) return 18;
            if (!s.cashiers.Present(uint8_t(p[0]))) return 86;
            if (!Flag(p[1])) return 73;
            return 0;
        case 'z':
        case 'r':
        case 'a':
        case 'f':
        case 'g':
            if (length != 12) break;
            if (!Flag(p[0])) return 74;
            if (!Flag(p[1])) return 73;
            return 0;
        case 'n':
        case 'w':
        case 'v':
        case 't':
        case 'h':
            if (length != 10) break;
            return 0;
        case 0x05:
            if (length != 17) break;
            if (uint8_t(p[0]) < 1 || uint8_t(p[0]) > 12 || uint8_t(p[3]) < 1 || uint8_t(p[3]) > 12) return 60;
            return 0;
        default: break;
    }
    return kUnknownCommand;
}
