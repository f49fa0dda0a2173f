// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/run/Run.h"
#include "app/window/Board.h"

#include <Qsci/qsciscintilla.h>
