#pragma once

#include <QString>
#include <QWidget>

namespace quillon::ui {

class Artwork;

// A card picture: one piece of artwork at a fixed size. It ignores the mouse.
class PictureWidget final : public QWidget {
    Q_OBJECT
  public:
    PictureWidget(QString art, const QRect& geometry, Artwork& artwork, QWidget* parent);

    const QString& art() const { return art_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString art_;
    Artwork& artwork_;
};

}  // namespace quillon::ui
