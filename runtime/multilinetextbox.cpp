#include "multilinetextbox.h"

#include <QMimeData>

namespace rt {
namespace {

// An X clipboard or selection that nobody owns, or a drop from a program that offers no
// format, comes as data without a single format. Qt's own insertion reads the first format
// without looking, so such data never reaches it.
bool offersNothing(const QMimeData *source)
{
    return !source || source->formats().isEmpty();
}

} // namespace

MultiLineTextBox::MultiLineTextBox(QWidget *parent) : QPlainTextEdit(parent) {}

bool MultiLineTextBox::canInsertFromMimeData(const QMimeData *source) const
{
    return !offersNothing(source) && QPlainTextEdit::canInsertFromMimeData(source);
}

void MultiLineTextBox::insertFromMimeData(const QMimeData *source)
{
    if (!offersNothing(source))
        QPlainTextEdit::insertFromMimeData(source);
}

} // namespace rt
