#include "ui/frame/recovery.h"
#include "ui/frame/view_area.h"

#include "document/korvani_doc.h"
#include "items/draw_item.h"
#include "support/push_item.h"
#include "view/korvani_view.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Editor
{
    CKorvaniDoc doc;
    ViewArea area{doc, nullptr};
};

TEST(RecoveryTest, KeptWhileUnsavedHiddenFromOthersWhileAliveRestoredAsUnsaved)
{
    QTemporaryDir dir;
    Editor first;
    RecoveryKeeper keeper(first.area, dir.path(), 60000);
    CKorvaniView& view = first.area.View();
    ASSERT_TRUE(view.NewCanvas(300, 200, ColorOpaqueWhite));
    keeper.Check();
    EXPECT_FALSE(QFile::exists(keeper.DrawingPath())) << "nothing unsaved yet";

    PushItem(first.doc, ItemRectangle, BoxNodes(10, 20, 30, 40), ShapeAttributes(0xFFFF0000));
    keeper.Check();
    keeper.Wait();
    ASSERT_TRUE(QFile::exists(keeper.DrawingPath()));

    // Another editor does not offer the copy of one that is still running.
    Editor second;
    RecoveryKeeper other(second.area, dir.path(), 60000);
    EXPECT_EQ(other.TakeLeftover(), nullptr);
    EXPECT_TRUE(QFile::exists(keeper.DrawingPath()));
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.lock")}).size(), 2) << "each live run's lock stays";

    // A copy whose run is gone (no lock on it) is offered, and restored as
    // the unsaved drawing of its file; its files go.
    const QString base = dir.filePath(QStringLiteral("recovery-1-1"));
    ASSERT_TRUE(QFile::copy(keeper.DrawingPath(), base + QStringLiteral(".xml")));
    {
        QSettings note(base + QStringLiteral(".ini"), QSettings::IniFormat);
        note.setValue(QStringLiteral("original"), QStringLiteral("/drawings/lost.xml"));
        note.setValue(QStringLiteral("time"), QStringLiteral("2026-01-02T03:04:05.000"));
    }
    const std::unique_ptr<RecoveryCandidate> leftover = other.TakeLeftover();
    ASSERT_NE(leftover, nullptr);
    EXPECT_EQ(leftover->original, QStringLiteral("/drawings/lost.xml"));
    ASSERT_TRUE(other.Restore(*leftover));
    CKorvaniView& restored = second.area.View();
    EXPECT_EQ(second.doc.GetItemCount(), 1);
    EXPECT_EQ(restored.CurrentFilePath(), "/drawings/lost.xml");
    EXPECT_TRUE(restored.IsModified());
    EXPECT_FALSE(QFile::exists(base + QStringLiteral(".xml")));
    other.Wait();
    EXPECT_TRUE(QFile::exists(other.DrawingPath())) << "the restored drawing is kept by its new run";

    // A save makes the copy needless.
    ASSERT_TRUE(view.SaveDrawing(dir.filePath(QStringLiteral("saved.xml")).toStdString()));
    keeper.Check();
    EXPECT_FALSE(QFile::exists(keeper.DrawingPath()));
    EXPECT_FALSE(QFile::exists(keeper.NotePath()));
}

} // namespace
