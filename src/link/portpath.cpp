#include "link/portpath.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

QString UserPortsDirectory() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/zelk-tuvo/ports");
}

namespace {
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
    if (qEnvironmentVariableIsSet("TUVO_PORTS_DIR"))
        return qEnvironmentVariable("TUVO_PORTS_DIR") + QLatin1Char('/') + name;
    const QFileInfo mapped(UserPortsDirectory() + QLatin1Char('/') + name);
    if (mapped.exists() || mapped.isSymLink()) return mapped.filePath();
    if (port <= 4) return QStringLiteral("/dev/ttyS%1").arg(port - 1);
    if (port <= 20) return QStringLiteral("/dev/ttyUSB%1").arg(port - 5);
    if (port <= 36) return QStringLiteral("/dev/ttyACM%1").arg(port - 21);
    return QString();
}

QString ComPortName(int port) { return QStringLiteral("COM ") + QString::number(port); }
