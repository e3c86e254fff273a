// What the creation tools share: the item under construction, made of the
// creation nodes and attributes and committed to the document in one undo
// step, and the one-shot placements that Import and Capture start.

#include "view/korvani_view.h"

#include "document/korvani_doc.h"
#include "items/attribute_format.h"
#include "view/tools/tool_handler.h"
#include "view/view_host.h"

#include <utility>

namespace {

bool IsPlacementTool(std::int32_t kind)
{
    return kind == ToolValue(ToolKind::PlaceImage) || kind == ToolValue(ToolKind::PlaceFile);
}

} // namespace

void CKorvaniView::FinishConstruction()
{
    ActiveHandler().Finish();
}

void CKorvaniView::CommitCreation()
{
    const std::int32_t kind = activeTool;
    NodeList nodes = std::exchange(creationNodes, {});
    const AttributeTable attributes = std::exchange(creationAttributes, {});
    creationCount = 0;
    // An outline that could not be drawn or saved never becomes an item.
    if (!nodes.empty() && FiniteNodes(nodes)) {
        nodes.back().brk = 1;
        const std::uint32_t id = TakeNextItemId();
        if (doc.PushAddItem(kind, id, nodes, attributes) >= 0) {
            EmptySelectionGroup();
            selection = doc.FindItemById(id);
        }
        AfterDocumentChange();
    }
    if (kind == ToolValue(ToolKind::PlaceImage))
        SetTool(previousTool);
    host.ItemsPanelRebuild(selection);
    SyncSelectionToBars();
}

void CKorvaniView::DiscardCreation()
{
    creationNodes.clear();
    creationAttributes.clear();
    creationCount = 0;
}

void CKorvaniView::SetCreationDefaults(std::int32_t kind)
{
    creationAttributes[ATTR_LINE_WIDTH] = FormatFloatAttr(lineWidth);
    creationAttributes[ATTR_DASH_STYLE] = FormatInt(dashStyle);
    if (kind == ToolValue(ToolKind::Text)) {
        creationAttributes[ATTR_FONT_NAME] = fontName;
        creationAttributes[ATTR_FONT_SIZE] = FormatInt(fontSize);
        creationAttributes[ATTR_LINE_COLOR] = FormatColorAttr(textLineColor);
        creationAttributes[ATTR_FILL_COLOR] = FormatColorAttr(textFillColor);
        creationAttributes[ATTR_BOLD] = FormatInt(textBold);
        creationAttributes[ATTR_ITALIC] = FormatInt(textItalic);
        creationAttributes[ATTR_UNDERLINE] = FormatInt(textUnderline);
        return;
    }
    creationAttributes[ATTR_LINE_COLOR] = FormatColorAttr(shapeLineColor);
    // A curve gets its fill only when it is closed.
    if (kind == ToolValue(ToolKind::Ellipse) || kind == ToolValue(ToolKind::Rectangle))
        creationAttributes[ATTR_FILL_COLOR] = FormatColorAttr(shapeFillColor);
}

void CKorvaniView::ClearSelectionGroup()
{
    // The emptied group is no selection any more.
    if (SelectionIsGroup())
        selection = nullptr;
    EmptySelectionGroup();
}

void CKorvaniView::BeginImagePlacement(const std::string& workingFile, const std::string& imageType)
{
    BeginPlacement(ToolKind::PlaceImage);
    imagePath = workingFile;
    creationAttributes[ATTR_IMAGE_TYPE] = imageType;
}

void CKorvaniView::BeginFilePlacement(const std::string& workingFile)
{
    BeginPlacement(ToolKind::PlaceFile);
    placePath = workingFile;
}

void CKorvaniView::BeginPlacement(ToolKind kind)
{
    // A second import while placing still returns to the tool before the first.
    if (!IsPlacementTool(activeTool))
        previousTool = activeTool;
    // The tool change commits a curve under construction before this placement's attributes are set.
    SetTool(kind);
}
