#pragma once
// A slim bar that shows how much of the keyboard's macro memory the macros
// take, with the numbers written over it; amber when the names will be left
// out, red when the macros no longer fit at all.

#include <QWidget>

#include "model/MacroMemoryGauge.h"

namespace tessel {

class MacroMemoryBar : public QWidget {
public:
    explicit MacroMemoryBar(QWidget* parent = nullptr);

    void SetUse(const MacroMemoryUse& use);
    const MacroMemoryUse& Use() const { return m_use; }
    // The colour the filled part is drawn in, by the state.
    QColor FillColour() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    MacroMemoryUse m_use;
};

}  // namespace tessel
