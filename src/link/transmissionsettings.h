#pragma once
// ustaw.cfg: the COM port and its line settings, kept between runs (14 bytes).
#include <QByteArray>
#include <QString>

#include "link/portsettings.h"

// Settings from directory/ustaw.cfg; the defaults where the file is missing or
// too short to hold a field.
PortSettings LoadTransmissionSettings(const QString& directory);
// The same, refusing a damaged file (a wrong size, or a value no port takes):
// `damaged` is set and the defaults come back.
PortSettings LoadTransmissionSettings(const QString& directory, bool* damaged);
// A whole ustaw.cfg whose every field is one a port can take.
bool TransmissionSettingsValid(const QByteArray& bytes);
bool SaveTransmissionSettings(const PortSettings& settings, const QString& directory);
QByteArray EncodeTransmissionSettings(const PortSettings& settings);
PortSettings DecodeTransmissionSettings(const QByteArray& bytes);
