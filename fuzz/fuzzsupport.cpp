#include "fuzzsupport.h"

#include <QFile>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

FuzzLine::FuzzLine() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    Require(master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0);
    const QString device = QString::fromLocal8Bit(::ptsname(master_));
    Require(QFile::link(device, dir_.path() + QStringLiteral("/COM1")));
    qputenv("TUVO_PORTS_DIR", QFile::encodeName(dir_.path()));
    PortSettings s;
    s.port = 1;
    Require(link.OpenPort(s, false) == 0);
}

FuzzLine::~FuzzLine() {
    link.ClosePort();
    if (master_ >= 0) ::close(master_);
}

void FuzzLine::Send(const QByteArray& bytes) {
    int done = 0;
    while (done < bytes.size()) {
        const ssize_t w = ::write(master_, bytes.constData() + done, size_t(bytes.size() - done));
        if (w <= 0) break;  // the line is full: the rest is lost, as on a real one
        done += int(w);
    }
}

void FuzzLine::Clear() {
    char buf[4096];
    while (::read(master_, buf, sizeof buf) > 0) {
    }
    ::tcflush(master_, TCIOFLUSH);
    while (link.BytesWaiting() > 0 && !link.Read(RegisterLink::kRxSize).isEmpty()) {
    }
}
