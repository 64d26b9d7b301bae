#pragma once
// A second running copy of the program, as far as files are concerned: a forked child of the test that
// runs `body` and ends. The two sides take turns through a pair of pipes. Fork only from a test that
// runs no other thread, so the child finds no lock taken by a thread that it does not have.

#include <sys/types.h>

#include <chrono>
#include <functional>

class ChildProcess {
 public:
  explicit ChildProcess(const std::function<void(ChildProcess&)>& body);
  // Kills the child if it still runs, and reaps it.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Tells the other side that one step is done / waits for the other side's step; false on time-out.
  void Signal();
  bool Await(std::chrono::milliseconds timeout = std::chrono::seconds(10));

  // Ends the child with SIGKILL at once and reaps it.
  void Kill();
  // Waits for the child to end; its exit status, or -1 when it did not exit normally.
  int Join();

 private:
  pid_t pid_ = -1;
  bool isChild_ = false;
  int toChild_[2] = {-1, -1};
  int toParent_[2] = {-1, -1};
};
