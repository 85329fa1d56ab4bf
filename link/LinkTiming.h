#pragma once

#include <atomic>

// The link's durations at their real values. Every pause and reply wait scales them through
// Pacing, so a test runs the same order of events in a fraction of the time. The stop bounds are
// upper limits rather than pacing and are not scaled.
namespace LinkTiming {

constexpr int kCommandGapMs = 500;         // after each command, before the next one leaves
constexpr int kSocketStopWaitMs = 1000;
constexpr int kWatchStepMs = 1000;         // one check of the watchdog's reply window
constexpr int kWatchWindowSteps = 30;
constexpr int kWatchPausedMs = 30000;      // how often a paused watchdog looks again
constexpr int kWatchdogStopWaitMs = 31000;
constexpr int kRadioPollMs = 2000;
constexpr int kRadioStopWaitMs = 3000;
constexpr int kStrangerReportMs = 60000;   // at most one warning this often about foreign datagrams

// Sleeps `realMs` (scaled by Pacing) in short slices, so a stop request is noticed at once.
// Returns false when a stop was requested, before or during the sleep.
bool pauseUnlessStopped(const std::atomic<bool>& stopRequested, int realMs);

} // namespace LinkTiming
