#pragma once

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <string>

#include "ui/base/app_context.h"
#include "ui/base/gui_meter_session.h"
#include "ui/base/workspace.h"
#include "ui/datalist/data_views.h"
#include "core/link/hid_backend.h"
#include "core/link/meter_link.h"
#include "core/live/display_state.h"
#include "sim/data_set_generator.h"
#include "support/fake_clock.h"
#include "support/scripted_prompts.h"

namespace photara::test {

// No meter plugged in: the data views never talk to one.
class NoMeterBackend final : public HidBackend {
  public:
    std::vector<HidDeviceInfo> enumerate(std::uint16_t, std::uint16_t) override { return {}; }
    std::unique_ptr<HidDevice> open(const std::string&) override { return nullptr; }
};

// A set of k readings as a download leaves it in the data text: the meter's text, then
// zeros up to the end of its last 64-byte block.
inline std::string downloadedSet(int k, std::uint32_t seed = 3) {
    sim::DataSetRecipe recipe;
    recipe.start = {2026, 12, 8, 9, 30, 0};
    recipe.samples = k;
    recipe.seed = seed;
    recipe.luminance = 950;
    std::string text = sim::generateDataText(recipe);
    text.append((64 - text.size() % 64) % 64, '\0');
    return text;
}

inline std::string readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

inline void writeBytes(const QString& path, std::string_view bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// The data views with what they share: a stand-in panel, the meter session, the
// workspace, scripted prompts, and a scratch directory for files.
struct ViewsRig {
    ViewsRig() {
        panel.setGeometry(100, 120, 506, 600);
        panel.show();
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    template <typename T>
    T* find(QWidget* window, const QString& name) const {
        return window ? window->findChild<T*>(name) : nullptr;
    }

    QWidget panel;
    NoMeterBackend backend;
    GuiMeterSession session{backend};
    Workspace workspace;
    ScriptedPrompts prompts;
    FakeClock clock;
    AppContext context{session, workspace, prompts, clock, &panel};
    DataViews views{context};
    QTemporaryDir dir;
};

}  // namespace photara::test
