#pragma once
// An advisory lock on a file of the program's own, so two copies of the program
// never work on one folder at once. The lock goes with the process, however it
// ends; the file itself stays.
#include <string>

namespace Qx {

class FolderLock {
public:
    enum Result {
        TAKEN,        // this process holds it now
        HELD,         // another process holds it
        UNAVAILABLE,  // the file can be neither made nor opened (a read-only folder)
    };

    FolderLock() = default;
    ~FolderLock() { release(); }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Makes the file when it is missing, then tries the lock without waiting.
    Result take(const std::string& path);
    void release();
    bool is_held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace Qx
