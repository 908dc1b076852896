#pragma once
// A scratch file for targets that also read their input from disk: an
// anonymous in-memory file per name, reached through its /proc/self/fd path,
// so that fuzzing does not wait on a disk and leaves nothing behind.

#include <cstddef>
#include <cstdint>
#include <string>

namespace kyvo::fuzz {

// Replaces the content of the scratch file `name` with the bytes and answers
// a path that opens it.
const std::string& writeScratchFile(const char* name, const std::uint8_t* data, std::size_t size);

} // namespace kyvo::fuzz
