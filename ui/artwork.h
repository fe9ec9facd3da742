#pragma once

#include <QCursor>
#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <optional>

namespace quillon::ui {

// The game's pictures, drawn from the SVG files of the resource prefix /art. Each picture is
// rendered once per size and device pixel ratio and kept, so a card costs nothing per frame and
// stays sharp on a high-dpi screen. The artwork is compiled into the program.
class Artwork {
  public:
    // `name` is the file's base name: "s1" ... "h13", "back", "joker1" ... "joker10".
    QPixmap pixmap(const QString& name, QSize size, qreal device_pixel_ratio);
    // The pointer over clickable labels: 32 x 32, its hotspot at (1, 1), the arrow's tip.
    QCursor cursor();
    // A window icon: "icon_table" or "icon_credits".
    QIcon icon(const QString& name);

    static bool has_svg(const QString& name);
    // How many pixmaps are kept; a repaint must not add one.
    qsizetype cached_count() const { return cache_.size(); }

  private:
    QPixmap render(const QString& name, QSize size, qreal device_pixel_ratio) const;

    QHash<QString, QPixmap> cache_;
    std::optional<QCursor> cursor_;
};

}  // namespace quillon::ui
