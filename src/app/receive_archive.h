#pragma once
// The copy kept of every configuration received from a controller: whatever it held can be
// loaded again after it was overwritten, even when the received configuration was never saved.
#include "base/date_line.h"
#include "config/controller_config.h"

// The copy's name: the recommended name's stem, then the local date and time, as
// "A00123_2 2026-12-07 0915.Z94". Receives within one minute share that name: the second and
// later copies are told apart as "A00123_2 2026-12-07 0915 (2).Z94", so that none replaces another.
void ReceiveArchiveName(const ControllerConfig& image, const LocalDateTime& when, int copy,
                        char* name, int size);
