#include "scaled_layout.h"

#include <QWidget>

namespace quillmere {

ScaledLayout::ScaledLayout(QWidget* window, QSize designedSize)
    : QLayout(window),
      designedSize_(designedSize),
      windowPointSize_(window->font().pointSizeF())
{
    setContentsMargins(0, 0, 0, 0);
    setSizeConstraint(QLayout::SetFixedSize);
}

ScaledLayout::~ScaledLayout()
{
    for (const Placement& placement : placements_)
        delete placement.item;
}

void ScaledLayout::addControl(QWidget* control, const QRect& designed)
{
    addChildWidget(control);
    const qreal ownPointSize = control->testAttribute(Qt::WA_SetFont) ? control->font().pointSizeF() : 0;
    placements_.push_back({new QWidgetItem(control), designed, ownPointSize});
    invalidate();
}

int ScaledLayout::scaled(int designed) const
{
    return qRound(designed * scale_);
}

void ScaledLayout::setScale(qreal factor)
{
    scale_ = factor;
    const auto scaledFont = [factor](QFont font, qreal pointSize) {
        font.setPointSizeF(pointSize * factor);
        return font;
    };
    parentWidget()->setFont(scaledFont(parentWidget()->font(), windowPointSize_));
    for (const Placement& placement : placements_) {
        if (placement.pointSize > 0)
            placement.item->widget()->setFont(scaledFont(placement.item->widget()->font(), placement.pointSize));
    }
    invalidate();
    activate();
}

QSize ScaledLayout::sizeHint() const
{
    return {scaled(designedSize_.width()), scaled(designedSize_.height())};
}

QSize ScaledLayout::minimumSize() const
{
    return sizeHint();
}

void ScaledLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    for (const auto& [item, designed, pointSize] : placements_) {
        // Each edge is scaled, not the size: neighbours keep their gaps.
        const QPoint topLeft(scaled(designed.left()), scaled(designed.top()));
        const QPoint bottomRight(scaled(designed.left() + designed.width()) - 1, scaled(designed.top() + designed.height()) - 1);
        // A control fills its place, whatever size its own policy would keep to.
        if (QWidget* control = item->widget())
            control->setGeometry(QRect(topLeft, bottomRight).translated(rect.topLeft()));
    }
}

void ScaledLayout::addItem(QLayoutItem* item)
{
    // Every control comes with its designed place, through addControl.
    placements_.push_back({item, QRect(), 0});
}

QLayoutItem* ScaledLayout::itemAt(int index) const
{
    return index >= 0 && index < count() ? placements_[std::size_t(index)].item : nullptr;
}

QLayoutItem* ScaledLayout::takeAt(int index)
{
    if (index < 0 || index >= count())
        return nullptr;
    QLayoutItem* item = placements_[std::size_t(index)].item;
    placements_.erase(placements_.begin() + index);
    return item;
}

int ScaledLayout::count() const
{
    return int(placements_.size());
}

} // namespace quillmere
