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
    bool complete = false;  // the last packet came
    bool written = false;   // the file holds what came
};

// The byte 13, "Data wykoniania kopii: ", the date, a blank and the time.
QByteArray CacheDumpTrailer(const QDateTime& when);
// Asks for the dump and writes it to `path` through a new file that replaces the
// old one whole. A damaged packet is skipped and the next one read.
CacheDumpOutcome DumpCacheMemory(RegisterLink& link, const QString& path, const QDateTime& when,
                                 const std::function<void(int packets)>& progress = {});
