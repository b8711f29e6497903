#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace ui {

// A horizontal line drawn in one colour and width, the way the About window
// draws its etched separator from two of them. The colour holds on a light
// face; on a darker one the line takes the palette's own shade for that edge
// (`role`), so that it neither glares nor vanishes.
class SeparatorLine : public QWidget {
public:
    SeparatorLine(QWidget* parent, const QColor& colour, QPalette::ColorRole role, int widthPixels);

    // Places the line from x1 to x2 at height y, in twips of the parent.
    void SetTwips(int x1, int y, int x2);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
    QPalette::ColorRole role_;
    int width_;
};

}  // namespace ui
