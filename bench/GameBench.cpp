// Costs of the whole game as the player meets them: start-up to the first frame, whole frames of
// the game window in three scenes at two window sizes beside the bare floor of a frame (the
// terrain's display lists alone), the same frames with the render scale the game chooses by
// measuring them (and at fixed scales below 1), the frame with all 81 figure labels in the picture,
// one tick with many figures, one explosion with its recompiled lists, and the sound's share of the
// start-up. Times are wall-clock (llvmpipe draws on worker threads), in milliseconds. Run from
// anywhere under a display big enough for 1920 × 1080, e.g.
//   xvfb-run -a -s "-screen 0 1920x1200x24" build/bin/GameBench
#include "bench/BenchValley.h"
#include "engine/scene/VORN_Clock.h"
#include "game/computer/ComputerOpponent.h"
#include "game/computer/ComputerPlayer.h"
#include "game/files/DataFiles.h"
#include "game/rules/Rules.h"
#include "game/session/Game.h"
#include "game/world/Player.h"
#include "game/world/Tortoise.h"
#include "tools/driver/MatchDriver.h"

#include <GL/glu.h>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using VORN_LIB::VORN_Clock;
using VORN_LIB::VORN_Landscape;
using VORN_LIB::VORN_Vector;

namespace {

// The game scenes the frames are measured in.
enum SceneId { Menu = 0, Turn2x1 = 1, Turn9x9 = 2 };
const char* const sceneNames[] = {"menu", "turn 2x1", "turn 9x9"};

Game* game = nullptr; // one window for the whole run: light names are never given back
int currentScene = -1;

Game& theGame() {
    if (!game) {
        VORN_Clock::setManual(1000);
        game = new Game();
        game->timer()->stop(); // the benchmarks drive every tick themselves
        // The picture at full scale unless a benchmark asks for another or for the measured one.
        game->renderScale.fix(1.0);
        game->setMinimumSize(800, 600);
        game->QWidget::resize(800, 600);
        game->show();
        QApplication::processEvents();
        currentScene = Menu;
    }
    game->makeCurrent();
    return *game;
}

void key(int code) {
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
    QApplication::sendEvent(game, &press);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier);
    QApplication::sendEvent(game, &release);
}

// One 25 ms tick of driven time. The turn's clock is held at its start, so that the 60 seconds
// of a turn never run out however many ticks a benchmark takes.
void tick() {
    MatchDriver(*game->match, [] {
        if (game->match->state() == Moving)
            MatchDriver(*game->match).startPhaseClockAt(VORN_Clock::now());
        game->updateStuff();
    }).tick();
}

// Brings the game to a scene: the start view over the main menu, or the first turn of a fresh
// round whose figures have fallen and come to rest (the same places on every run).
void enterScene(int scene) {
    Game& g = theGame();
    if (scene == currentScene)
        return;
    g.resetAll();
    g.viewport()->setView(VORN_Vector(0, 4, 2), 0, 0, -5);
    if (scene != Menu) {
        const int count = scene == Turn2x1 ? 2 : 9;
        const int figures = scene == Turn2x1 ? 1 : 9;
        srand(7);
        key(Qt::Key_Return);
        key(Qt::Key_0 + count);
        key(Qt::Key_0 + figures);
        key(Qt::Key_Return); // the settings screen: the classic game
        for (int i = 0; i < 400 && g.match->state() != Moving; ++i)
            tick();
        for (int i = 0; i < 240; ++i) // the fall from 5 units takes about 3.3 s
            tick();
    }
    currentScene = scene;
}

void useSize(int w, int h) {
    Game& g = theGame();
    if (g.width() != w || g.height() != h) {
        g.QWidget::resize(w, h);
        QApplication::processEvents();
    }
}

// Processor time of the whole process in milliseconds: the game's thread and llvmpipe's
// rasterising threads together, which says more than wall time on a loaded machine.
double processMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec * 1e-6;
}

// Records the processor time per iteration since start as the counter "all threads ms".
void countProcessTime(benchmark::State& state, double start) {
    state.counters["all threads ms"] =
        state.iterations() ? (processMs() - start) / double(state.iterations()) : 0.0;
}

// One frame as the window draws it. The events that are due go first: the GL widget composes its
// frame buffer onto the window through the window's update request, and a repaint while an
// update is still posted can draw nothing.
void frame() {
    QApplication::processEvents();
    game->repaint();
    glFinish();
}

// The floor of a frame: clear, the terrain's display lists with the game's camera, lamps,
// material, texture and fog, finished into the window's buffer; no culling test, no outlines, no
// figures, no labels, no overlay.
struct TerrainLists {
    std::vector<GLuint> lists;

    void collect(VORN_Landscape::QuadTreeNode* node) {
        if (!node)
            return;
        if (auto* leaf = dynamic_cast<VORN_Landscape::QuadTreeLeaf*>(node)) {
            lists.push_back(leaf->shell.listName);
            return;
        }
        for (auto& child : node->children)
            collect(child.get());
    }

    void draw(Game& g) const {
        const VORN_LIB::VORN_Viewport& v = *g.viewport();
        g.initialize();
        glClearColor(0, 0, 0.2f, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glViewport(v.x, v.y, v.width, v.height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(v.fieldOfView, double(v.width) / v.height, v.nearPlane, v.farPlane);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslated(0, 0, v.distance);
        glRotated(v.pitch, -1, 0, 0);
        glRotated(v.yaw, 0, -1, 0);
        glTranslated(-v.position.x(), -v.position.y(), -v.position.z());

        glEnable(GL_TEXTURE_2D);
        glEnable(GL_FOG);
        glFogfv(GL_FOG_COLOR, v.fogColor);
        glFogf(GL_FOG_DENSITY, v.fogDensity);
        glEnable(GL_LIGHTING);
        for (VORN_LIB::VORN_Flashlight& lamp : g.battlefield().lamps()) {
            glPushMatrix();
            lamp.applyTransform(false);
            glLightfv(lamp.lightId, GL_POSITION, lamp.lightPosition);
            glLightfv(lamp.lightId, GL_SPOT_DIRECTION, lamp.spotDirection);
            glPopMatrix();
        }

        VORN_Landscape& land = g.match->landscape();
        glPushMatrix();
        land.applyTransform(false);
        land.material->apply();
        glBindTexture(GL_TEXTURE_2D, *land.texture);
        glColor4dv(land.color.data());
        glTranslated(-land.sizeX / 2, 0.0, land.sizeZ / 2);
        for (GLuint list : lists)
            glCallList(list);
        glPopMatrix();

        glDisable(GL_FOG);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_CULL_FACE);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glFinish(); // into the window's frame buffer; Qt puts it on the screen with the next frame
    }
};

void frameArgs(benchmark::internal::Benchmark* b) {
    for (int size = 0; size < 2; ++size)
        for (int scene = Menu; scene <= Turn9x9; ++scene)
            b->Args({scene, size == 0 ? 800 : 1920, size == 0 ? 600 : 1080});
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

// The frames again with the exact view test switched off (culled by the cone alone, as before
// the test existed), each beside the frame that uses it; run with
// --benchmark_enable_random_interleaving=true so that both see the same load.
void frameArgsBothWays(benchmark::internal::Benchmark* b) {
    for (int size = 0; size < 2; ++size)
        for (int scene = Menu; scene <= Turn9x9; ++scene)
            for (int exact = 1; exact >= 0; --exact)
                b->Args({scene, size == 0 ? 800 : 1920, size == 0 ? 600 : 1080, exact});
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

void label(benchmark::State& state, const std::string& extra = "") {
    state.SetLabel(std::string(sceneNames[state.range(0)]) + " " + std::to_string(state.range(1)) +
                   "x" + std::to_string(state.range(2)) + extra);
}

// Writes a picture of the window, for a look at what is being measured (TV_BENCH_PICTURES=dir).
void picture(const std::string& name) {
    const char* dir = std::getenv("TV_BENCH_PICTURES");
    if (!dir)
        return;
    QDir().mkpath(dir);
    const QImage image = game->grabFramebuffer();
    image.save(QDir(dir).filePath(QString::fromStdString(name) + ".png"));
}

// The frame as the game draws it (range 3 = 1) or culled by the cone alone (0). "blocks" counts
// the terrain blocks of the outline pass (64 when nothing is culled).
void BM_Frame(benchmark::State& state) {
    enterScene(int(state.range(0)));
    useSize(int(state.range(1)), int(state.range(2)));
    Game& g = theGame();
    const bool exact = state.range(3) != 0;
    g.viewport()->exactCulling = exact;
    frame();
    picture("frame-" + std::to_string(state.range(0)) + "-" + std::to_string(state.range(1)) +
            (exact ? "" : "-cone"));
    const double start = processMs();
    for (auto _ : state)
        frame();
    countProcessTime(state, start);
    state.counters["blocks"] = g.match->landscape().blocksDrawn;
    g.viewport()->exactCulling = true;
    label(state, exact ? "" : " cone only");
}
BENCHMARK(BM_Frame)->Apply(frameArgsBothWays);

// The frame at a fixed render scale (range 3: percent of each side), or with the scale the game
// chooses from the measured frames (range 3 = 0): first the frames are drawn until the choice has
// held still for two windows of frames (at most 12 windows), then measured while the choice goes
// on. Counters: "scale" at the end, "changes" of the scale while measured, "worst ms" the slowest
// frame, "missed" the share of frames over the 25 ms tick.
void BM_FrameScaled(benchmark::State& state) {
    enterScene(int(state.range(0)));
    useSize(int(state.range(1)), int(state.range(2)));
    Game& g = theGame();
    VORN_LIB::VORN_RenderScaleChooser& chooser = g.renderScale;
    const bool automatic = state.range(3) == 0;
    if (automatic) {
        chooser.fix(1.0);
        chooser.automatic(); // from full scale, as the game starts
        const int window = VORN_LIB::VORN_RenderScaleChooser::window;
        int still = 0;
        for (int i = 0; i < 12 * window && still < 2 * window; ++i) {
            const double before = chooser.scale();
            frame();
            still = chooser.scale() == before ? still + 1 : 0;
        }
    } else {
        chooser.fix(state.range(3) / 100.0);
        frame();
    }
    picture("scaled-" + std::to_string(state.range(0)) + "-" + std::to_string(state.range(1)) +
            "-" + std::to_string(state.range(3)));
    double worst = 0;
    long missed = 0;
    int changes = 0;
    const double start = processMs();
    for (auto _ : state) {
        const double before = chooser.scale();
        const auto t0 = std::chrono::steady_clock::now();
        frame();
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count();
        worst = std::max(worst, ms);
        missed += ms > Rules::tickMs ? 1 : 0;
        changes += chooser.scale() != before ? 1 : 0;
    }
    countProcessTime(state, start);
    state.counters["scale"] = chooser.scale();
    state.counters["changes"] = changes;
    state.counters["worst ms"] = worst;
    state.counters["missed"] = state.iterations() ? double(missed) / state.iterations() : 0.0;
    chooser.fix(1.0);
    label(state, automatic ? " auto" : " fixed");
}
BENCHMARK(BM_FrameScaled)
    ->ArgsProduct({{Menu, Turn2x1, Turn9x9}, {800}, {600}, {0}})
    ->ArgsProduct({{Menu, Turn2x1, Turn9x9}, {1920}, {1080}, {0}})
    ->ArgsProduct({{Turn9x9}, {1920}, {1080}, {75, 50, 25}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_TerrainListsOnly(benchmark::State& state) {
    enterScene(int(state.range(0)));
    useSize(int(state.range(1)), int(state.range(2)));
    frame(); // the camera follows the figure as a real frame leaves it
    Game& g = theGame();
    TerrainLists terrain;
    terrain.collect(g.match->landscape().root.get());
    terrain.draw(g);
    picture("lists-" + std::to_string(state.range(0)) + "-" + std::to_string(state.range(1)));
    const double start = processMs();
    for (auto _ : state)
        terrain.draw(g);
    countProcessTime(state, start);
    label(state);
    state.counters["lists"] = double(terrain.lists.size());
}
BENCHMARK(BM_TerrainListsOnly)->Apply(frameArgs);

// The frame where the figure labels cost most: the 81 figures of the 9 × 9 turn gathered in rows
// in front of a fixed camera at 800 × 600, every label anchor in the picture (counter "labels":
// the labels shown, the others hidden behind figures or the ground). The figures and the camera
// go back to their places afterwards.
void BM_FrameAllLabels(benchmark::State& state) {
    enterScene(Turn9x9);
    useSize(800, 600);
    Game& g = theGame();
    VORN_LIB::VORN_Viewport& camera = *g.viewport();
    const VORN_Vector keptLook = camera.position;
    const double keptYaw = camera.yaw, keptPitch = camera.pitch, keptDistance = camera.distance;
    camera.attach(nullptr);
    std::vector<VORN_Vector> kept;
    int placed = 0;
    for (unsigned i = 0; i < g.match->playerCount(); ++i)
        for (unsigned j = 0; j < g.match->players()[i]->count; ++j, ++placed) {
            Tortoise* figure = g.match->players()[i]->figure(j);
            kept.push_back(figure->worldPosition);
            const double x = (placed % 9 - 4) * 1.2;
            const double z = -6 - (placed / 9) * 1.3;
            figure->setWorldPosition(g.match->landscape().surfacePoint(VORN_Vector(x, 0, z)) +
                                     VORN_Vector(0, 0.3, 0));
        }
    camera.setView(g.match->landscape().surfacePoint(VORN_Vector(0, 0, -8)) + VORN_Vector(0, 1, 0),
                   0, -25, -14);
    frame();
    picture("frame-all-labels");
    const double start = processMs();
    for (auto _ : state)
        frame();
    countProcessTime(state, start);
    state.counters["labels"] = g.labels().figuresShown();
    placed = 0;
    for (unsigned i = 0; i < g.match->playerCount(); ++i)
        for (unsigned j = 0; j < g.match->players()[i]->count; ++j)
            g.match->players()[i]->figure(j)->setWorldPosition(
                kept[static_cast<std::size_t>(placed++)]);
    camera.setView(keptLook, keptYaw, keptPitch, keptDistance);
    camera.attach(g.match->currentFigure());
    state.SetLabel("turn 9x9 800x600, 81 figures in view");
}
BENCHMARK(BM_FrameAllLabels)->Unit(benchmark::kMillisecond)->UseRealTime();

// Where a frame's time goes, in the 9 × 9 turn at 800 × 600: the whole frame, then without the
// outline pass, then also without the status panels (the overlay of a flight), then also without
// the 81 figures (the terrain and the lamps alone, culled, with the figure labels gone too).
void BM_FrameParts(benchmark::State& state) {
    enterScene(Turn9x9);
    useSize(800, 600);
    Game& g = theGame();
    const int part = int(state.range(0));
    const GameState shown = g.match->state();
    const QList<VORN_LIB::VORN_Object*> drawn = g.match->scene().children;
    const unsigned players = g.match->playerCount();
    if (part >= 1)
        g.viewport()->toggleOutlines();
    if (part >= 2)
        MatchDriver(*g.match).putInPhase(Flying);
    if (part >= 3) {
        g.match->scene().children.clear();
        for (VORN_LIB::VORN_Flashlight& lamp : g.battlefield().lamps())
            g.match->scene().children.append(&lamp);
        g.match->scene().children.append(&g.match->landscape());
        MatchDriver(*g.match).showPlayers(0); // no labels: the frame only reads the players
    }
    frame();
    const double start = processMs();
    for (auto _ : state)
        frame();
    countProcessTime(state, start);
    if (part >= 1)
        g.viewport()->toggleOutlines();
    MatchDriver(*g.match).putInPhase(shown);
    g.match->scene().children = drawn;
    MatchDriver(*g.match).showPlayers(players);
    const char* const names[] = {"whole frame", "no outline pass", "no outlines, no panels",
                                 "terrain and lamps only"};
    state.SetLabel(names[part]);
}
BENCHMARK(BM_FrameParts)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();

// The 9 × 9 turn at 800 × 600 in fire mode with every aid to aiming shown: the camera behind
// the aim, the strength bar's mark (worked out again each frame: the aim turns a little between
// frames), the arrows toward the enemies outside the picture, and the last throw's dotted path of
// a long flight and its landing ring (range 0 = 1). Range 0 = 0: the same view while driving, with
// no throw marked: no arrow, no bar and no marks, only the enemies' arrows as every turn has
// them. Beside BM_Frame's turn and the terrain floor. The round is begun afresh by whatever runs
// next.
void BM_FrameAimingAids(benchmark::State& state) {
    const bool aids = state.range(0) != 0;
    enterScene(Turn9x9);
    useSize(800, 600);
    Game& g = theGame();
    key(Qt::Key_Return); // fire mode
    MatchDriver(*g.match).aim(-60, 45, 7);
    for (int i = 0; i < 40; ++i) // the camera turns to the aim
        tick();
    const VORN_Vector from = g.match->grenade().worldPosition;
    const VORN_Vector throwVelocity = Rules::throwDirection(-60, 45) * 11.0;
    g.throwMarks.thrown(g.match->currentPlayer());
    VORN_Vector at = from;
    VORN_Vector v = throwVelocity;
    for (int i = 0; i < 400 && at.y() > g.match->landscape().surfaceHeight(at.x(), at.z()); ++i) {
        g.throwMarks.flew(at);
        v = v + VORN_Vector(0, -Rules::gravity * Rules::tickSeconds, 0);
        at = at + v * Rules::tickSeconds;
    }
    g.throwMarks.landed(at);
    if (!aids) {
        g.throwMarks.clear();
        MatchDriver(*g.match).putInPhase(Moving);
    }
    frame();
    picture(aids ? "frame-aiming-aids" : "frame-aiming-view");
    const double start = processMs();
    double yaw = -60;
    for (auto _ : state) {
        yaw += 0.01;
        MatchDriver(*g.match).aim(yaw, 45, 7);
        frame();
    }
    countProcessTime(state, start);
    state.counters["dots"] = double(g.throwMarks.pathOf(g.match->currentPlayer()).size());
    state.counters["arrows"] = double(g.pointers().shown().size());
    currentScene = -1;
    state.counters["blocks"] = g.match->landscape().blocksDrawn;
    state.SetLabel(aids ? "turn 9x9 800x600 in fire mode, every aid shown"
                        : "turn 9x9 800x600, the view of fire mode without its aids");
}
BENCHMARK(BM_FrameAimingAids)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// Lifts every figure a few units above the ground and stops it, so that it falls again.
void liftFigures(Game& g) {
    for (unsigned i = 0; i < g.match->playerCount(); ++i) {
        Player* player = g.match->players()[i].get();
        for (unsigned j = 0; player && j < player->count; ++j) {
            Tortoise* figure = player->figure(j);
            if (!figure)
                continue;
            const VORN_Vector p = figure->worldPosition;
            const double ground = g.match->landscape().surfacePoint(p).y();
            figure->setWorldPosition(p.x(), ground + 3.0, p.z());
            player->body(j)->velocity = VORN_Vector(0, 0, 0);
        }
    }
}

// One tick of a turn with 9 players of 9 figures: every figure falling (lifted again before it
// lands), or every figure resting on the ground.
void BM_Tick(benchmark::State& state) {
    const bool falling = state.range(0) != 0;
    enterScene(Turn9x9);
    Game& g = theGame();
    if (falling)
        liftFigures(g);
    int sinceLift = 0;
    const double start = processMs();
    for (auto _ : state) {
        if (falling && ++sinceLift == 60) { // 1.5 s of fall: about a unit, never to the ground
            state.PauseTiming();
            liftFigures(g);
            sinceLift = 0;
            state.ResumeTiming();
        }
        tick();
    }
    countProcessTime(state, start);
    if (falling) { // let them land again for whatever runs next
        for (int i = 0; i < 200; ++i)
            tick();
    }
    state.SetLabel(falling ? "81 figures falling" : "81 figures at rest");
}
BENCHMARK(BM_Tick)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The computer's planning of one turn (where to drive, then the throw) for each of the 81
// figures of the 9 × 9 round on the game's valley, as the tick would run it: the worst figure's
// time is the counter "worst ms". Arg 0: the round as it lies. Arg 1: no clear arc anywhere, each
// enemy with an own figure of the thrower beside it, so the planner looks at every spot to drive
// to and every fallback throw: the worst plan there is.
void BM_ComputerPlan(benchmark::State& state) {
    const bool blocked = state.range(0) != 0;
    enterScene(Turn9x9);
    Game& g = theGame();
    const VORN_Landscape* land = &g.match->landscape();
    std::vector<ComputerPlayer::Field> fields;
    for (unsigned u = 0; u < g.match->playerCount(); ++u) {
        const Player* player = g.match->players()[u].get();
        for (unsigned j = 0; player && j < player->count; ++j) {
            if (!player->figure(j))
                continue;
            ComputerPlayer::Field field;
            field.ground = [land](double x, double z) { return land->surfaceHeight(x, z); };
            field.own.push_back({player->figure(j)->worldPosition, player->figure(j)->health});
            for (unsigned v = 0; v < g.match->playerCount(); ++v) {
                const Player* other = g.match->players()[v].get();
                for (unsigned k = 0; other && k < other->count; ++k) {
                    const Tortoise* f = other->figure(k);
                    if (!f || (v == u && k == j))
                        continue;
                    (v == u ? field.own : field.enemies).push_back({f->worldPosition, f->health});
                }
            }
            if (blocked)
                for (const ComputerPlayer::Figure& e : std::vector<ComputerPlayer::Figure>(
                         field.enemies.begin(), field.enemies.end()))
                    field.own.push_back({e.place + VORN_Vector(1, 0, 0), 100});
            for (int i = 0; i < 4; ++i)
                field.fixed.push_back(
                    {g.battlefield().lamps()[i].worldPosition, g.match->lampSpheres()[i].radius});
            fields.push_back(field);
        }
    }
    // As the opponent runs it: the search for a spot, then the throw's search from where it
    // stands, each advanced searchBudget arc searches per tick. "worst ms" is the longest such
    // tick's share, "whole plan ms" the worst figure's plan done in one go (as before the spread).
    const ComputerPlayer planner(ComputerLevel::Medium);
    double worstTick = 0;
    double worstPlan = 0;
    double worstChoice = 0;
    long ticks = 0;
    int drives = 0;
    using Clock = std::chrono::steady_clock;
    auto ms = [](Clock::time_point a, Clock::time_point b) {
        return std::chrono::duration<double, std::milli>(b - a).count();
    };
    for (auto _ : state) {
        for (const ComputerPlayer::Field& field : fields) {
            double plan = 0;
            ComputerPlayer::Search drive(planner, field, ComputerPlayer::Search::drivePlaces(field),
                                         false);
            for (bool done = false; !done; ++ticks) {
                const auto t0 = Clock::now();
                done = drive.advance(ComputerOpponent::searchBudget, ComputerOpponent().searchMs);
                const double t = ms(t0, Clock::now());
                worstTick = std::max(worstTick, t);
                plan += t;
            }
            const std::optional<VORN_Vector> spot = drive.driveSpot();
            const VORN_Vector here = spot ? *spot : field.own[0].place;
            ComputerPlayer::Field there = field;
            there.own[0].place = here;
            ComputerPlayer::Search aim(planner, there, {{here, Rules::launchPoint(here)}}, true);
            for (bool done = false; !done; ++ticks) {
                const auto t0 = Clock::now();
                done = aim.advance(ComputerOpponent::searchBudget, ComputerOpponent().searchMs);
                const double t = ms(t0, Clock::now());
                worstTick = std::max(worstTick, t);
                plan += t;
            }
            // The tick after the search draws the throw (the fallback into the open is flown
            // then) and the scatter of the hand, as the opponent does.
            ++ticks;
            const auto t0 = Clock::now();
            const ComputerPlayer::Throw exact = aim.chosen();
            benchmark::DoNotOptimize(planner.withAimError(there, Rules::launchPoint(here), exact));
            const double t = ms(t0, Clock::now());
            worstTick = std::max(worstTick, t);
            worstChoice = std::max(worstChoice, t);
            plan += t;
            worstPlan = std::max(worstPlan, plan);
            drives += spot ? 1 : 0;
        }
    }
    state.counters["worst ms"] = worstTick;
    state.counters["whole plan ms"] = worstPlan;
    state.counters["choice ms"] = worstChoice;
    state.counters["ticks per plan"] =
        state.iterations() ? double(ticks) / (state.iterations() * fields.size()) : 0;
    state.counters["drives"] = state.iterations() ? double(drives) / state.iterations() : 0;
    state.SetLabel(blocked ? "81 figures, no clear arc" : "81 figures as they lie");
}
BENCHMARK(BM_ComputerPlan)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// One explosion's crater with the lists it records again, on the game's valley (restored after)
// and on a 1025 × 513 heightmap over the same 160 × 80 units.
void BM_Explosion(benchmark::State& state) {
    Game& g = theGame();
    const bool big = state.range(0) != 0;
    Bitmap picture;
    std::unique_ptr<VORN_Landscape> bigValley;
    if (big) {
        benchvalley::fillHills(picture, 1025, 513);
        bigValley = benchvalley::makeValley(picture);
    }
    VORN_Landscape& land = big ? *bigValley : g.match->landscape();
    const auto places = benchvalley::spots(97);
    std::size_t next = 0;
    glFinish();
    const double start = processMs();
    for (auto _ : state) {
        land.createCrater(places[next] + VORN_Vector(0, 2, 0), 3.0);
        glFinish();
        next = (next + 1) % places.size();
    }
    countProcessTime(state, start);
    if (!big)
        g.match->landscape().createFromBitmap(g.heightMap());
    state.SetLabel(big ? "1025x513" : "game valley 321x161");
}
BENCHMARK(BM_Explosion)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The explosion as the player sees it: the crater and the next frame of the 9 × 9 turn at
// 800 × 600. Beside BM_Frame it shows whether the fresh lists cost the first frame extra.
void BM_ExplosionAndFrame(benchmark::State& state) {
    enterScene(Turn9x9);
    useSize(800, 600);
    Game& g = theGame();
    const auto places = benchvalley::spots(97);
    std::size_t next = 0;
    frame();
    const double start = processMs();
    for (auto _ : state) {
        g.match->landscape().createCrater(places[next] + VORN_Vector(0, 2, 0), 3.0);
        frame();
        next = (next + 1) % places.size();
    }
    countProcessTime(state, start);
    g.match->landscape().createFromBitmap(g.heightMap());
    state.SetLabel("turn 9x9 800x600");
}
BENCHMARK(BM_ExplosionAndFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// Process start to the first frame painted: the game binary beside this one, started with
// TV_EXIT_AFTER_FIRST_FRAME=1, which quits right after its first paint.
void BM_StartUp(benchmark::State& state) {
    const std::string binary =
        QDir(QCoreApplication::applicationDirPath()).filePath("tortoise-valley").toStdString();
    // An empty settings folder: the game starts as it does the first time, whatever the user chose.
    const QTemporaryDir config;
    std::vector<std::string> env{"TV_EXIT_AFTER_FIRST_FRAME=1", "TV_NO_DIALOG=1",
                                 "XDG_CONFIG_HOME=" + config.path().toStdString()};
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string name = binary;
    char* argv[] = {name.data(), nullptr};

    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawn(&child, binary.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
            state.SkipWithError("cannot start the game binary");
            break;
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the game did not end cleanly after its first frame");
            break;
        }
    }
    state.SetLabel("process start to first frame, exit included");
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// What the sound adds to the start-up: opening the default sound device and loading the eight
// effects, then closing it again. ALSOFT_DRIVERS=null gives a device on any machine. It runs last,
// with the game's own device closed first: OpenAL has one current context per process.
void BM_SoundOpen(benchmark::State& state) {
    theGame().sound.close();
    for (auto _ : state) {
        GameSound sound;
        if (!sound.open(DataFiles())) {
            state.SkipWithError("no sound device");
            break;
        }
    }
    state.SetLabel("device opened, eight effects loaded, device closed");
}
BENCHMARK(BM_SoundOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The game reads its data from ../../data, seen from the folder of the binaries.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // The renderer is part of the machine the figures come from.
    theGame();
    benchmark::AddCustomContext("gl_renderer",
                                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    benchmark::AddCustomContext("gl_version",
                                reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
