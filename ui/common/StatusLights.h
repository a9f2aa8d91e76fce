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
// wrapping round, in every strip at once. Each lit lamp lies under or over its unlit twin, and a
// step restacks two lamps per strip: unlike showing and hiding, that asks the parent for no new
// layout and the window system for no pointer position.
class StatusLights final : public QObject {
    Q_OBJECT

public:
    static constexpr int kStepMs = 250;

    // Every strip's lamps show `off` and `on`.
    StatusLights(const QPixmap& off, const QPixmap& on, QObject* parent = nullptr);

    // A strip is a row of unlit lamps with a lit lamp at the same place as each; lighting one
    // puts its lit lamp on top.
    void addStrip(const LampStrip& unlit, const LampStrip& lit);
    // The first lamp lights one step after this.
    void start();

    // The lit position, 0 to 6; -1 before the first step.
    [[nodiscard]] int litPosition() const { return lit_; }

private:
    void step();

    QTimer timer_;
    const QPixmap& off_;
    const QPixmap& on_;
    struct Strip {
        LampStrip unlit;
        LampStrip lit;
    };
    std::vector<Strip> strips_;
    int lit_ = -1;
};

} // namespace zv
