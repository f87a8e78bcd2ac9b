#pragma once
// Values of the single-setting forms (VAT rates, record currency, training NIP,
// HALO table, goods units), converted between what the user types, what the
// image stores and what the register is sent.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

#include "tables/tablevalues.h"

enum class VatState { Taxed, Exempt, Inactive };

struct VatRow {
    VatState state = VatState::Inactive;
    QString text;  // the value field, read for a taxed row only
};

// A stored rate as the form shows it: its state and "23.00" (special values and
// "0.00"); nullopt for a value that is none of them (the row is left alone).
std::optional<VatRow> VatRowFromValue(uint16_t value);
// The seven rows as the 21 bytes of the image's VAT table, or the refusal.
// A taxed rate is floor(x * 100 + 0.0001) for A and + 0.001 for B to G, 0-9999.
Checked<QByteArray> VatTableFromRows(const std::array<VatRow, 7>& rows);
// The rates of `to` that differ from `from` (21-byte tables), one line each:
// "PTU A: 23,00% -> 8,00%"; a table that cannot be read names every rate.
QStringList VatChanges(const QByteArray& from, const QByteArray& to);

// The record-currency rate as the register is sent it: eight digits and their
// decimal count (the foreign-currency rules), and the symbol blank-filled in
// front to three characters.
QByteArray RecordCurrencySymbolField(const QString& symbol);
// The rate for the change in the database: the first "." read as ",".
std::optional<double> ParseDatabaseRate(const QString& text);
// The rate as the confirmation shows it: shortest general notation, "," for ".".
QString FormatRate(double rate);

// The training NIP padded with "0" to at least ten characters.
QString PaddedNip(const QString& nip);

// HALO entry as its field shows it: 100 -> "1,00", 5 -> "0,05".
QString FormatHaloAmount(int32_t grosz);
// The nine fields as grosz (value x 100 truncated), or the refusal.
Checked<std::array<int32_t, 9>> ParseHaloAmounts(const QStringList& fields);

// Goods unit names: each blank-filled to three characters for the register; read
// back as up to three characters ending at the first zero byte.
QString GoodsUnitText(const QString& unit);
QStringList GoodsUnitsFromReply(const QByteArray& nineBytes);
