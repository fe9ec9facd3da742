#include "ui/label_widget.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "ui/design_units.h"

namespace quillon::ui {

namespace {

// A disabled caption is grey text, as the platform greys it, engraved by a faint highlight one
// pixel below and to the right. The highlight is mostly see-through: at full white it outshines
// the grey on a dark background, and thin strokes then read as enabled.
const QColor kGreyText(0x80, 0x80, 0x80);
const QColor kEngraveHighlight(0xFF, 0xFF, 0xFF, 0x40);
const QColor kBorder(0x00, 0x00, 0x00);

Qt::Alignment horizontal(Align align) {
    switch (align) {
        case Align::center:
            return Qt::AlignHCenter;
        case Align::right:
            return Qt::AlignRight;
        case Align::left:
            break;
    }
    return Qt::AlignLeft;
}

// The distance between the lines of a caption. The stand-in fonts are taller than the faces the
// table was designed with (C059 by a fifth against Century), which would push a wrapped
// button caption out of its button; lines sit no further apart than 1.2 times the font size.
int line_pitch(const QFont& font) {
    const int design = static_cast<int>(std::lround(font.pixelSize() * 1.2));
    return std::min(QFontMetrics(font).lineSpacing(), design);
}

// Draws a caption from the top of `area`, word-wrapped to its width unless `wrap` is false.
void draw_caption(QPainter& p, const QRect& area, const QString& caption, Qt::Alignment align,
                  bool wrap) {
    QString text = caption;
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, p.font());
    QTextOption option(align);
    option.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    const int pitch = line_pitch(p.font());
    layout.beginLayout();
    int y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(area.width());
        line.setPosition(QPointF(0, y));
        y += pitch;
    }
    layout.endLayout();
    layout.draw(&p, area.topLeft());
}

}  // namespace

LabelWidget::LabelWidget(const ControlLayout& layout, QWidget* parent, LayoutScale scale)
    : QWidget(parent), layout_(layout) {
    setObjectName(layout.index >= 0
                      ? QStringLiteral("%1(%2)").arg(caption_text(layout.name)).arg(layout.index)
                      : caption_text(layout.name));
    set_scale(scale);
    // Only buttons take the mouse; any other label lets clicks through to what lies below.
    setAttribute(Qt::WA_TransparentForMouseEvents, !layout.clickable);
    setAttribute(Qt::WA_OpaquePaintEvent, !layout.transparent);
    // A new child is neither shown nor hidden yet; say which, so that apply() can compare.
    setVisible(layout.visible);
    apply(Label{std::string(layout.caption), layout.visible, layout.enabled, layout.fore,
                layout.back});
}

void LabelWidget::set_scale(LayoutScale scale) {
    setGeometry(scale.rect(layout_.left, layout_.top, layout_.width, layout_.height));
    setFont(scale.font(layout_.font));
    fit_caption();  // the font may be the same, the box is the layout's again
}

void LabelWidget::apply(const Label& label) {
    const QString caption = caption_text(label.caption);
    const QColor fore = to_qcolor(label.fore);
    const QColor back = to_qcolor(label.back);
    const bool repaint = caption != caption_ || fore != fore_ || back != back_;
    if (caption != caption_) {
        caption_ = caption;
        fit_caption();
    }
    fore_ = fore;
    back_ = back;
    if (label.enabled != isEnabled()) {
        setEnabled(label.enabled);  // repaints by itself
        pressed_ = false;
    } else if (repaint) {
        update();
    }
    if (label.visible != !isHidden()) {
        setVisible(label.visible);
    }
}

void LabelWidget::fit_caption() {
    if (!layout_.auto_size) {
        return;
    }
    const QFontMetrics metrics(font());
    const QStringList lines = caption_.split(QLatin1Char('\n'));
    int width = 0;
    for (const QString& line : lines) {
        width = std::max(width, metrics.horizontalAdvance(line));
    }
    const int height =
        metrics.height() + metrics.lineSpacing() * (static_cast<int>(lines.size()) - 1);
    const int frame = layout_.border ? 2 : 0;
    resize(width + frame, height + frame);
}

void LabelWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        fit_caption();
    }
}

void LabelWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QRect area = rect();
    if (!layout_.transparent) {
        p.fillRect(area, back_);
    }
    if (layout_.border) {
        p.setPen(kBorder);
        p.drawRect(area.adjusted(0, 0, -1, -1));
        area.adjust(1, 1, -1, -1);
    }
    const Qt::Alignment align = horizontal(layout_.align);
    const bool wrap = !layout_.auto_size;
    p.setFont(font());
    p.setClipRect(area);
    if (isEnabled()) {
        p.setPen(fore_);
        draw_caption(p, area, caption_, align, wrap);
    } else {
        p.setPen(kEngraveHighlight);
        draw_caption(p, area.translated(1, 1), caption_, align, wrap);
        p.setPen(kGreyText);
        draw_caption(p, area, caption_, align, wrap);
    }
}

void LabelWidget::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void LabelWidget::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) {
        emit clicked();
    }
}

void LabelWidget::mouseDoubleClickEvent(QMouseEvent*) {
    // The second press of a double click is no click: the labels the table was designed with
    // raise a click and then a double-click event, never two clicks, and no button of the table
    // answers a double click. So a double click on DEAL deals, and the DRAW that takes its place
    // under the mouse does not draw before the player has held a card.
    pressed_ = false;
}

}  // namespace quillon::ui
