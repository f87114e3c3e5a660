#pragma once
// What differs between two configurations, field by field in the words of the printed report:
// before a transmit, what would change on a controller that holds the other one.
#include "config/controller_config.h"

#include <vector>

struct ConfigDifference {
    char label[64];
    char current[96];
    char file[96];
};

// Every field whose text differs, in report order. Per-stop fields cover the stops of either
// image (at most 24); a stop that one image lacks shows "(no existe)" there.
std::vector<ConfigDifference> CompareConfigs(const ControllerConfig& current,
                                             const ControllerConfig& file);
