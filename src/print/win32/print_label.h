#pragma once
// The label on paper at its true size, as one page of one print job: 3.94 x 7.09 inches for the
// basic layout, 3.6 x 6.49 for the one with the expansion board, 0.197 inch from the printable
// area's corner.
#include "config/controller_config.h"
#include "print/win32/print_job.h"

void PrintLabel(PrintJob& job, const ControllerConfig& config, const char* company1,
                const char* company2);
