#include "ui/common/StatusLights.h"

#include <QLabel>
#include <QPixmap>

namespace zv {

StatusLights::StatusLights(const QPixmap& off, const QPixmap& on, QObject* parent) : QObject(parent), off_(off), on_(on)
{
    timer_.setInterval(kStepMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &StatusLights::step);
}

namespace {

// Puts lamp `i` of a strip on top lit or unlit. Only the pair's order changes, so whatever else
// lies at that place keeps its own.
void light(const LampStrip& unlit, const LampStrip& lit, std::size_t i, bool on)
{
    if (on)
        unlit[i]->stackUnder(lit[i]);
    else
        lit[i]->stackUnder(unlit[i]);
}

} // namespace

// Opaque lamps keep a step's repaint to the two lamps that change; see-through ones would
// repaint the window behind them four times a second.
void StatusLights::addStrip(const LampStrip& unlit, const LampStrip& lit)
{
    for (std::size_t i = 0; i < lit.size(); ++i) {
        unlit[i]->setPixmap(off_);
        lit[i]->setPixmap(on_);
        unlit[i]->setAutoFillBackground(true);
        lit[i]->setAutoFillBackground(true);
        lit[i]->show();
        light(unlit, lit, i, static_cast<int>(i) == lit_);
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
            light(strip.unlit, strip.lit, at(previous), false);
        light(strip.unlit, strip.lit, at(lit_), true);
    }
}

} // namespace zv
