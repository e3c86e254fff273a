#pragma once

// The bar that edits the font name, size, bold, italic and underline of
// the selected text item and of new text.

#include <QToolBar>

class CKorvaniView;
class DrawItem;
class FontNameBox;
class FontSizeBox;
class QAction;

class TextBar : public QToolBar
{
    Q_OBJECT
public:
    explicit TextBar(QWidget* parent = nullptr);

    void SetView(CKorvaniView* view);
    // The font and size of a text item; other items are ignored.
    void ShowItem(DrawItem* item);
    // The B, I and U buttons' check marks as the view has them.
    void RefreshStyleButtons();

    FontNameBox* NameBox() const { return nameBox; }
    FontSizeBox* SizeBox() const { return sizeBox; }
    // By command id: 32836 bold, 32837 italic, 32838 underline.
    QAction* StyleAction(int commandId) const;

private:
    CKorvaniView* view = nullptr;
    FontNameBox* nameBox;
    FontSizeBox* sizeBox;
};
