// The "Associated Extensions" commands of the right-click menu: which extensions an item
// stands for, the parameters of the program's own elevated run that (de)associates them,
// and the commands themselves, which re-mark the items from the registry afterwards.
//
//   associationParameters(command::kAssociateJpeg, false);   // "-associate .jpg .jpeg"
//   runAssociationCommand(command::kAssociateAll, menu, programPath);
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace s::gui {
class IPopupMenu;
}

namespace s::image::gui::dialogs::imageview {

// The extensions of an item 810 .. 814 (".jpg" and ".jpeg" for 810); empty for another id.
std::vector<const wchar_t*> associationExtensions(int32_t command);

// "-associate" (or "-deassociate" when the item was checked) and the item's extensions,
// each after a blank.
std::wstring associationParameters(int32_t command, bool wasChecked);

// The parameters of "Select All" (associate true: every unchecked item's extensions) or
// "Deselect All" (every checked item's). checked[i] is the mark of item 810 + i. Nothing
// to do leaves the text at the bare switch.
std::wstring allAssociationParameters(bool associate, const bool checked[5]);
// The text names at least one extension after its switch.
bool namesExtensions(const std::wstring& parameters);

// Test seams. The elevated run of the program with the parameters (waited for): by
// default the shell's "runas" of the program. The probe whether an extension belongs to
// the program: by default the registry.
using ElevatedRunFn = void (*)(const wchar_t* program, const wchar_t* parameters);
void setElevatedRunOverride(ElevatedRunFn fn);
using AssociatedProbeFn = bool (*)(const wchar_t* extension, const wchar_t* program);
void setAssociatedProbeOverride(AssociatedProbeFn fn);

// Carries out command 810 .. 814, 820 or 821 on the menu that holds the items (any menu
// whose sub-menus hold them), for the program file. Other ids do nothing and answer false.
bool runAssociationCommand(int32_t command, s::gui::IPopupMenu* menu, const wchar_t* program);

}  // namespace s::image::gui::dialogs::imageview
