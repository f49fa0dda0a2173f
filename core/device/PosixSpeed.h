// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvane::device {

// Line speed of a terminal in bits per second through termios2, so that every rate the
// controller knows (14400 and 28800 included) can be set on serial devices and pseudo-terminals.
// On a pseudo-terminal master the speed read is the one the slave side was given.
bool PosixSetSpeed(int fd, int baud);
int PosixGetSpeed(int fd);

}  // namespace orvane::device
