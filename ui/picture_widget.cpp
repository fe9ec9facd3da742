#include "ui/picture_widget.h"

#include <QPainter>

#include "ui/artwork.h"

namespace quillon::ui {

PictureWidget::PictureWidget(QString art, const QRect& geometry, Artwork& artwork, QWidget* parent)
    : QWidget(parent), art_(std::move(art)), artwork_(artwork) {
    setGeometry(geometry);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The pixmap carries the screen's pixel ratio: drawn at the widget's logical size, it maps
    // one to one onto device pixels.
    p.drawPixmap(0, 0, artwork_.pixmap(art_, size(), devicePixelRatioF()));
}

}  // namespace quillon::ui
