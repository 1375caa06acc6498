// The terrain's quadtree of display-listed blocks and how it is recorded and drawn. All centres are
// in the grid frame (row 0 at z = 0, higher rows towards -z, higher columns towards +x, y = 0).
#include "engine/scene/VORN_Frustum.h"
#include "engine/scene/VORN_OcclusionCone.h"
#include "engine/terrain/VORN_Landscape.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace VORN_LIB {

namespace {

// The leaves below a node in slot order.
void collectLeaves(VORN_Landscape::QuadTreeNode* node,
                   std::vector<VORN_Landscape::QuadTreeLeaf*>& leaves) {
    if (!node)
        return;
    if (auto* leaf = dynamic_cast<VORN_Landscape::QuadTreeLeaf*>(node)) {
        leaves.push_back(leaf);
        return;
    }
    for (auto& child : node->children)
        collectLeaves(child.get(), leaves);
}

} // namespace

void VORN_Landscape::buildQuadTree(std::uint8_t levels) {
    retireLists();
    root.reset();
    quadTreeBuilt = false;
    root = std::make_unique<QuadTreeNode>(sizeX / 2, -sizeZ / 2);
    root->build(levels, sizeX, sizeZ, 0, rows, 0, columns, this);
    quadTreeBuilt = true;
    quadTreeLevels = levels;
    // The new blocks draw straight from the grid until they are recorded: measure them now.
    std::vector<QuadTreeLeaf*> leaves;
    collectLeaves(root.get(), leaves);
    for (QuadTreeLeaf* leaf : leaves)
        leaf->shell.updateBounds();
    root->updateBounds();
}

void VORN_Landscape::compile() {
    listsStale = false;
    blocksStale = false;
    if (quadTreeBuilt) {
        root->compile();
        root->updateBounds();
    }
    compileWholeShell();
    deleteRetiredLists();
}

void VORN_Landscape::recordStaleLists() {
    if (listsStale || blocksStale) {
        GLint recording = 0;
        glGetIntegerv(GL_LIST_INDEX, &recording);
        if (recording != 0)
            return; // no list inside another: the stale blocks draw directly meanwhile
    }
    if (listsStale) {
        compile();
        return;
    }
    if (blocksStale) {
        blocksStale = false;
        std::vector<QuadTreeLeaf*> leaves;
        collectLeaves(root.get(), leaves);
        for (QuadTreeLeaf* leaf : leaves)
            if (leaf->shell.stale)
                leaf->shell.compile();
        root->updateBounds();
        // A block that had no list name before may have one now.
        compileWholeShell();
    }
    deleteRetiredLists();
}

void VORN_Landscape::retireLists() {
    std::vector<QuadTreeLeaf*> leaves;
    collectLeaves(root.get(), leaves);
    for (QuadTreeLeaf* leaf : leaves)
        if (leaf->shell.listName != 0) {
            retiredLists.push_back(leaf->shell.listName);
            leaf->shell.listName = 0;
        }
    if (wholeShell && wholeShell->listName != 0) {
        retiredLists.push_back(wholeShell->listName);
        wholeShell->listName = 0;
    }
}

void VORN_Landscape::deleteRetiredLists() {
    for (GLuint name : retiredLists)
        glDeleteLists(name, 1);
    retiredLists.clear();
}

void VORN_Landscape::makeWholeShell() {
    if (wholeShell && wholeShell->listName != 0) {
        retiredLists.push_back(wholeShell->listName);
        wholeShell->listName = 0; // deleted once, by deleteRetiredLists()
    }
    wholeShell.reset();
    std::unique_ptr<IndexShell> shell(new IndexShell());
    shell->rowBegin = 0;
    shell->rowEnd = rows;
    shell->columnBegin = 0;
    shell->columnEnd = columns;
    shell->centerX = 0.0;
    shell->centerZ = 0.0;
    shell->landscape = this;
    shell->listName = 0;
    shell->radius = 1.0;
    wholeShell = std::move(shell);
    // The blocks cover the grid, so the root's box is the grid's (no second pass over it).
    if (quadTreeBuilt) {
        wholeShell->boundsLow = root->boundsLow;
        wholeShell->boundsHigh = root->boundsHigh;
    } else {
        wholeShell->updateBounds();
    }
}

void VORN_Landscape::compileWholeShell() {
    makeWholeShell();
    deleteRetiredLists();

    // The blocks split the grid's cells exactly (a shared border row or column holds points, not
    // cells), so replaying every block's list draws the whole grid without recording it twice.
    std::vector<QuadTreeLeaf*> leaves;
    if (quadTreeBuilt)
        collectLeaves(root.get(), leaves);
    const bool blocksListed =
        !leaves.empty() && std::all_of(leaves.begin(), leaves.end(), [](QuadTreeLeaf* leaf) {
            return leaf->shell.listName != 0;
        });
    if (!blocksListed) {
        wholeShell->compile();
        return;
    }
    wholeShell->listName = glGenLists(1);
    if (wholeShell->listName == 0)
        return;
    glNewList(wholeShell->listName, GL_COMPILE);
    for (QuadTreeLeaf* leaf : leaves)
        glCallList(leaf->shell.listName);
    glEndList();
}

void VORN_Landscape::markBlocksStale(std::uint32_t rowBegin, std::uint32_t rowEnd,
                                     std::uint32_t columnBegin, std::uint32_t columnEnd) {
    if (!quadTreeBuilt) {
        listsStale = true;
        if (wholeShell) {
            wholeShell->updateBounds();
            wholeShell->stale = true;
        }
        return;
    }
    if (rowBegin >= rowEnd || columnBegin >= columnEnd)
        return;
    std::vector<QuadTreeLeaf*> leaves;
    collectLeaves(root.get(), leaves);
    for (QuadTreeLeaf* leaf : leaves) {
        IndexShell& shell = leaf->shell;
        if (shell.rowBegin < rowEnd && rowBegin < shell.rowEnd && shell.columnBegin < columnEnd &&
            columnBegin < shell.columnEnd) {
            shell.updateBounds();
            shell.stale = true;
            blocksStale = true;
        }
    }
    root->updateBounds();
    if (wholeShell) {
        wholeShell->boundsLow = root->boundsLow;
        wholeShell->boundsHigh = root->boundsHigh;
    }
}

void VORN_Landscape::draw(const VORN_OcclusionCone* cone) {
    if (listsStale || blocksStale || !retiredLists.empty())
        recordStaleLists();
    if (!grid)
        return;
    glPushMatrix();
    glTranslated(-sizeX / 2, 0.0, sizeZ / 2); // grid frame → centred on the origin

    // The view's frustum taken into the grid frame once, for every box below.
    std::optional<VORN_Frustum> inGrid;
    if (const VORN_Frustum* view = cone ? VORN_Frustum::drawing() : nullptr) {
        GLdouble m[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, m);
        inGrid = view->inFrame(m);
    }
    const VORN_Frustum* frustum = inGrid ? &*inGrid : nullptr;

    blocksDrawn = 0;
    if (quadTreeBuilt)
        root->render(cone, frustum);
    else if (wholeShell)
        wholeShell->render(cone, frustum);
    glPopMatrix();
}

// Index shells

VORN_Landscape::IndexShell::IndexShell(std::uint32_t rowBegin, std::uint32_t rowEnd,
                                       std::uint32_t columnBegin, std::uint32_t columnEnd,
                                       double centerX, double centerZ, double radius,
                                       VORN_Landscape* landscape)
    : rowBegin(rowBegin), rowEnd(rowEnd), columnBegin(columnBegin), columnEnd(columnEnd),
      centerX(centerX), centerZ(centerZ), landscape(landscape), listName(0), radius(radius) {
    if (rowBegin > rowEnd || columnBegin > columnEnd)
        throw "VORN_Landscape::IndexShell.IndexShell(): parameters are nonsense";
}

VORN_Landscape::IndexShell::IndexShell(const IndexShell& other)
    : rowBegin(other.rowBegin), rowEnd(other.rowEnd), columnBegin(other.columnBegin),
      columnEnd(other.columnEnd), centerX(other.centerX), centerZ(other.centerZ),
      landscape(other.landscape), listName(0), radius(other.radius), boundsLow(other.boundsLow),
      boundsHigh(other.boundsHigh) {}

VORN_Landscape::IndexShell::~IndexShell() {
    if (listName != 0)
        glDeleteLists(listName, 1);
}

void VORN_Landscape::IndexShell::compile() {
    if (!landscape)
        return;
    if (rowEnd > landscape->rows || columnEnd > landscape->columns || rowBegin > rowEnd ||
        columnBegin > columnEnd)
        throw "VORN_Landscape::IndexShell.compile(): Bad landscape index values";
    updateBounds();
    stale = false;
    // The name is kept, so lists that call this one (the whole grid's) stay valid.
    if (listName == 0)
        listName = glGenLists(1);
    if (listName == 0)
        return; // no list to be had: the block is drawn directly every time
    glNewList(listName, GL_COMPILE);
    draw();
    glEndList();
}

void VORN_Landscape::IndexShell::draw() {
    // Without a grid, or with a block that no longer fits it, there is nothing to draw.
    if (!landscape || !landscape->grid || rowEnd > landscape->rows ||
        columnEnd > landscape->columns)
        return;
    const VORN_Landscape& land = *landscape;
    const double du = 1.0 / (land.columns - 1);
    const double dv = 1.0 / (land.rows - 1);

    const auto vertex = [&](std::uint32_t row, std::uint32_t column) {
        glNormal3dv(land.normal(row, column));
        glTexCoord2d(land.textureRepeatU * column * du, land.textureRepeatV * row * dv);
        glVertex3d(land.sizeX * column * du, land.heightScale * land.height(row, column),
                   -land.sizeZ * row * dv);
    };

    // Each strip zig-zags between row i+1 and row i, splitting every cell along (i, j)–(i+1, j+1).
    for (std::uint64_t i = rowBegin; i + 1 < rowEnd; ++i) {
        const auto row = static_cast<std::uint32_t>(i);
        glBegin(GL_TRIANGLE_STRIP);
        for (std::uint32_t j = columnBegin; j < columnEnd; ++j) {
            vertex(row + 1, j);
            vertex(row, j);
        }
        glEnd();
        // End the vertex batch with each strip (the hint is the renderer's own value, so nothing
        // changes): some drivers join consecutive strips of a display list with zero-area
        // triangles, which the outline pass would draw as long black lines across the block.
        glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    }
}

void VORN_Landscape::IndexShell::updateBounds() {
    boundsLow = VORN_Vector(HUGE_VAL, HUGE_VAL, HUGE_VAL); // empty
    boundsHigh = VORN_Vector(-HUGE_VAL, -HUGE_VAL, -HUGE_VAL);
    if (!landscape || !landscape->grid || rowEnd > landscape->rows ||
        columnEnd > landscape->columns || rowBegin >= rowEnd || columnBegin >= columnEnd)
        return;
    const VORN_Landscape& land = *landscape;
    double lowest = HUGE_VAL;
    double highest = -HUGE_VAL;
    for (std::uint32_t r = rowBegin; r < rowEnd; ++r)
        for (std::uint32_t c = columnBegin; c < columnEnd; ++c) {
            const double h = land.height(r, c);
            lowest = std::min(lowest, h);
            highest = std::max(highest, h);
        }
    // The corners as draw() computes its vertices, so that the box holds them to the last bit.
    const double du = 1.0 / (land.columns - 1);
    const double dv = 1.0 / (land.rows - 1);
    const double x[2] = {land.sizeX * columnBegin * du, land.sizeX * (columnEnd - 1) * du};
    const double y[2] = {land.heightScale * lowest, land.heightScale * highest};
    const double z[2] = {-land.sizeZ * rowBegin * dv, -land.sizeZ * (rowEnd - 1) * dv};
    boundsLow = VORN_Vector(std::min(x[0], x[1]), std::min(y[0], y[1]), std::min(z[0], z[1]));
    boundsHigh = VORN_Vector(std::max(x[0], x[1]), std::max(y[0], y[1]), std::max(z[0], z[1]));
}

void VORN_Landscape::IndexShell::render(const VORN_OcclusionCone* cone,
                                        const VORN_Frustum* frustum) {
    if (cone && cone->isVisible(VORN_Vector(centerX, 0.0, centerZ), radius) == 0)
        return;
    if (frustum && frustum->excludesBox(boundsLow, boundsHigh))
        return;
    if (landscape)
        ++landscape->blocksDrawn;
    if (listName != 0 && !stale)
        glCallList(listName);
    else
        draw();
}

// Quadtree

void VORN_Landscape::QuadTreeNode::render(const VORN_OcclusionCone* cone,
                                          const VORN_Frustum* frustum) {
    if (cone) {
        const int visibility = cone->isVisible(VORN_Vector(centerX, 0.0, centerZ), radius);
        if (visibility == 0)
            return;
        if (visibility == 2)
            cone = nullptr; // wholly inside: nothing below needs asking
    }
    // The cone's spheres are generous; the box is what the blocks below really hold.
    if (frustum && frustum->excludesBox(boundsLow, boundsHigh))
        return;
    for (auto& child : children)
        if (child)
            child->render(cone, frustum);
}

void VORN_Landscape::QuadTreeNode::compile() {
    for (auto& child : children)
        if (child)
            child->compile();
}

void VORN_Landscape::QuadTreeNode::updateBounds() {
    double low[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
    double high[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (auto& child : children) {
        if (!child)
            continue;
        child->updateBounds();
        for (int k = 0; k < 3; ++k) {
            low[k] = std::min(low[k], child->boundsLow[k]);
            high[k] = std::max(high[k], child->boundsHigh[k]);
        }
    }
    boundsLow = VORN_Vector(low[0], low[1], low[2]);
    boundsHigh = VORN_Vector(high[0], high[1], high[2]);
}

void VORN_Landscape::QuadTreeNode::build(std::uint8_t levels, double width, double depth,
                                         std::uint32_t rowBegin, std::uint32_t rowEnd,
                                         std::uint32_t columnBegin, std::uint32_t columnEnd,
                                         VORN_Landscape* landscape) {
    for (auto& child : children)
        child.reset();

    const double heightScale = landscape->heightScale;
    // Twice the distance from the centre to a top corner: generous, so blocks are culled late.
    radius = 2.0 * std::sqrt((width / 2) * (width / 2) + (depth / 2) * (depth / 2) +
                             heightScale * heightScale);

    const auto rowMiddle = static_cast<std::uint32_t>((std::uint64_t(rowBegin) + rowEnd) / 2);
    const auto columnMiddle =
        static_cast<std::uint32_t>((std::uint64_t(columnBegin) + columnEnd) / 2);

    // The quadrants in slot order; the middle row and column belong to both halves.
    struct Quadrant {
        double x, z;
        std::uint32_t rowBegin, rowEnd, columnBegin, columnEnd;
    };
    const Quadrant quadrants[4] = {
        {centerX + width / 4, centerZ - depth / 4, rowMiddle, rowEnd, columnMiddle, columnEnd},
        {centerX - width / 4, centerZ - depth / 4, rowMiddle, rowEnd, columnBegin,
         columnMiddle + 1},
        {centerX - width / 4, centerZ + depth / 4, rowBegin, rowMiddle + 1, columnBegin,
         columnMiddle + 1},
        {centerX + width / 4, centerZ + depth / 4, rowBegin, rowMiddle + 1, columnMiddle,
         columnEnd},
    };

    if (levels > 0) {
        for (int k = 0; k < 4; ++k) {
            const Quadrant& q = quadrants[k];
            children[k] = std::make_unique<QuadTreeNode>(q.x, q.z);
            children[k]->build(levels - 1, width / 2, depth / 2, q.rowBegin, q.rowEnd,
                               q.columnBegin, q.columnEnd, landscape);
        }
        return;
    }

    const double shellRadius =
        2.0 * std::sqrt((width / 4) * (width / 4) + (depth / 4) * (depth / 4) +
                        heightScale * heightScale);
    for (int k = 0; k < 4; ++k) {
        const Quadrant& q = quadrants[k];
        const IndexShell shell(q.rowBegin, q.rowEnd, q.columnBegin, q.columnEnd, q.x, q.z,
                               shellRadius, landscape);
        children[k] = std::make_unique<QuadTreeLeaf>(shell);
    }
}

void VORN_Landscape::QuadTreeLeaf::render(const VORN_OcclusionCone* cone,
                                          const VORN_Frustum* frustum) {
    shell.render(cone, frustum);
}

void VORN_Landscape::QuadTreeLeaf::compile() {
    shell.compile();
}

void VORN_Landscape::QuadTreeLeaf::updateBounds() {
    boundsLow = shell.boundsLow;
    boundsHigh = shell.boundsHigh;
}

} // namespace VORN_LIB
