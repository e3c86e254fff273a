// Structure edits on a large selection: the seeded 100,000-item scene is
// opened in a view, every item is band-selected, and each edit runs as the
// user's command would (delete, duplicate, move up, move down, to top, an
// arrow key's move) or, for grouping, as the document's push. Each edit is timed by itself, then
// undone untimed; the Undo benchmarks time the undo instead. The drawing is
// not painted, except for the last benchmark.
//
// The scene is scene_100000.xml in KORVANI_SCENE_DIR, made by the scene
// generator of the shared benchmark kit:
//     python3 scene.py 100000 --korvani scene_100000.xml
//
// Build in a Release tree:
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANI_BENCH=ON -DKORVANI_TESTS=OFF
//   cmake --build build/bench --target structure_bench

#include "document/korvani_doc.h"
#include "items/group_item.h"
#include "items/item_factory.h"
#include "view/korvani_view.h"
#include "view/view_codes.h"
#include "quiet_host.h"
#include "view/view_host.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr int SceneItems = 100000;

struct Scene
{
    QuietHost host;
    CKorvaniDoc doc;
    CKorvaniView view{doc, host};
    bool ok = false;
};

std::unique_ptr<Scene>& TheScene()
{
    static std::unique_ptr<Scene> scene;
    return scene;
}

Scene& OpenScene()
{
    std::unique_ptr<Scene>& scene = TheScene();
    if (!scene) {
        scene = std::make_unique<Scene>();
        scene->view.OnResize(1920, 1080);
        const char* dir = std::getenv("KORVANI_SCENE_DIR");
        const std::string path = std::string(dir ? dir : "/tmp/scenes") + "/scene_100000.xml";
        scene->ok = scene->view.OpenDrawing(path) && scene->doc.GetItemCount() == SceneItems;
    }
    return *scene;
}

// Between two commands the editor returns to its event loop, which does the
// work left for idle time (deleting discarded undo records).
void Idle()
{
    QCoreApplication::processEvents();
}

// What a band around the whole canvas selects: every item that is neither hidden nor locked.
void SelectAll(CKorvaniView& view)
{
    view.SelectNone();
    view.SelectInRect({-1e6f, -1e6f, 2e6f, 2e6f});
}

enum Edit { Delete, Duplicate, MoveUp, MoveDown, MoveTopmost, Group, Nudge };

void RunEdit(Scene& scene, int edit)
{
    switch (edit) {
    case Delete: scene.view.DoCommand(CommandDelete); break;
    case Duplicate: scene.view.DoCommand(CommandDuplicate); break;
    case MoveUp: scene.view.DoCommand(CommandMoveUp); break;
    case MoveDown: scene.view.DoCommand(CommandMoveDown); break;
    case MoveTopmost: scene.view.DoCommand(CommandMoveTopmost); break;
    case Group:
        scene.doc.PushGroup(TakeNextItemId(), scene.view.Selection());
        scene.view.DocumentChanged();
        break;
    case Nudge: // an edit in place: an arrow key moves the selection
        scene.view.OnKeyDown(Qt::Key_Right);
        scene.view.OnKeyUp(Qt::Key_Right);
        break;
    }
}

const char* EditName(int edit)
{
    static const char* const names[] = {"delete", "duplicate", "move up", "move down", "to top", "group", "nudge"};
    return names[edit];
}

void BM_SelectAll(benchmark::State& state)
{
    Scene& scene = OpenScene();
    if (!scene.ok) {
        state.SkipWithError("scene missing: set KORVANI_SCENE_DIR");
        return;
    }
    for (auto _ : state)
        SelectAll(scene.view);
    state.counters["selected"] = double(scene.view.SelectionGroup().ChildCount());
}

// The edit timed; the undo that restores the scene is not.
void BM_Edit(benchmark::State& state)
{
    Scene& scene = OpenScene();
    if (!scene.ok) {
        state.SkipWithError("scene missing: set KORVANI_SCENE_DIR");
        return;
    }
    const int edit = int(state.range(0));
    state.SetLabel(EditName(edit));
    for (auto _ : state) {
        state.PauseTiming();
        Idle();
        SelectAll(scene.view);
        state.ResumeTiming();
        RunEdit(scene, edit);
        state.PauseTiming();
        scene.view.DoCommand(CommandUndo);
        state.ResumeTiming();
    }
}

// The undo of the edit timed.
void BM_Undo(benchmark::State& state)
{
    Scene& scene = OpenScene();
    if (!scene.ok) {
        state.SkipWithError("scene missing: set KORVANI_SCENE_DIR");
        return;
    }
    const int edit = int(state.range(0));
    state.SetLabel(EditName(edit));
    for (auto _ : state) {
        state.PauseTiming();
        Idle();
        SelectAll(scene.view);
        RunEdit(scene, edit);
        state.ResumeTiming();
        scene.view.DoCommand(CommandUndo);
    }
}

// Edits in a drawing that has been painted, as in the editor: the texts have
// laid out their glyphs, which their copies share and a move keeps. Runs
// last: the paint leaves the scene holding glyphs.
void BM_EditPainted(benchmark::State& state)
{
    Scene& scene = OpenScene();
    if (!scene.ok) {
        state.SkipWithError("scene missing: set KORVANI_SCENE_DIR");
        return;
    }
    const int edit = int(state.range(0));
    state.SetLabel(EditName(edit));
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    scene.view.Paint(image, image.rect());
    for (auto _ : state) {
        state.PauseTiming();
        Idle();
        SelectAll(scene.view);
        state.ResumeTiming();
        RunEdit(scene, edit);
        state.PauseTiming();
        scene.view.DoCommand(CommandUndo);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_SelectAll)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Edit)->DenseRange(Delete, Nudge)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Undo)->DenseRange(Delete, Nudge)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_EditPainted)->Arg(Duplicate)->Arg(Nudge)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    TheScene().reset(); // while the application still exists
    return 0;
}
