#include "ui/control_view.h"

#include <stdexcept>
#include <string>

#include "ui/artwork.h"
#include "ui/design_units.h"
#include "ui/frame_widget.h"
#include "ui/label_widget.h"
#include "ui/picture_widget.h"

namespace quillon::ui {

namespace {

bool same(const Label& a, const Label& b) {
    return a.caption == b.caption && a.visible == b.visible && a.enabled == b.enabled &&
           a.fore == b.fore && a.back == b.back;
}

}  // namespace

ControlView::ControlView(QWidget& window, Artwork& artwork, std::function<void(Button)> on_click)
    : window_(window) {
    build(window, artwork, on_click);
}

void ControlView::build(QWidget& window, Artwork& artwork,
                        const std::function<void(Button)>& on_click) {
    const Controls model = Controls::at_startup();
    std::array<QWidget*, 4> containers = {&window, nullptr, nullptr, nullptr};
    const std::span<const ControlLayout> layout = table_layout();
    entries_.reserve(layout.size());
    for (const ControlLayout& c : layout) {
        const ConstControlRef ref = find_control(model, c.name, c.index);
        if (!ref.found() || kind_of(*ref.entry) != c.kind) {
            throw std::logic_error("the layout places " + std::string(c.name) + "(" +
                                   std::to_string(c.index) + "), which the model lacks");
        }
        QWidget* parent = containers[static_cast<std::size_t>(c.container)];
        Entry e;
        e.layout = &c;
        e.row = ref.entry;
        if (ref.frame != nullptr) {
            e.frame = new FrameWidget(c, parent);
            e.frame->setVisible(ref.frame->visible);
            e.shown_frame = *ref.frame;
            if (c.name == "Frame1") {
                containers[static_cast<std::size_t>(Container::Frame1)] = e.frame;
            } else if (c.name == "Frame2") {
                containers[static_cast<std::size_t>(Container::Frame2)] = e.frame;
            } else if (c.name == "Frame3") {
                containers[static_cast<std::size_t>(Container::Frame3)] = e.frame;
            }
        } else if (ref.picture != nullptr) {
            const QString art = caption_text(c.picture);
            e.picture = new PictureWidget(
                art, scale_.rect(ref.picture->left, c.top, c.width, c.height), artwork, parent);
            e.picture->setObjectName(
                QStringLiteral("%1(%2)").arg(caption_text(c.name)).arg(c.index));
            e.picture->setVisible(ref.picture->visible);
            e.shown_picture = *ref.picture;
        } else {
            e.label = new LabelWidget(c, parent);
            e.label->apply(*ref.label);
            e.shown_label = *ref.label;
            const std::optional<Button> button = ref.entry->button;
            if (c.clickable && button) {
                e.label->setCursor(artwork.cursor());
                QObject::connect(e.label, &LabelWidget::clicked, e.label,
                                 [on_click, b = *button] { on_click(b); });
            }
        }
        entries_.push_back(std::move(e));
    }
    // Every control but the timers, which the window runs, has its widget.
    for_each_control(model, [this](const ConstControlRef& ref) {
        if (ref.timer == nullptr && widget(ref.entry->name, ref.index) == nullptr) {
            throw std::logic_error("the layout does not place " + std::string(ref.entry->name) +
                                   "(" + std::to_string(ref.index) + ")");
        }
    });
    shown_window_ = model.window;
}

void ControlView::set_scale(LayoutScale scale) {
    scale_ = scale;
    for (Entry& e : entries_) {
        const ControlLayout& c = *e.layout;
        if (e.label != nullptr) {
            e.label->set_scale(scale);
        } else if (e.picture != nullptr) {
            e.picture->setGeometry(scale.rect(e.shown_picture.left, c.top, c.width, c.height));
        } else if (e.frame != nullptr) {
            e.frame->set_scale(scale);
        }
    }
}

void ControlView::show_picture(Entry& e, const Picture& picture) const {
    if (picture.left != e.shown_picture.left) {
        e.picture->move(scale_.point(picture.left, e.layout->top));
    }
    if (picture.visible != e.shown_picture.visible) {
        e.picture->setVisible(picture.visible);
    }
    e.shown_picture = picture;
}

void ControlView::render(const Controls& controls) {
    for (Entry& e : entries_) {
        const ConstControlRef ref = resolve(controls, *e.row, e.layout->index);
        if (e.label != nullptr) {
            if (!same(*ref.label, e.shown_label)) {
                e.label->apply(*ref.label);
                e.shown_label = *ref.label;
            }
        } else if (e.picture != nullptr) {
            show_picture(e, *ref.picture);
        } else if (e.frame != nullptr && ref.frame->visible != e.shown_frame.visible) {
            e.frame->setVisible(ref.frame->visible);
            e.shown_frame = *ref.frame;
        }
    }
    const WindowBox& box = controls.window;
    if (box.left != shown_window_.left || box.top != shown_window_.top) {
        window_.move(scale_.point(box.left, box.top));
    }
    // The client area is fixed: a size the model writes back changes nothing on screen.
    shown_window_ = box;
}

QWidget* ControlView::widget(std::string_view name, int index) const {
    for (const Entry& e : entries_) {
        if (e.layout->name == name && e.layout->index == index) {
            if (e.label != nullptr) {
                return e.label;
            }
            if (e.picture != nullptr) {
                return e.picture;
            }
            return e.frame;
        }
    }
    return nullptr;
}

}  // namespace quillon::ui
