#pragma once
// ustaw.cfg: the COM port and its line settings, kept between runs (14 bytes).
#include <QByteArray>
#include <QString>

#include "link/portsettings.h"

// Settings from directory/ustaw.cfg; the defaults where the file is missing or
// too short to hold a field.
PortSettings LoadTransmissionSettings(const QString& directory);
bool SaveTransmissionSettings(const PortSettings& settings, const QString& directory);
QByteArray EncodeTransmissionSettings(const PortSettings& settings);
PortSettings DecodeTransmissionSettings(const QByteArray& bytes);
