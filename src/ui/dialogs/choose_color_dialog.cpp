#include "ui/dialogs/choose_color_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QRgb ToQRgb(Rgb c)
{
    return qRgb(c.red, c.green, c.blue);
}

} // namespace

// --- the field ---

SpectrumField::SpectrumField(QWidget* parent) : QWidget(parent)
{
    setFixedSize(226, 182);
    setCursor(Qt::CrossCursor);
}

void SpectrumField::resizeEvent(QResizeEvent*)
{
    spectrum = QImage(size(), QImage::Format_RGB32);
    const int w = width(), h = height();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(spectrum.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = ToQRgb(HlsToRgb(FieldPick(size(), {x, y}, 120)));
    }
}

void SpectrumField::SetMarker(QPoint point)
{
    marker = point;
    update();
}

QRgb SpectrumField::ColorAtMarker() const
{
    // From the model, not the picture: the picture is made when the field is first laid out.
    return ToQRgb(HlsToRgb(FieldPick(size(), marker, 120)));
}

void SpectrumField::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, spectrum);
    // A cross of four short arms around the marker; an arm that would leave the field is left out.
    painter.setPen(Qt::black);
    const int x = marker.x(), y = marker.y();
    if (x - 6 >= 0)
        painter.drawLine(x - 6, y, x - 2, y);
    if (x + 6 < width())
        painter.drawLine(x + 2, y, x + 6, y);
    if (y - 6 >= 0)
        painter.drawLine(x, y - 6, x, y - 2);
    if (y + 6 < height())
        painter.drawLine(x, y + 2, x, y + 6);
}

void SpectrumField::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit Picked(event->position().toPoint());
}

void SpectrumField::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if ((event->buttons() & Qt::LeftButton) && rect().contains(p))
        emit Picked(p);
}

// --- the bar ---

LightnessBar::LightnessBar(QWidget* parent) : QWidget(parent)
{
    setFixedSize(16, 182);
}

void LightnessBar::SetBase(QRgb color)
{
    base = color;
    update();
}

void LightnessBar::SetMarkerY(int y)
{
    markerY = y;
    update();
}

void LightnessBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int w = width(), h = height();
    QLinearGradient upper(0, 0, 0, h / 2.0);
    upper.setColorAt(0, Qt::white);
    upper.setColorAt(1, QColor::fromRgb(base));
    painter.fillRect(0, 0, w, h / 2, upper);
    QLinearGradient lower(0, h / 2.0, 0, h);
    lower.setColorAt(0, QColor::fromRgb(base));
    lower.setColorAt(1, Qt::black);
    painter.fillRect(0, h / 2, w, h - h / 2, lower);
    painter.fillRect(0, markerY - 3, w, 6, Qt::black);
    painter.fillRect(0, markerY - 2, w, 4, Qt::white);
}

void LightnessBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit Picked(event->position().toPoint().y());
}

void LightnessBar::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if ((event->buttons() & Qt::LeftButton) && rect().contains(p))
        emit Picked(p.y());
}

// --- the swatch ---

ColourSwatch::ColourSwatch(QWidget* parent) : QWidget(parent)
{
    setFixedSize(66, 44);
}

void ColourSwatch::SetColor(ArgbColor c)
{
    color = c;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int w = width(), h = height(), cw = w / 3, ch = h / 2;
    painter.fillRect(rect(), Qt::white);
    const QColor grey = QColor::fromRgba(0xFFDFDFDF);
    painter.fillRect(cw, 0, cw, ch, grey);
    painter.fillRect(0, ch, cw, h - ch, grey);
    painter.fillRect(2 * cw, ch, w - 2 * cw, h - ch, grey);
    painter.fillRect(rect(), QColor::fromRgba(color));
}

// --- the dialog ---

ChooseColorDialog::ChooseColorDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Choose Color"));
    field = new SpectrumField(this);
    bar = new LightnessBar(this);
    swatch = new ColourSwatch(this);

    auto* numbers = new QGridLayout;
    const char* names[4] = {"R:", "G:", "B:", "A:"};
    for (int i = 0; i < 4; ++i) {
        boxes[i] = new QLineEdit(this);
        boxes[i]->setValidator(new QIntValidator(0, 255, boxes[i]));
        boxes[i]->setMaximumWidth(48);
        numbers->addWidget(new QLabel(tr(names[i]), this), i, 0);
        numbers->addWidget(boxes[i], i, 1);
        numbers->addWidget(new QLabel(tr("(0-255)"), this), i, 2);
        connect(boxes[i], &QLineEdit::textEdited, this, [this, i] { BoxesEdited(i); });
    }
    hexBox = new QLineEdit(this);
    hexBox->setMaximumWidth(80);
    connect(hexBox, &QLineEdit::textEdited, this, &ChooseColorDialog::HexEdited);
    numbers->addWidget(hexBox, 4, 0, 1, 3);

    pickButton = new QPushButton(tr("Pick"), this);
    pickButton->setEnabled(false);
    connect(pickButton, &QPushButton::clicked, this, &ChooseColorDialog::PickFromScreen);
    auto* transparent = new QPushButton(tr("Transparent"), this);
    connect(transparent, &QPushButton::clicked, this, &ChooseColorDialog::Transparent);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Ok"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ChooseColorDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ChooseColorDialog::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(swatch);
    side->addLayout(numbers);
    side->addWidget(pickButton);
    side->addWidget(transparent);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(field);
    top->addWidget(bar);
    top->addLayout(side);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(buttons);

    connect(field, &SpectrumField::Picked, this, &ChooseColorDialog::FieldPicked);
    connect(bar, &LightnessBar::Picked, this, &ChooseColorDialog::BarPicked);
    Refresh();
}

void ChooseColorDialog::SetColor(ArgbColor color)
{
    alpha = int(color >> 24);
    red = int((color >> 16) & 0xFF);
    green = int((color >> 8) & 0xFF);
    blue = int(color & 0xFF);
    FromRgb();
}

ArgbColor ChooseColorDialog::Color() const
{
    return ArgbColor(alpha) << 24 | ArgbColor(red) << 16 | ArgbColor(green) << 8 | ArgbColor(blue);
}

void ChooseColorDialog::SetPicker(Picker p)
{
    picker = std::move(p);
    pickButton->setEnabled(bool(picker));
}

void ChooseColorDialog::FromRgb()
{
    hls = RgbToHls({red, green, blue});
    hexText = HexText({red, green, blue});
    Refresh();
}

void ChooseColorDialog::Refresh()
{
    refreshing = true;
    const int values[4] = {red, green, blue, alpha};
    for (int i = 0; i < 4; ++i) {
        const QString text = QString::number(values[i]);
        if (boxes[i]->text() != text && i != editingBox)
            boxes[i]->setText(text); // the box being typed in keeps its text as typed
    }
    if (hexBox->text().toStdString() != hexText) {
        const int caret = hexBox->cursorPosition();
        hexBox->setText(QString::fromStdString(hexText));
        hexBox->setCursorPosition(caret);
    }
    field->SetMarker(FieldMarker(field->size(), hls.hue, hls.saturation));
    bar->SetBase(field->ColorAtMarker());
    bar->SetMarkerY(BarMarkerY(bar->height(), hls.lightness));
    swatch->SetColor(Color());
    refreshing = false;
}

bool ChooseColorDialog::ReadBoxes(bool complain)
{
    const char* names[4] = {"R", "G", "B", "A"};
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = boxes[i]->text().toInt(&ok);
        if (!ok || values[i] < 0 || values[i] > 255) {
            if (complain) {
                QMessageBox::warning(this, windowTitle(),
                                     tr("Please enter an integer between 0 and 255 in the %1 box.").arg(names[i]));
                boxes[i]->setFocus();
                boxes[i]->selectAll();
            }
            return false;
        }
    }
    red = values[0];
    green = values[1];
    blue = values[2];
    alpha = values[3];
    return true;
}

void ChooseColorDialog::FieldPicked(QPoint point)
{
    ReadBoxes(false);
    const Hls picked = FieldPick(field->size(), point, hls.lightness);
    hls.hue = picked.hue;
    hls.saturation = picked.saturation;
    FromHls();
}

void ChooseColorDialog::BarPicked(int y)
{
    ReadBoxes(false);
    hls.lightness = BarPick(bar->height(), y);
    FromHls();
}

void ChooseColorDialog::FromHls()
{
    const Rgb c = HlsToRgb(hls);
    SetRgb(c);
    hexText = HexText(c);
    Refresh();
}

void ChooseColorDialog::SetRgb(Rgb c)
{
    red = c.red;
    green = c.green;
    blue = c.blue;
}

void ChooseColorDialog::BoxesEdited(int box)
{
    if (refreshing || !ReadBoxes(false))
        return; // an empty box is still being typed
    editingBox = box;
    FromRgb();
    editingBox = -1;
}

void ChooseColorDialog::HexEdited(const QString& text)
{
    if (refreshing)
        return;
    const HexEdit edit = ApplyHexEdit(hexText, text.toStdString(), hexBox->cursorPosition());
    if (edit.beep)
        QApplication::beep();
    hexText = edit.text;
    refreshing = true;
    hexBox->setText(QString::fromStdString(hexText));
    hexBox->setCursorPosition(edit.caret);
    refreshing = false;
    const Rgb c = ParseHexText(hexText);
    SetRgb(c);
    hls = RgbToHls(c);
    Refresh();
}

void ChooseColorDialog::PickFromScreen()
{
    if (!picker)
        return;
    if (const std::optional<Rgb> c = picker()) {
        SetRgb(*c);
        alpha = 255;
        FromRgb();
    }
}

void ChooseColorDialog::accept()
{
    if (!ReadBoxes(true))
        return;
    QDialog::accept();
}

void ChooseColorDialog::Transparent()
{
    if (!ReadBoxes(true))
        return;
    QDialog::accept();
    alpha = 0;
}
