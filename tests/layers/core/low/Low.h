#pragma once
#include "core/high/High.h"  // upwards
