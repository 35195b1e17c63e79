#pragma once

#include <QWidget>

class QSvgRenderer;

// One of the 100 x 100 reaction pictures, or a plain fill where none is shown.
class ReactionPicture : public QWidget {
    Q_OBJECT

public:
    enum class Person { Man, Woman };

    ReactionPicture(Person person, QWidget *parent = nullptr);

    // Picture `index`, 0 (dismay) to 7 (triumph), drawn over black.
    void showPicture(int index);
    // No picture: the area filled with `colour`.
    void showFill(const QColor &colour);
    int picture() const { return m_index; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Person m_person;
    QSvgRenderer *m_renderer;
    QColor m_fill;
    int m_index = -1;
};
