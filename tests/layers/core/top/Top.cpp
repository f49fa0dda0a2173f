#include "core/high/High.h"

#include <termios.h>
