#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

// Turns a fuzzer's bytes into values. A double comes either from eight raw
// bytes or, more often, from a table of values that make arithmetic go
// wrong, so the fuzzer reaches the edges quickly.
class FuzzInput
{
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) { }

    std::uint8_t Byte()
    {
        if (m_pos >= m_size)
            return 0;
        return m_data[m_pos++];
    }

    int Index(int count) // -1 .. count
    {
        return static_cast<int>(Byte() % (count + 2)) - 1;
    }

    bool Flag() { return Byte() & 1U; }

    double Double(double typical)
    {
        const std::uint8_t pick = Byte();
        static const double kEdges[] = { 0.0, -0.0, 1.0, -1.0, 0.5, 1e-300, -1e-300, 1e300, -1e300,
            std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
            std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::denorm_min(),
            std::numeric_limits<double>::max(), 2147483647.5, -2147483648.5, 0.45, 0.3, 0.2, 1e9 };
        constexpr int kEdgeCount = static_cast<int>(sizeof kEdges / sizeof kEdges[0]);
        if (pick < 96)
            return typical; // most values stay near the form's own
        if (pick < 160)
            return typical * (static_cast<double>(Byte()) / 64.0);
        if (pick < 224)
            return kEdges[Byte() % kEdgeCount];
        double raw = 0;
        std::uint8_t bytes[sizeof raw] = {};
        for (auto& b : bytes)
            b = Byte();
        std::memcpy(&raw, bytes, sizeof raw);
        return raw;
    }

    std::string Rest() const
    {
        return std::string(reinterpret_cast<const char*>(m_data) + m_pos, m_size - m_pos);
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Every number a report prints is finite: no "nan" or "inf" may appear.
inline bool PrintsOnlyFiniteNumbers(const std::string& report)
{
    return report.find("nan") == std::string::npos && report.find("inf") == std::string::npos;
}

#define FUZZ_CHECK(condition)                                                                    \
    do {                                                                                         \
        if (!(condition))                                                                        \
            __builtin_trap();                                                                    \
    } while (0)
