#pragma once

#include <QWidget>

#include "ui/layout_scale.h"
#include "ui/table_layout.h"

namespace quillon::ui {

// A frame: a container in the table's colour with an etched border; its children move and hide
// with it.
class FrameWidget final : public QWidget {
    Q_OBJECT
  public:
    FrameWidget(const ControlLayout& layout, QWidget* parent);

    void set_scale(LayoutScale scale);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect twips_;
};

}  // namespace quillon::ui
