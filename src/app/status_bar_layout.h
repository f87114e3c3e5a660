#pragma once
// Where the status bar's parts end. The parts follow the window's width: a negative position
// counts back from the right edge, and a last narrow part holds the size grip.
constexpr int kMaxStatusPositions = 10;
constexpr int kSizeGripPartWidth = 25;

// Fills `edges` (room for count + 1 values) with the right edge of each part for a window `width`
// pixels wide: one part per configured position after the first (which is never used), then one
// ending kSizeGripPartWidth before the right edge, then -1 (to the right edge). Returns the number
// of parts.
int StatusPartEdges(const int* positions, int count, int width, int* edges);
