#pragma once
// The wheel over a list of fixed height: one row per notch, never past either end.

namespace voltrane {

// Moves `top` (the first row shown) one row for one wheel notch: up for a positive delta while `top`
// is above 0, down for a negative one while rows remain below the `visibleRows` shown of `rows`.
// Returns true when `top` moved; a zero delta never moves it.
bool ScrollList(int& top, int wheelDelta, int visibleRows, int rows);

}  // namespace voltrane
