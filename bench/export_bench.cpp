// The PNG, e-mail, SVG and PDF exports of the seeded 10,000-item scene, side
// by side: the message adds a JPEG and its Base64 text to the same rendering.
//
//   KORVANI_SCENE_DIR=DIR build/bench/bench/export_bench
//
// DIR holds scene_10000.xml written by
//   python3 bench/scene.py 10000 --korvani DIR/scene_10000.xml
#include "document/drawing_file.h"
#include "document/korvani_doc.h"
#include "export/email_export.h"
#include "export/image_export.h"
#include "export/pdf_export.h"
#include "export/svg_export.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtGlobal>
#include <benchmark/benchmark.h>

#include <string>

namespace {

struct Scene
{
    CKorvaniDoc doc;
    ReadItemsResult read;
    CanvasValues canvas;

    Scene()
    {
        const QByteArray dir = qgetenv("KORVANI_SCENE_DIR");
        const std::string path = (dir.isEmpty() ? std::string("/tmp/scenes") : dir.toStdString()) + "/scene_10000.xml";
        read = ReadItemsFile(doc, {0, 0}, {0, 0}, path, 0);
        for (DrawItem* item : read.items)
            doc.AddItem(item);
        canvas = {doc.GetCanvasWidth(), doc.GetCanvasHeight(), 0xFF000000u | doc.GetCanvasColor()};
    }
    ~Scene()
    {
        doc.Items().RemoveAll();
        ReleaseReadItems(read.items);
    }
};

template <class Export>
void Run(benchmark::State& state, Export write)
{
    Scene scene;
    if (!scene.read.parsed || scene.canvas.width <= 0) {
        state.SkipWithError("scene_10000.xml missing or unreadable; set KORVANI_SCENE_DIR");
        return;
    }
    QTemporaryDir dir;
    for (auto _ : state) {
        std::string error;
        if (!write(scene, dir, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
}

void BM_PngExport(benchmark::State& state)
{
    Run(state, [](Scene& s, QTemporaryDir& dir, std::string& error) {
        return SaveImage(RenderExportImage(s.doc, s.canvas, nullptr), dir.filePath("out.png").toStdString(),
                         "image/png", &error);
    });
}
BENCHMARK(BM_PngExport)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EmailExport(benchmark::State& state)
{
    Run(state, [](Scene& s, QTemporaryDir& dir, std::string& error) {
        return ExportEmail(s.doc, s.canvas, dir.filePath("out.eml").toStdString(), &error);
    });
}
BENCHMARK(BM_EmailExport)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SvgExport(benchmark::State& state)
{
    Run(state, [](Scene& s, QTemporaryDir& dir, std::string& error) {
        return ExportSvg(s.doc, s.canvas, nullptr, dir.filePath("out.svg").toStdString(), &error);
    });
}
BENCHMARK(BM_SvgExport)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PdfExport(benchmark::State& state)
{
    Run(state, [](Scene& s, QTemporaryDir& dir, std::string& error) {
        return ExportPdf(s.doc, s.canvas, nullptr, dir.filePath("out.pdf").toStdString(), &error);
    });
}
BENCHMARK(BM_PdfExport)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
