#pragma once
// Every command the PC sends to the register, as frames built from the bytes
// they are given. Nothing here reads the image or touches the port: the one
// exchange routine sends a frame and reads its answer.
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

#include "image/smalltables.h"
#include "link/frames.h"

// Records of the seven numbered tables, built from the record's bytes as the
// image keeps them (`slot`). An empty slot, or a number outside the table, has
// no frame.
std::optional<Frame> RecordFrame(RecordTable table, uint16_t number, int record, const QByteArray& slot,
                                 uint8_t confirm);

// Tables sent as they stand, from their bytes in the image.
Frame VatRatesFrame(const QByteArray& vat21, uint8_t confirm);
Frame HeaderFrame(const QByteArray& header259);
Frame FooterFrame(const QByteArray& footer130, uint8_t confirm);
Frame HaloFrame(const QByteArray& entries1to9);  // entry 0 is never sent
// The key's 34 bytes as the image keeps them; none for a cashier or key outside 1-10.
std::optional<Frame> QuickKeyFrame(uint16_t number, int cashier, int key, const QByteArray& key34, uint8_t confirm);

// A table or value request; the register answers with data frames.
Frame RequestFrame(uint16_t number, uint8_t command, uint16_t argument);

// Deletion in the register: it deletes only when the name matches. The name is the
// raw stored name, cut to the area the command has for it.
std::optional<Frame> DeleteFrame(RecordTable table, uint16_t number, int record, const QByteArray& name,
                                 uint8_t confirm);

// Reports.
Frame PeriodicReportMonthlyFrame(uint8_t kind, int year, int month);
Frame PeriodicReportByDatesFrame(uint8_t kind, const QDate& from, const QDate& to);
Frame PeriodicReportByNumbersFrame(uint8_t kind, int first, int last);
Frame SalesReportForGoodsFrame(uint8_t rangeKind, int first, int last, uint8_t zeroing, uint8_t zeroRecords);
Frame SalesReportForGroupFrame(int group, uint8_t zeroing, uint8_t zeroRecords);
Frame VatBaseReportForGoodsFrame(uint8_t rangeKind, int first, int last, uint8_t zeroRecords);
Frame VatBaseReportForGroupFrame(int group, uint8_t zeroRecords);
Frame PluReportForGoodsFrame(uint8_t rangeKind, int first, int last, uint8_t zeroRecords);
Frame PluReportForGroupFrame(int group, uint8_t zeroRecords);
Frame CashierReportFrame(int cashier, uint8_t zeroing, uint8_t full);
Frame ShiftSalesReportFrame(uint8_t zeroRecords, uint8_t zeroing);
Frame DiscountReportFrame(uint8_t zeroRecords, uint8_t zeroing);
Frame PackagingReportFrame(uint8_t zeroRecords, uint8_t zeroing);
Frame PaymentFormReportFrame(uint8_t zeroRecords, uint8_t zeroing);
Frame GroupReportFrame(uint8_t zeroRecords, uint8_t zeroing);
Frame InactiveGoodsReportFrame();
Frame FixedTextsReportFrame();
Frame VatRatesReportFrame();
Frame RegisterStateReportFrame();
Frame QuickKeysReportFrame();
Frame GroupTurnoverReportFrame(int monthFrom, int yearFrom, int monthTo, int yearTo, bool zeroRecords);

// Settings and other commands.
Frame ClockFrame(const QDateTime& when);
Frame RecordCurrencyFrame(uint32_t mantissa, uint8_t places, const QString& symbol, uint8_t denomination,
                          uint8_t printConversion, const QDate& date);
Frame ManagerPasswordFrame(const QString& oldPassword, const QString& newPassword, uint8_t confirm);
Frame GoodsUnitsFrame(const QString& unit1, const QString& unit2, const QString& unit3);
// function is the form's list index 0-7; the register's code 2 is never sent.
Frame QuickSaleKeysFrame(int cashier, int key, int function, uint8_t kind, int record);
uint8_t QuickSaleFunctionCode(int listIndex);
// None for a NIP longer than the register's 16 characters.
std::optional<Frame> NipFrame(const QString& nip);
Frame FunctionKeyFrame(uint8_t cashier, uint8_t key, uint8_t code);
Frame AdditionalSettingsFrame(const QByteArray& settings22);
// The connection query, to the address being asked.
Frame QueryFrame(uint8_t address, uint16_t number);
Frame CacheDumpRequestFrame();
// Always to address 1.
Frame SalesClearFrame();
// Electronic copy: mode 1 last document, 2 by numbers, 3 by dates, 4 cache print;
// bytes 8-20 as the mode needs them; handling 1 print, 2 send to the PC.
Frame CopyReadFrame(uint8_t mode, const QByteArray& bytes8to20, uint8_t handling);
QByteArray CopyRangeByNumbers(int firstReport, uint32_t firstReceipt, int lastReport,
                              uint32_t lastReceipt, uint8_t scope);
QByteArray CopyRangeByDates(const QDateTime& from, const QDateTime& to, uint8_t scope);
