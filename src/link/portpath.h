#pragma once
#include <QString>

// The device behind "COM n": $TUVO_PORTS_DIR/COMn when that variable is set (and
// nothing else); else the user's ports folder when it maps n; else the built-in
// table (COM1-4 ttyS0-3, COM5-20 ttyUSB0-15, COM21-36 ttyACM0-15). Empty when the
// number has no device.
QString ComPortPath(int port);
// Makes "COM n" this device for the rest of the process, before every other
// rule (the command line's --port given as a device path). An empty device
// takes the mapping back.
void SetComPortDevice(int port, const QString& device);
// "COM n", as every list and caption names a port.
QString ComPortName(int port);
// The user's ports folder, $XDG_CONFIG_HOME/zelk-tuvo/ports.
QString UserPortsDirectory();
