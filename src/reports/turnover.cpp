#include "reports/turnover.h"

#include "common/numbers.h"
#include "common/prompts.h"
#include "image/fields.h"
#include "link/frames.h"
#include "link/registerlink.h"
#include "sync/tablesync.h"

QStringList TurnoverLines(const QByteArray& record) {
    const QByteArray r = record.leftJustified(turnover::kRecordSize, '\0');
    const char* p = r.constData();
    const int month = uint8_t(p[0]);
    if (month == 0) return {};
    QStringList lines{QStringLiteral("Obrót w miesiącu %1-%2").arg(month).arg(Word(p + 1))};
    for (int g = 1; g <= turnover::kGroups; ++g)
        lines << QStringLiteral("Grupa towarowa nr. %1: ").arg(g) +
                     FormatHundredths(int32_t(Long(p + 3 + (g - 1) * 4)));
    lines << QStringLiteral(" ");
    return lines;
}

bool ReadTurnover(RegisterLink& link, const std::function<void(const QStringList&)>& onLines) {
    const int last = ReadRecordSeries(link, SeriesRequest{0x06, turnover::kReplyLength, 0x8001, true},
                                      [&](const QByteArray& record) { onLines(TurnoverLines(record)); });
    if (last != ReplyStop) return true;
    link.prompts().Message(QStringLiteral("Wystapił błąd transmisji"));
    return false;
}
