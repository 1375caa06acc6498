// Costs of the terrain on heightmaps of several sizes stretched over the game's 160 × 80 × 5
// valley: building from a picture (normals, quadtree, every display list), digging a crater (with
// the recompile it triggers) and testing a figure-sized sphere against the ground. The lists are
// recorded by the next draw; the benchmarks record them right away, as that draw would.
#include "bench/BenchValley.h"
#include "engine/physics/VORN_BoundingSphere.h"
#include "engine/terrain/Bitmap.h"
#include "engine/terrain/VORN_Landscape.h"
#include "tests/support/GLTest.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <vector>

using namespace VORN_LIB;
using benchvalley::fillHills;
using benchvalley::makeValley;
using benchvalley::spots;

namespace {

// Gives the benchmarks the test programs' hidden GL context.
class BenchContext : public GLTest {
public:
    static void makeCurrent() { GLTest::makeCurrent(); }
};

void sizes(benchmark::internal::Benchmark* b) {
    b->Args({129, 129})->Args({257, 257})->Args({321, 161})->Args({1025, 1025});
    b->Unit(benchmark::kMillisecond);
}

void BM_CreateFromBitmap(benchmark::State& state) {
    BenchContext::makeCurrent();
    Bitmap picture;
    fillHills(picture, int(state.range(0)), int(state.range(1)));
    auto land = makeValley(picture);
    for (auto _ : state) {
        land->createFromBitmap(picture);
        land->recordStaleLists();
        glFinish();
    }
    state.counters["points"] = double(picture.width) * picture.height;
}
BENCHMARK(BM_CreateFromBitmap)->Apply(sizes);

void BM_CreateCrater(benchmark::State& state) {
    BenchContext::makeCurrent();
    Bitmap picture;
    fillHills(picture, int(state.range(0)), int(state.range(1)));
    auto land = makeValley(picture);
    const auto places = spots(97);
    std::size_t next = 0;
    for (auto _ : state) {
        land->createCrater(places[next] + VORN_Vector(0, 2, 0), 3.0);
        land->recordStaleLists();
        glFinish();
        next = (next + 1) % places.size();
    }
}
BENCHMARK(BM_CreateCrater)->Apply(sizes);

void BM_SphereIntersect(benchmark::State& state) {
    BenchContext::makeCurrent();
    Bitmap picture;
    fillHills(picture, int(state.range(0)), int(state.range(1)));
    auto land = makeValley(picture);

    // Figure-sized spheres sunk a little into the ground all over the valley.
    std::vector<std::unique_ptr<VORN_Object>> owners;
    std::vector<std::unique_ptr<VORN_BoundingSphere>> spheres;
    for (const VORN_Vector& p : spots(97)) {
        const double ground = land->surfacePoint(VORN_Vector(p.x(), 0, p.z())).y();
        owners.push_back(std::make_unique<VORN_Object>(VORN_Vector(0, 0, 0), VORN_Vector(0, 0, 0),
                                                       VORN_Vector(1, 1, 1),
                                                       VORN_Color(1, 1, 1, 1)));
        owners.back()->setPosition(p.x(), ground + 0.2, p.z());
        spheres.push_back(std::make_unique<VORN_BoundingSphere>(0.3, owners.back().get()));
    }
    std::size_t next = 0, contacts = 0;
    for (auto _ : state) {
        std::unique_ptr<VORN_Contact> contact(land->intersect(spheres[next].get()));
        contacts += contact ? 1 : 0;
        benchmark::DoNotOptimize(contact.get());
        next = (next + 1) % spheres.size();
    }
    state.counters["hit share"] = double(contacts) / double(state.iterations());
    state.SetLabel("r 0.3");
}
BENCHMARK(BM_SphereIntersect)->Apply(sizes)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
