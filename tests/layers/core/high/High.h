#pragma once
#include "core/low/Low.h"
