#pragma once

#include <QPlainTextEdit>

namespace rt {

// A multi-line text box: plain text only. A paste, a middle-click paste or a drop that offers
// nothing (an X clipboard or selection nobody owns, a drop without a format) leaves the text as
// it is; one that offers text inserts it, as in any text box. Qt's base already refuses such data
// where it asks canInsertFromMimeData() (a drop, the context menu's Paste), but a keyboard or
// middle-click paste hands it straight to insertFromMimeData(), which in Qt 6.4 crashes on data
// without a single format: this class's insertFromMimeData() lets such data go.
class MultiLineTextBox : public QPlainTextEdit {
    Q_OBJECT

public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void insertFromMimeData(const QMimeData *source) override;
};

} // namespace rt
