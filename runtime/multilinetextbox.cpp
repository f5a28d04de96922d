#include "multilinetextbox.h"

#include <QMimeData>

namespace rt {

void MultiLineTextBox::insertFromMimeData(const QMimeData *source)
{
    if (source && !source->formats().isEmpty())
        QPlainTextEdit::insertFromMimeData(source);
}

} // namespace rt
