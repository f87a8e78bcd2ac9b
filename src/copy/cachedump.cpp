#include "copy/cachedump.h"

#include <QSaveFile>

#include "common/clock.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registerlink.h"

QByteArray CacheDumpTrailer(const QDateTime& when) {
    return QByteArray("\r") + "Data wykoniania kopii: " + when.date().toString(QStringLiteral("yyyy-MM-dd")).toLatin1() +
           ' ' + when.time().toString(QStringLiteral("HH:mm")).toLatin1();
}

CacheDumpOutcome DumpCacheMemory(RegisterLink& link, const QString& path, const QDateTime& when,
                                 const std::function<void(int)>& progress) {
    CacheDumpOutcome out;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return out;
    link.FlushPort();
    if (!link.Send(CacheDumpRequestFrame())) return out;
    link.clock().Sleep(100);
    bool ok = true;
    for (;;) {
        const Reply reply = ReadReply(link, kCachePacketSize + 9, true, false);
        if (reply.result == ReplyBadCrc) {
            // Unanswered, the register would wait and the rest of the dump be
            // lost: it is told to go on, and the packet's place is kept, zeroed.
            ++out.damaged;
            ok = ok && file.write(QByteArray(kCachePacketSize, '\0')) == kCachePacketSize;
            ++out.packets;
            if (progress) progress(out.packets);
            link.Send(ControlFrame(ControlNext));
            continue;
        }
        if (reply.result == ReplyStop) {
            out.errorCode = reply.errorCode;
            break;
        }
        ok = ok && file.write(reply.Payload()) == kCachePacketSize;
        ++out.packets;
        if (progress) progress(out.packets);
        if (reply.result == ReplyLast) {
            // A cancel also ends the dump; only the register's last packet completes it.
            out.complete = reply.LastFlag();
            out.cancelled = !out.complete;
            if (out.cancelled) {
                file.cancelWriting();
                return out;
            }
            ok = ok && file.write(CacheDumpTrailer(when)) > 0;
            break;
        }
    }
    // What came is kept, a broken-off dump too; an older, longer file leaves no tail.
    out.written = ok && file.commit();
    return out;
}
