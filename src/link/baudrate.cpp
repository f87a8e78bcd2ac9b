// Arbitrary baud rates (14400, 128000, 256000, ...) through Linux's termios2. This
// unit includes the kernel's termios definitions, which clash with the C
// library's, so it stays apart from the rest of the port code.
#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <cerrno>

extern "C" int ioctl(int fd, unsigned long request, ...);

bool SetArbitraryBaudRate(int fd, unsigned baud) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) return false;
    t.c_cflag &= ~CBAUD;
    t.c_cflag |= BOTHER;
    t.c_cflag &= ~(CBAUD << IBSHIFT);
    t.c_cflag |= BOTHER << IBSHIFT;
    t.c_ispeed = baud;
    t.c_ospeed = baud;
    return ioctl(fd, TCSETS2, &t) == 0;
}
