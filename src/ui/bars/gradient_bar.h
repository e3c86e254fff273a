#pragma once

// The bar of the gradient tools: the angle of the gradient being edited,
// the position of its current stop, its wrap mode, and the stop's colour.

#include <QToolBar>

class CFlatComboBox;
class CKorvaniView;
class NumberEdit;
class QAction;

class GradientBar : public QToolBar
{
    Q_OBJECT
public:
    explicit GradientBar(QWidget* parent = nullptr);

    void SetView(CKorvaniView* view);
    // Position in per cent and angle in degrees, truncated; wrap 0 tile, 1 flip.
    void ShowGradient(int position, int angle, int wrapMode);

    NumberEdit* AngleBox() const { return angleBox; }
    NumberEdit* PositionBox() const { return positionBox; }
    CFlatComboBox* WrapList() const { return wrapList; }
    QAction* StopColorAction() const { return stopColor; }

private:
    void Apply(NumberEdit* box);

    CKorvaniView* view = nullptr;
    NumberEdit* angleBox;
    NumberEdit* positionBox;
    CFlatComboBox* wrapList;
    QAction* stopColor;
};
