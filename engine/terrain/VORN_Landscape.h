// The heightmap terrain: a grid of heights with per-point normals, drawn as display-listed blocks
// under a cone-culled quadtree, and a collision volume (kind 2) that pushes spheres out of the
// ground. Building the grid, digging craters and every height, normal or collision query work
// without a GL context: the lists they make stale are recorded at the next draw(). Local frame:
// centred on the object's origin, x from -sizeX/2 (column 0) to +sizeX/2, z from +sizeZ/2 (row 0)
// to -sizeZ/2, y up. The grid frame is the local frame moved by
// (+sizeX/2, 0, -sizeZ/2), so point (row r, column c) lies at (sizeX·c/(columns-1), y,
// -sizeZ·r/(rows-1)).
#pragma once

#include "engine/physics/VORN_BoundingVolume.h"
#include "engine/scene/VORN_Object.h"

#include <GL/gl.h>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

class Bitmap;

namespace VORN_LIB {

class VORN_Frustum;
class VORN_OcclusionCone;

// Closest point of the triangle (a, b, c) to p, the quick way: b is the corner between the edges
// b→a and b→c. Inside the two edge projections the answer may lie anywhere in the parallelogram
// spanned by those edges, and the edge fallbacks are not clamped to their segments.
VORN_Vector closestPointOnTriangle(const VORN_Vector& p, const VORN_Vector& a, const VORN_Vector& b,
                                   const VORN_Vector& c);

class VORN_Landscape : public VORN_Object, public VORN_BoundingVolume {
    Q_OBJECT

public:
    class IndexShell;
    class QuadTreeNode;
    class QuadTreeLeaf;

    VORN_Landscape(const VORN_Vector& position, const VORN_Vector& rotation,
                   const VORN_Vector& scale, const VORN_Color& color);
    // Releases the grid, the quadtree with its lists and the whole-grid shell. Needs the GL
    // context only when lists were ever recorded.
    ~VORN_Landscape() override;

    // World extent along x and z, world height of a stored 1.0, texture repeats at the far edges.
    // Sets the bounding radius to the full diagonal and rebuilds an existing quadtree (its new
    // leaves draw without lists until the next compile(); the old lists go at the next draw).
    void setSize(double sizeX, double sizeZ, double heightScale, double textureRepeatU,
                 double textureRepeatV);

    // Grid from the picture (largest channel / 255 per pixel), normals and quadtree; every list is
    // recorded at the next draw(). A picture narrower or lower than 2 pixels leaves the terrain
    // empty. Throws "VORN_Landscape::createFromBitmap(): cannot allocate memory". No GL call.
    void createFromBitmap(const Bitmap& bitmap);

    // Normals of rows [rowBegin, rowEnd) and columns [columnBegin, columnEnd); an end of 0 or
    // beyond the grid means "to the last". Border points get (0, 1, 0). Throws
    // "VORN_Landscape::createNormals(): no data to create normals from" without a grid.
    void createNormals(std::uint32_t rowBegin, std::uint32_t rowEnd, std::uint32_t columnBegin,
                       std::uint32_t columnEnd);

    // Replaces the quadtree by one with 4^(levels + 1) leaves; records no lists.
    void buildQuadTree(std::uint8_t levels);

    // Records one list per quadtree leaf and one of the whole grid. With a quadtree the blocks
    // together are the whole grid, so its list replays theirs and follows them when a crater
    // records some of them again. The two lists of the object base are never recorded, so paint()
    // always draws through draw(). Needs the context.
    void compile() override;

    // Deletes the lists a rebuilt quadtree left behind and records the ones createFromBitmap and
    // createCrater left stale (none while another list is being recorded). Needs the context;
    // draw() calls it first.
    void recordStaleLists();

    // Draws the grid centred on the origin, culling quadtree blocks by the cone (may be null).
    // With a cone, during a viewport's frame that culls exactly, a block or node that passes the
    // cone is still skipped when its box lies outside the view's frustum.
    void draw(const VORN_OcclusionCone* cone) override;

    // Against a sphere: a new contact (0, corrected world centre, world normal, centre→contact) for
    // the nearest triangle within the radius, else a vertical lift when the centre sinks below
    // surface + radius, else null. Null for any other partner or without a grid.
    VORN_Contact* intersect(VORN_BoundingVolume* other) override;

    // Surface point below or above a world point, in world coordinates.
    VORN_Vector surfacePoint(const VORN_Vector& world) const;
    // Surface point at the x/z of a local point; (0, -heightScale, 0) off the grid.
    VORN_Vector localSurfacePoint(const VORN_Vector& local) const;
    // Height of the drawn surface at world x/z: on the triangles the terrain is drawn and collides
    // with (each cell split along its diagonal from (row, column) to (row + 1, column + 1)), for
    // a terrain that is moved but never turned. Off the grid, or without one, one height scale
    // below the terrain's base.
    double surfaceHeight(double x, double z) const;

    // Lowers the grid within the horizontal distance radius of a world point to a bowl d²/radius
    // above the base, then recomputes the normals of the area and the ring of points around it
    // (as createNormals over the whole grid would give them) and the boxes of the blocks that
    // hold such a point. Their lists (every list when there is no quadtree) are recorded again at
    // the next draw(). No GL call.
    void createCrater(const VORN_Vector& world, double radius);

    // Height and normal of grid point (row, column); no range check.
    double height(std::uint32_t row, std::uint32_t column) const {
        return grid[(std::size_t(row) * columns + column) * 4];
    }
    const double* normal(std::uint32_t row, std::uint32_t column) const {
        return grid.get() + (std::size_t(row) * columns + column) * 4 + 1;
    }
    // The same by the point's index in the grid, row by row (row · columns + column), and the
    // number of points; setting a height leaves the normals and the lists as they are.
    std::size_t points() const { return grid ? std::size_t(rows) * columns : 0; }
    double height(std::size_t point) const { return grid[point * 4]; }
    void setHeight(std::size_t point, double height) { grid[point * 4] = height; }

    double sizeX = 1.0;
    double sizeZ = 1.0;
    double heightScale = 1.0;
    std::unique_ptr<double[]> grid; // 4 doubles per point: height 0…1, normal x, y, z
    std::uint32_t columns = 0;
    std::uint32_t rows = 0;
    double textureRepeatU = 1.0;
    double textureRepeatV = 1.0;
    std::unique_ptr<QuadTreeNode> root;
    bool quadTreeBuilt = false;
    std::uint8_t quadTreeLevels = 0;
    std::unique_ptr<IndexShell> wholeShell;
    unsigned blocksDrawn = 0;         // blocks the last draw() drew
    bool listsStale = false;          // every list waits for the next draw() (a new grid)
    bool blocksStale = false;         // some blocks wait for it (a crater)
    std::vector<GLuint> retiredLists; // names of a replaced quadtree, deleted at the next draw()

private:
    // World point into the local frame through the cached world transform.
    VORN_Vector toLocal(const VORN_Vector& world) const;
    // Local corner of grid point (row, column), height scaled.
    VORN_Vector localCorner(std::uint32_t row, std::uint32_t column) const;
    // Rows and columns of the cells under the square footprint of radius r around local point c.
    struct Footprint {
        std::uint32_t rowLow, rowHigh, columnLow, columnHigh;
    };
    Footprint footprint(const VORN_Vector& c, double r) const;
    // A rounded index as unsigned: negative, not-a-number and huge values come out too large.
    static std::uint32_t indexFrom(double value);
    // A new whole-grid shell without a list, its box the grid's (the old shell's list is
    // retired).
    void makeWholeShell();
    // A new whole-grid shell and its list: calls of the blocks' lists while the quadtree has a
    // list for every block, else the strips themselves.
    void compileWholeShell();
    // Measures again the blocks holding a point of rows [rowBegin, rowEnd) and columns
    // [columnBegin, columnEnd) and leaves their lists to the next draw().
    void markBlocksStale(std::uint32_t rowBegin, std::uint32_t rowEnd, std::uint32_t columnBegin,
                         std::uint32_t columnEnd);
    // Takes the list names out of the quadtree and the whole-grid shell, for deletion at the
    // next draw(), so that dropping them needs no context.
    void retireLists();
    void deleteRetiredLists();
};

// A block of grid points [rowBegin, rowEnd) × [columnBegin, columnEnd) with its display list and
// bounding sphere (centre at y = 0 in the grid frame). Neighbouring blocks share a border row or
// column. Owns its list.
class VORN_Landscape::IndexShell {
public:
    // Throws "VORN_Landscape::IndexShell.IndexShell(): parameters are nonsense" when a begin lies
    // beyond its end.
    IndexShell(std::uint32_t rowBegin, std::uint32_t rowEnd, std::uint32_t columnBegin,
               std::uint32_t columnEnd, double centerX, double centerZ, double radius,
               VORN_Landscape* landscape);
    // A copy never shares the display list: it starts without one.
    IndexShell(const IndexShell& other);
    IndexShell& operator=(const IndexShell&) = delete;
    ~IndexShell();

    // Records the list, under the name it already has if any, and the box of what it draws;
    // throws "VORN_Landscape::IndexShell.compile(): Bad landscape index values" when the block
    // does not fit the grid. Without a list name the block is drawn directly.
    void compile();
    // Triangle strips between each row and the next, straight from the current grid.
    void draw();
    // Draws unless the cone reports the sphere outside or the frustum, given in the grid frame,
    // excludes the box (either may be null).
    void render(const VORN_OcclusionCone* cone, const VORN_Frustum* frustum = nullptr);
    // The box of the block's points from the current grid; empty when the block has no point
    // within the grid.
    void updateBounds();

    std::uint32_t rowBegin;
    std::uint32_t rowEnd;
    std::uint32_t columnBegin;
    std::uint32_t columnEnd;
    double centerX;
    double centerZ;
    VORN_Landscape* landscape; // not owned
    GLuint listName = 0;
    bool stale = false; // the list shows an older grid: draw directly until recorded again
    double radius;
    // Box of the block's points in the grid frame, heights scaled; everything until the first
    // updateBounds(), so that a block never measured is never skipped.
    VORN_Vector boundsLow{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    VORN_Vector boundsHigh{HUGE_VAL, HUGE_VAL, HUGE_VAL};

private:
    friend class VORN_Landscape;
    IndexShell() = default; // the whole-grid shell, set up field by field without the check
};

// Quadtree node: bounding sphere (centre at y = 0 in the grid frame) and four owned children in
// the quadrants (+x,-z), (-x,-z), (-x,+z), (+x,+z).
class VORN_Landscape::QuadTreeNode {
public:
    QuadTreeNode(double centerX, double centerZ) : centerX(centerX), centerZ(centerZ) {}
    QuadTreeNode(const QuadTreeNode&) = delete;
    QuadTreeNode& operator=(const QuadTreeNode&) = delete;
    virtual ~QuadTreeNode() = default; // destroys the children

    // Skips the subtree when the cone reports it outside; wholly inside passes a null cone down.
    // Then skips it when the frustum (grid frame, may be null) excludes the box; the frustum is
    // passed down whatever the cone answered.
    virtual void render(const VORN_OcclusionCone* cone, const VORN_Frustum* frustum = nullptr);
    virtual void compile();
    // Creates the children of a block w × d over rows [rowBegin, rowEnd), columns
    // [columnBegin, columnEnd): nodes while levels > 0, leaves at level 0.
    virtual void build(std::uint8_t levels, double width, double depth, std::uint32_t rowBegin,
                       std::uint32_t rowEnd, std::uint32_t columnBegin, std::uint32_t columnEnd,
                       VORN_Landscape* landscape);
    // The box around the children's boxes (the leaves take their shell's box as it stands).
    virtual void updateBounds();

    double centerX;
    double centerZ;
    double radius = 0.0;
    std::unique_ptr<QuadTreeNode> children[4];
    VORN_Vector boundsLow{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL}; // grid frame, as the shells'
    VORN_Vector boundsHigh{HUGE_VAL, HUGE_VAL, HUGE_VAL};
};

// A quadtree leaf: one block, drawn and recorded through its shell.
class VORN_Landscape::QuadTreeLeaf : public VORN_Landscape::QuadTreeNode {
public:
    explicit QuadTreeLeaf(const IndexShell& shell)
        : QuadTreeNode(shell.centerX, shell.centerZ), shell(shell) {}
    ~QuadTreeLeaf() override = default; // the shell's list goes first, then the node part

    void render(const VORN_OcclusionCone* cone, const VORN_Frustum* frustum = nullptr) override;
    void compile() override;
    void updateBounds() override;

    IndexShell shell;
};

} // namespace VORN_LIB
