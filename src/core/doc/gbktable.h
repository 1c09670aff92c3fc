#pragma once

// The GB18030 mapping tables behind the GBK codec, generated into gbktable.cpp
// by scripts/gen-gbk-table.py.

#include <cstddef>
#include <cstdint>

// Two-byte codes: lead 0x81..0xFE, trail 0x40..0xFE (0x7F is never a trail).
constexpr int kGbkLeadCount = 126;
constexpr int kGbkTrailSlots = 191;

// The BMP character of code lead, trail at [lead - 0x81][trail - 0x40], or 0
// where that code is not a character.
extern const std::uint16_t kGbkTwoByte[kGbkLeadCount][kGbkTrailSlots];

// Four-byte codes b1 b2 b3 b4 (b1, b3 in 0x81..0xFE; b2, b4 in 0x30..0x39)
// count on as one linear index: ((b1 - 0x81) * 10 + b2 - 0x30) * 1260
// + (b3 - 0x81) * 10 + b4 - 0x30. Indices 0..39419 hold the BMP characters
// that have no two-byte code, in code point order, as runs of consecutive code
// points; 189000 (0x90308130) onwards is U+10000..U+10FFFF in one run.
constexpr std::uint32_t kGbkBmpFourByteCodes = 39420;
constexpr std::uint32_t kGbkSupplementaryFirst = 189000;

struct GbkFourByteRun
{
    std::uint16_t linear; // first linear index of the run
    std::uint16_t unicode; // its code point; 0 for a run of codes that are not characters
};

// Sorted by linear index; the first run starts at 0 and each run ends where
// the next begins, the last at kGbkBmpFourByteCodes.
constexpr std::size_t kGbkFourByteRunCount = 206;
extern const GbkFourByteRun kGbkFourByteRuns[kGbkFourByteRunCount];
