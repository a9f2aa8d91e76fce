#include "ui/main/StatusLights.h"

#include <QLabel>

namespace zv {

StatusLights::StatusLights(QObject* parent) : QObject(parent)
{
    timer_.setInterval(kStepMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &StatusLights::step);
}

void StatusLights::addStrip(const LampStrip& strip)
{
    for (std::size_t i = 0; i < strip.size(); ++i)
        strip[i]->setVisible(static_cast<int>(i) == lit_);
    strips_.push_back(strip);
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
