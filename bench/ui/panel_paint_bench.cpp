// The paint of a skinned panel as large as a full-HD screen, with the program's own skin, on
// the virtual screen: the window's paint message from BeginPaint to EndPaint, through
// Repaint as the window's invalidation brings it.
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/host/virtual/virtual_host.h"
#include "platform/user/user.h"
#include "skin/compressed_stored_skin.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skinctrls/skin_panel.h"
#include "ui/application.h"
#include "ui/form.h"

namespace {

void PanelPaint1920x1080(benchmark::State& state) {
    platform::ResetWindowServices();
    platform::SetHost(std::make_unique<platform::VirtualHost>(2000, 1200));
    ui::Application().Reset();
    skin::TbsCompressedStoredSkin stored;
    const auto package = skin::EmbeddedSkinPackage();
    stored.SetCompressedData(package.data(), int64_t(package.size()));
    auto form = std::unique_ptr<ui::TForm>(ui::Make<ui::TForm>(nullptr));
    form->SetBounds(0, 0, 1960, 1140);
    auto* data = ui::Make<skin::TbsSkinData>(form.get());
    data->SetCompressedStoredSkin(&stored);
    auto* panel = ui::Make<skinctrls::TbsSkinPanel>(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 1920, 1080);
    panel->SetSkinData(data);
    form->Show();
    ui::Application().ProcessMessages();
    for (auto _ : state) panel->Repaint();
    form.reset();
    ui::Application().Reset();
    platform::ResetWindowServices();
}
BENCHMARK(PanelPaint1920x1080)->Unit(benchmark::kMillisecond);

}  // namespace
