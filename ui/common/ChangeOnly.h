#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>

// Setters for the 1 ms ticks: a value equal to the one shown touches nothing, so an idle
// tick repaints nothing.
namespace zv::changeOnly {

inline void setText(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

// A black copy and a coloured copy one pixel up and to the left always show the same.
inline void setTextPair(QLabel* shadow, QLabel* face, const QString& text)
{
    setText(shadow, text);
    setText(face, text);
}

inline void setVisible(QWidget* widget, bool visible)
{
    if (widget->isHidden() == visible)
        widget->setVisible(visible);
}

inline void setEnabled(QWidget* widget, bool enabled)
{
    if (widget->isEnabled() != enabled)
        widget->setEnabled(enabled);
}

} // namespace zv::changeOnly
