#include <gtest/gtest.h>

#include "aehost/CallbackTables.h"
#include "aehost/HostScope.h"
#include "aehost/Mask.h"
#include "aehost/PathCheckouts.h"
#include "aehost_testing/PixelEquality.h"
#include "aehost_testing/ProbeInstance.h"
#include "support/ProbeFixture.h"

namespace {

using aehost::Mask;
using aehost::MaskKeyframe;
using aehost::MaskVertex;
using aehost::makePathOutline;
using aehost::testing::anyProblemContains;
using aehost::testing::joinedProblems;

constexpr PF_RationalScale kFull{1, 1};

Mask triangle(bool closed) {
  Mask mask;
  mask.closed = closed;
  mask.vertices = {MaskVertex{{10, 20}, {8, 20}, {12, 20}}, MaskVertex::corner(30, 20), MaskVertex::corner(20, 40)};
  return mask;
}

TEST(HostMasks, OpenMaskOfNVerticesHasNMinusOneSegments) {
  const auto outline = makePathOutline(3, triangle(false), 0, kFull, kFull);
  EXPECT_TRUE(outline.open);
  EXPECT_EQ(outline.segments, 2);
  ASSERT_EQ(outline.vertices.size(), 3u);
  EXPECT_DOUBLE_EQ(outline.vertices[0].tan_in_x, 8);   // tangents absolute
  EXPECT_DOUBLE_EQ(outline.vertices[0].tan_out_x, 12);
  EXPECT_DOUBLE_EQ(outline.vertices[2].y, 40);
}

TEST(HostMasks, ClosedMaskRepeatsItsFirstVertexAtTheEnd) {
  const auto outline = makePathOutline(3, triangle(true), 0, kFull, kFull);
  EXPECT_FALSE(outline.open);
  EXPECT_EQ(outline.segments, 3);
  ASSERT_EQ(outline.vertices.size(), 4u);  // vertex i and i + 1 bound segment i
  EXPECT_DOUBLE_EQ(outline.vertices[3].x, 10);
  EXPECT_DOUBLE_EQ(outline.vertices[3].tan_out_x, 12);
  EXPECT_EQ(Mask::segmentCount(true, 0), 0);
  EXPECT_EQ(Mask::segmentCount(false, 1), 0);
  EXPECT_TRUE(makePathOutline(1, Mask{}, 0, kFull, kFull).vertices.empty());
}

TEST(HostMasks, DownsamplingScalesEveryCoordinateByItsAxis) {
  const auto outline = makePathOutline(3, triangle(false), 0, PF_RationalScale{1, 2}, PF_RationalScale{1, 4});
  EXPECT_DOUBLE_EQ(outline.vertices[0].x, 5);
  EXPECT_DOUBLE_EQ(outline.vertices[0].y, 5);
  EXPECT_DOUBLE_EQ(outline.vertices[0].tan_in_x, 4);
  EXPECT_DOUBLE_EQ(outline.vertices[0].tan_out_x, 6);
  EXPECT_DOUBLE_EQ(outline.vertices[0].tan_out_y, 5);
}

TEST(HostMasks, KeyframesInterpolateLinearlyBetweenEqualCounts) {
  Mask mask;
  mask.keyframes = {MaskKeyframe{48, {MaskVertex::corner(100, 0), MaskVertex::corner(0, 100)}},
                    MaskKeyframe{0, {MaskVertex::corner(0, 0), MaskVertex{{0, 50}, {0, 40}, {0, 60}}}}};
  EXPECT_EQ(mask.shapeAt(-5)[0].position.x, 0);   // before the first key
  EXPECT_EQ(mask.shapeAt(100)[0].position.x, 100);  // after the last
  const auto middle = mask.shapeAt(12);
  EXPECT_DOUBLE_EQ(middle[0].position.x, 25);
  EXPECT_DOUBLE_EQ(middle[1].position.y, 62.5);
  EXPECT_DOUBLE_EQ(middle[1].inTangent.y, 55);  // 40 -> 100
  EXPECT_DOUBLE_EQ(middle[1].outTangent.y, 70);  // 60 -> 100
}

TEST(HostMasks, KeyframesOfDifferentCountsHold) {
  Mask mask;
  mask.keyframes = {MaskKeyframe{0, {MaskVertex::corner(0, 0)}},
                    MaskKeyframe{10, {MaskVertex::corner(5, 5), MaskVertex::corner(9, 9)}}};
  EXPECT_EQ(mask.shapeAt(9.5).size(), 1u);
  EXPECT_EQ(mask.shapeAt(10).size(), 2u);
}

TEST(HostMasks, LayerGivesUniqueIdsInOrder) {
  aehost::Composition composition;
  aehost::Layer layer(composition);
  const PF_PathID a = layer.addMask(triangle(true));
  const PF_PathID b = layer.addMask(triangle(false));
  EXPECT_NE(a, PF_PathID_NONE);
  EXPECT_NE(a, b);
  layer.removeMask(a);
  const PF_PathID c = layer.addMask(triangle(false));
  EXPECT_NE(c, a);
  EXPECT_EQ(layer.maskIds(), (std::vector<PF_PathID>{b, c}));
  EXPECT_THROW(layer.mask(a), std::out_of_range);
}

// The path suites driven directly, as the instance's own command would.
class HostPathSuites : public ProbeTest {
 protected:
  const PF_PathQuerySuite1& query = aehost::pathQuerySuite1();
  const PF_PathDataSuite1& data = aehost::pathDataSuite1();
  PF_ProgPtr ref = instance.effectRef();
  aehost::HostScope scope{host, "test code", ref};
  PF_PathID closed = 0;
  PF_PathID open = 0;

  void SetUp() override {
    Mask first = triangle(true);
    first.name = "A name longer than thirty-one characters";
    first.inverted = true;
    first.mode = PF_MaskMode_SUBTRACT;
    closed = instance.layer().addMask(first);
    open = instance.layer().addMask(triangle(false));
  }
  PF_PathOutlinePtr checkout(PF_PathID id, A_long time = 0, A_u_long scale = 24) {
    PF_PathOutlinePtr outline = nullptr;
    EXPECT_EQ(query.PF_CheckoutPath(ref, id, time, 1, scale, &outline), PF_Err_NONE);
    return outline;
  }
};

TEST_F(HostPathSuites, QueryListsTheMasks) {
  A_long count = 0;
  EXPECT_EQ(query.PF_NumPaths(ref, &count), PF_Err_NONE);
  EXPECT_EQ(count, 2);
  PF_PathID id = 0;
  EXPECT_EQ(query.PF_PathInfo(ref, 1, &id), PF_Err_NONE);
  EXPECT_EQ(id, open);
  EXPECT_EQ(query.PF_PathInfo(ref, 2, &id), PF_Err_BAD_CALLBACK_PARAM);
  host.clearRecordedProblems();
}

TEST_F(HostPathSuites, UnknownIdsCheckOutNothing) {
  for (const PF_PathID id : {PF_PathID{0}, PF_PathID{99}}) {
    PF_PathOutlinePtr outline = reinterpret_cast<PF_PathOutlinePtr>(this);  // overwritten
    EXPECT_EQ(query.PF_CheckoutPath(ref, id, 0, 1, 24, &outline), PF_Err_NONE);
    EXPECT_EQ(outline, nullptr);
    EXPECT_EQ(query.PF_CheckinPath(ref, id, 0, outline), PF_Err_NONE);
  }
  expectClean();
}

TEST_F(HostPathSuites, DataOfAClosedMask) {
  PF_PathOutlinePtr outline = checkout(closed);
  PF_Boolean isOpen = 1;
  A_long segments = 0;
  EXPECT_EQ(data.PF_PathIsOpen(ref, outline, &isOpen), PF_Err_NONE);
  EXPECT_EQ(isOpen, 0);
  EXPECT_EQ(data.PF_PathNumSegments(ref, outline, &segments), PF_Err_NONE);
  EXPECT_EQ(segments, 3);
  PF_PathVertex v{};
  EXPECT_EQ(data.PF_PathVertexInfo(ref, outline, 3, &v), PF_Err_NONE);
  EXPECT_DOUBLE_EQ(v.x, 10);  // the first vertex again
  EXPECT_DOUBLE_EQ(v.tan_in_x, 8);
  EXPECT_EQ(data.PF_PathVertexInfo(ref, outline, 4, &v), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(data.PF_PathVertexInfo(ref, outline, -1, &v), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(anyProblemContains(host.problems(), "vertex 4 of a path with 3 segment(s)"));
  host.clearRecordedProblems();
  EXPECT_EQ(query.PF_CheckinPath(ref, closed, 0, outline), PF_Err_NONE);

  A_char name[PF_MAX_PATH_NAME_LEN + 1];
  EXPECT_EQ(data.PF_PathGetName(ref, closed, name), PF_Err_NONE);
  EXPECT_STREQ(name, "A name longer than thirty-one c");
  PF_Boolean inverted = 0;
  EXPECT_EQ(data.PF_PathIsInverted(ref, closed, &inverted), PF_Err_NONE);
  EXPECT_EQ(inverted, 1);
  PF_MaskMode mode = PF_MaskMode_NONE;
  EXPECT_EQ(data.PF_PathGetMaskMode(ref, closed, &mode), PF_Err_NONE);
  EXPECT_EQ(mode, PF_MaskMode_SUBTRACT);
  EXPECT_EQ(data.PF_PathGetMaskMode(ref, 77, &mode), PF_Err_BAD_CALLBACK_PARAM);
  host.clearRecordedProblems();
  expectClean();
}

TEST_F(HostPathSuites, DataOfAnOpenMask) {
  PF_PathOutlinePtr outline = checkout(open);
  PF_Boolean isOpen = 0;
  A_long segments = 0;
  data.PF_PathIsOpen(ref, outline, &isOpen);
  data.PF_PathNumSegments(ref, outline, &segments);
  EXPECT_EQ(isOpen, 1);
  EXPECT_EQ(segments, 2);
  PF_PathVertex v{};
  EXPECT_EQ(data.PF_PathVertexInfo(ref, outline, 2, &v), PF_Err_NONE);
  EXPECT_DOUBLE_EQ(v.y, 40);
  query.PF_CheckinPath(ref, open, 0, outline);
  expectClean();
}

TEST_F(HostPathSuites, CheckoutTimeIsInTheEffectsTimeScale) {
  Mask moving;
  moving.closed = false;
  moving.keyframes = {MaskKeyframe{0, {MaskVertex::corner(0, 0)}}, MaskKeyframe{24, {MaskVertex::corner(48, 0)}}};
  const PF_PathID id = instance.layer().addMask(moving);
  PF_PathOutlinePtr outline = checkout(id, 500, 1000);  // half a second = 12 ticks at 24
  PF_PathVertex v{};
  EXPECT_EQ(data.PF_PathVertexInfo(ref, outline, 0, &v), PF_Err_NONE);
  EXPECT_DOUBLE_EQ(v.x, 24);
  query.PF_CheckinPath(ref, id, 0, outline);
  expectClean();
}

TEST_F(HostPathSuites, OutlinesNotCheckedInAreAProblem) {
  checkout(closed);
  const auto problems = host.problems();
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("the path of mask id 1 was checked out and never checked in"), std::string::npos) << problems[0];

  PF_PathOutlinePtr outline = checkout(open);
  EXPECT_EQ(query.PF_CheckinPath(ref, open, 0, outline), PF_Err_NONE);
  EXPECT_EQ(query.PF_CheckinPath(ref, open, 0, outline), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(anyProblemContains(host.problems(), "PF_CheckinPath: the outline is not checked out"));
  PF_Boolean isOpen = 0;
  EXPECT_EQ(data.PF_PathIsOpen(ref, outline, &isOpen), PF_Err_BAD_CALLBACK_PARAM);
}

TEST_F(HostPathSuites, FaultsPerMask) {
  instance.layer().failCheckoutOf(open, PF_Err_OUT_OF_MEMORY);
  instance.layer().failVertexInfoOf(closed, PF_Err_INTERNAL_STRUCT_DAMAGED);
  PF_PathOutlinePtr outline = nullptr;
  EXPECT_EQ(query.PF_CheckoutPath(ref, open, 0, 1, 24, &outline), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(outline, nullptr);
  outline = checkout(closed);
  PF_PathVertex v{};
  EXPECT_EQ(data.PF_PathVertexInfo(ref, outline, 0, &v), PF_Err_INTERNAL_STRUCT_DAMAGED);
  query.PF_CheckinPath(ref, closed, 0, outline);
  instance.layer().clearMaskFaults();
  outline = checkout(open);
  EXPECT_NE(outline, nullptr);
  query.PF_CheckinPath(ref, open, 0, outline);
  expectClean();
}

// Through a render: what the effect reads and draws at a reduced resolution.
class HostMaskRender : public ProbeRenderTest {
 protected:
  void SetUp() override {
    instance.layer().setPixels(aehost::Image(40, 40, PF_PixelFormat_ARGB32));
    setUp();
    probe.drawMark = false;
  }
};

TEST_F(HostMaskRender, VerticesArriveInTheDownsampledLayersPixels) {
  probe.maskToDraw = instance.layer().addMask(aehost::rectangleMask("Box", 8, 4, 32, 36));
  aehost::RenderRequest request = smart(0);
  request.downsampleX = {1, 2};
  request.downsampleY = {1, 4};
  const auto result = instance.renderFrame(request);
  ASSERT_EQ(result.err, PF_Err_NONE);
  EXPECT_EQ(probe.pathCheckoutErr, PF_Err_NONE);
  EXPECT_EQ(probe.seenOpen, 0);
  EXPECT_EQ(probe.seenSegments, 4);
  ASSERT_EQ(probe.seenVertexCount, 5);
  EXPECT_DOUBLE_EQ(probe.seenVertices[0].x, 4);
  EXPECT_DOUBLE_EQ(probe.seenVertices[0].y, 1);
  EXPECT_DOUBLE_EQ(probe.seenVertices[2].x, 16);
  EXPECT_DOUBLE_EQ(probe.seenVertices[2].y, 9);
  EXPECT_DOUBLE_EQ(probe.seenVertices[4].x, 4);
  // Drawn where the corners are in the 20 x 10 output.
  ASSERT_EQ(result.image.width(), 20);
  ASSERT_EQ(result.image.height(), 10);
  const PF_Pixel white{255, 255, 255, 255};
  EXPECT_EQ(result.image.pixel8(4, 1), white);
  EXPECT_EQ(result.image.pixel8(16, 1), white);
  EXPECT_EQ(result.image.pixel8(16, 9), white);
  EXPECT_EQ(result.image.pixel8(4, 9), white);
  EXPECT_EQ(result.image.pixel8(5, 1), (PF_Pixel{}));
  tearDown();
  EXPECT_TRUE(host.problems().empty()) << joinedProblems(host.problems());
}

TEST_F(HostMaskRender, NoMaskGivesANullOutline) {
  probe.maskToDraw = 42;
  const auto result = instance.renderFrame(aehost::RenderRequest::atFrame(0));
  EXPECT_EQ(result.err, PF_Err_NONE);
  EXPECT_TRUE(probe.sawNullOutline);
  tearDown();
  EXPECT_TRUE(host.problems().empty()) << joinedProblems(host.problems());
}

TEST_F(HostMaskRender, AnOutlineLeftCheckedOutIsReportedWhenTheCommandReturns) {
  probe.maskToDraw = instance.layer().addMask(triangle(false));
  probe.skipPathCheckin = true;
  instance.renderFrame(aehost::RenderRequest::atFrame(0));
  EXPECT_EQ(instance.layer().pathCheckouts().outstanding(), 0u);
  tearDown();
  EXPECT_TRUE(anyProblemContains(host.problems(), "[PF_Cmd_SMART_RENDER] the path of mask id 1 was checked out and never "
                                                  "checked in (PF_Cmd_SMART_RENDER returned)"))
      << joinedProblems(host.problems());
}

TEST_F(HostMaskRender, VertexInfoFaultReachesTheEffect) {
  probe.maskToDraw = instance.layer().addMask(triangle(true));
  instance.layer().failVertexInfoOf(probe.maskToDraw, PF_Err_OUT_OF_MEMORY);
  const auto result = instance.renderFrame(aehost::RenderRequest::atFrame(0));
  EXPECT_EQ(result.err, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(probe.vertexInfoErr, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(probe.seenVertexCount, 0);
  tearDown();
  EXPECT_TRUE(host.problems().empty()) << joinedProblems(host.problems());
}

}  // namespace
