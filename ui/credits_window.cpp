#include "ui/credits_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <utility>

#include "ui/artwork.h"
#include "ui/design_units.h"
#include "ui/label_widget.h"
#include "ui/picture_widget.h"
#include "ui/table_layout.h"

namespace quillon::ui {

namespace {

constexpr int kClientWidthTwips = 5970;
constexpr int kClientHeightTwips = 3240;
constexpr Color kCreditRed{0xFF0000};
constexpr FontSpec kCreditFont{"ＭＳ Ｐゴシック", 9.75, false};

// An auto-size label. The tags "【URL】" and "【E-mail】" keep the design's width, since a box
// follows each; the credit lines are this project's own and have room to their right.
ControlLayout credit_label(std::string_view name, int left, int top, std::string_view caption,
                           int design_width = 0) {
    ControlLayout c;
    c.name = name;
    c.left = left;
    c.top = top;
    c.width = design_width;
    c.font = kCreditFont;
    c.auto_size = true;
    c.caption = caption;
    c.fore = kCreditRed;
    c.back = colors::table;
    return c;
}

struct TextBox {
    const char* name;
    int left, top, width, height;
    const char* text;
};

// The project has no web site and no public e-mail address: each web box names the folder or
// file of the project that holds the work credited beside it, and the e-mail boxes stay empty.
constexpr TextBox kTextBoxes[] = {
    {"Text1", 960, 720, 2295, 270, "assets/art/"},     // the graphics
    {"Text2", 960, 1560, 1815, 270, "assets/tunes/"},  // the music
    {"Text5", 1110, 1800, 2175, 270, ""},              // the music's e-mail
    {"Text4", 960, 2640, 2775, 270, "README.md"},      // the program
    {"Text3", 1110, 2880, 1695, 270, ""},              // the program's e-mail
};

// The boxes have no font of their own: they take the window's default size, 9 points.
constexpr double kTextBoxPoints = 9;

// A font as narrow as it must be for `text` to take no more than `width` pixels: the stand-in
// font sets the brackets of "【URL】" wider than the design's font did, and the box beside the
// label would cover the closing one.
QFont fitted(QFont font, const QString& text, int width) {
    for (int stretch = 100; stretch > 50; --stretch) {
        font.setStretch(stretch);
        if (QFontMetrics(font).horizontalAdvance(text) <= width) {
            break;
        }
    }
    return font;
}

// The rows inside a box's border that no later box covers: Text5 lies over the foot of Text2,
// bottom border and all.
int inside_rows(const TextBox& box) {
    const int bottom = box.top + box.height;
    int covered_from = bottom;
    bool later = false;
    for (const TextBox& other : kTextBoxes) {
        if (&other == &box) {
            later = true;
        } else if (later && other.top > box.top && other.top < covered_from &&
                   other.left < box.left + box.width && box.left < other.left + other.width) {
            covered_from = other.top;
        }
    }
    const int border = covered_from == bottom ? 1 : 0;
    return to_pixels(covered_from) - to_pixels(box.top) - 1 - border;
}

// The rows the font's ink takes, from its tallest ascender to its lowest descender, relative to
// the baseline. Measured by drawing: the metrics' boxes are rounded outwards by a pixel.
std::pair<int, int> ink_rows(const QFont& font) {
    const QString sample = QStringLiteral("Hdlbkfgjpqy/");
    const QFontMetrics metrics(font);
    const int baseline = 2 + metrics.ascent();
    QImage image(metrics.horizontalAdvance(sample) + 4, metrics.height() + 4,
                 QImage::Format_Grayscale8);
    image.fill(0);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(2, baseline, sample);
    p.end();
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        if (std::any_of(row, row + image.width(), [](uchar v) { return v > 16; })) {
            first = first < 0 ? y : first;
            last = y;
        }
    }
    return {first - baseline, last - baseline};
}

// The top text margin that centres the font's ink in the `rows` inside a box's one-pixel border,
// for top-aligned text. The stand-in font's ascent leaves room above the Latin letters, so
// centring its line box sets the text low.
int centring_margin(const QFont& font, int rows) {
    const auto [top, bottom] = ink_rows(font);
    const int ink_top = 1 + (rows - (bottom - top + 1)) / 2;
    const int baseline = ink_top - top;
    // A top-aligned line edit sets its line one pixel inside its contents, which start inside
    // the border.
    return baseline - QFontMetrics(font).ascent() - 1 - 1;
}

}  // namespace

CreditsWindow::CreditsWindow(Artwork& artwork)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Quillon"));
    setWindowIcon(artwork.icon(QStringLiteral("icon_credits")));
    setCursor(artwork.cursor());  // the whole credits window shows the game's cursor
    setFixedSize(to_pixels(kClientWidthTwips), to_pixels(kClientHeightTwips));
    setAttribute(Qt::WA_OpaquePaintEvent);
    add_labels(artwork);
    add_text_boxes();
}

void CreditsWindow::add_labels(Artwork& artwork) {
    const ControlLayout labels[] = {
        credit_label("Label1", 240, 240, "Graphics by Quillon authors\r\n  「Quillon art team」"),
        credit_label("Label5", 300, 720, "【URL】", 555),
        credit_label("Label2", 240, 1080, "Music by Quillon authors\r\n  「Quillon music team」"),
        credit_label("Label6", 300, 1560, "【URL】", 555),
        credit_label("Label9", 300, 1800, "【E-mail】", 750),
        credit_label("Label3", 240, 2160, "Program by Quillon authors\r\n  「Quillon dev team」"),
        credit_label("Label7", 300, 2640, "【URL】", 555),
        credit_label("Label8", 300, 2880, "【E-mail】", 750),
    };
    for (const ControlLayout& c : labels) {
        auto* label = new LabelWidget(c, this);
        if (c.width > 0) {
            label->setFont(fitted(label->font(), label->caption(), to_pixels(c.width)));
        }
    }
    auto* joker = new PictureWidget(QStringLiteral("joker7"), to_pixels(4320, 480, 1125, 1500),
                                    artwork, this);
    joker->setObjectName(QStringLiteral("Gjoker(5)"));

    ControlLayout end;
    end.name = "Label4";
    end.left = 4680;
    end.top = 2760;
    end.width = 975;
    end.height = 375;
    end.font = {"Century", 12, true};
    end.align = Align::center;
    end.border = true;
    end.clickable = true;
    end.caption = "END";
    end.fore = colors::black;
    end.back = colors::table;
    auto* end_label = new LabelWidget(end, this);
    end_label->setCursor(artwork.cursor());
    connect(end_label, &LabelWidget::clicked, this, &CreditsWindow::ended);
}

void CreditsWindow::add_text_boxes() {
    // A style's frame and margins would leave an 18-pixel box too little room for its font: a
    // plain sunken line and no padding keep the descenders inside.
    const QString style = QStringLiteral(
        "QLineEdit { color: #FF0000; background: #404040; padding: 0px 1px; border: 1px solid;"
        " border-color: #808080 #FFFFFF #FFFFFF #808080; }");
    const QFont font = font_for({kCreditFont.family, kTextBoxPoints, false});
    for (const TextBox& t : kTextBoxes) {
        auto* box = new QLineEdit(QString::fromUtf8(t.text), this);
        box->setObjectName(QString::fromUtf8(t.name));
        box->setGeometry(to_pixels(t.left, t.top, t.width, t.height));
        box->setReadOnly(true);
        box->setStyleSheet(style);
        box->setFont(font);
        box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        box->setTextMargins(0, centring_margin(font, inside_rows(t)), 0, 0);
        box->setCursorPosition(0);
    }
}

void CreditsWindow::show_centred() {
    // The client area goes in the middle: the frame's size is not known before it is shown.
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                    screen()->availableGeometry()));
    show();
}

void CreditsWindow::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), to_qcolor(colors::table));
}

void CreditsWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit ended();
}

}  // namespace quillon::ui
