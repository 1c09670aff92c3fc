#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The concrete strength grades C7.5 to C80, in the order every grade list of
// the program shows them. Each calculator's list is a view of this one.
struct ConcreteGrade
{
    const char* text; // "C7.5"
    const char* number; // "7.5", the grade without its letter
    std::int64_t fcuK; // fcu,k, 0.1 MPa

    // fcu,k in MPa; exact, every grade being a whole or half number.
    constexpr double Mpa() const { return static_cast<double>(fcuK) / 10; }
};

inline constexpr std::array<ConcreteGrade, 16> kConcreteGrades = { {
    { "C7.5", "7.5", 75 },
    { "C10", "10", 100 },
    { "C15", "15", 150 },
    { "C20", "20", 200 },
    { "C25", "25", 250 },
    { "C30", "30", 300 },
    { "C35", "35", 350 },
    { "C40", "40", 400 },
    { "C45", "45", 450 },
    { "C50", "50", 500 },
    { "C55", "55", 550 },
    { "C60", "60", 600 },
    { "C65", "65", 650 },
    { "C70", "70", 700 },
    { "C75", "75", 750 },
    { "C80", "80", 800 },
} };

// The grade at a list's selection index, or nullptr for no selection (-1)
// and any index beyond the list.
constexpr const ConcreteGrade* ConcreteGradeAt(int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < kConcreteGrades.size()
        ? &kConcreteGrades[static_cast<std::size_t>(index)]
        : nullptr;
}
