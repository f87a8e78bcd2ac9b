#pragma once
// The register's electronic copy streamed to the PC as text: after the read
// command the register sends the copy in pieces, each time the PC says it is
// ready (the byte 0xAA), and ends it with a zero byte.
#include <QByteArray>
#include <QString>
#include <functional>

class RegisterLink;

// Turns received blocks into the copy's text. A frame met in the stream (STX,
// then its length) is skipped by its own length, even across blocks, and the
// text around it is kept. Byte 10 is a line break, 0 ends the copy (the rest of
// its block still counts, as the register may send it), any other byte is a
// Windows-1250 character.
class CopyStreamReader {
public:
    QString Take(const QByteArray& block);
    bool Ended() const { return ended_; }

private:
    QByteArray header_;  // the start of a frame whose length has not come yet
    int skip_ = 0;       // bytes of a frame still to come
    bool ended_ = false;
};

enum class CopyStreamEnd { Complete, Silent, Cancelled, PortFailed };

// Receives the copy: each pass reads up to one receive block (1000 bytes)
// arriving within 20 ms, hands its text to `append`, and tells the register it
// is ready for more. It ends on the zero byte, after 10 s without a byte, on
// the link's cancel flag, or when the port fails.
CopyStreamEnd ReceiveCopyStream(RegisterLink& link, const std::function<void(const QString& text)>& append);
