#include "ui/controls/number_edit.h"

#include <QKeyEvent>
#include <QMessageBox>

#include <cmath>

namespace {

bool IsExponent(QChar c)
{
    return c == u'e' || c == u'E';
}

bool HasExponent(QStringView text)
{
    return text.contains(u'e', Qt::CaseInsensitive);
}

} // namespace

bool NumberCharAccepted(const QString& text, int caret, QChar c)
{
    caret = std::clamp(caret, 0, int(text.size()));
    if (c == u'\b' || (c >= u'0' && c <= u'9'))
        return true;
    if (c == u'-') {
        if (caret == 0)
            return !text.startsWith(u'-');
        return IsExponent(text[caret - 1]);
    }
    if (IsExponent(c)) {
        if (caret == 0 || (caret == 1 && text[0] == u'-'))
            return false;
        return !HasExponent(text);
    }
    if (c == u'.')
        return !text.contains(u'.') && !HasExponent(QStringView(text).left(caret));
    return false;
}

bool NumberEditAccepted(const QString& before, const QString& after)
{
    // The changed middle: what lies between the common start and the common end.
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;

    QString text = before.left(head) + before.right(tail);
    int caret = int(head);
    for (qsizetype i = head; i < after.size() - tail; ++i) {
        if (!NumberCharAccepted(text, caret, after[i]))
            return false;
        text.insert(caret++, after[i]);
    }
    return true;
}

std::optional<double> ParseNumber(const QString& text)
{
    // QString::toDouble reads the C locale whatever the user's locale is.
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QValidator::State NumberValidator::validate(QString& input, int&) const
{
    if (!NumberEditAccepted(shown, input))
        return Invalid;
    return ParseNumber(input) ? Acceptable : Intermediate;
}

NumberEdit::NumberEdit(QWidget* parent) : QLineEdit(parent), validator(new NumberValidator(this))
{
    setValidator(validator);
    connect(this, &QLineEdit::textChanged, validator, &NumberValidator::SetShown);
}

void NumberEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit EnterPressed();
    QLineEdit::keyPressEvent(event);
}

std::optional<double> ReadNumberBox(NumberEdit* box, const QString& boxName)
{
    if (std::optional<double> value = box->Value())
        return value;
    QMessageBox::warning(box->window(), box->window()->windowTitle(),
                         QObject::tr("Please enter a number in the %1 box.").arg(boxName));
    box->setFocus();
    box->selectAll();
    return std::nullopt;
}
