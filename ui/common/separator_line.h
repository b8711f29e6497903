#pragma once

#include <QColor>
#include <QWidget>

namespace ui {

// A horizontal line drawn in one colour and width, the way the About window
// draws its etched separator from two of them.
class SeparatorLine : public QWidget {
public:
    SeparatorLine(QWidget* parent, const QColor& colour, int widthPixels);

    // Places the line from x1 to x2 at height y, in twips of the parent.
    void SetTwips(int x1, int y, int x2);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
    int width_;
};

}  // namespace ui
