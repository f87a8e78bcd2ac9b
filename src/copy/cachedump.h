#pragma once
// The register's cache memory dumped to a file: 8192 packets of 256 bytes, then
// a line with the date and time of the dump.
#include <QDateTime>
#include <QString>
#include <functional>

class RegisterLink;

constexpr int kCachePackets = 8192;
constexpr int kCachePacketSize = 256;

struct CacheDumpOutcome {
    int packets = 0;
    int damaged = 0;        // packets with a wrong check byte, written as zeros
    bool complete = false;  // the last packet came
    bool cancelled = false; // the user stopped it (the file was left as it was)
    bool written = false;   // the file holds what came
    int errorCode = 0;      // the register's refusal, when it refused
};

// The byte 13, "Data wykoniania kopii: ", the date, a blank and the time.
QByteArray CacheDumpTrailer(const QDateTime& when);
// Asks for the dump and writes it to `path` through a new file that replaces the
// old one whole. A damaged packet keeps its place as zeros and the dump goes on; a dump the
// register broke off keeps what came; a cancelled one leaves the file as it was
// (the old dump or nothing). Nothing is shown: the outcome says what happened.
CacheDumpOutcome DumpCacheMemory(RegisterLink& link, const QString& path, const QDateTime& when,
                                 const std::function<void(int packets)>& progress = {});
