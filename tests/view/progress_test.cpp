// Long file work reports its progress through the host, and a cancel at any
// step leaves the drawing, its undo steps and the folder as they were.

#include "view/view_fixture.h"

#include "document/drawing_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>

namespace {

class ProgressTest : public ViewTest
{
protected:
    std::string Path(const char* name) const { return QDir(dir.path()).filePath(name).toStdString(); }

    // What a cancelled piece of work must leave alone.
    struct State
    {
        std::string text;
        std::size_t undoSteps = 0;
        std::uint32_t nextId = 0;
        QStringList files;
        bool operator==(const State&) const = default;
    };
    State Now() const
    {
        const Canvas& c = view.GetCanvas();
        return {DrawingFileText(doc, {c.width, c.height, c.color}), UndoCount(), NextItemId,
                QDir(dir.path()).entryList(QDir::Files, QDir::Name)};
    }

    QTemporaryDir dir;
};

TEST_F(ProgressTest, LongWorkClimbsToItsTotalAndACancelLeavesEverythingAsItWas)
{
    // Enough items for several steps of every kind of work.
    constexpr int Items = 1200;
    MakeCanvas(600, 400);
    for (int i = 0; i < Items; ++i)
        PushItem(doc, ItemRectangle, BoxNodes(float(i % 60) * 10, float(i / 60) * 20, 8, 16),
                 ShapeAttributes(0xFF336699));
    view.DocumentChanged();
    const std::string big = Path("big.xml");
    ASSERT_TRUE(view.SaveDrawing(big));

    const auto drag = [this] { driver.DragAt({20, 20}, {200, 150}); };
    const struct
    {
        const char* name;
        std::function<void()> prepare; // runs before the state is taken
        std::function<void()> run;
        std::function<bool()> done; // what the whole work leaves
    } works[] = {
        {"open", [] {}, [&] { view.OpenDrawing(big); }, [&] { return doc.GetItemCount() == Items; }},
        {"import",
         [&] {
             host.QueueFile(FileDialogAnswer{big});
             view.DoCommand(CommandImport);
         },
         drag, [&] { return doc.GetItemCount() == Items + 2 && doc.GetItem(Items + 1)->ChildCount() == Items; }},
        {"save", [] {}, [&] { view.SaveDrawing(Path("saved.xml")); },
         [&] { return QFileInfo::exists(dir.filePath("saved.xml")); }},
        {"export png", [] {}, [&] { host.QueueExport(ExportAnswer{Path("pic"), 2}); view.DoCommand(CommandExport); },
         [&] { return QFileInfo::exists(dir.filePath("pic.png")); }},
        {"export mail", [] {}, [&] { host.QueueExport(ExportAnswer{Path("mail"), 3}); view.DoCommand(CommandExport); },
         [&] { return QFileInfo::exists(dir.filePath("mail.eml")); }},
        {"export drawing", [] {}, [&] { host.QueueExport(ExportAnswer{Path("copy"), 0}); view.DoCommand(CommandExport); },
         [&] { return QFileInfo::exists(dir.filePath("copy.xml")); }},
    };
    for (const auto& w : works) {
        for (const int cancelAfter : {0, 2, -1}) {
            SCOPED_TRACE(std::string(w.name) + " cancelled after " + std::to_string(cancelAfter));
            // The drawing to be left alone: the file's, with one more undo step and a guide.
            ASSERT_TRUE(view.OpenDrawing(big));
            AddRect(10, 10, 40, 40, 0xFFFF0000);
            doc.AddGuide({1, 50});
            w.prepare();
            const State before = Now();
            host.progress.clear();
            host.messages.clear();
            if (cancelAfter >= 0)
                host.QueueProgressCancel(cancelAfter);
            w.run();

            ASSERT_EQ(host.progress.size(), 1u);
            const ScriptedHost::Progress& p = host.progress[0];
            EXPECT_TRUE(p.ended);
            EXPECT_TRUE(host.messages.empty()) << host.messages.back().text;
            ASSERT_FALSE(p.done.empty());
            EXPECT_TRUE(std::is_sorted(p.done.begin(), p.done.end()));
            EXPECT_EQ(std::adjacent_find(p.done.begin(), p.done.end()), p.done.end()) << "a step repeated";
            if (cancelAfter >= 0) {
                EXPECT_TRUE(p.cancelled);
                EXPECT_EQ(p.done.size(), std::size_t(cancelAfter + 1));
                EXPECT_TRUE(Now() == before);
            } else {
                EXPECT_FALSE(p.cancelled);
                EXPECT_GE(p.done.size(), 4u);
                EXPECT_EQ(p.done.back(), p.total);
                EXPECT_TRUE(w.done());
            }
            for (const char* made : {"saved.xml", "pic.png", "mail.eml", "copy.xml"})
                QFile::remove(dir.filePath(made));
        }
    }
}

} // namespace
