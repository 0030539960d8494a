#pragma once

namespace photara {

struct AppContext;

// Toolbar "Intv": reads the logger's sampling time, offers it as hh:nn:ss and sends what
// the user types (re-asking until it is a time of 1 s .. 1 h). Pauses only Timer1.
void runIntvCommand(AppContext& context);

// Toolbar "RecSetup": reads the recording period, offers it and sends what the user types,
// held within 1 .. 9999 s. Pauses both timers for the whole command.
void runRecSetupCommand(AppContext& context);

}  // namespace photara
