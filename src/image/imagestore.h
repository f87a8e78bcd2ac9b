#pragma once
// Operations on the whole database image and on goods records.
#include <QByteArray>
#include <QString>
#include <cstdint>

class WorkImage;

// A new image with its default content.
QByteArray NewImageBytes(const QString& recordCurrencySymbol);
// Makes the working file a new image and opens it. Returns 0, or 1 with the
// user's message in error when it cannot be made; the image open before stays
// as it was then. A mode other than 1 does nothing.
int CreateDatabaseImage(WorkImage& image, int mode, const QString& recordCurrencySymbol,
                        QString* error = nullptr);

struct GoodsFields {
    int number = 0;
    QString name;
    char vat = 'A';
    uint32_t price = 0;
    QString barcode;
    uint8_t group = 1;
    uint8_t packaging = 0;
    uint8_t fixedPrice = 0;
    uint8_t byPieces = 0;
    uint8_t halo = 0;
    uint8_t unit = 0;
};

// Writes the whole 68-byte goods record at its slot. Returns 0, or 1 without
// writing when the image is not usable or the number lies outside 1-2000.
int WriteGoodsRecord(WorkImage& image, const GoodsFields& goods);
GoodsFields ReadGoodsRecord(WorkImage& image, int number);
// The barcode as stored: left-padded with "0" to 13 characters (cut to 13).
QByteArray BarcodeField(const QString& barcode);

// Multiplies every price and amount of the image by rate (record-currency change).
void ConvertImagePrices(WorkImage& image, double rate);
// A currency rate times a factor, stored again as an eight-digit mantissa and its
// decimal places.
void ScaleCurrencyRate(uint32_t& mantissa, uint8_t& places, double factor);

// Stores an 82-byte goods record received from the register into the goods slot
// of its number: bytes 0-48 as they are, the barcode (blanks stored as "0"),
// group to HALO index, and the unit. False (nothing written) for a number outside
// 1-2000 or a short record.
bool StoreRegisterGoodsRecord(WorkImage& image, const QByteArray& record);
// The 68-byte PC record that register record stands for (empty when it has none).
QByteArray PcGoodsRecordFromRegister(const QByteArray& record);

// Removes goods number n from every quick key: its entries are cleared, the later
// entries of that key move up and the key's count drops. Keys without n stay as
// they are. Returns how many keys changed.
int RemoveGoodsFromQuickKeys(WorkImage& image, int goodsNumber);

// Sets the packaging field of every goods record that refers to packaging n to 0
// (the packaging is about to be deleted). Returns how many records changed.
int UnlinkPackagingFromGoods(WorkImage& image, int packaging);
