#include "trainer/hand_row.h"

#include <QGridLayout>
#include <QPushButton>

#include "trainer/card_view.h"

namespace quillon::trainer {

HandRow make_hand_row(ui::Artwork& artwork, QWidget* parent, const QString& prefix,
                      const std::function<void(int slot)>& toggle) {
    const QString card_name = prefix.isEmpty() ? QStringLiteral("card") : prefix + "Card";
    const QString hold_name = prefix.isEmpty() ? QStringLiteral("hold") : prefix + "Hold";
    HandRow row;
    row.layout = new QGridLayout;
    for (int slot = 0; slot < 5; ++slot) {
        auto* c = new CardView(artwork, parent);
        c->setObjectName(card_name + QString::number(slot));
        auto* h = new QPushButton(QStringLiteral("HOLD"), parent);
        h->setObjectName(hold_name + QString::number(slot));
        h->setCheckable(true);
        h->setFocusPolicy(Qt::NoFocus);
        row.layout->addWidget(c, 0, slot);
        row.layout->addWidget(h, 1, slot);
        row.cards[static_cast<std::size_t>(slot)] = c;
        row.holds[static_cast<std::size_t>(slot)] = h;
        QObject::connect(c, &CardView::clicked, parent, [toggle, slot] { toggle(slot); });
        QObject::connect(h, &QPushButton::clicked, parent, [toggle, slot] { toggle(slot); });
    }
    return row;
}

}  // namespace quillon::trainer
