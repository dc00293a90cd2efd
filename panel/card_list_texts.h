// The texts of the card list's entries: "(none)", then for each card address
// its digit followed by its slot's state text. The test host reads the list
// back to learn each card's state, so these texts are an interface between
// the two: both use these definitions.
#pragma once

inline constexpr const char* NoCardEntry = "(none)";
inline constexpr const char* SlotClosedText = " (closed)";
inline constexpr const char* SlotNotAvailableText = " (not available)";
inline constexpr const char* SlotOpenText = " (open)";
