#pragma once
// The range of every field of a configuration image, as the controller takes it. The line
// carries a value wider than its field by its leading digits alone, so an image with a field out
// of range would go out as another image and still verify: it is checked before it is sent.
#include "config/controller_config.h"

// A field out of range, as a technician looks for it.
struct FieldOutOfRange {
    char name[80]; // its words on the editor's pages or in the report, with its relay or stop
    int value;
};

// The first field of `image`, in image order, outside its range; false when there is none.
// Per-stop fields count only for the stops the image has.
bool FindFieldOutOfRange(const ControllerConfig& image, FieldOutOfRange& found);

// The stop box's text for an image that must not be sent: the first field out of range with its
// value, and what to do. False, with `text` untouched, when every field is in range.
bool DescribeFieldOutOfRange(const ControllerConfig& image, char* text, int size);
