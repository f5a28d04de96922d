#pragma once

#include <QPlainTextEdit>

namespace rt {

// A multi-line text box: plain text only. A paste, a middle-click paste or a drop that offers
// nothing leaves the text as it is; one that offers text inserts it, as in any text box.
class MultiLineTextBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit MultiLineTextBox(QWidget *parent = nullptr);

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
};

} // namespace rt
