#pragma once
// One tintora-cli call made in-process, with what it printed on each stream.

#include <sstream>
#include <string>

namespace tintora::test {

struct CliRun {
    int status;
    std::string out, err;
};

// Calls `run(out, err)` with two string streams and keeps the status and both texts.
template <typename Fn>
CliRun CaptureCli(Fn&& run) {
    std::ostringstream out, err;
    const int status = run(out, err);
    return {status, out.str(), err.str()};
}

}  // namespace tintora::test
