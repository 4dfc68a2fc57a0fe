#include "wave/WavePath.h"

#include <cmath>
#include <vector>

#include "geometry/BezierSegment.h"
#include "wave/RoundPathCorners.h"
#include "wave/WaveGeometry.h"

namespace {

constexpr double kHalfPi = 1.5707963267948966;

// Where the tangent vanishes, nodes this close to the path ends [path fraction] take their
// direction from a point this far into their segment [segment fraction].
constexpr double kPathStartZone = 0.01;
constexpr double kPathEndZone = 0.99;
constexpr double kNearSegmentStart = 0.01;
constexpr double kNearSegmentEnd = 0.99;

// Which fallback a node with a vanishing tangent takes: toward the start, from the end, or
// decided by its path fraction.
enum class NodeRole { First, Inner, Last };

struct CurvePoint {
  CubicSplit split;         // point, left handle ab, right handle bc
  std::size_t segment = 0;  // segment of the path it lies on
};

double distance(PathPoint from, PathPoint to) {
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  return std::sqrt(dx * dx + dy * dy);
}

bool samePoint(PathPoint p, PathPoint q) { return p.x == q.x && p.y == q.y; }

// The rounded path with one chord-length table per segment and the cumulative fractions
// cum[i] = (length of segments 0 … i) / Ltot.
class MeasuredPath {
 public:
  explicit MeasuredPath(const Path& vertices) : vertices_(vertices) {
    const std::size_t count = vertices.size() - 1;
    segments_.resize(count);
    cumulative_.resize(count);
    double sum = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
      const CubicControlPoints c = cubic(i);
      segments_[i].setUp(c.p0.x, c.p0.y, c.p1.x, c.p1.y, c.p2.x, c.p2.y, c.p3.x, c.p3.y);
      sum += segments_[i].totalLength();
      cumulative_[i] = sum;
    }
    total_ = sum;
    // A path of length 0 (or one that cannot be measured) puts every segment end at 1.0, so all
    // nodes fall on its single point. Otherwise the last entry is sum / sum = 1.0 exactly.
    const bool measurable = total_ > 0.0 && std::isfinite(total_);
    for (double& c : cumulative_) c = measurable ? c / total_ : 1.0;
  }

  double endFraction() const { return cumulative_.back(); }

  // Segment i = the first with f ≤ cum[i] (the last when none); arc = (f − cum[i − 1])·Ltot,
  // or f·Ltot on segment 0; t from the segment's table; de Casteljau there.
  CurvePoint at(double f) const {
    std::size_t lo = 0;
    std::size_t hi = cumulative_.size();
    while (lo < hi) {
      const std::size_t mid = lo + (hi - lo) / 2;
      if (f <= cumulative_[mid]) {
        hi = mid;
      } else {
        lo = mid + 1;
      }
    }
    const std::size_t i = lo < cumulative_.size() ? lo : cumulative_.size() - 1;
    const double arc = i == 0 ? f * total_ : (f - cumulative_[i - 1]) * total_;
    return CurvePoint{splitCubic(cubic(i), parameterAtArc(segments_[i], arc)), i};
  }

  // θ = atan2(bc − ab). Where P, ab and bc coincide (no tangent, as at the joint of two straight
  // segments) the direction comes from a point Q on the same segment: toward Q at 1 % of its
  // length near the path start, from Q at 99 % near the end, and 0 in between.
  double directionAt(const CurvePoint& p, double f, NodeRole role) const {
    const PathPoint& point = p.split.point;
    const PathPoint& ab = p.split.ab;
    const PathPoint& bc = p.split.bc;
    if (!samePoint(point, ab) || !samePoint(point, bc)) return std::atan2(bc.y - ab.y, bc.x - ab.x);

    const bool nearStart = role == NodeRole::First || (role == NodeRole::Inner && f < kPathStartZone);
    const bool nearEnd = role == NodeRole::Last || (role == NodeRole::Inner && f > kPathEndZone);
    if (nearStart) {
      const PathPoint q = pointOnSegment(p.segment, kNearSegmentStart);
      return std::atan2(q.y - point.y, q.x - point.x);
    }
    if (nearEnd) {
      const PathPoint q = pointOnSegment(p.segment, kNearSegmentEnd);
      return std::atan2(point.y - q.y, point.x - q.x);
    }
    return 0.0;  // atan2(0, 0)
  }

 private:
  CubicControlPoints cubic(std::size_t i) const { return segmentControlPoints(vertices_[i], vertices_[i + 1]); }

  PathPoint pointOnSegment(std::size_t i, double fractionOfSegment) const {
    const double arc = segments_[i].totalLength() * fractionOfSegment;
    return splitCubic(cubic(i), parameterAtArc(segments_[i], arc)).point;
  }

  const Path& vertices_;
  std::vector<BezierSegment> segments_;
  std::vector<double> cumulative_;
  double total_ = 0.0;
};

// Handle direction d = (cos θ, sin θ) and displacement normal n = (cos(θ + π/2), sin(θ + π/2)).
struct NodeFrame {
  explicit NodeFrame(double theta)
      : dx(std::cos(theta)), dy(std::sin(theta)), nx(std::cos(theta + kHalfPi)), ny(std::sin(theta + kHalfPi)) {}

  // p + amp·n
  PathPoint displaced(PathPoint p, double amp) const { return PathPoint{p.x + amp * nx, p.y + amp * ny}; }
  // p + h·d
  PathPoint ahead(PathPoint p, double h) const { return PathPoint{p.x + h * dx, p.y + h * dy}; }
  // p − h·d
  PathPoint behind(PathPoint p, double h) const { return PathPoint{p.x - h * dx, p.y - h * dy}; }

  double dx, dy, nx, ny;
};

PathVertex vertexAt(PathPoint position, PathPoint inTangent, PathPoint outTangent) {
  return PathVertex{position.x, position.y, inTangent.x, inTangent.y, outTangent.x, outTangent.y};
}

void emitWave(const WaveSettings& settings, const WaveLoopBuffer& buffer, Path& out, const Path& w) {
  const MeasuredPath path(w);
  const WaveStart start = locateWaveStart(buffer, settings.phase);
  const std::vector<WaveLoopEntry>& cycle = buffer.entries;
  const double end = path.endFraction();
  const double tl = settings.tangentLength;

  double prev = 0.0;                                      // path fraction of the node at prev
  double ampPrev = start.amplitude;                       // its amplitude
  double interval = start.interval;                       // nominal distance to the next node
  std::size_t nextIndex = buffer.successor(start.index);  // cycle index of that next node
  double hPrev = 0.0;                                     // handle length of the interval before
  CurvePoint pa = path.at(prev);

  for (std::size_t iteration = 0;; ++iteration) {
    // Negated tests, so a NaN position ends the path instead of running on.
    double next = prev + interval;
    bool last = false;
    if (!(next < end)) {
      next = end;
      last = true;
    } else if (iteration + 1 >= kMaxWaveIntervals) {
      // Out of intervals: the last one reaches the end and ends at its nominal node's amplitude.
      next = end;
      interval = end - prev;
      last = true;
    }

    const CurvePoint pb = path.at(next);
    // h = |PB − PA|·TL, from the undisplaced path points
    const double h = distance(pa.split.point, pb.split.point) * tl;

    const NodeRole role = iteration == 0 ? NodeRole::First : NodeRole::Inner;
    const NodeFrame frame(path.directionAt(pa, prev, role));
    const PathPoint v = frame.displaced(pa.split.point, ampPrev);
    if (iteration == 0) {
      // The start keeps its undisplaced left handle, which is the path's start point.
      out.push_back(vertexAt(v, pa.split.ab, frame.ahead(v, h)));
    } else {
      // in = (PA − hprev·d) + amp·n, out = V + h·d
      out.push_back(vertexAt(v, frame.displaced(frame.behind(pa.split.point, hPrev), ampPrev), frame.ahead(v, h)));
    }

    if (last) {
      // ampEnd = ampPrev + (amplitude[nominal next] − ampPrev)·(1 − prev) / interval
      const double ampEnd = ampPrev + (cycle[nextIndex].amplitude - ampPrev) * (1.0 - prev) / interval;
      const NodeFrame endFrame(path.directionAt(pb, next, NodeRole::Last));
      const PathPoint vEnd = endFrame.displaced(pb.split.point, ampEnd);
      // The end keeps its undisplaced right handle, which is the path's end point.
      out.push_back(vertexAt(vEnd, endFrame.behind(vEnd, h), pb.split.bc));
      return;
    }

    hPrev = h;
    prev = next;
    pa = pb;
    ampPrev = cycle[nextIndex].amplitude;
    interval = cycle[nextIndex].spacing;
    nextIndex = buffer.successor(nextIndex);
  }
}

}  // namespace

WaveStart locateWaveStart(const WaveLoopBuffer& buffer, double phase) {
  const std::vector<WaveLoopEntry>& cycle = buffer.entries;
  const std::size_t n = cycle.size();
  if (n == 0) return WaveStart{0, 0.0, 1.0, false};

  double cycleSpacing = 0.0;
  for (const WaveLoopEntry& entry : cycle) cycleSpacing += entry.spacing;

  // A cycle that does not move the chain on, even at the path end (position 1.0), would make
  // both the phase walk and the node loop run forever: draws of 1.0 with "Wave Length Random"
  // 100 % give spacing 0, and a short cycle can consist of nothing else. Such a chain is read
  // as one interval from the path start to the path end, from node 0 to node 1.
  const WaveStart still{0, cycle[0].amplitude, 1.0, false};
  if (!std::isfinite(cycleSpacing) || !(1.0 + cycleSpacing > 1.0)) return still;

  if (!std::isfinite(phase)) phase = 0.0;

  // A phase many cycles away is first brought within one cycle; fmod takes off an exact whole
  // number of cycles, so the walk finds the same node (but for rounding at a node's exact
  // position). Short walks stay node by node, as the positions are summed there.
  if (std::fabs(phase) / cycleSpacing * static_cast<double>(n) > static_cast<double>(kPhaseWalkSteps / 2)) {
    phase = std::fmod(phase, cycleSpacing);
  }

  // Node j at position a ≤ PH, its successor at a position above PH. The step budget only
  // matters for spacings outside the sliders' ranges (negative ones that cancel in rounding).
  std::size_t j = 0;
  double a = 0.0;
  double successorPosition = 0.0;
  bool found = false;
  if (phase >= 0.0) {
    // Forward from node 0 at 0.
    for (std::size_t step = 0; step < kPhaseWalkSteps; ++step) {
      const double b = a + cycle[j].spacing;
      if (b > phase) {
        successorPosition = b;
        found = true;
        break;
      }
      a = b;
      j = buffer.successor(j);
    }
  } else {
    // Backward from node 0: node N − 1 at −spacing[N − 1], and so on.
    j = n - 1;
    for (std::size_t step = 0; step < kPhaseWalkSteps; ++step) {
      a = successorPosition - cycle[j].spacing;
      if (a <= phase) {
        found = true;
        break;
      }
      successorPosition = a;
      j = buffer.predecessor(j);
    }
  }
  if (!found) return still;

  // amp0 = amplitude[j] + (amplitude[j + 1] − amplitude[j])·(PH − a) / spacing[j];
  // spacing[j] > 0 here, as a ≤ PH < a + spacing[j].
  const double ampJ = cycle[j].amplitude;
  const double ampNext = cycle[buffer.successor(j)].amplitude;
  const double amp0 = ampJ + (ampNext - ampJ) * (phase - a) / cycle[j].spacing;
  // d0 = (position of j's successor) − PH
  return WaveStart{j, amp0, successorPosition - phase, true};
}

void applyWaveWithBuffer(const WaveSettings& settings, const WaveLoopBuffer& buffer, Path& out, const Path& in) {
  if (in.size() < 2) return;

  Path rounded;
  const Path* w = &in;
  if (in.size() >= 3 && settings.roundCorners > 0.0) {
    RoundPathCorners(settings.roundCorners, rounded, in);
    w = &rounded;
  }

  if (buffer.size() == 0) {
    out.insert(out.end(), w->begin(), w->end());
    return;
  }
  emitWave(settings, buffer, out, *w);
}

void ApplyWave(const WaveSettings& settings, Path& out, const Path& in, std::int32_t seed) {
  if (in.size() < 2) return;
  if (!settings.enabled) {
    out.insert(out.end(), in.begin(), in.end());
    return;
  }
  applyWaveWithBuffer(settings, buildWaveLoopBuffer(settings, seed), out, in);
}
