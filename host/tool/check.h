// dtmhost check: the conformance sweep a host's certification run makes over a loaded
// plug-in.
#pragma once
#include <iosfwd>

#include "dtmhost/host.h"

namespace dtmtool {

// Requests every registered object under a series of data sets and runs every method
// under scripted answers and abort points, checking what a host relies on. Prints a
// summary table (and each failure) to out; answers the number of failures. The
// host's store ends at its defaults again.
int Check(dtmhost::Host& host, std::ostream& out);

}  // namespace dtmtool
