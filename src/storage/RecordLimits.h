#pragma once

#include <cstdint>
#include <limits>

namespace storage {

// A record file's count is held in a 16-bit signed number, as the layouts have
// it: a file holds at most this many records.
inline constexpr int kMaxRecordCount = std::numeric_limits<std::int16_t>::max();
// Record 1 of a test file is its header, so a test holds one question fewer.
inline constexpr int kMaxQuestions = kMaxRecordCount - 1;

} // namespace storage
