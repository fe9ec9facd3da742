#include "coach/session_plot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace quillon::coach {

namespace {

const QColor kActual(0x1f, 0x5f, 0xbf);
const QColor kPerfect(0xd0, 0x70, 0x10);

// A round step for the axis: 1, 2 or 5 times a power of ten, about a quarter of the span.
double axis_step(double span) {
    const double rough = std::max(span / 4.0, 1e-9);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * power >= rough) {
            return m * power;
        }
    }
    return 10.0 * power;
}

}  // namespace

std::vector<double> axis_ticks(double low, double high) {
    const double step = axis_step(high - low);
    std::vector<double> ticks;
    for (double t = std::ceil(low / step - 1e-9) * step; t <= high + step * 1e-9; t += step) {
        ticks.push_back(std::abs(t) < step * 1e-9 ? 0.0 : t);
    }
    return ticks;
}

SessionPlot::SessionPlot(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("sessionPlot"));
    setMinimumHeight(180);
}

void SessionPlot::set_points(std::vector<CreditPoint> points) {
    points_ = std::move(points);
    update();
}

std::pair<double, double> SessionPlot::credit_range() const {
    double low = points_.empty() ? 0.0 : points_.front().actual;
    double high = low;
    for (const CreditPoint& c : points_) {
        low = std::min({low, c.actual, c.perfect});
        high = std::max({high, c.actual, c.perfect});
    }
    const double step = axis_step(high - low);
    return {std::floor(low / step) * step, std::max(std::ceil(high / step) * step, low + step)};
}

std::vector<double> SessionPlot::hand_ticks() const {
    if (points_.size() < 2) {
        return {};
    }
    // Hands are counted whole: a short session has no tick at hand 0.5.
    std::vector<double> ticks = axis_ticks(0.0, static_cast<double>(points_.size() - 1));
    std::erase_if(ticks, [](double t) { return t != std::floor(t); });
    return ticks;
}

std::vector<double> SessionPlot::credit_ticks() const {
    if (points_.size() < 2) {
        return {};
    }
    const auto [low, high] = credit_range();
    return axis_ticks(low, high);
}

void SessionPlot::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const QFontMetrics fm(font());
    const int line = fm.height();
    // Room for the credit labels on the left, the legend above, the hand numbers and the note
    // on what the lines count below.
    const QRectF area = QRectF(rect()).adjusted(fm.horizontalAdvance(QStringLiteral("-00000")) + 12,
                                                2 * line + 10, -12, -2 * line - 12);
    if (points_.size() < 2 || area.width() < 20 || area.height() < 20) {
        p.setPen(Qt::darkGray);
        p.drawText(rect(), Qt::AlignCenter,
                   QStringLiteral("The credit is drawn here, hand by hand."));
        return;
    }
    const auto [low, high] = credit_range();
    const auto last = static_cast<double>(points_.size() - 1);
    const auto at = [&](double hand, double credit) {
        return QPointF(area.left() + area.width() * hand / last,
                       area.bottom() - area.height() * (credit - low) / (high - low));
    };
    const std::vector<double> credits = credit_ticks();
    const std::vector<double> hands = hand_ticks();
    // The grid, then the ticks and their labels on both axes.
    p.setPen(QColor(0xdd, 0xdd, 0xdd));
    for (const double y : credits) {
        p.drawLine(at(0, y), at(last, y));
    }
    for (const double x : hands) {
        p.drawLine(at(x, low), at(x, high));
    }
    p.setPen(Qt::black);
    for (const double y : credits) {
        const QPointF left = at(0, y);
        p.drawLine(left, left - QPointF(5, 0));
        p.drawText(QRectF(0, left.y() - line / 2.0, area.left() - 8, line),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(y, 'g', 6));
    }
    for (const double x : hands) {
        const QPointF foot = at(x, low);
        p.drawLine(foot, foot + QPointF(0, 5));
        const QString text = QString::number(x, 'g', 6);
        const double w = fm.horizontalAdvance(text);
        p.drawText(QRectF(foot.x() - w / 2 - 2, foot.y() + 6, w + 4, line), Qt::AlignCenter, text);
    }
    p.drawRect(area);
    p.setPen(Qt::darkGray);
    p.drawText(QRectF(area.left(), area.bottom() + line + 8, area.width(), line),
               Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("hands' bets and pays only: F12 coins and double-up wins left out"));
    const auto path_of = [&](bool actual) {
        QPainterPath path(at(0, actual ? points_[0].actual : points_[0].perfect));
        for (std::size_t i = 1; i < points_.size(); ++i) {
            path.lineTo(
                at(static_cast<double>(i), actual ? points_[i].actual : points_[i].perfect));
        }
        return path;
    };
    p.setPen(QPen(kPerfect, 2, Qt::DashLine));
    p.drawPath(path_of(false));
    p.setPen(QPen(kActual, 2));
    p.drawPath(path_of(true));
    // The legend, above the plot.
    const auto legend = [&](int x, int y, const QColor& colour, Qt::PenStyle style,
                            const QString& text) {
        p.setPen(QPen(colour, 2, style));
        p.drawLine(x, y + line / 2, x + 24, y + line / 2);
        p.setPen(Qt::black);
        p.drawText(x + 28, y + fm.ascent(), text);
    };
    const int x = static_cast<int>(area.left());
    legend(x, 4, kActual, Qt::SolidLine, legend_text(true));
    legend(x, 4 + line + 2, kPerfect, Qt::DashLine, legend_text(false));
}

QString SessionPlot::legend_text(bool actual) {
    return actual ? QStringLiteral("your credit by the hands played")
                  : QStringLiteral("what perfect play of the same deals would expect");
}

}  // namespace quillon::coach
