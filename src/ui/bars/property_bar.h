#pragma once

// The bar that shows and edits the selection's position, size, dash style,
// line width and rotation, and the zoom of the view.

#include <QToolBar>

class CFlatComboBox;
class CKorvaniView;
class DrawItem;
class NumberEdit;

class PropertyBar : public QToolBar
{
    Q_OBJECT
public:
    explicit PropertyBar(QWidget* parent = nullptr);

    void SetView(CKorvaniView* view);
    // "0.0" in the position and size boxes, "0" for line width and angle,
    // a solid line, and the view's zoom.
    void ClearValues();
    // The item's bounds, line width and dash style; cleared for none.
    void ShowItem(DrawItem* item);
    void ShowZoom(float zoom);

    NumberEdit* XBox() const { return xBox; }
    NumberEdit* YBox() const { return yBox; }
    NumberEdit* WidthBox() const { return widthBox; }
    NumberEdit* HeightBox() const { return heightBox; }
    NumberEdit* LineWidthBox() const { return lineWidthBox; }
    NumberEdit* AngleBox() const { return angleBox; }
    NumberEdit* ZoomBox() const { return zoomBox; }
    CFlatComboBox* DashList() const { return dashList; }

private:
    // Enter in `box`, the box with the focus, hands its number to the view.
    void Apply(NumberEdit* box);

    CKorvaniView* view = nullptr;
    NumberEdit* xBox;
    NumberEdit* yBox;
    NumberEdit* widthBox;
    NumberEdit* heightBox;
    CFlatComboBox* dashList;
    NumberEdit* lineWidthBox;
    NumberEdit* angleBox;
    NumberEdit* zoomBox;
};
