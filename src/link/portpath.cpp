#include "link/portpath.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QFile>
#include <cstdio>

QString UserPortsDirectory() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/zelk-tuvo/ports");
}

namespace {
// The folder whose COMn links are in effect: $TUVO_PORTS_DIR, else the user's.
QString PortsDirectoryInEffect() {
    return qEnvironmentVariableIsSet("TUVO_PORTS_DIR") ? qEnvironmentVariable("TUVO_PORTS_DIR") : UserPortsDirectory();
}

QHash<int, QString>& DeviceOverrides() {
    static QHash<int, QString> devices;
    return devices;
}
}  // namespace

void SetComPortDevice(int port, const QString& device) {
    if (device.isEmpty()) DeviceOverrides().remove(port);
    else DeviceOverrides().insert(port, device);
}

QString ComPortPath(int port) {
    if (port < 1 || port > 99) return QString();
    if (const auto it = DeviceOverrides().constFind(port); it != DeviceOverrides().constEnd()) return *it;
    const QString name = QStringLiteral("COM%1").arg(port);
    const QString mappedPath = PortsDirectoryInEffect() + QLatin1Char('/') + name;
    if (qEnvironmentVariableIsSet("TUVO_PORTS_DIR")) return mappedPath;  // a private folder maps every port
    const QFileInfo mapped(mappedPath);
    if (mapped.exists() || mapped.isSymLink()) return mapped.filePath();
    if (port <= 4) return QStringLiteral("/dev/ttyS%1").arg(port - 1);
    if (port <= 20) return QStringLiteral("/dev/ttyUSB%1").arg(port - 5);
    if (port <= 36) return QStringLiteral("/dev/ttyACM%1").arg(port - 21);
    return QString();
}

QString ComPortName(int port) { return QStringLiteral("COM ") + QString::number(port); }

QList<SerialById> SerialByIdDevices() {
    QString dir = qEnvironmentVariable("TUVO_SERIAL_BY_ID_DIR");
    if (dir.isEmpty()) dir = QStringLiteral("/dev/serial/by-id");
    QList<SerialById> out;
    const QFileInfoList entries = QDir(dir).entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& e : entries) out << SerialById{e.fileName(), e.filePath(), e.canonicalFilePath()};
    return out;
}

QString PortDeviceText(int port) { return PortDeviceText(port, SerialByIdDevices()); }

QString PortDeviceText(int port, const QList<SerialById>& adapters) {
    const QString path = ComPortPath(port);
    const QString device = path.isEmpty() ? QString() : QFileInfo(path).canonicalFilePath();
    if (device.isEmpty()) return QStringLiteral("brak urządzenia");
    for (const SerialById& s : adapters)
        if (s.device == device) return device + QStringLiteral(" (") + s.name + QLatin1Char(')');
    return device;
}

bool AssignComPort(int port, const QString& device, QString* error) {
    const QString dir = PortsDirectoryInEffect();
    const QString link = dir + QStringLiteral("/COM%1").arg(port);
    if (port < 1 || port > 99 || device.isEmpty()) {
        *error = QStringLiteral("Nie wybrano portu lub urządzenia.");
        return false;
    }
    if (!QDir().mkpath(dir)) {
        *error = QStringLiteral("Nie można utworzyć folderu ") + dir + QLatin1Char('.');
        return false;
    }
    // The new link is made beside the old one and renamed over it, so COM n is
    // never left without a device half-way.
    const QString fresh = link + QStringLiteral(".new");
    QFile::remove(fresh);
    if (!QFile::link(device, fresh) || std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(link).constData()) != 0) {
        QFile::remove(fresh);
        *error = QStringLiteral("Nie można utworzyć dowiązania ") + link + QLatin1Char('.');
        return false;
    }
    return true;
}
