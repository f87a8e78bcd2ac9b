#include "link/transmissionsettings.h"

#include <QFile>
#include <QSaveFile>

#include "image/fields.h"

namespace {
constexpr int kFileSize = 14;
QString SettingsPath(const QString& directory) { return directory + QStringLiteral("/ustaw.cfg"); }
}  // namespace

PortSettings DecodeTransmissionSettings(const QByteArray& b) {
    PortSettings s;  // defaults for whatever the file lacks
    const auto at = [&](int i) { return uint8_t(b[i]); };
    if (b.size() > 1) s.port = at(1);
    if (b.size() > 5) s.baud = Long(b.constData() + 2);
    if (b.size() > 6) s.dataBits = at(6);
    if (b.size() > 7) s.parity = at(7);
    if (b.size() > 8) s.stopBits = at(8);
    if (b.size() > 9) s.xonXoff = at(9);
    if (b.size() > 10) s.rtsCts = at(10);
    for (int i = 0; i < 3; ++i)
        if (b.size() > 11 + i) s.spare[i] = at(11 + i);
    // A number no port can have means no port.
    if (s.port < 1 || s.port > 99) s.port = kNoPort;
    return s;
}

QByteArray EncodeTransmissionSettings(const PortSettings& s) {
    QByteArray b(kFileSize, '\0');
    b[1] = char(s.port & 0xFF);
    PutLong(b.data() + 2, s.baud);
    b[6] = char(s.dataBits);
    b[7] = char(s.parity);
    b[8] = char(s.stopBits);
    b[9] = char(s.xonXoff);
    b[10] = char(s.rtsCts);
    for (int i = 0; i < 3; ++i) b[11 + i] = char(s.spare[i]);
    return b;
}

PortSettings LoadTransmissionSettings(const QString& directory) {
    QFile f(SettingsPath(directory));
    if (!f.open(QIODevice::ReadOnly)) return PortSettings();
    return DecodeTransmissionSettings(f.read(kFileSize));
}

bool TransmissionSettingsValid(const QByteArray& b) {
    if (b.size() != kFileSize) return false;
    const PortSettings s = DecodeTransmissionSettings(b);
    const int port = uint8_t(b[1]);
    return (port == kNoPort || (port >= 1 && port <= 99)) && s.baud >= 50 && s.baud <= 4000000 && s.dataBits >= 5 &&
           s.dataBits <= 8 && s.parity <= 4 && s.stopBits <= 2 && s.xonXoff <= 1 && s.rtsCts <= 1;
}

PortSettings LoadTransmissionSettings(const QString& directory, bool* damaged) {
    *damaged = false;
    QFile f(SettingsPath(directory));
    if (!f.open(QIODevice::ReadOnly)) return PortSettings();
    const QByteArray bytes = f.read(kFileSize + 1);
    if (!TransmissionSettingsValid(bytes)) {
        *damaged = true;
        return PortSettings();
    }
    return DecodeTransmissionSettings(bytes);
}

bool SaveTransmissionSettings(const PortSettings& settings, const QString& directory) {
    QSaveFile f(SettingsPath(directory));
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(EncodeTransmissionSettings(settings));
    return f.commit();
}
