#include "support/read_error_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace kordex::test {

bool ReadFailsWithIoError() {
    const int fd = ::open(kFailsWhileRead, O_RDONLY);
    if (fd < 0)
        return false;
    char byte;
    const bool failed = ::read(fd, &byte, 1) < 0 && errno == EIO;
    ::close(fd);
    return failed;
}

}  // namespace kordex::test
