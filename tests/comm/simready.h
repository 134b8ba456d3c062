#pragma once

#include "sim/ptysim.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Returns once the simulator's thread answers on its device, so that the
// first exchange of a test does not race the thread's start on a busy
// machine. Leaves the log empty. False if it never answered.
bool waitUntilServing(ctrlsim::PtySimulator& sim);

// The simulator's log once it holds n bytes, or as it is after a second. A
// transaction that ended without its last reply may end before the last
// request byte has reached the simulator.
std::vector<uint8_t> logOnceReceived(ctrlsim::PtySimulator& sim, std::size_t n);
