#pragma once
// Runs a test body as an ordinary user. Root writes into read-only folders and
// renames in them, so a test of what a read-only folder refuses would pass or
// skip for the wrong reason when the suite runs as root (as it does on CI).
// As root the body runs in a forked child that has dropped to 'nobody'; its
// failures are printed by the child and fail the test in the parent.
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "foundation/temp_dir.h"

namespace test_support {

template <class Body>
void as_unprivileged(Body body) {
    if (geteuid() != 0) {
        body();
        return;
    }
    constexpr uid_t kNobody = 65534;
    // The child's scratch folders go under one that 'nobody' owns, and it works in
    // there: the build folder's path need not be open to that user.
    TempDir home;
    ASSERT_FALSE(home.path().empty());
    ASSERT_EQ(chown(home.path().c_str(), kNobody, kNobody), 0);
    std::cout.flush();
    fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        bool dropped = setenv("TMPDIR", home.path().c_str(), 1) == 0 && chdir(home.path().c_str()) == 0 &&
                       setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0 &&
                       geteuid() == kNobody;
        if (dropped) {
            body();
        } else {
            ADD_FAILURE() << "could not become user " << kNobody;
        }
        std::cout.flush();
        fflush(nullptr);
        // No exit handlers: they belong to the parent, which goes on with the run.
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (WIFSIGNALED(status)) {
        ADD_FAILURE() << "the body, run as user " << kNobody << ", died of signal " << WTERMSIG(status);
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        ADD_FAILURE() << "the body failed as user " << kNobody << " (its messages are above)";
    }
}

}  // namespace test_support
