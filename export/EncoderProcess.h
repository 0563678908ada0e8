#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zef {

// Where a program of that name lies on PATH: the first executable file; nothing when none is.
std::optional<std::string> FindOnPath(const std::string& name);

// A program run as a child process that takes its input on a pipe, an encoder fed with frames.
// Its standard error is kept (the last few kilobytes), its standard output goes nowhere. It
// runs in its own process group, away from the terminal's Ctrl-C, and is killed when the
// thread that started it ends (the editor's or zefcli's main thread, or the export dialog's
// background worker, which waits for it or kills it before it ends), so a killed program leaves no
// encoder running. The waits poll the caller's `keepGoing` every tenth of a second, so a program
// that hangs never hangs its caller; once keepGoing says no, or the program is given up, it is
// killed and waited for.
class EncoderProcess {
  public:
    // Starts `program` (a path) with the arguments after its name. Started() tells whether it
    // runs.
    EncoderProcess(const std::string& program, const std::vector<std::string>& arguments);
    EncoderProcess(const EncoderProcess&) = delete;
    EncoderProcess& operator=(const EncoderProcess&) = delete;
    // Kills a program that still runs, and waits for it.
    ~EncoderProcess();

    bool Started() const { return pid_ > 0; }
    // Hands the bytes to the program. False when it no longer reads them (it ended or closed
    // its input) or keepGoing said no; then it has been killed, or has ended.
    bool Write(std::span<const std::uint8_t> bytes, const std::function<bool()>& keepGoing);
    // Closes the program's input and waits for it to end: its wait status (as waitpid gives
    // it), or nothing when keepGoing said no first and it was killed, or it was killed before.
    std::optional<int> Finish(const std::function<bool()>& keepGoing);
    // What the program wrote on its standard error, its last lines when there was much.
    std::string Messages() const;

  private:
    void ReadMessages();
    void Kill();

    pid_t pid_ = -1;
    int input_ = -1;     // the write end of the program's standard input
    int messages_ = -1;  // the read end of its standard error
    std::vector<char> kept_;
    bool dropped_ = false;  // messages were dropped from the front of kept_
};

}  // namespace zef
