#pragma once

#include "common/grades.h"
#include "common/message.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The strength acceptance evaluation of a batch of cube results (GB/T
// 50107-2010). Everything is exact decimal arithmetic: strengths are integers
// of 0.1 MPa, factors, coefficients and right-hand sides integers of 0.01,
// and whatever lies between is an exact fraction, rounded half up once where
// the rule says. So no verdict depends on binary floating point.

enum class EvalMethod
{
    Auto, // by n: 标准差未知 from 10 groups, 非统计 below
    Known, // 统计方法（标准差已知）
    Unknown, // 统计方法（标准差未知）
    NonStat, // 非统计方法
};

enum class SpecimenSize
{
    Mm150,
    Mm100,
    Mm200,
};

// List items of the form, in order, and their openings. The grades are the
// common grade list: text "C30", fcuK in 0.1 MPa.
using EvalGradeItem = ConcreteGrade;
inline constexpr const std::array<ConcreteGrade, 16>& kEvalGrades = kConcreteGrades;
inline constexpr int kOpeningEvalGrade = 5; // C30

extern const std::array<const char*, 4> kEvalMethodItems; // 自动 first, as EvalMethod
extern const std::array<const char*, 3> kSpecimenSizeItems; // "150mm", "100mm", "200mm"

// The size factor a specimen size fills in, 0.01 units: 100, 95, 105.
std::int64_t SizeFactorUnits(SpecimenSize size);
const char* SpecimenSizeText(SpecimenSize size); // "150mm"

// The notice for a non-standard specimen at C60 and above, or nothing.
std::optional<Message> SizeNotice(std::int64_t fcuK, SpecimenSize size);

// A group of specimens: three strengths, or one group value determined
// before. Strengths are typed values taken half up to 0.1 MPa.
struct EvalGroup
{
    std::vector<std::int64_t> strengths; // 0.1 MPa, one or three
};

enum class GroupTaken
{
    Mean, // no strength lies more than 15 % from the middle one
    Middle, // one of them does
    Invalid, // both do: the group is left out
    Given, // a single value
};

struct GroupResult
{
    GroupTaken taken = GroupTaken::Given;
    std::optional<std::int64_t> value; // 0.1 MPa, after the size factor; none when invalid
    // The 15 % decision of three specimens: the middle strength, and which
    // of the other two lie more than 15 % of it away (one: the middle value
    // is taken; both: the group is invalid).
    std::int64_t middle = 0; // 0.1 MPa
    bool highOff = false; // the largest
    bool lowOff = false; // the smallest
};

// A group's value with a size factor of `factor` (0.01 units).
GroupResult EvaluateGroup(const EvalGroup& group, std::int64_t factor);

struct EvaluationInputs
{
    std::string gradeText = "C30";
    std::int64_t fcuK = 300; // 0.1 MPa
    EvalMethod method = EvalMethod::Auto;
    std::int64_t sigma0 = 0; // 0.01 MPa, used by Known only
    SpecimenSize size = SpecimenSize::Mm150;
    std::int64_t factor = 100; // 0.01
    // The form shows the size notice when the size is chosen, so it asks
    // for it not to come again with each evaluation.
    bool sizeNotice = true;
    std::vector<EvalGroup> groups;
};

// One acceptance condition: left ≥ right.
struct EvalCondition
{
    std::string name; // "mfcu≥fcu,k＋λ1×Sfcu"
    std::string leftName; // "mfcu"
    std::int64_t left = 0; // 0.1 MPa
    std::string expression; // the right side with the numbers put in: "30.0＋1.15×2.93"
    std::string exact; // its exact value, all decimals: "33.3695"
    std::int64_t right = 0; // 0.01 MPa, half up
    bool met = false;
};

struct EvalCoefficient
{
    std::string name; // "λ1"
    std::string key; // "lambda1", for JSON
    std::int64_t value = 0; // 0.01
};

struct EvaluationOutcome
{
    Messages messages; // in the order shown
    bool stopped = false;
    std::vector<GroupResult> groups; // as the inputs' groups
    std::optional<EvalMethod> method; // resolved, never Auto
    bool autoChosen = false; // 自动 chose it
    int n = 0; // valid groups
    std::int64_t sum = 0; // Σfcu,i of the valid groups, 0.1 MPa
    std::int64_t squares = 0; // Σfcu,i², 0.01 MPa²
    std::optional<std::int64_t> mean; // mfcu, 0.1 MPa
    std::optional<std::int64_t> min; // fcu,min, 0.1 MPa
    std::optional<std::int64_t> sd; // Sfcu, 0.01 MPa, n ≥ 2
    std::optional<std::int64_t> sdUsed; // Sfcu as 标准差未知 uses it (≥ 2.50)
    std::optional<std::int64_t> sigma0Used; // σ0 as 标准差已知 uses it (≥ 2.50)
    std::vector<EvalCoefficient> coefficients;
    std::vector<EvalCondition> conditions;
    std::optional<std::int64_t> minLimit; // the highest bound fcu,min must reach, 0.01 MPa
    bool passed = false;
    std::string report; // empty when stopped
};

EvaluationOutcome Evaluate(const EvaluationInputs& in);

// Sfcu: the sample standard deviation of values (0.1 MPa), half up to 0.01,
// reached by an integer square root. Two values or more.
std::int64_t SampleSdUnits(const std::vector<std::int64_t>& values);

const char* MethodText(EvalMethod method); // "统计方法（标准差未知）"
const char* MethodKey(EvalMethod method); // "unknown", for JSON and the command line
