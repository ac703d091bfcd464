#include "support/unprivileged.h"

#include <cerrno>
#include <cstring>

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvela::testing {
namespace {
constexpr int kCannotDrop = 255;
}

UnprivilegedRun runUnprivileged(const std::function<int()>& work) {
    if (geteuid() != 0) return {work(), {}};
    const passwd* nobody = getpwnam("nobody");
    if (!nobody) return {std::nullopt, "no user \"nobody\" to run as"};
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    const pid_t child = fork();
    if (child < 0) return {std::nullopt, std::string("fork failed: ") + std::strerror(errno)};
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0) _exit(kCannotDrop);
        _exit(work());
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status)) return {128 + WTERMSIG(status), {}};  // a crash fails the test, as a shell reports it
    if (WEXITSTATUS(status) == kCannotDrop) return {std::nullopt, "root could not drop to \"nobody\""};
    return {WEXITSTATUS(status), {}};
}

}  // namespace orvela::testing
