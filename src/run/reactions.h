// The program's table of contents: every event the capture window can receive, and the reaction
// it runs. The form's router decides which control receives a pointer event; this table decides
// what that control does with it.
#pragma once

#include "form/event_router.h"

namespace capture {

struct RunState;  // run/capture_run.h

using Reaction = void (*)(RunState& state, const Event& event);

// The reaction of the event's target to its kind of event, or null when it has none.
Reaction ReactionFor(const Event& event);

}  // namespace capture
