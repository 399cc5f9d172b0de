#pragma once
// The id of a process that has ended: for files and folders left behind by a process that is gone.

#include <sys/wait.h>
#include <unistd.h>

namespace tintora::test {

inline long EndedProcess() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

}  // namespace tintora::test
