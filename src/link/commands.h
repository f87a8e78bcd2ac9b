#pragma once
// Every command the PC sends to the register. Each builder fills one frame around
// its payload with SendFrame and returns whether the frame went out.
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <cstdint>

#include "image/smalltables.h"

class RegisterLink;
class WorkImage;

// The one frame builder: header, payload from offset 7 (zero-filled to L - 9
// bytes), check byte, ETX; sent with SendBytes in mode 1.
bool SendFrame(RegisterLink& link, uint8_t address, int length, uint16_t number, uint8_t command,
               const QByteArray& payload = QByteArray());

// Records of the seven numbered tables, copied from the image. An empty slot (or a
// number outside the table) sends nothing and gives false.
bool SendTableRecord(RegisterLink& link, WorkImage& image, RecordTable table, uint16_t number,
                     int record, uint8_t confirm);
bool SendGoodsRecord(RegisterLink& link, WorkImage& image, uint16_t number, int goods, uint8_t confirm);
bool SendDiscountRecord(RegisterLink& link, WorkImage& image, uint16_t number, int n, uint8_t confirm);
bool SendCashierRecord(RegisterLink& link, WorkImage& image, uint16_t number, int n, uint8_t confirm);
bool SendPaymentFormRecord(RegisterLink& link, WorkImage& image, uint16_t number, int n, uint8_t confirm);
bool SendCurrencyRecord(RegisterLink& link, WorkImage& image, uint16_t number, int n, uint8_t confirm);
bool SendPackagingRecord(RegisterLink& link, WorkImage& image, uint16_t number, int n, uint8_t confirm);
bool SendGroupRecord(RegisterLink& link, WorkImage& image, uint16_t number, int n, uint8_t confirm);

// Tables sent as they stand.
bool SendVatRates(RegisterLink& link, WorkImage& image, uint8_t confirm);
bool SendHeader(RegisterLink& link, WorkImage& image);
bool SendFooter(RegisterLink& link, WorkImage& image, uint8_t confirm);
bool SendHaloTable(RegisterLink& link, WorkImage& image);
bool SendQuickKey(RegisterLink& link, WorkImage& image, uint16_t number, int cashier, int key,
                  uint8_t confirm);

// A table or value request; the register answers with data frames.
bool SendRequest(RegisterLink& link, uint8_t address, uint16_t number, uint8_t command,
                 uint16_t argument);

// Deletion in the register: it deletes only when the name matches. The name is the
// raw stored name, cut to the area the command has for it.
bool SendDeleteRecord(RegisterLink& link, RecordTable table, uint16_t number, int record,
                      const QByteArray& name, uint8_t confirm);
bool SendDeleteGoods(RegisterLink& link, uint16_t number, int goods, const QByteArray& name, uint8_t confirm);
bool SendDeleteDiscount(RegisterLink& link, uint16_t number, int n, const QByteArray& name, uint8_t confirm);
bool SendDeleteCashier(RegisterLink& link, uint16_t number, int n, const QByteArray& name);
bool SendDeletePaymentForm(RegisterLink& link, uint16_t number, int n, const QByteArray& name, uint8_t confirm);
bool SendDeleteCurrency(RegisterLink& link, uint16_t number, int n, const QByteArray& name);
bool SendDeletePackaging(RegisterLink& link, uint16_t number, int n, const QByteArray& name);
bool SendDeleteGroup(RegisterLink& link, uint16_t number, int n, const QByteArray& name);

// Reports.
bool SendPeriodicReportMonthly(RegisterLink& link, uint8_t kind, int year, int month);
bool SendPeriodicReportByDates(RegisterLink& link, uint8_t kind, const QDate& from, const QDate& to);
bool SendPeriodicReportByNumbers(RegisterLink& link, uint8_t kind, int first, int last);
bool SendSalesReportForGoods(RegisterLink& link, uint8_t rangeKind, int first, int last, uint8_t zeroing,
                             uint8_t zeroRecords);
bool SendSalesReportForGroup(RegisterLink& link, int group, uint8_t zeroing, uint8_t zeroRecords);
bool SendVatBaseReportForGoods(RegisterLink& link, uint8_t rangeKind, int first, int last, uint8_t zeroRecords);
bool SendVatBaseReportForGroup(RegisterLink& link, int group, uint8_t zeroRecords);
bool SendPluReportForGoods(RegisterLink& link, uint8_t rangeKind, int first, int last, uint8_t zeroRecords);
bool SendPluReportForGroup(RegisterLink& link, int group, uint8_t zeroRecords);
bool SendCashierReport(RegisterLink& link, int cashier, uint8_t zeroing, uint8_t full);
bool SendShiftSalesReport(RegisterLink& link, uint8_t zeroRecords, uint8_t zeroing);
bool SendDiscountReport(RegisterLink& link, uint8_t zeroRecords, uint8_t zeroing);
bool SendPackagingReport(RegisterLink& link, uint8_t zeroRecords, uint8_t zeroing);
bool SendPaymentFormReport(RegisterLink& link, uint8_t zeroRecords, uint8_t zeroing);
bool SendGroupReport(RegisterLink& link, uint8_t zeroRecords, uint8_t zeroing);
bool SendInactiveGoodsReport(RegisterLink& link);
bool SendFixedTextsReport(RegisterLink& link);
bool SendVatRatesReport(RegisterLink& link);
bool SendRegisterStateReport(RegisterLink& link);
bool SendQuickKeysReport(RegisterLink& link);
bool SendGroupTurnoverReport(RegisterLink& link, int monthFrom, int yearFrom, int monthTo, int yearTo,
                             bool zeroRecords);

// Settings and other commands.
bool SendClock(RegisterLink& link, const QDateTime& when);
bool SendRecordCurrency(RegisterLink& link, uint32_t mantissa, uint8_t places, const QString& symbol,
                        uint8_t denomination, uint8_t printConversion, const QDate& date);
bool SendManagerPassword(RegisterLink& link, const QString& oldPassword, const QString& newPassword,
                         uint8_t confirm);
bool SendGoodsUnits(RegisterLink& link, const QString& unit1, const QString& unit2, const QString& unit3);
// function is the form's list index 0-7; the register's code 2 is never sent.
bool SendQuickSaleKeys(RegisterLink& link, int cashier, int key, int function, uint8_t kind, int record);
uint8_t QuickSaleFunctionCode(int listIndex);
bool SendNip(RegisterLink& link, const QString& nip);
bool SendFunctionKey(RegisterLink& link, uint8_t cashier, uint8_t key, uint8_t code);
bool SendAdditionalSettings(RegisterLink& link, const QByteArray& settings22);
bool SendQuery(RegisterLink& link, uint8_t address, uint16_t number);
bool SendCacheDumpRequest(RegisterLink& link);
bool SendSalesClear(RegisterLink& link);
// Electronic copy: mode 1 last document, 2 by numbers, 3 by dates, 4 cache print;
// bytes 8-20 as the mode needs them; handling 1 print, 2 send to the PC.
bool SendCopyRead(RegisterLink& link, uint8_t mode, const QByteArray& bytes8to20, uint8_t handling);
QByteArray CopyRangeByNumbers(int firstReport, uint32_t firstReceipt, int lastReport,
                              uint32_t lastReceipt, uint8_t scope);
QByteArray CopyRangeByDates(const QDateTime& from, const QDateTime& to, uint8_t scope);
