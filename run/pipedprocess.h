#pragma once
// A child process whose standard input, output and error are pipes to us. The
// model run starts the solver with it and reads the solver's output line by
// line without ever blocking the caller when asked not to.
#include <cstddef>
#include <string>
#include <sys/types.h>
#include <vector>

namespace korva {

// How a child ended.
struct ProcessStatus {
    bool exited = false; // ended by itself; exitCode holds its status
    int exitCode = 0;
    bool signaled = false; // ended by a signal; signal holds its number
    int signal = 0;

    bool Success() const { return exited && exitCode == 0; }
};

class PipedProcess {
public:
    // Starts argv[0] (a path; no search of PATH) with the arguments argv in
    // workingFolder (empty: ours). The child gets our environment, its own
    // process group, default signal handling, an empty standard input (a pipe
    // already closed at our end) and standard output and error into one pipe. Whether it started is
    // told by Started(); a child that cannot be started leaves StartError() set.
    PipedProcess(const std::vector<std::string>& argv, const std::string& workingFolder = {});
    // Waits for the child to end, however long that takes, then releases the pipes.
    ~PipedProcess();
    PipedProcess(const PipedProcess&) = delete;
    PipedProcess& operator=(const PipedProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    // Why the child could not be started ("No such file or directory"), else empty.
    const std::string& StartError() const { return startError_; }
    pid_t Pid() const { return pid_; }
    // The read end of the output pipe, for callers that poll several sources.
    int OutputDescriptor() const { return outFd_; }

    // Reads one line of output into line, without its line feed (a carriage
    // return before it stays). count is the number of bytes taken from the pipe
    // by this call. With stopWhenEmpty the call returns as soon as no byte is
    // waiting, possibly with a partial or empty line; without it the call waits
    // for a whole line or the end of the output. False exactly when the output
    // has ended (the child has gone and all was read); line then holds whatever
    // came before the end. A line longer than MaxPieceLength comes in pieces of
    // that length (count equal to the piece's size, as for any part of a line),
    // so a child that never ends its line cannot make us hold all of it.
    bool ReadLine(std::string& line, int& count, bool stopWhenEmpty);
    static constexpr std::size_t MaxPieceLength = std::size_t{1} << 16;

    // Ends the child and everything it started in its process group: a polite
    // SIGTERM first, SIGKILL when it is still there after graceMilliseconds.
    void Terminate(int graceMilliseconds = 2000);
    // True while the child has not ended (never blocks).
    bool Running();
    // Waits for the child to end and tells how; later calls return the same.
    ProcessStatus Wait();
    // Whether Terminate was called.
    bool Terminated() const { return terminated_; }

private:
    bool TryReap(bool block);
    bool BytesWaiting() const;

    pid_t pid_ = -1;
    int outFd_ = -1; // parent's read end of the child's output
    bool reaped_ = false;
    bool ended_ = false; // the output pipe reported its end
    bool terminated_ = false;
    ProcessStatus status_;
    std::string pending_; // bytes read from the pipe but not yet handed out
    std::string startError_;
};

// "exit status 3", "signal 9 (Killed)": how a child ended, for messages.
std::string DescribeProcessStatus(const ProcessStatus& status);

} // namespace korva
