#include "ui/main/StatusLights.h"

#include <QLabel>
#include <QPixmap>

namespace zv {

StatusLights::StatusLights(QObject* parent) : QObject(parent)
{
    timer_.setInterval(kStepMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &StatusLights::step);
}

// Opaque lamps keep a step's repaint to the two lamps that change; see-through ones would
// repaint the window behind them four times a second.
void StatusLights::addStrip(const LampStrip& unlit, const LampStrip& lit, const QPixmap& off, const QPixmap& on)
{
    for (std::size_t i = 0; i < lit.size(); ++i) {
        unlit[i]->setPixmap(off);
        lit[i]->setPixmap(on);
        unlit[i]->setAutoFillBackground(true);
        lit[i]->setAutoFillBackground(true);
        lit[i]->setVisible(static_cast<int>(i) == lit_);
    }
    strips_.push_back(lit);
}

void StatusLights::start() { timer_.start(); }

void StatusLights::step()
{
    const int previous = lit_;
    lit_ = (lit_ + 1) % kLampCount;
    for (const LampStrip& strip : strips_) {
        if (previous >= 0)
            strip[static_cast<std::size_t>(previous)]->hide();
        strip[static_cast<std::size_t>(lit_)]->show();
    }
}

} // namespace zv
