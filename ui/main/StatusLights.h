#pragma once

#include <QObject>
#include <QTimer>

#include <array>
#include <vector>

class QLabel;
class QPixmap;

namespace zv {

inline constexpr int kLampCount = 7;
using LampStrip = std::array<QLabel*, kLampCount>; // left to right

// The running red light: one lamp lit at a time, one step to the right every 250 ms,
// wrapping round, in every strip at once. A step changes only two visibilities per strip.
class StatusLights final : public QObject {
    Q_OBJECT

public:
    static constexpr int kStepMs = 250;

    explicit StatusLights(QObject* parent = nullptr);

    // A strip is a row of unlit lamps with a lit lamp over each; lighting one shows its lit lamp.
    void addStrip(const LampStrip& unlit, const LampStrip& lit, const QPixmap& off, const QPixmap& on);
    // The first lamp lights one step after this.
    void start();

    // The lit position, 0 to 6; -1 before the first step.
    [[nodiscard]] int litPosition() const { return lit_; }

private:
    void step();

    QTimer timer_;
    std::vector<LampStrip> strips_;
    int lit_ = -1;
};

} // namespace zv
