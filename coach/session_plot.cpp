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

SessionPlot::SessionPlot(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("sessionPlot"));
    setMinimumHeight(160);
}

void SessionPlot::set_points(std::vector<CreditPoint> points) {
    points_ = std::move(points);
    update();
}

void SessionPlot::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const QFontMetrics fm(font());
    const QRectF area = QRectF(rect()).adjusted(fm.horizontalAdvance(QStringLiteral("-00000")) + 8,
                                                fm.height() + 8, -10, -fm.height() - 8);
    if (points_.size() < 2 || area.width() < 20 || area.height() < 20) {
        p.setPen(Qt::darkGray);
        p.drawText(rect(), Qt::AlignCenter,
                   QStringLiteral("The credit is drawn here, hand by hand."));
        return;
    }
    double low = points_.front().actual;
    double high = low;
    for (const CreditPoint& c : points_) {
        low = std::min({low, c.actual, c.perfect});
        high = std::max({high, c.actual, c.perfect});
    }
    const double step = axis_step(high - low);
    low = std::floor(low / step) * step;
    high = std::max(std::ceil(high / step) * step, low + step);
    const auto last = static_cast<double>(points_.size() - 1);
    const auto at = [&](double hand, double credit) {
        return QPointF(area.left() + area.width() * hand / last,
                       area.bottom() - area.height() * (credit - low) / (high - low));
    };
    // The grid, with the credit along the left.
    p.setPen(QColor(0xdd, 0xdd, 0xdd));
    for (double y = low; y <= high + step / 2; y += step) {
        p.drawLine(at(0, y), at(last, y));
    }
    p.setPen(Qt::black);
    for (double y = low; y <= high + step / 2; y += step) {
        const QPointF left = at(0, y);
        p.drawText(QRectF(0, left.y() - fm.height() / 2.0, area.left() - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(y, 'g', 6));
    }
    p.drawRect(area);
    p.drawText(QRectF(area.left(), area.bottom() + 4, area.width(), fm.height()), Qt::AlignRight,
               QStringLiteral("%1 hands").arg(points_.size() - 1));
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
    // The legend, top left.
    const auto legend = [&](int x, const QColor& colour, Qt::PenStyle style, const QString& text) {
        p.setPen(QPen(colour, 2, style));
        const int y = 4 + fm.height() / 2;
        p.drawLine(x, y, x + 24, y);
        p.setPen(Qt::black);
        p.drawText(x + 28, 4 + fm.ascent(), text);
        return x + 36 + fm.horizontalAdvance(text);
    };
    const int next = legend(static_cast<int>(area.left()), kActual, Qt::SolidLine,
                            QStringLiteral("your credit"));
    legend(next, kPerfect, Qt::DashLine, QStringLiteral("perfect play, expected"));
}

}  // namespace quillon::coach
