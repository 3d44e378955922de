// Placeholder filter panels: one empty row per filter panel, no handlers.
#include "gui/box/Box.h"
#include "gui/layout/LayoutKind.h"
#include "viewer/panels/IFilterPanelHost.h"
#include "viewer/panels/IFilterPanels.h"

#include <map>

namespace s::image::gui::dialogs::imageview {

namespace {

class PlaceholderFilterPanels final : public IFilterPanels {
public:
    void build() override {
        for (int32_t command : {4200, 4300, 4400, 4410, 4420, 4430, 4450, 4460, 4470, 4480, 4500, 4510, 4520, 4530,
                                4540, 4550, 4600, 4650}) {
            panels_[command] = s::gui::win::Box::createWithLayout(s::gui::LayoutKind::kRow, 100, 100, 0, 1, 0, 0, 0, 0);
        }
    }
    s::gui::IBox* panelFor(int32_t command) override {
        auto found = panels_.find(command);
        return found == panels_.end() ? nullptr : found->second;
    }
    void start() override {}
    bool handleEvent(s::gui::IComponent*, int32_t) override { return false; }
    void pictureOpened(int32_t, int32_t) override {}
    void resetFilterPanels(bool, bool, bool) override {}
    void loadValues(const EffectData*) override {}
    void reattachFilters() override {}
    void reapplyAll() override {}
    void setBackground(int32_t, COLORREF, bool) override {}
    bool isLocked() override { return false; }
    void setLocked(bool) override {}
    bool isLoadingFilterSet() override { return false; }
    void setLoadingFilterSet(bool) override {}
    col::_array::ArrayP* getFilterList() override { return nullptr; }

private:
    std::map<int32_t, s::gui::win::Box*> panels_;
};

}  // namespace

IFilterPanels* makeFilterPanels(IFilterPanelHost*) { return new PlaceholderFilterPanels(); }

}  // namespace s::image::gui::dialogs::imageview
