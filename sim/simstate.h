#pragma once
// What the simulated register holds: every table in the register's own record
// layouts (with their sales counters), its settings and its information record.
#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>

struct SimTable {
    int recordSize = 0;
    int count = 0;
    bool wideNumber = false;  // goods numbers are 16-bit
    QByteArray data;          // slot n at (n - 1) * recordSize

    SimTable() = default;
    SimTable(int size, int records, bool wide = false)
        : recordSize(size), count(records), wideNumber(wide), data(size * records, '\0') {}
    bool Holds(int n) const { return n >= 1 && n <= count; }
    char* Slot(int n) { return data.data() + (n - 1) * recordSize; }
    const char* Slot(int n) const { return data.constData() + (n - 1) * recordSize; }
    QByteArray Record(int n) const { return QByteArray(Slot(n), recordSize); }
    bool Present(int n) const;
    void Clear(int n) { std::fill(Slot(n), Slot(n) + recordSize, '\0'); }
    void Set(int n, const QByteArray& rec);
    int Used() const;
};

struct SimState {
    SimState();

    SimTable goods{82, 2000, true};
    SimTable discounts{36, 20};
    SimTable cashiers{324, 20};
    SimTable paymentForms{31, 10};
    SimTable currencies{42, 10};
    SimTable groups{26, 20};
    SimTable packagings{66, 20};
    SimTable quickKeys{34, 100};  // cashier c, key k at slot (c - 1) * 10 + k
    QByteArray vat;               // 21 bytes, letters A-G
    QByteArray header;            // 259 bytes
    QByteArray footer;            // 130 bytes
    QByteArray halo;              // nine amounts, 36 bytes
    QByteArray units;             // three names of 3 characters
    QByteArray settings;          // 22 bytes of additional settings
    QByteArray functionKeys;      // 10 cashiers x 10 keys, function codes
    QByteArray quickSaleKeys;     // 10 x 10 x 3 bytes
    QList<QByteArray> turnover;   // 83-byte monthly records
    QString managerPassword;

    // Information record.
    bool longInfo = true;
    int softwareVersion = 105;
    QByteArray programMemory = "TUVO-01.05";
    QByteArray uniqueNumber = "ZTV000123456";
    QByteArray nip;
    int fiscalSignature = 4711;
    int workingMode = 1;
    int memoryState = 0;
    QDateTime lastFiscalWrite;
    QDateTime lastDailyReport;
    int dailyReportNumber = 0;
    int copyMedium = 1;
    int ramResets = 0;
    int receiptsSinceDaily = 0;
    int receiptsSinceFiscalization = 0;
    int vatWrites = 0;
    int registerNumber = 1;
    QByteArray recordCurrency = "PLN";
    QDateTime recordCurrencySet;
    bool currencyChangePlanned = false;
    QByteArray newRecordCurrency;
    QDateTime currencyChangeDate;
    int copyCardSize = 2048;
    qint64 clockOffsetSecs = 0;  // the register clock relative to the host's

    QByteArray InfoPayload() const;  // 115 (long) or 106 (short) bytes
    QByteArray ElectronicCopyText() const;

    QJsonObject ToJson() const;
    bool FromJson(const QJsonObject& json, QString* error);
    void LoadDemo();  // a shop with goods, sales, cashiers and turnover
};

// Builders of the register's records from their fields.
QByteArray RegisterGoods(int number, const QString& name, char vat, uint32_t price,
                         const QString& barcode, int group, uint32_t quantitySold = 0,
                         uint32_t valueSold = 0, const QDateTime& lastSale = QDateTime());
QByteArray RegisterCashier(int number, const QString& name, const QString& password);
QByteArray RegisterGroup(int number, const QString& name);
