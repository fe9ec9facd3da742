#include "ui/frame_widget.h"

#include <QPainter>

#include "ui/design_units.h"

namespace quillon::ui {

FrameWidget::FrameWidget(const ControlLayout& layout, QWidget* parent)
    : QWidget(parent), twips_(layout.left, layout.top, layout.width, layout.height) {
    setObjectName(caption_text(layout.name));
    set_scale(LayoutScale());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setVisible(layout.visible);
}

void FrameWidget::set_scale(LayoutScale scale) {
    setGeometry(scale.rect(twips_.x(), twips_.y(), twips_.width(), twips_.height()));
}

void FrameWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), to_qcolor(colors::table));
    // The etched line: a shadow, and a highlight one pixel below and to the right.
    const QRect line = rect().adjusted(0, 0, -2, -2);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(line);
    p.setPen(QColor(0xFF, 0xFF, 0xFF));
    p.drawRect(line.translated(1, 1));
}

}  // namespace quillon::ui
