// TEMPORARY STAND-IN until the numeric library lands.
#pragma once
#include "numeric/real.h"
