#include "core/canvas/flow_chart.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

TEST(Canvas, Placeholder) { TdxFlowChart chart; EXPECT_EQ(chart.ObjectCount(), 0); }

} // namespace
} // namespace kelto
