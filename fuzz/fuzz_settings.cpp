// ustaw.cfg of any content: the settings read from it are within what the port
// accepts or the defaults, and settings written back read the same again; a
// file taken as sound is still sound once written back.
#include <QByteArray>
#include <cstdint>

#include "fuzzsupport.h"
#include "link/transmissionsettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(data), int(qMin<size_t>(size, 64)));
    const PortSettings s = DecodeTransmissionSettings(file);
    Require((s.port >= 1 && s.port <= 99) || s.port == kNoPort);
    const QByteArray encoded = EncodeTransmissionSettings(s);
    Require(encoded.size() == 14);
    const PortSettings again = DecodeTransmissionSettings(encoded);
    Require(EncodeTransmissionSettings(again) == encoded);
    // A file taken as sound stays sound when written back.
    if (TransmissionSettingsValid(file)) Require(TransmissionSettingsValid(encoded));
    return 0;
}
