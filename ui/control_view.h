#pragma once

#include <QWidget>
#include <functional>
#include <string_view>
#include <vector>

#include "game/controls.h"
#include "game/machine.h"
#include "ui/layout_scale.h"
#include "ui/table_layout.h"

namespace quillon::ui {

class Artwork;
class FrameWidget;
class LabelWidget;
class PictureWidget;

// The widgets of the table window, one for each control of the layout, created in the layout's
// stacking order inside their containers. render() shows the model: it compares each control
// with what it showed last and touches only the widgets whose control changed. A control of the
// model with no place in the layout, or a layout entry the model lacks, stops the window from
// being built.
class ControlView {
  public:
    ControlView(QWidget& window, Artwork& artwork, std::function<void(Button)> on_click);

    void render(const Controls& controls);

    // Lays every widget out again at another scale; the window sizes itself.
    void set_scale(LayoutScale scale);
    LayoutScale scale() const { return scale_; }

    // The widget of a control, or null; for tests and tools.
    QWidget* widget(std::string_view name, int index = -1) const;

  private:
    struct Entry {
        const ControlLayout* layout = nullptr;
        const ControlSpec* row = nullptr;  // the control's row in the table of controls
        LabelWidget* label = nullptr;
        PictureWidget* picture = nullptr;
        FrameWidget* frame = nullptr;
        // What the widget shows now.
        Label shown_label;
        Picture shown_picture;
        Frame shown_frame;
    };

    void build(QWidget& window, Artwork& artwork, const std::function<void(Button)>& on_click);
    void show_picture(Entry& entry, const Picture& picture) const;

    std::vector<Entry> entries_;
    WindowBox shown_window_;
    QWidget& window_;
    LayoutScale scale_;
};

}  // namespace quillon::ui
