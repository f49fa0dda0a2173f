// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/Shell.h"  // a program composing the window may reach into it

#include <Qsci/qsciscintilla.h>  // but not past the editor to its widget
