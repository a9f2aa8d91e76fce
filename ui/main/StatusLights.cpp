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
        lit[i]->show();
        if (static_cast<int>(i) == lit_)
            unlit[i]->stackUnder(lit[i]);
        else
            lit[i]->stackUnder(unlit[i]);
    }
    strips_.push_back({unlit, lit});
}

void StatusLights::start() { timer_.start(); }

void StatusLights::step()
{
    const int previous = lit_;
    lit_ = (lit_ + 1) % kLampCount;
    const auto at = [](int position) { return static_cast<std::size_t>(position); };
    for (const Strip& strip : strips_) {
        if (previous >= 0)
            strip.lit[at(previous)]->stackUnder(strip.unlit[at(previous)]);
        strip.unlit[at(lit_)]->stackUnder(strip.lit[at(lit_)]);
    }
}

} // namespace zv
