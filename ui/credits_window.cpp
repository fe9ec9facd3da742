#include "ui/credits_window.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QStyle>

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

ControlLayout credit_label(std::string_view name, int left, int top, std::string_view caption) {
    ControlLayout c;
    c.name = name;
    c.left = left;
    c.top = top;
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

// The project's own credits. The addresses are placeholders under a reserved test domain until
// the project has real ones; each fits its box.
constexpr TextBox kTextBoxes[] = {
    {"Text1", 960, 720, 2295, 270, "https://quillon.test/art"},
    {"Text2", 960, 1560, 1815, 270, "quillon.test/music"},
    {"Text5", 1110, 1800, 2175, 270, "music@quillon.test"},
    {"Text4", 960, 2640, 2775, 270, "https://quillon.test/"},
    {"Text3", 1110, 2880, 1695, 270, "dev@quillon.test"},
};

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
        credit_label("Label5", 300, 720, "【URL】"),
        credit_label("Label2", 240, 1080, "Music by Quillon authors\r\n  「Quillon music team」"),
        credit_label("Label6", 300, 1560, "【URL】"),
        credit_label("Label9", 300, 1800, "【E-mail】"),
        credit_label("Label3", 240, 2160, "Program by Quillon authors\r\n  「Quillon dev team」"),
        credit_label("Label7", 300, 2640, "【URL】"),
        credit_label("Label8", 300, 2880, "【E-mail】"),
    };
    for (const ControlLayout& c : labels) {
        new LabelWidget(c, this);
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
    // A style's frame and margins would leave an 18-pixel box too little room for a 13-pixel
    // font: a plain sunken line and no padding keep the descenders inside.
    const QString style = QStringLiteral(
        "QLineEdit { color: #FF0000; background: #404040; padding: 0px 1px; border: 1px solid;"
        " border-color: #808080 #FFFFFF #FFFFFF #808080; }");
    const QFont font = font_for(kCreditFont);
    for (const TextBox& t : kTextBoxes) {
        auto* box = new QLineEdit(QString::fromUtf8(t.text), this);
        box->setObjectName(QString::fromUtf8(t.name));
        box->setGeometry(to_pixels(t.left, t.top, t.width, t.height));
        box->setReadOnly(true);
        box->setStyleSheet(style);
        box->setFont(font);
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
