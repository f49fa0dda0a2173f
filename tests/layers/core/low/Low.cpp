// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/low/Low.h"

#include <string>
#include <unistd.h>  // not a platform layer
