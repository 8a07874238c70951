#include "ui/shell/document_windows.h"

#include <dlfcn.h>

#include <QCoreApplication>

#include <vector>

namespace zav {

namespace {

using Entry = DocumentWindows* (*)();

// Where the module is looked for: among the objects already loaded (a program linked with
// it), beside the program (the build tree), then in the installed library folder.
std::vector<std::string> Candidates()
{
    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    return {programFolder + "/" + kDocumentWindowsModule,
            programFolder + "/" + ZAV_DOCUMENTS_FROM_BINDIR + "/" + kDocumentWindowsModule};
}

DocumentWindows* Load(std::string& failure)
{
    void* module = dlopen(kDocumentWindowsModule, RTLD_NOW | RTLD_NOLOAD);
    for (const std::string& path : Candidates()) {
        if (module != nullptr) break;
        module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            const char* why = dlerror();
            if (!failure.empty()) failure += "; ";
            failure += why != nullptr ? why : path + ": cannot be loaded";
        }
    }
    if (module == nullptr) return nullptr;
    auto entry = reinterpret_cast<Entry>(dlsym(module, kDocumentWindowsEntry));
    if (entry == nullptr) {
        failure = std::string(kDocumentWindowsModule) + " has no " + kDocumentWindowsEntry;
        return nullptr;
    }
    failure.clear();
    return entry();
}

} // namespace

DocumentWindows* LoadDocumentWindows(std::string& failure)
{
    // Loaded once; a module that could not be loaded is tried again on the next use, in
    // case it has been installed meanwhile.
    static DocumentWindows* windows = nullptr;
    if (windows == nullptr) windows = Load(failure);
    return windows;
}

} // namespace zav
