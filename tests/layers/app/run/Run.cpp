// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window/Board.h"
#include "app/shell/Shell.h"  // a feature reaching into the window that composes it

#include <QObject>
#include <Qsci/qsciscintilla.h>  // the editor widget outside the editor
