#pragma once

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "core/live/display_model.h"
#include "ui/panel/panel.h"
#include "support/fake_clock.h"

namespace photara::test {

// A panel on a model and a fake clock, whose keys are recorded instead of sent.
struct PanelRig {
    struct SentKey {
        std::uint8_t code;
    };

    DisplayModel model;
    FakeClock clock;
    Panel panel{model, clock};
    std::vector<SentKey> sent;
    bool rhLit = false;

    PanelRig() {
        panel.setKeySender([this](std::uint8_t code) {
            sent.push_back({code});
        });
        panel.setRhLit([this] { return rhLit; });
    }

    template <typename T = QWidget>
    T* find(const char* name) {
        return panel.findChild<T*>(QString::fromLatin1(name));
    }

    std::vector<std::uint8_t> codes() const {
        std::vector<std::uint8_t> result;
        for (const SentKey& key : sent) result.push_back(key.code);
        return result;
    }
};

inline void sendMouse(QWidget& widget, QEvent::Type type) {
    const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
    QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

}  // namespace photara::test
