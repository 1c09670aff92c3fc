#include "store/pgcluster.h"

#include <gtest/gtest.h>

namespace {

// Stops the shared cluster when the tests are done, also after a failure.
class ClusterEnvironment : public ::testing::Environment
{
public:
    void TearDown() override { StopSharedCluster(); }
};

[[maybe_unused]] const auto* const kEnvironment
    = ::testing::AddGlobalTestEnvironment(new ClusterEnvironment);

} // namespace
