// The rim walk passes over stretches of undrawn rows at once; on the rows it draws it must
// visit exactly the pixels, partners and edge distances of the step-by-step walk, in order.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "raster/DiscRaster.h"

namespace {

struct Visit {
  int i, j, qi, qj;
  double fP, fQ;
  bool operator==(const Visit&) const = default;
};

std::vector<Visit> walk(const raster::QuantisedDisc& disc, const raster::RimRows& rows, bool passOver) {
  std::vector<Visit> visits;
  const auto record = [&](int i, int j, int qi, int qj, double fP, double fQ) {
    if (rows.contains(j)) visits.push_back(Visit{i, j, qi, qj, fP, fQ});
  };
  if (passOver) {
    raster::traceDiscRim(disc, record, rows);
  } else {
    raster::traceDiscRim(disc, record);  // every row drawn: nothing is passed over
  }
  return visits;
}

TEST(RimWalk, PassingOverUndrawnRowsVisitsWhatTheFullWalkVisits) {
  std::mt19937 random(1206);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  int compared = 0;
  for (int round = 0; round < 1500; ++round) {
    const double r = std::exp(std::log(5.0) + unit(random) * (std::log(6000.0) - std::log(5.0)));
    const raster::QuantisedDisc disc = raster::quantiseDisc(unit(random) * 50.0, unit(random) * 50.0, r);
    // A band of drawn rows anywhere from above the disc to below it, a few rows to a few
    // hundred tall: through the sides, the caps, or missing the circle altogether.
    const auto reach = static_cast<std::int64_t>(r) + 4;
    const std::int64_t first = std::uniform_int_distribution<std::int64_t>(-reach - 20, reach + 20)(random);
    const std::int64_t height = std::uniform_int_distribution<std::int64_t>(1, round % 3 == 0 ? 400 : 50)(random);
    const raster::RimRows rows{first, first + height - 1};
    const std::vector<Visit> expected = walk(disc, rows, false);
    ASSERT_EQ(walk(disc, rows, true), expected) << "r " << r << " sx " << disc.sx << " sy " << disc.sy
                                                << " rows " << rows.first << " … " << rows.last;
    compared += static_cast<int>(expected.size());
  }
  EXPECT_GT(compared, 100000);  // the bands did meet the rims
}

}  // namespace
