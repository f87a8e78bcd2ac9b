#pragma once
// The six small numbered tables of the image (goods groups, returnable packagings,
// cashiers, discounts and surcharges, payment forms, foreign currencies): where
// they lie, how many slots the editors use, their record command, and each
// record's fields with its encoding to and from the slot bytes.
//
// One description serves the table editors, the synchronization, the copy to and
// from the register and the CSV exchange.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

#include "image/layout.h"

class WorkImage;

// The numbered tables whose records travel one frame each.
enum class RecordTable { Goods, Discounts, Cashiers, PaymentForms, Currencies, Packagings, Groups };

struct SmallTable {
    RecordTable id;
    layout::Table area;  // base, slot size, slots in the image
    int listed;           // slots the editors list, search and delete (20 or 10)
    int maxNumber;        // numbers the editors accept: 1 to this
    int nameWidth;        // the name lies at slot offset 1
    uint8_t command;      // the record command byte

    // A slot in use holds its number in the first byte.
    bool Occupied(WorkImage& image, int slot) const;
    QByteArray Slot(WorkImage& image, int slot) const;
    QString Name(WorkImage& image, int slot) const;
};

extern const SmallTable kGroupTable;
extern const SmallTable kPackagingTable;
extern const SmallTable kCashierTable;
extern const SmallTable kDiscountTable;
extern const SmallTable kPaymentFormTable;
extern const SmallTable kCurrencyTable;
const SmallTable& SmallTableOf(RecordTable id);  // not for Goods

// Used slots among the listed ones, in slot order.
QList<int> OccupiedSlots(WorkImage& image, const SmallTable& table);
// The first number the editors accept whose slot is empty, or 0 when all are used.
int FirstFreeNumber(WorkImage& image, const SmallTable& table);
// A name made of blanks only (it is compared padded with blanks to 21 characters).
bool BlankName(const QString& name);
// The listed slot whose name, padded with blanks to 21 characters, equals the
// padded name byte for byte (case-sensitive), or 0. Every listed slot counts,
// the one being replaced included.
int DuplicateNameSlot(WorkImage& image, const SmallTable& table, const QString& name);

// Records as the editors write them. Decode reads a slot's bytes (short input
// reads as zeros); Encode gives exactly the slot's size. Names are stored as
// typed, cut to their width and filled with zero bytes.
struct GroupRecord {
    uint8_t number = 0;
    QString name;
    static GroupRecord Decode(const QByteArray& slot);
    QByteArray Encode() const;
};

struct PackagingRecord {
    uint8_t number = 0;
    QString name;
    int32_t price = 0;  // grosz
    uint8_t priceChange = 0;
    static PackagingRecord Decode(const QByteArray& slot);
    QByteArray Encode() const;
};

struct CashierRecord {
    uint8_t number = 0;
    QString name;
    QByteArray password;  // up to four digit characters
    std::array<uint8_t, 7> rights{};
    static CashierRecord Decode(const QByteArray& slot);
    QByteArray Encode() const;
};

struct DiscountRecord {
    uint8_t number = 0;
    QString name;
    uint8_t kind = 0;  // 0 discount, 1 surcharge
    uint8_t type = 0;  // 0 percentage, 1 amount
    int32_t value = 0; // hundredths of a percent, or grosz
    static DiscountRecord Decode(const QByteArray& slot);
    QByteArray Encode() const;
};

struct PaymentFormRecord {
    uint8_t number = 0;
    QString name;
    uint8_t type = 1;  // 1-5
    static PaymentFormRecord Decode(const QByteArray& slot);
    QByteArray Encode() const;
};

struct CurrencyRecord {
    uint8_t number = 0;
    QString name;
    int32_t mantissa = 0;
    uint8_t places = 0;
    QByteArray symbol;  // three bytes, blank-filled
    static CurrencyRecord Decode(const QByteArray& slot);
    QByteArray Encode() const;
};

// The names of the payment-form types 1-5, in type order.
QStringList PaymentFormTypeNames();
// The seven cashier rights, in record order.
QStringList CashierRightNames();
