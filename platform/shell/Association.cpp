#include "platform/shell/Association.h"

#include <windows.h>
#include <shlobj.h>

#include "foundation/str/StrBuffer.h"
#include "platform/file/PathWin.h"
#include "platform/process/Process.h"
#include "platform/reg/RegDir.h"

namespace s::shell {

using file::win::PathWin;
using reg::win::RegDir;
using str::strbuffer::StrBuffer;

namespace {

// The program file's name with every space removed.
StrBuffer* prefixOf(const wchar_t* programPath) {
    PathWin* path = PathWin::fromString(programPath);
    StrBuffer* prefix = path->getFileName(nullptr, false);
    path->release();
    prefix->replaceAll(L" ", L"");
    return prefix;
}

// The key's default text, expanded; "" when absent. Copied: the key's own text is
// overwritten by its next read.
StrBuffer* defaultText(RegDir* key) { return StrBuffer::fromString(key->getString(L"", L"", nullptr, true)); }

bool keyExists(uint32_t root, const wchar_t* path) {
    RegDir* key = RegDir::fromPath(root, path);
    bool exists = key->exists();
    key->release();
    return exists;
}

void setDefault(const wchar_t* path, const wchar_t* text) {
    RegDir* key = RegDir::fromPath(reg::kClassesRoot, path);
    key->createKey();
    key->setString(L"", text);
    key->release();
}

void tellShell() { SHChangeNotify(SHCNE_ASSOCCHANGED, 0, nullptr, nullptr); }

}  // namespace

bool isAssociated(const wchar_t* extension, const wchar_t* programPath) {
    if (!extension || !*extension || !programPath) return false;
    bool result = false;
    RegDir* key = RegDir::fromPath(reg::kClassesRoot, extension);
    StrBuffer* path = StrBuffer::create();
    StrBuffer* type = nullptr;
    if (key->exists() && !(type = defaultText(key))->isEmpty()) {
        path->setStr(type)->appendText(L"\\shell");
        key->open(reg::kClassesRoot, path->text());
        StrBuffer* verb = nullptr;
        if (keyExists(reg::kClassesRoot, type->text()) && key->exists() && !(verb = defaultText(key))->isEmpty()) {
            path->appendText(L"\\")->appendStr(verb);
            bool verbExists = keyExists(reg::kClassesRoot, path->text());
            path->appendText(L"\\command");
            key->open(reg::kClassesRoot, path->text());
            if (verbExists && key->exists()) {
                StrBuffer* command = defaultText(key);
                StrBuffer* quoted = StrBuffer::fromConcat3(L"\"", programPath, L"\"");
                result = command->startsWithIgnoreCase(quoted->text());
                quoted->release();
                command->release();
            }
        }
        if (verb) verb->release();
    }
    if (type) type->release();
    path->release();
    key->release();
    return result;
}

void associate(const wchar_t* extension, const wchar_t* programPath) {
    if (!extension || !*extension || !programPath) return;
    StrBuffer* command = StrBuffer::fromConcat3(L"\"", programPath, L"\" \"%1\"");
    StrBuffer* prefix = prefixOf(programPath);
    StrBuffer* progId = StrBuffer::fromConcat(prefix->text(), extension);

    RegDir* key = RegDir::fromPath(reg::kClassesRoot, extension);
    key->createKey();
    StrBuffer* old = defaultText(key);
    uint32_t type = 0, size = 0;
    if (!old->startsWithIgnoreCase(prefix->text()) && !key->queryValue(kBackupValueName, &type, &size))
        key->setString(kBackupValueName, old->text());
    key->setString(L"", progId->text());
    key->release();
    old->release();

    StrBuffer* path = StrBuffer::fromConcat(progId->text(), L"\\shell");
    RegDir* shell = RegDir::fromPath(reg::kClassesRoot, path->text());
    shell->createKey();
    path->appendText(L"\\open");
    setDefault(path->text(), L"");
    path->appendText(L"\\command");
    setDefault(path->text(), command->text());
    shell->setString(L"", L"open");
    shell->release();

    path->setText(kFileExtsKey)->appendText(extension);
    RegDir* choice = RegDir::fromPath(reg::kCurrentUser, path->text());
    if (choice->exists()) choice->rename(progId->text());
    choice->release();

    path->release();
    progId->release();
    prefix->release();
    command->release();
    tellShell();
}

void deassociate(const wchar_t* extension, const wchar_t* programPath) {
    if (!extension || !*extension || !programPath) return;
    StrBuffer* prefix = prefixOf(programPath);
    StrBuffer* progId = StrBuffer::fromConcat(prefix->text(), extension);
    bool ours = false;
    RegDir* key = RegDir::fromPath(reg::kClassesRoot, extension);
    if (key->exists()) {
        StrBuffer* type = defaultText(key);
        ours = !type->isEmpty() && type->startsWithIgnoreCase(prefix->text());
        if (ours) {
            uint32_t valueType = 0, size = 0;
            if (key->queryValue(kBackupValueName, &valueType, &size)) {
                StrBuffer* backup = StrBuffer::fromString(key->getString(kBackupValueName, L"", nullptr, true));
                key->setString(L"", backup->text());
                key->removeValue(kBackupValueName);
                backup->release();
            }
            RegDir* typeKey = RegDir::fromPath(reg::kClassesRoot, type->text());
            if (typeKey->exists()) typeKey->remove(true);
            typeKey->release();
        }
        type->release();
    }
    key->release();

    // The per-user choices belong to this program only while the extension does: a
    // choice the user made for another program stays.
    if (ours) {
        StrBuffer* path = StrBuffer::fromConcat(kFileExtsKey, extension);
        RegDir* choice = RegDir::fromPath(reg::kCurrentUser, path->text());
        if (choice->exists()) choice->remove(true);
        choice->release();
        path->setText(kFileExtsKey)->appendStr(progId);
        RegDir* aside = RegDir::fromPath(reg::kCurrentUser, path->text());
        if (aside->exists()) aside->rename(extension);
        aside->release();
        path->release();
    }
    progId->release();
    prefix->release();
    tellShell();
}

}  // namespace s::shell

bool isExtensionAssociated(const wchar_t* extension) {
    s::file::win::PathWin* program = s::process::getModulePath();
    bool associated = s::shell::isAssociated(extension, program->getFullPath());
    program->release();
    return associated;
}
