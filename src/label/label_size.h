#pragma once
// The label on paper: how high its 1900 label units are, in inches, for each layout. The printed
// label fits a box this high (and wide enough), so its height decides its size.
constexpr double kBasicLabelInches = 7.09;
constexpr double kExpandedLabelInches = 6.49;
