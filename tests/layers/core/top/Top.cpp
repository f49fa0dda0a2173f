// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/high/High.h"

#include <termios.h>
