#pragma once

#include <chrono>

namespace photara::cli {

// Ctrl-C and SIGTERM: a long command stops at once, not at its next poll. The handler
// sets a flag and wakes waitUntil through a pipe (all it may do in a signal handler).
// A closed standard output is an error a write returns (EPIPE), not a signal that ends the
// program before it can say so.
void installInterruptHandler();

// Whether SIGINT or SIGTERM came.
bool interrupted();

// Sleeps until deadline or until a signal ends the command; true when interrupted.
bool waitUntil(std::chrono::steady_clock::time_point deadline);

// The same, ending early too when the file descriptor has something to read (a line typed on
// standard input); -1 waits for the deadline or a signal only.
enum class WaitEnd { Deadline, Input, Interrupted };
WaitEnd waitForInput(std::chrono::steady_clock::time_point deadline, int fd);

}  // namespace photara::cli
