// How the test host names cards and says that one got nothing: by card
// number, with the card address that the board's jumpers set.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What OpenDevice gave for a card address while it was never called.
inline constexpr int32_t OpenDeviceNotCalled = -2;

// "card 1", "cards 1, 3"
std::string CardNames(const std::vector<int32_t>& cards);

// "card 2 (card address 1)"
std::string CardWithAddress(int32_t card);

// Why nothing reached card, given what OpenDevice gave for its address:
// "card 2 does not answer (card address 1)" for -1; "card 2 (card address
// 1) was not opened" while it was not called; for an open board, that the
// module sent nothing to it.
std::string CardNotReached(int32_t card, int32_t openResult);

// For a card whose board the driver dropped while it ran: what happened and
// what to do.
std::string CardDropped(int32_t card);
