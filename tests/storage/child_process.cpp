#include "tests/storage/child_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

ChildProcess::ChildProcess(const std::function<void(ChildProcess&)>& body) {
  if (pipe(toChild_) != 0 || pipe(toParent_) != 0) std::abort();
  pid_ = fork();
  if (pid_ < 0) std::abort();
  if (pid_ == 0) {
    isChild_ = true;
    // A child left behind by a failed test must not outlive it.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    body(*this);
    _exit(0);
  }
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) Kill();
  for (int fd : {toChild_[0], toChild_[1], toParent_[0], toParent_[1]}) close(fd);
}

void ChildProcess::Signal() {
  const char step = 1;
  const int fd = isChild_ ? toParent_[1] : toChild_[1];
  if (write(fd, &step, 1) != 1) std::abort();
}

bool ChildProcess::Await(std::chrono::milliseconds timeout) {
  pollfd wanted{isChild_ ? toChild_[0] : toParent_[0], POLLIN, 0};
  if (poll(&wanted, 1, static_cast<int>(timeout.count())) != 1) return false;
  char step = 0;
  return read(wanted.fd, &step, 1) == 1;
}

void ChildProcess::Kill() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  Join();
}

int ChildProcess::Join() {
  if (pid_ <= 0) return -1;
  int status = 0;
  pid_t reaped;
  do {
    reaped = waitpid(pid_, &status, 0);
  } while (reaped < 0 && errno == EINTR);
  pid_ = -1;
  if (reaped < 0) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
