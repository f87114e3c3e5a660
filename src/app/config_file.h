#pragma once
// The .Z94 file: "94VK", two format-version digits, then the 256-byte configuration image.
#include "config/controller_config.h"

constexpr int kConfigFileSize = 262;
constexpr int kConfigFileHeaderSize = 6;

// Writes the 262 bytes of a file holding `image` with the given format version.
void EncodeConfigFile(const ControllerConfig& image, unsigned fileVersion,
                      unsigned char (&out)[kConfigFileSize]);

// Reads a file's bytes: false when it has fewer than 4 bytes or does not begin "94VK". Otherwise
// the image is the empty configuration overlaid with the bytes present after the header (the
// version digits are not examined, a short body keeps the empty values).
bool DecodeConfigFile(const unsigned char* bytes, int size, ControllerConfig& image);
