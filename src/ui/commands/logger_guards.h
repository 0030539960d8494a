#pragma once

namespace photara {

struct AppContext;

// Commands that change the logger or the meter's clock run only while the meter is
// connected and neither recording (REC) nor recording to memory (the A of the AMR group).
bool meterFreeForSettings(const AppContext& context);

// The logger window needs the meter out of every measuring mode as well: none of REC, SET,
// CMP, delta, %A, %, REF, ACC, the AMR group, A/B, B-A, A, B, MX, MN and AVG may be lit.
bool meterFreeForMemory(const AppContext& context);

}  // namespace photara
