#include "simulator.h"
#include "image/fields.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;


uint8_t Crc(const QByteArray& f) {
    const int n = Word(f.constData() + 2) - 3;
    uint8_t x = 0xFF;
    for (int i = 1; i <= n && i < f.size(); ++i) x ^= uint8_t(f[i]);
    return uint8_t(~x);
}

// Register reply lengths of the table and value requests.
int ReplyLength(uint8_t command, bool longInfo) {
    switch (command) {
        case 'T': return 91;
        case 'R': return 45;
        case 'K': return 333;
        case 'F': return 40;
        case 'W': return 51;
        case 'G': return 35;
        case 'Z': return 75;
        case 'S': return 43;
        case 'P': return 30;
        case 'N': return 268;
        case 'J': return 18;
        case 'I': return longInfo ? 124 : 115;
        case 'X':
        case 'Y': return 62;
        case 0x06: return 92;
        case 0x03: return 30;
        case ':': return 265;
        default: return 0;
    }
}

bool SameBytes(const char* a, const char* b, int n) { return std::memcmp(a, b, size_t(n)) == 0; }

// A name compared over its field: the register keeps it 0x00-padded.
bool SameName(const char* stored, const char* sent, int width) {
    QByteArray a(stored, width), b(sent, width);
    return a == b;
}

}  // namespace

bool ParseFault(const QString& rule, Fault* fault, QString* error) {
    const QStringList parts = rule.split(QLatin1Char(':'));
    auto fail = [&](const QString& why) {
        if (error) *error = QStringLiteral("fault \"%1\": %2").arg(rule, why);
        return false;
    };
    if (parts.size() < 3) return fail(QStringLiteral("expected COMMAND:OCCURRENCE:KIND[:PARAM]"));
    Fault f;
    const QString c = parts[0];
    if (c == QLatin1String("*")) {
        f.command = -1;
    } else if (c.startsWith(QLatin1String("0x"))) {
        bool ok = false;
        f.command = c.mid(2).toInt(&ok, 16);
        if (!ok || f.command > 255) return fail(QStringLiteral("bad command byte"));
    } else if (c.size() == 1) {
        f.command = c[0].unicode();
    } else {
        return fail(QStringLiteral("the command is one character, 0xNN or *"));
    }
    bool ok = false;
    f.occurrence = parts[1].toInt(&ok);
    if (!ok || f.occurrence < 0) return fail(QStringLiteral("bad occurrence"));
    const QString kind = parts[2].toLower();
    static const QList<QPair<QString, FaultKind>> kinds = {
        {"busy", FaultKind::Busy},       {"paperout", FaultKind::PaperOut},
        {"printing", FaultKind::BusyPrinting}, {"error", FaultKind::Error},
        {"status", FaultKind::Status},   {"noreply", FaultKind::NoReply},
        {"truncate", FaultKind::Truncate}, {"damage", FaultKind::DamageCrc},
        {"delay", FaultKind::Delay},     {"ack", FaultKind::Ack}};
    bool found = false;
    for (const auto& k : kinds)
        if (k.first == kind) f.kind = k.second, found = true;
    if (!found) return fail(QStringLiteral("unknown kind"));
    if (parts.size() > 3) {
        f.param = parts[3].toInt(&ok);
        if (!ok) return fail(QStringLiteral("bad parameter"));
    } else {
        f.param = (f.kind == FaultKind::Busy || f.kind == FaultKind::Truncate) ? 1 : 0;
    }
    *fault = f;
    return true;
}

RegisterSimulator::RegisterSimulator() { ::pipe2(wake_, O_CLOEXEC | O_NONBLOCK); }

RegisterSimulator::~RegisterSimulator() {
    Detach();
    ::close(wake_[0]);
    ::close(wake_[1]);
}

bool RegisterSimulator::Attach(const QString& linkPath, QString* error) {
    Detach();
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        if (error) *error = QStringLiteral("no pseudo-terminal: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        Detach();
        return false;
    }
    devicePath_ = QString::fromLocal8Bit(::ptsname(master_));
    // The register keeps its own end of the line open, so the program can close and
    // reopen the port without the line hanging up; it is raw from the start.
    slave_ = ::open(devicePath_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (slave_ >= 0) {
        termios t {};
        ::tcgetattr(slave_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(slave_, TCSANOW, &t);
    }
    QFile::remove(linkPath);
    if (!QFile::link(devicePath_, linkPath)) {
        if (error) *error = QStringLiteral("cannot link %1 to %2").arg(linkPath, devicePath_);
        Detach();
        return false;
    }
    linkPath_ = linkPath;
    return true;
}

void RegisterSimulator::Detach() {
    if (!linkPath_.isEmpty() && QFileInfo(linkPath_).isSymLink()) QFile::remove(linkPath_);
    linkPath_.clear();
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    slave_ = master_ = -1;
}

void RegisterSimulator::Stop() {
    stop_ = true;
    const char c = 1;
    [[maybe_unused]] ssize_t w = ::write(wake_[1], &c, 1);
}

void RegisterSimulator::Run() {
    while (!stop_) {
        int timeout = 200;
        {
            std::lock_guard lock(mutex_);
            const TimePoint now = Clock::now();
            for (const Pending& p : pending_) {
                const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(p.due - now).count();
                timeout = std::min<int>(timeout, std::max<int>(0, int(ms)));
            }
        }
        pollfd fds[2] = {{master_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        ::poll(fds, 2, timeout);
        if (fds[1].revents & POLLIN) {
            char drain[16];
            while (::read(wake_[0], drain, sizeof drain) > 0) {
            }
        }
        std::lock_guard lock(mutex_);
        char buf[4096];
        for (;;) {
            const ssize_t r = ::read(master_, buf, sizeof buf);
            if (r <= 0) break;
            if (in_.isEmpty()) frameStarted_ = Clock::now();
            in_.append(buf, int(r));
            if (raw_.size() < (1 << 22)) raw_.append(buf, int(r));
        }
        Serve(Clock::now());
    }
}

void RegisterSimulator::Serve(TimePoint now) {
    while (!pending_.empty() && pending_.front().due <= now) {
        const Pending p = pending_.front();
        pending_.pop_front();
        Write(p.command.isEmpty() ? p.bytes : Execute(p.command));
    }
    for (;;) {
        // During an electronic copy every 0xAA asks for more text.
        if (copyPos_ >= 0) {
            const int aa = int(in_.count(char(0xAA)));
            in_.replace(QByteArray(1, char(0xAA)), QByteArray());
            for (int i = 0; i < aa && copyPos_ >= 0; ++i) StreamCopyChunk();
        }
        const int stx = int(in_.indexOf(char(0x02)));
        if (stx < 0) {
            in_.clear();
            return;
        }
        if (stx > 0) {
            in_.remove(0, stx);
            frameStarted_ = now;
        }
        if (in_.size() < 4) break;
        const int length = Word(in_.constData() + 2);
        if (length < 9 || length > 1024) {
            in_.remove(0, 1);
            continue;
        }
        if (in_.size() < length) break;
        const QByteArray frame = in_.left(length);
        in_.remove(0, length);
        frameStarted_ = now;
        if (uint8_t(frame[length - 1]) != 0x03) continue;  // not a frame after all
        Record(true, frame);
        if (baud_ > 0)  // the frame's own time on the line
            std::this_thread::sleep_for(std::chrono::microseconds(qint64(length) * 10'000'000 / baud_));
        HandleFrame(frame);
    }
    // A frame that never completes is dropped after a second.
    if (!in_.isEmpty() && now - frameStarted_ > std::chrono::seconds(1)) {
        in_.remove(0, 1);
        frameStarted_ = now;
    }
    if (series_.active && now - series_.lastSent > std::chrono::seconds(5)) series_.active = false;
}

void RegisterSimulator::HandleFrame(const QByteArray& f) {
    if (uint8_t(f[1]) != address_) return;  // another register's frame
    const uint8_t command = uint8_t(f[6]);
    if (command == 0x06 && f.size() == 10) {
        HandleControl(uint8_t(f[7]));
        return;
    }
    series_.active = false;  // any other frame ends a transfer in progress
    if (!std::strchr("TRKFWZG", char(command)) || command == 0) EndRun();
    copyPos_ = -1;
    if (Crc(f) != uint8_t(f[f.size() - 2])) {
        Write(Ack(1));  // the frame is incorrect
        return;
    }
    HandleCommand(f);
}

void RegisterSimulator::HandleControl(uint8_t status) {
    EndRun();
    if (status == 4) {
        std::erase_if(pending_, [](const Pending& p) { return p.cancelOnAbort; });
    }
    if (!series_.active) return;
    if (status == 0 && series_.next < series_.payloads.size()) {
        SendSeriesFrame();
        return;
    }
    series_.active = false;  // 3 complete, 4 cancelled, 1 rejected, or nothing left
}

void RegisterSimulator::HandleCommand(const QByteArray& f) {
    const uint8_t command = uint8_t(f[6]);
    const int length = f.size();
    const uint16_t number = Word(f.constData() + 4);
    if (command == 'Q' && length == 10) {
        Respond(MatchFault(command), Answer(0));
        return;
    }
    if ((length == 11 && ReplyLength(command, state_.longInfo) > 0) || (command == ':' && length == 10)) {
        if (StartSeries(command, Word(f.constData() + 7), number)) return;
    }
    if (command == 0x01 && length == 24) {
        // The copy read has no acknowledgement: printed at the register, or streamed.
        if (uint8_t(f[21]) == 2) {
            copyText_ = state_.ElectronicCopyText();
            copyPos_ = 0;
        }
        return;
    }
    Fault* fault = MatchFault(command);
    if (fault && fault->kind == FaultKind::NoReply) {
        EndRun();  // the frame was lost: the PC's run is over
        return;
    }
    if (fault && fault->kind == FaultKind::Error) {
        Write(ErrorFrame(fault->param));
        EndRun();
        return;
    }
    if (fault && fault->kind == FaultKind::PaperOut) {
        // The command waits for paper: carried out when the PC waits on, dropped
        // when it gives up (control status 4).
        Write(Answer(2));
        Later(150, QByteArray(), true, f);
        return;
    }
    if (storeTimeMs_ > 0 && std::strchr("TRKFWZG", char(command))) {
        // Still storing the last record: busy now, this one taken once that is done.
        const TimePoint now = Clock::now();
        if (now < busyUntil_) {
            Write(Answer(8));
            const int wait = int(std::chrono::duration_cast<std::chrono::milliseconds>(busyUntil_ - now).count()) + 1;
            Later(wait, QByteArray(), false, f);
            busyUntil_ += std::chrono::milliseconds(wait + storeTimeMs_);
            return;
        }
        busyUntil_ = now + std::chrono::milliseconds(storeTimeMs_);
    }
    Respond(fault, Execute(f));
    if (fault && fault->kind != FaultKind::Busy && fault->kind != FaultKind::Delay &&
        fault->kind != FaultKind::BusyPrinting)
        EndRun();  // a mangled or refused answer ends the PC's run
}

QByteArray RegisterSimulator::Execute(const QByteArray& f) {
    const uint8_t command = uint8_t(f[6]);
    const uint16_t number = Word(f.constData() + 4);
    const int error = Program(command, int(f.size()), f);
    if (error) EndRun();
    return error == kOutOfOrder      ? Ack(2)
           : error == kUnknownCommand ? ErrorFrame(0)
           : error                    ? ErrorFrame(error)
                                      : Ack((number & 0x8000) ? 3 : 0);
}

void RegisterSimulator::Respond(Fault* fault, const QByteArray& answer) {
    if (!fault) {
        Write(answer);
        return;
    }
    switch (fault->kind) {
        case FaultKind::NoReply: break;
        case FaultKind::Error: Write(ErrorFrame(fault->param)); break;
        case FaultKind::Busy:
            for (int i = 0; i < std::max(1, fault->param); ++i) Later(100 * i, Answer(8));
            Later(100 * std::max(1, fault->param), answer);
            break;
        case FaultKind::PaperOut:
            Write(Answer(2));
            Later(150, answer, true);
            break;
        case FaultKind::BusyPrinting:
            Write(Answer(4));
            Later(150, answer);
            break;
        case FaultKind::Status: Write(Answer(uint8_t(fault->param))); break;
        case FaultKind::Ack: Write(Ack(uint8_t(fault->param))); break;
        case FaultKind::Truncate: Write(answer.left(std::max(0, int(answer.size()) - fault->param))); break;
        case FaultKind::DamageCrc: {
            QByteArray bad = answer;
            bad[bad.size() - 2] = char(bad[bad.size() - 2] ^ 0x5A);
            Write(bad);
            break;
        }
        case FaultKind::Delay: Later(fault->param, answer); break;
    }
}

bool RegisterSimulator::StartSeries(uint8_t command, uint16_t argument, uint16_t number) {
    Series s;
    s.command = command;
    s.replyLength = ReplyLength(command, state_.longInfo);
    const SimState& st = state_;
    auto table = [&](const SimTable& t) {
        for (int n = 1; n <= t.count; ++n)
            if (t.Present(n)) s.payloads.append(t.Record(n));
    };
    uint8_t emptyStatus = 0x10;
    switch (command) {
        case 'T': table(st.goods); break;
        case 'R': table(st.discounts); break;
        case 'K': table(st.cashiers); break;
        case 'F': table(st.paymentForms); break;
        case 'W': table(st.currencies); break;
        case 'G': table(st.groups); break;
        case 'Z': table(st.packagings); break;
        case 'S':
            for (int n = 1; n <= st.quickKeys.count; ++n)
                if (st.quickKeys.Slot(n)[0]) s.payloads.append(st.quickKeys.Record(n));
            break;
        case 'P': s.payloads.append(st.vat); break;
        case 'N': s.payloads.append(st.header); break;
        case 'J': s.payloads.append(st.units); break;
        case 'I': s.payloads.append(st.InfoPayload()); break;
        case 0x03:
            if (argument != 1) return false;
            s.payloads.append(st.settings.left(21));
            break;
        case 'X':
        case 'Y':
            emptyStatus = 0x40;
            for (int n = 1; n <= st.goods.count; ++n) {
                if (!st.goods.Present(n)) continue;
                const char* g = st.goods.Slot(n);
                if (command == 'X' && Long(g + 49) == 0 && Long(g + 53) == 0) continue;
                s.payloads.append(QByteArray(g, 45) + QByteArray(g + 49, 8));
            }
            if (command == 'Y' && std::none_of(s.payloads.begin(), s.payloads.end(), [](const QByteArray& p) {
                    return Long(p.constData() + 45) != 0 || Long(p.constData() + 49) != 0;
                }))
                s.payloads.clear();  // no sales at all
            break;
        case 0x06: s.payloads = st.turnover; break;
        case ':':
            for (int i = 0; i < cachePackets_; ++i) {
                QByteArray packet(256, '\0');
                for (int j = 0; j < 256; ++j) packet[j] = char((i * 7 + j) & 0xFF);
                s.payloads.append(packet);
            }
            break;
        default: return false;
    }
    Q_UNUSED(number);
    if (s.payloads.isEmpty()) {
        Fault* fault = MatchFault(command);
        if (fault && fault->kind == FaultKind::NoReply) return true;
        Write(fault && fault->kind == FaultKind::Error ? ErrorFrame(fault->param) : Answer(emptyStatus));
        return true;
    }
    series_ = s;
    series_.active = true;
    SendSeriesFrame();
    return true;
}

void RegisterSimulator::SendSeriesFrame() {
    const int i = series_.next++;
    const bool last = series_.next >= series_.payloads.size();
    const uint16_t number = uint16_t((i + 1) | (last ? 0x8000 : 0));
    QByteArray frame = Frame(series_.replyLength, number, series_.command, series_.payloads[i]);
    series_.lastSent = Clock::now();
    Fault* fault = MatchFault(series_.command);
    Respond(fault, frame);
    // An error or a status in place of a data frame ends the transfer.
    if (fault && (fault->kind == FaultKind::Error || fault->kind == FaultKind::Status ||
                  fault->kind == FaultKind::Ack))
        series_.active = false;
}

void RegisterSimulator::StreamCopyChunk() {
    if (copyPos_ < 0) return;
    if (copyStopAfter_ >= 0 && copyPos_ >= copyStopAfter_) return;  // gone silent
    if (copyPos_ >= copyText_.size()) {
        Write(QByteArray(1, '\0'));
        copyPos_ = -1;
        return;
    }
    const int n = copyStopAfter_ >= 0 ? qMin(64, copyStopAfter_ - copyPos_) : 64;
    const QByteArray chunk = copyText_.mid(copyPos_, n);
    copyPos_ += int(chunk.size());
    Write(chunk);
}

Fault* RegisterSimulator::MatchFault(uint8_t command) {
    // Every fault counts the frames of its command; the first that fires applies.
    Fault* fired = nullptr;
    for (Fault& f : faults_) {
        if (f.command != -1 && f.command != command) continue;
        ++f.seen;
        if (!fired && (f.occurrence == 0 || f.seen == f.occurrence)) fired = &f;
    }
    return fired;
}

QByteArray RegisterSimulator::Frame(int length, uint16_t number, uint8_t command, const QByteArray& payload) const {
    QByteArray f(length, '\0');
    f[0] = 0x02;
    f[1] = char(address_);
    f[2] = char(length & 0xFF);
    f[3] = char(length >> 8);
    f[4] = char(number & 0xFF);
    f[5] = char(number >> 8);
    f[6] = char(command);
    std::memcpy(f.data() + 7, payload.constData(), size_t(std::min<int>(payload.size(), length - 9)));
    f[length - 2] = char(Crc(f));
    f[length - 1] = 0x03;
    return f;
}

QByteArray RegisterSimulator::Ack(uint8_t status) const { return Frame(10, 1, 0x06, QByteArray(1, char(status))); }
QByteArray RegisterSimulator::Answer(uint8_t status) const { return Frame(10, 1, 'A', QByteArray(1, char(status))); }
QByteArray RegisterSimulator::ErrorFrame(int code) const {
    return Frame(11, 1, 'A', QByteArray(1, '\0') + QByteArray(1, char(code)));  // the code is byte 8
}

void RegisterSimulator::Later(int ms, const QByteArray& bytes, bool cancelOnAbort, const QByteArray& command) {
    Pending p{Clock::now() + std::chrono::milliseconds(ms), bytes, cancelOnAbort, command};
    auto at = std::upper_bound(pending_.begin(), pending_.end(), p,
                               [](const Pending& a, const Pending& b) { return a.due < b.due; });
    pending_.insert(at, p);
}

void RegisterSimulator::Write(const QByteArray& bytes) {
    if (bytes.isEmpty() || master_ < 0) return;
    Record(false, bytes);
    const TimePoint start = Clock::now();
    // Paced, each byte is handed over when its stop bit would end on the line,
    // never earlier; unpaced, everything at once.
    const int chunk = baud_ > 0 ? 1 : int(bytes.size());
    int done = 0;
    while (done < bytes.size() && !stop_) {
        if (baud_ > 0)
            std::this_thread::sleep_until(start + std::chrono::microseconds(qint64(done + 1) * 10'000'000 / baud_));
        const ssize_t w = ::write(master_, bytes.constData() + done, size_t(std::min<int>(chunk, bytes.size() - done)));
        if (w > 0) {
            done += int(w);
            continue;
        }
        if (w < 0 && errno != EAGAIN && errno != EINTR) return;
        pollfd p{master_, POLLOUT, 0};
        if (::poll(&p, 1, 5000) <= 0) return;  // nobody reads the line: give up
    }
}

void RegisterSimulator::Record(bool fromPc, const QByteArray& bytes) {
    if (log_.size() < 200000) log_.append({fromPc, bytes});
    if (logFile_.isEmpty()) return;
    QFile f(logFile_);
    if (f.open(QIODevice::Append)) {
        f.write(fromPc ? "> " : "< ");
        f.write(bytes.toHex(' ').toUpper());
        f.write("\n");
    }
}

void RegisterSimulator::SetAddress(int address) {
    std::lock_guard lock(mutex_);
    address_ = address;
}

void RegisterSimulator::SetBaud(int baud) {
    std::lock_guard lock(mutex_);
    baud_ = baud;
}

void RegisterSimulator::SetStoreTime(int ms) {
    std::lock_guard lock(mutex_);
    storeTimeMs_ = ms;
}

void RegisterSimulator::SetCopyStopAfter(int bytes) {
    std::lock_guard lock(mutex_);
    copyStopAfter_ = bytes;
}

void RegisterSimulator::SetCachePackets(int count) {
    std::lock_guard lock(mutex_);
    cachePackets_ = count;
}

void RegisterSimulator::AddFault(const Fault& fault) {
    std::lock_guard lock(mutex_);
    faults_.append(fault);
}

void RegisterSimulator::ClearFaults() {
    std::lock_guard lock(mutex_);
    faults_.clear();
}

QList<LoggedFrame> RegisterSimulator::Log() const {
    std::lock_guard lock(mutex_);
    return log_;
}

QList<QByteArray> RegisterSimulator::ReceivedFrames() const {
    std::lock_guard lock(mutex_);
    QList<QByteArray> out;
    for (const LoggedFrame& f : log_)
        if (f.fromPc) out.append(f.bytes);
    return out;
}

QByteArray RegisterSimulator::RawReceived() const {
    std::lock_guard lock(mutex_);
    return raw_;
}

void RegisterSimulator::ClearLog() {
    std::lock_guard lock(mutex_);
    log_.clear();
    raw_.clear();
}

void RegisterSimulator::SetLogFile(const QString& path) {
    std::lock_guard lock(mutex_);
    logFile_ = path;
}

void RegisterSimulator::Feed(const QByteArray& bytes) {
    std::lock_guard lock(mutex_);
    if (in_.isEmpty()) frameStarted_ = Clock::now();
    in_.append(bytes);
    Serve(Clock::now());
}

void RegisterSimulator::WithState(const std::function<void(SimState&)>& f) {
    std::lock_guard lock(mutex_);
    f(state_);
}
