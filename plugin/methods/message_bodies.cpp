// Methods that do nothing, only wait, or only show a message.
#include "methods/bodies.h"
#include "methods/texts.h"

namespace methods::body {

void Empty(MethodRun&) {}

void Delay1s(MethodRun& run) { run.Delay(1, "1s"); }

void MessageNoRelays(MethodRun& run) { run.Delay(2, text::kNoRelays); }

void MessageNoAccess(MethodRun& run) { run.Acknowledge(text::kNoAccess); }

}  // namespace methods::body
