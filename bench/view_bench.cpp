// Paint and hover times of the editing view over the seeded benchmark scenes.
//
// The scenes are drawing files made by the scene generator of the shared
// benchmark kit:
//     python3 scene.py N --korvani scene_N.xml      (N = 1000, 10000, 100000)
// Point KORVANI_SCENE_DIR at a folder holding scene_1000.xml, scene_10000.xml
// and scene_100000.xml. Without it the bench makes them in a temporary
// folder with the generator named by KORVANI_SCENE_SCRIPT (default
// bench/scene.py). Each benchmark opens its scene in a view with
// a 1920 x 1080 client at zoom 1.
//
// Build in a Release tree:
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANI_BENCH=ON -DKORVANI_TESTS=OFF
//   cmake --build build/bench --target view_bench

#include "document/korvani_doc.h"
#include "view/korvani_view.h"
#include "view/view_codes.h"
#include "quiet_host.h"
#include "view/view_host.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <thread>

namespace {

constexpr int ClientWidth = 1920;
constexpr int ClientHeight = 1080;

std::string SceneDirectory()
{
    if (const char* dir = std::getenv("KORVANI_SCENE_DIR"))
        return dir;
    static QTemporaryDir made;
    static bool generated = false;
    if (!generated) {
        generated = true;
        const char* script = std::getenv("KORVANI_SCENE_SCRIPT");
        for (int n : {1000, 10000, 100000}) {
            const QString out = QDir(made.path()).filePath(QString("scene_%1.xml").arg(n));
            QProcess::execute("python3",
                              {script ? script : KORVANI_SCENE_SCRIPT_DEFAULT, QString::number(n), "--korvani", out});
        }
    }
    return made.path().toStdString();
}

// One open scene per size, kept for every benchmark of that size.
struct Scene
{
    QuietHost host;
    CKorvaniDoc doc;
    CKorvaniView view{doc, host};
    QImage image{ClientWidth, ClientHeight, QImage::Format_ARGB32_Premultiplied};
    bool ok = false;
};

std::map<int, std::unique_ptr<Scene>>& Scenes()
{
    static std::map<int, std::unique_ptr<Scene>> scenes;
    return scenes;
}

Scene& OpenScene(int n)
{
    std::unique_ptr<Scene>& scene = Scenes()[n];
    if (!scene) {
        scene = std::make_unique<Scene>();
        scene->view.OnResize(ClientWidth, ClientHeight);
        const std::string path = SceneDirectory() + "/scene_" + std::to_string(n) + ".xml";
        scene->ok = scene->view.OpenDrawing(path) && scene->doc.GetItemCount() == n;
    }
    return *scene;
}

// The scene of range(0); null, with the benchmark skipped, when it is missing.
Scene* SceneOrSkip(benchmark::State& state)
{
    Scene& scene = OpenScene(int(state.range(0)));
    if (scene.ok)
        return &scene;
    state.SkipWithError("scene missing: set KORVANI_SCENE_DIR");
    return nullptr;
}

// Paints the whole client of the scene's view.
void Show(Scene& scene)
{
    scene.view.Paint(scene.image, scene.image.rect());
}

// A full render: the drawing changed, so every item in view is drawn anew.
void Paint(benchmark::State& state, bool parallel)
{
    Scene* const opened = SceneOrSkip(state);
    if (!opened)
        return;
    Scene& scene = *opened;
    scene.view.SetParallelPaint(parallel);
    Show(scene); // items measured once
    for (auto _ : state) {
        scene.view.DocumentChanged();
        Show(scene);
        benchmark::DoNotOptimize(scene.image.constBits());
    }
    scene.view.SetParallelPaint(true);
    state.counters["items"] = double(scene.doc.GetItemCount());
}

void BM_Paint(benchmark::State& state)
{
    Paint(state, true);
}

void BM_PaintOneThread(benchmark::State& state)
{
    Paint(state, false);
}

// A repaint with the drawing unchanged (a tool mark or the ruler moved).
void BM_Repaint(benchmark::State& state)
{
    Scene* const opened = SceneOrSkip(state);
    if (!opened)
        return;
    Scene& scene = *opened;
    Show(scene);
    for (auto _ : state) {
        Show(scene);
        benchmark::DoNotOptimize(scene.image.constBits());
    }
}

// One mouse move of a drag of the item in the middle of the client: the
// move preview and the repaint that shows it.
void BM_DragMove(benchmark::State& state)
{
    Scene* const opened = SceneOrSkip(state);
    if (!opened)
        return;
    Scene& scene = *opened;
    CKorvaniView& view = scene.view;
    view.SetTool(ToolKind::Select);
    view.SelectNone();
    const QPoint start(960, 540);
    view.OnLeftButtonDown(start);
    if (!view.Selection()) {
        view.OnLeftButtonUp(start);
        state.SkipWithError("no item under the middle of the client");
        return;
    }
    // The first move draws the layers around the dragged item once.
    view.OnMouseMove(start + QPoint(1, 1));
    Show(scene);
    int step = 0;
    for (auto _ : state) {
        ++step;
        view.OnMouseMove(start + QPoint(step % 50, step % 30));
        Show(scene);
        benchmark::DoNotOptimize(scene.image.constBits());
    }
    view.OnMouseMove(start); // back where it began: nothing is committed
    view.OnLeftButtonUp(start);
}

// An arrow key moves the selected item (one undo step) and the view repaints.
void BM_NudgeAndRepaint(benchmark::State& state)
{
    Scene* const opened = SceneOrSkip(state);
    if (!opened)
        return;
    Scene& scene = *opened;
    CKorvaniView& view = scene.view;
    view.SetTool(ToolKind::Select);
    view.SelectNone();
    view.OnLeftButtonDown({960, 540});
    view.OnLeftButtonUp({960, 540});
    if (!view.Selection()) {
        state.SkipWithError("no item under the middle of the client");
        return;
    }
    // The first edit draws the layers around the edited item once.
    view.OnKeyDown(Qt::Key_Right);
    Show(scene);
    int step = 0;
    for (auto _ : state) {
        view.OnKeyDown(++step % 2 ? Qt::Key_Left : Qt::Key_Right);
        Show(scene);
        benchmark::DoNotOptimize(scene.image.constBits());
    }
}

// A pointer move with no button: the cursor rule (guides, the selection's
// handles) with the Select tool and an item selected.
void BM_HoverMove(benchmark::State& state)
{
    Scene* const opened = SceneOrSkip(state);
    if (!opened)
        return;
    Scene& scene = *opened;
    scene.view.SetTool(ToolKind::Select);
    scene.view.OnLeftButtonDown({960, 540});
    scene.view.OnLeftButtonUp({960, 540});
    std::mt19937 random(1);
    std::uniform_int_distribution<int> x(0, ClientWidth - 1), y(0, ClientHeight - 1);
    for (auto _ : state)
        scene.view.OnMouseMove({x(random), y(random)});
    state.counters["cursor"] = scene.host.lastCursor;
}

// What a press asks: the item under the pointer, from the top down.
void BM_HitTestItems(benchmark::State& state)
{
    Scene* const opened = SceneOrSkip(state);
    if (!opened)
        return;
    Scene& scene = *opened;
    scene.view.SelectNone();
    std::mt19937 random(2);
    std::uniform_int_distribution<int> x(0, ClientWidth - 1), y(0, ClientHeight - 1);
    scene.view.HitTestItems({0, 0}); // items measured once
    for (auto _ : state) {
        const QPoint p(x(random), y(random));
        benchmark::DoNotOptimize(scene.view.HitTestItems(scene.view.CanvasPoint(p)));
    }
}

// A Hand-tool drag from start, the pointer at start + offset(step) after
// each step, repainted each time.
template <class Offset>
void HandDrag(benchmark::State& state, QPoint start, Offset offset)
{
    Scene* const opened = SceneOrSkip(state);
    if (!opened)
        return;
    Scene& scene = *opened;
    CKorvaniView& view = scene.view;
    view.SelectNone();
    view.SetTool(ToolKind::Hand);
    Show(scene);
    view.OnLeftButtonDown(start);
    int step = 0;
    for (auto _ : state) {
        view.OnMouseMove(start + offset(++step));
        Show(scene);
        benchmark::DoNotOptimize(scene.image.constBits());
    }
    view.OnLeftButtonUp(start);
    view.SetPanOffset({0, 0});
    view.SetTool(ToolKind::Select);
}

// One step of a Hand-tool drag: the canvas moves by (7, 5) pixels and the
// view repaints; nothing in the drawing changes. Back and forth within the
// pixels drawn ahead, so that the canvas stays in view.
void BM_PanStep(benchmark::State& state)
{
    HandDrag(state, QPoint(960, 540), [](int step) {
        const int k = step % 40 < 20 ? step % 40 : 40 - step % 40;
        return QPoint(7 * k, 5 * k);
    });
}

// A long drag one way and back, 24 pixels a step: the kept layers run out on
// the side the client moves to every few steps, so the time is what the
// pixels drawn ahead cost per step.
void BM_PanSweep(benchmark::State& state)
{
    HandDrag(state, QPoint(1800, 540), [](int step) {
        const int k = step % 140 < 70 ? step % 140 : 140 - step % 140;
        return QPoint(-24 * k, 0);
    });
}

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// The event loop of the window between two events: DrawAhead every 4 ms, as
// the window's timer calls it, until the deadline. Answers the longest call
// (the UI thread is blocked for it) and adds the time of every call to busy.
double IdleUntil(CKorvaniView& view, Clock::time_point deadline, double& busy)
{
    double longest = 0;
    bool more = true;
    // The loop runs its timers between events however late they are.
    for (bool first = true; first || Clock::now() < deadline; first = false) {
        if (more) {
            const Clock::time_point start = Clock::now();
            more = view.DrawAhead();
            const double call = Milliseconds(Clock::now() - start);
            longest = std::max(longest, call);
            busy += call;
        }
        std::this_thread::sleep_until(std::min(deadline, Clock::now() + std::chrono::milliseconds(more ? 4 : 1)));
    }
    return longest;
}

// The long drag of BM_PanSweep as a user makes it, one event every 16 ms,
// with a window that draws ahead between events. The time is the UI
// thread's work per event (the step's paint and the idle calls); "longest"
// is the longest single block of the UI thread, "over16" the share of
// events whose paint or idle call took more than 16 ms.
void BM_PanSweepLive(benchmark::State& state)
{
    Scene* const opened = SceneOrSkip(state);
    if (!opened)
        return;
    Scene& scene = *opened;
    CKorvaniView& view = scene.view;
    scene.host.drawAhead = true;
    view.SelectNone();
    view.SetTool(ToolKind::Hand);
    Show(scene);
    double unused = 0;
    IdleUntil(view, Clock::now() + std::chrono::seconds(2), unused); // the margins, as after opening
    const QPoint start(1800, 540);
    view.OnLeftButtonDown(start);
    int step = 0, slow = 0;
    double longest = 0;
    for (auto _ : state) {
        const Clock::time_point begin = Clock::now();
        ++step;
        const int k = step % 140 < 70 ? step % 140 : 140 - step % 140;
        view.OnMouseMove(start + QPoint(-24 * k, 0));
        Show(scene);
        double busy = Milliseconds(Clock::now() - begin);
        const double block = std::max(busy, IdleUntil(view, begin + std::chrono::milliseconds(16), busy));
        longest = std::max(longest, block);
        slow += block > 16;
        state.SetIterationTime(busy / 1000);
    }
    view.OnLeftButtonUp(start);
    view.SetPanOffset({0, 0});
    view.SetTool(ToolKind::Select);
    state.counters["longest_ms"] = longest;
    state.counters["over16"] = double(slow) / double(std::max(step, 1));
    scene.host.drawAhead = false;
}

// A zoom step with a window that draws ahead: the time from the step until
// the true render of the new zoom is painted (the first paint shows the old
// layers scaled). "longest" is the longest block of the UI thread meanwhile.
void BM_ZoomStepLive(benchmark::State& state)
{
    Scene* const opened = SceneOrSkip(state);
    if (!opened)
        return;
    Scene& scene = *opened;
    CKorvaniView& view = scene.view;
    scene.host.drawAhead = true;
    view.SelectNone();
    Show(scene);
    int step = 0;
    double longest = 0, unused = 0;
    for (auto _ : state) {
        const Clock::time_point begin = Clock::now();
        view.StepZoom(++step % 2 ? 2 : 0);
        Show(scene);
        longest = std::max(longest, Milliseconds(Clock::now() - begin));
        while (view.ShowsScaledLayers() && Clock::now() - begin < std::chrono::seconds(20))
            longest = std::max(longest, IdleUntil(view, Clock::now() + std::chrono::milliseconds(1), unused));
        if (view.ShowsScaledLayers()) {
            state.SkipWithError("the true render never came");
            break;
        }
        const Clock::time_point paint = Clock::now();
        Show(scene);
        longest = std::max(longest, Milliseconds(Clock::now() - paint));
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - begin).count());
        benchmark::DoNotOptimize(scene.image.constBits());
        // A short look before the next step: the margins start being drawn.
        IdleUntil(view, Clock::now() + std::chrono::milliseconds(100), unused);
    }
    view.SetZoomPercent(100);
    Show(scene);
    state.counters["longest_ms"] = longest;
    scene.host.drawAhead = false;
}

// One step of the vertical scroll bar (20 pixels) and the repaint.
void BM_ScrollStep(benchmark::State& state)
{
    Scene* const opened = SceneOrSkip(state);
    if (!opened)
        return;
    Scene& scene = *opened;
    CKorvaniView& view = scene.view;
    view.SelectNone();
    Show(scene);
    int step = 0;
    for (auto _ : state) {
        ++step;
        const int k = step % 40 < 20 ? step % 40 : 40 - step % 40;
        view.OnVerticalScroll(20 * k);
        Show(scene);
        benchmark::DoNotOptimize(scene.image.constBits());
    }
    view.OnVerticalScroll(0);
}

// A step of the zoom table (in and out by turns): range(1) 0 times the
// first paint after it, 1 the paint that follows it as well, which renders
// the drawing at the new zoom.
void BM_ZoomStep(benchmark::State& state)
{
    Scene* const opened = SceneOrSkip(state);
    if (!opened)
        return;
    Scene& scene = *opened;
    CKorvaniView& view = scene.view;
    const bool untilRendered = state.range(1) != 0;
    view.SelectNone();
    Show(scene);
    int step = 0;
    for (auto _ : state) {
        view.StepZoom(++step % 2 ? 2 : 0);
        Show(scene);
        if (!untilRendered)
            state.PauseTiming();
        Show(scene);
        if (!untilRendered)
            state.ResumeTiming();
        benchmark::DoNotOptimize(scene.image.constBits());
    }
    view.SetZoomPercent(100);
    Show(scene);
}

// Drawing a new rectangle in the middle of the client: press, 20 drag moves
// and the release, each followed by a paint. The time is per event; the new
// item is undone untimed.
void BM_DrawRectangle(benchmark::State& state)
{
    Scene* const opened = SceneOrSkip(state);
    if (!opened)
        return;
    Scene& scene = *opened;
    CKorvaniView& view = scene.view;
    view.SelectNone();
    view.SetTool(ToolKind::Rectangle);
    Show(scene);
    constexpr int Moves = 20;
    const QPoint start(900, 500);
    const int itemsBefore = scene.doc.GetItemCount();
    int committed = 0;
    for (auto _ : state) {
        view.OnLeftButtonDown(start);
        Show(scene);
        for (int i = 1; i <= Moves; ++i) {
            view.OnMouseMove(start + QPoint(6 * i, 4 * i));
            Show(scene);
        }
        view.OnLeftButtonUp(start + QPoint(6 * Moves, 4 * Moves));
        Show(scene);
        benchmark::DoNotOptimize(scene.image.constBits());
        state.PauseTiming();
        if (scene.doc.GetItemCount() > itemsBefore) {
            ++committed;
            view.DoCommand(CommandUndo);
        }
        view.SelectNone();
        Show(scene);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (Moves + 2));
    // Each pass must have made its rectangle, or the figure measures nothing.
    state.counters["committed"] = double(committed) / double(state.iterations());
    view.SetTool(ToolKind::Select);
}

BENCHMARK(BM_Paint)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_PaintOneThread)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_Repaint)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DragMove)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_NudgeAndRepaint)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HoverMove)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PanStep)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_PanSweep)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_PanSweepLive)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(420);
BENCHMARK(BM_ZoomStepLive)->Arg(10000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
BENCHMARK(BM_ScrollStep)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_ZoomStep)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_DrawRectangle)->Arg(100000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_HitTestItems)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Scenes().clear(); // while the application still exists
    return 0;
}
