#pragma once
// Only one copy of the program runs per user: a lock file held with flock while it
// runs, which the kernel releases even after a crash.
#include <QString>

class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False when another instance holds it.
    bool Acquire(const QString& path = DefaultPath());
    void Release();
    static QString DefaultPath();

private:
    int fd_ = -1;
};
