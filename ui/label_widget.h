#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include "game/controls.h"
#include "ui/layout_scale.h"
#include "ui/table_layout.h"

namespace quillon::ui {

// One label of a window, drawn as the design's label control draws: its background unless
// transparent, an optional single-line border, the caption word-wrapped from the top in its
// alignment, grey with a faint engraving while disabled. An auto-size label takes its caption's
// size (in its font of the moment) and keeps its top-left corner. A clickable label reports a click
// (press and release on it with the left button) while enabled, the second press of a double
// click excepted; a disabled widget gets no mouse events at all.
class LabelWidget final : public QWidget {
    Q_OBJECT
  public:
    LabelWidget(const ControlLayout& layout, QWidget* parent, LayoutScale scale = LayoutScale());

    // Places and sizes the label, and its font, at another scale of the layout.
    void set_scale(LayoutScale scale);

    // Shows the model's state of the label.
    void apply(const Label& label);

    const QString& caption() const { return caption_; }
    QColor fore() const { return fore_; }
    QColor back() const { return back_; }
    const ControlLayout& layout() const { return layout_; }

  signals:
    void clicked();

  protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void fit_caption();

    ControlLayout layout_;
    QString caption_;
    QColor fore_;
    QColor back_;
    bool pressed_ = false;
};

}  // namespace quillon::ui
