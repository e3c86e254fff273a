// The items panel over the seeded 100,000-item scene: rebuilding its rows,
// marking a selection of 10,000 scattered items, and hiding one item through
// its eye. Each is timed with the events that follow it (layout and paint of
// the panel), as the user would wait for them; the drawing is not painted.
//
// The scene is scene_100000.xml in KORVANI_SCENE_DIR (default /tmp/scenes),
// made by the scene generator of the shared benchmark kit:
//     python3 scene.py 100000 --korvani scene_100000.xml
//
// Build in a Release tree:
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANI_BENCH=ON -DKORVANI_TESTS=OFF
//   cmake --build build/bench --target items_panel_bench

#include "document/korvani_doc.h"
#include "items/draw_item.h"
#include "ui/panels/item_row_delegate.h"
#include "ui/panels/items_model.h"
#include "ui/panels/items_panel.h"
#include "view/korvani_view.h"
#include "view/view_host.h"

#include "quiet_host.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int SceneItems = 100000;

// Answers nothing, shows nothing, and tells the panel what the frame would.
class PanelHost : public QuietHost
{
public:
    void SelectionChanged(DrawItem* selection) override { panel.MarkSelection(selection); }
    void ItemsPanelRebuild(DrawItem* selection) override { panel.Rebuild(selection); }
    void ItemsPanelMark(DrawItem* selection) override { panel.MarkSelection(selection); }

    ItemsPanel panel;
};

struct Scene
{
    CKorvaniDoc doc;
    PanelHost host;
    CKorvaniView view{doc, host};
    bool ok = false;
};

std::unique_ptr<Scene>& TheScene()
{
    static std::unique_ptr<Scene> scene;
    return scene;
}

Scene* OpenScene(benchmark::State& state)
{
    std::unique_ptr<Scene>& scene = TheScene();
    if (!scene) {
        scene = std::make_unique<Scene>();
        scene->view.OnResize(1920, 1080);
        scene->host.panel.SetView(&scene->view);
        scene->host.panel.resize(260, 900);
        scene->host.panel.show();
        const char* dir = std::getenv("KORVANI_SCENE_DIR");
        const std::string path = std::string(dir ? dir : "/tmp/scenes") + "/scene_100000.xml";
        scene->ok = scene->view.OpenDrawing(path) && scene->doc.GetItemCount() == SceneItems;
        QApplication::processEvents();
    }
    if (!scene->ok) {
        state.SkipWithError("scene missing: set KORVANI_SCENE_DIR");
        return nullptr;
    }
    return scene.get();
}

void Settle()
{
    QApplication::processEvents();
}

// Every row anew: the top item leaves the list and comes back in turn, so
// that each rebuild finds another list than the rows show.
void BM_Rebuild(benchmark::State& state)
{
    Scene* scene = OpenScene(state);
    if (!scene)
        return;
    DrawItem* top = scene->doc.GetItem(SceneItems - 1);
    bool away = false;
    for (auto _ : state) {
        state.PauseTiming();
        away ? scene->doc.AddItem(top) : scene->doc.RemoveItem(top);
        away = !away;
        state.ResumeTiming();
        scene->host.panel.Rebuild(nullptr);
        Settle();
    }
    if (away)
        scene->doc.AddItem(top);
    scene->host.panel.Rebuild(nullptr);
    state.counters["rows"] = double(scene->host.panel.Model()->rowCount());
}

// A selection of every tenth item, marked as the view announces it.
void BM_MarkSelection(benchmark::State& state)
{
    Scene* scene = OpenScene(state);
    if (!scene)
        return;
    std::vector<DrawItem*> chosen;
    for (int i = 0; i < SceneItems; i += 10)
        chosen.push_back(scene->doc.GetItem(i));
    scene->view.SelectItems(chosen);
    for (auto _ : state) {
        scene->host.panel.MarkSelection(scene->view.Selection());
        Settle();
    }
    state.counters["marked"] = double(scene->host.panel.Model()->Marks().MarkedCount());
    scene->view.SelectNone();
    scene->host.panel.MarkSelection(nullptr);
}

void Press(QWidget* target, QPoint at)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(target->mapToGlobal(at)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), QPointF(target->mapToGlobal(at)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

// The eye of the focused row, hiding and showing its item in turn.
void BM_HideThroughEye(benchmark::State& state)
{
    Scene* scene = OpenScene(state);
    if (!scene)
        return;
    ItemsList* list = scene->host.panel.List();
    const QRect row = list->visualRect(scene->host.panel.Model()->index(0));
    Press(list->viewport(), ItemRowDelegate::LabelRect(row).center()); // focus and select it
    const QPoint eye = ItemRowDelegate::EyeRect(row).center();
    DrawItem* item = scene->doc.GetItem(SceneItems - 1);
    int toggles = 0;
    for (auto _ : state) {
        const bool before = item->IsHidden();
        Press(list->viewport(), eye);
        Settle();
        toggles += item->IsHidden() != before;
    }
    state.counters["toggled"] = toggles == int(state.iterations()) ? 1 : 0;
}

BENCHMARK(BM_Rebuild)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MarkSelection)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HideThroughEye)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    TheScene().reset(); // while the application still exists
    return 0;
}
