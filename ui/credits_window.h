#pragma once

#include <QWidget>

namespace quillon::ui {

class Artwork;

// The credits window the table leaves behind when it closes: who drew, composed and wrote the
// game, with their addresses, a joker and END. END or the close box end the program.
class CreditsWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit CreditsWindow(Artwork& artwork);

    // Shows the window in the middle of the screen it opens on.
    void show_centred();

  signals:
    void ended();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void add_labels(Artwork& artwork);
    void add_text_boxes();
};

}  // namespace quillon::ui
