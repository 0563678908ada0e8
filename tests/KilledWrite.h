#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstddef>
#include <functional>

#include "model/AtomicFile.h"

namespace zef::test {

// Runs the write in a child process that kills itself with SIGKILL once `before` bytes went
// to disk, as a power switch or a task manager would stop it: true when the child died so.
inline bool KilledPartWay(std::size_t before, const std::function<void(const FileOps&)>& write) {
    const pid_t child = ::fork();
    if (child == 0) {
        FileOps ops = SystemFileOps();
        ops.write = [left = before](int fd, const void* data, std::size_t size) mutable {
            if (left == 0) {
                ::raise(SIGKILL);
            }
            const ssize_t n = ::write(fd, data, std::min(size, left));
            left -= n > 0 ? static_cast<std::size_t>(n) : 0;
            return n;
        };
        write(ops);
        ::_exit(0);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFSIGNALED(status) &&
           WTERMSIG(status) == SIGKILL;
}

}  // namespace zef::test
