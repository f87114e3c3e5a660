#pragma once
#include "base/date_line.h"

// The computer's local date and time now, for the printed texts' date line.
LocalDateTime LocalNow();
