#pragma once

#include <QComboBox>

// A combo box for a long list of increasing numbers, a book's positions. QComboBox measures
// every item for its size and lays out every row of its popup; this box measures only its
// last item, as wide as any other since the numbers only grow and digits are of one width,
// and its popup's rows are all of one height. Its size is the one QComboBox gives the same
// items.
class PositionBox : public QComboBox {
    Q_OBJECT

public:
    explicit PositionBox(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    int minimumTextWidth() const;
    QSize sizeForText(int width) const;
};
