#pragma once
// The map library's raster canvas: 24-bit pixels in memory, a clip rectangle,
// solid and blended primitives, anti-aliased thick lines, a scanline polygon
// filler and image blits. The finished canvas is copied into the map window's
// back buffer.
//
// Colours are 0x00BBGGRR values (red in the low byte). A pixel is three bytes
// in the order blue, green, red: writing colour c stores c >> 16, c >> 8 and c
// into the pixel's bytes 0, 1 and 2.
//
// Every primitive clips against the canvas's clip rectangle and writes nothing
// outside it, whatever its coordinates (they may lie far outside the canvas,
// as they do at the finest scale). A canvas without pixels (never created,
// refused, or destroyed) draws nothing.
//
// Blend weights run 0 to 255: 255 writes the colour, 0 leaves the pixel, 127
// is the half blend (each byte becomes old / 2 + new / 2, without a
// multiplication), any other weight a gives (old * (255 - a) + new * a) >> 8
// per byte.
//
// Single-threaded, like the rest of the library; a canvas belongs to its
// caller.

#include <cstdint>

namespace cartoframe {

using TColor = std::uint32_t;

inline constexpr int G_CANVAS_MAX_SIDE = 32767;   // widest and tallest canvas accepted
inline constexpr int G_POLYGON_MAX_POINTS = 1999; // points of the largest polygon filled
inline constexpr int G_POLYGON_STATIC_EDGES = 512;
inline constexpr std::uint8_t G_WEIGHT_SOLID = 255;
inline constexpr std::uint8_t G_WEIGHT_HALF = 127;

enum TCanvasKind : std::uint8_t {
    G_CANVAS_NONE = 0,
    G_CANVAS_OWNED = 1,   // pixels allocated by g_CreateCanvas, freed with the canvas
    G_CANVAS_DEFINED = 2, // pixels supplied by the caller through g_DefineCanvas
};

struct TCanvas {
    std::uint8_t* pData = nullptr; // first pixel of the top row
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    int stride = 0; // bytes from one row to the next
    std::uint8_t kind = G_CANVAS_NONE;
    std::uint8_t reserved = 0;
    // The clip rectangle, inclusive; the whole canvas after creation.
    std::uint16_t clipLeft = 0;
    std::uint16_t clipTop = 0;
    std::uint16_t clipRight = 0;
    std::uint16_t clipBottom = 0;
};

struct TPoint {
    int x = 0;
    int y = 0;
};

// An image for the blits: width and height, followed directly in memory by
// width * height pixels of three bytes (blue, green, red), rows unpadded. The
// map's logo file has this layout.
struct TImage {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
};
static_assert(sizeof(TImage) == 4);

inline std::uint8_t* g_ImagePixels(TImage* image) { return reinterpret_cast<std::uint8_t*>(image + 1); }
inline const std::uint8_t* g_ImagePixels(const TImage* image) {
    return reinterpret_cast<const std::uint8_t*>(image + 1);
}

// --- The canvas record and its clip rectangle ---

// Allocates width * height * 3 bytes (stride width * 3) and writes
// "g_CreateCanvas: %d x %d\n". Answers 0, or -1 for a side of 0 or above
// G_CANVAS_MAX_SIDE (the record is then empty). A failed allocation is the
// fatal check "canvas->pData".
int g_CreateCanvas(TCanvas* canvas, int width, int height);
// Draws into the caller's pixels (not freed by the canvas) and writes
// "g_DefineCanvas: %d x %d\n". Answers 0, or -1 for null pixels, a side of 0
// or above G_CANVAS_MAX_SIDE, or a stride shorter than a row.
int g_DefineCanvas(TCanvas* canvas, std::uint8_t* pixels, int width, int height, int stride);
// Frees owned pixels and empties the record. Safe on an empty record.
void g_DestroyCanvas(TCanvas* canvas);

// Sets the clip rectangle: left and top raised to at least 0, right and
// bottom lowered to at most width - 1 and height - 1. A rectangle left empty
// (left > right or top > bottom) clips everything away.
void g_SetClip(TCanvas* canvas, int left, int top, int right, int bottom);
// Moves the clip's left and top edges by +delta and its right and bottom
// edges by -delta (shrink), or the other way (grow), within the canvas.
void g_ShrinkClip(TCanvas* canvas, int dx, int dy);
void g_GrowClip(TCanvas* canvas, int dx, int dy);
// The whole canvas again.
void g_ResetClip(TCanvas* canvas);

// --- Primitives ---

void g_PutPixel(TCanvas* canvas, int x, int y, TColor colour);
// Blends one pixel with the given weight.
void g_BlendPixel(TCanvas* canvas, int x, int y, TColor colour, int weight);

// Spans: the end points in either order, both included.
void g_HLine(TCanvas* canvas, int x1, int x2, int y, TColor colour);
void g_HLineHalf(TCanvas* canvas, int x1, int x2, int y, TColor colour);
void g_HLineBlend(TCanvas* canvas, int x1, int x2, int y, TColor colour, int weight);
void g_VLine(TCanvas* canvas, int x, int y1, int y2, TColor colour);
void g_VLineHalf(TCanvas* canvas, int x, int y1, int y2, TColor colour);

// Two horizontal spans at y1 and y2, two vertical spans at x1 and x2 from
// y1 + 1 to y2 - 1.
void g_Rect(TCanvas* canvas, int x1, int y1, int x2, int y2, TColor colour);
void g_FillRect(TCanvas* canvas, int x1, int y1, int x2, int y2, TColor colour);
void g_FillRectHalf(TCanvas* canvas, int x1, int y1, int x2, int y2, TColor colour);

// One pixel wide: clipped by outcodes, drawn by midpoint stepping from the
// left end point.
void g_Line(TCanvas* canvas, int x1, int y1, int x2, int y2, TColor colour);
// The line from the last point to the first, then along the list.
void g_Polygon(TCanvas* canvas, const TPoint* points, int count, TColor colour);
// Scanline fill with an active edge list; up to G_POLYGON_MAX_POINTS points
// (more are refused). With oddRows only rows with an odd y are filled.
void g_FillPolygon(TCanvas* canvas, const TPoint* points, int count, TColor colour, bool oddRows = false);

void g_FillCircle(TCanvas* canvas, int cx, int cy, int radius, TColor colour);
void g_FillCircleBlend(TCanvas* canvas, int cx, int cy, int radius, TColor colour, int weight);

// The anti-aliased one-pixel line in its two settings: maximum weight 255
// with shift 8, and maximum 127 with shift 9.
enum TAALineSetting { G_AA_STRONG, G_AA_SOFT };
void g_AALine(TCanvas* canvas, int x1, int y1, int x2, int y2, TColor colour, TAALineSetting setting);
// An anti-aliased line of the given width.
void g_ThickLine(TCanvas* canvas, int x1, int y1, int x2, int y2, TColor colour, int width);
// The dashed polyline of line features: each segment walked pixel by pixel
// along its major axis, every step drawing the square outline of side
// 2 * penSize - 1 around the point, black for steps 0-19, white for 20-39 and
// so on, restarting at every segment.
void g_DashLine(TCanvas* canvas, const TPoint* points, int count, int penSize);

// --- Blits of images (top-left corner at x, y) ---

void g_PutImage(TCanvas* canvas, int x, int y, const TImage* image);
// Pixels equal to the key colour are skipped.
void g_PutImageKey(TCanvas* canvas, int x, int y, const TImage* image, TColor key);
// Pixels equal to the key colour are skipped, the others blended with the weight.
void g_PutImageKeyBlend(TCanvas* canvas, int x, int y, const TImage* image, TColor key, int weight);

// Allocates an image of the given size (pixels zero), or null; freed with g_DestroyImage.
TImage* g_CreateImage(int width, int height);
void g_DestroyImage(TImage* image);

} // namespace cartoframe
