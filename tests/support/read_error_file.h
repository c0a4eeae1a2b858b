#pragma once

namespace kordex::test {

// A file that opens as a regular file and fails with an I/O error at the first read: the
// reading process's own memory at address 0, which is never mapped.
inline constexpr const char* kFailsWhileRead = "/proc/self/mem";

// Whether kFailsWhileRead behaves so on this system; tests that need it skip otherwise.
bool ReadFailsWithIoError();

}  // namespace kordex::test
