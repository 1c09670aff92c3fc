#pragma once

#include "common/message.h"

#include <string>
#include <vector>

// The strength standard deviation calculator: what its input box accepts, how
// a row of the list reads, and σ from the strengths now in the list.

// The largest strength the input box takes, MPa (the smallest is 0).
inline constexpr float kStrengthMax = 500.0f;

// Rows needed before σ may be computed.
inline constexpr int kStdDevMinCount = 25;

enum class StrengthCheck
{
    Accepted, // the value becomes a new row
    NotANumber, // the box transfer refused the text
    OutOfRange, // a number, but below 0 or above 500
    NotPositive, // exactly 0 after narrowing to single precision
};

// What pressing Add makes of the input box's text.
struct StrengthEntry
{
    StrengthCheck check = StrengthCheck::NotANumber;
    // The box's value in single precision (MPa). The member bound to the box
    // takes it whenever the text was a number, out of range or zero included,
    // because the transfer stores the value before the range is checked; after
    // NotANumber the member keeps what it had.
    float value = 0;
    // The transfer's own refusals put the focus back on the box and select
    // its text; the zero notice leaves the focus where it was.
    bool focusBox = false;
    // Empty text when accepted. The refusals of the number and the range
    // come from the input rule, the zero notice from the calculator.
    Message notice;
};

// Reads the input box as the Add button does: the number-box rule, then single
// precision (a number beyond the float range is no number), then 0..500
// inclusive compared in single precision, then greater than zero.
StrengthEntry ReadStrengthBox(const std::string& text);

// A row of the list: "%5.2f" of the value, ties away from zero.
std::string StrengthRowText(float value);

// The number boxes as the dialog shows them: the float input box with up to
// 6 significant digits, σ with up to 15 ("%.*g"), the count with "%d".
std::string StrengthBoxText(float value);
std::string SigmaBoxText(double sigma);
std::string CountBoxText(int count);

// What σ is computed from: the strengths of the list's rows, top to bottom.
struct StdDevInputs
{
    std::vector<double> strengths; // MPa, each a row's single-precision value widened
};

struct StdDevOutcome
{
    Messages messages; // the calculator's stops
    bool stopped = false;
    double sigma = 0; // MPa, rounded to 0.01; the σ shown before when stopped
    int count = 0; // number of strengths
};

// σ of the strengths now in the list (each the row's single-precision value
// widened to double), in any order. Fewer than 25 stop with a message and
// leave `shownSigma` as it is; otherwise the sample standard deviation
// (n - 1) rounded half up to 0.01.
StdDevOutcome ComputeStdDev(const std::vector<double>& strengths, double shownSigma);

// The unrounded sample standard deviation. It depends only on which values
// there are, not on their order, and is exactly 0 when they are all equal.
// Fewer than two values give 0.
double SampleStdDev(const std::vector<double>& strengths);

// k = integer part of sigma * 100 + 0.5, then k * 0.01.
double RoundSigma(double sigma);
