#pragma once
// What the tests of the program's procedures start from: a temporary folder, a fixed clock, a
// toolkit that records what it shows and a log that keeps its lines in memory.

#include "support/RecordingToolkit.h"
#include "support/TempDir.h"
#include "base/Clock.h"
#include "base/Log.h"

namespace tintora::test {

template <class Kit = RecordingToolkit>
struct LogRig {
    explicit LogRig(LocalTime now) : clock(now) { log.SetCapture(true); }

    TempDir dir;
    FixedClock clock;
    Kit toolkit;
    Log log{{}, clock, &toolkit};
};

}  // namespace tintora::test
