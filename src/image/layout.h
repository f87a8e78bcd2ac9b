#pragma once
// The database image: the register's whole programmable database as one flat file
// of fixed layout. Record n of a table lies at base + n * size (record 1 right
// after the base); a record whose number field is 0 is an empty slot.
#include <cstdint>

namespace layout {

constexpr int kImageSize = 200021;         // a new image
constexpr int kDatabaseFileSize = 205000;  // what a database file covers
constexpr int kTablesEnd = 149100;         // no table lies at or above this
constexpr int kVersionTag = 0;
constexpr int kVersionTagSize = 20;
constexpr const char* kVersionTagText = "ZELK_TUVO_V_2_00    ";
constexpr const char* kMagicV2 = "ZELK_TUVO_V_2_00";
constexpr const char* kMagicV1 = "ZELK_TUVO_V_1_00";
constexpr int kMagicSize = 16;
constexpr int kModeByte = 20;

struct Table {
    int base;        // offset of the (non-existent) record 0
    int recordSize;
    int count;       // slots in the image
    constexpr int Offset(int n) const { return base + n * recordSize; }
    constexpr int First() const { return base + recordSize; }
    constexpr int End() const { return base + (count + 1) * recordSize; }
    constexpr bool Holds(int n) const { return n >= 1 && n <= count; }
};

constexpr Table kGoods{4932, 68, 2000};        // 5000-140999
constexpr Table kDiscounts{140972, 28, 20};    // 141000-141559
constexpr Table kCashiers{141527, 33, 20};     // 141560-142219
constexpr Table kPaymentForms{142197, 23, 20}; // 142220-142679
constexpr Table kCurrencies{142650, 30, 20};   // 142680-143279
constexpr Table kVatRates{143277, 3, 7};       // 143280-143300, letters A-G
constexpr Table kPackagings{143263, 48, 20};   // 143311-144270
constexpr Table kGroups{144551, 22, 20};       // 144573-145012

constexpr int kVatTable = 143280;
constexpr int kVatTableSize = 21;
constexpr uint16_t kVatInactive = 0xFFFE;
constexpr uint16_t kVatExempt = 0xFFFF;

constexpr int kHeader = 144271;
constexpr int kHeaderSize = 259;
constexpr int kHeaderLines = 6;
constexpr int kFooter = 148560;
constexpr int kFooterSize = 130;
constexpr int kFooterLines = 3;
constexpr int kLineWidth = 42;

constexpr int kReportSet = 145013;
constexpr int kReportSetSize = 19;

constexpr int kRecordCurrency = 145032;        // symbol written with a new image
constexpr int kRecordCurrencyChange = 145037;  // symbol set by a record-currency change

constexpr int kQuickKeys = 145060;
constexpr int kQuickKeysSize = 3400;
constexpr int kQuickKeySize = 34;
constexpr int kQuickKeyItems = 5;
// Quick key k (F1-F10) of cashier c, both 1-10.
constexpr int QuickKeyOffset(int cashier, int key) { return 144686 + 340 * cashier + 34 * key; }

constexpr int kHalo = 149060;
constexpr int kHaloEntries = 10;

// Field offsets inside the goods record (68 bytes).
namespace goods {
constexpr int kNumber = 0;      // 16-bit
constexpr int kName = 2;
constexpr int kNameWidth = 42;
constexpr int kVat = 44;        // letter 'A'-'G'
constexpr int kPrice = 45;      // 32-bit grosz
constexpr int kBarcode = 49;
constexpr int kBarcodeWidth = 13;
constexpr int kGroup = 62;
constexpr int kPackaging = 63;
constexpr int kFixedPrice = 64;
constexpr int kByPieces = 65;
constexpr int kHalo = 66;
constexpr int kUnit = 67;
constexpr uint32_t kMaxPrice = 99999999;
}  // namespace goods

// The goods record as the register sends it (82 bytes): the image record with the
// sales counters inserted after the price and the last sale before the unit.
namespace reggoods {
constexpr int kSize = 82;
constexpr int kNumber = 0;
constexpr int kName = 2;
constexpr int kVat = 44;
constexpr int kPrice = 45;
constexpr int kQuantitySold = 49;  // ten-thousandths
constexpr int kValueSold = 53;     // grosz
constexpr int kBarcode = 57;       // a blank stands for "0"
constexpr int kGroup = 70;
constexpr int kPackaging = 71;
constexpr int kFixedPrice = 72;
constexpr int kByPieces = 73;
constexpr int kHalo = 74;
constexpr int kYear = 75;
constexpr int kMonth = 77;
constexpr int kDay = 78;
constexpr int kHour = 79;          // 24: never sold
constexpr int kMinute = 80;
constexpr int kUnit = 81;
}  // namespace reggoods

namespace discount {
constexpr int kName = 1, kNameWidth = 21, kKind = 22, kType = 23, kValue = 24;
constexpr uint32_t kMaxAmount = 99999998;
}  // namespace discount
namespace cashier {
constexpr int kName = 1, kNameWidth = 21, kPassword = 22, kPasswordWidth = 4, kRights = 26,
              kRightsCount = 7;
}
namespace payment {
constexpr int kName = 1, kNameWidth = 21, kType = 22;
}
namespace currency {
constexpr int kName = 1, kNameWidth = 21, kMantissa = 22, kPlaces = 26, kSymbol = 27,
              kSymbolWidth = 3;
}
namespace packaging {
constexpr int kName = 1, kNameWidth = 42, kPrice = 43, kPriceChange = 47;
}
namespace group {
constexpr int kName = 1, kNameWidth = 21;
}
namespace quickkey {
constexpr int kCashier = 0, kKey = 1, kCount = 2, kItems = 3, kItemSize = 6, kEndsReceipt = 33;
}

}  // namespace layout
