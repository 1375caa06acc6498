// The terrain's height grid: size, construction from a picture, normals and craters. Heights are
// stored as 0…1 and scaled by heightScale when drawn; grid point (r, c) is entry r·columns + c.
#include "engine/terrain/VORN_Landscape.h"

#include "engine/terrain/Bitmap.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace VORN_LIB {

VORN_Landscape::VORN_Landscape(const VORN_Vector& position, const VORN_Vector& rotation,
                               const VORN_Vector& scale, const VORN_Color& color)
    : VORN_Object(position, rotation, scale, color),
      VORN_BoundingVolume(2, static_cast<VORN_Object*>(this)) {}

VORN_Landscape::~VORN_Landscape() {
    grid.reset();
    root.reset();
    wholeShell.reset();
    deleteRetiredLists();
}

void VORN_Landscape::setSize(double sizeX, double sizeZ, double heightScale, double textureRepeatU,
                             double textureRepeatV) {
    this->sizeX = sizeX;
    this->sizeZ = sizeZ;
    this->heightScale = heightScale;
    this->textureRepeatU = textureRepeatU;
    this->textureRepeatV = textureRepeatV;
    radius = std::sqrt(sizeX * sizeX + sizeZ * sizeZ);
    if (quadTreeBuilt)
        buildQuadTree(quadTreeLevels);
}

void VORN_Landscape::createFromBitmap(const Bitmap& bitmap) {
    grid.reset();
    columns = static_cast<std::uint32_t>(bitmap.width);
    rows = static_cast<std::uint32_t>(bitmap.height);
    if (bitmap.pixels.empty() || columns < 2 || rows < 2) {
        // Nothing to draw: the blocks of an earlier grid would describe points that are gone.
        retireLists();
        root.reset();
        quadTreeBuilt = false;
        wholeShell.reset();
        listsStale = false;
        blocksStale = false;
        return;
    }

    // A negative side read as unsigned asks for billions of points; no pixel array backs that.
    const std::size_t points = std::size_t(columns) * rows;
    if (bitmap.width < 0 || bitmap.height < 0 ||
        points > std::numeric_limits<std::ptrdiff_t>::max() / (4 * sizeof(double)))
        throw "VORN_Landscape::createFromBitmap(): cannot allocate memory";
    grid.reset(new (std::nothrow) double[points * 4]);
    if (!grid)
        throw "VORN_Landscape::createFromBitmap(): cannot allocate memory";

    const unsigned char* pixel = bitmap.pixels.data();
    for (std::size_t i = 0; i < points; ++i, pixel += 3)
        grid[i * 4] = std::max({pixel[0], pixel[1], pixel[2]}) / 255.0;

    createNormals(0, 0, 0, 0);

    // One more level for every factor e of the smaller side beyond e³.
    const double depth = std::log(double(std::min(columns, rows))) - 3.0;
    const std::uint8_t levels = depth > 0.0 ? static_cast<std::uint8_t>(depth) : 0;
    buildQuadTree(levels);
    makeWholeShell();
    // The lists are recorded where a context is current: at the next draw.
    listsStale = true;
    blocksStale = false;
}

void VORN_Landscape::createNormals(std::uint32_t rowBegin, std::uint32_t rowEnd,
                                   std::uint32_t columnBegin, std::uint32_t columnEnd) {
    if (columns < 2 || rows < 2 || !grid)
        throw "VORN_Landscape::createNormals(): no data to create normals from";

    const double dx = sizeX / (columns - 1);
    const double dz = sizeZ / (rows - 1);
    if (rowEnd == 0 || rowEnd > rows)
        rowEnd = rows;
    if (columnEnd == 0 || columnEnd > columns)
        columnEnd = columns;
    if (rowBegin > rowEnd || columnBegin > columnEnd)
        return;

    for (std::uint32_t r = rowBegin; r < rowEnd; ++r) {
        for (std::uint32_t c = columnBegin; c < columnEnd; ++c) {
            double* n = grid.get() + (std::size_t(r) * columns + c) * 4 + 1;
            if (r == 0 || c == 0 || r == rows - 1 || c == columns - 1) {
                n[0] = 0.0;
                n[1] = 1.0;
                n[2] = 0.0;
                continue;
            }
            // Central differences of the stored heights, taken as world units (not scaled).
            const double a = height(r + 1, c) - height(r - 1, c);
            const double b = height(r, c + 1) - height(r, c - 1);
            const VORN_Vector alongRows(0.0, a, -2.0 * dz);
            const VORN_Vector alongColumns(2.0 * dx, b, 0.0);
            VORN_Vector normal = cross(alongColumns, alongRows);
            const double length = std::sqrt(normal.lengthSquared());
            // A terrain squeezed to zero size has no slope to speak of: keep it facing up.
            if (!(length > 0.0) || !std::isfinite(length))
                normal = VORN_Vector(0.0, 1.0, 0.0);
            else
                normal = normal * (1.0 / length);
            n[0] = normal[0];
            n[1] = normal[1];
            n[2] = normal[2];
        }
    }
}

void VORN_Landscape::createCrater(const VORN_Vector& world, double radius) {
    if (!grid)
        return;

    const double dx = sizeX / (columns - 1);
    const double dz = sizeZ / (rows - 1);
    VORN_Vector centre = toLocal(world);
    const Footprint area = footprint(centre, radius);
    centre[1] = 0.0; // only the horizontal distance counts

    for (std::uint32_t x = area.rowLow; x < area.rowHigh; ++x) {
        for (std::uint32_t y = area.columnLow; y < area.columnHigh; ++y) {
            const std::uint32_t corners[4][2] = {{x + 1, y}, {x, y}, {x, y + 1}, {x + 1, y + 1}};
            for (const auto& corner : corners) {
                const VORN_Vector point(corner[1] * dx - sizeX / 2, 0.0,
                                        sizeZ / 2 - corner[0] * dz);
                const double d = std::sqrt((point - centre).lengthSquared());
                if (!(d <= radius))
                    continue;
                const double candidate = (d * d / radius) / heightScale;
                double& h = grid[(std::size_t(corner[0]) * columns + corner[1]) * 4];
                if (candidate < h)
                    h = candidate;
            }
        }
    }

    // Heights changed from row rowLow to rowHigh and column columnLow to columnHigh, both ends
    // included; a normal also leans with its four neighbours, so the ring around them bends too.
    const std::uint32_t rowBegin = area.rowLow == 0 ? 0 : area.rowLow - 1;
    const std::uint32_t rowEnd = std::min(area.rowHigh + 2, rows);
    const std::uint32_t columnBegin = area.columnLow == 0 ? 0 : area.columnLow - 1;
    const std::uint32_t columnEnd = std::min(area.columnHigh + 2, columns);
    createNormals(rowBegin, rowEnd, columnBegin, columnEnd);
    markBlocksStale(rowBegin, rowEnd, columnBegin, columnEnd);
}

VORN_Vector VORN_Landscape::toLocal(const VORN_Vector& world) const {
    const VORN_Vector relative = parent ? world - parent->worldPosition : world;
    return worldOrientation * relative - position;
}

VORN_Vector VORN_Landscape::localCorner(std::uint32_t row, std::uint32_t column) const {
    const double dx = sizeX / (columns - 1);
    const double dz = sizeZ / (rows - 1);
    return VORN_Vector(column * dx - sizeX / 2, heightScale * height(row, column),
                       sizeZ / 2 - row * dz);
}

std::uint32_t VORN_Landscape::indexFrom(double value) {
    // Negative, not a number or beyond 32 bits: too large for any grid.
    if (!(value >= 0.0) || value >= 4294967296.0)
        return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(value);
}

VORN_Landscape::Footprint VORN_Landscape::footprint(const VORN_Vector& c, double r) const {
    const double dx = sizeX / (columns - 1);
    const double dz = sizeZ / (rows - 1);
    Footprint f;
    f.rowLow = indexFrom(std::floor((sizeZ / 2 - (c.z() + r)) / dz));
    f.rowHigh = indexFrom(std::ceil((sizeZ / 2 - (c.z() - r)) / dz));
    f.columnLow = indexFrom(std::floor((c.x() - r + sizeX / 2) / dx));
    f.columnHigh = indexFrom(std::ceil((c.x() + r + sizeX / 2) / dx));
    if (f.rowLow >= rows)
        f.rowLow = 0;
    if (f.rowHigh >= rows)
        f.rowHigh = rows - 1;
    if (f.columnLow >= columns)
        f.columnLow = 0;
    if (f.columnHigh >= columns)
        f.columnHigh = columns - 1;
    return f;
}

} // namespace VORN_LIB
