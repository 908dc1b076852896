#include "DataSetBuilder.h"

#include "MapLayout.h"

#include <algorithm>
#include <unordered_map>

namespace kyvo::mapforge {
namespace {

using cartoframe::CORNER_COLUMN;
using cartoframe::CORNER_ROW;
using cartoframe::MAP_CORNER_LATTICE;
using cartoframe::MAP_GRID_COLUMN_LIMIT;
using cartoframe::MAP_GRID_ROW_LIMIT;
using cartoframe::MAP_SUBCELL_SIZE;
using cartoframe::MAP_SUBCELLS_PER_SIDE;

constexpr int kMaxCornerStep = 255;

long long ceilDiv(long long value, long long divisor) { return -floorDiv(-value, divisor); }

std::uint16_t cornerCode(long long dx, long long dy) {
    const auto clampStep = [](long long step) { return static_cast<std::uint32_t>(std::clamp(step, 0LL, 255LL)); };
    return static_cast<std::uint16_t>(CORNER_COLUMN.put(clampStep(dx)) | CORNER_ROW.put(clampStep(dy)));
}

ShapeObject shapeIn(const GridModel& grid, Polyline points) {
    ShapeObject shape;
    int minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
    for (const Point& p : points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    // The box grows outward to whole lattice steps, so it holds every point.
    shape.upperLeft = cornerCode(floorDiv(minX - grid.corner.x, MAP_CORNER_LATTICE),
                                 ceilDiv(maxY - grid.corner.y, MAP_CORNER_LATTICE));
    shape.lowerRight = cornerCode(ceilDiv(maxX - grid.corner.x, MAP_CORNER_LATTICE),
                                  floorDiv(minY - grid.corner.y, MAP_CORNER_LATTICE));
    shape.points = std::move(points);
    return shape;
}

// Consecutive pieces of at most maxPoints points, each starting where the last ended.
std::vector<Polyline> chunks(const Polyline& line, std::size_t maxPoints) {
    std::vector<Polyline> out;
    for (std::size_t start = 0; start + 1 < line.size(); start += maxPoints - 1) {
        const std::size_t end = std::min(line.size(), start + maxPoints);
        out.emplace_back(line.begin() + static_cast<long>(start), line.begin() + static_cast<long>(end));
    }
    return out;
}

// Whether every object's first point index fits a 16-bit field (objects
// without points have no index to write).
template <typename Object, typename Count>
bool firstIndexesFit(const std::vector<Object>& objects, Count count) {
    std::size_t next = 0;
    for (const Object& object : objects) {
        if (count(object) > 0 && next > static_cast<std::size_t>(kMaxIndex16))
            return false;
        next += count(object);
    }
    return true;
}

class Builder {
public:
    Builder(DataSetModel& model, Big5Converter& big5) : model_(model), big5_(big5) {}

    bool setExtent(const Features& features, std::string& error);
    void addArea(const AreaFeature& area);
    void addLine(const LineFeature& line);
    void addRoad(const RoadFeature& road);
    bool finish(std::string& error);

private:
    GridModel& grid(const GridCell& cell);
    int node(GridModel& grid, const Point& point);
    std::uint32_t nameOffset(const std::string& utf8);
    void indexRoad(GridModel& grid, int road);

    DataSetModel& model_;
    Big5Converter& big5_;
    int columns_ = 0;
    std::unordered_map<std::string, std::uint32_t> names_;
    std::map<int, std::unordered_map<long long, int>> nodeIndex_;
};

bool Builder::setExtent(const Features& features, std::string& error) {
    Polyline all;
    for (const auto& area : features.areas)
        all.insert(all.end(), area.ring.begin(), area.ring.end());
    for (const auto& line : features.lines)
        all.insert(all.end(), line.points.begin(), line.points.end());
    for (const auto& road : features.roads)
        all.insert(all.end(), road.points.begin(), road.points.end());
    if (all.empty()) {
        error = "the extract holds no water, land use, railway or road";
        return false;
    }
    const CellRange range = cellRange(all);
    columns_ = range.high.column - range.low.column + 1;
    const int rows = range.high.row - range.low.row + 1;
    if (static_cast<long long>(columns_) * rows > kMaxGrids) {
        error = "the area spans " + std::to_string(columns_) + " x " + std::to_string(rows) + " = " +
                std::to_string(static_cast<long long>(columns_) * rows) +
                " grids of 0.1 degree; a map data set holds at most " + std::to_string(kMaxGrids);
        return false;
    }
    if (range.low.column < -MAP_GRID_COLUMN_LIMIT || range.high.column > MAP_GRID_COLUMN_LIMIT ||
        range.low.row < -MAP_GRID_ROW_LIMIT || range.high.row > MAP_GRID_ROW_LIMIT) {
        error = "the extract lies outside longitude -180..180 or latitude -90..90";
        return false;
    }
    model_.lowColumn = range.low.column;
    model_.lowRow = range.low.row;
    model_.highColumn = range.high.column;
    model_.highRow = range.high.row;
    return true;
}

GridModel& Builder::grid(const GridCell& cell) {
    const int number = (cell.row - model_.lowRow) * columns_ + cell.column - model_.lowColumn;
    GridModel& grid = model_.grids[number];
    grid.number = number;
    grid.cell = cell;
    grid.corner = {cell.column * kGridSize, cell.row * kGridSize};
    return grid;
}

void Builder::addArea(const AreaFeature& area) {
    const CellRange range = cellRange(area.ring);
    for (int column = range.low.column; column <= range.high.column; ++column) {
        for (int row = range.low.row; row <= range.high.row; ++row) {
            Polyline clipped = clipToGrid(area.ring, {column, row});
            if (clipped.size() < 3)
                continue;
            clipped = thinBelow(clipped, kMaxShapePoints);
            if (clipped.size() < 3)
                continue;
            GridModel& target = grid({column, row});
            auto& list = area.kind == AreaKind::Water ? target.water : target.landUse;
            list.push_back(shapeIn(target, std::move(clipped)));
        }
    }
}

void Builder::addLine(const LineFeature& line) {
    for (const GridPiece& piece : splitAtGridBoundaries(line.points)) {
        GridModel& target = grid(piece.cell);
        for (Polyline& part : chunks(piece.points, kMaxShapePoints - 1))
            target.lines.push_back(shapeIn(target, std::move(part)));
    }
}

int Builder::node(GridModel& target, const Point& point) {
    auto& index = nodeIndex_[target.number];
    const long long key = (static_cast<long long>(point.x) << 32) ^ static_cast<std::uint32_t>(point.y);
    const auto [found, added] = index.try_emplace(key, static_cast<int>(target.nodes.size()));
    if (added)
        target.nodes.push_back(point);
    return found->second;
}

std::uint32_t Builder::nameOffset(const std::string& utf8) {
    if (utf8.empty())
        return kNoNameOffset;
    const auto found = names_.find(utf8);
    if (found != names_.end())
        return found->second;
    const std::string big5 = big5_.convert(utf8);
    const auto offset = static_cast<std::uint32_t>(model_.roadNames.size());
    model_.roadNames += big5;
    model_.roadNames += '\0';
    names_.emplace(utf8, offset);
    return offset;
}

void Builder::addRoad(const RoadFeature& road) {
    const std::uint32_t name = nameOffset(road.style.name);
    for (const GridPiece& piece : splitAtGridBoundaries(road.points)) {
        GridModel& target = grid(piece.cell);
        for (const Polyline& part : chunks(piece.points, kMaxRoadPoints)) {
            RoadObject object;
            object.nameOffset = name;
            object.roadClass = road.style.roadClass;
            object.attribute = road.style.attribute;
            object.labelMode = road.style.labelMode;
            object.factorA = road.style.factorA;
            object.factorB = road.style.factorB;
            object.startNode = node(target, part.front());
            object.endNode = node(target, part.back());
            object.inner.assign(part.begin() + 1, part.end() - 1);
            target.roads.push_back(std::move(object));
        }
    }
}

// Lists the road in every sub-cell that a segment's box touches.
void Builder::indexRoad(GridModel& target, int road) {
    const RoadObject& object = target.roads[static_cast<std::size_t>(road)];
    Polyline points{target.nodes[static_cast<std::size_t>(object.startNode)]};
    points.insert(points.end(), object.inner.begin(), object.inner.end());
    points.push_back(target.nodes[static_cast<std::size_t>(object.endNode)]);
    const auto cellOf = [&](int offset) { return std::clamp(offset / MAP_SUBCELL_SIZE, 0, MAP_SUBCELLS_PER_SIDE - 1); };
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const int x0 = cellOf(std::min(points[i].x, points[i + 1].x) - target.corner.x);
        const int x1 = cellOf(std::max(points[i].x, points[i + 1].x) - target.corner.x);
        const int y0 = cellOf(std::min(points[i].y, points[i + 1].y) - target.corner.y);
        const int y1 = cellOf(std::max(points[i].y, points[i + 1].y) - target.corner.y);
        for (int x = x0; x <= x1; ++x) {
            for (int y = y0; y <= y1; ++y) {
                auto& cell = target.subCells[static_cast<std::size_t>(x + y * MAP_SUBCELLS_PER_SIDE)];
                if (cell.empty() || cell.back() != road)
                    cell.push_back(static_cast<std::uint16_t>(road));
            }
        }
    }
}

bool Builder::finish(std::string& error) {
    if (model_.roadNames.size() >= kNoNameOffset) {
        error = "the road names need " + std::to_string(model_.roadNames.size()) + " bytes; at most " +
                std::to_string(kNoNameOffset - 1) + " can be addressed";
        return false;
    }
    for (auto& [number, target] : model_.grids) {
        const bool tooFull = target.roads.size() > static_cast<std::size_t>(kMaxIndex16) + 1 ||
                             target.nodes.size() > static_cast<std::size_t>(kMaxIndex16) + 1 ||
                             !firstIndexesFit(target.roads, [](const RoadObject& r) { return r.inner.size(); }) ||
                             !firstIndexesFit(target.water, [](const ShapeObject& s) { return s.points.size(); });
        if (tooFull) {
            error = "grid " + std::to_string(number) + " (column " + std::to_string(target.cell.column) + ", row " +
                    std::to_string(target.cell.row) + ") holds more roads, nodes or shape points than its " +
                    "16-bit record fields can number";
            return false;
        }
        for (std::size_t road = 0; road < target.roads.size(); ++road)
            indexRoad(target, static_cast<int>(road));
        target.pairs[0][0] = target.corner.x;
        target.pairs[0][1] = target.corner.y;
        target.pairs[1][0] = static_cast<int>(target.roads.size());
        target.pairs[1][1] = static_cast<int>(target.nodes.size());
        target.pairs[2][0] = static_cast<int>(target.water.size() + target.landUse.size());
        target.pairs[2][1] = static_cast<int>(target.lines.size());
    }
    return true;
}

} // namespace

bool buildDataSet(const Features& features, Big5Converter& big5, DataSetModel& model, std::string& error) {
    model = DataSetModel{};
    if (!big5.ready()) {
        error = "no Big5 converter (iconv CP950 or BIG5) on this system";
        return false;
    }
    Builder builder(model, big5);
    if (!builder.setExtent(features, error))
        return false;
    for (const AreaFeature& area : features.areas)
        builder.addArea(area);
    for (const LineFeature& line : features.lines)
        builder.addLine(line);
    for (const RoadFeature& road : features.roads)
        builder.addRoad(road);
    return builder.finish(error);
}

} // namespace kyvo::mapforge
