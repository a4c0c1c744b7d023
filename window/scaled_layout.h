#pragma once

#include <QLayout>
#include <QRect>

#include <vector>

namespace quillmere {

// Places each control at its designed place times one factor, and draws the
// window's text and each control's own at their designed sizes times the same
// factor: the whole arrangement drawn smaller in proportion, so that a window
// too large for its screen keeps every control in reach. The window takes the
// drawing's size and no other.
class ScaledLayout final : public QLayout {
public:
    // The window's designed size, and its font as it is now, at 100 %.
    ScaledLayout(QWidget* window, QSize designedSize);
    ~ScaledLayout() override;

    // A control at its designed place; a font of its own, as it is now, is
    // its designed one.
    void addControl(QWidget* control, const QRect& designed);
    qreal scale() const { return scale_; }
    // Draws everything at the factor now, not at the next layout pass.
    void setScale(qreal factor);

    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;
    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;

private:
    struct Placement {
        QLayoutItem* item;
        QRect designed;
        qreal pointSize; // 0 where the control shows the window's font
    };

    int scaled(int designed) const;

    QSize designedSize_;
    qreal windowPointSize_;
    std::vector<Placement> placements_;
    qreal scale_ = 1;
};

} // namespace quillmere
