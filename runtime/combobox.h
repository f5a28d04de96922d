#pragma once

#include <QComboBox>

namespace rt {

// A drop-down combo box whose dropped list shows every entry whole: the list is as wide as its
// widest entry, and never narrower than the box. The box itself keeps its size and place.
class ComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit ComboBox(QWidget *parent = nullptr);

    void showPopup() override;

private:
    // The width the dropped list needs to show every entry whole, frame and scroll bar included.
    int listWidthHint() const;
};

} // namespace rt
