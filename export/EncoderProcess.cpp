#include "export/EncoderProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string_view>

namespace zef {
namespace {

// How often a wait asks whether to go on, in milliseconds.
constexpr int kPollInterval = 100;
// The most of the program's standard error that is kept.
constexpr std::size_t kKeptMessages = 16 * 1024;
// A pipe as large as an unprivileged process may make it, so the program encodes one frame
// while the next is rendered.
constexpr int kPipeSize = 1 << 20;

bool Executable(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(path.c_str(), X_OK) == 0;
}

void CloseFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

// In the child, between fork and exec, only async-signal-safe calls. Its own process group
// keeps the terminal's signals for the parent, which ends the child itself; the parent's
// death kills it, and a parent that died before that was asked for ends it at once.
[[noreturn]] void RunChild(const char* program, char* const* argv, pid_t parent, int input,
                           int output, int messages) {
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) {
        _exit(127);
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    signal(SIGPIPE, SIG_DFL);
    if (dup2(input, STDIN_FILENO) < 0 || dup2(output, STDOUT_FILENO) < 0 ||
        dup2(messages, STDERR_FILENO) < 0) {
        _exit(127);
    }
    close_range(STDERR_FILENO + 1, ~0U, 0);
    execv(program, argv);
    _exit(127);
}

// Blocks SIGPIPE in this thread while the program's input is written, so that a program that
// ended gives EPIPE instead of killing this process; a SIGPIPE the write raised is taken
// back before it is unblocked.
class PipeSignalBlock {
  public:
    PipeSignalBlock() {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe_, &previous_);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
    }
    PipeSignalBlock(const PipeSignalBlock&) = delete;
    PipeSignalBlock& operator=(const PipeSignalBlock&) = delete;
    ~PipeSignalBlock() {
        if (raised && !wasPending_) {
            const timespec now{};
            while (sigtimedwait(&pipe_, nullptr, &now) < 0 && errno == EINTR) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    bool raised = false;

  private:
    sigset_t pipe_{};
    sigset_t previous_{};
    bool wasPending_ = false;
};

}  // namespace

std::optional<std::string> FindOnPath(const std::string& name) {
    if (name.find('/') != std::string::npos) {
        return Executable(name) ? std::optional(name) : std::nullopt;
    }
    const char* path = std::getenv("PATH");
    std::string_view folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    for (;;) {
        const std::size_t colon = folders.find(':');
        const std::string_view folder = folders.substr(0, colon);
        const std::string candidate = (folder.empty() ? "." : std::string(folder)) + "/" + name;
        if (Executable(candidate)) {
            return candidate;
        }
        if (colon == std::string_view::npos) {
            return std::nullopt;
        }
        folders.remove_prefix(colon + 1);
    }
}

EncoderProcess::EncoderProcess(const std::string& program,
                               const std::vector<std::string>& arguments) {
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    int input[2] = {-1, -1};
    int messages[2] = {-1, -1};
    int output = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (output >= 0 && pipe2(input, O_CLOEXEC) == 0 && pipe2(messages, O_CLOEXEC) == 0) {
        const pid_t parent = getpid();
        pid_ = fork();
        if (pid_ == 0) {
            RunChild(program.c_str(), argv.data(), parent, input[0], output, messages[1]);
        }
    }
    for (int fd : {input[0], messages[1], output}) {
        CloseFd(fd);
    }
    input_ = input[1];
    messages_ = messages[0];
    if (pid_ <= 0) {
        CloseFd(input_);
        CloseFd(messages_);
        return;
    }
    fcntl(input_, F_SETPIPE_SZ, kPipeSize);
    fcntl(input_, F_SETFL, O_NONBLOCK);
    fcntl(messages_, F_SETFL, O_NONBLOCK);
}

EncoderProcess::~EncoderProcess() {
    Kill();
}

bool EncoderProcess::Write(std::span<const std::uint8_t> bytes,
                           const std::function<bool()>& keepGoing) {
    if (input_ < 0) {
        return false;
    }
    PipeSignalBlock block;
    auto asked = std::chrono::steady_clock::now();
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(input_, bytes.data() + written, bytes.size() - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            block.raised = errno == EPIPE;
            return false;
        }
        pollfd fds[] = {{input_, POLLOUT, 0}, {messages_, POLLIN, 0}};
        poll(fds, 2, kPollInterval);
        if (fds[1].revents != 0) {
            ReadMessages();
        }
        const auto now = std::chrono::steady_clock::now();
        if (now - asked >= std::chrono::milliseconds(kPollInterval)) {
            asked = now;
            if (!keepGoing()) {
                Kill();
                return false;
            }
        }
    }
    return true;
}

std::optional<int> EncoderProcess::Finish(const std::function<bool()>& keepGoing) {
    CloseFd(input_);
    if (pid_ <= 0) {
        return std::nullopt;
    }
    while (messages_ >= 0) {
        pollfd fd{messages_, POLLIN, 0};
        if (poll(&fd, 1, kPollInterval) > 0) {
            ReadMessages();
        } else if (!keepGoing()) {
            Kill();
            return std::nullopt;
        }
    }
    for (;;) {
        int status = 0;
        const pid_t ended = waitpid(pid_, &status, WNOHANG);
        if (ended == pid_ || (ended < 0 && errno != EINTR)) {
            pid_ = -1;
            return status;
        }
        poll(nullptr, 0, kPollInterval / 10);
        if (!keepGoing()) {
            Kill();
            return std::nullopt;
        }
    }
}

std::string EncoderProcess::Messages() const {
    std::string_view text(kept_.data(), kept_.size());
    if (dropped_) {
        text.remove_prefix(std::min(text.size(), text.find('\n') + 1));
    }
    return std::string(text);
}

// Reads what is there; the end of the stream closes it.
void EncoderProcess::ReadMessages() {
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(messages_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return;
        }
        if (n == 0) {
            CloseFd(messages_);
            return;
        }
        kept_.insert(kept_.end(), chunk, chunk + n);
        if (kept_.size() > kKeptMessages) {
            kept_.erase(kept_.begin(),
                        kept_.begin() + static_cast<std::ptrdiff_t>(kept_.size() - kKeptMessages));
            dropped_ = true;
        }
    }
}

// The whole process group, so that whatever the program started ends with it.
void EncoderProcess::Kill() {
    CloseFd(input_);
    CloseFd(messages_);
    if (pid_ <= 0) {
        return;
    }
    kill(-pid_, SIGKILL);
    kill(pid_, SIGKILL);
    while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
}

}  // namespace zef
