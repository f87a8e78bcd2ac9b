#pragma once
// The register's information record (two layouts, told apart by the reply's
// length) shown field by field, and the additional settings command.
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

class RegisterLink;

constexpr int kLongInfoFrame = 124;
constexpr int kShortInfoFrame = 115;

// One value label and what it shows; no text where the record's value has no
// name (the label keeps what it showed).
struct InfoValue {
    const char* label;
    std::optional<QString> text;
};
struct RegisterInformation {
    QList<InfoValue> values;
    bool changePlanned = false;  // enables the labels of the planned currency change
    bool longRecord = false;     // which of the two layouts it came in
    QString Text(const char* label) const;
};
// payload: the frame from offset 7; longRecord: the 124-byte layout. Short input
// reads as zeros.
RegisterInformation DecodeInformation(const QByteArray& payload, bool longRecord);

// What each value is called: its caption on the form, a stable key for
// machine-readable output, and its value label. The groups in the form's order,
// the planned record-currency change last.
struct InfoRow {
    const char* key;
    const char* caption;
    const char* label;
};
struct InfoGroup {
    const char* title;
    QList<InfoRow> rows;
};
const QList<InfoGroup>& InformationGroups();

// Asks for the record: nullopt (and "Brak komunikacji" shown) when no complete
// record of either length came.
std::optional<RegisterInformation> ReadInformation(RegisterLink& link);

// The 22 bytes of the additional settings, from the fourteen lists' positions and
// the five numbers typed, in the command's order.
struct AdditionalSettings {
    QList<int> lists;    // ComboBox1..ComboBox14, item index each
    QList<qint64> numbers;  // Edit1..Edit5
};
QByteArray AdditionalSettingsPayload(const AdditionalSettings& s);
