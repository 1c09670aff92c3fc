#pragma once

#include <array>

// The three drop-down lists of the method-1 form, item by item in the order
// they are added, with what selecting an item sets. Shared by the dialog,
// the calculation and qoru-calc so that they cannot drift apart.

// The self-compacting performance grades.
struct PerformanceGrade
{
    const char* item; // list text, also the held grade text: "SF1"
    const char* slumpFlowText; // mm: "550～655"
    double vgMin; // m3, coarse-aggregate volume the grade admits
    double vgMax; // m3
    const char* vgMessage; // shown when Vg lies outside [vgMin, vgMax]

    // The bounds themselves pass.
    bool Admits(double vg) const { return !(vg < vgMin || vg > vgMax); }
};

// The concrete strength grades: the common grade list, shown by number.
struct StrengthGrade
{
    const char* item; // list text: "7.5"
    double fcuK; // MPa
    const char* gradeText; // "C7.5"
};

// The cement strength grades.
struct CementGrade
{
    const char* item; // list text: "22.5"
    double fceG; // MPa
};

extern const std::array<PerformanceGrade, 3> kPerformanceGrades;
extern const std::array<StrengthGrade, 16> kStrengthGrades;
extern const std::array<CementGrade, 6> kCementGrades;

// The item at a selection index, or nullptr for no selection (-1) and any
// index the list does not have.
const PerformanceGrade* PerformanceGradeAt(int index);
const StrengthGrade* StrengthGradeAt(int index);
const CementGrade* CementGradeAt(int index);

// Selections when the form opens: SF2, C60, 52.5.
inline constexpr int kOpeningPerformanceIndex = 1;
inline constexpr int kOpeningStrengthIndex = 11;
inline constexpr int kOpeningCementIndex = 4;
