#include "viewer/menus/AssociationCommands.h"

#include "gui/menus/IPopupMenu.h"
#include "platform/shell/Association.h"
#include "platform/shell/Shell.h"
#include "platform/system/OsVersion.h"
#include "viewer/menus/CommandIds.h"

namespace s::image::gui::dialogs::imageview {

namespace {

constexpr const wchar_t* kAssociate = L"-associate";
constexpr const wchar_t* kDeassociate = L"-deassociate";

ElevatedRunFn g_run = nullptr;
AssociatedProbeFn g_probe = nullptr;

void runElevated(const wchar_t* program, const wchar_t* parameters) {
    if (g_run) {
        g_run(program, parameters);
        return;
    }
    s::shell::execute(program, parameters, true, true);
}

bool isAssociatedWith(const wchar_t* extension, const wchar_t* program) {
    return g_probe ? g_probe(extension, program) : s::shell::isAssociated(extension, program);
}

bool isItem(int32_t command) { return command >= command::kAssociateJpeg && command <= command::kAssociateIcon; }

void appendExtensions(int32_t command, std::wstring* text) {
    for (const wchar_t* extension : associationExtensions(command)) text->append(L" ").append(extension);
}

// Sets every item's mark from what the registry now says (the item's first extension).
void remarkAll(s::gui::IPopupMenu* menu, const wchar_t* program) {
    for (int32_t c = command::kAssociateJpeg; c <= command::kAssociateIcon; ++c)
        menu->setChecked(c, isAssociatedWith(associationExtensions(c).front(), program));
}

// Without elevation: the running process (de)associates the item's extensions itself.
void associateInProcess(int32_t command, bool associate, const wchar_t* program) {
    for (const wchar_t* extension : associationExtensions(command)) {
        if (associate)
            s::shell::associate(extension, program);
        else
            s::shell::deassociate(extension, program);
    }
}

bool needsElevation() {
    if (!s::system::osVersionFacts().probed.load()) s::system::probeOsVersion();
    return s::system::osVersion().isVistaOrLater;
}

}  // namespace

std::vector<const wchar_t*> associationExtensions(int32_t command) {
    switch (command) {
        case command::kAssociateJpeg: return {L".jpg", L".jpeg"};
        case command::kAssociateGif: return {L".gif"};
        case command::kAssociatePng: return {L".png"};
        case command::kAssociateBmp: return {L".bmp"};
        case command::kAssociateIcon: return {L".ico"};
        default: return {};
    }
}

std::wstring associationParameters(int32_t command, bool wasChecked) {
    std::wstring text = wasChecked ? kDeassociate : kAssociate;
    appendExtensions(command, &text);
    return text;
}

std::wstring allAssociationParameters(bool associate, const bool checked[5]) {
    std::wstring text = associate ? kAssociate : kDeassociate;
    for (int32_t i = 0; i < 5; ++i) {
        // Select All adds what is not yet associated; Deselect All what is.
        if (checked[i] != associate) appendExtensions(command::kAssociateJpeg + i, &text);
    }
    return text;
}

bool namesExtensions(const std::wstring& parameters) { return parameters.find(L" .") != std::wstring::npos; }

void setElevatedRunOverride(ElevatedRunFn fn) { g_run = fn; }
void setAssociatedProbeOverride(AssociatedProbeFn fn) { g_probe = fn; }

bool runAssociationCommand(int32_t command, s::gui::IPopupMenu* menu, const wchar_t* program) {
    const bool all = command == command::kAssociateAll || command == command::kAssociateNone;
    if (!menu || !program || (!isItem(command) && !all)) return false;
    const bool elevate = needsElevation();
    if (isItem(command)) {
        const bool wasChecked = menu->isChecked(command);
        if (elevate) {
            runElevated(program, associationParameters(command, wasChecked).c_str());
            // A refused elevation changed nothing: the mark follows the registry.
            menu->setChecked(command, isAssociatedWith(associationExtensions(command).front(), program));
        } else {
            associateInProcess(command, !wasChecked, program);
            menu->setChecked(command, !wasChecked);
        }
        return true;
    }
    const bool associate = command == command::kAssociateAll;
    bool checked[5];
    for (int32_t i = 0; i < 5; ++i) checked[i] = menu->isChecked(command::kAssociateJpeg + i);
    if (elevate) {
        const std::wstring parameters = allAssociationParameters(associate, checked);
        if (!namesExtensions(parameters)) return true;
        runElevated(program, parameters.c_str());
        remarkAll(menu, program);
        return true;
    }
    for (int32_t i = 0; i < 5; ++i) {
        if (checked[i] == associate) continue;
        associateInProcess(command::kAssociateJpeg + i, associate, program);
        menu->setChecked(command::kAssociateJpeg + i, associate);
    }
    return true;
}

}  // namespace s::image::gui::dialogs::imageview
