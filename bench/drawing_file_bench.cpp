// Save and load of drawing files: the seeded 10,000-item scene, and a drawing
// holding one 20 MB picture (whose bytes travel as hexadecimal text); the
// recovery copy's pause on the editor's thread.
//
//   KORVANI_SCENE_DIR=DIR build/bench/bench/drawing_file_bench
//
// DIR holds scene_10000.xml written by
//   python3 bench/scene.py 10000 --korvani DIR/scene_10000.xml
#include "document/drawing_file.h"
#include "document/drawing_snapshot.h"
#include "document/korvani_doc.h"
#include "platform/temp_files.h"
#include "items/draw_item.h"
#include "items/item_factory.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtGlobal>
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

std::string SceneFile()
{
    const QByteArray dir = qgetenv("KORVANI_SCENE_DIR");
    return (dir.isEmpty() ? std::string("/tmp/scenes") : dir.toStdString()) + "/scene_10000.xml";
}

// A document that releases what it read.
struct LoadedDocument
{
    CKorvaniDoc doc;
    ReadItemsResult read;

    bool Load(const std::string& path)
    {
        read = ReadItemsFile(doc, {0, 0}, {0, 0}, path, 0);
        for (DrawItem* item : read.items)
            doc.AddItem(item);
        return read.parsed;
    }
    ~LoadedDocument()
    {
        doc.Items().RemoveAll();
        ReleaseReadItems(read.items);
    }
};

void BM_LoadScene(benchmark::State& state)
{
    const std::string path = SceneFile();
    std::int64_t bytes = QFile(QString::fromStdString(path)).size();
    for (auto _ : state) {
        LoadedDocument loaded;
        if (!loaded.Load(path)) {
            state.SkipWithError("scene_10000.xml missing or unreadable; set KORVANI_SCENE_DIR");
            return;
        }
        benchmark::DoNotOptimize(loaded.doc.GetItemCount());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_LoadScene)->Unit(benchmark::kMillisecond);

void BM_SaveScene(benchmark::State& state)
{
    LoadedDocument loaded;
    if (!loaded.Load(SceneFile())) {
        state.SkipWithError("scene_10000.xml missing or unreadable; set KORVANI_SCENE_DIR");
        return;
    }
    QTemporaryDir dir;
    const std::string out = dir.filePath("saved.xml").toStdString();
    const CanvasValues canvas{loaded.doc.GetCanvasWidth(), loaded.doc.GetCanvasHeight(), 0xFFFFFFFF};
    std::int64_t bytes = 0;
    for (auto _ : state) {
        const FileWriteResult result = WriteDrawingFile(out, loaded.doc, canvas);
        if (!result.ok) {
            state.SkipWithError(result.errorMessage.c_str());
            return;
        }
        bytes = QFile(QString::fromStdString(out)).size();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_SaveScene)->Unit(benchmark::kMillisecond);

// The kept copy of an unsaved drawing: the editor's thread only copies the
// items (the pause a user could notice, meant to stay under 20 ms); the text
// is made from the copy on a worker thread.
void BM_RecoverySnapshot(benchmark::State& state)
{
    LoadedDocument loaded;
    if (!loaded.Load(SceneFile())) {
        state.SkipWithError("scene_10000.xml missing or unreadable; set KORVANI_SCENE_DIR");
        return;
    }
    const CanvasValues canvas{loaded.doc.GetCanvasWidth(), loaded.doc.GetCanvasHeight(), 0xFFFFFFFF};
    for (auto _ : state) {
        auto snapshot = std::make_unique<DrawingSnapshot>(loaded.doc, canvas);
        benchmark::DoNotOptimize(snapshot.get());
        // Let go on the worker in the editor; outside the measured pause here.
        state.PauseTiming();
        snapshot.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RecoverySnapshot)->Unit(benchmark::kMillisecond);

// For comparison: the whole text made on the editor's thread.
void BM_RecoveryTextInPlace(benchmark::State& state)
{
    LoadedDocument loaded;
    if (!loaded.Load(SceneFile())) {
        state.SkipWithError("scene_10000.xml missing or unreadable; set KORVANI_SCENE_DIR");
        return;
    }
    const CanvasValues canvas{loaded.doc.GetCanvasWidth(), loaded.doc.GetCanvasHeight(), 0xFFFFFFFF};
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawingFileText(loaded.doc, canvas));
}
BENCHMARK(BM_RecoveryTextInPlace)->Unit(benchmark::kMillisecond);

// A drawing of one image item whose working file holds 20 MB of noise.
class PictureDrawing
{
public:
    PictureDrawing()
    {
        std::vector<unsigned char> bytes(20u << 20);
        std::mt19937 random(1);
        for (unsigned char& b : bytes)
            b = static_cast<unsigned char>(random());
        const std::string working = WriteTempFile(bytes.size(), bytes.data());
        item = CreateItem(ItemImage, TakeNextItemId());
        item->AddRef();
        item->SetTextAttr(ATTR_CONTENT, working);
        item->SetTextAttr(ATTR_IMAGE_TYPE, "png");
        item->SetNodes({PathNode::AtPoint(10, 10), PathNode::AtPoint(110, 60)});
        doc.AddItem(item);
        path = dir.filePath("picture.xml").toStdString();
    }
    ~PictureDrawing()
    {
        doc.Items().RemoveAll();
        item->Release();
    }

    QTemporaryDir dir;
    CKorvaniDoc doc;
    DrawItem* item = nullptr;
    std::string path;
};

void BM_SavePicture(benchmark::State& state)
{
    PictureDrawing drawing;
    for (auto _ : state) {
        if (!WriteDrawingFile(drawing.path, drawing.doc, CanvasValues{200, 100, 0xFFFFFFFF}).ok) {
            state.SkipWithError("cannot save");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * (std::int64_t(20) << 20));
}
BENCHMARK(BM_SavePicture)->Unit(benchmark::kMillisecond);

void BM_LoadPicture(benchmark::State& state)
{
    PictureDrawing drawing;
    if (!WriteDrawingFile(drawing.path, drawing.doc, CanvasValues{200, 100, 0xFFFFFFFF}).ok) {
        state.SkipWithError("cannot save");
        return;
    }
    for (auto _ : state) {
        LoadedDocument loaded;
        if (!loaded.Load(drawing.path)) {
            state.SkipWithError("cannot load");
            return;
        }
        // Each load writes a new working file; keep the disk from filling.
        DeleteTempFiles();
    }
    state.SetBytesProcessed(state.iterations() * (std::int64_t(20) << 20));
}
BENCHMARK(BM_LoadPicture)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
