#pragma once

#include <string>
#include <vector>

// The mix ratio a 配合比通知单 prints: each mass per m³ divided by the
// binder's mass, rounded half up to two decimals from the exact decimal
// texts, the binder itself printed as "1". Masses are the texts the report
// printed ("380", "172.5"); an empty or unreadable mass stays empty in the
// result. Empty altogether when the binder is not a positive number.
std::vector<std::string> MixRatioParts(
    const std::vector<std::string>& masses, const std::string& binderMass);

// The binder mass: the sum of the given masses' exact texts, "" when none is
// a number. Printed with the most decimals any addend has.
std::string SumMassText(const std::vector<std::string>& masses);

// "1：2.35：0.42" from the parts, the empty ones left out.
std::string MixRatioText(const std::vector<std::string>& parts);
