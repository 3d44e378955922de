// Registering and unregistering the program as the opener of file extensions under
// HKEY_CLASSES_ROOT. For a program file P and an extension E given with its dot:
//   prefix   the file name of P with every space removed;
//   ProgID   prefix + E, the type key holding shell\open\command = "P" "%1";
//   backup   the value "___ZelkBack___" of HKEY_CLASSES_ROOT\E: E's default before;
//   choice   HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\E.
// Registry steps that fail (no rights, missing key) are skipped; later steps still run.
#pragma once

namespace s::shell {

constexpr const wchar_t* kBackupValueName = L"___ZelkBack___";
constexpr const wchar_t* kFileExtsKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

// E's default verb command starts with "P" (P in double quotes), ignoring case.
bool isAssociated(const wchar_t* extension, const wchar_t* programPath);
// The program takes E over: backup of the old type name, ProgID with its open command,
// a per-user choice key of E renamed aside to FileExts\ProgID, the shell told.
void associate(const wchar_t* extension, const wchar_t* programPath);
// Undoes associate when E belongs to the program: backup restored, ProgID deleted, the
// per-user choice of E dropped and the one put aside brought back; the shell told.
// An extension that belongs to another program is left entirely alone.
void deassociate(const wchar_t* extension, const wchar_t* programPath);

}  // namespace s::shell

// isAssociated for the program's own file.
bool isExtensionAssociated(const wchar_t* extension);
