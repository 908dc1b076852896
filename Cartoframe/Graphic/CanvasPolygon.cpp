// The filled polygon: a scanline fill with an active edge list.
//
//  1. Refuse more than G_POLYGON_MAX_POINTS points; find the bounding box and
//     stop when it misses the clip. A polygon one row high is a span.
//  2. Build an edge for every non-horizontal side that reaches the clipped
//     box: its upper and lower vertex rows, x at its first row inside the box
//     and the change of x per row, both 16.16 fixed point in 64 bits (x and
//     slope of sides far outside the canvas do not fit 32 bits). Up to
//     G_POLYGON_STATIC_EDGES edges live in a static table, more are allocated
//     for the one call.
//  3. Row by row: add the edges that start, fill between the pairs of the
//     active list (sorted by x, ties by slope) from round(x_left) to
//     round(x_right), both included, drop the edges that end, step the rest.
//
// Both vertex rows of a side belong to it, so an axis-aligned rectangle fills
// exactly the rectangle its corners span, both ends included on both axes,
// like g_FillRect. On a row through a vertex the crossings are counted twice,
// once with every side read as [upper, lower) and once as (upper, lower],
// and both fills are drawn: each reading pairs correctly on its own whatever
// the vertex is (a local extreme, a pass-through, the end of a horizontal run,
// a repeated point), and together they include both ends of every side. No
// neighbouring points are looked at, so triangles and polygons of one or two
// points need no special case.
#include "Canvas.h"
#include "CanvasPixels.h"
#include "CanvasPrimitives.h"
#include "LineClip.h"

#include <algorithm>
#include <memory>
#include <new>

namespace cartoframe {

using namespace canvas_detail;

namespace {

constexpr int kFixedShift = 16;
constexpr long long kFixedOne = 1LL << kFixedShift;
constexpr long long kFixedHalf = kFixedOne / 2;

struct TEdge {
    long long x = 0;        // 16.16, at the current row
    long long slope = 0;    // 16.16 change of x per row
    long long top = 0;      // row of the upper vertex
    long long bottom = 0;   // row of the lower vertex
    long long firstRow = 0; // top, or the clipped box's top when above it
};

// The drawing of a map fills polygons of up to this many sides without
// allocating. Single-threaded, like the rest of the library.
TEdge s_staticEdges[G_POLYGON_STATIC_EDGES];
TEdge* s_staticActive[G_POLYGON_STATIC_EDGES];

long long roundFixed(long long x) { return (x + kFixedHalf) >> kFixedShift; }

bool rowWanted(long long y, bool oddRows) { return !oddRows || (y & 1) != 0; }

bool before(const TEdge* a, const TEdge* b) { return a->x != b->x ? a->x < b->x : a->slope < b->slope; }

// The edge table of one call: the static one, or an allocated one freed with it.
class EdgeStorage {
public:
    explicit EdgeStorage(int count) {
        if (count <= G_POLYGON_STATIC_EDGES) {
            edges = s_staticEdges;
            active = s_staticActive;
            return;
        }
        ownedEdges_.reset(new (std::nothrow) TEdge[static_cast<std::size_t>(count)]);
        ownedActive_.reset(new (std::nothrow) TEdge*[static_cast<std::size_t>(count)]);
        edges = ownedEdges_.get();
        active = ownedActive_.get();
    }
    bool ready() const { return edges != nullptr && active != nullptr; }

    TEdge* edges = nullptr;
    TEdge** active = nullptr;

private:
    std::unique_ptr<TEdge[]> ownedEdges_;
    std::unique_ptr<TEdge*[]> ownedActive_;
};

template <class P>
TRect boundsOf(const P* points, int count) {
    TRect box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (int i = 1; i < count; ++i) {
        box.left = std::min<long long>(box.left, points[i].x);
        box.right = std::max<long long>(box.right, points[i].x);
        box.top = std::min<long long>(box.top, points[i].y);
        box.bottom = std::max<long long>(box.bottom, points[i].y);
    }
    return box;
}

// Calls visit(upper, lower) for every side that is not horizontal and meets
// rows top to bottom.
template <class P, class Visit>
void forEachSide(const P* points, int count, long long top, long long bottom, Visit visit) {
    for (int i = 0; i < count; ++i) {
        const P& a = points[i];
        const P& b = points[i + 1 < count ? i + 1 : 0];
        if (a.y == b.y)
            continue;
        const P& upper = a.y < b.y ? a : b;
        const P& lower = a.y < b.y ? b : a;
        if (lower.y < top || upper.y > bottom)
            continue;
        visit(TPointL{upper.x, upper.y}, TPointL{lower.x, lower.y});
    }
}

TEdge edgeOf(TPointL upper, TPointL lower, long long boxTop) {
    TEdge edge;
    const long long dx = lower.x - upper.x;
    const long long dy = lower.y - upper.y;
    edge.top = upper.y;
    edge.bottom = lower.y;
    edge.firstRow = std::max(upper.y, boxTop);
    edge.slope = dx * kFixedOne / dy;
    // x at the first row exactly, not stepped there from a vertex far above.
    edge.x = upper.x * kFixedOne + mulDivFloor(edge.firstRow - upper.y, dx * kFixedOne, dy);
    return edge;
}

enum TReading { kWhole, kWithoutEnding, kWithoutStarting };

// Fills between the pairs of active edges at row y, leaving out the edges
// the reading excludes.
void fillPairs(TCanvas* canvas, long long y, TEdge* const* active, int count, TColor colour, TReading reading) {
    const TEdge* left = nullptr;
    for (int i = 0; i < count; ++i) {
        const TEdge* edge = active[i];
        if ((reading == kWithoutEnding && edge->bottom == y) || (reading == kWithoutStarting && edge->top == y))
            continue;
        if (left == nullptr) {
            left = edge;
            continue;
        }
        blendSpan(canvas, roundFixed(left->x), roundFixed(edge->x), y, colour, G_WEIGHT_SOLID);
        left = nullptr;
    }
}

void fillRow(TCanvas* canvas, long long y, TEdge* const* active, int count, TColor colour) {
    const bool vertexRow =
        std::any_of(active, active + count, [y](const TEdge* edge) { return edge->top == y || edge->bottom == y; });
    if (!vertexRow) {
        fillPairs(canvas, y, active, count, colour, kWhole);
        return;
    }
    fillPairs(canvas, y, active, count, colour, kWithoutEnding);
    fillPairs(canvas, y, active, count, colour, kWithoutStarting);
}

// Insertion sort: the list is nearly sorted from one row to the next.
void sortActive(TEdge** active, int count) {
    for (int i = 1; i < count; ++i) {
        TEdge* edge = active[i];
        int j = i;
        for (; j > 0 && before(edge, active[j - 1]); --j)
            active[j] = active[j - 1];
        active[j] = edge;
    }
}

void scanRows(TCanvas* canvas, const TRect& box, TEdge* edges, int edgeCount, TEdge** active, TColor colour,
              bool oddRows) {
    std::sort(edges, edges + edgeCount, [](const TEdge& a, const TEdge& b) { return a.firstRow < b.firstRow; });
    int pending = 0;
    int activeCount = 0;
    for (long long y = box.top; y <= box.bottom; ++y) {
        while (pending < edgeCount && edges[pending].firstRow == y)
            active[activeCount++] = &edges[pending++];
        if (activeCount == 0) {
            if (pending == edgeCount)
                return;
            y = edges[pending].firstRow - 1;
            continue;
        }
        sortActive(active, activeCount);
        if (rowWanted(y, oddRows))
            fillRow(canvas, y, active, activeCount, colour);
        int kept = 0;
        for (int i = 0; i < activeCount; ++i) {
            TEdge* edge = active[i];
            if (edge->bottom == y)
                continue;
            edge->x += edge->slope;
            active[kept++] = edge;
        }
        activeCount = kept;
    }
}

template <class P>
void fillPolygonOf(TCanvas* canvas, const P* points, int count, TColor colour, bool oddRows) {
    const ClipBox clip = clipOf(canvas);
    if (clip.empty() || points == nullptr || count < 1 || count > G_POLYGON_MAX_POINTS)
        return;
    TRect box = boundsOf(points, count);
    if (box.right < clip.left || box.left > clip.right || box.bottom < clip.top || box.top > clip.bottom)
        return;
    if (box.top == box.bottom) {
        if (rowWanted(box.top, oddRows))
            blendSpan(canvas, box.left, box.right, box.top, colour, G_WEIGHT_SOLID);
        return;
    }
    box.top = std::max<long long>(box.top, clip.top);
    box.bottom = std::min<long long>(box.bottom, clip.bottom);

    int edgeCount = 0;
    forEachSide(points, count, box.top, box.bottom, [&edgeCount](TPointL, TPointL) { ++edgeCount; });
    EdgeStorage storage(edgeCount);
    if (!storage.ready())
        return;
    int built = 0;
    forEachSide(points, count, box.top, box.bottom, [&](TPointL upper, TPointL lower) {
        storage.edges[built++] = edgeOf(upper, lower, box.top);
    });
    scanRows(canvas, box, storage.edges, built, storage.active, colour, oddRows);
}

} // namespace

void canvas_detail::fillPolygonWide(TCanvas* canvas, const TPointL* points, int count, TColor colour) {
    fillPolygonOf(canvas, points, count, colour, false);
}

void g_FillPolygon(TCanvas* canvas, const TPoint* points, int count, TColor colour, bool oddRows) {
    fillPolygonOf(canvas, points, count, colour, oddRows);
}

} // namespace cartoframe
