#include "ui/bars/bar_controls.h"

#include "ui/controls/bitmap_label.h"
#include "ui/controls/number_edit.h"
#include "ui/frame/resources.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {

constexpr int PictureSize = 20;

} // namespace

QFont BarFont()
{
    QFont font = QApplication::font();
    const QFont smallest = QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont);
    if (font.pointSizeF() > 0) {
        const qreal floor = smallest.pointSizeF() > 0 ? smallest.pointSizeF() : 7.0;
        font.setPointSizeF(std::max(floor, font.pointSizeF() * 0.9));
    } else if (font.pixelSize() > 0) {
        font.setPixelSize(std::max(9, font.pixelSize() * 9 / 10));
    }
    return font;
}

BitmapLabel* MakeIconLabel(const QString& pictureName, const QString& tip, QWidget* parent)
{
    EnsureUiResources();
    auto* label = new BitmapLabel(parent);
    const QIcon icon(QStringLiteral(":/icons/%1.svg").arg(pictureName));
    label->SetBitmap(icon.pixmap(QSize(PictureSize, PictureSize), parent ? parent->devicePixelRatioF() : 1.0));
    label->setFixedSize(PictureSize, PictureSize);
    label->setToolTip(tip);
    return label;
}

QLabel* MakeTextLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(BarFont());
    return label;
}

NumberEdit* MakeNumberBox(const QString& widest, const QString& tip, QWidget* parent)
{
    auto* box = new NumberEdit(parent);
    box->setFont(BarFont());
    box->setToolTip(tip);
    // The frame and margins the style draws around the text, as QLineEdit's own size hint adds them.
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const QSize text(box->fontMetrics().horizontalAdvance(widest) + 6, box->fontMetrics().height());
    box->setFixedWidth(box->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, box).width());
    return box;
}

int ZoomPercent(float zoom)
{
    const float percent = zoom * 100.0f;
    return int(percent);
}
