#include "core/low/Low.h"

#include <string>
#include <unistd.h>  // not a platform layer
