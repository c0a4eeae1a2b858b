#include "support/read_error_file.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cerrno>

namespace kordex::test {

bool ReadFailsWithIoError() {
#ifdef _WIN32
    return false;  // a POSIX path; Wine would even open it as a Linux file
#else
    const int fd = ::open(kFailsWhileRead, O_RDONLY);
    if (fd < 0)
        return false;
    char byte;
    const bool failed = ::read(fd, &byte, 1) < 0 && errno == EIO;
    ::close(fd);
    return failed;
#endif
}

}  // namespace kordex::test
