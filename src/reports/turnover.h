#pragma once
// The register's monthly turnover of the 20 goods groups: the 83-byte record and
// its lines of text.
#include <QByteArray>
#include <QStringList>
#include <functional>

class RegisterLink;

namespace turnover {
constexpr int kRecordSize = 83;
constexpr int kReplyLength = 92;
constexpr int kGroups = 20;
}  // namespace turnover

// "Obrót w miesiącu 7-2024", a line per group, and a line of one blank; nothing
// for a record without data (month 0).
QStringList TurnoverLines(const QByteArray& record);

// Reads every monthly record, handing each one's lines over as it comes. False
// when the read gave up ("Wystapił błąd transmisji" shown after the reply's
// own message).
bool ReadTurnover(RegisterLink& link, const std::function<void(const QStringList&)>& onLines);
