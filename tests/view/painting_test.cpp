// Painting, checked on the pixels of the painted client image.

#include "view/view_fixture.h"

#include "export/image_export.h"
#include "items/curve_item.h"
#include "support/pixel_difference.h"

#include <QImage>
#include <QTemporaryDir>

#include <chrono>
#include <cstdint>
#include <limits>
#include <random>
#include <thread>
#include <vector>

namespace {

constexpr QRgb Grey = 0xFF808080;
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Black = 0xFF000000;

// Lets the view draw ahead until it is done; answers whether it had work.
bool DrainDrawAhead(CKorvaniView& view)
{
    bool any = false;
    while (view.DrawAhead()) {
        any = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return any;
}

} // namespace

using PaintingTest = ViewTest;

TEST_F(PaintingTest, ShadowScalesWithTheZoomAndHandlesDoNot)
{
    view.OnResize(400, 400);
    ASSERT_TRUE(view.NewCanvas(100, 100, ColorOpaqueWhite)); // origin at client (150, 150)
    DrawItem* item = AddRect(20, 20, 40, 40);
    driver.ClickAt({40, 40});
    ASSERT_EQ(view.Selection(), item);
    view.SetZoomPercent(200);
    const QImage image = view.PaintClient();

    // The canvas spans client 150..350; its shadow ends 8 pixels further.
    EXPECT_EQ(image.pixel(250, 357), Grey);
    EXPECT_EQ(image.pixel(250, 358), White);
    // The shadow starts 8 pixels in: above it, outside the canvas, is background.
    EXPECT_EQ(image.pixel(155, 355), White);

    // The top-left handle: a 4-pixel black square around canvas (16, 16), client (182, 182).
    for (int x = 180; x < 184; ++x)
        EXPECT_EQ(image.pixel(x, 181), Black) << x;
    EXPECT_NE(image.pixel(184, 181), Black);
}

TEST_F(PaintingTest, RulersAreGraduatedInCanvasUnitsAndAbsentWithoutACanvas)
{
    view.OnResize(120, 90);
    const QImage bare = view.PaintClient();
    QImage grey(120, 90, bare.format());
    grey.fill(Grey);
    EXPECT_EQ(bare, grey);

    view.OnResize(400, 300);
    ASSERT_TRUE(view.NewCanvas(100, 100, ColorOpaqueWhite)); // origin at client (150, 100)
    view.SetZoomPercent(200);
    const QImage image = view.PaintClient();
    const QRgb ruler = Ruler::Background;
    // Ticks 100 pixels apart are long, 50 apart middle, 10 apart short.
    EXPECT_EQ(image.pixel(250, 15), Black);
    EXPECT_EQ(image.pixel(200, 8), Black);
    EXPECT_EQ(image.pixel(200, 15), ruler);
    EXPECT_EQ(image.pixel(260, 3), Black);
    EXPECT_EQ(image.pixel(260, 8), ruler);
    // The vertical ruler, and the corner where both meet.
    EXPECT_EQ(image.pixel(15, 200), Black);
    EXPECT_EQ(image.pixel(10, 10), ruler);
}

TEST_F(PaintingTest, RulersAndScrollingStayInRangeAtTheExtremes)
{
    // The sanitizer checks the arithmetic of every paint here.
    view.OnResize(1000, 800);
    ASSERT_TRUE(view.NewCanvas(1, 1, ColorOpaqueWhite));
    view.SetZoomPercent(10);
    view.SetTool(ToolKind::ZoomIn);
    // Bands thousands of times the canvas: the zoom stops at the smallest the view takes.
    for (int band = 0; band < 2; ++band) {
        driver.Drag({30, 400}, {990, 400});
        EXPECT_EQ(view.Zoom(), CKorvaniView::SmallestZoom);
        view.PaintClient();
    }
    // At the largest zoom, panned billions of pixels away either way.
    view.SetZoomPercent(800);
    view.SetTool(ToolKind::Hand);
    const auto pan = [this](int from, int to) {
        driver.Press({from, 400});
        driver.Move({to, 400});
        driver.Release({to, 400});
    };
    pan(2000000000, -2000000000);
    pan(2000000000, -2000000000);
    EXPECT_LT(view.PanOffset().x, -3e9f);
    view.PaintClient();

    // The largest canvas: the scroll range stops at the largest int.
    constexpr std::int32_t Largest = std::numeric_limits<std::int32_t>::max();
    ASSERT_TRUE(view.NewCanvas(Largest, Largest, ColorOpaqueWhite));
    EXPECT_EQ(host.scrollSizes, QSize(Largest, Largest));
    view.PaintClient();
}

TEST_F(PaintingTest, BandsAndClipsPaintTheSamePixels)
{
    // Enough items for the paint to split the client into bands.
    view.OnResize(700, 500);
    ASSERT_TRUE(view.NewCanvas(640, 440, ColorOpaqueWhite));
    std::mt19937 random(7);
    std::uniform_real_distribution<float> place(-40, 600), size(8, 160), width(0, 6);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
    for (int i = 0; i < 400; ++i) {
        const std::int32_t kind = i % 3 == 0 ? ItemEllipse : ItemRectangle;
        AddBox(kind, place(random), place(random) * 0.7f, size(random), size(random), 0xFF000000 | colour(random),
               width(random), 0xFF000000 | colour(random));
    }
    AddText(100, 100, "Bands");
    view.SetParallelPaint(false);
    const QImage single = view.PaintClient();
    view.SetParallelPaint(true);
    const QImage banded = view.PaintClient();
    EXPECT_TRUE(single == banded);

    // A paint of part of the client gives that part exactly as a full paint
    // does: skipped items touched none of it.
    QImage part(view.ClientSize(), QImage::Format_ARGB32_Premultiplied);
    part.fill(0xFF123456);
    const QRect clip(233, 97, 150, 211);
    view.Paint(part, clip);
    EXPECT_TRUE(part.copy(clip) == single.copy(clip));
    EXPECT_EQ(part.pixel(10, 10), 0xFF123456u);

    // A pan by whole pixels moves the kept picture and paints only what it
    // uncovers: the pixels of a full paint, but for the level or two by which
    // an edge rounds when the whole drawing moves. The walk steps within the
    // pixels drawn ahead, past them, past the kept picture's edge, and so far
    // that it is drawn afresh.
    const PointF walk[] = {{13, 7}, {-30, 22}, {-2, -45}, {-10, -40}, {-302, -45}, {-290, -290}, {-560, 100}, {-555, 103}};
    std::vector<QImage> full;
    for (const PointF pan : walk) {
        view.SetPanOffset(pan);
        view.DocumentChanged();
        full.push_back(view.PaintClient());
    }
    // The same walk where the layers are drawn ahead between events, on a
    // worker, and each step comes while a piece is under way: once it is
    // done, the same pixels.
    for (const bool ahead : {false, true}) {
        host.drawAhead = ahead;
        view.SetPanOffset({0, 0});
        view.PaintClient();
        for (std::size_t i = 0; i < full.size(); ++i) {
            if (ahead)
                view.DrawAhead();
            view.SetPanOffset(walk[i]);
            QImage shown = view.PaintClient();
            if (ahead && DrainDrawAhead(view))
                shown = view.PaintClient();
            EXPECT_LE(ComparePixels(shown, full[i]).largest, 2) << walk[i].x << ", " << walk[i].y << ", " << ahead;
        }
    }
    host.drawAhead = false;
    view.SetPanOffset({0, 0});

    // At zoom 1 the canvas on screen is the picture an export gives (below
    // the ruler's edge on the canvas's first row). Edges cut by the picture's
    // sides may round a level apart.
    const QPointF origin = view.CanvasOrigin();
    ASSERT_EQ(origin, origin.toPoint());
    const QImage exported = RenderExportImage(doc, CanvasValues{640, 440, ColorOpaqueWhite}, nullptr);
    EXPECT_LE(ComparePixels(single.copy(QRect(origin.toPoint(), exported.size())), exported, 1).largest, 2);
}

TEST_F(PaintingTest, ItemsUnderOpaqueOnesAreSkippedWithoutChangingAPixel)
{
    // Boxes of every sort a paint may or may not treat as covering what lies
    // below: opaque and see-through fills, opaque and see-through gradients,
    // turned boxes. Skipping what is covered must not change one pixel at
    // any zoom, of the whole client or of a part.
    view.OnResize(700, 500);
    ASSERT_TRUE(view.NewCanvas(640, 440, ColorOpaqueWhite));
    std::mt19937 random(5);
    std::uniform_real_distribution<float> place(-60, 620), size(6, 220), small(4, 12), width(0, 5);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
    std::uniform_int_distribution<int> sort(0, 9);
    // Many small ones: the edges of what covers them are tried closely.
    for (int i = 0; i < 900; ++i) {
        const int kind = sort(random);
        const float w = i % 3 ? small(random) : size(random), h = i % 3 ? small(random) : size(random);
        DrawItem* item = AddBox(i % 2 ? ItemEllipse : ItemRectangle, place(random), place(random) * 0.7f, w, h,
                                (kind == 0 ? 0x80000000 : 0xFF000000) | colour(random), width(random),
                                0xFF000000 | colour(random));
        if (kind == 1 || kind == 2) {
            item->SetIntAttr(ATTR_FILL_GRADIENT, 1);
            item->EnsureFillGradient();
            item->SetFillStopColor(1, (kind == 1 ? 0xFF000000 : 0x00000000) | colour(random));
        }
        if (kind == 3) {
            Matrix turn;
            turn.Rotate(25);
            item->Transform(turn, ModeCommit);
        }
    }
    view.DocumentChanged();
    // A pan after the first paint draws only the strips it uncovers.
    for (const int percent : {100, 37, 250}) {
        view.SetZoomPercent(percent);
        std::vector<QImage> pictures;
        for (const bool skip : {false, true}) {
            view.SetSkipCoveredItems(skip);
            view.SetPanOffset({0, 0});
            pictures.push_back(view.PaintClient());
            view.SetPanOffset({-137, 61});
            pictures.push_back(view.PaintClient());
        }
        EXPECT_TRUE(pictures[0] == pictures[2]) << percent;
        EXPECT_TRUE(pictures[1] == pictures[3]) << percent;
    }
    view.SetPanOffset({0, 0});
}

TEST_F(PaintingTest, ANewZoomOfALargeDrawingIsDrawnOnAWorker)
{
    view.OnResize(400, 300);
    ASSERT_TRUE(view.NewCanvas(360, 260, ColorOpaqueWhite));
    for (int i = 0; i < 2000; ++i)
        AddBox(i % 2 ? ItemEllipse : ItemRectangle, float(i * 7 % 340), float(i * 13 % 240), 12, 9,
               0xFF000000 | std::uint32_t(i * 2654435761u >> 8), 1.5f, ColorOpaqueBlack);
    host.drawAhead = true;
    view.PaintClient();
    DrainDrawAhead(view);
    // Each zoom first shows the old picture scaled; the worker's true render
    // then replaces it, and is the picture a fresh render gives. A zoom made
    // before the worker is done is drawn for instead.
    for (const int percent : {200, 150, 300}) {
        view.SetZoomPercent(percent);
        view.PaintClient();
        EXPECT_TRUE(view.ShowsScaledLayers()) << percent;
    }
    const int repaints = host.repaints;
    DrainDrawAhead(view);
    EXPECT_FALSE(view.ShowsScaledLayers());
    EXPECT_GT(host.repaints, repaints);
    const QImage drawn = view.PaintClient();
    host.drawAhead = false;
    view.DocumentChanged();
    EXPECT_LE(ComparePixels(drawn, view.PaintClient()).largest, 2);
}

TEST_F(PaintingTest, ALargeDrawingJustOpenedShowsItsCanvasWhileTheWorkerDrawsIt)
{
    view.OnResize(600, 400);
    ASSERT_TRUE(view.NewCanvas(520, 320, ColorOpaqueWhite));
    // Small boxes side by side: none hides another.
    for (int i = 0; i < 1500; ++i)
        AddRect(float(i % 50 * 10 + 4), float(i / 50 * 10 + 4), 6, 6, 0xFF2060C0);
    QTemporaryDir dir;
    const std::string path = dir.filePath("boxes.xml").toStdString();
    ASSERT_TRUE(view.SaveDrawing(path));
    const QPoint box = driver.Pixel({7, 7});

    // Without a worker the first paint draws everything at once.
    ASSERT_TRUE(view.OpenDrawing(path));
    const QImage drawn = view.PaintClient();
    EXPECT_EQ(drawn.pixel(box), 0xFF2060C0u);

    // With one the canvas shows at once, bare, and the worker's render then
    // replaces it with the same picture; a second open of a drawing does so again.
    host.drawAhead = true;
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(view.OpenDrawing(path));
        EXPECT_EQ(view.PaintClient().pixel(box), White);
        EXPECT_TRUE(view.ShowsScaledLayers());
        DrainDrawAhead(view);
        EXPECT_FALSE(view.ShowsScaledLayers());
        EXPECT_TRUE(view.PaintClient() == drawn);
    }
    // Only the first paint after opening: an edit draws at once.
    driver.ClickAt({7, 7});
    driver.Key(Qt::Key_Right);
    EXPECT_FALSE(view.ShowsScaledLayers());
    view.PaintClient();
    EXPECT_FALSE(view.ShowsScaledLayers());
    host.drawAhead = false;
}

TEST_F(PaintingTest, TheMovingSelectionIsNeverSkipped)
{
    view.OnResize(300, 300);
    ASSERT_TRUE(view.NewCanvas(220, 220, ColorOpaqueWhite));
    DrawItem* item = AddRect(10, 10, 40, 40, 0xFFFF0000);
    driver.ClickAt({30, 30});
    ASSERT_EQ(view.Selection(), item);
    driver.PressAt({30, 30});
    driver.MoveAt({180, 180});
    driver.MoveAt({180, 180});
    // Paint only a corner far from the item's committed place: the blue
    // preview outline must still show there.
    QImage part(view.ClientSize(), QImage::Format_ARGB32_Premultiplied);
    part.fill(White);
    const QRect clip(200, 200, 60, 60);
    view.Paint(part, clip);
    int blue = 0;
    for (int y = clip.top(); y <= clip.bottom(); ++y) {
        for (int x = clip.left(); x <= clip.right(); ++x)
            blue += part.pixel(x, y) == 0xFF0000FF;
    }
    EXPECT_GT(blue, 20);
    driver.ReleaseAt({180, 180});
}

TEST_F(PaintingTest, ADragKeepsTheOrderOfTheItemsAroundTheSelection)
{
    MakeCanvas(300, 300);
    AddRect(10, 10, 100, 100, 0xFFFF0000);
    DrawItem* middle = AddRect(60, 60, 100, 100, 0xFF0000FF);
    AddRect(120, 120, 100, 100, 0xFF00FF00);
    driver.ClickAt({100, 100});
    ASSERT_EQ(view.Selection(), middle);
    const QImage still = view.PaintClient();

    // While the middle item is dragged, the items below and above it keep their places in the stack.
    driver.PressAt({100, 100});
    driver.MoveAt({104, 100});
    driver.MoveAt({108, 100});
    const QImage dragging = view.PaintClient();
    for (const PointF p : {PointF{90, 90}, PointF{140, 140}}) {
        const QPoint pixel = driver.Pixel(p);
        EXPECT_EQ(dragging.pixel(pixel.x(), pixel.y()), still.pixel(pixel.x(), pixel.y())) << p.x << ", " << p.y;
    }
    driver.ReleaseAt({108, 100});

    // After the drop the picture shows the moved item where the drag left it.
    const QImage moved = view.PaintClient();
    const QPoint shifted = driver.Pixel({166, 100});
    EXPECT_EQ(moved.pixel(shifted.x(), shifted.y()), 0xFF0000FFu);
}

TEST_F(PaintingTest, AnEditInPlaceRepaintsLikeAFullPaint)
{
    view.OnResize(700, 500);
    ASSERT_TRUE(view.NewCanvas(640, 440, ColorOpaqueWhite));
    std::mt19937 random(11);
    std::uniform_real_distribution<float> place(0, 560), size(20, 120);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
    for (int i = 0; i < 60; ++i) {
        AddBox(i % 2 ? ItemEllipse : ItemRectangle, place(random), place(random) * 0.7f, size(random), size(random),
               0x80000000 | colour(random), 2, 0xFF000000 | colour(random));
    }
    DrawItem* picked = doc.GetItem(30);
    const PointF inside = picked->Bounds().Center();
    view.SelectNone();
    view.AddToSelection(picked);
    view.DoCommand(CommandRotate90);
    driver.Key(Qt::Key_Right, Qt::ControlModifier);
    const QImage kept = view.PaintClient();
    view.DocumentChanged();
    // Layers composed over each other round a little differently, nothing more.
    EXPECT_LE(ComparePixels(kept, view.PaintClient()).largest, 3);
    EXPECT_NE(picked->Bounds().Center(), inside);
}
