#include "config/url_shortcut.h"

#include <string>

#include "config/ini_store.h"
#include "errorlog/error_check.h"
#include "platform/backend.h"
#include "platform/system_services.h"

void openWebAddress(const char* url) {
    if (platform::Backend* b = platform::backend()) b->minimizeWindow();
    const std::string address = url ? url : "";
    ERROR_CHECK_AS(platform::openUrl(address) < 32,
                   "((UINT)ShellExecute(NULL, \"open\", url , NULL, NULL, SW_NORMAL))<32", __LINE__);
}

bool openUrlShortcut(const char* path) {
    if (!fileExists(path)) return false;
    const std::string url = iniReadString(path, "InternetShortcut", "URL");
    openWebAddress(url.c_str());
    return true;
}
