// Running part of a test in a child process: several writers at once, or one whose files may
// not grow past a size (RLIMIT_FSIZE), as on a full disk.
#pragma once
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <functional>

namespace tolvi::testing {

// Starts body in a child process and answers its id. With fileLimit, a write that would
// make a file larger fails there with EFBIG (a disk full for the program). The child ends
// with body's value, without running the test program's exit handlers.
inline pid_t StartChild(const std::function<int()>& body, rlim_t fileLimit = RLIM_INFINITY) {
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  if (fileLimit != RLIM_INFINITY) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{fileLimit, fileLimit};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(99);
  }
  ::_exit(body());
}

// Starts body in a child process that, when the tests run as the superuser, first gives up its
// rights (to the user and group nobody), so that a refused permission is seen there too.
inline pid_t StartUnprivileged(const std::function<int()>& body) {
  return StartChild([&body] {
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 ||
                             ::setuid(65534) != 0))
      return 99;
    return body();
  });
}

// Waits for the child; its exit value, or -1 when it did not exit normally.
inline int WaitChild(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tolvi::testing
