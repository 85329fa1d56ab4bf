#pragma once

// The program's waits (reply time-outs, poll periods, gaps between commands) are named
// durations with their real values. Tests shorten them all at once through one process-wide
// scale, which keeps their order of events the same.
namespace Pacing {

double scale();
void setScale(double factor);

// `ms` scaled by the current factor; at least 1 ms for any positive duration.
int ms(int realMs);

} // namespace Pacing
