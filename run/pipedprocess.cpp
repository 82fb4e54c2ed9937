#include "pipedprocess.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace korva {

namespace {

void CloseDescriptor(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// Owns the spawn attribute objects for the length of one start.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

} // namespace

PipedProcess::PipedProcess(const std::vector<std::string>& argv, const std::string& workingFolder) {
    if (argv.empty() || argv[0].empty()) {
        startError_ = "no program given";
        return;
    }
    int outPipe[2] = {-1, -1};
    int inPipe[2] = {-1, -1};
    // Close-on-exec everywhere: the child gets only the ends dup'ed onto its
    // standard handles, so the output pipe ends exactly when the child does.
    if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(inPipe, O_CLOEXEC) != 0) {
        startError_ = std::strerror(errno);
        for (int fd : {outPipe[0], outPipe[1], inPipe[0], inPipe[1]}) {
            if (fd >= 0) ::close(fd);
        }
        return;
    }

    SpawnSetup setup;
    posix_spawn_file_actions_adddup2(&setup.actions, inPipe[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&setup.actions, outPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&setup.actions, outPipe[1], STDERR_FILENO);
    if (!workingFolder.empty()) {
        posix_spawn_file_actions_addchdir_np(&setup.actions, workingFolder.c_str());
    }
    // Its own process group, so that a Ctrl-C at the terminal reaches only us
    // (we end the solver ourselves) and Terminate reaches all it started.
    sigset_t noSignals;
    sigemptyset(&noSignals);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int s : {SIGINT, SIGTERM, SIGQUIT, SIGHUP, SIGPIPE, SIGCHLD})
        sigaddset(&defaults, s);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK |
                                                    POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&setup.attributes, 0);
    posix_spawnattr_setsigmask(&setup.attributes, &noSignals);
    posix_spawnattr_setsigdefault(&setup.attributes, &defaults);

    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    pid_t pid = -1;
    const int error = ::posix_spawn(&pid, argv[0].c_str(), &setup.actions, &setup.attributes,
                                    args.data(), environ);
    // Our copies of the child's ends go in every case.
    ::close(outPipe[1]);
    ::close(inPipe[0]);
    if (error != 0) {
        startError_ = std::strerror(error);
        ::close(outPipe[0]);
        ::close(inPipe[1]);
        return;
    }
    pid_ = pid;
    outFd_ = outPipe[0];
    // Nothing is ever written to the solver: it reads the end of its input at
    // once instead of waiting for ever on a pipe that stays silent.
    ::close(inPipe[1]);
}

PipedProcess::~PipedProcess() {
    if (Started()) Wait();
    CloseDescriptor(outFd_);
}

bool PipedProcess::BytesWaiting() const {
    pollfd p{outFd_, POLLIN, 0};
    for (;;) {
        const int n = ::poll(&p, 1, 0);
        if (n >= 0) return n > 0;        // readable, or hung up: a read will not block
        if (errno != EINTR) return true; // let the read report the failure
    }
}

bool PipedProcess::ReadLine(std::string& line, int& count, bool stopWhenEmpty) {
    line.clear();
    count = 0;
    for (;;) {
        const size_t feed = pending_.find('\n');
        if (feed != std::string::npos) {
            line.append(pending_, 0, feed);
            count += static_cast<int>(feed + 1);
            pending_.erase(0, feed + 1);
            return true;
        }
        if (ended_ || outFd_ < 0) {
            line += pending_;
            count += static_cast<int>(pending_.size());
            pending_.clear();
            ended_ = true;
            return false;
        }
        if (pending_.size() >= MaxPieceLength) {
            line.append(pending_, 0, MaxPieceLength);
            count += static_cast<int>(MaxPieceLength);
            pending_.erase(0, MaxPieceLength);
            return true;
        }
        if (stopWhenEmpty && !BytesWaiting()) {
            line += pending_;
            count += static_cast<int>(pending_.size());
            pending_.clear();
            return true;
        }
        char buffer[4096];
        const ssize_t n = ::read(outFd_, buffer, sizeof buffer);
        if (n > 0) {
            pending_.append(buffer, static_cast<size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            ended_ = true;
        }
    }
}

bool PipedProcess::TryReap(bool block) {
    if (reaped_) return true;
    if (!Started()) return false;
    for (;;) {
        int raw = 0;
        const pid_t r = ::waitpid(pid_, &raw, block ? 0 : WNOHANG);
        if (r == pid_) {
            reaped_ = true;
            if (WIFEXITED(raw)) {
                status_.exited = true;
                status_.exitCode = WEXITSTATUS(raw);
            } else if (WIFSIGNALED(raw)) {
                status_.signaled = true;
                status_.signal = WTERMSIG(raw);
            }
            return true;
        }
        if (r == 0) return false;
        if (errno == EINTR) continue;
        // Someone else reaped it (a SIGCHLD handler set to ignore); it has gone.
        reaped_ = true;
        return true;
    }
}

bool PipedProcess::Running() {
    return Started() && !TryReap(false);
}

ProcessStatus PipedProcess::Wait() {
    TryReap(true);
    return status_;
}

void PipedProcess::Terminate(int graceMilliseconds) {
    if (!Started() || TryReap(false)) return;
    terminated_ = true;
    // The group id is the child's pid; signal the group while the leader has
    // not been reaped, so the id cannot belong to anybody else.
    ::kill(-pid_, SIGTERM);
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(graceMilliseconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (TryReap(false)) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::kill(-pid_, SIGKILL);
    TryReap(true);
}

std::string DescribeProcessStatus(const ProcessStatus& status) {
    if (status.exited) return "exit status " + std::to_string(status.exitCode);
    if (status.signaled) {
        const char* name = ::strsignal(status.signal);
        return "signal " + std::to_string(status.signal) +
               (name ? std::string(" (") + name + ")" : "");
    }
    return "an unknown status";
}

} // namespace korva
