#pragma once

// SVG 1.1 text of what a painter drew: paths with their fill rule, outlines
// with the pen's width, caps, joins and dashes, linear gradients with their
// stops, spread and transform, and pictures as embedded PNG. Numbers are
// written in the C locale with a fixed number of decimals and ids are counted,
// so one drawing always gives the same bytes.

#include "export/paint_capture.h"

#include <QString>

#include <string>
#include <unordered_map>

class SvgWriter
{
public:
    std::string& Out() { return out; }

    // Writes the calls of one item; a fill followed by an outline of the same
    // path becomes one element.
    void Calls(const std::vector<CapturedCall>& calls);
    void Path(const QPainterPath& path, const QBrush& fill, const QPen& stroke, const QTransform& transform,
              qreal opacity);
    void PathData(const QPainterPath& path);
    void Image(const QImage& image, const QRectF& target, const QTransform& transform, qreal opacity);

    // The paint attributes of an element in the user space `space` (device =
    // user * space) for a fill and a pen given in device space under
    // `paintSpace`; writes the gradient definitions they need first, so call
    // it before opening the element and append what it returns.
    // The painter's opacity applies to fill and outline each.
    std::string Paint(const QBrush& fill, Qt::FillRule rule, const QPen& stroke, const QTransform& paintSpace,
                      const QTransform& space, qreal opacity);

    // Up to `decimals` decimals, trailing zeros dropped, never "-0".
    void Number(double value, int decimals = 3);
    static void Number(std::string& to, double value, int decimals = 3);
    // Text escaped for an attribute value or element content; characters XML
    // cannot hold are left out.
    void Escaped(const QString& text);
    static void Escaped(std::string& to, const QString& text);
    // ` transform="matrix(...)"`, nothing for the identity.
    void TransformAttribute(const QTransform& t);
    static void Matrix(std::string& to, const QTransform& t);

private:
    // The paint value of one brush: a colour, url(#id) of a gradient written now, or none.
    // alpha: the colour's opacity, 1 for a gradient (its stops carry theirs).
    std::string BrushValue(const QBrush& brush, const QTransform& toUser, double& alpha);
    std::string ImageData(const QImage& image);

    std::string out;
    int nextId = 1;
    // Pictures drawn more than once are encoded once.
    std::unordered_map<qint64, std::string> imageData;
};
