// Placeholder tool panels: one empty row per panel and an empty convert page, no handlers.
#include "gui/box/Box.h"
#include "gui/layout/LayoutKind.h"
#include "viewer/panels/IToolPanelHost.h"
#include "viewer/panels/IToolPanels.h"

#include <map>

namespace s::image::gui::dialogs::imageview {

namespace {

class PlaceholderToolPanels final : public IToolPanels {
public:
    void build() override {
        for (int32_t command : {3000, 4700, 4780, 4820, 4850, 4100, 4099, 4120}) {
            panels_[command] =
                s::gui::win::Box::createWithLayout(s::gui::LayoutKind::kRow, 100, 100, 0, 1, 0, 0, 0, 0);
        }
        page_ = s::gui::win::Box::createWithLayout(s::gui::LayoutKind::kColumn, 100, 100, 0, 0, 0, 0, 0, 0);
    }
    s::gui::IBox* panelFor(int32_t command) override {
        auto found = panels_.find(command);
        return found == panels_.end() ? nullptr : found->second;
    }
    s::gui::IBox* convertPage() override { return page_; }
    const ToolbarControls& toolbar() override { return toolbar_; }
    void start() override {}
    bool handleEvent(s::gui::IComponent*, int32_t) override { return false; }
    void loadFilterSets() override {}
    void loadFilterSet(const wchar_t*) override {}
    void saveFilterSet(const wchar_t*) override {}
    void deleteFilterSet(const wchar_t*) override {}
    void chooseSetCommand(int32_t) override {}
    void setLockedFromMenu(bool) override {}
    void clearFilters() override {}
    void showCurrentSetSelected() override {}
    const std::wstring& pendingSetName() override { return pending_; }
    void setPendingSetName(const wchar_t* name) override { pending_ = name ? name : L""; }
    EffectData* convertFilterSet() override { return nullptr; }
    bool fillConvertRequest(ConvertRequest*) override { return false; }
    void slideShowStarted() override {}
    void slideShowEnded() override {}
    void convertStarted() override {}
    void convertProgress(int32_t, int32_t, const wchar_t*) override {}
    void convertEnded() override {}
    void captureEnded() override {}
    int32_t captureType() override { return 1; }
    void showAutoRotate(bool) override {}

private:
    std::map<int32_t, s::gui::win::Box*> panels_;
    s::gui::win::Box* page_ = nullptr;
    ToolbarControls toolbar_;
    std::wstring pending_;
};

}  // namespace

IToolPanels* makeToolPanels(IToolPanelHost*) { return new PlaceholderToolPanels(); }

}  // namespace s::image::gui::dialogs::imageview
