// SPDX-License-Identifier: GPL-3.0-or-later
// termios2 lives in the kernel headers, which cannot be mixed with <termios.h>: kept apart here.
#include "core/device/PosixSpeed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace orvane::device {

bool PosixSetSpeed(int fd, int baud) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) return false;
    tio.c_cflag &= ~static_cast<tcflag_t>(CBAUD);
    tio.c_cflag |= BOTHER;
    tio.c_cflag &= ~static_cast<tcflag_t>(CBAUD << IBSHIFT);
    tio.c_ispeed = static_cast<speed_t>(baud);
    tio.c_ospeed = static_cast<speed_t>(baud);
    if (ioctl(fd, TCSETS2, &tio) != 0) return false;
    return PosixGetSpeed(fd) == baud;
}

int PosixGetSpeed(int fd) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) return -1;
    return static_cast<int>(tio.c_ospeed);
}

}  // namespace orvane::device
