#pragma once
#include <QList>
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

// USB serial adapters by their stable names, as udev lists them in
// /dev/serial/by-id ($TUVO_SERIAL_BY_ID_DIR instead when set): the name, its
// path there, and the device it stands for now.
struct SerialById {
    QString name;
    QString path;
    QString device;
};
QList<SerialById> SerialByIdDevices();
// What stands behind "COM n": the device it opens (links followed) and, for a
// USB adapter, its by-id name: "/dev/ttyUSB0 (usb-FTDI_…-if00-port0)";
// "brak urządzenia" when nothing is there.
QString PortDeviceText(int port);
// The same with the adapters already listed (a whole port list at once).
QString PortDeviceText(int port, const QList<SerialById>& adapters);
// Links "COM n" to a device in the ports folder in effect ($TUVO_PORTS_DIR when
// set, else the user's), replacing an earlier link; the reason when it could not.
bool AssignComPort(int port, const QString& device, QString* error);
