#include "ui/frame/host_mapping.h"

#include <string>
#include <vector>

Qt::CursorShape CursorShapeFor(int cursorId)
{
    switch (cursorId) {
    case CursorEllipse:
    case CursorBezier:
    case CursorLine:
    case CursorRectangle:
    case CursorDoodle:
    case CursorPlace:
    case CursorGradient:
    case CursorZoomIn:
    case CursorZoomOut:
        // Drawing and aiming at a point.
        return Qt::CrossCursor;
    case CursorEdit: return Qt::ArrowCursor;
    case CursorEditNode: return Qt::PointingHandCursor;
    case CursorSizeWestEast: return Qt::SizeHorCursor;
    case CursorSizeNorthSouth: return Qt::SizeVerCursor;
    case CursorSizeNorthEastSouthWest: return Qt::SizeBDiagCursor;
    case CursorSizeNorthWestSouthEast: return Qt::SizeFDiagCursor;
    case CursorMove: return Qt::SizeAllCursor;
    case CursorRotate: return Qt::CrossCursor;
    case CursorRotateCentre: return Qt::PointingHandCursor;
    case CursorHand: return Qt::OpenHandCursor;
    case CursorTextInsertion: return Qt::IBeamCursor;
    case CursorArrow:
    default: return Qt::ArrowCursor;
    }
}

namespace {

std::vector<std::string_view> SplitBars(std::string_view text)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t bar = text.find('|', start);
        const std::size_t end = bar == std::string_view::npos ? text.size() : bar;
        parts.push_back(text.substr(start, end - start));
        if (bar == std::string_view::npos)
            break;
        start = bar + 1;
    }
    return parts;
}

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

QStringList NameFiltersFor(std::string_view filter)
{
    // Pairs of description and patterns; an empty description ends the list.
    const std::vector<std::string_view> parts = SplitBars(filter);
    QStringList filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = FromUtf8(parts[i]).trimmed();
        if (description.isEmpty())
            break;
        QStringList patterns;
        for (const QString& pattern : FromUtf8(parts[i + 1]).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            if (!trimmed.isEmpty())
                patterns << trimmed;
        }
        if (patterns.isEmpty())
            continue;
        // Qt reads the patterns from the last parentheses. A description
        // that already ends with them ("Png File(*.png)") is shown as it is,
        // not with the patterns twice; one that holds others gets its own.
        const QString shown = QLatin1Char('(') + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
        filters << (description.endsWith(shown) ? description : description + QLatin1Char(' ') + shown);
    }
    return filters;
}

int NameFilterIndex(const QStringList& filters, const QString& chosen)
{
    const qsizetype index = filters.indexOf(chosen);
    return index < 0 ? 0 : int(index);
}

QMessageBox::Icon MessageBoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Stop: return QMessageBox::Critical;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons MessageBoxButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

MessageAnswer AnswerForButton(QMessageBox::StandardButton clicked, MessageButtons buttons)
{
    const QMessageBox::StandardButtons offered = MessageBoxButtons(buttons);
    if (offered.testFlag(clicked)) {
        switch (clicked) {
        case QMessageBox::Ok: return MessageAnswer::Ok;
        case QMessageBox::Cancel: return MessageAnswer::Cancel;
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        default: break;
        }
    }
    if (offered.testFlag(QMessageBox::Cancel))
        return MessageAnswer::Cancel;
    if (offered.testFlag(QMessageBox::No))
        return MessageAnswer::No;
    return MessageAnswer::Ok;
}
