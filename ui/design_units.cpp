#include "ui/design_units.h"

#include <QApplication>
#include <cmath>

namespace quillon::ui {

void install_font_substitutions() {
    struct Stand {
        const char* design;
        const char* debian;
    };
    static constexpr Stand kStands[] = {
        {"ＭＳ Ｐゴシック", "IPAPGothic"},
        {"ＭＳ Ｐ明朝", "IPAPMincho"},
        {"ＭＳ 明朝", "IPAMincho"},
        {"Century", "C059"},
    };
    for (const Stand& s : kStands) {
        QFont::insertSubstitution(QString::fromUtf8(s.design), QString::fromUtf8(s.debian));
    }
}

int font_pixels(double points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont font_for(const FontSpec& face) {
    QFont font = face.family.empty() ? QApplication::font() : QFont(caption_text(face.family));
    font.setPixelSize(font_pixels(face.points > 0 ? face.points : 9));
    font.setBold(face.bold);
    return font;
}

QColor to_qcolor(Color color) {
    return QColor::fromRgb(color.rgb & 0xFFFFFFu);
}

QString caption_text(std::string_view caption) {
    QString text = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

}  // namespace quillon::ui
