#include "link/registerlink.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include "common/clock.h"
#include "common/prompts.h"
#include "common/appstate.h"
#include "link/frames.h"
#include "link/portpath.h"

bool SetArbitraryBaudRate(int fd, unsigned baud);

namespace {

speed_t StandardSpeed(uint32_t baud) {
    switch (baud) {
        case 110: return B110;
        case 300: return B300;
        case 600: return B600;
        case 1200: return B1200;
        case 2400: return B2400;
        case 4800: return B4800;
        case 9600: return B9600;
        case 19200: return B19200;
        case 38400: return B38400;
        case 57600: return B57600;
        case 115200: return B115200;
        case 230400: return B230400;
        case 460800: return B460800;
        case 921600: return B921600;
        default: return B0;
    }
}

int MsUntil(RegisterLink::Deadline deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return left.count() < 0 ? 0 : int(left.count());
}

}  // namespace

RegisterLink::RegisterLink(Prompts& prompts, Clock& clock) : prompts_(prompts), clock_(clock) {}

RegisterLink::~RegisterLink() { CloseHandle(); }

void RegisterLink::UseSettings(const PortSettings& settings) {
    ClosePort();
    settings_ = settings;
}

int RegisterLink::OpenRegisterPort(bool showMessages) {
    if (OpenPort(settings_, showMessages) == 0) return 0;
    settings_.port = kNoPort;
    return 1;
}

int RegisterLink::OpenHandle(const PortSettings& wanted) {
    CloseHandle();
    device_ = ComPortPath(wanted.port);
    if (device_.isEmpty()) return 1;
    const QByteArray path = QFile::encodeName(device_);
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    // A device the user may not open is not a missing one: the user can fix it.
    if (fd < 0) return errno == EACCES || errno == EPERM ? 3 : 1;
    if (!isatty(fd)) {
        ::close(fd);
        return 1;
    }
    // Exclusive: a port held by another program, or by a second handle of this one,
    // does not open.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return 4;
    }
    ::ioctl(fd, TIOCEXCL);
    fd_ = fd;
    timeouts_ = CommTimeouts{0, 1, 100, 10, 100};
    if (!Configure()) {
        CloseHandle();
        return 2;
    }
    countersKnown_ = false;
    lost_ = false;
    LineState();  // clears whatever error was pending
    return 0;
}

QString OpenFailureText(int port, const QString& device, int reason) {
    const QString head = QStringLiteral("Nie mogę otworzyć portu COM") + QString::number(port);
    switch (reason) {
        case 2: return head + QStringLiteral(" z takimi ustawieniami.");
        case 3:
            return head + QStringLiteral(": brak uprawnień do urządzenia ") + device +
                   QStringLiteral(". Dodaj swojego użytkownika do grupy dialout (sudo usermod -aG dialout $USER) i "
                                  "zaloguj się ponownie.");
        case 4: return head + QStringLiteral(": port jest zajęty przez inny program.");
        default: return head + QLatin1Char('.');
    }
}

int RegisterLink::OpenPort(const PortSettings& wanted, bool showMessages) {
    const bool wasOpen = IsOpen() && !probing_;
    probing_ = false;
    const PortSettings previous = settings_;
    settings_ = wanted;  // Configure() applies the settings of the line
    const int r = OpenHandle(wanted);
    openFailure_ = r != 0 ? OpenFailureText(wanted.port, device_, r) : QString();
    if (r != 0) {
        if (showMessages) prompts_.Message(openFailure_);
        settings_ = previous;
        if (wasOpen) emit closed();
        return 1;
    }
    emit opened(settings_.port);
    return 0;
}

void RegisterLink::ClosePort() {
    const bool wasOpen = IsOpen() && !probing_;
    CloseHandle();
    probing_ = false;
    if (wasOpen) emit closed();
}

void RegisterLink::Disconnect() {
    ClosePort();
    settings_.port = kNoPort;
}

bool RegisterLink::OpenProbe(const PortSettings& probe) {
    ClosePort();
    probing_ = true;
    probe_ = probe;
    if (OpenHandle(probe) == 0) return true;
    probing_ = false;
    return false;
}

void RegisterLink::CloseProbe() {
    if (!probing_) return;
    CloseHandle();
    probing_ = false;
}

void RegisterLink::PortLost() {
    const bool user = !probing_;
    const int port = Line().port;
    CloseHandle();
    probing_ = false;
    if (lost_) return;
    lost_ = true;
    lostTold_ = true;
    prompts_.Message(QStringLiteral("Utracono połączenie z kasą (COM") + QString::number(port) +
                     QStringLiteral(")."));
    if (user) emit lost(settings_.port);
}

bool RegisterLink::Configure() {
    const PortSettings& s = Line();
    if (s.dataBits < 5 || s.dataBits > 8 || s.parity > 4 || s.baud == 0) return false;
    if (s.stopBits != 0 && s.stopBits != 2) return false;  // 1.5 stop bits do not exist here
    termios t {};
    if (::tcgetattr(fd_, &t) != 0) return false;
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | HUPCL);
    static const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    t.c_cflag |= sizes[s.dataBits - 5];
    switch (s.parity) {
        case 1: t.c_cflag |= PARENB | PARODD; break;
        case 2: t.c_cflag |= PARENB; break;
        case 3: t.c_cflag |= PARENB | CMSPAR | PARODD; break;
        case 4: t.c_cflag |= PARENB | CMSPAR; break;
        default: break;
    }
    if (s.parity != 0) t.c_iflag |= INPCK;
    if (s.stopBits == 2) t.c_cflag |= CSTOPB;
    t.c_iflag &= ~(IXON | IXOFF | IXANY);
    if (s.xonXoff) t.c_iflag |= IXON | IXOFF;
    if (s.rtsCts) t.c_cflag |= CRTSCTS;
    t.c_cc[VSTART] = 0x11;
    t.c_cc[VSTOP] = 0x13;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    const speed_t speed = StandardSpeed(s.baud);
    if (speed != B0) ::cfsetspeed(&t, speed);
    if (::tcsetattr(fd_, TCSANOW, &t) != 0) return false;
    if (speed == B0 && !SetArbitraryBaudRate(fd_, s.baud)) return false;
    int dtr = TIOCM_DTR;
    ::ioctl(fd_, TIOCMBIC, &dtr);  // DTR dropped; a pseudo-terminal has no modem lines
    return true;
}

void RegisterLink::CloseHandle() {
    if (fd_ < 0) return;
    // The exclusive flag outlives the close on a pseudo-terminal whose other end
    // stays open; clear it so the next open succeeds.
    ::ioctl(fd_, TIOCNXCL);
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

int RegisterLink::LineState() {
    if (fd_ < 0) return 1;
    serial_icounter_struct c {};
    if (::ioctl(fd_, TIOCGICOUNT, &c) != 0) {
        // A pseudo-terminal (or a driver without counters) has no line errors.
        if (errno != ENOTTY && errno != EINVAL) return 1;
    } else {
        const int now[5] = {c.frame, c.overrun, c.parity, c.brk, c.buf_overrun};
        bool grew = false;
        if (countersKnown_)
            for (int i = 0; i < 5; ++i) grew = grew || now[i] != counters_[i];
        std::memcpy(counters_, now, sizeof counters_);
        countersKnown_ = true;
        if (grew) return 1;
    }
    if (Line().rtsCts) {
        int lines = 0;
        if (::ioctl(fd_, TIOCMGET, &lines) == 0 && !(lines & TIOCM_CTS)) return 2;
    }
    return 0;
}

int RegisterLink::WriteWithin(const uint8_t* data, int n, int totalMs) {
    const Deadline deadline = std::chrono::steady_clock::now() +
                              std::chrono::milliseconds(clock_.TimeoutMs(totalMs));
    int done = 0;
    while (done < n) {
        const ssize_t w = ::write(fd_, data + done, size_t(n - done));
        if (w > 0) {
            done += int(w);
            continue;
        }
        if (w < 0 && errno == EINTR) continue;
        if (w < 0 && errno != EAGAIN) return done > 0 ? done : -1;
        const int left = MsUntil(deadline);
        if (left <= 0) break;
        pollfd p{fd_, POLLOUT, 0};
        ::poll(&p, 1, left);
    }
    return done;
}

bool RegisterLink::Send(const Frame& frame) {
    QByteArray bytes = frame.Bytes(address_);
    if (bytes.isEmpty()) return false;
    return SendBytes(reinterpret_cast<uint8_t*>(bytes.data()), 1, int(bytes.size())) == 0;
}

int RegisterLink::SendBytes(uint8_t* buffer, int mode, int length) {
    if (Line().port == kNoPort) {
        prompts_.Message(QStringLiteral("Nie wybrano portu komunikacyjnego."));
        return 1;
    }
    if (lost_) {
        // Until it is connected again, every operation says what happened, but
        // a transfer says it once.
        if (runDepth_ == 0 || !lostTold_)
            prompts_.Message(QStringLiteral("Utracono połączenie z kasą (COM") + QString::number(Line().port) +
                             QStringLiteral(")."));
        lostTold_ = true;
        return 1;
    }
    // What the register sends from now on is the answer to this write.
    rxAt_ = 0;
    int sent = 0;
    int idle = 0;
    for (;;) {
        int n = length - sent;
        if (mode == 0) {
            const void* zero = std::memchr(buffer + sent, 0, size_t(n));
            if (zero) n = int(static_cast<const uint8_t*>(zero) - (buffer + sent));
        }
        // Read time-outs stay in force for the reply that follows.
        timeouts_ = CommTimeouts{0, 10, 1000, 20, SendWriteConstant(n, Line().baud)};
        int written = -1;
        if (fd_ >= 0) {
            written = WriteWithin(buffer + sent, n, timeouts_.writeMultiplier * n + timeouts_.writeConstant);
        } else {
            errno = EBADF;  // selected but not open: the line test below reports it
        }
        if (written < 0 && (errno == EIO || errno == ENXIO || errno == ENODEV)) {
            // The port was lost (an unplugged adapter): reopen and try again; a
            // port that does not come back is given up.
            if (OpenHandle(Line()) != 0) {
                PortLost();
                return 1;
            }
            continue;
        }
        if (written == n) return 0;
        if (LineState() == 1) {
            buffer[0] = 0;
            prompts_.Message(QStringLiteral("Wystąpił błąd transmisji."));
            if (probing_) {
                CloseProbe();
            } else {
                Disconnect();
            }
            return 1;
        }
        if (Line().xonXoff || Line().rtsCts) {
            if (!waitForLine_ || !waitForLine_()) {
                buffer[0] = 0;
                return 1;
            }
        } else {
            clock_.Sleep(1);
            if (++idle > 1000) {
                buffer[0] = 0;
                return 1;
            }
        }
        if (written > 0) sent += written;
    }
}

RegisterLink::Deadline RegisterLink::ReadDeadline(int n) const {
    const int total = timeouts_.readMultiplier * n + timeouts_.readConstant;
    return std::chrono::steady_clock::now() + std::chrono::milliseconds(clock_.TimeoutMs(total));
}

int RegisterLink::ReadUntil(uint8_t* dst, int n, Deadline deadline) {
    if (fd_ < 0 || n <= 0) return 0;
    int got = 0;
    bool hungUp = false;
    for (;;) {
        const ssize_t r = ::read(fd_, dst + got, size_t(n - got));
        if (r > 0) {
            // Kept for the receive-buffer view as well.
            const int keep = qMin(int(r), kRxSize - rxAt_);
            if (keep > 0 && dst + got != rx_ + rxAt_) std::memcpy(rx_ + rxAt_, dst + got, size_t(keep));
            rxAt_ += keep;
            got += int(r);
        }
        if (got >= n) break;
        // A raw line reads 0 when nothing is there; after a hang-up it always
        // does, and a vanished device fails outright.
        if ((r == 0 && hungUp) || (r < 0 && (errno == EIO || errno == ENXIO || errno == ENODEV))) {
            PortLost();
            break;
        }
        if (r < 0 && errno != EAGAIN && errno != EINTR) break;
        // Less than asked for: what there was has been taken, so wait for more
        // rather than asking again at once.
        const int left = MsUntil(deadline);
        if (left <= 0) break;
        // Bytes that are on their way take their time on the line: wait until
        // all but the last can have come, rather than waking for each one (a
        // frame costs two wake-ups, not ninety). The last byte is still awaited
        // by poll, so the read ends the moment the frame is whole.
        if (r > 0 && n - got > 2 && Line().baud > 0) {
            const qint64 bits = 1 + Line().dataBits + (Line().parity ? 1 : 0) + (Line().stopBits ? 2 : 1);
            const qint64 us = qMin<qint64>(qint64(n - got - 1) * bits * 1000000 / Line().baud, qint64(left) * 1000);
            if (us > 200) {
                const timespec pause{time_t(us / 1000000), long(us % 1000000) * 1000};
                ::nanosleep(&pause, nullptr);
            }
        }
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, left);
        // A signal (the command line's interrupt, a resized terminal) is no
        // silence from the register: the wait goes on to its deadline.
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        if (p.revents & (POLLERR | POLLNVAL)) {
            PortLost();
            break;
        }
        hungUp = (p.revents & POLLHUP) != 0;
    }
    return got;
}

QByteArray RegisterLink::Read(int n) {
    n = qBound(0, n, int(kRxSize));
    QByteArray bytes(n, '\0');
    bytes.truncate(ReadUntil(reinterpret_cast<uint8_t*>(bytes.data()), n, ReadDeadline(n)));
    return bytes;
}

QByteArray RegisterLink::TakeWaiting(int n) {
    // A look at the port: what is taken is not kept as a reply.
    n = qMin(n, BytesWaiting());
    if (n <= 0) return {};
    QByteArray bytes(n, '\0');
    const ssize_t r = ::read(fd_, bytes.data(), size_t(n));
    bytes.truncate(r > 0 ? int(r) : 0);
    return bytes;
}

int RegisterLink::BytesWaiting() const {
    if (fd_ < 0) return 0;
    int n = 0;
    if (::ioctl(fd_, FIONREAD, &n) != 0) return 0;
    return n;
}

int RegisterLink::FlushPort() {
    const CommTimeouts saved = timeouts_;
    timeouts_ = CommTimeouts{0, 0, 1, 0, 1};
    int last = 0;
    uint8_t drained[50];
    for (int i = 0; i < 8192; ++i) {
        last = ReadUntil(drained, 50, ReadDeadline(50));
        if (last < 1) break;
    }
    timeouts_ = CommTimeouts{saved.readInterval, 1, 100, 10, 10};
    if (last > 0) {
        prompts_.Message(QStringLiteral("Wystąpił błąd komunikacji"));
        return 1;
    }
    return 0;
}

void FollowLink(RegisterLink& link, AppState& app) {
    QObject::connect(&link, &RegisterLink::opened, &link, [&app] { app.PortOpened(); });
    QObject::connect(&link, &RegisterLink::closed, &link, [&app] { app.PortClosed(); });
    QObject::connect(&link, &RegisterLink::lost, &link, [&app] { app.PortClosed(); });
}
