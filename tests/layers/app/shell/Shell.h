#pragma once
#include "app/run/Run.h"
#include "app/window/Board.h"

#include <Qsci/qsciscintilla.h>
