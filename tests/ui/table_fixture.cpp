#include "tests/ui/table_fixture.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>

#include "ui/design_units.h"
#include "ui/table_layout.h"

namespace quillon::ui::testing {

void prepare_application() {
    install_font_substitutions();
    QFont base(QStringLiteral("DejaVu Sans"));
    base.setPixelSize(12);
    QApplication::setFont(base);
}

Table::Table() = default;

void Table::start() {
    window.load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

LabelWidget* Table::label(std::string_view name, int index) const {
    return qobject_cast<LabelWidget*>(window.control(name, index));
}

PictureWidget* Table::picture(std::string_view name, int index) const {
    return qobject_cast<PictureWidget*>(window.control(name, index));
}

QString Table::caption(std::string_view name, int index) const {
    const LabelWidget* l = label(name, index);
    return l != nullptr ? l->caption() : QStringLiteral("<no label %1>").arg(caption_text(name));
}

bool Table::shows(std::string_view name, int index) const {
    const QWidget* w = window.control(name, index);
    return w != nullptr && w->isVisible();
}

bool Table::click(std::string_view name, int index) {
    LabelWidget* l = label(name, index);
    if (l == nullptr || !l->isVisible() || !l->isEnabled()) {
        qWarning("cannot click %s(%d): %s", std::string(name).c_str(), index,
                 l == nullptr ? "no such label" : (l->isVisible() ? "disabled" : "hidden"));
        return false;
    }
    QTest::mouseClick(l, Qt::LeftButton, {}, l->rect().center());
    return true;
}

bool Table::fire(const char* timer_name) {
    auto* timer = window.findChild<QTimer*>(QString::fromLatin1(timer_name));
    if (timer == nullptr || !timer->isActive()) {
        qWarning("timer %s is not running", timer_name);
        return false;
    }
    return QMetaObject::invokeMethod(timer, "timeout");
}

bool Table::timer_running(const char* timer_name) const {
    const auto* timer = window.findChild<QTimer*>(QString::fromLatin1(timer_name));
    return timer != nullptr && timer->isActive();
}

QString Table::top_card_at(int slot) const {
    const int left = to_pixels(kSlotLeft[static_cast<std::size_t>(slot)]);
    QString found;
    for (const ControlLayout& c : table_layout()) {
        if (c.kind != ControlKind::picture) {
            continue;
        }
        const PictureWidget* p = picture(c.name, c.index);
        if (p != nullptr && p->isVisible() && p->x() == left) {
            found = p->art();  // the last one found lies on top
        }
    }
    return found;
}

QImage Table::grab() {
    return window.grab().toImage();
}

void Table::screenshot(const QString& name) {
    save_screenshot(window, name);
}

CardId card(std::string_view text) {
    const std::optional<CardId> id = CardId::parse(text);
    if (!id) {
        qFatal("not a card: %s", std::string(text).c_str());
    }
    return *id;
}

void save_screenshot(QWidget& widget, const QString& name) {
    QDir().mkpath(QStringLiteral(QUILLON_SCREENSHOT_DIR));
    const QString path = QStringLiteral(QUILLON_SCREENSHOT_DIR "/%1.png").arg(name);
    if (!widget.grab().save(path)) {
        qWarning("could not save %s", qPrintable(path));
    }
}

}  // namespace quillon::ui::testing
