// Memory and time of undo records on a large drawing: 100,000 move records
// pushed on a drawing of 10,000 mixed items (rectangles, ellipses, lines,
// curves, doodles, texts), then all of them undone and all redone. Each move
// takes one item, or a selection group of ten. Memory is what the heap holds
// after the pushes beyond what it held before, per record (mallinfo2).
#include "document/item_ref.h"
#include "document/korvani_doc.h"
#include "items/attribute_format.h"
#include "items/group_item.h"

#include <QGuiApplication>
#include <QtGlobal>
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int SceneItems = 10000;
constexpr int MoveRecords = 100000;
constexpr int SelectionPool = 1000;

std::size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

class Scene
{
public:
    explicit Scene(int membersPerMove) : rng(0x5eed)
    {
        for (int i = 0; i < SceneItems; ++i)
            AddItem(i);
        for (int i = 0; i < SceneItems; ++i)
            items.push_back(doc.GetItem(i));
        // Selection groups are the view's; a pool of them is built up front
        // so that the timed pushes do not include building selections.
        if (membersPerMove > 1) {
            for (int s = 0; s < SelectionPool; ++s) {
                auto group = std::make_unique<GroupItem>(SelectionGroupId);
                for (int m = 0; m < membersPerMove; ++m)
                    group->AddChild(RandomItem());
                selections.push_back(std::move(group));
            }
        }
    }
    ~Scene()
    {
        doc.Reset();
        for (auto& group : selections)
            group->ReleaseChildren();
    }

    void PushMoves(int count)
    {
        std::uniform_real_distribution<float> delta(-20, 20);
        for (int i = 0; i < count; ++i) {
            DrawItem* selection = selections.empty() ? RandomItem() : selections[std::size_t(i) % selections.size()].get();
            doc.PushMove(selection, delta(rng), delta(rng));
        }
    }

    CKorvaniDoc doc;

private:
    DrawItem* RandomItem() { return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(rng)]; }

    void AddItem(int i)
    {
        std::uniform_real_distribution<float> coord(0, 1900);
        const float x = coord(rng), y = coord(rng) * 0.55f;
        AttributeTable attributes{{ATTR_LINE_COLOR, FormatColorAttr(0xFF000000)},
                                  {ATTR_LINE_WIDTH, FormatFloatAttr(1.5f)},
                                  {ATTR_FILL_COLOR, FormatColorAttr(0xFF336699 + std::uint32_t(i))}};
        NodeList nodes;
        std::int32_t kind = ItemRectangle;
        switch (i % 20) {
        case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7:
            nodes = {PathNode::AtPoint(x, y), PathNode::AtPoint(x + 40, y + 25)};
            break;
        case 8: case 9: case 10: case 11:
            kind = ItemEllipse;
            nodes = {PathNode::AtPoint(x, y), PathNode::AtPoint(x + 30, y + 30)};
            break;
        case 12:
            kind = ItemLine;
            nodes = {PathNode::AtPoint(x, y), PathNode::AtPoint(x + 60, y + 10)};
            break;
        case 13: case 14: case 15:
            kind = ItemCurve;
            for (int k = 0; k < 6; ++k)
                nodes.push_back(PathNode::AtPoint(x + float(k * 9), y + float((k * 13) % 20)));
            nodes.back().brk = 1;
            nodes.back().close = 1;
            break;
        case 16: case 17: case 18:
            kind = ItemDoodle;
            for (int k = 0; k < 12; ++k)
                nodes.push_back(PathNode::AtPoint(x + float(k * 5), y + float((k * 7) % 11)));
            nodes.back().brk = 1;
            break;
        default:
            kind = ItemText;
            nodes = {PathNode::AtPoint(x, y)};
            attributes[ATTR_FONT_NAME] = "Arial";
            attributes[ATTR_FONT_SIZE] = "16";
            attributes[ATTR_CONTENT] = "Label";
        }
        doc.PushAddItem(kind, TakeNextItemId(), nodes, attributes);
    }

    std::mt19937 rng;
    std::vector<DrawItem*> items;
    std::vector<std::unique_ptr<GroupItem>> selections;
};

// The undo list already holds the 10,000 additions; only the moves are counted.
void BM_PushMoves(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto scene = std::make_unique<Scene>(int(state.range(0)));
        const std::size_t before = HeapInUse();
        state.ResumeTiming();
        scene->PushMoves(MoveRecords);
        state.PauseTiming();
        const std::size_t after = HeapInUse();
        state.counters["bytes_per_record"] = double(after - before) / MoveRecords;
        scene.reset();
        state.ResumeTiming();
    }
    state.counters["records_per_s"] = benchmark::Counter(double(MoveRecords), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_UndoRedoMoves(benchmark::State& state)
{
    const bool redo = state.range(1) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto scene = std::make_unique<Scene>(int(state.range(0)));
        scene->PushMoves(MoveRecords);
        if (redo) {
            for (int i = 0; i < MoveRecords; ++i)
                scene->doc.Undo();
        }
        state.ResumeTiming();
        for (int i = 0; i < MoveRecords; ++i) {
            if (redo)
                scene->doc.Redo();
            else
                scene->doc.Undo();
        }
        state.PauseTiming();
        scene.reset();
        state.ResumeTiming();
    }
    state.counters["records_per_s"] = benchmark::Counter(double(MoveRecords), benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_PushMoves)->Arg(1)->Arg(10)->ArgNames({"members"})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedoMoves)
    ->ArgsProduct({{1, 10}, {0, 1}})
    ->ArgNames({"members", "redo"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Text items lay out glyphs, which needs the font database.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
