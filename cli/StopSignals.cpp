#include "cli/StopSignals.h"

#include <signal.h>

#include <csignal>
#include <initializer_list>

namespace zef {
namespace {

volatile std::sig_atomic_t caught = 0;

void Note(int number) {
    caught = number;
}

}  // namespace

// Interrupted system calls resume, so a write in progress completes or fails on its own.
void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = Note;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGINT, SIGTERM}) {
        sigaction(number, &action, nullptr);
    }
}

int CaughtStopSignal() {
    return caught;
}

}  // namespace zef
